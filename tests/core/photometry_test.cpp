// The photometric record and the IES reader: numbers, lines, header, the whole read, fixtures, samples, corpus.
#include "ByteMasks.h"
#include "HelperThread.h"
#include "IesHeader.h"
#include "IesReader.h"
#include "LineText.h"
#include "NumberText.h"
#include "tIES.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale.h>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The reference: correctly rounded conversion in the C locale.
long double ReferenceValue(const std::string& token)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtold_l(token.c_str(), nullptr, c);
}

bool SameBits(long double a, long double b)
{
    // Compare the 80 significant bits (sign, exponent, mantissa) so that -0 and 0 differ.
    return std::memcmp(&a, &b, 10) == 0;
}

struct ReadOutcome {
    tIES ies;
    TStringList fileLines;
    TStringList headerLines;
    std::vector<std::string> messages;
};

ReadOutcome ReadLines(TStringList lines)
{
    ReadOutcome out;
    out.fileLines = std::move(lines);
    ReadIES(out.fileLines, out.headerLines, out.ies, [&out](const std::string& m) { out.messages.push_back(m); });
    return out;
}

ReadOutcome ReadText(const std::string& text)
{
    TStringList lines;
    SplitIntoLines(text, lines);
    return ReadLines(lines);
}

void ExpectInvariants(const tIES& ies, const std::string& what)
{
    ASSERT_EQ(ies.VertAngles.size(), ies.NumVertAngles) << what;
    ASSERT_EQ(ies.HorizAngles.size(), ies.NumHorizAngles) << what;
    ASSERT_EQ(ies.Candela.size(), ies.NumHorizAngles) << what;
    for (const tArrEx& row : ies.Candela)
        ASSERT_EQ(row.size(), ies.NumVertAngles) << what;
    const auto finite = [](const tArrEx& a) {
        for (const long double v : a)
            if (!std::isfinite(v))
                return false;
        return true;
    };
    EXPECT_TRUE(std::isfinite(ies.LumensPerLamp) && std::isfinite(ies.CandelaMultiplier)) << what;
    EXPECT_TRUE(finite(ies.VertAngles) && finite(ies.HorizAngles)) << what;
    for (const tArrEx& row : ies.Candela)
        EXPECT_TRUE(finite(row)) << what;
}

void ExpectSameRecord(const tIES& a, const tIES& b)
{
    EXPECT_TRUE(SameBits(a.LumensPerLamp, b.LumensPerLamp));
    EXPECT_TRUE(SameBits(a.CandelaMultiplier, b.CandelaMultiplier));
    EXPECT_EQ(a.NumVertAngles, b.NumVertAngles);
    EXPECT_EQ(a.NumHorizAngles, b.NumHorizAngles);
    EXPECT_EQ(a.UnitsType, b.UnitsType);
    EXPECT_EQ(a.VertAngles, b.VertAngles);
    EXPECT_EQ(a.HorizAngles, b.HorizAngles);
    EXPECT_EQ(a.Candela, b.Candela);
}

std::string ThrownText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(nothing thrown)";
}

const std::string kStandard = "IESNA:LM-63-2002\r\n"
                              "[TEST] T-1\r\n"
                              "[MANUFAC] Fixture Works\r\n"
                              "TILT=NONE\r\n"
                              "1 1200.5 1.5 3 2 1 2 0.1 0.2 0\r\n"
                              "1.0 1.0 15\r\n"
                              "0 45 90\r\n"
                              "0 90\r\n"
                              "100 50.25 0\r\n"
                              "80 40 .5\r\n";

} // namespace

// ---- one token ----

TEST(ConvertToken, AcceptsTheNumberFormAndGivesFailureValues)
{
    struct Case {
        const char* token;
        bool ok;
        long double value;
    };
    const Case cases[] = {
        { "12", true, 12 },
        { "-2.5", true, -2.5L },
        { "+.5", true, 0.5L },
        { "5.", true, 5 },
        { ".5e1", true, 5 },
        { "1E+2", true, 100 },
        { "0.000", true, 0 },
        { "007", true, 7 },
        { "1e-99999", true, 0 }, // underflows to zero: a real, not an error
        { "12x", false, 12 },
        { "-2.5x", false, 25 },
        { "7e", false, 7 },
        { "7e+", false, 7 },
        { "1e5x", false, 1 }, // exponent digits are disregarded
        { "1.2.3", false, 12 },
        { "", false, 0 },
        { "-", false, 0 },
        { "+", false, 0 },
        { ".", false, 0 },
        { "-.e5", false, 0 },
        { "x12", false, 0 },
        { "12-3", false, 12 },
        { "12\t34", false, 12 }, // a tab joins two numbers into one failing token
        { "1.5\t2", false, 15 },
        { "2,5", false, 2 },
        { "inf", false, 0 },
        { "-infinity", false, 0 },
        { "nan", false, 0 },
        { "0x1p3", false, 0 },
        { "1e5000", false, 0 }, // beyond the extended range: no infinity enters the record
        { "-1e99999", false, 0 },
        { "1e99999999999999999999", false, 0 },
    };
    for (const Case& c : cases) {
        long double value = -1;
        EXPECT_EQ(ConvertToken(c.token, value), c.ok) << "token '" << c.token << "'";
        EXPECT_EQ(value, c.value) << "token '" << c.token << "'";
    }
}

TEST(ConvertToken, FailedTokensWithManyDigitsGiveTheirDigitsOrZero)
{
    long double value = -1;
    const std::string thirty = "123456789012345678901234567890";
    EXPECT_FALSE(ConvertToken("-" + thirty.substr(0, 10) + "." + thirty.substr(10) + "x", value));
    EXPECT_TRUE(SameBits(value, ReferenceValue(thirty)));

    // Digits that alone overflow the extended range yield 0, not infinity.
    EXPECT_FALSE(ConvertToken(std::string(5000, '9') + "x", value));
    EXPECT_EQ(value, 0);
    // A value beyond the range written with many digits fails the same way.
    EXPECT_FALSE(ConvertToken(std::string(5000, '9'), value));
    EXPECT_EQ(value, 0);
}

TEST(ConvertToken, NegativeZeroKeepsItsSign)
{
    long double value = 1;
    EXPECT_TRUE(ConvertToken("-0", value));
    EXPECT_TRUE(std::signbit(value));
    EXPECT_FALSE(ConvertToken("-0x", value)); // failure values disregard the sign
    EXPECT_FALSE(std::signbit(value));
}

TEST(ConvertToken, MatchesCorrectlyRoundedConversionOnTrickyTokens)
{
    const char* tokens[] = {
        "0.1",
        "0.2",
        "0.3",
        "1.1",
        "2.675",
        "1e23",
        "8.5e-5",
        "123456789012345678",
        "9999999999999999999",
        "18446744073709551615",
        "18446744073709551616",
        "18446744073709551617",
        "36893488147419103231",
        "1.8446744073709551617e19",
        "0.000000000000000000000000000001",
        "1e27",
        "1e28",
        "1e-27",
        "1e-28",
        "9.999999999999999999e27",
        "1.23456789012345678901234567890",
        "3.6e-4951",
        "3.64519953188247460253e-4951",
        "1.18973149535723176502e+4932",
        "1.18973149535723176508e+4932",
        "1e-4950",
        "1e-4955",
        "-1e-4951",
        "4.9406564584124654e-324",
        "2.2250738585072014e-308",
        "1.7976931348623157e308",
        "0.49999999999999999999",
        "123.456e-2",
        "00000000000000000000000000001.5",
        "1.00000000000000000000000000000",
        ".000123",
        "65535",
        "65535.5",
        "7.3786976294838206464e19",
        "5e-1",
        "2.5",
        "3.5",
        "-180.0",
        "22.5",
        "67.5",
        "0.15",
    };
    for (const char* token : tokens) {
        long double value = 0;
        const long double reference = ReferenceValue(token);
        if (std::isinf(reference)) {
            EXPECT_FALSE(ConvertToken(token, value)) << token;
            continue;
        }
        ASSERT_TRUE(ConvertToken(token, value)) << token;
        EXPECT_TRUE(SameBits(value, reference)) << token;
    }
}

TEST(ConvertToken, MatchesCorrectlyRoundedConversionOnManyRandomTokens)
{
    std::mt19937_64 random(20240317);
    const auto digits = [&random](int count) {
        std::string s;
        for (int i = 0; i < count; ++i)
            s.push_back(static_cast<char>('0' + random() % 10));
        return s;
    };
    int checked = 0;
    for (int i = 0; i < 300000; ++i) {
        // Mantissas of 1 to 24 digits with the point anywhere, exponents mostly small, sometimes extreme.
        const int count = 1 + static_cast<int>(random() % 24);
        std::string token = (random() % 3 == 0) ? "-" : "";
        std::string mantissa = digits(count);
        const std::size_t point = random() % (mantissa.size() + 1);
        if (random() % 2)
            mantissa.insert(point, ".");
        token += mantissa;
        switch (random() % 4) {
        case 0:
            break;
        case 1:
            token += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
            break;
        case 2:
            token += "E" + std::to_string(static_cast<int>(random() % 9901) - 4950);
            break;
        default:
            token += "e+" + std::to_string(random() % 28);
            break;
        }
        const long double reference = ReferenceValue(token);
        long double value = 0;
        const bool ok = ConvertToken(token, value);
        if (std::isinf(reference)) {
            EXPECT_FALSE(ok) << token;
            EXPECT_EQ(value, 0) << token;
        } else {
            ASSERT_TRUE(ok) << token;
            ASSERT_TRUE(SameBits(value, reference)) << token;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 300000);
}

TEST(ConvertToken, IgnoresAProcessLocaleWithADecimalComma)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    long double value = 0;
    const bool ok = ConvertToken("2.5", value);
    const bool longOk = ConvertToken("1.23456789012345678901234e-3", value);
    const long double longValue = value;
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_TRUE(ok);
    EXPECT_TRUE(longOk);
    EXPECT_TRUE(SameBits(longValue, ReferenceValue("1.23456789012345678901234e-3")));
    EXPECT_TRUE(ConvertToken("2.5", value));
    EXPECT_EQ(value, 2.5L);
}

// ---- the cursor ----

TEST(NumericCursor, TakesTokensInTurnAndReadsZeroOnceUsedUp)
{
    const std::string text = "  12   -3.5 abc 7e  ";
    NumericCursor cursor(text);
    struct Step {
        long double value;
        bool error;
        std::size_t start;
    };
    const Step steps[] = { { 12, false, 2 }, { -3.5L, false, 7 }, { 0, true, 12 }, { 7, true, 16 },
        { 0, true, text.size() }, { 0, true, text.size() } };
    for (const Step& step : steps) {
        bool error = false;
        EXPECT_EQ(cursor.NextNumber(error), step.value);
        EXPECT_EQ(error, step.error);
        EXPECT_EQ(cursor.TokenStart(), step.start);
    }
    EXPECT_TRUE(cursor.AtEnd());
}

TEST(NumericCursor, PassesOverTokensAsTakingThemWould)
{
    // Tokens of every length around the eight-byte words, separated by spaces, line breaks and commas.
    std::string text = "\r\n";
    for (int i = 0; i < 300; ++i)
        text += std::string(static_cast<std::size_t>(1 + i % 11), static_cast<char>('0' + i % 10))
            + (i % 4 == 0        ? " "
                    : i % 4 == 1 ? ",\r\n"
                    : i % 4 == 2 ? "\n"
                                 : "  \r");
    for (const std::string& sample : { text, text + "12", std::string("7"), std::string(" ,\n"), std::string() })
        for (const std::size_t first : { 0, 1, 7 })
            for (const std::size_t skip : { 0, 1, 2, 5, 8, 9, 63, 64, 65, 150, 299, 300, 301, 1000 }) {
                NumericCursor taken(sample), skipped(sample);
                bool error = false;
                for (std::size_t i = 0; i < first; ++i) {
                    taken.NextNumber(error);
                    skipped.NextNumber(error);
                }
                for (std::size_t i = 0; i < skip; ++i)
                    taken.NextNumber(error);
                skipped.SkipTokens(skip);
                const long double expected = taken.NextNumber(error), got = skipped.NextNumber(error);
                ASSERT_EQ(skipped.TokenStart(), taken.TokenStart()) << sample.size() << " " << first << " " << skip;
                ASSERT_EQ(got, expected);
            }
}

// The 64-byte masks (sixteen bytes at a time, or words where there is no SSE2) against a byte-by-byte look.
TEST(ByteMasks, MarkTheBytesLookedFor)
{
    std::mt19937 random(11);
    char block[bytemasks::kBlock];
    for (int round = 0; round < 2000; ++round) {
        for (char& c : block)
            c = " ,\r\n0.5e-\x80\xff\t"[random() % (round % 3 == 0 ? 4 : 13)];
        std::uint64_t separators = 0, cr = 0, lf = 0;
        for (std::size_t i = 0; i < bytemasks::kBlock; ++i) {
            const char c = block[i];
            separators |= static_cast<std::uint64_t>(c == ' ' || c == ',' || c == '\r' || c == '\n') << i;
            cr |= static_cast<std::uint64_t>(c == '\r') << i;
            lf |= static_cast<std::uint64_t>(c == '\n') << i;
        }
        ASSERT_EQ(bytemasks::SeparatorMask(block), separators) << round;
        std::uint64_t gotCr = 0, gotLf = 0;
        bytemasks::BreakMasks(block, gotCr, gotLf);
        ASSERT_EQ(gotCr, cr) << round;
        ASSERT_EQ(gotLf, lf) << round;
        ASSERT_EQ(bytemasks::CountBits(separators), static_cast<unsigned>(std::popcount(separators)));
    }
}

TEST(HelperThread, RunsItsWorkAndHandsOnWhatItThrows)
{
    std::atomic<int> done { 0 };
    {
        tHelperThread helper([&done] { ++done; });
        helper.Join();
        EXPECT_EQ(done, 1);
        tHelperThread unjoined([&done] { ++done; }); // its end is waited for when it goes
    }
    EXPECT_EQ(done, 2);
    tHelperThread failing([] { throw std::runtime_error("no memory"); });
    EXPECT_THROW(failing.Join(), std::runtime_error);
    EXPECT_NO_THROW(failing.Join()); // thrown once
}

// ---- lines ----

TEST(SplitIntoLines, BreaksAtCrLfAndCrLfAndStopsAtNul)
{
    struct Case {
        std::string text;
        TStringList lines;
    };
    const Case cases[] = {
        { "", {} },
        { "a", { "a" } },
        { "a\n", { "a" } },
        { "\n", { "" } },
        { "a\r\nb\nc\rd", { "a", "b", "c", "d" } },
        { "a\n\nb", { "a", "", "b" } },
        { "a\r\r\nb", { "a", "", "b" } },
        { "a\n\rb", { "a", "", "b" } },
        { std::string("a\0b\nc", 5), { "a" } },
        { "\xa0\xb0 bytes\r\n", { "\xa0\xb0 bytes" } },
    };
    for (const Case& c : cases) {
        TStringList lines { "stale" };
        SplitIntoLines(c.text, lines);
        EXPECT_EQ(lines, c.lines) << "text '" << c.text << "'";
    }
}

TEST(LoadFileLines, ReadsBytesAndReportsFilesThatCannotBeOpened)
{
    const fs::path dir = fs::temp_directory_path() / ("gonilux_lines_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "bytes.ies";
    {
        std::ofstream out(file, std::ios::binary);
        out << "[LUMCAT]\xa0X\r\nTILT=NONE\r1 2";
    }
    TStringList lines;
    LoadFileLines(file.string(), lines);
    EXPECT_EQ(lines, (TStringList { "[LUMCAT]\xa0X", "TILT=NONE", "1 2" }));

    const std::string missing = (dir / "missing.ies").string();
    EXPECT_EQ(ThrownText([&] { LoadFileLines(missing, lines); }), "Cannot open file " + missing);
    EXPECT_EQ(ThrownText([&] { LoadFileLines(dir.string(), lines); }), "Cannot open file " + dir.string());
    EXPECT_EQ(lines.size(), 3u); // a failed load leaves the list alone

    // A FIFO named like a file has no writer: the load must refuse at once instead of waiting for one.
    const std::string fifo = (dir / "fifo.ies").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ThrownText([&] { LoadFileLines(fifo, lines); }), "Cannot open file " + fifo);

    // A file of gigabytes is refused by its size before anything is read (a sparse file takes no disk space).
    const fs::path huge = dir / "huge.ies";
    std::ofstream(huge, std::ios::binary).put('1');
    fs::resize_file(huge, kMaxFileBytes + 1);
    EXPECT_EQ(ThrownText([&] { LoadFileLines(huge.string(), lines); }),
        "The file " + huge.string() + " is too large to be a photometric file: " + std::to_string(kMaxFileBytes + 1)
            + " bytes, at most " + std::to_string(kMaxFileBytes) + " are read");
    EXPECT_EQ(lines.size(), 3u);
    fs::remove_all(dir);
}

// ---- header ----

TEST(FindTiltLine, FindsOnlyLinesWhoseTextBeforeEqualsIsTilt)
{
    struct Case {
        TStringList lines;
        std::size_t index;
    };
    const Case cases[] = {
        { { "IESNA:LM-63-2002", "TILT=NONE", "1" }, 1 },
        { { "tilt=none" }, 0 },
        { { "Tilt=INCLUDE" }, 0 },
        { { "TILT=lamp.tlt" }, 0 },
        { { " TILT=NONE" }, 1 },
        { { "TILT =NONE" }, 1 },
        { { "[LUMINAIRE] TILT=INCLUDE fixture", "TILT=NONE" }, 1 },
        { { "TILT", "TILTED=NONE" }, 2 },
        { { "TILT=NONE", "TILT=INCLUDE" }, 0 },
        { {}, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindTiltLine(c.lines), c.index) << (c.lines.empty() ? "" : c.lines.front());
}

TEST(TiltDataIncluded, OnlyIncludeAnnouncesTiltData)
{
    EXPECT_TRUE(TiltDataIncluded("TILT=INCLUDE"));
    EXPECT_TRUE(TiltDataIncluded("tilt= include "));
    EXPECT_FALSE(TiltDataIncluded("TILT=NONE"));
    EXPECT_FALSE(TiltDataIncluded("TILT=include.tlt"));
}

TEST(KeywordValue, TakesTheTextAfterTheFirstExactMatch)
{
    struct Case {
        const char* keyword;
        const char* header;
        const char* value;
    };
    const Case cases[] = {
        { "[TEST]", "[TEST] 12345\r\n", " 12345" },
        { "[LUMINAIRE]", "[LUMINAIRE] ABC [MORE] x\r\n", " ABC " },
        { "[TEST]", "[TEST] first\r\n[TEST] second\r\n", " first" },
        { "[TEST]", "[test] lower\r\n", "" },
        { "[LAMP]", "[LAMPCAT] C\r\n[LAMP]  two blanks\r\n", "  two blanks" },
        { "[LAMPCAT]", "IESNA91\r\n[LAMPCAT]\r\n", "" },
        { "[TEST]", "junk [TEST]x\ry\r\n", "x" },
        { "[TEST]", "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeywordValue(c.keyword, c.header), c.value) << c.keyword << " in " << c.header;
}

TEST(HeaderDisplayText, AlwaysSixLinesEachEndingInCarriageReturn)
{
    EXPECT_EQ(HeaderDisplayText({}), "Test: \rManufacturer: \r\rLuminaire catalog: \rLamp:\rLamp catalog: \r");
    EXPECT_EQ(HeaderDisplayText({ "IESNA:LM-63-2002", "[TEST] 7", "[LAMP] LED 3000 K", "TILT=NONE" }),
        "Test:  7\rManufacturer: \r\rLuminaire catalog: \rLamp: LED 3000 K\rLamp catalog: \r");
    EXPECT_EQ(HeaderDisplayText({ "[LUMINAIRE] Pendant [LUMCAT] P-1", "[MANUFAC] M", "[LAMPCAT] L-2" }),
        "Test: \rManufacturer:  M\r Pendant \rLuminaire catalog:  P-1\rLamp:\rLamp catalog:  L-2\r");
}

// ---- the whole read ----

TEST(ReadIES, FillsTheRecordInFileOrder)
{
    const ReadOutcome out = ReadText(kStandard);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(
        out.headerLines, (TStringList { "IESNA:LM-63-2002", "[TEST] T-1", "[MANUFAC] Fixture Works", "TILT=NONE" }));
    ASSERT_EQ(out.fileLines.size(), 1u); // the numeric text is what remains
    EXPECT_EQ(out.fileLines[0].find_first_of("\r\n,"), std::string::npos);
    EXPECT_EQ(out.ies.LumensPerLamp, 1200.5L);
    EXPECT_EQ(out.ies.CandelaMultiplier, 1.5L); // stored, never applied
    EXPECT_EQ(out.ies.NumVertAngles, 3);
    EXPECT_EQ(out.ies.NumHorizAngles, 2);
    EXPECT_EQ(out.ies.UnitsType, 2);
    EXPECT_EQ(out.ies.VertAngles, (tArrEx { 0, 45, 90 }));
    EXPECT_EQ(out.ies.HorizAngles, (tArrEx { 0, 90 }));
    EXPECT_EQ(out.ies.Candela, (std::vector<tArrEx> { { 100, 50.25L, 0 }, { 80, 40, 0.5L } }));
}

TEST(ReadIES, SeparatorsAndWrappingDoNotChangeTheNumbers)
{
    const tIES reference = ReadText(kStandard).ies;
    const char* variants[] = {
        "IESNA:LM-63-2002\n[TEST] "
        "T-1\nTILT=NONE\n1,1200.5,1.5,3,2,1,2,0.1,0.2,0\n1.0,1.0,15\n0,45,90\n0,90\n100,50.25,0\n"
        "80,40,.5\n",
        "TILT=NONE\r1 1200.5\r1.5 3\r2\r1 2 0.1 0.2 0 1.0 1.0 15 0 45 90 0 90 100 50.25 0 80 40 .5",
        "TILT=NONE\n1\n1200.5\n1.5\n3\n2\n1\n2\n0.1\n0.2\n0\n1.0\n1.0\n15\n0\n45\n90\n0\n90\n100\n50.25\n0\n80\n"
        "40\n.5\n",
        "TILT=NONE\n   1 ,, 1200.5 , 1.5,3 2   1 2 0.1 0.2 0\n\n\n1.0 1.0 15 0 45 90 0 90 100 50.25 0 80 40 .5 999 "
        "999\n",
    };
    for (const char* text : variants) {
        SCOPED_TRACE(text);
        const ReadOutcome out = ReadText(text);
        EXPECT_TRUE(out.messages.empty());
        ExpectSameRecord(out.ies, reference);
    }
}

TEST(ReadIES, NumericTextTurnsOnlyBreaksAndCommasIntoSpaces)
{
    // Every byte value at every offset modulo eight: only CR, LF and comma change, tabs and high bytes stay.
    TStringList lines { "TILT=NONE" };
    std::string expected;
    for (int shift = 0; shift < 8; ++shift) {
        std::string line(static_cast<std::size_t>(shift), 'x');
        for (int b = 1; b < 256; ++b)
            line.push_back(static_cast<char>(b));
        lines.push_back(line);
        for (const char c : line)
            expected.push_back(c == '\r' || c == '\n' || c == ',' ? ' ' : c);
        expected += "  ";
    }
    const ReadOutcome out = ReadLines(lines);
    ASSERT_EQ(out.fileLines.size(), 1u);
    EXPECT_EQ(out.fileLines[0], expected);
}

TEST(ReadIES, ALineBreakAlwaysEndsANumber)
{
    const ReadOutcome out = ReadText("TILT=NONE\n1 1 1 2 1 1 2 0 0 0 1 1 1\n0 9\n0\n12\n34\n");
    EXPECT_EQ(out.ies.Candela, (std::vector<tArrEx> { { 12, 34 } }));
}

TEST(ReadIES, CountsRoundToNearestWithHalvesToEven)
{
    const ReadOutcome out = ReadText("TILT=NONE\n1 1 1 2.5 0.5 1 1.5 0 0 0 1 1 1\n10 20 30\n");
    EXPECT_EQ(out.ies.NumVertAngles, 2);
    EXPECT_EQ(out.ies.NumHorizAngles, 0);
    EXPECT_EQ(out.ies.UnitsType, 2);
    EXPECT_EQ(out.ies.VertAngles, (tArrEx { 10, 20 }));
    EXPECT_TRUE(out.ies.Candela.empty());
}

TEST(ReadIES, HeaderCheckReportsTheFileLineOfTheFirstFailingNumberOnce)
{
    struct Case {
        const char* text;
        const char* message; // nullptr: no message
    };
    const Case cases[] = {
        { "A\nB\nTILT=NONE\n1 1000 1 1 1 1 2\n0 0 0\n1 1 1O\n0\n0\n5\n", "Error!\r\rLine 6" },
        { "A\nTILT=NONE\n1 x 1 1 1 1 2 0 0 0 1 1 y\n0\n0\n5\n", "Error!\r\rLine 3" },
        { "A\r\n\r\nTILT=NONE\r\n\r\n1 1000 1 1 1 1 2 0 0 0 1 1\r\n\r\n\r\n", "Error!\r\rLine 8" },
        { "A\nTILT=NONE\n1 1000 1 1\n", "Error!\r\rLine 4" }, { "A\nTILT=NONE\n\n", "Error!\r\rLine 4" },
        { "IESNA\nTILT =NONE\n1 1 1 1 1 1 2 0 0 0 1 1 1\n", "Error!\r\rLine 1" },
        { "A\nTILT=NONE\n1 1000 1 1 1 1 70000 0 0 0 1 1 1\n0\n0\n5\n", "Error!\r\rLine 3" }, // impossible units
        { "A\nTILT=NONE\n1 1000 1 1 1 1 2 0 0 0 1 1 1\n0 x\n0\n5\n", nullptr }, // past the header: silent
        { "A\nTILT=NONE\n1 1000 1 1 1 1 2 0 0 0 1 1 1\n", nullptr }, // table cut short: silent zeros
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ReadOutcome out = ReadText(c.text);
        if (c.message) {
            ASSERT_EQ(out.messages.size(), 1u);
            EXPECT_EQ(out.messages[0], c.message);
        } else {
            EXPECT_TRUE(out.messages.empty());
        }
        ExpectInvariants(out.ies, c.text);
    }
}

TEST(ReadIES, TiltDataAfterTiltIncludeAreSkipped)
{
    const ReadOutcome out = ReadText("[TEST] T\nTILT=INCLUDE\n1\n4\n0 45 90 180\n1 .9 .8 1\n"
                                     "1 1000 1 3 1 1 2 0 0 0\n1 1 10\n0 45 90\n0\n100 50 0\n");
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(out.ies.VertAngles, (tArrEx { 0, 45, 90 }));
    EXPECT_EQ(out.ies.Candela, (std::vector<tArrEx> { { 100, 50, 0 } }));

    // A tilt file named on the TILT line carries its data elsewhere: nothing is skipped.
    const ReadOutcome named = ReadText("TILT=lamp.tlt\n1 1000 1 1 1 1 2 0 0 0 1 1 10\n0\n0\n7\n");
    EXPECT_EQ(named.ies.Candela, (std::vector<tArrEx> { { 7 } }));

    EXPECT_NE(ThrownText([] {
        ReadText("TILT=INCLUDE\n1 -3 0 1\n1 1 1 1 1 1 2 0 0 0 1 1 1\n");
    }).find("tilt angles in this file (-3)"),
        std::string::npos);
}

TEST(ReadIES, RefusedFilesLoadNothingAndSayWhy)
{
    struct Case {
        const char* text;
        const char* expected; // a part of the message
    };
    const Case cases[] = {
        { "", "List index out of bounds (0)" },
        { "IESNA:LM-63-2002\n[TEST] X\nTILT=NONE\n", "List index out of bounds (0)" },
        { "TILT=NONE\n1 1000 1 70000 1 1 2 0 0 0 1 1 1\n", "vertical angles in this file (70000)" },
        { "TILT=NONE\n1 1000 1 1 -2 1 2 0 0 0 1 1 1\n", "horizontal angles in this file (-2)" },
        { "TILT=NONE\n1 1000 1 1 65535.5 1 2 0 0 0 1 1 1\n", "(65536)" },
        { "TILT=NONE\n1 1000 1 1 1e300 1 2 0 0 0 1 1 1\n", "(1e+300)" },
        { "TILT=NONE\n1 1000 1 65535 65535 1 2 0 0 0 1 1 1\n",
            "4294836225 candela values; a real file has at most "
            "4000000" },
        { "TILT=NONE\n1 1000 1 2001 2000 1 2 0 0 0 1 1 1\n", "at most 4000000" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        tIES ies;
        ies.NumVertAngles = 9;
        ies.VertAngles = { 1, 2, 3 };
        ies.LumensPerLamp = 42;
        TStringList lines;
        SplitIntoLines(c.text, lines);
        TStringList header;
        int messages = 0;
        const std::string text
            = ThrownText([&] { ReadIES(lines, header, ies, [&](const std::string&) { ++messages; }); });
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        EXPECT_EQ(messages, 0);
        EXPECT_EQ(ies.NumVertAngles, 9); // the record is left exactly as it was
        EXPECT_EQ(ies.VertAngles, (tArrEx { 1, 2, 3 }));
        EXPECT_EQ(ies.LumensPerLamp, 42);
        EXPECT_TRUE(ies.Candela.empty());
    }
}

TEST(ReadIES, TheLargestCountWithoutPlanesIsRead)
{
    // 65535 vertical angles and no plane: the largest count, no candela value at all.
    const ReadOutcome out = ReadText("TILT=NONE\n1 1000 1 65535 0 1 2 0 0 0 1 1 1\n1 2 3\n");
    EXPECT_EQ(out.ies.VertAngles.size(), 65535u);
    EXPECT_EQ(out.ies.VertAngles[2], 3);
    EXPECT_EQ(out.ies.VertAngles[65534], 0);
    EXPECT_TRUE(out.ies.Candela.empty());
}

TEST(ReadIES, LargeTableReadsTheSameAsTokenByTokenConversion)
{
    // A wide table checked value by value against the reference conversion.
    std::string text = "TILT=NONE\n1 1000 1 181 361 1 2 0 0 0 1 1 1\n";
    std::mt19937_64 random(7);
    std::vector<std::string> tokens;
    for (int i = 0; i < 181 + 361 + 181 * 361; ++i) {
        char token[40];
        std::snprintf(token, sizeof token, "%.*f", static_cast<int>(random() % 6),
            static_cast<double>(random() % 10000000) / 97.0);
        tokens.push_back(token);
        text += token;
        text += (i % 10 == 9) ? "\r\n" : " ";
    }
    const ReadOutcome out = ReadText(text);
    ExpectInvariants(out.ies, "large");
    std::size_t k = 0;
    for (const long double v : out.ies.VertAngles)
        ASSERT_TRUE(SameBits(v, ReferenceValue(tokens[k++])));
    for (const long double h : out.ies.HorizAngles)
        ASSERT_TRUE(SameBits(h, ReferenceValue(tokens[k++])));
    for (const tArrEx& row : out.ies.Candela)
        for (const long double c : row)
            ASSERT_TRUE(SameBits(c, ReferenceValue(tokens[k++])));
}

TEST(EmptyIntensityTable, EmptiesOnlyTheTable)
{
    tIES ies = ReadText(kStandard).ies;
    EmptyIntensityTable(ies);
    EXPECT_TRUE(IsEmpty(ies));
    EXPECT_EQ(ies.NumHorizAngles, 2);
    EXPECT_EQ(ies.HorizAngles.size(), 2u);
}

// ---- files on disk ----

TEST(Fixtures, EachFaultReadsAsExpected)
{
    struct Case {
        const char* file;
        const char* message; // header check message, nullptr for none
        std::vector<tArrEx> candela;
        const char* thrown; // nullptr when the read completes
    };
    const Case cases[] = {
        { "tilt_lower_case.ies", nullptr, { { 100, 50, 0 } }, nullptr },
        { "tilt_blank_before_equals.ies", "Error!\r\rLine 1", {}, nullptr },
        { "header_watts_letter_o.ies", "Error!\r\rLine 6", { { 100, 50, 0 } }, nullptr },
        { "header_cut_short.ies", "Error!\r\rLine 5", {}, nullptr },
        { "table_cut_short.ies", nullptr, { { 100, 50, 0 }, { 80, 0, 0 } }, nullptr },
        { "candela_beyond_extended_range.ies", nullptr, { { 0, 0, 5 } }, nullptr },
        { "candela_joined_by_tab.ies", nullptr, { { 100, 0, 7 } }, nullptr },
        { "nul_inside_table.ies", nullptr, { { 100, 50, 0 } }, nullptr },
        { "count_over_65535.ies", nullptr, {}, "(70000)" },
        { "table_65535_by_65535.ies", nullptr, {}, "at most 4000000" },
        { "nothing_after_tilt.ies", nullptr, {}, "List index out of bounds (0)" },
        { "empty_file.ies", nullptr, {}, "List index out of bounds (0)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TStringList lines;
        LoadFileLines(std::string(GONILUX_FIXTURES_DIR) + "/" + c.file, lines);
        ReadOutcome out;
        out.fileLines = lines;
        const std::string thrown = ThrownText([&] {
            ReadIES(out.fileLines, out.headerLines, out.ies, [&](const std::string& m) { out.messages.push_back(m); });
        });
        if (c.thrown) {
            EXPECT_NE(thrown.find(c.thrown), std::string::npos) << thrown;
            continue;
        }
        EXPECT_EQ(thrown, "(nothing thrown)");
        ExpectInvariants(out.ies, c.file);
        EXPECT_EQ(out.ies.Candela, c.candela);
        if (c.message) {
            ASSERT_EQ(out.messages.size(), 1u);
            EXPECT_EQ(out.messages[0], c.message);
        } else {
            EXPECT_TRUE(out.messages.empty());
        }
    }
}

TEST(Samples, EveryShippedSampleReadsCleanly)
{
    struct Case {
        const char* file;
        unsigned vert;
        unsigned horiz;
        long double lastHoriz;
    };
    const Case cases[] = {
        { "downlight_axial.ies", 37, 1, 0 },
        { "panel_quadrant.ies", 19, 5, 90 },
        { "street_bilateral.ies", 19, 19, 180 },
        { "washer_full_360.ies", 37, 37, 360 },
        { "spot_full_22_5.ies", 35, 17, 360 },
        { "uplight_quadrant.ies", 19, 4, 90 },
        { "highbay_tilt_include.ies", 19, 3, 90 },
        { "pendant_commas_wrapped.ies", 19, 4, 90 },
    };
    std::size_t found = 0;
    for (const auto& entry : fs::directory_iterator(GONILUX_SAMPLES_DIR))
        found += entry.path().extension() == ".ies";
    EXPECT_EQ(found, std::size(cases));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TStringList lines;
        LoadFileLines(std::string(GONILUX_SAMPLES_DIR) + "/" + c.file, lines);
        const ReadOutcome out = ReadLines(lines);
        EXPECT_TRUE(out.messages.empty());
        ExpectInvariants(out.ies, c.file);
        EXPECT_EQ(out.ies.NumVertAngles, c.vert);
        EXPECT_EQ(out.ies.NumHorizAngles, c.horiz);
        EXPECT_EQ(out.ies.HorizAngles.back(), c.lastHoriz);
        for (const tArrEx& row : out.ies.Candela)
            for (const long double v : row)
                EXPECT_GE(v, 0);
        const std::string display = HeaderDisplayText(out.headerLines);
        EXPECT_EQ(display.find("Test: \r"), std::string::npos) << "every sample names its test";
    }
}

TEST(Corpus, EveryRealFileReadsWithTheInvariantsHolding)
{
    const fs::path root = GONILUX_CORPUS_DIR;
    if (!fs::exists(root))
        GTEST_SKIP() << "no corpus at " << root;
    int iesFiles = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = entry.path().string();
        std::string extension = entry.path().extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        SCOPED_TRACE(path);
        TStringList lines;
        LoadFileLines(path, lines);
        ReadOutcome out;
        out.fileLines = lines;
        const std::string thrown = ThrownText([&] {
            ReadIES(out.fileLines, out.headerLines, out.ies, [&](const std::string& m) { out.messages.push_back(m); });
        });
        if (extension != ".ies") {
            // Other files (notes, EULUMDAT twins) only must not crash: a refusal is a clean outcome.
            if (thrown == "(nothing thrown)")
                ExpectInvariants(out.ies, path);
            continue;
        }
        ++iesFiles;
        EXPECT_EQ(thrown, "(nothing thrown)");
        EXPECT_TRUE(out.messages.empty()) << (out.messages.empty() ? "" : out.messages[0]);
        ExpectInvariants(out.ies, path);
        EXPECT_FALSE(out.headerLines.empty());
        EXPECT_EQ(FindTiltLine(out.headerLines), out.headerLines.size() - 1);
        const std::string display = HeaderDisplayText(out.headerLines);
        EXPECT_EQ(std::count(display.begin(), display.end(), '\r'), 6);
    }
    EXPECT_GT(iesFiles, 50);
}
