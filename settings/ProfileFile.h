#pragma once
// Profile (INI) files with the platform semantics the settings rely on: case-insensitive section and key
// names, blanks around values dropped, unknown lines kept byte for byte, CR LF line ends, no caching.

#include <string>

namespace profile {

// Reads one key. A missing file, section or key gives def; a key with nothing after "=" gives "".
// The result is cut to 2047 characters.
std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
    const std::string& def);

// Writes one key at once (atomically: temporary file beside it, then rename). Replaces the value where it
// stands, appends the key at the end of its section, adds a missing section at the end, creates a
// missing file. Throws std::runtime_error("Unable to write to <path>") on failure.
void WriteString(const std::string& path, const std::string& section, const std::string& key,
    const std::string& value);

// Decimal integer conversion: optional sign and digits, nothing else. Throws
// std::runtime_error("'<text>' is not a valid integer value") otherwise (also when out of 32-bit range).
int StrToInt(const std::string& text);

// exeDir joined with "ies.ini".
std::string SettingsPath(const std::string& exeDir);

} // namespace profile
