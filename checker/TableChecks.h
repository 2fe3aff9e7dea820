#pragma once
// The angle and candela tables: their values taken as the reader takes them, and what is wrong with them.

#include "NumberWalk.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TableChecks {
public:
    explicit TableChecks(NumberWalk& walk)
        : m_walk(walk)
    {
    }

    void ReadAngles(std::uint16_t count, tArrEx& angles, bool vertical);
    // One plane's row of count candela values.
    void ReadCandela(std::uint16_t count, tArrEx& row);
    // The checks that need whole tables, then the end of the text.
    void Finish(long double photometricType);

private:
    // Where a value stands in the tables, for messages.
    struct Place {
        const char* table; // "vertical angle", "horizontal angle" or "candela value"
        std::size_t index; // 0-based within its row
        std::size_t plane; // for candela values
    };
    Token Value(const Place& place);
    void CheckOrder(const std::vector<Token>& angles, const char* code, const char* name);
    void CheckRanges(long double photometricType);
    void CheckCandela();

    NumberWalk& m_walk;
    std::vector<Token> m_vertical, m_horizontal;
    std::size_t m_plane = 0;
    std::size_t m_expected = 0, m_missing = 0;
    std::size_t m_candelaCount = 0, m_negative = 0;
    Token m_firstNegative, m_firstCandela;
    bool m_allZero = true;
};
