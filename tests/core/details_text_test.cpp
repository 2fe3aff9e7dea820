// The texts the details window shows and copies: header lines into entries, figures with units, the zonal and
// intensity tables as tab-separated rows, and the selection of a table. The copies of sample files are compared
// with golden text.
#include "AxisTicks.h"
#include "DetailsText.h"
#include "FileSummary.h"
#include "LdtReader.h"
#include "PhotometricFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ReadFile {
    tIES ies;
    TStringList headerLines;
    tPhotometricHeader header;
    tDetailsFile details; // named by the sample's name alone, so that the golden copies hold no folder
};

ReadFile Read(const std::string& path)
{
    ReadFile file;
    TStringList lines;
    LoadFileLines(path, lines);
    ReadPhotometricLines(path, lines, file.headerLines, file.ies, file.header, [](const std::string&) {});
    file.details.Path = path.substr(path.rfind('/') + 1);
    file.details.Record = file.ies;
    file.details.HeaderLines = file.headerLines;
    file.details.Header = file.header;
    if (IsLdtPath(path))
        file.details.FileLines = lines;
    return file;
}

std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(GONILUX_SOURCE_DIR) + "/tests/golden/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

tIES Grid(std::size_t planes, std::size_t angles)
{
    tIES ies;
    for (std::size_t v = 0; v < angles; ++v)
        ies.VertAngles.push_back(static_cast<long double>(v) * 10);
    for (std::size_t h = 0; h < planes; ++h) {
        ies.HorizAngles.push_back(static_cast<long double>(h) * 90);
        tArrEx row;
        for (std::size_t v = 0; v < angles; ++v)
            row.push_back(static_cast<long double>(100 * h + v) + 0.5L);
        ies.Candela.push_back(row);
    }
    return ies;
}

} // namespace

TEST(DetailsText, HeaderLinesBecomeEntries)
{
    struct Case {
        const char* line;
        const char* name;
        const char* value;
    } const cases[] = {
        { "[TEST] LT-24-0317", "TEST", "LT-24-0317" },
        { "  [MANUFAC]\tLumetra ", "MANUFAC", "Lumetra" }, // blanks around both sides dropped
        { "[_ABSOLUTE]", "_ABSOLUTE", "" }, // a keyword without a value
        { "[MORE] second line [of] text", "MORE", "second line [of] text" }, // later brackets are value
        { "free text of an old file", "Header", "free text of an old file" },
        { "[unclosed keyword", "Header", "[unclosed keyword" },
    };
    for (const Case& c : cases) {
        const TStringList lines { "IESNA:LM-63-2002", c.line, "TILT=NONE" };
        const std::vector<tSummaryEntry> entries = HeaderEntries(lines);
        ASSERT_EQ(entries.size(), 3u) << c.line;
        EXPECT_EQ(entries[0], tSummaryEntry("Format", "IESNA:LM-63-2002"));
        EXPECT_EQ(entries[1], tSummaryEntry(c.name, c.value)) << c.line;
        EXPECT_EQ(entries[2], tSummaryEntry("TILT", "NONE"));
    }
    // The TILT line is the one the reader ends the header at: "TILT =" is not one, "Tilt= Include" is.
    const std::vector<tSummaryEntry> old = HeaderEntries({ "free text", "TILT =NONE", "Tilt= Include " });
    ASSERT_EQ(old.size(), 3u);
    EXPECT_EQ(old[0], tSummaryEntry("Header", "free text"));
    EXPECT_EQ(old[1], tSummaryEntry("Header", "TILT =NONE"));
    EXPECT_EQ(old[2], tSummaryEntry("TILT", "Include"));
}

TEST(DetailsText, FiguresCarryUnitsAndSayWhatIsNotDefined)
{
    PhotometricFigures figures;
    figures.PhotometricType = 1;
    figures.Flux = 1234.5678901;
    figures.Efficacy = 0.000012345678;
    figures.Beam.First = 45.25;
    figures.LightOutputRatio = 83.8113;
    figures.Note = "the table has no values";
    struct Case {
        tNumberStyle style;
        const char* name;
        const char* value;
    } const cases[] = {
        { { "." }, "Photometric type", "C" },
        { { "." }, "Luminous flux", "1235 lm" }, // four significant digits
        { { ".", "," }, "Luminous flux", "1,235 lm" }, // the user's thousands separator
        { { ",", "." }, "Luminous flux", "1.235 lm" }, // and decimal separator
        { { "." }, "Efficacy", "1.235E-5 lm/W" },
        { { "." }, "Lamp flux", "not defined" },
        { { "." }, "Ballast factor", "not defined (not applied)" },
        { { "." }, "Maximum at", "not defined" },
        { { "." }, "Beam angle C0-C180", "45.2 degrees" }, // one decimal, a half to even
        { { "." }, "Beam angle C90-C270", "not defined" },
        { { "." }, "Light output ratio", "83.8 %" },
        { { "." }, "Not computed", "the table has no values" },
    };
    for (const Case& c : cases) {
        bool found = false;
        for (const auto& [name, value] : FigureEntries(figures, c.style))
            if (name == c.name) {
                EXPECT_EQ(value, c.value) << c.name;
                found = true;
            }
        EXPECT_TRUE(found) << c.name;
    }
    figures.Note.clear();
    for (const auto& entry : FigureEntries(figures, "."))
        EXPECT_NE(entry.first, "Not computed");
}

TEST(DetailsText, SelectionIsTheRectangleOfTheSelectedCells)
{
    const tIES ies = Grid(3, 4);
    struct Case {
        std::vector<tCell> cells;
        const char* text;
    } const cases[] = {
        { { { 1, 2 } }, "102.5\n" },
        { { { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 } }, "0.5\t1.5\n100.5\t101.5\n" },
        { { { 2, 3 }, { 0, 1 } }, "1.5\t\t\n\t\t\n\t\t203.5\n" }, // unselected cells stay empty, any order
        { { { 1, 1 }, { 7, 1 }, { 1, 9 } }, "101.5\n" }, // cells beyond the table are ignored
        { { { 5, 5 } }, "" },
        { {}, "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TabSeparated(SelectedIntensityRows(ies, c.cells, ".")), c.text);
}

TEST(DetailsText, IntensityRowsNameTheirUnitAndRoundForReading)
{
    tIES ies = Grid(2, 2);
    ies.Candela[1][0] = 1e20L; // the general format switches to exponent form
    ies.Candela[1][1] = -0.00001L;
    EXPECT_EQ(TabSeparated(IntensityRows(ies, ",")), "H \\ V (cd)\t0\t10\n0\t0,5\t1,5\n90\t1E20\t-1E-5\n");
    EXPECT_EQ(TabSeparated(IntensityRows(tIES {}, ".")), "H \\ V (cd)\n");
}

TEST(DetailsText, ZonalRowsNeedZonesAndShareNeedsAFlux)
{
    PhotometricFigures figures;
    EXPECT_EQ(TabSeparated(ZonalRows(figures, ".")), "Zone (degrees)\tFlux (lm)\tShare (%)\n");
    figures.ZonalFlux.emplace();
    figures.ZonalFlux->fill(0);
    (*figures.ZonalFlux)[17] = 12.5;
    const tTextRows noFlux = ZonalRows(figures, ".");
    ASSERT_EQ(noFlux.size(), 19u);
    EXPECT_EQ(noFlux[18], tTextRow({ "170-180", "12.5", "" }));
    figures.Flux = 0; // a zero total gives no shares rather than a division by zero
    EXPECT_EQ(ZonalRows(figures, ".")[18][2], "");
    figures.Flux = 50;
    EXPECT_EQ(ZonalRows(figures, ".")[18], tTextRow({ "170-180", "12.5", "25.0" }));
    EXPECT_EQ(ZonalRows(figures, ".")[1], tTextRow({ "0-10", "0", "0.0" }));
}

TEST(DetailsText, NumbersAreRoundedForReading)
{
    struct Case {
        long double value;
        bool tenths; // else four significant digits
        const char* text;
    } const cases[] = {
        { 10578, false, "10,580" }, // no decimals, yet four digits
        { 337.18L, false, "337.2" },
        { 1183.9125L, false, "1,184" },
        { 0.5, false, "0.5" }, // trailing zeros dropped
        { 9.99996L, false, "10" }, // the carry does not add a digit
        { 999999, false, "1,000,000" },
        { -2.345678L, false, "-2.346" },
        { 0, false, "0" },
        { 0.000012346L, false, "1.235E-5" },
        { 83.8113L, true, "83.8" },
        { 100, true, "100.0" }, // all decimals shown
        { 0.25L, true, "0.2" }, // halves to even
        { 0.75L, true, "0.8" },
        { -0.04L, true, "0.0" }, // no sign on a zero
        { 12345.67L, true, "12,345.7" },
    };
    const tNumberStyle style { ".", "," };
    for (const Case& c : cases)
        EXPECT_EQ(c.tenths ? Tenths(c.value, style) : Reading(c.value, style), c.text) << double(c.value);
    EXPECT_EQ(Reading(12345.5L, { ",", "" }), "12350");
    EXPECT_EQ(Tenths(1234.25L, { ",", "." }), "1.234,2");
}

TEST(DetailsText, TheFileIsNamedWithItsFormatAndOpening)
{
    struct Format {
        const char* path;
        const char* firstLine;
        const char* name;
    } const formats[] = {
        { "/a/b.ies", "IESNA:LM-63-2002", "IES LM-63-2002" },
        { "/a/b.IES", "IESNA:LM-63-1995", "IES LM-63-1995" },
        { "b.ies", "IES:LM-63-2019", "IES LM-63-2019" },
        { "b.ies", "IESNA91", "IES LM-63-1991" },
        { "b.ies", "[TEST] no identifier", "IES LM-63-1986" },
        { "/a/b.LDT", "[TEST] x", "EULUMDAT" },
    };
    for (const Format& f : formats)
        EXPECT_EQ(FormatName(f.path, { f.firstLine, "TILT=NONE" }), f.name) << f.path;

    struct Opening {
        long double width, length, height, units;
        const char* text;
    } const openings[] = {
        { 0, 0, 0, 2, "point (no dimensions)" },
        { 0.6L, 0.3L, 0, 2, "rectangular, width 0.6 x length 0.3 m" },
        { 2, 1, 0.5L, 1, "rectangular with luminous sides, width 2 x length 1 x height 0.5 ft" },
        { -0.2L, -0.2L, 0, 2, "circular, diameter 0.2 m" },
        { -0.2L, -0.3L, 0, 2, "elliptical, width 0.2 x length 0.3 m" },
        { -0.1L, -0.1L, -0.1L, 2, "spherical, diameter 0.1 m" },
        { -0.1L, -0.1L, 0.4L, 2, "vertical cylinder, diameter 0.1 x height 0.4 m" },
        { -0.1L, 1.2L, -0.1L, 2, "horizontal cylinder along the length, diameter 0.1 x length 1.2 m" },
        { 0.5L, 0, 0, 3, "unusual shape, width 0.5 x length 0 x height 0 (unknown units)" },
    };
    for (const Opening& o : openings) {
        tPhotometricHeader header;
        header.Width = o.width;
        header.Length = o.length;
        header.Height = o.height;
        header.UnitsType = o.units;
        EXPECT_EQ(LuminousOpening(header, { "." }), o.text);
    }
}

TEST(DetailsText, EulumdatFactsAsWrittenAndFaultyFieldsQuoted)
{
    TStringList lines;
    LoadFileLines(std::string(GONILUX_SAMPLES_DIR) + "/wallwasher_c0_c180.ldt", lines);
    ASSERT_GT(lines.size(), 40u);
    struct Case {
        std::size_t line; // 1-based line changed; 0: none
        const char* text;
        const char* name;
        const char* value;
    } const cases[] = {
        { 0, "", "Luminaire (length x width x height)", "420 x 90 x 75 mm" },
        { 0, "", "Luminous area (length x width)", "400 x 60 mm" },
        { 0, "", "Lamp set 1", "2 lamps LED 3000 K, 1500 lm, colour temperature 3000 K, colour rendering 90, 18 W" },
        { 14, "0", "Luminaire (diameter x height)", "420 x 75 mm" },
        { 17, "0", "Luminous area (diameter)", "400 mm" },
        { 30, "3000K", "Lamp set 1",
            "2 lamps LED 3000 K, 1500 lm, colour temperature 3000K, colour rendering 90, 18 W" },
        { 32, "", "Lamp set 1", "2 lamps LED 3000 K, 1500 lm, colour temperature 3000 K, colour rendering 90, \"\"" },
        { 23, "83,46", "Light output ratio (stated)", "83.5 %" }, // a comma is a decimal point
        { 22, "n/a", "Downward flux (stated)", "\"n/a\"" },
    };
    for (const Case& c : cases) {
        TStringList changed = lines;
        if (c.line)
            changed[c.line - 1] = c.text;
        std::vector<tSummaryEntry> entries = EulumdatEntries(changed, { "." });
        for (auto& entry : EulumdatStatedEntries(changed, { "." }))
            entries.push_back(entry);
        const auto found
            = std::find_if(entries.begin(), entries.end(), [&c](const auto& e) { return e.first == c.name; });
        ASSERT_NE(found, entries.end()) << c.name;
        EXPECT_EQ(found->second, c.value) << c.line;
    }
    // A second lamp set is listed too; a lamp-set count beyond the file lists what is there.
    TStringList twoSets(lines.begin(), lines.begin() + 32);
    twoSets[25] = "2";
    for (const char* line : { "1", "Halogen", "900", "2800", "100", "50" })
        twoSets.push_back(line);
    const std::vector<tSummaryEntry> entries = EulumdatEntries(twoSets, { "." });
    EXPECT_EQ(entries.back(),
        tSummaryEntry("Lamp set 2", "1 lamp Halogen, 900 lm, colour temperature 2800 K, colour rendering 100, 50 W"));
    twoSets[25] = "9";
    EXPECT_EQ(EulumdatEntries(twoSets, { "." }).back().first, "Lamp set 2");
    EXPECT_TRUE(EulumdatEntries({}, { "." }).empty());
}

// The EULUMDAT table is stored in cd/klm: shown per kilolumen, the values are the file's as written.
TEST(DetailsText, PerKilolumenShowsTheEulumdatValuesAsWritten)
{
    const std::string path = std::string(GONILUX_SAMPLES_DIR) + "/wallwasher_c0_c180.ldt";
    const ReadFile file = Read(path);
    TStringList lines;
    LoadFileLines(path, lines);
    const PhotometricFigures figures = ComputeFigures(file.ies, file.header);
    const auto perKilolumen = PerKilolumenUnit(file.header, figures);
    ASSERT_TRUE(perKilolumen);
    const tTextRows rows = IntensityRows(file.ies, ".", *perKilolumen);
    EXPECT_EQ(rows[0][0], "H \\ V (cd/klm)");
    // Line 27 + 6 lamp-set lines + 10 direct ratios + 24 C angles + 19 gamma angles: the first stored intensity.
    const std::size_t first = 27 + 6 + 10 + 24 + 19;
    for (std::size_t g = 0; g < file.ies.VertAngles.size(); ++g) {
        long double stored = 0;
        ASSERT_TRUE(ConvertLdtField(lines[first - 1 + g], stored));
        EXPECT_EQ(rows[1][g + 1], Reading(stored, { "." })) << g;
    }
    // Absolute photometry has no lamp flux to divide by.
    PhotometricFigures absolute = figures;
    absolute.LampFlux.reset();
    EXPECT_FALSE(PerKilolumenUnit(file.header, absolute));
    EXPECT_EQ(IntensityRows(file.ies, ".", CandelaUnit(file.header))[1][1], Reading(file.ies.Candela[0][0], { "." }));
}

TEST(DetailsText, ChartTicksAreRoundStepsCoveringTheLargest)
{
    struct Case {
        double largest;
        int most;
        std::vector<double> ticks;
    } const cases[] = {
        { 587.18, 4, { 0, 200, 400, 600 } },
        { 1000, 4, { 0, 500, 1000 } }, // exactly reached: no step beyond
        { 0.37, 5, { 0, 0.1, 0.2, 0.3, 0.4 } },
        { 12.5, 1, { 0, 20 } },
        { 9, 3, { 0, 5, 10 } },
        { 0, 4, { 0 } },
        { -3, 4, { 0 } },
    };
    for (const Case& c : cases) {
        const std::vector<double> ticks = AxisTicks(c.largest, c.most);
        ASSERT_EQ(ticks.size(), c.ticks.size()) << c.largest;
        for (std::size_t i = 0; i < ticks.size(); ++i)
            EXPECT_NEAR(ticks[i], c.ticks[i], 1e-12) << c.largest;
    }
}

TEST(DetailsText, SampleFilesMatchTheirGoldenCopies)
{
    struct Case {
        const char* sample;
        const char* golden;
        std::string (*text)(const ReadFile&);
    } const cases[] = {
        { "panel_quadrant.ies", "panel_quadrant.summary",
            [](const ReadFile& f) {
                return SummaryText(SummaryEntries(f.details, ComputeFigures(f.ies, f.header), { ".", "," }));
            } },
        { "wallwasher_c0_c180.ldt", "wallwasher_c0_c180.summary",
            [](const ReadFile& f) {
                return SummaryText(SummaryEntries(f.details, ComputeFigures(f.ies, f.header), { ".", "," }));
            } },
        { "panel_quadrant.ies", "panel_quadrant.zonal",
            [](const ReadFile& f) { return TabSeparated(ZonalRows(ComputeFigures(f.ies, f.header), ".")); } },
        { "highbay_tilt_include.ies", "highbay_tilt_include.intensity",
            [](const ReadFile& f) { return TabSeparated(IntensityRows(f.ies, ".", CandelaUnit(f.header))); } },
    };
    for (const Case& c : cases) {
        const ReadFile file = Read(std::string(GONILUX_SAMPLES_DIR) + "/" + c.sample);
        EXPECT_EQ(c.text(file), Golden(c.golden)) << c.golden;
    }
}
