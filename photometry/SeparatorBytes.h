#pragma once
// Eight bytes at a time: which bytes of a word separate the numbers of an IES numeric block (a space, CR, LF or a
// comma). Words are read with memcpy, byte i of the text in bits 8i to 8i + 7 (little-endian machines; others
// take the bytes one at a time).

#include <bit>
#include <cstdint>

namespace separators {

inline constexpr bool kWordAtATime = std::endian::native == std::endian::little;
inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

// 0x80 in every byte of word that is zero, 0 elsewhere (exact: no borrow runs between bytes).
inline std::uint64_t ZeroBytes(std::uint64_t word)
{
    constexpr std::uint64_t low7 = 0x7f7f7f7f7f7f7f7fULL;
    return ~(((word & low7) + low7) | word | low7);
}

// 0x80 in every byte of word that is a CR, an LF or a comma.
inline std::uint64_t BreakOrCommaBytes(std::uint64_t word)
{
    return ZeroBytes(word ^ (kOnes * '\r')) | ZeroBytes(word ^ (kOnes * '\n')) | ZeroBytes(word ^ (kOnes * ','));
}

// 0x80 in every byte of word that is a space, a CR, an LF or a comma.
inline std::uint64_t SeparatorBytes(std::uint64_t word)
{
    return BreakOrCommaBytes(word) | ZeroBytes(word ^ (kOnes * ' '));
}

} // namespace separators
