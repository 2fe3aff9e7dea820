#pragma once
// Profile (INI) files with the platform semantics the settings rely on: case-insensitive section and key
// names, blanks around values dropped, unknown lines kept byte for byte, CR LF, LF or CR line ends (added lines
// end like the file's own), no caching.

#include <string>
#include <utility>
#include <vector>

namespace profile {

// Reads one key from the file as it is on disk now. A missing or unreadable file (a folder, a FIFO...), a
// missing section or key gives def; a key with nothing after "=" gives "". The result ends at a NUL byte and is cut to
// 2047 characters.
std::string ReadString(
    const std::string& path, const std::string& section, const std::string& key, const std::string& def);

// Writes one key at once (atomically: temporary file beside it, then rename; in place when the folder does not
// allow new files but the file itself may be changed). Replaces the value where it stands, appends the key at
// the end of its section, adds a missing section at the end, creates a missing file. Throws
// std::runtime_error("Unable to write to <path>"), path made absolute, on failure: the path is a folder or
// another non-file, the file is read-only, a missing file's folder cannot be written, or the key or value
// cannot be stored (a line break in it). A symbolic link is followed, and the linked file replaced. A file
// without any write permission bit is never replaced, also for the superuser. Each read-modify-write holds
// the lock of ProfileLock.h, so that writers in other threads or processes lose none of each other's keys.
void WriteString(const std::string& path, const std::string& section, const std::string& key, const std::string& value);

// Writes several keys of one section at once, in the order given, with the same rules and failures as
// WriteString: either all of them are stored or none. Two programs saving a window's geometry at the same
// instant thus leave one program's geometry, never a mix.
void WriteStrings(const std::string& path, const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& entries);

// Decimal integer conversion: optional sign and digits, nothing else. Throws
// std::runtime_error("'<text>' is not a valid integer value") otherwise (also when out of 32-bit range).
int StrToInt(const std::string& text);

// exeDir joined with "ies.ini".
std::string SettingsPath(const std::string& exeDir);

} // namespace profile
