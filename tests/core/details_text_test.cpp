// The texts the details window shows and copies: header lines into entries, figures with units, the zonal and
// intensity tables as tab-separated rows, and the selection of a table. The copies of sample files are compared
// with golden text.
#include "DetailsText.h"
#include "PhotometricFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ReadFile {
    tIES ies;
    TStringList headerLines;
    tPhotometricHeader header;
};

ReadFile Read(const std::string& path)
{
    ReadFile file;
    TStringList lines;
    LoadFileLines(path, lines);
    ReadPhotometricLines(path, lines, file.headerLines, file.ies, file.header, [](const std::string&) {});
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
    figures.Note = "the table has no values";
    struct Case {
        const char* separator;
        const char* name;
        const char* value;
    } const cases[] = {
        { ".", "Photometric type", "C" },
        { ".", "Luminous flux", "1234.57 lm" }, // six significant digits
        { ",", "Luminous flux", "1234,57 lm" }, // the user's separator
        { ".", "Efficacy", "1.23457E-5 lm/W" },
        { ".", "Lamp flux", "not defined" },
        { ".", "Ballast factor", "not defined (not applied)" },
        { ".", "Maximum at", "not defined" },
        { ".", "Beam angle C0-C180", "45.25 degrees" },
        { ".", "Beam angle C90-C270", "not defined" },
        { ".", "Not computed", "the table has no values" },
    };
    for (const Case& c : cases) {
        bool found = false;
        for (const auto& [name, value] : FigureEntries(figures, c.separator))
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

TEST(DetailsText, IntensityRowsKeepTheValuesAsRead)
{
    tIES ies = Grid(2, 2);
    ies.Candela[1][0] = 1e20L; // the general format switches to exponent form
    ies.Candela[1][1] = -0.00001L;
    EXPECT_EQ(TabSeparated(IntensityRows(ies, ",")), "H \\ V\t0\t10\n0\t0,5\t1,5\n90\t1E20\t-1E-5\n");
    EXPECT_EQ(TabSeparated(IntensityRows(tIES {}, ".")), "H \\ V\n");
}

TEST(DetailsText, ZonalRowsNeedZonesAndShareNeedsAFlux)
{
    PhotometricFigures figures;
    EXPECT_EQ(TabSeparated(ZonalRows(figures, ".")), "Zone\tFlux (lm)\tShare (%)\n");
    figures.ZonalFlux.emplace();
    figures.ZonalFlux->fill(0);
    (*figures.ZonalFlux)[17] = 12.5;
    const tTextRows noFlux = ZonalRows(figures, ".");
    ASSERT_EQ(noFlux.size(), 19u);
    EXPECT_EQ(noFlux[18], tTextRow({ "170-180", "12.5", "" }));
    figures.Flux = 0; // a zero total gives no shares rather than a division by zero
    EXPECT_EQ(ZonalRows(figures, ".")[18][2], "");
    figures.Flux = 50;
    EXPECT_EQ(ZonalRows(figures, ".")[18], tTextRow({ "170-180", "12.5", "25" }));
    EXPECT_EQ(ZonalRows(figures, ".")[1], tTextRow({ "0-10", "0", "0" }));
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
                std::vector<tSummaryEntry> entries = HeaderEntries(f.headerLines);
                for (auto& entry : FigureEntries(ComputeFigures(f.ies, f.header), "."))
                    entries.push_back(entry);
                return SummaryText(entries);
            } },
        { "panel_quadrant.ies", "panel_quadrant.zonal",
            [](const ReadFile& f) { return TabSeparated(ZonalRows(ComputeFigures(f.ies, f.header), ".")); } },
        { "highbay_tilt_include.ies", "highbay_tilt_include.intensity",
            [](const ReadFile& f) { return TabSeparated(IntensityRows(f.ies, ".")); } },
    };
    for (const Case& c : cases) {
        const ReadFile file = Read(std::string(GONILUX_SAMPLES_DIR) + "/" + c.sample);
        EXPECT_EQ(c.text(file), Golden(c.golden)) << c.golden;
    }
}
