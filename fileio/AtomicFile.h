#pragma once
// Every file the programs write goes through here: the bytes go to a temporary file in the target's folder,
// which is renamed over the target only once it is complete. A failure leaves whatever was at the target exactly
// as it was (and no temporary file behind).
#include <functional>
#include <string>
#include <string_view>

namespace fileio {

// Writes bytes to path. Returns an empty string on success, else the reason in a few words ("Permission
// denied", "Is a directory", ...), taken from the system's error where there is one.
// - An existing regular file is replaced with its permissions kept; one without any write permission bit is
//   refused, also for the superuser, as is one the caller may not write.
// - A symbolic link stays a link: the file it points at is replaced.
// - A folder is refused. A device or a pipe (/dev/stdout, a FIFO) is written directly, as it cannot be replaced.
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);

// Takes one piece of a file being written; false once writing has failed (further pieces are then dropped).
using PieceSink = std::function<bool(std::string_view)>;

// The same for a file handed over in pieces: produce gives them to its sink in order, so that a large file is
// written while it is put together and never held whole.
std::string WriteFileAtomically(const std::string& path, const std::function<void(const PieceSink&)>& produce);

} // namespace fileio
