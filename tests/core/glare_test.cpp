// The UGR table: the published worked example reproduced cell by cell, and the parts it is built from checked on
// their own (position index, zonal fluxes and background luminance, projected area, flux correction).
#include "PhotometricFile.h"
#include "PositionIndex.h"
#include "UgrBackground.h"
#include "UgrTable.h"
#include "UgrText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kExample = std::string(GONILUX_FIXTURES_DIR) + "/glare/worked-example.ldt";

struct ReadFile {
    tIES ies;
    tPhotometricHeader header;
};

ReadFile Read(const std::string& path)
{
    ReadFile file;
    TStringList lines, headerLines;
    LoadFileLines(path, lines);
    ReadPhotometricLines(path, lines, headerLines, file.ies, file.header, nullptr);
    return file;
}

// The published table: 19 rows of ten values (five crosswise, five endwise).
std::vector<std::vector<double>> PublishedTable()
{
    std::ifstream in(std::string(GONILUX_FIXTURES_DIR) + "/glare/worked-example-table.csv");
    std::vector<std::vector<double>> rows;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<double> row;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ','))
            row.push_back(std::stod(cell));
        if (!row.empty())
            rows.push_back(row);
    }
    return rows;
}

TEST(UgrTable, ReproducesTheWorkedExampleInEveryCell)
{
    const ReadFile file = Read(kExample);
    const tUgrResult result = ComputeUgrTable(file.ies, file.header, { 1.0L, false });
    ASSERT_TRUE(result.table) << result.reason;
    const auto published = PublishedTable();
    ASSERT_EQ(published.size(), 19u);
    for (int r = 0; r < 19; ++r) {
        const tUgrRow& row = result.table->rows[r];
        ASSERT_EQ(published[r].size(), 10u);
        for (int c = 0; c < 10; ++c) {
            const auto& cell = c < 5 ? row.crosswise[c] : row.endwise[c - 5];
            ASSERT_TRUE(cell) << "row " << r << " column " << c;
            const double diff = std::fabs(RoundedRating(*cell) - published[r][c]);
            EXPECT_LE(diff, 0.1 + 1e-9) << "room " << row.x << "H x " << row.y << "H, column " << c + 1 << ": " << *cell
                                        << " against " << published[r][c];
        }
    }
}

// The example's lines with some replaced (1-based line numbers of the EULUMDAT file).
ReadFile ReadExampleWith(const std::vector<std::pair<std::size_t, std::string>>& replaced)
{
    TStringList lines, headerLines;
    LoadFileLines(kExample, lines);
    for (const auto& [line, text] : replaced)
        lines.at(line - 1) = text;
    ReadFile file;
    ReadLDT(lines, headerLines, file.ies, file.header, nullptr);
    return file;
}

// The example as an IES file with the given photometric line (lamps, lumens, multiplier, counts, type, units,
// opening) and the vertical angles cut at lastGamma.
ReadFile ExampleAsIes(const std::string& lamps, int type, int units, const std::string& opening, double lastGamma = 180)
{
    const ReadFile ldt = Read(kExample);
    std::size_t kept = 0;
    while (kept < ldt.ies.VertAngles.size() && ldt.ies.VertAngles[kept] <= lastGamma)
        ++kept;
    std::ostringstream text;
    text << "IESNA:LM-63-2002\nTILT=NONE\n"
         << lamps << " 1 " << kept << ' ' << ldt.ies.HorizAngles.size() << ' ' << type << ' ' << units << ' ' << opening
         << "\n1 1 0\n";
    for (std::size_t v = 0; v < kept; ++v)
        text << ldt.ies.VertAngles[v] << ' ';
    text << '\n';
    for (const long double h : ldt.ies.HorizAngles)
        text << h << ' ';
    text << '\n';
    for (const tArrEx& row : ldt.ies.Candela) {
        for (std::size_t v = 0; v < kept; ++v)
            text << static_cast<double>(row[v]) << ' ';
        text << '\n';
    }
    TStringList lines, headerLines;
    std::string line;
    std::istringstream in(text.str());
    while (std::getline(in, line))
        lines.push_back(line);
    ReadFile file;
    ReadIES(lines, headerLines, file.ies, file.header, nullptr);
    return file;
}

TEST(PositionIndex, CellsMidpointsAndUndefinedNeighbours)
{
    struct Case {
        const char* what;
        long double tOverR, hOverR;
        std::optional<long double> expected;
    };
    const Case cases[] = {
        { "a cell", 0.5L, 0.3L, 2.10L },
        { "the first cell", 0, 0, 1.00L },
        { "the last column", 1.0L, 1.9L, 16.00L },
        { "the last row", 3.0L, 0.1L, 4.67L },
        { "a midpoint", 0.05L, 0.05L, (1.00L + 1.26L + 1.05L + 1.22L) / 4 },
        { "along a row", 1.0L, 0.25L, (2.75L + 3.10L) / 2 },
        { "along a column", 0.25L, 1.0L, (6.50L + 6.45L) / 2 },
        { "a quarter way", 2.025L, 0.0L, 0.75L * 3.50L + 0.25L * 3.60L },
        { "an undefined cell", 0.0L, 1.8L, std::nullopt },
        { "an undefined neighbour", 0.05L, 1.75L, std::nullopt },
        { "an undefined neighbour across", 0.35L, 1.85L, std::nullopt },
        { "beyond T/R 3", 3.05L, 0.5L, std::nullopt },
        { "beyond H/R 1.9", 1.0L, 1.95L, std::nullopt },
        { "negative", -0.1L, 0.5L, std::nullopt },
    };
    for (const Case& c : cases) {
        const std::optional<long double> p = PositionIndex(c.tOverR, c.hOverR);
        ASSERT_EQ(p.has_value(), c.expected.has_value()) << c.what;
        if (p) {
            EXPECT_NEAR(static_cast<double>(*p), static_cast<double>(*c.expected), 1e-12) << c.what;
        }
    }
}

// A record whose stored intensity is 100 + C (the plane's angle) at every vertical angle 0 to 90.
ReadFile Planes(const std::vector<long double>& angles)
{
    ReadFile file;
    file.ies.HorizAngles = angles;
    file.ies.VertAngles = { 0, 45, 90 };
    for (const long double c : angles)
        file.ies.Candela.push_back({ 100 + c, 100 + c, 100 + c });
    file.header.NumberOfLamps = 1;
    file.header.LumensPerLamp = 1000;
    file.header.CandelaMultiplier = 1;
    file.header.PhotometricType = 1;
    file.header.UnitsType = 2;
    file.header.Width = 0.5L;
    file.header.Length = 0.5L;
    return file;
}

TEST(GlareLuminaire, IntensityUnfoldsTheFilesSymmetry)
{
    struct Case {
        const char* what;
        std::vector<long double> planes;
        long double c, gamma, expected;
    };
    const Case cases[] = {
        { "one plane", { 0 }, 123, 10, 100 },
        { "quadrant, stored", { 0, 45, 90 }, 45, 30, 145 },
        { "quadrant, between planes", { 0, 45, 90 }, 30, 30, 130 },
        { "quadrant, mirrored over C90", { 0, 45, 90 }, 150, 30, 130 },
        { "quadrant, third quarter", { 0, 45, 90 }, 200, 30, 120 },
        { "quadrant, negative", { 0, 45, 90 }, -10, 30, 110 },
        { "bilateral about C0", { 0, 90, 180 }, 300, 30, 160 },
        { "bilateral about C90", { 90, 180, 270 }, 30, 30, 250 },
        { "bilateral about C90, last quarter", { 90, 180, 270 }, 300, 30, 340 },
        { "full circle, past the last plane", { 0, 90, 180, 270 }, 315, 30, (370.0L + 100) / 2 },
        { "full circle to 360", { 0, 180, 360 }, 270, 30, 370 },
        { "beyond the last vertical angle", { 0, 90, 180, 270 }, 0, 120, 0 },
    };
    for (const Case& c : cases) {
        const ReadFile file = Planes(c.planes);
        std::string reason;
        const auto luminaire = tGlareLuminaire::Of(file.ies, file.header, reason);
        ASSERT_TRUE(luminaire) << c.what << ": " << reason;
        EXPECT_NEAR(static_cast<double>(luminaire->Intensity(c.c, c.gamma)), static_cast<double>(c.expected), 1e-12)
            << c.what;
    }
    // The mean over the circle of the quadrant's 100 + folded C: 100 + 45.
    std::string reason;
    const ReadFile quadrant = Planes({ 0, 45, 90 });
    EXPECT_NEAR(
        static_cast<double>(tGlareLuminaire::Of(quadrant.ies, quadrant.header, reason)->MeanIntensity(20)), 145, 1e-12);
}

TEST(UgrBackground, ZonalFluxesAndBackgroundOfTheExampleRoom)
{
    const ReadFile file = Read(kExample);
    std::string reason;
    const auto luminaire = tGlareLuminaire::Of(file.ies, file.header, reason);
    ASSERT_TRUE(luminaire) << reason;
    const auto zones = ugr::ZonalFluxes(*luminaire);
    long double downward = 0, total = 0;
    for (int z = 0; z < ugr::kZones; ++z) {
        total += zones[z];
        downward += z < 9 ? zones[z] : 0;
    }
    EXPECT_NEAR(static_cast<double>(total), 649.7, 1e-9); // scaled to the stated ratio, 64.97 %
    EXPECT_NEAR(static_cast<double>(downward / 1000), 0.650, 0.0005);

    const int room = 10; // 4H x 8H
    ASSERT_EQ(ugr::kRoomSizes[room].x, 4);
    ASSERT_EQ(ugr::kRoomSizes[room].y, 8);
    const ugr::FluxShares shares = ugr::RoomFluxShares(zones, room);
    EXPECT_NEAR(static_cast<double>(shares.floor), 0.497, 0.0005);
    EXPECT_NEAR(static_cast<double>(shares.walls), 0.153, 0.0005);
    EXPECT_EQ(shares.ceiling, 0);
    // 32 luminaires at SHR 1, 70/50/20.
    EXPECT_NEAR(static_cast<double>(ugr::BackgroundLuminance(shares, room, 0, 32)), 9.49, 0.005);
}

TEST(LuminousArea, ProjectedAreaWithSideHeights)
{
    // The example with luminous-area sides of 50, 40, 30 and 20 mm facing C0, C90, C180 and C270.
    const ReadFile file = ReadExampleWith({ { 18, "50" }, { 19, "40" }, { 20, "30" }, { 21, "20" } });
    std::string reason;
    const auto area = LuminousAreaOf(file.header, reason);
    ASSERT_TRUE(area) << reason;
    const ReadFile round = ReadExampleWith({ { 17, "0" }, { 16, "200" }, { 18, "50" } });
    const auto disc = LuminousAreaOf(round.header, reason);
    ASSERT_TRUE(disc) << reason;
    const long double s = std::sqrt(0.5L);
    struct Case {
        const char* what;
        const tLuminousArea& area;
        long double c, gamma, expected;
    };
    const Case cases[] = {
        { "from below", *area, 0, 0, 1.0L * 0.316L },
        { "side facing C0", *area, 0, 90, 1.0L * 0.05L },
        { "side facing C90", *area, 90, 90, 0.316L * 0.04L },
        { "side facing C180", *area, 180, 90, 1.0L * 0.03L },
        { "side facing C270", *area, 270, 90, 0.316L * 0.02L },
        { "oblique", *area, 45, 60, 0.316L * 0.5L + (1.0L * s * 0.05L + 0.316L * s * 0.04L) * std::sqrt(0.75L) },
        { "oblique behind", *area, 225, 60,
            0.316L * 0.5L + (1.0L * s * 0.03L + 0.316L * s * 0.02L) * std::sqrt(0.75L) },
        { "disc from below", *disc, 30, 0, 3.14159265358979L * 0.01L },
        { "disc from the side", *disc, 123, 90, 0.2L * 0.05L },
    };
    for (const Case& c : cases)
        EXPECT_NEAR(static_cast<double>(ProjectedArea(c.area, c.c, c.gamma)), static_cast<double>(c.expected), 1e-12)
            << c.what;
}

TEST(LuminousArea, IesOpenings)
{
    struct Case {
        const char* what;
        long double width, length, height, units;
        bool circular;
        long double expectedLength, expectedWidth, expectedHeight;
    };
    const Case cases[] = {
        { "rectangle in metres", 0.6L, 0.3L, 0.1L, 2, false, 0.6L, 0.3L, 0.1L },
        { "rectangle in feet", 2, 1, 0, 1, false, 0.6096L, 0.3048L, 0 },
        { "disc", -0.2L, -0.2L, 0, 2, true, 0.2L, 0, 0 },
        { "disc without a length", -0.12L, 0, 0, 2, true, 0.12L, 0, 0 },
        { "standing cylinder", -0.12L, 0, 0.34L, 2, true, 0.12L, 0, 0.34L },
    };
    for (const Case& c : cases) {
        tPhotometricHeader header;
        header.Width = c.width;
        header.Length = c.length;
        header.Height = c.height;
        header.UnitsType = c.units;
        std::string reason;
        const auto area = LuminousAreaOf(header, reason);
        ASSERT_TRUE(area) << c.what << ": " << reason;
        EXPECT_EQ(area->circular, c.circular) << c.what;
        EXPECT_NEAR(static_cast<double>(area->length), static_cast<double>(c.expectedLength), 1e-12) << c.what;
        EXPECT_NEAR(static_cast<double>(area->width), static_cast<double>(c.expectedWidth), 1e-12) << c.what;
        EXPECT_NEAR(static_cast<double>(area->heights[2]), static_cast<double>(c.expectedHeight), 1e-12) << c.what;
    }
}

TEST(UgrTable, FluxCorrectionAddsEightLogOfTheFlux)
{
    EXPECT_NEAR(static_cast<double>(FluxCorrection(1000)), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(FluxCorrection(10000)), 8, 1e-12);
    // A lamp flux of 2500 lm: intensities per klm (so the uncorrected table) stay; corrected adds 8 log10 2.5.
    const ReadFile base = Read(kExample);
    const ReadFile brighter = ReadExampleWith({ { 29, "2500" } });
    const auto plain = ComputeUgrTable(base.ies, base.header, { 0.25L, false });
    const auto uncorrected = ComputeUgrTable(brighter.ies, brighter.header, { 0.25L, false });
    const auto corrected = ComputeUgrTable(brighter.ies, brighter.header, { 0.25L, true });
    ASSERT_TRUE(plain.table && uncorrected.table && corrected.table);
    EXPECT_EQ(corrected.table->fluxLm, 2500);
    EXPECT_EQ(uncorrected.table->fluxLm, 1000);
    for (int r = 0; r < ugr::kRooms; ++r)
        for (int s = 0; s < ugr::kReflectances; ++s) {
            EXPECT_NEAR(*uncorrected.table->rows[r].endwise[s], *plain.table->rows[r].endwise[s], 1e-9);
            EXPECT_NEAR(*corrected.table->rows[r].crosswise[s] - *uncorrected.table->rows[r].crosswise[s],
                8 * std::log10(2.5), 1e-9);
        }
}

TEST(UgrTable, IesReadingsGiveTheSameTable)
{
    const ReadFile example = Read(kExample);
    const auto ldt = ComputeUgrTable(example.ies, example.header, { 1.0L, false });
    ASSERT_TRUE(ldt.table);
    // The IES files state no light output ratio: the computed 64.94 % stands for the stated 64.97 %. Absolute
    // photometry rates per klm of the luminaire's own flux (649.4 lm): corrected for it, it is the 1000 lm table.
    struct Case {
        const char* what;
        ReadFile file;
        bool corrected;
    };
    const Case cases[] = {
        { "metres", ExampleAsIes("1 1000", 1, 2, "1.0 0.316 0"), false },
        { "feet", ExampleAsIes("1 1000", 1, 1, "3.280839895 1.036745407 0"), false },
        { "absolute photometry", ExampleAsIes("1 -1", 1, 2, "1.0 0.316 0"), true },
    };
    for (const Case& c : cases) {
        const auto ies = ComputeUgrTable(c.file.ies, c.file.header, { 1.0L, c.corrected });
        ASSERT_TRUE(ies.table) << c.what << ": " << ies.reason;
        EXPECT_NEAR(ies.table->fileFluxLm, c.corrected ? 649.4 : 1000, 0.1) << c.what;
        for (int r = 0; r < ugr::kRooms; ++r)
            for (int s = 0; s < ugr::kReflectances; ++s) {
                EXPECT_NEAR(*ies.table->rows[r].crosswise[s], *ldt.table->rows[r].crosswise[s], 0.01) << c.what;
                EXPECT_NEAR(*ies.table->rows[r].endwise[s], *ldt.table->rows[r].endwise[s], 0.01) << c.what;
            }
    }
}

TEST(UgrText, RowsForAPage)
{
    const ReadFile example = Read(kExample);
    const tUgrPageText page = UgrPageText(example.ies, example.header, { 1.0L, true }, ",");
    ASSERT_TRUE(page.reason.empty()) << page.reason;
    EXPECT_EQ(page.caption, "UGR corrected for 1000 lm lamp flux (+0,0), spacing to height ratio 1");
    ASSERT_EQ(page.rows.size(), static_cast<std::size_t>(kUgrHeadingRows + ugr::kRooms));
    const tUgrTextRow heading[] = {
        { "Ceiling", "", "70", "70", "50", "50", "30", "70", "70", "50", "50", "30" },
        { "Walls", "", "50", "30", "50", "30", "30", "50", "30", "50", "30", "30" },
        { "Floor", "", "20", "20", "20", "20", "20", "20", "20", "20", "20", "20" },
        { "X", "Y", "Viewed crosswise", "", "", "", "", "Viewed endwise", "", "", "", "" },
    };
    for (int r = 0; r < kUgrHeadingRows; ++r)
        EXPECT_EQ(page.rows[r], heading[r]) << r;
    // Room 12H x 8H with the decimal comma (13.78 against the published 13.7, 16.67 against 16.7).
    const tUgrTextRow& last = page.rows.back();
    ASSERT_EQ(last.size(), static_cast<std::size_t>(kUgrColumns));
    EXPECT_EQ(last[0], "12H");
    EXPECT_EQ(last[1], "8H");
    EXPECT_EQ(last[2], "13,8");
    EXPECT_EQ(last[11], "16,7");
    EXPECT_NE(page.conditions.find("eye 1.2 m above the floor"), std::string::npos);

    const ReadFile noArea = ReadExampleWith({ { 16, "0" }, { 17, "0" } });
    const tUgrPageText none = UgrPageText(noArea.ies, noArea.header, {}, ".");
    EXPECT_FALSE(none.reason.empty());
    EXPECT_TRUE(none.rows.empty());
}

TEST(UgrTable, FilesWithoutATableSayWhy)
{
    struct Case {
        const char* what;
        ReadFile file;
        tUgrOptions options;
        const char* reasonPart;
    };
    const Case cases[] = {
        { "type B", ExampleAsIes("1 1000", 2, 2, "1.0 0.316 0"), {}, "type B" },
        { "type A", ExampleAsIes("1 1000", 3, 2, "1.0 0.316 0"), {}, "type A" },
        { "table stops at 80 degrees", ExampleAsIes("1 1000", 1, 2, "1.0 0.316 0", 80), {}, "stop at 80" },
        { "no luminous opening", ExampleAsIes("1 1000", 1, 2, "0 0 0"), {}, "no luminous area" },
        { "an elliptic opening", ExampleAsIes("1 1000", 1, 2, "-1.0 -0.316 0"), {}, "ellipse" },
        { "a spherical opening", ExampleAsIes("1 1000", 1, 2, "-0.2 -0.2 -0.2"), {}, "sphere" },
        { "no luminous-area lines", ReadExampleWith({ { 16, "0" }, { 17, "0" } }), {}, "no luminous area" },
        { "a spacing that does not fit", Read(kExample), { 0.3L, false }, "spacing" },
    };
    for (const Case& c : cases) {
        const tUgrResult result = ComputeUgrTable(c.file.ies, c.file.header, c.options);
        EXPECT_FALSE(result.table) << c.what;
        EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << c.what << ": " << result.reason;
    }
}

} // namespace
