// The diagrams' numbers against hand-computed cases, contour tracing, and the laid-out scenes' labels.
#include "Contours.h"
#include "DiagramInput.h"
#include "Diagrams.h"
#include "Plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

using diagrams::DiagramInput;
using diagrams::Kind;

struct Record {
    tIES ies;
    tPhotometricHeader header;
    double coneFrom = 1, coneTo = 5;
    DiagramInput Input() const
    {
        DiagramInput input;
        input.ies = &ies;
        input.header = &header;
        input.coneFrom = coneFrom;
        input.coneTo = coneTo;
        return input;
    }
};

// Type C with the given planes, vertical angles and rows; multiplier and lamp flux as given.
Record Make(
    tArrEx horizontal, tArrEx vertical, std::vector<tArrEx> candela, long double type = 1, long double multiplier = 1)
{
    Record r;
    r.ies.HorizAngles = std::move(horizontal);
    r.ies.VertAngles = std::move(vertical);
    r.ies.Candela = std::move(candela);
    r.ies.NumHorizAngles = static_cast<uint16_t>(r.ies.HorizAngles.size());
    r.ies.NumVertAngles = static_cast<uint16_t>(r.ies.VertAngles.size());
    r.header.PhotometricType = type;
    r.header.CandelaMultiplier = multiplier;
    r.header.NumberOfLamps = 1;
    r.header.LumensPerLamp = 1000;
    return r;
}

// 1000 cd up to 20 degrees, falling linearly to 0 at 40: the 50 % crossings are at +-30, a 60 degree beam.
Record Spot() { return Make({ 0 }, { 0, 20, 40, 90 }, { { 1000, 1000, 0, 0 } }); }

double Cell(const diagrams::ValueTable& table, std::size_t row, std::size_t column)
{
    return table.rows.at(row).at(column).value();
}

TEST(IsoluxValues, FollowTheFormulaAndAreSymmetricForOnePlane)
{
    // Constant 1000 cd to 90 degrees: E = 1000 cos^3(gamma) / h^2.
    const Record flat = Make({ 0 }, { 0, 90 }, { { 1000, 1000 } }, 1, 2);
    DiagramInput input = flat.Input();
    input.height = 3;
    input.grid = 5; // x, y in -6, -3, 0, 3, 6
    const diagrams::ValueTable table = diagrams::IsoluxValues(input);
    ASSERT_EQ(table.columns, (std::vector<std::string> { "x", "y", "lux" }));
    ASSERT_EQ(table.rows.size(), 25u);
    EXPECT_EQ(Cell(table, 1, 0), -3); // x varies fastest
    EXPECT_EQ(Cell(table, 1, 1), -6);
    EXPECT_NEAR(Cell(table, 12, 2), 2000.0 / 9, 1e-9); // under the luminaire, times the multiplier
    const double at45 = 2000 * std::pow(std::cos(std::numbers::pi / 4), 3) / 9; // (3, 0): gamma 45
    EXPECT_NEAR(Cell(table, 13, 2), at45, 1e-9);
    for (std::size_t j = 0; j < 5; ++j)
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_NEAR(Cell(table, j * 5 + i, 2), Cell(table, i * 5 + j, 2), 1e-9) << i << "," << j;
            EXPECT_NEAR(Cell(table, j * 5 + i, 2), Cell(table, j * 5 + (4 - i), 2), 1e-9) << i << "," << j;
        }
    input.extent = 1.5; // explicit extent
    EXPECT_EQ(Cell(diagrams::IsoluxValues(input), 0, 0), -1.5);
}

TEST(IsoluxValues, AQuadrantFileReadAroundTheCircle)
{
    // Planes 0, 45, 90 at 100, 200, 300 cd in every direction below the horizon; h = 1, points -2..2 by 1.
    const Record quadrant = Make({ 0, 45, 90 }, { 0, 90 }, { { 100, 100 }, { 200, 200 }, { 300, 300 } });
    DiagramInput input = quadrant.Input();
    input.height = 1;
    input.grid = 5;
    input.extent = 2;
    const diagrams::ValueTable table = diagrams::IsoluxValues(input);
    const double cube3 = std::pow(1 / std::sqrt(3.0), 3), cube5 = std::pow(1 / std::sqrt(5.0), 3);
    const struct {
        double x, y, lux;
    } points[] = {
        { -1, 1, 200 * cube3 }, // C 135 reads 45
        { 1, -1, 200 * cube3 }, // C 315 reads 45
        { 0, 2, 300 * cube5 }, // C 90
        { -2, 0, 100 * cube5 }, // C 180 reads 0
        { 0, -2, 300 * cube5 }, // C 270 reads 90
        { 0, 0, 100 }, // nadir: C 0 by atan2(0, 0)
    };
    for (const auto& p : points) {
        const std::size_t row = static_cast<std::size_t>((p.y + 2) * 5 + (p.x + 2));
        EXPECT_EQ(Cell(table, row, 0), p.x);
        EXPECT_EQ(Cell(table, row, 1), p.y);
        EXPECT_NEAR(Cell(table, row, 2), p.lux, 1e-9) << p.x << "," << p.y;
    }
}

TEST(ConeValues, IlluminanceUnderTheLuminaireAndBeamDiameter)
{
    const Record spot = Spot();
    DiagramInput input = spot.Input();
    input.coneFrom = 2;
    input.coneTo = 6;
    const diagrams::ValueTable table = diagrams::ConeValues(input);
    ASSERT_EQ(table.rows.size(), 5u);
    const double heights[] = { 2, 3, 4, 5, 6 };
    for (std::size_t k = 0; k < 5; ++k) {
        const double h = heights[k];
        EXPECT_EQ(Cell(table, k, 0), h);
        EXPECT_NEAR(Cell(table, k, 1), 1000 / (h * h), 1e-9);
        EXPECT_NEAR(Cell(table, k, 2), 2 * h * std::tan(std::numbers::pi / 6), 1e-9);
        EXPECT_NEAR(Cell(table, k, 3), 2 * h * std::tan(std::numbers::pi / 6), 1e-9);
    }
    // A beam of 180 degrees or more has no diameter on the floor, nor has a file without a beam angle.
    const Record flood = Make({ 0 }, { 0, 100, 110, 180 }, { { 1000, 1000, 0, 0 } });
    EXPECT_FALSE(diagrams::ConeValues(flood.Input()).rows.at(0).at(2).has_value());
    const Record dark = Make({ 0 }, { 0, 90 }, { { 0, 0 } });
    EXPECT_FALSE(diagrams::ConeValues(dark.Input()).rows.at(0).at(2).has_value());
}

TEST(CartesianValues, SignedAnglesReadTheOppositePlane)
{
    // Quadrant planes 0 and 90: C180 reads C0 and C270 reads C90; the plane shown is 90.
    const Record quadrant = Make({ 0, 90 }, { 0, 45, 90 }, { { 10, 20, 30 }, { 40, 50, 60 } });
    DiagramInput input = quadrant.Input();
    input.plane = 1;
    const diagrams::ValueTable table = diagrams::CartesianValues(input);
    ASSERT_EQ(table.columns, (std::vector<std::string> { "gamma", "c0_180", "c90_270", "plane" }));
    const std::vector<std::vector<double>> expected
        = { { -90, 30, 60, 60 }, { -45, 20, 50, 50 }, { 0, 10, 40, 40 }, { 45, 20, 50, 50 }, { 90, 30, 60, 60 } };
    ASSERT_EQ(table.rows.size(), expected.size());
    for (std::size_t r = 0; r < expected.size(); ++r)
        for (std::size_t c = 0; c < 4; ++c)
            EXPECT_EQ(Cell(table, r, c), expected[r][c]) << r << "," << c;
    // cd/klm: the lamp flux is 1000 lm, so the numbers stay; with 500 lm they double.
    Record half = quadrant;
    half.header.LumensPerLamp = 500;
    DiagramInput perKlm = half.Input();
    perKlm.perKlm = true;
    EXPECT_EQ(Cell(diagrams::CartesianValues(perKlm), 2, 1), 20);
}

TEST(DiagramRefusals, TypeBHasOnlyTheCartesianCurve)
{
    // Type B: horizontal 0..90 (mirrored), vertical -90..90.
    const Record typeB = Make({ 0, 90 }, { -90, 0, 90 }, { { 1, 5, 2 }, { 3, 7, 4 } }, 2);
    for (Kind kind : { Kind::Isolux, Kind::Cone, Kind::Isocandela }) {
        const diagrams::ValueTable table = diagrams::DiagramValues(kind, typeB.Input());
        EXPECT_EQ(table.refusal, "Type B photometry: this diagram needs type C") << diagrams::KindKey(kind);
        EXPECT_TRUE(table.rows.empty());
    }
    const diagrams::ValueTable cartesian = diagrams::CartesianValues(typeB.Input());
    ASSERT_TRUE(cartesian.refusal.empty());
    EXPECT_EQ(cartesian.columns[1], "horizontal");
    ASSERT_EQ(cartesian.rows.size(), 3u); // -90, 0, 90
    EXPECT_EQ(Cell(cartesian, 1, 1), 5); // horizontal section at H 0, V 0
    EXPECT_EQ(Cell(cartesian, 2, 2), 2); // vertical section at V 90
    EXPECT_EQ(diagrams::DiagramValues(Kind::Cartesian, DiagramInput {}).refusal, "No file loaded.");
    const Record typeSeven = Make({ 0 }, { 0, 90 }, { { 1, 1 } }, 7);
    EXPECT_EQ(diagrams::Refusal(Kind::Cone, typeSeven.Input()), "Photometric type 7: this diagram needs type C");
}

TEST(IsocandelaValues, EveryFiveDegreesOfCAndTwoAndAHalfOfGamma)
{
    const Record quadrant = Make({ 0, 90 }, { 0, 180 }, { { 0, 180 }, { 90, 270 } });
    const diagrams::ValueTable table = diagrams::IsocandelaValues(quadrant.Input());
    ASSERT_EQ(table.rows.size(), 72u * 73u);
    // Row for C = 135 (index 27), gamma = 90 (index 36): C 135 reads 45, so (45 + 225) / 2 between planes.
    const std::size_t row = 27 * 73 + 36;
    EXPECT_EQ(Cell(table, row, 0), 135);
    EXPECT_EQ(Cell(table, row, 1), 90);
    EXPECT_NEAR(Cell(table, row, 2), (90 + 180) / 2.0, 1e-9);
}

TEST(DiagramNumbers, LevelsStepsAndText)
{
    EXPECT_EQ(diagrams::IsoluxLevels(164), (std::vector<double> { 0.5, 1, 2, 5, 10, 20, 50, 100 }));
    EXPECT_EQ(diagrams::IsoluxLevels(100, 3), (std::vector<double> { 10, 20, 50 })); // the top three below 100
    EXPECT_TRUE(diagrams::IsoluxLevels(0).empty());
    const struct {
        double range;
        int ticks;
        double step;
    } steps[] = { { 1480, 6, 500 }, { 12, 8, 2 }, { 0.9, 4, 0.5 }, { 360, 8, 50 } };
    for (const auto& s : steps)
        EXPECT_EQ(diagrams::NiceStep(s.range, s.ticks), s.step) << s.range;
    EXPECT_EQ(diagrams::Compact(3, ","), "3");
    EXPECT_EQ(diagrams::Compact(0.5, ","), "0,5");
    EXPECT_EQ(diagrams::Reading(1234.5, "."), "1234"); // halves to even, as printf rounds
    diagrams::ValueTable table { { "a", "b" }, { { 1.5, std::nullopt }, { 0.1, 1e21 } }, "" };
    EXPECT_EQ(diagrams::ValuesText(table, ','), "a,b\n1.5,\n0.1,1e+21\n");
    EXPECT_EQ(diagrams::ValuesText(table, '\t', ","), "a\tb\n1,5\t\n0,1\t1e+21\n");
}

TEST(ContourLines, TraceClosedRingsAndSplitSaddles)
{
    // A cone r = distance from the centre of a 21 x 21 grid: the level 5 is a closed ring of radius 5.
    diagrams::FieldGrid cone { 21, 21, {} };
    for (int j = 0; j < 21; ++j)
        for (int i = 0; i < 21; ++i)
            cone.values.push_back(std::hypot(i - 10.0, j - 10.0));
    const auto rings = diagrams::ContourLines(cone, 5);
    ASSERT_EQ(rings.size(), 1u);
    const auto& ring = rings.front();
    EXPECT_NEAR(ring.front().x, ring.back().x, 1e-12);
    EXPECT_NEAR(ring.front().y, ring.back().y, 1e-12);
    for (const scene::Point& p : ring)
        EXPECT_NEAR(std::hypot(p.x - 10, p.y - 10), 5, 0.1);
    // A saddle cell: corners 1, 0, 1, 0 with the mean below 0.6: two separate pieces cutting off the high corners.
    const diagrams::FieldGrid saddle { 2, 2, { 1, 0, 0, 1 } };
    EXPECT_EQ(diagrams::ContourLines(saddle, 0.6).size(), 2u);
    EXPECT_EQ(diagrams::ContourLines(saddle, 0.4).size(), 2u);
    EXPECT_TRUE(diagrams::ContourLines(saddle, 2).empty());
}

TEST(DiagramScenes, HostileNumbersDrawWithoutFault)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    const Record cases[] = {
        Make({ 0, nan, 90 }, { 0, nan, 90 }, { { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } }),
        Make({ 0, 90 }, { 0, 90 }, { { nan, inf }, { -inf, 1e300 } }),
        Make({ 0, 90 }, { 0, 90 }, { { 1, inf }, { 2, 3 } }),
        Make({ 0, 90 }, { 0, 90 }, { { 1, 1e308 }, { -1e308, 3 } }),
        Make({ 0, 90 }, { 0, 90 }, { { 1 }, {} }), // rows shorter than the angle lists
        Make({ 0 }, {}, { {} }),
        Make({ 0, 90 }, { 0, 90 }, { { 1, 2 }, { 3, 4 } }, 1, nan),
    };
    for (const Record& record : cases)
        for (int k = 0; k < diagrams::kKindCount; ++k) {
            const scene::Scene scene = diagrams::BuildDiagram(static_cast<Kind>(k), record.Input(), 600, 600);
            EXPECT_FALSE(scene.items.empty());
            const diagrams::ValueTable table = diagrams::DiagramValues(static_cast<Kind>(k), record.Input());
            EXPECT_FALSE(diagrams::ValuesText(table, ',').empty());
        }
}

// A text's box by the layout's own width estimate and its anchor (upright texts only).
diagrams::Box TextBox(const scene::Text& text)
{
    const double width = scene::EstimateTextWidth(text.text, text.size, text.bold), height = text.size * 1.2;
    const int anchor = static_cast<int>(text.anchor);
    const double x = text.at.x - width * (anchor % 3) / 2.0, y = text.at.y - height * (anchor / 3) / 2.0;
    return { x, y, width, height };
}

TEST(DiagramScenes, LabelsStayInsideAndApartAtTheUsualSizes)
{
    const Record spot = Spot();
    const Record street = Make(
        { 0, 90, 180 }, { 0, 30, 60, 90 }, { { 800, 900, 300, 0 }, { 800, 2000, 3000, 0 }, { 800, 700, 100, 0 } });
    const Record wide = Make({ 0 }, { 0, 70, 85, 90 }, { { 1000, 1000, 0, 0 } }); // a 155 degree beam
    // The cone's heights close together far from the luminaire, to scale only 4 units apart.
    const Record far = [&] {
        Record r = wide;
        r.coneFrom = 10, r.coneTo = 11;
        return r;
    }();
    for (const Record* record : { &spot, &street, &wide, &far })
        for (int k = 0; k < diagrams::kKindCount; ++k)
            for (const auto& [w, h] : { std::pair { 600.0, 600.0 }, std::pair { 380.0, 320.0 } }) {
                const scene::Scene scene = diagrams::BuildDiagram(static_cast<Kind>(k), record->Input(), w, h);
                std::vector<diagrams::Box> boxes;
                std::vector<std::string> texts;
                for (const scene::Item& item : scene.items)
                    if (const auto* text = std::get_if<scene::Text>(&item); text && text->rotation == 0) {
                        boxes.push_back(TextBox(*text));
                        texts.push_back(text->text);
                    }
                ASSERT_GT(boxes.size(), 3u);
                const diagrams::Box page { 0, 0, scene.width, scene.height };
                for (std::size_t a = 0; a < boxes.size(); ++a) {
                    EXPECT_TRUE(boxes[a].Inside(page)) << k << " " << texts[a] << " at " << boxes[a].x;
                    for (std::size_t b = a + 1; b < boxes.size(); ++b)
                        EXPECT_FALSE(boxes[a].Overlaps(boxes[b]))
                            << "kind " << k << " at " << w << ": " << texts[a] << " and " << texts[b];
                }
            }
}

} // namespace
