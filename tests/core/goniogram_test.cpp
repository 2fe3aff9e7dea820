// Plane sampling, the ring scale, the number format and the diagram's drawing operations.
#include "Goniogram.h"
#include "NumberFormat.h"
#include "PlaneSampling.h"
#include "RecordingSurface.h"
#include "ScaleRings.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <sstream>

namespace {

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double Inf = std::numeric_limits<long double>::infinity();

tIES MakeIes(const tArrEx& horiz, const tArrEx& vert, const std::function<long double(size_t, size_t)>& value)
{
    tIES ies;
    ies.HorizAngles = horiz;
    ies.VertAngles = vert;
    ies.NumHorizAngles = static_cast<uint16_t>(horiz.size());
    ies.NumVertAngles = static_cast<uint16_t>(vert.size());
    for (size_t h = 0; h < horiz.size(); ++h) {
        ies.Candela.emplace_back();
        for (size_t v = 0; v < vert.size(); ++v)
            ies.Candela.back().push_back(value(h, v));
    }
    return ies;
}

tArrEx Steps(long double from, long double step, int count)
{
    tArrEx out;
    for (int i = 0; i < count; ++i)
        out.push_back(from + i * step);
    return out;
}

// DrawIES alone on a fresh recording surface, scale fixed at `maximum` (fit up).
std::vector<std::string> DrawOps(const tIES& ies, long double maximum, int size = 600, int plane = 0)
{
    RecordingSurface surface;
    GoniogramInput input { &ies, plane, false, false, maximum, size, size, "." };
    DrawIES(surface, input);
    EXPECT_EQ(surface.LockDepth(), 0);
    return surface.Lines();
}

std::vector<std::string> WithPrefix(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const auto& line : lines)
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line);
    return out;
}

struct Point {
    int x, y;
    std::string pen; // the pen line in force
};

// The moveto/lineto points drawn with a curve pen (width 2).
std::vector<Point> CurvePoints(const std::vector<std::string>& lines)
{
    std::vector<Point> points;
    std::string pen = "pen 0 0 0 1";
    for (const auto& line : lines) {
        if (line.rfind("pen ", 0) == 0)
            pen = line;
        std::istringstream in(line);
        std::string op;
        Point p { 0, 0, pen };
        if (in >> op >> p.x >> p.y && (op == "moveto" || op == "lineto") && pen.ends_with(" 2"))
            points.push_back(p);
    }
    return points;
}

// The one-at-a-time search the direct computation replaces.
RingSpacing LoopRingSpacing(long double m)
{
    long double step = 1;
    while (m < 20 * step)
        step = step / 10;
    long double k = 1;
    long double unit = 10 * step * k;
    long double n = std::nearbyint(m / unit);
    while (n > 8) {
        k = k + 1;
        unit = 10 * step * k;
        n = std::nearbyint(m / unit);
    }
    return { true, step, unit, k, static_cast<int>(n) };
}

} // namespace

TEST(PlaneSampling, PartnerAndOrthogonalPlanes)
{
    struct Case {
        tArrEx angles;
        std::vector<int> opposite; // for p = 0, 1, ...
        int ortho, orthoOpposite;
    };
    const Case cases[] = {
        { { 0 }, { 0 }, 0, 0 },
        { { 0, 22.5, 45, 67.5, 90 }, { 0, 1, 2, 3, 4 }, 4, 4 },
        { { 0, 45, 90, 135, 180 }, { 4, 3, 2, 1, 0 }, 2, 2 },
        { { 0, 90, 180, 270, 360 }, { 2, 3, 0, 1, 2 }, 1, 3 },
        { { 0, 180 }, { 1, 0 }, 1, 0 },
        // Full circle without the exact partner angles: the last plane is paired, no plane at 90.
        { { 0, 100, 200, 300 }, { 3, 3, 3, 3 }, 3, 3 },
        // Exact comparison: 90 + 1e-15 is not 90, so the four-fold override does not apply.
        { { 0, 45, 90.000000000000001L }, { 2, 2, 2 }, 2, 2 },
        { { 0, 30, 60, 90, 120, 180, 210, 240, 270, 300, 330 }, { 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 10 }, 3, 8 },
    };
    for (const auto& c : cases) {
        const tIES ies = MakeIes(c.angles, { 0, 90 }, [](size_t, size_t) { return 1.0L; });
        for (size_t p = 0; p < c.opposite.size(); ++p)
            EXPECT_EQ(OppositePlane(ies, static_cast<int>(p)), c.opposite[p]) << "p=" << p << " of " << c.angles.size();
        EXPECT_EQ(OrthogonalPlane(ies), c.ortho);
        const PlaneSet set = ChoosePlanes(ies, 0, true);
        EXPECT_TRUE(set.orthoShown);
        EXPECT_EQ(set.orthoOpposite, c.orthoOpposite);
        EXPECT_FALSE(ChoosePlanes(ies, 0, false).orthoShown);
    }
    const tIES none;
    EXPECT_EQ(OppositePlane(none, 0), 0);
    EXPECT_EQ(OrthogonalPlane(none), 0);
    // A plane the record does not hold reads nothing and has no partner.
    const tIES three = MakeIes({ 0, 90, 200 }, { 0 }, [](size_t, size_t) { return 1.0L; });
    EXPECT_EQ(OppositePlane(three, 7), 7);
    EXPECT_EQ(OppositePlane(three, -1), -1);
}

TEST(PlaneSampling, MaximaStartFromTheFirstValueAndTakeOnlyGreaterOnes)
{
    // Plane values: h x 10 + v, except a peak of 500 in plane 2 and 400 in plane 3.
    const tIES ies = MakeIes({ 0, 90, 180, 270, 360 }, { 0, 45, 90 }, [](size_t h, size_t v) {
        return h == 2 && v == 1 ? 500.0L : h == 3 && v == 2 ? 400.0L : h * 10.0L + v;
    });
    EXPECT_EQ(ComputeMaxIntensity(ies, 0, 4), 500);
    EXPECT_EQ(ComputeMaxIntensity(ies, 0, 1), 12);
    EXPECT_EQ(ComputeMaxIntensity(ies, 3, 3), 400);
    EXPECT_EQ(ComputeMaxIntensity(ies, 3, 99), 400); // planes beyond the table are not read
    EXPECT_EQ(ComputeMaxIntensity(ies, 2, 1), 0);

    // Fit up: MaxIntensity whatever the planes. Fit down: the pairs on show only.
    EXPECT_EQ(ScaleMaximum(ies, ChoosePlanes(ies, 1, true), false, 777), 777);
    EXPECT_EQ(ScaleMaximum(ies, ChoosePlanes(ies, 0, false), true, 777), 500); // 0 and its partner 2
    EXPECT_EQ(ScaleMaximum(ies, ChoosePlanes(ies, 1, false), true, 777), 400); // 1 and 3
    EXPECT_EQ(ScaleMaximum(ies, ChoosePlanes(ies, 4, false), true, 777), 500); // 4 and 2
    // Ortho pair (1, 3) widens the fitted scale only for plane 0.
    const tIES quiet
        = MakeIes({ 0, 90, 180, 270, 360 }, { 0, 90 }, [](size_t h, size_t) { return h == 3 ? 90.0L : 5.0L; });
    EXPECT_EQ(ScaleMaximum(quiet, ChoosePlanes(quiet, 0, true), true, 0), 90);
    EXPECT_EQ(ScaleMaximum(quiet, ChoosePlanes(quiet, 0, false), true, 0), 5);

    // A NaN first value is never replaced; a later NaN never replaces.
    const tIES nanFirst = MakeIes({ 0 }, { 0, 90 }, [](size_t, size_t v) { return v == 0 ? NaN : 3.0L; });
    EXPECT_TRUE(std::isnan(ComputeMaxIntensity(nanFirst, 0, 0)));
    const tIES nanLater = MakeIes({ 0 }, { 0, 90 }, [](size_t, size_t v) { return v == 1 ? NaN : 3.0L; });
    EXPECT_EQ(ComputeMaxIntensity(nanLater, 0, 0), 3);

    // Planes without values contribute nothing.
    const tIES empty = MakeIes({ 0, 90 }, {}, [](size_t, size_t) { return 0.0L; });
    EXPECT_EQ(ComputeMaxIntensity(empty, 0, 1), 0);
    EXPECT_EQ(ScaleMaximum(empty, ChoosePlanes(empty, 0, true), true, 9), 0);
}

TEST(NumberFormat, GeneralFormat)
{
    const struct {
        long double value;
        const char* separator;
        const char* expected;
    } cases[] = {
        { 0, ".", "0" },
        { -0.0L, ".", "0" },
        { 100, ".", "100" },
        { 1234.5L, ".", "1234.5" },
        { 1234.5L, ",", "1234,5" },
        { 3 * 0.1L, ".", "0.3" },
        { 0.5L, ",", "0,5" },
        { -2.25L, ".", "-2.25" },
        { 1.0L / 3, ".", "0.333333333333333" },
        { 2.0L / 3, ".", "0.666666666666667" },
        { 0.0001L, ".", "0.0001" },
        { 0.00012345L, ".", "0.00012345" },
        { 0.00005L, ".", "5E-5" },
        { 0.00001L, ".", "1E-5" },
        { -0.000015L, ",", "-1,5E-5" },
        { 999999999999999, ".", "999999999999999" },
        { 1e15L, ".", "1E15" },
        { 9999999999999999, ".", "1E16" }, // rounds to 15 digits first
        { 0.000099999999999999999L, ".", "0.0001" },
        { 123456789012345678.0L, ".", "1.23456789012346E17" },
        { 1e100L, ".", "1E100" },
        { 1180, ".", "1180" },
        { 9440, ".", "9440" },
        { NaN, ".", "NAN" },
        { Inf, ".", "INF" },
        { -Inf, ".", "-INF" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatGeneral(c.value, c.separator), c.expected) << static_cast<double>(c.value);
}

TEST(ScaleRings, ExamplesOfTheScale)
{
    const struct {
        long double maximum;
        long double unit;
        int n;
    } cases[] = {
        { 100, 20, 5 },
        { 1000, 120, 8 },
        { 10000, 1180, 8 },
        { 35000, 4120, 8 },
        { 5, 1, 5 },
        { 20, 10, 2 },
        { 85, 10, 8 },
        { 86, 20, 4 },
    };
    for (const auto& c : cases) {
        const RingSpacing rings = ComputeRingSpacing(c.maximum);
        ASSERT_TRUE(rings.valid);
        EXPECT_EQ(rings.unit, c.unit) << static_cast<double>(c.maximum);
        EXPECT_EQ(rings.n, c.n) << static_cast<double>(c.maximum);
    }
    const RingSpacing half = ComputeRingSpacing(0.5L);
    EXPECT_EQ(half.n, 5);
    EXPECT_EQ(FormatGeneral(half.unit, "."), "0.1");
    for (const long double bad : { 0.0L, -0.0L, -5.0L, Inf, -Inf, NaN, std::numeric_limits<long double>::denorm_min() })
        EXPECT_FALSE(ComputeRingSpacing(bad).valid) << static_cast<double>(bad);
}

TEST(ScaleRings, DirectSearchEqualsTheStepwiseSearch)
{
    std::vector<long double> values;
    for (int i = 1; i <= 3000; ++i)
        values.push_back(i);
    for (int i = 1; i <= 2000; ++i)
        values.push_back(i * 0.01L);
    // Every boundary where n changes lies near M / unit = 8.5: probe both sides of them.
    for (int k = 1; k <= 2000; ++k)
        for (const long double m : { 85.0L * k, 85.0L * k + 1e-15L * k, std::nextafter(85.0L * k, 0.0L) })
            values.push_back(m);
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> exponent(-12, 7);
    for (int i = 0; i < 4000; ++i)
        values.push_back(std::pow(10.0L, static_cast<long double>(exponent(random))));
    // Two where the stepwise search takes about a million steps.
    std::uniform_real_distribution<double> large(1e7, 1e8);
    for (int i = 0; i < 2; ++i)
        values.push_back(static_cast<long double>(large(random)));
    for (const long double m : values) {
        const RingSpacing direct = ComputeRingSpacing(m), loop = LoopRingSpacing(m);
        ASSERT_TRUE(direct.valid);
        ASSERT_EQ(direct.step, loop.step) << static_cast<double>(m);
        ASSERT_EQ(direct.k, loop.k) << static_cast<double>(m);
        ASSERT_EQ(direct.unit, loop.unit) << static_cast<double>(m);
        ASSERT_EQ(direct.n, loop.n) << static_cast<double>(m);
    }
}

TEST(ScaleRings, HugeMaximaEndAtOnce)
{
    for (const long double m : { 1e12L, 1e15L, 123456789012345678.0L, 1e19L, 1e25L, 1e300L, 1e4000L, LDBL_MAX }) {
        const auto start = std::chrono::steady_clock::now();
        const RingSpacing rings = ComputeRingSpacing(m);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        ASSERT_TRUE(rings.valid);
        EXPECT_GE(rings.n, 2);
        EXPECT_LE(rings.n, 8);
        EXPECT_LE(std::fabs(rings.n * rings.unit - m), rings.unit / 2 * (1 + 1e-15L)) << static_cast<double>(m);
        EXPECT_EQ(rings.k, std::floor(rings.k));
    }
}

TEST(Goniogram, GridOnAPaintBoxOf200)
{
    RecordingSurface surface;
    ShowGrid(surface, 200, 200);
    const auto lines = surface.Lines();
    ASSERT_GE(lines.size(), 7u + 74u);
    EXPECT_EQ(lines[0], "pen 128 128 128 1");
    EXPECT_EQ(lines[1], "rect 0 0 200 200");
    EXPECT_EQ(lines[2], "ellipse 90 90 110 110"); // r0 = nearest(100 x 0.1)
    EXPECT_EQ(lines[3], "moveto 0 100");
    EXPECT_EQ(lines[4], "lineto 200 100");
    EXPECT_EQ(lines[5], "moveto 100 0");
    EXPECT_EQ(lines[6], "lineto 100 200");
    EXPECT_EQ(lines[7], "moveto 110 100"); // spoke 0 from the inner circle to the side
    EXPECT_EQ(lines[8], "lineto 200 100");
    EXPECT_EQ(lines[25], "moveto 100 110"); // spoke 90 points down: y grows with the angle
    EXPECT_EQ(lines[26], "lineto 100 200");
    EXPECT_EQ(lines.size(), 7u + 74u);
    EXPECT_EQ(lines.back(), "lineto 200 100"); // spoke 360 on spoke 0
    EXPECT_EQ(surface.pen.color, SurfaceColor::rgb(0, 0, 0)); // the pen colour is given back
    EXPECT_TRUE(surface.brush.color.buttonFace);

    // Inner circle radius rounds halves to even: 145 x 0.1 gives 14, 155 x 0.1 gives 16.
    for (const auto& [size, box] :
        { std::pair { 290, "ellipse 131 131 159 159" }, { 310, "ellipse 139 139 171 171" } }) {
        RecordingSurface s;
        ShowGrid(s, size, size);
        EXPECT_EQ(s.Lines()[2], box);
    }
}

TEST(Goniogram, RingsAndLabels)
{
    const tIES ies = MakeIes({ 0 }, { 0, 90 }, [](size_t, size_t) { return 1.0L; });
    const struct {
        long double maximum;
        std::vector<std::string> labels;
        int firstRingRadiusTimes10; // ring 1 radius x 10 at Rx = 290
    } cases[] = {
        { 100, { "0", "20", "40", "60", "80", "100" }, 580 },
        { 1000, { "0", "120", "240", "360", "480", "600", "720", "840", "960" }, 348 },
        { 10000, { "0", "1180", "2360", "3540", "4720", "5900", "7080", "8260", "9440" }, 342 },
        { 5, { "0", "1", "2", "3", "4", "5" }, 580 },
        { 0.5L, { "0", "0.1", "0.2", "0.3", "0.4", "0.5" }, 580 },
    };
    for (const auto& c : cases) {
        const auto lines = DrawOps(ies, c.maximum);
        const auto ellipses = WithPrefix(lines, "ellipse");
        const auto texts = WithPrefix(lines, "text");
        ASSERT_EQ(ellipses.size(), c.labels.size());
        ASSERT_EQ(texts.size(), c.labels.size() + 2);
        EXPECT_EQ(ellipses[0], "ellipse 300 300 300 300");
        const int r1 = static_cast<int>(std::nearbyint(c.firstRingRadiusTimes10 / 10.0L));
        EXPECT_EQ(ellipses[1],
            "ellipse " + std::to_string(300 - r1) + " " + std::to_string(300 - r1) + " " + std::to_string(300 + r1)
                + " " + std::to_string(300 + r1));
        for (size_t i = 0; i < c.labels.size(); ++i)
            EXPECT_EQ(texts[i].substr(texts[i].rfind(' ') + 1), c.labels[i]);
        EXPECT_EQ(texts[1], "text 300 " + std::to_string(300 + r1) + " " + c.labels[1]);
    }
    // The locale's separator goes into the labels.
    RecordingSurface surface;
    DrawIES(surface, { &ies, 0, false, false, 0.5L, 600, 600, "," });
    EXPECT_NE(surface.Text().find("text 300 358 0,1\n"), std::string::npos);
    EXPECT_NE(surface.Text().find("Maximum Intensity =0,5\n"), std::string::npos);
}

TEST(Goniogram, HeaderLinesAndLabelHeight)
{
    const tIES ies = MakeIes({ 0, 45, 90 }, { 0, 90 }, [](size_t, size_t) { return 1.0L; });
    // 600 x 600, M = 1234.5, plane at 90: rings 0..8 of 150 lie 35 px apart, the 11-pixel font stays.
    auto lines = DrawOps(ies, 1234.5L, 600, 2);
    auto texts = WithPrefix(lines, "text");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "text 5 5 Maximum Intensity =1234.5");
    EXPECT_EQ(texts.back(), "text 5 16 Degrees=90");
    EXPECT_EQ(lines[0], "pen 100 100 100 1");
    EXPECT_EQ(lines[1], "brush clear");
    EXPECT_EQ(lines[2], "font arial 11 0 0 255");

    // 200 x 200, M = 1000: rings 10.8 px apart < 11 + 2, so the labels shrink to nearest(8.8) = 9.
    lines = DrawOps(ies, 1000, 200, 2);
    EXPECT_EQ(lines[2], "font arial 9 0 0 255");
    texts = WithPrefix(lines, "text");
    EXPECT_EQ(texts.back(), "text 5 14 Degrees=90");

    // A tiny box cannot shrink the font below 1 pixel.
    lines = DrawOps(ies, 1000, 24, 0);
    EXPECT_EQ(lines[2], "font arial 1 0 0 255");
}

TEST(Goniogram, StateLeftBehind)
{
    const tIES ies
        = MakeIes({ 0, 90, 180, 270, 360 }, Steps(0, 5, 37), [](size_t h, size_t v) { return 10.0L + h + v; });
    RecordingSurface surface;
    surface.pen = { SurfaceColor::rgb(1, 2, 3), 3, PenStyle::Solid };
    surface.brush.style = BrushStyle::Solid;
    ShowGrid(surface, 400, 400);
    DrawIES(surface, { &ies, 0, true, true, 0, 400, 400, "." });
    EXPECT_EQ(surface.pen.color, SurfaceColor::rgb(1, 2, 3));
    EXPECT_EQ(surface.pen.width, 3);
    EXPECT_EQ(surface.brush.style, BrushStyle::Solid);
    EXPECT_TRUE(surface.brush.color.buttonFace);
    EXPECT_EQ(surface.font.face, "arial");
    EXPECT_EQ(surface.font.color, LabelColor);
    EXPECT_EQ(surface.LockDepth(), 0);
    // The rings and the grid were drawn with the pen's width of the moment.
    EXPECT_NE(surface.Text().find("pen 100 100 100 3\n"), std::string::npos);
    EXPECT_NE(surface.Text().find("pen 128 128 128 3\n"), std::string::npos);
}

TEST(Goniogram, CurvesStayInsideTheScale)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> intensity(0, 5000);
    const tIES ies = MakeIes(Steps(0, 15, 25), Steps(0, 2.5L, 73), [&](size_t, size_t) { return intensity(random); });
    const long double fileMax = ComputeMaxIntensity(ies, 0, 24);
    for (const int size : { 200, 333, 600 }) {
        for (int plane = 0; plane < 25; plane += 3) {
            for (const bool fit : { false, true }) {
                RecordingSurface surface;
                DrawIES(surface, { &ies, plane, fit, true, fileMax, size, size, "." });
                const auto points = CurvePoints(surface.Lines());
                ASSERT_EQ(points.size(), (plane == 0 ? 4u : 2u) * 74u);
                const int c = size / 2, r = c - DiagramMargin;
                for (const auto& p : points) {
                    EXPECT_LE(std::abs(p.x - c), r);
                    EXPECT_LE(std::abs(p.y - c), r);
                }
            }
        }
    }
}

TEST(Goniogram, PairsAndMirror)
{
    // A single plane: the left curve mirrors the right one about the vertical axis.
    const tIES single
        = MakeIes({ 0 }, Steps(0, 2.5L, 73), [](size_t, size_t v) { return 100 + 50 * std::sin(v * 0.3L); });
    const auto points = CurvePoints(DrawOps(single, 150));
    ASSERT_EQ(points.size(), 2u * 74u);
    for (size_t i = 0; i < 74; ++i) {
        EXPECT_EQ(points[i].x + points[74 + i].x, 600);
        EXPECT_EQ(points[i].y, points[74 + i].y);
    }
    // Nadir down: vertical angle 0 lies straight below the centre, 90 to the right for the selected plane.
    EXPECT_EQ(points[0].x, 300);
    EXPECT_GT(points[0].y, 300);
    EXPECT_GT(points[37].x, 300);

    // Ortho pair under the main pair, only for plane 0; its pen first, the red pen last.
    const tIES full
        = MakeIes({ 0, 90, 180, 270, 360 }, { 0, 90, 180 }, [](size_t h, size_t) { return 10.0L * (h + 1); });
    RecordingSurface surface;
    DrawIES(surface, { &full, 0, true, true, 0, 600, 600, "." });
    const auto drawn = CurvePoints(surface.Lines());
    ASSERT_EQ(drawn.size(), 16u);
    EXPECT_EQ(drawn[0].pen, "pen 200 128 128 2");
    EXPECT_EQ(drawn[15].pen, "pen 255 0 0 2");
    // Fit down over planes 0, 2, 1 and 3: the scale is plane 3's 40 candela, so its vertical-90 point lies at Rx.
    EXPECT_EQ(drawn[6].x, 300 - 290);
    EXPECT_EQ(drawn[6].y, 300); // the ortho partner (plane 3) on the left half
    RecordingSurface other;
    DrawIES(other, { &full, 1, true, true, 0, 600, 600, "." });
    EXPECT_EQ(CurvePoints(other.Lines()).size(), 8u);
}

TEST(Goniogram, UnusableScaleOrMissingValuesDrawNoCurves)
{
    const tIES zeros = MakeIes({ 0, 90 }, { 0, 90 }, [](size_t, size_t) { return 0.0L; });
    const tIES negative = MakeIes({ 0, 90 }, { 0, 90 }, [](size_t, size_t) { return -3.0L; });
    const tIES noValues = MakeIes({ 0, 90 }, {}, [](size_t, size_t) { return 0.0L; });
    // The smallest positive extended real depends on the machine's format (80-bit on x86, 128-bit elsewhere); its
    // header shows 15 significant digits, as printf's %.15LG writes them for exponents of four digits.
    const long double smallest = std::numeric_limits<long double>::denorm_min();
    char smallestText[64];
    std::snprintf(smallestText, sizeof smallestText, "%.15LG", smallest);
    const struct {
        const tIES* ies;
        bool fit;
        long double maxIntensity;
        std::string header;
        size_t ellipses;
    } cases[] = {
        { &zeros, true, 0, "Maximum Intensity =0", 0 },
        { &negative, true, 0, "Maximum Intensity =-3", 0 },
        { &zeros, false, -1, "Maximum Intensity =-1", 0 },
        { &zeros, false, Inf, "Maximum Intensity =INF", 0 },
        { &zeros, false, NaN, "Maximum Intensity =NAN", 0 },
        { &zeros, false, smallest, std::string("Maximum Intensity =") + smallestText, 0 },
        { &noValues, true, 0, "Maximum Intensity =0", 0 },
        { &noValues, false, 5, "Maximum Intensity =5", 6 },
        { &zeros, false, 1e12L, "Maximum Intensity =1000000000000", 9 },
    };
    for (const auto& c : cases) {
        RecordingSurface surface;
        DrawIES(surface, { c.ies, 0, c.fit, true, c.maxIntensity, 600, 600, "." });
        const auto lines = surface.Lines();
        EXPECT_EQ(WithPrefix(lines, "ellipse").size(), c.ellipses) << c.header;
        EXPECT_EQ(CurvePoints(lines).size(), c.ellipses == 0 || c.ies == &noValues ? 0u : 12u) << c.header;
        const auto texts = WithPrefix(lines, "text");
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[texts.size() - 2], "text 5 5 " + c.header);
        EXPECT_EQ(texts.back(), "text 5 16 Degrees=0");
        EXPECT_EQ(surface.LockDepth(), 0);
    }
    // Nothing loaded, or a plane the table does not hold: the grid stands alone.
    const tIES empty;
    EXPECT_TRUE(DrawOps(empty, 100).empty());
    EXPECT_TRUE(DrawOps(zeros, 100, 600, 2).empty());
    RecordingSurface surface;
    DrawIES(surface, GoniogramInput {});
    EXPECT_TRUE(surface.Text().empty());
}

TEST(Goniogram, NaNValuesAreLeftOutOfTheCurve)
{
    const tIES ies = MakeIes({ 0 }, { 0, 45, 90 }, [](size_t, size_t v) { return v == 0 ? NaN : 10.0L; });
    const auto points = CurvePoints(DrawOps(ies, 10));
    ASSERT_EQ(points.size(), 6u); // two points plus the opening move, per half
    EXPECT_EQ(points[0].x, points[1].x);
    EXPECT_EQ(points[2].x, 300 + 290);
}

TEST(Goniogram, LockIsReleasedWhenDrawingFails)
{
    struct Failing : RecordingSurface {
        void TextOut(int, int, const std::string&) override { throw std::runtime_error("Floating point overflow"); }
    };
    const tIES ies = MakeIes({ 0 }, { 0, 90 }, [](size_t, size_t) { return 1.0L; });
    Failing surface;
    surface.pen.color = SurfaceColor::rgb(9, 9, 9);
    EXPECT_THROW(DrawIES(surface, { &ies, 0, true, false, 0, 300, 300, "." }), std::runtime_error);
    EXPECT_EQ(surface.LockDepth(), 0);
    EXPECT_EQ(surface.pen.color, SurfaceColor::rgb(9, 9, 9));
}
