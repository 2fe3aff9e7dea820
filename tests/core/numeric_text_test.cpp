// Comparing outputs whose numbers were written by machines with extended reals of different widths.
#include "numeric_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(NumericText, NumbersAgreeWithinOneUnitAndEverythingElseByteForByte)
{
    struct Case {
        const char* name;
        std::string expected, actual;
        BinaryFormat format;
        bool same;
    };
    const Case cases[] = {
        { "identical", "candela 0 1 25412\nentry 1 [TEST] 12\n", "candela 0 1 25412\nentry 1 [TEST] 12\n",
            kDoubleFormat, true },
        { "x87 digits against the shortest", "candela 0 1 595.599999999999999978\n", "candela 0 1 595.6\n",
            kX87ExtendedFormat, true },
        { "negative and exponent", "v -3.00000000000000000011 2e-5", "v -3 0.00002", kX87ExtendedFormat, true },
        { "an error above one unit", "candela 0 1 595.5999999\n", "candela 0 1 595.6\n", kX87ExtendedFormat, false },
        { "same double", "\"flux_lm\": 0.1,", "\"flux_lm\": 0.10000000000000001,", kDoubleFormat, true },
        { "next double but one", "\"flux_lm\": 0.1,", "\"flux_lm\": 0.10000000000000003,", kDoubleFormat, false },
        { "a digit inside a word is text", "CST-LED-60\n", "CST-LED-60.0\n", kDoubleFormat, false },
        { "zero against the smallest step", "0", "4.9406564584124654e-324", kDoubleFormat, true },
        { "zero against a small number", "0", "1e-300", kDoubleFormat, false },
        { "signed zeros", "-0 x", "0 x", kDoubleFormat, true },
        { "different text", "candela 0 1 5\n", "candela 0 2 5\n", kDoubleFormat, false },
        { "one text longer", "a 1\n", "a 1\nb 2\n", kDoubleFormat, false },
        { "number against text", "max 12\n", "max null\n", kDoubleFormat, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NumericTextDifference(c.expected, c.actual, c.format).empty(), c.same)
            << NumericTextDifference(c.expected, c.actual, c.format);
        EXPECT_EQ(NumericTextDifference(c.actual, c.expected, c.format).empty(), c.same);
    }
}

TEST(NumericText, TheDifferenceNamesTheLineAndBothTexts)
{
    EXPECT_EQ(NumericTextDifference("a 1\nb 2\nc 3\n", "a 1\nb 2.5\nc 3\n", kDoubleFormat),
        "line 2: expected \"b 2\", got \"b 2.5\"");
    EXPECT_EQ(NumericTextDifference("a\n", "a\nmore\n", kDoubleFormat), "line 2: expected \"\", got \"more\"");
}

TEST(NumericText, TheNarrowerFormatSetsTheTolerance)
{
    EXPECT_EQ(Narrower(kDoubleFormat, kX87ExtendedFormat).digits, 53);
    EXPECT_EQ(Narrower(kX87ExtendedFormat, BinaryFormat { 113, -16382 }).digits, 64);
    // One unit at 1 is the step to the next representable number; below the normal range the step stays fixed.
    EXPECT_EQ(UnitInLastPlace(1.0L, kDoubleFormat), static_cast<long double>(DBL_EPSILON));
    EXPECT_EQ(UnitInLastPlace(1e-310L, kDoubleFormat), static_cast<long double>(DBL_TRUE_MIN));
    EXPECT_EQ(UnitInLastPlace(0.0L, kDoubleFormat), static_cast<long double>(DBL_TRUE_MIN));
}
