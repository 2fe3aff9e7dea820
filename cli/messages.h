#pragma once
// How gonilux-cli speaks: diagnostics on standard error as "gonilux-cli: ...", text that came from a file or the file
// system made safe for a terminal, and the check that standard output really took what was printed.

#include <cstddef>
#include <string>
#include <string_view>

// Text for a terminal: every control character but tab (C0, DEL, and C1 written in UTF-8) as "\xHH" per byte, so
// that a header, a message or a file name cannot set the title, clear the screen or ring the bell. Line feeds are
// escaped too: callers end their lines themselves.
std::string EscapeControls(std::string_view text);

// At most limit bytes of text, cut before a UTF-8 character rather than inside one, "..." added when cut.
std::string CutText(std::string_view text, std::size_t limit = 200);

// "gonilux-cli: MESSAGE\n" with the message's control characters escaped: one diagnostic line.
std::string ErrorLine(std::string_view message);

// Prints ErrorLine(message) on standard error.
void ReportError(std::string_view message);

// Flushes standard output and reports on standard error when it did not take everything printed (a full disk, a
// closed pipe). Returns whether the output is complete; a command then exits with 3 when it is not.
bool FinishOutput();
