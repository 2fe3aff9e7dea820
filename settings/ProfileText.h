#pragma once
// The text side of profile files, free of any file access: finding a key's value in a file's bytes and
// producing the bytes with one key set. ProfileFile.cpp adds the reading and the atomic writing.
//
// The text is taken byte for byte (the system's 8-bit code page). A line ends at CR LF, at a lone LF or at a
// lone CR. Leading blanks of a line are ignored. A line whose first character is "[" and
// which holds a "]" opens the section named by the text between them; a line holding "=" is an entry of the
// section it is in, its key the text before the first "=" and its value the text after it, both without the
// blanks around them. Lines starting with ";" or "#" are comments. Names match without regard to ASCII case,
// and only the first occurrence of a section counts, for reading and for writing alike.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// Longest value handed out by a read; longer values are cut (the platform reads into 2048 characters).
constexpr std::size_t MaxValueLength = 2047;

// The value of key in the first section named section, ended at a NUL byte and without the blanks around
// it; nothing when the section or the key is missing (a line without "=" is not an entry).
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key);

// The text with key set to value: the first entry of the key in the section is rewritten where it stands
// (its indentation, spelling and line end kept); otherwise "key=value" is added after the section's last
// entry (before any trailing blank lines and comments, which usually belong to what follows), or a new
// section is added at the end of the text. Every other byte is kept. New lines end as the text's first line
// does (CR LF in a text without line ends).
std::string SetValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

// Whether section, key and value can be stored so that a later read finds exactly this key with this
// value (blanks around the value aside): no line breaks anywhere, a key that is not empty, holds no "="
// and does not look like a section or a comment, and a section name without "]".
bool CanStore(std::string_view section, std::string_view key, std::string_view value);

} // namespace profile
