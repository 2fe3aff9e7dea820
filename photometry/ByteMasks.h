#pragma once
// Sixty-four bytes of text at a time: a mask with bit i set where byte i is one of the bytes looked for. SSE2 (every
// x86-64) compares sixteen bytes at once; elsewhere eight-byte words give the same masks.

#include "SeparatorBytes.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bytemasks {

inline constexpr std::size_t kBlock = 64;

// The number of bits set, without the POPCNT instruction (which x86-64 does not promise).
inline unsigned CountBits(std::uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
    return static_cast<unsigned>((x * 0x0101010101010101ULL) >> 56);
}

#if !defined(__SSE2__)
// Bit i for byte i of a word whose marked bytes hold 0x80 (and the others 0).
inline std::uint64_t Gather(std::uint64_t marked) { return ((marked >> 7) * 0x0102040810204080ULL) >> 56; }

// marks gives 0x80 in each byte of a word that is looked for; is tells the same of one byte.
template <class Marks, class Is> std::uint64_t MaskOfWords(const char* p, Marks marks, Is is)
{
    std::uint64_t mask = 0;
    if constexpr (separators::kWordAtATime) {
        for (unsigned w = 0; w < 8; ++w) {
            std::uint64_t word;
            std::memcpy(&word, p + 8 * w, 8);
            mask |= Gather(marks(word)) << (8 * w);
        }
    } else {
        for (unsigned i = 0; i < kBlock; ++i)
            mask |= static_cast<std::uint64_t>(is(p[i])) << i;
    }
    return mask;
}
#endif

// Separators of an IES numeric block among the 64 bytes at p: space, CR, LF and comma.
inline std::uint64_t SeparatorMask(const char* p)
{
#if defined(__SSE2__)
    std::uint64_t mask = 0;
    for (unsigned k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const __m128i breaks
            = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
        const __m128i others
            = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(v, _mm_set1_epi8(',')));
        mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(breaks, others))))
            << (16 * k);
    }
    return mask;
#else
    return MaskOfWords(
        p, [](std::uint64_t word) { return separators::SeparatorBytes(word); },
        [](char c) { return c == ' ' || c == '\r' || c == '\n' || c == ','; });
#endif
}

// The carriage returns (cr) and line feeds (lf) among the 64 bytes at p.
inline void BreakMasks(const char* p, std::uint64_t& cr, std::uint64_t& lf)
{
#if defined(__SSE2__)
    cr = lf = 0;
    for (unsigned k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        cr |= static_cast<std::uint64_t>(
                  static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')))))
            << (16 * k);
        lf |= static_cast<std::uint64_t>(
                  static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')))))
            << (16 * k);
    }
#else
    cr = MaskOfWords(
        p, [](std::uint64_t word) { return separators::ZeroBytes(word ^ (separators::kOnes * '\r')); },
        [](char c) { return c == '\r'; });
    lf = MaskOfWords(
        p, [](std::uint64_t word) { return separators::ZeroBytes(word ^ (separators::kOnes * '\n')); },
        [](char c) { return c == '\n'; });
#endif
}

} // namespace bytemasks
