// The EULUMDAT reader: symmetries, photometry, text forms, refusals, the choice of reader, and the corpus pairs of
// an .ldt file and its IES twin.
#include "IesHeader.h"
#include "IesReader.h"
#include "LdtReader.h"
#include "LineText.h"
#include "PhotometricFile.h"
#include "ldt_corpus_pairs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Num(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.10Lg", value);
    return text;
}

// A small EULUMDAT file. The stored intensity of the plane at angle C and gamma index i is C + i / 4 + 1, so a
// value read back tells which stored plane it came from.
struct LdtFile {
    int isym = 0;
    int mc = 8;
    int ng = 3;
    std::string conversion = "1";
    std::vector<std::array<std::string, 6>> sets = { { "4", "LED", "2000", "3000", "80", "25" } };

    // 1-based line of the first C angle, gamma angle and intensity.
    std::size_t CLine() const { return 27 + 6 * sets.size() + 10; }
    std::size_t GammaLine() const { return CLine() + mc; }
    std::size_t TableLine() const { return GammaLine() + ng; }

    long double CAngle(int index) const { return 360.0L * index / mc; } // index 0-based

    // Stored planes as 0-based indices into the C angles, in file order.
    std::vector<int> StoredPlanes() const
    {
        std::vector<int> planes;
        const auto range = [&](int from, int count) {
            for (int i = 0; i < count; ++i)
                planes.push_back((from + i) % mc);
        };
        switch (isym) {
        case 0:
            range(0, mc);
            break;
        case 1:
            range(0, 1);
            break;
        case 2:
            range(0, mc / 2 + 1);
            break;
        case 3:
            range(3 * mc / 4, mc / 2 + 1);
            break;
        default:
            range(0, mc / 4 + 1);
            break;
        }
        return planes;
    }

    TStringList Lines() const
    {
        TStringList l = { "Maker & Co", "1", std::to_string(isym), std::to_string(mc), Num(360.0L / mc),
            std::to_string(ng), "45", "Report 7", "Wall washer", "WW-1", "ww.ldt", "2024-01-02 / tester", "600", "300",
            "80", "500", "250", "10", "20", "30", "40", "100", "85.5", conversion, "0", std::to_string(sets.size()) };
        for (const auto& set : sets)
            l.insert(l.end(), set.begin(), set.end());
        for (int i = 0; i < 10; ++i)
            l.push_back("0.5");
        for (int c = 0; c < mc; ++c)
            l.push_back(Num(CAngle(c)));
        for (int g = 0; g < ng; ++g)
            l.push_back(Num(90.0L * g / (ng - 1 > 0 ? ng - 1 : 1)));
        for (int plane : StoredPlanes())
            for (int g = 0; g < ng; ++g)
                l.push_back(Num(CAngle(plane) + g / 4.0L + 1));
        return l;
    }
};

std::string Joined(const TStringList& lines, const char* eol)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + eol;
    return text;
}

struct LdtRead {
    tIES ies;
    TStringList headerLines;
    tPhotometricHeader header;
    tLdtFacts facts;
    std::vector<std::string> messages;
};

LdtRead Read(const TStringList& lines)
{
    LdtRead r;
    ReadLDT(
        lines, r.headerLines, r.ies, r.header, [&r](const std::string& m) { r.messages.push_back(m); }, &r.facts);
    return r;
}

LdtRead ReadText(const std::string& text)
{
    TStringList lines;
    SplitIntoLines(text, lines);
    return Read(lines);
}

TEST(LdtReader, EachSymmetryGivesThePlanesAnIesFileHolds)
{
    struct Case {
        int isym;
        std::vector<long double> angles;
    };
    const Case cases[] = { { 0, { 0, 45, 90, 135, 180, 225, 270, 315 } }, { 1, { 0 } }, { 2, { 0, 45, 90, 135, 180 } },
        { 3, { 90, 135, 180, 225, 270 } }, { 4, { 0, 45, 90 } } };
    for (const Case& c : cases) {
        LdtFile file;
        file.isym = c.isym;
        const LdtRead r = Read(file.Lines());
        SCOPED_TRACE("Isym " + std::to_string(c.isym));
        EXPECT_EQ(r.ies.HorizAngles, c.angles);
        EXPECT_EQ(r.ies.NumHorizAngles, c.angles.size());
        EXPECT_EQ(r.ies.VertAngles, (tArrEx { 0, 45, 90 }));
        ASSERT_EQ(r.ies.Candela.size(), c.angles.size());
        for (std::size_t h = 0; h < c.angles.size(); ++h) {
            // Isym 3 holds I(C) = I(180 - C); the others hold the plane itself.
            const long double stored = c.isym == 3 ? std::fmod(540 - c.angles[h], 360) : c.angles[h];
            for (std::size_t g = 0; g < 3; ++g)
                EXPECT_EQ(r.ies.Candela[h][g], (stored + g / 4.0L + 1) * 2) << "plane " << h << " gamma " << g;
        }
    }
}

TEST(LdtReader, PhotometryComesFromLampSetOne)
{
    struct Case {
        const char* name;
        std::vector<std::array<std::string, 6>> sets;
        std::string conversion;
        long double scale, lumensPerLamp, lamps, watts;
    };
    const Case cases[] = {
        { "relative", { { "4", "LED", "2000", "3000", "80", "25" } }, "1", 2, 500, 4, 25 },
        { "absolute", { { "-1", "LED", "321", "3000", "90", "9" } }, "1", 0.321L, -1, 1, 9 },
        { "absolute, two lamps", { { "-2", "LED", "1000", "/c", "Ra>80", "12" } }, "1", 1, -1, 2, 12 },
        { "several sets",
            { { "2", "T5", "3000", "4000", "80", "60" }, { "1", "T5 HO", "5000", "4000", "80", "54" },
                { "3", "T8", "9000", "4000", "80", "99" } },
            "1", 3, 1500, 2, 60 },
        { "conversion factor", { { "1", "HIT", "500", "3000", "80", "70" } }, "2", 1, 500, 1, 70 },
    };
    for (const Case& c : cases) {
        LdtFile file;
        file.sets = c.sets;
        file.conversion = c.conversion;
        const LdtRead r = Read(file.Lines());
        SCOPED_TRACE(c.name);
        EXPECT_EQ(r.ies.Candela[1][2], (45 + 2 / 4.0L + 1) * c.scale);
        EXPECT_EQ(r.ies.LumensPerLamp, c.lumensPerLamp);
        EXPECT_EQ(r.ies.CandelaMultiplier, 1);
        EXPECT_EQ(r.header.LumensPerLamp, c.lumensPerLamp);
        EXPECT_EQ(r.header.NumberOfLamps, c.lamps);
        EXPECT_EQ(r.header.InputWatts, c.watts);
        EXPECT_EQ(r.facts.absolute, c.lumensPerLamp == -1);
        EXPECT_EQ(r.facts.lampSets, static_cast<int>(c.sets.size()));
        EXPECT_TRUE(r.messages.empty());
    }
}

TEST(LdtReader, HeaderLinesAndNumbers)
{
    const LdtRead r = Read(LdtFile().Lines());
    EXPECT_EQ(r.headerLines,
        (TStringList { "[TEST] Report 7", "[MANUFAC] Maker & Co", "[LUMINAIRE] Wall washer", "[LUMCAT] WW-1",
            "[LAMP] LED", "[ISSUEDATE] 2024-01-02 / tester", "[_LDT_LORL] 85.5", "TILT=NONE" }));
    EXPECT_EQ(HeaderDisplayText(r.headerLines),
        "Test:  Report 7\rManufacturer:  Maker & Co\r Wall washer\rLuminaire catalog:  WW-1\rLamp: LED\rLamp catalog: "
        "\r");
    EXPECT_EQ(r.header.PhotometricType, 1);
    EXPECT_EQ(r.header.UnitsType, 2);
    EXPECT_EQ(r.ies.UnitsType, 2);
    EXPECT_EQ(r.header.BallastFactor, 1);
    EXPECT_EQ(r.header.Width, 0.5L);
    EXPECT_EQ(r.header.Length, 0.25L);
    EXPECT_EQ(r.header.Height, 0.025L);
    EXPECT_EQ(r.facts.luminaireLength, 0.6L);
    EXPECT_EQ(r.facts.lightOutputRatio, 85.5L);
    EXPECT_TRUE(r.facts.lightOutputRatioRead);
}

TEST(LdtReader, TextFormsReadAlike)
{
    const TStringList lines = LdtFile().Lines();
    const LdtRead reference = Read(lines);
    TStringList comma = lines;
    comma[28] = "2000,0"; // flux of set 1
    comma[LdtFile().GammaLine()] = " 45,0 ";
    TStringList longText = lines;
    longText[8] = std::string(300, 'N');
    longText[9] = "";
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = { { "CR LF", Joined(lines, "\r\n") }, { "LF", Joined(lines, "\n") },
        { "byte-order mark", "\xEF\xBB\xBF" + Joined(lines, "\r\n") }, { "decimal comma", Joined(comma, "\n") },
        { "trailing lines", Joined(lines, "\r\n") + "\r\n  \r\nconverted by hand\r\n" },
        { "long and empty text", Joined(longText, "\n") } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LdtRead r = ReadText(c.text);
        EXPECT_EQ(r.ies.HorizAngles, reference.ies.HorizAngles);
        EXPECT_EQ(r.ies.VertAngles, reference.ies.VertAngles);
        EXPECT_EQ(r.ies.Candela, reference.ies.Candela);
        EXPECT_EQ(r.headerLines[1], "[MANUFAC] Maker & Co");
        EXPECT_TRUE(r.messages.empty());
    }
    const LdtRead trailing = ReadText(cases[4].text);
    EXPECT_EQ(trailing.facts.trailingLines, 1u);
    EXPECT_EQ(trailing.facts.firstTrailingLine, lines.size() + 3);
    EXPECT_EQ(trailing.facts.lastTableLine, lines.size());
    EXPECT_EQ(ReadText(cases[5].text).headerLines[2], "[LUMINAIRE] " + std::string(300, 'N'));
}

TEST(LdtReader, FieldsNotNeededMayFailAndAreReportedOnce)
{
    TStringList lines = LdtFile().Lines();
    lines[21] = "n/a"; // downward flux fraction
    lines[22] = ""; // light output ratio
    lines[31] = "25 W"; // wattage of set 1
    const LdtRead r = Read(lines);
    EXPECT_EQ(r.messages, (std::vector<std::string> { "Error!\r\rLine 22" }));
    ASSERT_EQ(r.facts.failures.size(), 3u);
    EXPECT_EQ(r.facts.failures[1].line, 23u);
    EXPECT_EQ(r.facts.failures[2].field, "wattage of set 1");
    EXPECT_EQ(r.facts.failures[2].text, "25 W");
    EXPECT_FALSE(r.facts.lightOutputRatioRead);
    EXPECT_EQ(r.ies.Candela, Read(LdtFile().Lines()).ies.Candela);
}

TEST(LdtReader, RefusesWhatCannotBeReadAndChangesNothing)
{
    struct Case {
        int isym, mc;
        std::size_t line; // 1-based line to replace; 0: cut the file to `keep` lines
        std::string text;
        std::size_t keep;
        std::string message;
        std::string conversion = "1";
    };
    const LdtFile base;
    const std::size_t c1 = base.CLine(), g1 = base.GammaLine(), t1 = base.TableLine();
    const std::size_t all = base.Lines().size();
    const auto at = [](std::size_t line) { return "EULUMDAT line " + std::to_string(line) + ": "; };
    const Case cases[] = {
        { 0, 8, 0, "", 0, at(1) + "the file ends before the company identification" },
        { 0, 8, 0, "", 20, at(21) + "the file ends before the luminous area height at C270" },
        { 0, 8, 0, "", all - 1, at(all) + "the file ends before the intensities of stored plane 8" },
        { 0, 8, 0, "", t1 + 1, at(t1 + 2) + "the file ends before the intensities of stored plane 1" },
        { 0, 8, 3, "5", 0, at(3) + "the symmetry indicator \"5\" is not 0, 1, 2, 3 or 4" },
        { 0, 8, 3, "x", 0, at(3) + "the symmetry indicator \"x\" is not a number" },
        { 0, 8, 4, "x", 0, at(4) + "the number of C-planes \"x\" is not a positive whole number" },
        { 0, 8, 4, "7.5", 0, at(4) + "the number of C-planes \"7.5\" is not a positive whole number" },
        { 0, 8, 4, "70000", 0, at(4) + "the number of C-planes \"70000\" is more than 65535" },
        { 0, 8, 6, "-3", 0, at(6) + "the number of intensities per C-plane \"-3\" is not a positive whole number" },
        { 2, 7, 0, "", all, at(4) + "the number of C-planes \"7\" is not divisible by 2 as symmetry 2 needs" },
        { 3, 6, 0, "", all, at(4) + "the number of C-planes \"6\" is not divisible by 4 as symmetry 3 needs" },
        { 0, 8, 24, "one", 0, at(24) + "the conversion factor \"one\" is not a number" },
        { 0, 8, 26, "0", 0, at(26) + "the number of lamp sets \"0\" is not a positive whole number" },
        { 0, 8, 26, "2", 0, at(all + 1) + "the file ends before the intensities of stored plane 7" },
        { 0, 8, 27, "0", 0, at(27) + "the number of lamps of set 1 \"0\" is not a whole number other than 0" },
        { 0, 8, 29, "lots", 0, at(29) + "the luminous flux of set 1 \"lots\" is not a number" },
        { 0, 8, 29, "1.1e4932", 0, at(24) + "the conversion factor times the luminous flux of set 1 is beyond range",
            "2" },
        { 0, 8, c1 + 1, "x", 0, at(c1 + 1) + "the C angle 2 \"x\" is not a number" },
        { 0, 8, g1, "", 0, at(g1) + "the gamma angle 1 \"\" is not a number" },
        { 0, 8, t1 + 4, "1;5", 0, at(t1 + 4) + "the intensity \"1;5\" is not a number" },
        { 0, 8, t1, "1.1e4932", 0, at(t1) + "the intensity \"1.1e4932\" is beyond range once scaled" },
        { 0, 100, 6, "65535", 0,
            at(6) + "the table of 100 planes by 65535 intensities holds more than 4000000 values" },
    };
    const LdtRead before = Read(LdtFile().Lines());
    for (const Case& c : cases) {
        LdtFile file;
        file.isym = c.isym;
        file.mc = c.mc;
        TStringList lines = c.isym == 0 && c.mc == 8 ? file.Lines() : LdtFile().Lines();
        lines[2] = std::to_string(c.isym);
        lines[3] = std::to_string(c.mc);
        lines[23] = c.conversion;
        if (c.line != 0)
            lines[c.line - 1] = c.text;
        else
            lines.resize(c.keep);
        LdtRead r = before;
        std::string message;
        try {
            ReadLDT(
                lines, r.headerLines, r.ies, r.header, [&r](const std::string& m) { r.messages.push_back(m); },
                &r.facts);
        } catch (const std::runtime_error& e) {
            message = e.what();
        }
        SCOPED_TRACE(c.message);
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(r.ies.Candela, before.ies.Candela);
        EXPECT_EQ(r.headerLines, before.headerLines);
        EXPECT_TRUE(r.messages.empty());
    }
}

TEST(PhotometricFile, TheExtensionChoosesTheReader)
{
    struct Case {
        const char* path;
        bool ldt, photometric;
    };
    const Case cases[] = { { "a.ldt", true, true }, { "/x/B.LDT", true, true }, { "c.Ldt", true, true },
        { "a.ies", false, true }, { "A.IES", false, true }, { "ldt", false, false }, { "a.ldt.txt", false, false },
        { ".ldt", true, true }, { "", false, false } };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLdtPath(c.path), c.ldt) << c.path;
        EXPECT_EQ(IsPhotometricPath(c.path), c.photometric) << c.path;
    }

    const fs::path dir = fs::temp_directory_path() / ("gonilux_ldt_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string ldt = (dir / "Lamp.LDT").string(), ies = (dir / "lamp.ies").string();
    std::ofstream(ldt, std::ios::binary) << Joined(LdtFile().Lines(), "\r\n");
    std::ofstream(ies, std::ios::binary) << "IESNA:LM-63-2002\r\n[TEST] T\r\nTILT=NONE\r\n"
                                            "1 1000 1 3 1 1 2 0 0 0 1 1 10\r\n0 45 90\r\n0\r\n5 6 7\r\n";
    TStringList fileLines, headerLines;
    tIES record;
    tPhotometricHeader header;
    tLdtFacts facts;
    LoadFileLines(ldt, fileLines);
    ReadPhotometricLines(ldt, fileLines, headerLines, record, header, nullptr, &facts);
    EXPECT_EQ(record.NumHorizAngles, 8);
    EXPECT_EQ(header.InputWatts, 25);
    EXPECT_EQ(facts.cPlanes, 8);
    LoadFileLines(ies, fileLines);
    ReadPhotometricLines(ies, fileLines, headerLines, record, header, nullptr, &facts);
    EXPECT_EQ(record.Candela, (std::vector<tArrEx> { { 5, 6, 7 } }));
    EXPECT_EQ(headerLines.front(), "IESNA:LM-63-2002");
    EXPECT_EQ(header.InputWatts, 10); // the IES file's own numbers replace those of the file read before
    EXPECT_EQ(header.LumensPerLamp, 1000);
    fs::remove_all(dir);
}

// Each .ldt file of the corpus and its IES twin: the same angles, candela within 0.5 % (the twin's text is rounded).
TEST(LdtCorpus, PairsReadAlike)
{
    const fs::path dir = fs::path(GONILUX_CORPUS_DIR) / LdtCorpusFolder;
    if (!fs::is_directory(dir))
        GTEST_SKIP() << "corpus not present";
    for (const auto& pair : LdtCorpusPairs) {
        SCOPED_TRACE(pair[0]);
        TStringList lines, headerLines;
        LoadFileLines((dir / (std::string(pair[0]) + ".ldt")).string(), lines);
        const LdtRead ldt = Read(lines);
        LoadFileLines((dir / (std::string(pair[0]) + pair[1])).string(), lines);
        tIES twin;
        ReadIES(lines, headerLines, twin, nullptr);
        EXPECT_EQ(ldt.ies.VertAngles, twin.VertAngles);
        EXPECT_EQ(ldt.ies.HorizAngles, twin.HorizAngles);
        ASSERT_EQ(ldt.ies.Candela.size(), twin.Candela.size());
        int compared = 0;
        for (std::size_t h = 0; h < twin.Candela.size(); ++h)
            for (std::size_t v = 0; v < twin.Candela[h].size(); ++v) {
                const long double expected = twin.Candela[h][v] * twin.CandelaMultiplier;
                // The twin's values carry one or two decimals: below 10 cd the rounding alone exceeds 0.5 %.
                const long double tolerance = std::max(0.005L * std::fabs(expected), 0.05L);
                ASSERT_NEAR(ldt.ies.Candela[h][v], expected, tolerance) << "plane " << h << " angle " << v;
                ++compared;
            }
        EXPECT_GT(compared, 0);
        EXPECT_TRUE(ldt.messages.empty());
        EXPECT_EQ(ldt.ies.LumensPerLamp == -1, twin.LumensPerLamp == -1);
    }
}

} // namespace
