// The IES and EULUMDAT writers: numbers that read back exactly, round trips over the samples and the corpus in
// both formats, each EULUMDAT symmetry built from an IES record, the conversions refused, and writes that fail
// without touching the file already there.
#include "Checker.h"
#include "Convert.h"
#include "IesWriter.h"
#include "LdtWriter.h"
#include "LineText.h"
#include "NumberText.h"
#include "OrderedChunks.h"
#include "PhotometricFile.h"
#include "ShortestText.h"
#include "core/ldt_corpus_pairs.h"

#include <gtest/gtest.h>

#include <limits>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Read {
    TStringList headerLines;
    tIES ies;
    tPhotometricHeader header;
    tLdtFields fields;
    std::string messages;
};

Read ReadText(const std::string& text, bool ldt)
{
    Read r;
    TStringList lines;
    SplitIntoLines(text, lines);
    ReadPhotometricLines(
        ldt ? "x.ldt" : "x.ies", lines, r.headerLines, r.ies, r.header, [&r](const std::string& m) { r.messages += m; },
        nullptr, &r.fields);
    return r;
}

Read ReadPath(const std::string& path)
{
    std::string bytes;
    LoadFileBytes(path, bytes);
    return ReadText(bytes, IsLdtPath(path));
}

// The samples, the corpus and the faulty files the other suites use.
std::vector<std::string> FilesOf(bool ldt)
{
    std::vector<std::string> files;
    for (const char* root : { GONILUX_SAMPLES_DIR, GONILUX_CORPUS_DIR, GONILUX_FIXTURES_DIR })
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file() && IsPhotometricPath(entry.path().string())
                && IsLdtPath(entry.path().string()) == ldt)
                files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

void ExpectSameHeader(const tPhotometricHeader& a, const tPhotometricHeader& b)
{
    const long double tiltGeometry[] = { a.Tilt.LampToLuminaireGeometry, b.Tilt.LampToLuminaireGeometry };
    EXPECT_EQ(tiltGeometry[0], tiltGeometry[1]);
    EXPECT_EQ(a.Tilt.Angles, b.Tilt.Angles);
    EXPECT_EQ(a.Tilt.MultiplyingFactors, b.Tilt.MultiplyingFactors);
    const long double first[] = { a.NumberOfLamps, a.LumensPerLamp, a.CandelaMultiplier, a.PhotometricType, a.UnitsType,
        a.Width, a.Length, a.Height, a.BallastFactor, a.FutureUse, a.InputWatts };
    const long double second[] = { b.NumberOfLamps, b.LumensPerLamp, b.CandelaMultiplier, b.PhotometricType,
        b.UnitsType, b.Width, b.Length, b.Height, b.BallastFactor, b.FutureUse, b.InputWatts };
    for (std::size_t i = 0; i < std::size(first); ++i)
        EXPECT_EQ(first[i], second[i]) << "header number " << i;
}

void ExpectSameRecord(const tIES& a, const tIES& b)
{
    EXPECT_EQ(a.LumensPerLamp, b.LumensPerLamp);
    EXPECT_EQ(a.CandelaMultiplier, b.CandelaMultiplier);
    EXPECT_EQ(a.UnitsType, b.UnitsType);
    EXPECT_EQ(a.VertAngles, b.VertAngles);
    EXPECT_EQ(a.HorizAngles, b.HorizAngles);
    EXPECT_EQ(a.Candela, b.Candela);
}

// Every stored intensity of b within 1e-9 relative of a's, both times their multipliers.
void ExpectSameIntensities(const tIES& a, const tIES& b)
{
    ASSERT_EQ(a.VertAngles, b.VertAngles);
    ASSERT_EQ(a.HorizAngles, b.HorizAngles);
    for (std::size_t h = 0; h < a.Candela.size(); ++h)
        for (std::size_t v = 0; v < a.Candela[h].size(); ++v) {
            const long double x = a.Candela[h][v] * a.CandelaMultiplier, y = b.Candela[h][v] * b.CandelaMultiplier;
            ASSERT_LE(std::fabs(x - y), 1e-9L * std::fabs(x) + 1e-300L) << "plane " << h << " angle " << v;
        }
}

TEST(ShortestText, IsShortAndReadsBackExactly)
{
    // x86's 80-bit extended real cannot tell the long text from 0.15; a 128-bit one (arm64) can.
    constexpr bool kExtended80 = std::numeric_limits<long double>::digits == 64;
    const struct {
        const char* text;
        const char* expected;
    } cases[] = { { "0.15", "0.15" }, { "-1.0", "-1" },
        { "0.150000000000000000005", kExtended80 ? "0.15" : "0.150000000000000000005" }, { "1e-7", "0.0000001" },
        { "1e-30", "1e-30" }, { "1234.56789012345678", "1234.56789012345678" }, { "123456789.125", "123456789.125" },
        { "+007.50", "7.5" }, { "-0", "-0" }, { "2.5E3", "2500" }, { "0.1234567", "0.1234567" },
        { "1e4000", "1e+4000" } };
    for (const auto& c : cases) {
        long double value = 0;
        ASSERT_TRUE(ConvertToken(c.text, value)) << c.text;
        EXPECT_EQ(ShortestText(value), c.expected) << c.text;
    }
    // Values of every magnitude and bit pattern read back to themselves.
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const long double value
            = std::ldexp(static_cast<long double>(random()) / 0x1p64L + 0.5L, static_cast<int>(random() % 400) - 200)
            * (i % 2 ? -1 : 1);
        long double back = 0;
        const std::string text = ShortestText(value);
        ASSERT_TRUE(ConvertToken(text, back)) << text;
        ASSERT_EQ(back, value) << text;
    }
}

// Texts of at most 18 significant digits and 17 decimals come back as written, less the zeros that add nothing:
// the fewest decimals, whichever way the value is turned into text.
TEST(ShortestText, DecimalTextsComeBackInTheirShortestForm)
{
    std::mt19937_64 random(5);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 18), decimals = static_cast<int>(random() % 18);
        std::string whole;
        for (int d = 0; d < digits; ++d)
            whole += static_cast<char>('0' + random() % 10);
        whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1)); // "007" is 7
        std::string text = whole.size() > static_cast<std::size_t>(decimals)
            ? whole.substr(0, whole.size() - decimals) + "." + whole.substr(whole.size() - decimals)
            : "0." + std::string(static_cast<std::size_t>(decimals) - whole.size(), '0') + whole;
        if (decimals == 0)
            text.pop_back(); // no point
        // The expected text: no trailing zeros after the point, no point left alone.
        std::string expected = text;
        if (expected.find('.') != std::string::npos) {
            expected.erase(expected.find_last_not_of('0') + 1);
            if (expected.back() == '.')
                expected.pop_back();
        }
        if (random() % 2 && expected != "0") {
            text = "-" + text;
            expected = "-" + expected;
        }
        long double value = 0;
        ASSERT_TRUE(ConvertToken(text, value)) << text;
        ASSERT_EQ(ShortestText(value), expected) << text;
    }
}

TEST(IesWriter, ALargeTableWrittenInPiecesAndHalvesReadsBack)
{
    Read source;
    source.headerLines = { "IESNA:LM-63-2002", "[TEST] large", "[MANUFAC] x", "TILT=NONE" };
    source.ies.NumVertAngles = 181;
    source.ies.NumHorizAngles = 361;
    source.ies.CandelaMultiplier = source.ies.LumensPerLamp = 1;
    source.ies.UnitsType = 2;
    for (int v = 0; v < 181; ++v)
        source.ies.VertAngles.push_back(v);
    for (int h = 0; h < 361; ++h)
        source.ies.HorizAngles.push_back(h);
    for (int h = 0; h < 361; ++h) {
        source.ies.Candela.emplace_back();
        for (int v = 0; v < 181; ++v)
            source.ies.Candela.back().push_back(static_cast<long double>((h * 181 + v) % 100003) / 100);
    }
    source.header.NumberOfLamps = source.header.LumensPerLamp = source.header.CandelaMultiplier = 1;
    source.header.PhotometricType = 1;
    source.header.UnitsType = 2;
    std::string pieces;
    std::size_t count = 0;
    IesFilePieces(source.headerLines, source.ies, source.header, [&](std::string_view piece) {
        EXPECT_LT(piece.size(), std::size_t { 1 } << 20);
        pieces += piece;
        ++count;
    });
    EXPECT_GE(count, 2u); // the text before the table, then the table in chunks
    const std::string text = IesFileText(source.headerLines, source.ies, source.header);
    EXPECT_EQ(pieces, text);
    const Read back = ReadText(text, false);
    ExpectSameRecord(source.ies, back.ies);
}

// Chunks put together on one or two threads go out whole and in order, and what fails stops those after it.
TEST(OrderedChunks, GoOutInOrderAndStopAtWhatFails)
{
    const auto chunkText = [](std::size_t i) { return std::to_string(i) + ":" + std::string(i * 37 % 500, 'a') + ";"; };
    for (const bool twoThreads : { false, true })
        for (const std::size_t count : { 0, 1, 2, 5, 300 }) {
            SCOPED_TRACE(std::to_string(count) + (twoThreads ? " on two threads" : " on one"));
            std::string expected, got;
            for (std::size_t i = 0; i < count; ++i)
                expected += chunkText(i);
            HandOnChunksInOrder(
                count, twoThreads, [&](std::size_t i, std::string& out) { out += chunkText(i); },
                [&](std::string_view text) { got += text; });
            EXPECT_EQ(got, expected);
        }
    for (const bool twoThreads : { false, true })
        for (const bool sinkFails : { false, true }) {
            SCOPED_TRACE(std::string(sinkFails ? "the sink" : "the formatter") + (twoThreads ? " on two" : " on one"));
            std::string got;
            EXPECT_THROW(HandOnChunksInOrder(
                             300, twoThreads,
                             [&](std::size_t i, std::string& out) {
                                 if (!sinkFails && i == 7)
                                     throw std::runtime_error("no memory");
                                 out += chunkText(i);
                             },
                             [&](std::string_view text) {
                                 if (sinkFails && text == chunkText(7))
                                     throw std::runtime_error("disk full");
                                 got += text;
                             }),
                std::runtime_error);
            std::string before; // the chunks before the failing one, all handed on by one thread
            for (std::size_t i = 0; i < 7; ++i)
                before += chunkText(i);
            if (twoThreads && !sinkFails) // the other thread may fail before the first chunks go
                EXPECT_TRUE(before.starts_with(got)) << got;
            else
                EXPECT_EQ(got, before);
        }
}

TEST(IesWriter, HeaderLinesKeepKeywordsAndMendWhatTheFormatRequires)
{
    const std::string longLine(300, 'x');
    const struct {
        TStringList source;
        TStringList expected;
    } cases[] = {
        { { "IESNA:LM-63-1995", "[TEST] T1", "[MANUFAC] M", "TILT=NONE" },
            { "IESNA:LM-63-2002", "[TEST] T1", "[MANUFAC] M", "TILT=NONE" } },
        { { "Old maker file", "", "[LUMCAT] C", "tilt=lamp.tlt" },
            { "IESNA:LM-63-2002", "[TEST]", "[MANUFAC]", "[OTHER] Old maker file", "[OTHER]", "[LUMCAT] C",
                "tilt=lamp.tlt" } },
        { { "IESNA91", "[MANUFAC] M", "  [KEY] " + longLine },
            { "IESNA:LM-63-2002", "[TEST]", "[MANUFAC] M", ("  [KEY] " + longLine).substr(0, 256),
                "[MORE] " + ("  [KEY] " + longLine).substr(256), "TILT=NONE" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IesHeaderLines(c.source), c.expected) << c.source.front();
}

TEST(IesWriter, EveryIesFileReadsBackTheSame)
{
    int files = 0;
    for (const std::string& path : FilesOf(false)) {
        SCOPED_TRACE(path);
        Read source;
        try {
            source = ReadPath(path);
        } catch (const std::exception&) {
            continue; // refused by the reader: nothing to write
        }
        const std::string text = IesFileText(source.headerLines, source.ies, source.header);
        const Read back = ReadText(text, false);
        ExpectSameRecord(source.ies, back.ies);
        ExpectSameHeader(source.header, back.header);
        EXPECT_EQ(back.headerLines, IesHeaderLines(source.headerLines));
        EXPECT_EQ(IesFileText(back.headerLines, back.ies, back.header), text); // written again: the same bytes
        TStringList lines;
        SplitIntoLines(text, lines);
        for (const std::string& line : lines)
            ASSERT_LE(line.size(), kIesLongestLine);
        ++files;
    }
    EXPECT_GT(files, 50);
}

TEST(LdtWriter, EveryLdtFileReadsBackFieldForFieldAndThroughIes)
{
    int files = 0;
    for (const std::string& path : FilesOf(true)) {
        SCOPED_TRACE(path);
        Read source;
        try {
            source = ReadPath(path);
        } catch (const std::exception&) {
            continue; // refused by the reader: nothing to write
        }
        const Read back = ReadText(LdtFileText(source.fields), true);
        const tLdtFields &a = source.fields, &b = back.fields;
        EXPECT_EQ(std::tie(a.company, a.reportNumber, a.luminaireName, a.luminaireNumber, a.fileName, a.dateUser),
            std::tie(b.company, b.reportNumber, b.luminaireName, b.luminaireNumber, b.fileName, b.dateUser));
        const long double first[] = { a.typeIndicator, a.symmetry, a.cPlanes, a.cStep, a.gammaCount, a.gammaStep,
            a.downwardFlux, a.lightOutputRatio, a.conversionFactor, a.tilt };
        const long double second[] = { b.typeIndicator, b.symmetry, b.cPlanes, b.cStep, b.gammaCount, b.gammaStep,
            b.downwardFlux, b.lightOutputRatio, b.conversionFactor, b.tilt };
        EXPECT_TRUE(std::equal(std::begin(first), std::end(first), std::begin(second)));
        EXPECT_TRUE(std::equal(std::begin(a.dimensions), std::end(a.dimensions), std::begin(b.dimensions)));
        EXPECT_TRUE(std::equal(std::begin(a.directRatios), std::end(a.directRatios), std::begin(b.directRatios)));
        ASSERT_EQ(a.lampSets.size(), b.lampSets.size());
        for (std::size_t i = 0; i < a.lampSets.size(); ++i) {
            const tLdtLampSet &x = a.lampSets[i], &y = b.lampSets[i];
            EXPECT_EQ(std::tie(x.lamps, x.lampType, x.flux, x.colourTemperature, x.colourRendering, x.watts),
                std::tie(y.lamps, y.lampType, y.flux, y.colourTemperature, y.colourRendering, y.watts));
        }
        EXPECT_EQ(a.cAngles, b.cAngles);
        EXPECT_EQ(a.gammaAngles, b.gammaAngles);
        EXPECT_EQ(a.intensities, b.intensities);
        ExpectSameRecord(source.ies, back.ies);

        // To IES and back to EULUMDAT: the same intensities on every stored direction.
        const Read ies = ReadText(IesFileText(source.headerLines, source.ies, source.header), false);
        ExpectSameRecord(source.ies, ies.ies);
        tLdtFields throughIes;
        try {
            throughIes = LdtFieldsOf(ies.headerLines, ies.ies, ies.header, "x.ldt");
        } catch (const WriteRefusal& refusal) {
            // Only a faulty file may hold what EULUMDAT cannot hold as written from IES.
            EXPECT_NE(path.find("/fixtures/"), std::string::npos) << refusal.what();
            continue;
        }
        const Read again = ReadText(LdtFileText(throughIes, LdtIntensities::Doubles), true);
        ExpectSameIntensities(source.ies, again.ies);
        ++files;
    }
    EXPECT_GE(files, 7);
}

TEST(LdtWriter, TypeCIesFilesReadBackWithTheirIntensities)
{
    int converted = 0;
    for (const std::string& path : FilesOf(false)) {
        SCOPED_TRACE(path);
        Read source;
        std::string text;
        try {
            source = ReadPath(path);
            text = LdtFileText(
                LdtFieldsOf(source.headerLines, source.ies, source.header, "out.ldt"), LdtIntensities::Doubles);
        } catch (const std::exception&) {
            continue; // refusals have their own test
        }
        const Read back = ReadText(text, true);
        EXPECT_TRUE(back.messages.empty()) << back.messages;
        tIES expected = source.ies;
        if (expected.HorizAngles.size() > 1 && expected.HorizAngles.back() == 360) {
            expected.HorizAngles.pop_back(); // stored once, as plane 0
            expected.Candela.pop_back();
        }
        if (expected.HorizAngles.size() == 1)
            expected.HorizAngles = { 0 };
        ExpectSameIntensities(expected, back.ies);
        // And back to IES, with the same intensities again.
        ExpectSameIntensities(expected, ReadText(IesFileText(back.headerLines, back.ies, back.header), false).ies);
        ++converted;
    }
    EXPECT_GT(converted, 40);
}

// A type C record with the given horizontal angles; plane h holds 100 + h + v.
Read TypeC(const tArrEx& horizontal)
{
    Read r;
    r.headerLines = { "[TEST] T", "[MANUFAC] M", "[LAMP] LED", "TILT=NONE" };
    r.ies.VertAngles = { 0, 45, 90 };
    r.ies.HorizAngles = horizontal;
    r.ies.NumVertAngles = 3;
    r.ies.NumHorizAngles = static_cast<uint16_t>(horizontal.size());
    r.ies.CandelaMultiplier = r.header.CandelaMultiplier = 2;
    r.ies.LumensPerLamp = r.header.LumensPerLamp = 500;
    r.ies.UnitsType = 2;
    for (std::size_t h = 0; h < horizontal.size(); ++h)
        r.ies.Candela.push_back({ 100.0L + h, 101.0L + h, 102.0L + h });
    r.header.NumberOfLamps = 2;
    r.header.PhotometricType = 1;
    r.header.UnitsType = 2;
    r.header.Width = -0.2L;
    r.header.Length = -0.2L;
    r.header.InputWatts = 30;
    return r;
}

TEST(LdtWriter, EachSymmetryFromTheHorizontalAngles)
{
    const struct {
        tArrEx horizontal;
        int symmetry;
        tArrEx cAngles;
        long double step;
    } cases[] = {
        { { 0 }, 1, { 0 }, 0 },
        { { 0, 45, 90 }, 4, { 0, 45, 90, 135, 180, 225, 270, 315 }, 45 },
        { { 0, 60, 180 }, 2, { 0, 60, 180, 300 }, 0 },
        { { 90, 180, 270 }, 3, { 0, 90, 180, 270 }, 90 },
        { { 0, 120, 240, 360 }, 0, { 0, 120, 240 }, 120 },
        { { 0, 90, 180, 270 }, 0, { 0, 90, 180, 270 }, 90 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symmetry);
        Read source = TypeC(c.horizontal);
        if (c.horizontal.back() == 360)
            source.ies.Candela.back() = source.ies.Candela.front();
        const tLdtFields f = LdtFieldsOf(source.headerLines, source.ies, source.header, "lamp.ldt");
        EXPECT_EQ(f.symmetry, c.symmetry);
        EXPECT_EQ(f.cAngles, c.cAngles);
        EXPECT_EQ(f.cPlanes, static_cast<long double>(c.cAngles.size()));
        EXPECT_EQ(f.cStep, c.step);
        EXPECT_EQ(std::tie(f.gammaCount, f.gammaStep), std::make_tuple(3.0L, 45.0L));
        EXPECT_EQ(f.typeIndicator, c.horizontal.size() == 1 ? 1 : 3);
        EXPECT_EQ(f.lampSets.at(0).flux, 1000);
        EXPECT_EQ(std::tie(f.dimensions[0], f.dimensions[1]), std::make_tuple(200.0L, 0.0L)); // round: width 0
        EXPECT_EQ(std::tie(f.company, f.reportNumber, f.fileName, f.lampSets[0].lampType),
            std::make_tuple("M", "T", "lamp.ldt", "LED"));
        const Read back = ReadText(LdtFileText(f, LdtIntensities::Doubles), true);
        tIES expected = source.ies;
        if (c.horizontal.back() == 360) {
            expected.HorizAngles.pop_back();
            expected.Candela.pop_back();
        }
        ExpectSameIntensities(expected, back.ies);
    }
}

TEST(LdtWriter, DimensionsInMillimetresFromTheOpening)
{
    const struct {
        long double units, width, length, height;
        long double expected[3]; // lines 13-15: length (diameter), width, height
    } cases[] = {
        { 1, 1.041667L, -0.5L, 0.114835L, { 317.5001016L, 152.4L, 35.001708L } },
        { 2, -0.2L, -0.2L, 0.05L, { 200, 0, 50 } }, // round: width 0
        { 2, -0.3L, 0, 0, { 300, 0, 0 } }, // round, the older way
    };
    for (const auto& c : cases) {
        Read source = TypeC({ 0 });
        source.header.UnitsType = c.units;
        source.header.Width = c.width;
        source.header.Length = c.length;
        source.header.Height = c.height;
        const tLdtFields f = LdtFieldsOf(source.headerLines, source.ies, source.header, "x.ldt");
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(f.dimensions[i], c.expected[i]) << c.width << " line " << 13 + i;
            EXPECT_EQ(f.dimensions[3 + i], c.expected[i]) << c.width << " line " << 16 + i;
        }
    }
}

TEST(LdtWriter, RefusesWhatEulumdatCannotHold)
{
    const struct {
        const char* what;
        tArrEx horizontal;
        long double type;
        bool differing360;
        const char* reason;
    } cases[] = {
        { "type B", { 0, 90 }, 2, false, "EULUMDAT holds type C photometry only" },
        { "type A", { 0 }, 3, false, "EULUMDAT holds type C photometry only" },
        { "range", { 0, 45 }, 1, false, "the horizontal angles run from 0 to 45" },
        { "half circle short", { 0, 90, 200 }, 1, false, "the horizontal angles run from 0 to 200" },
        { "unsorted", { 0, 180, 90 }, 1, false, "are not in increasing order" },
        { "360 differs", { 0, 180, 360 }, 1, true, "the 360 plane differs from the 0 plane" },
        { "uneven about C180", { 90, 150, 210, 270 }, 1, false, "not spaced the same on both sides" },
    };
    for (const auto& c : cases) {
        Read source = TypeC(c.horizontal);
        source.header.PhotometricType = c.type;
        if (!c.differing360)
            source.ies.Candela.back() = source.ies.Candela.front();
        try {
            LdtFieldsOf(source.headerLines, source.ies, source.header, "x.ldt");
            ADD_FAILURE() << c.what << " was converted";
        } catch (const WriteRefusal& refusal) {
            EXPECT_NE(std::string(refusal.what()).find(c.reason), std::string::npos)
                << c.what << ": " << refusal.what();
        }
    }
}

class ConvertFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("writers_test_" + std::to_string(getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder / "locked.ies", fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    static std::string Contents(const fs::path& path)
    {
        std::string bytes;
        LoadFileBytes(path.string(), bytes);
        return bytes;
    }
    fs::path folder;
    const std::string sample = std::string(GONILUX_SAMPLES_DIR) + "/street_bilateral.ies";
};

TEST_F(ConvertFileTest, RefusalsLeaveTheTargetAsItWas)
{
    fs::copy_file(sample, folder / "self.ies");
    fs::create_symlink(folder / "self.ies", folder / "link.ies");
    fs::create_directory(folder / "folder.ldt");
    std::ofstream(folder / "locked.ies") << "old contents";
    fs::permissions(folder / "locked.ies", fs::perms::owner_read | fs::perms::group_read);
    std::ofstream(folder / "typeb.ldt") << "kept";
    const struct {
        std::string source;
        std::string target;
        const char* reason;
    } cases[] = {
        { (folder / "self.ies").string(), (folder / "self.ies").string(), "written over itself" },
        { (folder / "self.ies").string(), (folder / "." / "self.ies").string(), "written over itself" },
        { (folder / "self.ies").string(), (folder / "link.ies").string(), "written over itself" },
        { sample, (folder / "locked.ies").string(), "cannot write" },
        { sample, (folder / "folder.ldt").string(), "cannot write" },
        { sample, (folder / "out.txt").string(), "must end in .ies or .ldt" },
        { std::string(GONILUX_CORPUS_DIR) + "/cu-calc/flood_2.1.IES", (folder / "typeb.ldt").string(),
            "type C photometry only" },
        { (folder / "missing.ies").string(), (folder / "new.ldt").string(), "Cannot open file" },
    };
    for (const auto& c : cases) {
        const bool existed = fs::exists(c.target);
        const std::string before = existed && fs::is_regular_file(c.target) ? Contents(c.target) : "";
        const std::string reason = ConvertFile(c.source, c.target);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.target << ": " << reason;
        EXPECT_EQ(fs::exists(c.target), existed) << c.target;
        if (existed && fs::is_regular_file(c.target)) {
            EXPECT_EQ(Contents(c.target), before) << c.target;
        }
    }
    EXPECT_EQ(Contents(folder / "self.ies"), Contents(sample));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 5); // no temporary left
}

// The warnings and errors the checker finds, by code.
std::map<std::string, Severity> FaultCodes(const std::string& path)
{
    std::map<std::string, Severity> codes;
    for (const Diagnostic& d : CheckFile(path))
        if (d.severity != Severity::Note)
            codes[d.code] = std::max(codes[d.code], d.severity);
    return codes;
}

// What the written file's check finds beyond the source's. A number the source's reader could not take is read as
// 0 (or its failure value) and written as such: the written file's warnings about such a value are the source's
// fault told again, while a new error never is.
std::vector<std::string> NewFaults(
    const std::map<std::string, Severity>& source, const std::map<std::string, Severity>& written)
{
    bool readAsZero = false;
    for (const char* code : { "header-number", "short-table", "no-tilt", "ldt-field", "bad-number" })
        readAsZero = readAsZero || source.count(code) > 0;
    // The same fault under the other format's name: C planes that end short of what the symmetry stores.
    const std::map<std::string, std::string> sameFault = { { "horizontal-range", "ldt-symmetry" } };
    std::vector<std::string> found;
    for (const auto& [code, severity] : written) {
        const auto other = sameFault.find(code);
        const bool told = source.count(code) || (other != sameFault.end() && source.count(other->second));
        if (!told && (severity == Severity::Error || !readAsZero))
            found.push_back(code);
    }
    return found;
}

// A written file has no fault its source has not: every file converted to both formats, and each written EULUMDAT
// file (a full circle among them, which EULUMDAT stores without its 360 plane) converted on to IES, where what the
// first source's IES check found counts as the source's too (EULUMDAT's check looks at other things).
TEST_F(ConvertFileTest, AWrittenFileHasNoFaultItsSourceHasNot)
{
    std::size_t written = 0;
    for (const char* root : { GONILUX_SAMPLES_DIR, GONILUX_CORPUS_DIR, GONILUX_FIXTURES_DIR }) {
        if (!fs::is_directory(root))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string path = entry.path().string();
            if (!entry.is_regular_file() || !IsPhotometricPath(path))
                continue;
            for (const char* extension : { ".ies", ".ldt" }) {
                const std::string target = (folder / ("written" + std::string(extension))).string();
                if (!ConvertFile(path, target).empty())
                    continue; // refused: nothing written
                ++written;
                const auto source = FaultCodes(path);
                EXPECT_EQ(NewFaults(source, FaultCodes(target)), std::vector<std::string>())
                    << path << " written as " << extension;
                if (std::string(extension) != ".ldt")
                    continue;
                const std::string onward = (folder / "onward.ies").string();
                ASSERT_EQ(ConvertFile(target, onward), "") << path;
                auto both = FaultCodes(target);
                both.insert(source.begin(), source.end());
                EXPECT_EQ(NewFaults(both, FaultCodes(onward)), std::vector<std::string>())
                    << path << " written as .ldt, then as .ies";
            }
        }
    }
    EXPECT_GT(written, 100u);
}

TEST_F(ConvertFileTest, WritesBothFormatsOverAnOldFile)
{
    for (const char* name : { "out.ldt", "OUT.IES" }) {
        const fs::path target = folder / name;
        std::ofstream(target) << "old contents";
        ASSERT_EQ(ConvertFile(sample, target.string()), "");
        const Read back = ReadPath(target.string());
        ExpectSameIntensities(ReadPath(sample).ies, back.ies);
    }
}

TEST(LdtCorpusPairs, ConvertedToIesAgreeWithTheirTwins)
{
    const fs::path dir = fs::path(GONILUX_CORPUS_DIR) / LdtCorpusFolder;
    for (const auto& pair : LdtCorpusPairs) {
        SCOPED_TRACE(pair[0]);
        const Read ldt = ReadPath((dir / (std::string(pair[0]) + ".ldt")).string());
        const Read written = ReadText(IesFileText(ldt.headerLines, ldt.ies, ldt.header), false);
        const Read twin = ReadPath((dir / (std::string(pair[0]) + pair[1])).string());
        ASSERT_EQ(written.ies.VertAngles, twin.ies.VertAngles);
        ASSERT_EQ(written.ies.HorizAngles, twin.ies.HorizAngles);
        for (std::size_t h = 0; h < twin.ies.Candela.size(); ++h)
            for (std::size_t v = 0; v < twin.ies.Candela[h].size(); ++v) {
                const long double expected = twin.ies.Candela[h][v] * twin.ies.CandelaMultiplier;
                const long double got = written.ies.Candela[h][v] * written.ies.CandelaMultiplier;
                // The twin's values carry one or two decimals: below 10 cd the rounding alone exceeds 0.5 %.
                ASSERT_NEAR(got, expected, std::max(0.005L * std::fabs(expected), 0.05L)) << h << " " << v;
            }
    }
}

} // namespace
