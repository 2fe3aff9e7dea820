#pragma once
// Bytes of a file shown as text: UTF-8 when they are valid UTF-8, otherwise Latin-1 (one byte, one character),
// the way the viewer shows file names and header entries.

#include <cstddef>
#include <string>
#include <string_view>

// Offset of the first byte that does not start or continue a well-formed UTF-8 sequence (overlong forms,
// surrogates and code points beyond U+10FFFF are not well formed); std::string_view::npos when all of it is.
std::size_t FirstInvalidUtf8(std::string_view bytes);

// The bytes as UTF-8: unchanged when they are valid UTF-8, each byte taken as its Latin-1 character otherwise.
std::string DisplayUtf8(std::string_view bytes);
