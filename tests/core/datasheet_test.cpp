// The datasheet without Qt: text fitted into widths, the polar diagram's sections and rings, the texts taken from
// the file and the figures, and pages that stay legible (every text on the paper inside its margins, no two texts
// on top of each other) for long names, one to 361 planes, types A, B and C, A4 and Letter.
#include "Datasheet.h"
#include "Diagrams.h"
#include "FileSummary.h"
#include "PhotometricFile.h"
#include "PolarDiagram.h"
#include "SheetContent.h"
#include "TextFit.h"
#include "sample_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using datasheet::Paper;

// 80 characters.
const std::string kLong80 = "Recessed linear luminaire with opal diffuser and asymmetric reflector, 4000K IP5";

// A record of planes x angles with a smooth distribution; type 1 (C) spans 0-360 by 0-180, types 2 and 3 (B, A)
// span -90..90 both ways. Relative photometry (1000 lm lamp) unless absolute.
tDetailsFile MakeFile(int planes, int angles, int type, const std::string& name, bool absolute = false)
{
    tDetailsFile file;
    file.Path = "/tmp/" + (name.empty() ? std::string("unnamed") : name.substr(0, 20)) + ".ies";
    tIES& ies = file.Record;
    const bool c = type == 1;
    for (int h = 0; h < planes; ++h)
        ies.HorizAngles.push_back(planes == 1 ? 0 : (c ? 360.0L : 180.0L) * h / (planes - 1) - (c ? 0 : 90));
    for (int v = 0; v < angles; ++v)
        ies.VertAngles.push_back(180.0L * v / (angles - 1) - (c ? 0 : 90));
    for (int h = 0; h < planes; ++h) {
        tArrEx row;
        for (int v = 0; v < angles; ++v) {
            const long double a = ies.VertAngles[v] * 3.14159265358979L / 180;
            row.push_back(std::max(0.0L, 800 * std::cos(a) + 40 * std::sin(ies.HorizAngles[h] / 30)));
        }
        ies.Candela.push_back(row);
    }
    ies.NumHorizAngles = static_cast<uint16_t>(planes);
    ies.NumVertAngles = static_cast<uint16_t>(angles);
    file.Header.PhotometricType = type;
    file.Header.NumberOfLamps = 1;
    file.Header.LumensPerLamp = absolute ? -1 : 1000;
    file.Header.CandelaMultiplier = 1;
    file.Header.InputWatts = 12.5L;
    file.HeaderLines = { "IESNA:LM-63-2002", "[TEST] " + name, "[MANUFAC] " + name, "[LUMINAIRE] " + name,
        "[LUMCAT] " + name, "[LAMP] " + name, "[ISSUEDATE] " + name, "TILT=NONE" };
    return file;
}

bool Overlap(const scene::Rect& a, const scene::Rect& b)
{
    constexpr double slack = 0.25; // boxes that only touch do not overlap
    return a.x + slack < b.x + b.width && b.x + slack < a.x + a.width && a.y + slack < b.y + b.height
        && b.y + slack < a.y + a.height;
}

std::vector<scene::Text> Texts(const scene::Scene& page)
{
    std::vector<scene::Text> texts;
    for (const scene::Item& item : page.items)
        if (const auto* text = std::get_if<scene::Text>(&item))
            texts.push_back(*text);
    return texts;
}

void ExpectInside(const scene::Scene& page, const scene::Text& text, const std::string& what)
{
    const scene::Rect box = datasheet::EstimatedBox(text);
    EXPECT_GE(box.x, datasheet::kMargin - 0.01) << what << ": " << text.text;
    EXPECT_GE(box.y, datasheet::kMargin - 0.01) << what << ": " << text.text;
    EXPECT_LE(box.x + box.width, page.width - datasheet::kMargin + 0.01) << what << ": " << text.text;
    EXPECT_LE(box.y + box.height, page.height - datasheet::kMargin + 0.01) << what << ": " << text.text;
    EXPECT_GE(text.size, 6.5) << what << ": " << text.text;
}

bool Same(const scene::Text& a, const scene::Text& b)
{
    return a.text == b.text && a.at.x == b.at.x && a.at.y == b.at.y && a.size == b.size;
}

// Every text of the page inside the paper's margins and large enough to read; no two texts of the page's own
// (head, polar diagram, figures, tables, footer) on top of each other, nor one of the diagrams drawn elsewhere on
// one of them. How those diagrams place their own labels among themselves is theirs to test.
void ExpectLegible(const scene::Scene& page, const scene::Scene& own, const std::string& what)
{
    const std::vector<scene::Text> texts = Texts(page);
    const std::vector<scene::Text> mine = Texts(own);
    ASSERT_FALSE(mine.empty()) << what;
    for (const scene::Text& text : texts)
        ExpectInside(page, text, what);
    for (std::size_t i = 0; i < mine.size(); ++i) {
        const scene::Rect box = datasheet::EstimatedBox(mine[i]);
        for (std::size_t j = i + 1; j < mine.size(); ++j)
            EXPECT_FALSE(Overlap(box, datasheet::EstimatedBox(mine[j])))
                << what << ": \"" << mine[i].text << "\" and \"" << mine[j].text << "\"";
        for (const scene::Text& other : texts) {
            const bool theirs
                = std::none_of(mine.begin(), mine.end(), [&](const scene::Text& m) { return Same(m, other); });
            EXPECT_FALSE(theirs && Overlap(box, datasheet::EstimatedBox(other)))
                << what << ": \"" << mine[i].text << "\" and the diagram's \"" << other.text << "\"";
        }
    }
}

// A diagram without its texts: the same size, so the page is laid out as with it.
datasheet::DiagramBuilder Textless(
    scene::Scene (*build)(const diagrams::DiagramInput&, double, double), const diagrams::DiagramInput& input)
{
    return [build, input](double width, double height) {
        scene::Scene part = build(input, width, height);
        std::erase_if(part.items, [](const scene::Item& item) { return std::holds_alternative<scene::Text>(item); });
        return part;
    };
}

// The page without the texts of the diagrams drawn elsewhere.
scene::Scene OwnPage(const tDetailsFile& file, Paper paper, const char* separator = ".")
{
    const auto content = datasheet::BuildContent(file, ComputeFigures(file.Record, file.Header), separator);
    datasheet::SheetDiagrams diagrams;
    diagrams.Polar = datasheet::BuildPolarDiagram(content.Sections, content.Unit, separator);
    diagrams::DiagramInput input;
    input.ies = &file.Record;
    input.header = &file.Header;
    input.sections = diagrams::SectionFirst | diagrams::SectionSecond;
    input.perKlm = content.Unit == "cd/klm";
    input.decimalSeparator = separator;
    if (diagrams::Refusal(diagrams::Kind::Cone, input).empty()) {
        diagrams.Cartesian = Textless(diagrams::BuildCartesian, input);
        diagrams.Cone = Textless(diagrams::BuildCone, input);
    }
    return datasheet::BuildPage(content, diagrams, paper);
}

bool HasText(const scene::Scene& page, const std::string& text)
{
    for (const scene::Text& item : Texts(page))
        if (item.text.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(Datasheet, TextIsWrappedIntoTheWidthWithoutLosingOrSplittingCharacters)
{
    struct Case {
        std::string text;
        double width;
        int maxLines;
        std::size_t lines; // expected count
        bool cut; // ends in "..."
    };
    const std::string accents = "\xC3\xA9\xC3\xA8\xC3\xA0\xC3\xB6\xC3\xBC"; // five two-byte letters
    const Case cases[] = {
        { "", 100, 2, 0, false },
        { "short", 100, 2, 1, false },
        { "one two three four five six", 60, 5, 3, false },
        { kLong80, 300, 2, 2, false },
        { kLong80, 120, 2, 2, true },
        { std::string(60, 'x'), 100, 4, 4, false }, // one long word is cut inside
        { accents + accents + accents, 20, 6, 5, false }, // cut between letters, never inside one
        { "word " + std::string(40, 'y'), 50, 1, 1, true },
    };
    for (const Case& c : cases) {
        const auto lines = datasheet::WrapText(c.text, c.width, 10, false, c.maxLines);
        EXPECT_EQ(lines.size(), c.lines) << c.text;
        std::string joined;
        for (const std::string& line : lines) {
            EXPECT_LE(scene::EstimateTextWidth(line, 10), c.width + 1e-9) << c.text << " / " << line;
            ASSERT_FALSE(line.empty());
            EXPECT_NE(static_cast<unsigned char>(line.front()) & 0xC0, 0x80) << "starts inside a letter: " << line;
            const unsigned char last = static_cast<unsigned char>(line.back());
            EXPECT_FALSE(last >= 0xC0) << "ends inside a letter: " << line;
            joined += line;
        }
        const bool cut = !lines.empty() && lines.back().ends_with("...");
        EXPECT_EQ(cut, c.cut) << c.text;
        if (!c.cut) {
            std::string letters;
            for (const char ch : c.text)
                if (ch != ' ')
                    letters += ch;
            std::string kept;
            for (const char ch : joined)
                if (ch != ' ')
                    kept += ch;
            EXPECT_EQ(kept, letters) << "every letter kept, in order";
        }
    }
}

TEST(Datasheet, RingsAreRoundStepsThatCoverTheLargestValue)
{
    struct Case {
        double largest, step;
        int count;
    };
    const Case cases[] = {
        { 4818, 2000, 3 },
        { 1000, 250, 4 },
        { 999, 250, 4 },
        { 95, 25, 4 },
        { 12345, 5000, 3 },
        { 0.8, 0.2, 4 },
        { 0, 1, 1 },
        { -5, 1, 1 },
        { NAN, 1, 1 },
    };
    for (const Case& c : cases) {
        const datasheet::RingScale rings = datasheet::ChooseRings(c.largest);
        EXPECT_DOUBLE_EQ(rings.Step, c.step) << c.largest;
        EXPECT_EQ(rings.Count, c.count) << c.largest;
        EXPECT_GE(rings.Outer(), std::isnan(c.largest) ? 1 : c.largest);
    }
}

TEST(Datasheet, SectionsFollowTheFilesSymmetryAndType)
{
    // Planes by their angle; each plane's value at vertical angle v is 100 * (plane index + 1) + v.
    const auto record = [](std::vector<long double> planes, std::vector<long double> angles) {
        tIES ies;
        ies.HorizAngles = planes;
        ies.VertAngles = angles;
        for (std::size_t h = 0; h < planes.size(); ++h) {
            tArrEx row;
            for (const long double v : angles)
                row.push_back(100 * static_cast<long double>(h + 1) + v);
            ies.Candela.push_back(row);
        }
        return ies;
    };
    struct Case {
        const char* what;
        tIES ies;
        int type;
        std::vector<std::string> labels;
        // Value of the first section's point at this signed angle, and of the second's.
        long double angle, first, second;
    };
    const Case cases[] = {
        { "one plane", record({ 0 }, { 0, 45, 90 }), 1, { "C0-C180", "C90-C270" }, -45, 145, 145 },
        { "quadrant: C180 is C0, C270 is C90", record({ 0, 90 }, { 0, 45, 90 }), 1, { "C0-C180", "C90-C270" }, -45, 145,
            245 },
        { "bilateral 0-180: C270 is C90", record({ 0, 90, 180 }, { 0, 45, 90 }), 1, { "C0-C180", "C90-C270" }, -45, 345,
            245 },
        { "bilateral 90-270: C0 is C180", record({ 90, 180, 270 }, { 0, 45, 90 }), 1, { "C0-C180", "C90-C270" }, 45,
            245, 145 },
        { "full circle, C90 between C60 and C120", record({ 0, 60, 120, 180, 240, 300 }, { 0, 45 }), 1,
            { "C0-C180", "C90-C270" }, 45, 145, 295 },
        { "type B across -45..45", record({ -45, 0, 45 }, { -45, 0, 45 }), 2, { "Horizontal", "Vertical" }, -45, 100,
            155 },
        { "type A mirrored from 0", record({ 0, 30 }, { 0, 30 }), 3, { "Horizontal", "Vertical" }, -30, 200, 130 },
        { "type C without the planes at 0 and 90", record({ 10, 20 }, { 0, 45 }), 1, {}, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        const auto sections = datasheet::PolarSections(c.ies, c.type, 1);
        std::vector<std::string> labels;
        for (const auto& section : sections)
            labels.push_back(section.Label);
        EXPECT_EQ(labels, c.labels) << c.what;
        if (sections.size() != 2)
            continue;
        EXPECT_FALSE(sections[0].Dashed) << c.what;
        EXPECT_TRUE(sections[1].Dashed) << c.what;
        const long double expected[] = { c.first, c.second };
        for (int s = 0; s < 2; ++s) {
            bool found = false;
            for (std::size_t i = 0; i < sections[s].Points.size(); ++i) {
                EXPECT_LE(sections[s].Points[i > 0 ? i - 1 : 0].Angle, sections[s].Points[i].Angle) << c.what;
                if (sections[s].Points[i].Angle == c.angle && !found) {
                    EXPECT_NEAR(
                        static_cast<double>(sections[s].Points[i].Value), static_cast<double>(expected[s]), 1e-9)
                        << c.what << " section " << s;
                    found = true;
                }
            }
            EXPECT_TRUE(found) << c.what << " section " << s << " has no point at " << static_cast<double>(c.angle);
        }
    }
}

TEST(Datasheet, TheMainPlanesGiveTheSameSectionsAsTheWholeTable)
{
    struct Case {
        int planes; // evenly from 0 to last
        long double last;
        std::size_t kept; // planes in the cut-down record; 0: none made
    };
    const Case cases[] = {
        { 361, 360, 5 }, // 0..360 by 1
        { 25, 345, 4 }, // full circle without 360, C90 and C270 on 15-degree steps
        { 7, 330, 4 }, // full circle by 55 degrees: C90, C180 and C270 between planes
        { 19, 180, 3 }, // bilateral
        { 10, 90, 2 }, // quadrant
        { 1, 0, 0 }, // one plane
        { 5, 40, 0 }, // no symmetry covered
    };
    for (const Case& c : cases) {
        tDetailsFile file = MakeFile(c.planes, 37, 1, "x");
        for (int h = 0; h < c.planes; ++h)
            file.Record.HorizAngles[h] = c.planes == 1 ? 0 : c.last * h / (c.planes - 1);
        const std::optional<tIES> main = datasheet::MainPlanes(file.Record);
        EXPECT_EQ(main ? main->HorizAngles.size() : 0u, c.kept) << c.planes << " planes to " << double(c.last);
        if (!main)
            continue;
        EXPECT_EQ(main->VertAngles, file.Record.VertAngles);
        EXPECT_EQ(main->NumHorizAngles, c.kept);
        const auto whole = datasheet::PolarSections(file.Record, 1, 1);
        const auto cut = datasheet::PolarSections(*main, 1, 1);
        ASSERT_EQ(whole.size(), cut.size());
        for (std::size_t s = 0; s < whole.size(); ++s) {
            ASSERT_EQ(whole[s].Points.size(), cut[s].Points.size());
            for (std::size_t i = 0; i < whole[s].Points.size(); ++i) {
                EXPECT_EQ(whole[s].Points[i].Angle, cut[s].Points[i].Angle);
                EXPECT_EQ(whole[s].Points[i].Value, cut[s].Points[i].Value)
                    << c.planes << " planes, section " << s << " at " << double(whole[s].Points[i].Angle);
            }
        }
    }
}

TEST(Datasheet, VerdictCountsWarningsAndErrorsButNotNotes)
{
    const auto checks = [](int notes, int warnings, int errors) {
        Diagnostics list;
        for (int i = 0; i < notes; ++i)
            list.push_back({ Severity::Note, "n", 1, 0, "note" });
        for (int i = 0; i < warnings; ++i)
            list.push_back({ Severity::Warning, "w", 1, 0, "warning" });
        for (int i = 0; i < errors; ++i)
            list.push_back({ Severity::Error, "e", 1, 0, "error" });
        return list;
    };
    struct Case {
        int notes, warnings, errors;
        const char* verdict;
    };
    const Case cases[] = {
        { 0, 0, 0, "no problems found" },
        { 3, 0, 0, "no problems found" },
        { 0, 1, 0, "1 warning" },
        { 0, 0, 2, "2 errors" },
        { 1, 3, 1, "3 warnings, 1 error" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(datasheet::CheckVerdict(checks(c.notes, c.warnings, c.errors)), c.verdict);
}

TEST(Datasheet, ContentTakesTheSummarysTextsAndNamesTheUnit)
{
    struct Case {
        const char* sample;
        const char* title; // the luminaire, or the file's name
        const char* unit;
        const char* format;
        bool zonal;
    };
    const Case cases[] = {
        { "street_bilateral.ies", "Road luminaire, Type II medium, flat glass", "cd", "IES LM-63-2002", true },
        { "wallwasher_c0_c180.ldt", "Asymmetric wall washer 2 x LED", "cd/klm", "EULUMDAT", true },
    };
    for (const Case& c : cases) {
        const tDetailsFile file = SampleFile(c.sample);
        const PhotometricFigures figures = ComputeFigures(file.Record, file.Header);
        const auto content = datasheet::BuildContent(file, figures, ",");
        EXPECT_EQ(content.Title, c.title);
        EXPECT_EQ(content.Unit, c.unit);
        EXPECT_EQ(content.Head.back(), (tSummaryEntry { "Format", c.format }));
        EXPECT_EQ(content.Zonal.size(), c.zonal ? 19u : 1u);
        // Each figure on the sheet is the summary's own entry, with the same decimal separator.
        for (const tSummaryEntry& entry : FigureEntries(figures, ",")) {
            const bool shown
                = std::find(content.Figures.begin(), content.Figures.end(), entry) != content.Figures.end();
            EXPECT_EQ(shown, entry.first != "Number of lamps" && entry.first != "Ballast factor") << entry.first;
        }
        EXPECT_EQ(content.Sections.size(), 2u) << c.sample;
        EXPECT_TRUE(content.MadeWith.starts_with("Made with Gonilux "));
        EXPECT_EQ(content.Verdict, "Check: no problems found");
    }

    // A file without keywords: titled by its name, the head keeps the file and format lines only.
    tDetailsFile bare = MakeFile(3, 5, 1, "");
    bare.HeaderLines = { "TILT=NONE" };
    const auto content = datasheet::BuildContent(bare, ComputeFigures(bare.Record, bare.Header), ".");
    EXPECT_EQ(content.Title, "unnamed.ies");
    ASSERT_EQ(content.Head.size(), 2u);
    EXPECT_EQ(content.Head[0], (tSummaryEntry { "File", "unnamed.ies" }));
    EXPECT_EQ(content.Head[1], (tSummaryEntry { "Format", FormatName(bare.Path, bare.HeaderLines) }));
}

TEST(Datasheet, PagesStayLegibleForLongNamesAnyPlaneCountAndEveryType)
{
    struct Case {
        int planes, angles, type;
        std::string name;
        bool absolute;
    };
    const Case cases[] = {
        { 1, 19, 1, "Downlight", false }, { 2, 91, 1, kLong80, false }, { 361, 1801, 1, kLong80, true },
        { 37, 181, 1, std::string(80, 'W'), false }, { 19, 37, 2, kLong80, false }, // type B
        { 19, 37, 3, "Flood", true }, // type A
    };
    for (const Case& c : cases)
        for (const Paper paper : { Paper::A4, Paper::Letter }) {
            tDetailsFile file = MakeFile(c.planes, c.angles, c.type, c.name, c.absolute);
            file.Checks = { { Severity::Warning, "w", 3, 0, "a warning" } };
            const std::string what = std::to_string(c.planes) + " planes, type " + std::to_string(c.type) + ", "
                + (paper == Paper::A4 ? "A4" : "Letter") + ", " + c.name;
            const datasheet::Datasheet sheet = datasheet::BuildDatasheet(file, paper, ".");
            const datasheet::PaperSize size = datasheet::SizeOf(paper);
            EXPECT_EQ(sheet.Page.width, size.Width);
            EXPECT_EQ(sheet.Page.height, size.Height);
            ExpectLegible(sheet.Page, OwnPage(file, paper), what);
            EXPECT_TRUE(HasText(sheet.Page, "Luminous flux: ")) << what;
            EXPECT_TRUE(HasText(sheet.Page, "Check: 1 warning")) << what;
            EXPECT_TRUE(HasText(sheet.Page, c.type == 1 ? "C90-C270" : "Vertical")) << what;
            EXPECT_TRUE(HasText(sheet.Page, c.absolute ? "(cd)" : "(cd/klm)")) << what;
        }
}

TEST(Datasheet, TheUgrTableIsOnThePageWhenItFitsElseALineSaysWhy)
{
    struct Case {
        const char* sample;
        Paper paper;
        bool table; // else the line and its reason
        const char* reason;
    };
    const Case cases[] = {
        { "wallwasher_c0_c180.ldt", Paper::A4, true, "" },
        { "wallwasher_c0_c180.ldt", Paper::Letter, false, "does not fit on this page" },
        { "downlight_axial.ies", Paper::A4, false, "gives no luminous area" },
    };
    for (const Case& c : cases) {
        const tDetailsFile file = SampleFile(c.sample);
        const std::string what = std::string(c.sample) + (c.paper == Paper::A4 ? ", A4" : ", Letter");
        const datasheet::Datasheet sheet = datasheet::BuildDatasheet(file, c.paper, ",");
        ExpectLegible(sheet.Page, OwnPage(file, c.paper, ","), what);
        EXPECT_TRUE(HasText(sheet.Page, "Glare (UGR)")) << what;
        EXPECT_EQ(HasText(sheet.Page, "No UGR table: "), !c.table) << what;
        if (!c.table) {
            EXPECT_TRUE(HasText(sheet.Page, c.reason)) << what;
            continue;
        }
        // Every cell of the table as the glare module writes it, the caption naming the correction and spacing.
        const tUgrPageText ugr = UgrPageText(file.Record, file.Header, { 0.25L, true }, ",");
        ASSERT_EQ(ugr.rows.size(), 4u + 19u) << what;
        EXPECT_TRUE(HasText(sheet.Page, "UGR corrected for 1500 lm lamp flux")) << what;
        std::vector<std::string> texts;
        for (const scene::Text& text : Texts(sheet.Page))
            texts.push_back(text.text);
        for (const tUgrTextRow& row : ugr.rows)
            for (std::size_t cell = 2; cell < row.size(); ++cell)
                EXPECT_TRUE(row[cell].empty() || std::find(texts.begin(), texts.end(), row[cell]) != texts.end())
                    << what << ": " << row[cell];
        EXPECT_TRUE(ugr.rows[5][2].find(',') != std::string::npos) << "the page's decimal separator";
    }
}

TEST(Datasheet, AFileWithoutATableGivesNoPageButTheReason)
{
    tDetailsFile empty = MakeFile(2, 3, 1, "x");
    EmptyIntensityTable(empty.Record);
    tDetailsFile rowsWithoutValues = MakeFile(2, 3, 1, "x");
    for (tArrEx& row : rowsWithoutValues.Record.Candela)
        row.clear();
    for (const tDetailsFile* file : { &empty, &rowsWithoutValues }) {
        EXPECT_FALSE(datasheet::RefusalReason(*file).empty());
        EXPECT_THROW(datasheet::BuildDatasheet(*file, Paper::A4, "."), std::runtime_error);
    }
}

TEST(Datasheet, APlacedDiagramIsScaledUniformlyAndCentredAcrossItsBox)
{
    scene::Scene part;
    part.width = 100, part.height = 50;
    scene::Text text;
    text.at = { 100, 50 };
    text.size = 10;
    part.Add(text);
    scene::Polyline line;
    line.points = { { 0, 0 }, { 100, 50 } };
    line.pen.width = 1;
    part.Add(line);
    // Into 200 x 300 at (10, 20): scale 2, 200 to spare below (at the top) or 100 above and below.
    for (const bool top : { true, false }) {
        scene::Scene page;
        datasheet::PlaceScene(page, part, 10, 20, 200, 300, top);
        ASSERT_EQ(page.items.size(), 2u);
        const double upper = top ? 20 : 120;
        const auto& placed = std::get<scene::Text>(page.items[0]);
        EXPECT_DOUBLE_EQ(placed.at.x, 210);
        EXPECT_DOUBLE_EQ(placed.at.y, upper + 100);
        EXPECT_DOUBLE_EQ(placed.size, 20);
        const auto& stroke = std::get<scene::Polyline>(page.items[1]);
        EXPECT_DOUBLE_EQ(stroke.points[0].y, upper);
        EXPECT_DOUBLE_EQ(stroke.pen.width, 2);
    }
}
