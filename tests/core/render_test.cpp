// The render computation: the worked example, the plane pair and admissible range, the failures, the time text,
// and the fast image loop against the literal pixel-by-pixel loop, byte for byte.
#include "IesReader.h"
#include "RenderCompute.h"
#include "RenderContext.h"
#include "process_run.h"
#include "render_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <regex>
#include <stdexcept>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Every plane filled with the same values.
tIES Uniform(tArrEx vertical, tArrEx horizontal, const tArrEx& values)
{
    std::vector<tArrEx> candela(horizontal.size(), values);
    return Record(std::move(vertical), std::move(horizontal), std::move(candela));
}

// One plane at 0 degrees, vertical angles 0, 45, 90, values 1000, 500, 0.
tIES WorkedExample() { return Uniform({ 0, 45, 90 }, { 0 }, { 1000, 500, 0 }); }

uint8_t Pixel(const GreyImage& image, int a, int b)
{
    return image[static_cast<size_t>(b + 150) * RenderSize + a + 150];
}

GreyImage Render(const tIES& ies, int plane, const RenderSettings& settings)
{
    GreyImage image {};
    RenderImage(ies, plane, settings, image, nullptr);
    return image;
}

std::string FailureOf(
    void (*render)(const tIES&, int, const RenderSettings&, GreyImage&, const std::function<void(int)>&),
    const tIES& ies, GreyImage& image)
{
    try {
        render(ies, 0, RenderSettings {}, image, nullptr);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "no failure";
}

} // namespace

TEST(RenderWorkedExample, LevelsOfTheNamedPixels)
{
    const tIES ies = WorkedExample();
    struct Case {
        int a, b;
        bool radiosity;
        int level;
    };
    const Case cases[] = {
        { 0, 0, false, 255 }, // v = 312.06, clipped
        { 0, 100, false, 82 }, // v = 82.43
        { 0, 100, true, 82 }, // v = 82.46
        { 100, 0, false, 0 }, // x = 89.929, I = 0.787
        { 100, 0, true, 41 }, { -100, 0, false, 0 }, // x = -90.071: outside the range
        { -100, 0, true, 41 }, { 0, -100, false, 0 }, // x = 179.929: outside the range
        { 0, -100, true, 41 }, // 127.5 x 1.5 / sqrt(21.5) = 41.25
    };
    for (const bool radiosity : { false, true }) {
        RenderSettings settings;
        settings.radiosity = radiosity;
        const RenderContext context = PrepareRenderContext(ies, 0, settings);
        EXPECT_EQ(context.RenderMax, 1000);
        const GreyImage image = Render(ies, 0, settings);
        for (const Case& c : cases) {
            if (c.radiosity != radiosity)
                continue;
            SCOPED_TRACE(testing::Message() << "a=" << c.a << " b=" << c.b << " radiosity=" << radiosity);
            EXPECT_EQ(PixelColor(ies, context, c.a, c.b), c.level);
            EXPECT_EQ(Pixel(image, c.a, c.b), c.level);
        }
    }
}

TEST(RenderWorkedExample, AnglesAndIntensities)
{
    const tIES ies = WorkedExample();
    const RenderContext context = PrepareRenderContext(ies, 0, RenderSettings {});
    // The shift pi/2 - 1.5 in degrees turns every direction by -0.0707963...
    const long double shift = std::numbers::pi_v<long double> / 2 - 1.5L;
    EXPECT_NEAR(static_cast<double>(SignedVerticalAngle(0, 0) + shift), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(SignedVerticalAngle(100, 0)), 89.9292, 1e-4);
    EXPECT_NEAR(static_cast<double>(SignedVerticalAngle(-100, 0)), -90.0708, 1e-4);
    EXPECT_NEAR(static_cast<double>(SignedVerticalAngle(0, -100)), 179.9292, 1e-4);
    EXPECT_NEAR(static_cast<double>(IntensityAt(ies, context, 0, SignedVerticalAngle(0, 0))), 999.2134, 1e-4);
    EXPECT_NEAR(static_cast<double>(IntensityAt(ies, context, 0, SignedVerticalAngle(100, 0))), 0.7867, 1e-4);
    EXPECT_EQ(IntensityAt(ies, context, 0, SignedVerticalAngle(-100, 0)), 0);
    EXPECT_EQ(IntensityAt(ies, context, 0, SignedVerticalAngle(0, -100)), 0);
}

TEST(RenderLevel, HalvesRoundToEvenAndPositionsClamp)
{
    // Radiosity on a direction outside the range: v = 127.5 x B / sqrt(B + n / Z), exact for these choices.
    const tIES ies = WorkedExample();
    struct Case {
        RenderSettings settings;
        int a, b, level;
    };
    const Case cases[] = {
        { { 10, 3, true }, 6, -6, 26 }, // 127.5 / sqrt(1 + 72 / 3) = 25.5 -> 26
        { { 10, 3, true }, -6, -6, 26 }, { { 10, 1, true }, 2, -2, 42 }, // 127.5 / sqrt(1 + 8) = 42.5 -> 42
        { { -5, 3, true }, 6, -6, 3 }, // brightness 1: 12.75 / sqrt(0.1 + 24) = 2.597
        { { 10, -7, true }, 2, -2, 42 }, // zoom 1
        { { 400, 20000, true }, 0, -150, 255 }, // 1275 / sqrt(10 + 2.25) = 364
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "brightness=" << c.settings.brightnessPosition
                                        << " zoom=" << c.settings.zoomPosition << " a=" << c.a << " b=" << c.b);
        const RenderContext context = PrepareRenderContext(ies, 0, c.settings);
        EXPECT_EQ(PixelColor(ies, context, c.a, c.b), c.level);
        EXPECT_EQ(Pixel(Render(ies, 0, c.settings), c.a, c.b), c.level);
    }
    EXPECT_EQ(PrepareRenderContext(ies, 0, { -5, -7, false }).BrightnessFactor, 1.0L / 10);
    EXPECT_EQ(PrepareRenderContext(ies, 0, { -5, -7, false }).ZoomFactor, 1);
    EXPECT_EQ(PrepareRenderContext(ies, 0, { 1000, 20000, false }).BrightnessFactor, 10);
    EXPECT_EQ(PrepareRenderContext(ies, 0, { 1000, 20000, false }).ZoomFactor, 10000);
}

TEST(RenderContextSetup, PlanePairs)
{
    struct Case {
        const char* name;
        tArrEx horizontal;
        int right, left;
    };
    const Case cases[] = {
        { "quadrant 0..90", Steps(0, 22.5L, 5), 0, 0 },
        { "quadrant 0..90", Steps(0, 22.5L, 5), 3, 3 },
        { "bilateral 0..180", Steps(0, 10, 19), 3, 15 },
        { "bilateral 0..180", Steps(0, 10, 19), 0, 18 },
        { "full 0..350", Steps(0, 10, 36), 3, 21 },
        { "full 0..350", Steps(0, 10, 36), 21, 3 },
        { "90..270 without a partner", Steps(90, 10, 19), 3, 18 },
        { "axial", { 0 }, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " right=" << c.right);
        const tIES ies = Uniform({ 0, 90 }, c.horizontal, { 100, 50 });
        const RenderContext context = PrepareRenderContext(ies, c.right, RenderSettings {});
        EXPECT_EQ(context.RightPlane, c.right);
        EXPECT_EQ(context.LeftPlane, c.left);
    }
}

TEST(RenderContextSetup, AdmissibleRanges)
{
    // Values rise with the angle index, so a returned value names the tabulated angle it came from.
    struct Case {
        const char* name;
        tArrEx vertical;
        long double low, high;
        long double x; // a signed vertical angle
        long double expected; // the intensity there
    };
    const Case cases[] = {
        { "downlight at the upper bound", Steps(0, 45, 3), -90, 90, 90, 3 },
        { "downlight at the lower bound", Steps(0, 45, 3), -90, 90, -90, 3 },
        { "downlight above the horizontal", Steps(0, 45, 3), -90, 90, 90.001L, 0 },
        { "downlight at nadir", Steps(0, 45, 3), -90, 90, 0, 1 },
        { "downlight between angles", Steps(0, 45, 3), -90, 90, -22.5L, 1.5L },
        { "full sphere", Steps(0, 90, 3), -180, 180, -180, 3 },
        { "uplight at 90", Steps(90, 45, 3), 90, 180, 90, 1 },
        { "uplight mirrored", Steps(90, 45, 3), 90, 180, -135, 2 },
        { "uplight mirrored at -90", Steps(90, 45, 3), 90, 180, -90, 1 },
        { "uplight below the horizontal", Steps(90, 45, 3), 90, 180, 89.999L, 0 },
        { "uplight mirrored below the horizontal", Steps(90, 45, 3), 90, 180, -89.999L, 0 },
        { "type B", Steps(-90, 90, 3), -90, 90, 45, 2.5L },
        { "type B negative side reads the positive half", Steps(-90, 90, 3), -90, 90, -45, 2.5L },
        { "first angle 10: extrapolated below it", Steps(10, 40, 3), -90, 90, 0, 0.75L },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const tIES ies = Uniform(c.vertical, { 0 }, { 1, 2, 3 });
        const RenderContext context = PrepareRenderContext(ies, 0, RenderSettings {});
        EXPECT_EQ(context.AngleLow, c.low);
        EXPECT_EQ(context.AngleHigh, c.high);
        EXPECT_EQ(context.VertLast, 2);
        EXPECT_EQ(IntensityAt(ies, context, 0, c.x), c.expected);
    }
}

TEST(RenderFailure, MessagesAndTheImageIsKept)
{
    struct Case {
        const char* name;
        tIES ies;
        std::string message;
    };
    const Case cases[] = {
        { "both planes zero", Uniform({ 0, 45, 90 }, { 0, 180 }, { 0, 0, 0 }), InvalidOperationMessage },
        // The first pixel's intensity is -5: a non-zero value over a zero maximum.
        { "nothing positive", Uniform({ 0, 45, 90 }, { 0 }, { -5, -5, -5 }), DivisionByZeroMessage },
        // Near nadir g <= 10 brackets the two equal first angles: the divisor is zero.
        { "zero step, equal values", Uniform({ 10, 10, 90 }, { 0 }, { 100, 100, 50 }), InvalidOperationMessage },
        { "zero step, different values", Uniform({ 10, 10, 90 }, { 0 }, { 100, 90, 50 }), DivisionByZeroMessage },
        // Nothing positive either: the first pixel's lookup fails before its quotient would (that one is 0 / 0).
        { "zero step first, nothing positive", Uniform({ 50, 50, 90 }, { 0 }, { 0, -5, -5 }), DivisionByZeroMessage },
        { "one vertical angle", Uniform({ 0 }, { 0 }, { 100 }), TooFewVerticalAnglesMessage },
        { "no vertical angle", Uniform({}, { 0 }, {}), TooFewVerticalAnglesMessage },
        { "nothing loaded", tIES {}, NothingLoadedMessage },
        { "short plane", Record({ 0, 45, 90 }, { 0 }, { { 100, 50 } }),
            "Plane 0 holds fewer values than there are vertical angles" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto render : { &RenderImage, &RenderImageLiteral }) {
            GreyImage image;
            image.fill(7);
            EXPECT_EQ(FailureOf(render, c.ies, image), c.message);
            EXPECT_EQ(std::count(image.begin(), image.end(), 7), RenderSize * RenderSize);
        }
    }
    GreyImage image {};
    EXPECT_THROW(RenderImage(WorkedExample(), 1, RenderSettings {}, image, nullptr), std::runtime_error);
    EXPECT_THROW(RenderImage(WorkedExample(), -1, RenderSettings {}, image, nullptr), std::runtime_error);
}

TEST(RenderProgress, SixteenBandsInOrder)
{
    std::vector<int> expected;
    for (int r = 0; r <= 300; r += 20)
        expected.push_back(r);
    for (const auto render : { &RenderImage, &RenderImageLiteral }) {
        std::vector<int> seen;
        GreyImage image {};
        render(WorkedExample(), 0, RenderSettings {}, image, [&seen](int r) { seen.push_back(r); });
        EXPECT_EQ(seen, expected);
    }
}

TEST(RenderTime, TruncatedSecondsAndMilliseconds)
{
    struct Case {
        std::chrono::steady_clock::duration elapsed;
        const char* text;
    };
    const Case cases[] = {
        { std::chrono::duration_cast<std::chrono::steady_clock::duration>(50700us), "Rendering time: 0.050 sec" },
        { std::chrono::duration_cast<std::chrono::steady_clock::duration>(2345900us), "Rendering time: 2.345 sec" },
        { 1s, "Rendering time: 1.000 sec" },
        { 0s, "Rendering time: 0.000 sec" },
        { 999999us, "Rendering time: 0.999 sec" },
        { 83s + 7ms, "Rendering time: 83.007 sec" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(RenderTimeText(c.elapsed), c.text);
}

TEST(RenderFastPath, SameBytesAsLiteralOnShapedRecords)
{
    const long double infinity = std::numeric_limits<long double>::infinity();
    struct Case {
        const char* name;
        tIES ies;
        std::vector<int> planes;
    };
    const Case cases[] = {
        { "37 x 73 full circle", RandomRecord(Steps(0, 5, 37), Steps(0, 5, 73), 1), { 0, 5, 40 } },
        { "0..90 quadrant", RandomRecord(Steps(0, 2.5L, 37), Steps(0, 15, 7), 2), { 2 } },
        { "uplight 90..180 bilateral", RandomRecord(Steps(90, 10, 10), Steps(0, 30, 7), 3), { 1 } },
        { "type B, uneven steps", RandomRecord({ -90, -60, -35, -10, 0, 7.5L, 30, 64, 90 }, { 0 }, 4), { 0 } },
        { "first angle 5, negatives", RandomRecord(Steps(5, 7, 13), Steps(0, 90, 5), 5, true), { 0, 3 } },
        { "angles out of order", RandomRecord({ 0, 30, 20, 60, 45, 90 }, Steps(0, 180, 2), 6), { 0 } },
        { "descending angles", RandomRecord(Steps(90, -15, 7), { 0 }, 7), { 0 } },
        { "repeated angle inside", RandomRecord({ 0, 30, 30, 30, 75, 90 }, { 0 }, 8), { 0 } },
        { "zero step at the start", RandomRecord({ 10, 10, 90 }, { 0 }, 9), { 0 } },
        { "infinite value", Uniform({ 0, 45, 90 }, { 0 }, { infinity, 0, 0 }), { 0 } },
        { "nothing positive", RandomRecord(Steps(0, 10, 19), { 0 }, 10, true), { 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const int plane : c.planes)
            for (const RenderSettings& settings : ComparedSettings)
                ExpectSameAsLiteral(c.ies, plane, settings);
    }
}

TEST(RenderFastPath, ARenderStartedFromAnotherOnesProgressLeavesBothWhole)
{
    const tIES outer = RandomRecord(Steps(0, 5, 37), Steps(0, 5, 73), 41);
    const tIES inner = RandomRecord(Steps(0, 0.1L, 1801), { 0 }, 42);
    GreyImage image {}, nested {}, expected {}, expectedNested {};
    RenderImage(outer, 0, RenderSettings {}, image, [&](int row) {
        if (row == 100)
            RenderImage(inner, 0, RenderSettings {}, nested, nullptr);
    });
    RenderImageLiteral(outer, 0, RenderSettings {}, expected, nullptr);
    RenderImageLiteral(inner, 0, RenderSettings {}, expectedNested, nullptr);
    EXPECT_TRUE(image == expected);
    EXPECT_TRUE(nested == expectedNested);
}

TEST(RenderLevel, NotANumberIsBlack)
{
    // Infinity at nadir: inf - inf inside the interpolation makes I, and then v, NaN below 45 degrees.
    const tIES ies = Uniform({ 0, 45, 90 }, { 0 }, { std::numeric_limits<long double>::infinity(), 0, 0 });
    for (const bool radiosity : { false, true }) {
        RenderSettings settings;
        settings.radiosity = radiosity;
        const RenderContext context = PrepareRenderContext(ies, 0, settings);
        EXPECT_TRUE(std::isnan(IntensityAt(ies, context, 0, SignedVerticalAngle(0, 100))));
        EXPECT_EQ(PixelColor(ies, context, 0, 100), 0);
        EXPECT_EQ(Pixel(Render(ies, 0, settings), 0, 100), 0);
        EXPECT_EQ(PixelColor(ies, context, 0, -100), radiosity ? 41 : 0);
    }
}

namespace {

// Every .ies file under root, in a stable order.
std::vector<std::filesystem::path> IesFilesUnder(const std::filesystem::path& root)
{
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(root))
        return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
            [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (entry.is_regular_file() && extension == ".ies")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Reads through the viewer's reader; false when the file gives no plane to render.
bool ReadFile(const std::filesystem::path& path, tIES& ies)
{
    TStringList fileLines, headerLines;
    try {
        LoadFileLines(path.string(), fileLines);
        ReadIES(fileLines, headerLines, ies, [](const std::string&) {});
    } catch (const std::runtime_error&) {
        return false;
    }
    return !IsEmpty(ies);
}

// A handful of settings per file, spread over the first, a middle and the last plane.
size_t CompareFilesUnder(const std::filesystem::path& root)
{
    size_t compared = 0;
    for (const std::filesystem::path& path : IesFilesUnder(root)) {
        SCOPED_TRACE(path.string());
        tIES ies;
        if (!ReadFile(path, ies))
            continue;
        const int last = static_cast<int>(ies.Candela.size()) - 1;
        ExpectSameAsLiteral(ies, 0, ComparedSettings[0]);
        ExpectSameAsLiteral(ies, last / 2, ComparedSettings[1]);
        ExpectSameAsLiteral(ies, last, ComparedSettings[2]);
        ExpectSameAsLiteral(ies, 0, ComparedSettings[3]);
        ++compared;
    }
    return compared;
}

} // namespace

TEST(RenderFastPath, SameBytesAsLiteralOnTheSamples) { EXPECT_GT(CompareFilesUnder(GONILUX_SAMPLES_DIR), 0u); }

TEST(RenderFastPath, SameBytesAsLiteralOnTheCorpus)
{
    if (!std::filesystem::is_directory(GONILUX_CORPUS_DIR))
        GTEST_SKIP() << "no corpus at " << GONILUX_CORPUS_DIR;
    EXPECT_GT(CompareFilesUnder(GONILUX_CORPUS_DIR), 0u);
}

namespace {

// A small IES file: one plane, the given vertical angles and values.
std::string IesText(const std::string& vertical, const std::string& values, int count)
{
    return "IESNA:LM-63-2002\r\n[TEST] render\r\nTILT=NONE\r\n1 1000 1 " + std::to_string(count)
        + " 1 1 2 0 0 0\r\n1 1 0\r\n" + vertical + "\r\n0\r\n" + values + "\r\n";
}

class CliRender : public ScratchFolderTest {
protected:
    ProcessRun Render(const std::string& arguments)
    {
        return RunCommand(Quote(GONILUX_CLI) + " render " + arguments, Dir());
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

const std::regex TimeLine("Rendering time: [0-9]+\\.[0-9]{3} sec\n");

} // namespace

TEST_F(CliRender, WritesTheImageOfTheCoreAndRefusesPositionsOutsideTheTrackBars)
{
    const std::string file = std::string(GONILUX_SAMPLES_DIR) + "/street_bilateral.ies";
    tIES ies;
    ASSERT_TRUE(ReadFile(file, ies));
    struct Case {
        std::string options;
        int plane;
        RenderSettings settings;
    };
    const Case cases[] = {
        { "", 0, {} },
        { "--plane 3 --brightness 40 --zoom 2000", 3, { 40, 2000, false } },
        { "--radiosity --plane 5 --brightness 100 --zoom 1", 5, { 100, 1, true } },
        { "--brightness 1 --zoom 10000", 0, { 1, 10000, false } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string image = m_dir + "/out.pgm";
        const ProcessRun run = Render("'" + file + "' " + c.options + " -o '" + image + "'");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(std::regex_match(run.err, TimeLine)) << run.err;
        GreyImage expected {};
        RenderImage(ies, c.plane, c.settings, expected, nullptr);
        EXPECT_EQ(Slurp(image),
            "P5\n300 300\n255\n" + std::string(reinterpret_cast<const char*>(expected.data()), expected.size()));
    }
    if (!kDrawingProgramBuilt)
        return;
    const ProcessRun png = Render("'" + file + "' -o '" + m_dir + "/out.png'");
    EXPECT_EQ(png.exitCode, 0);
    EXPECT_EQ(Slurp(m_dir + "/out.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    // Positions the track bars cannot take are usage errors naming the option, not silently clamped.
    const struct {
        const char* options;
        const char* message;
    } refused[] = {
        { "--brightness 500", "--brightness must be from 1 to 100, not 500" },
        { "--brightness -3", "--brightness must be from 1 to 100, not -3" },
        { "--zoom 0", "--zoom must be from 1 to 10000, not 0" },
        { "--zoom 99999", "--zoom must be from 1 to 10000, not 99999" },
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.options);
        const std::string image = m_dir + "/refused.pgm";
        const ProcessRun run = Render("'" + file + "' " + r.options + " -o '" + image + "'");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind("gonilux-cli: render: " + std::string(r.message) + "\nusage: ", 0), 0u) << run.err;
        EXPECT_FALSE(std::filesystem::exists(image));
    }
}

TEST_F(CliRender, FailuresWriteNoImage)
{
    struct Case {
        const char* name;
        std::string file;
        std::string options;
        int exitCode;
        std::string err; // the message after "gonilux-cli: FILE: ", on standard error
    };
    const Case cases[] = {
        { "all zeros", Write("zeros.ies", IesText("0 45 90", "0 0 0", 3)), "", 3,
            "Invalid floating point operation\n" },
        { "nothing positive", Write("negative.ies", IesText("0 45 90", "-5 -5 -5", 3)), "", 3,
            "Floating point division by zero\n" },
        { "one vertical angle", Write("single.ies", IesText("0", "100", 1)), "", 3,
            std::string(TooFewVerticalAnglesMessage) + "\n" },
        // A plane outside the file is a usage error, as for the goniogram.
        { "no such plane", Write("ok.ies", IesText("0 45 90", "100 50 0", 3)), "--plane 1", 2,
            "plane 1 is not among the planes 0 to 0\n" },
        { "missing file", m_dir + "/missing.ies", "", 3, "No such file or directory\n" },
        { "unknown option", Write("ok2.ies", IesText("0 45 90", "100 50 0", 3)), "--fast", 2, "" },
        { "not a number", Write("ok3.ies", IesText("0 45 90", "100 50 0", 3)), "--zoom 5x", 2, "" },
        { "other image type", Write("ok4.ies", IesText("0 45 90", "100 50 0", 3)), "", 2, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Without the drawing program a PNG is refused before the file is read: the same failures as a PGM.
        const std::string picture = kDrawingProgramBuilt ? "/out.png" : "/out.pgm";
        const std::string image = m_dir + (std::string(c.name) == "other image type" ? "/out.bmp" : picture);
        const ProcessRun run = Render("'" + c.file + "' " + c.options + " -o '" + image + "'");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        if (!c.err.empty()) {
            const std::string line = "gonilux-cli: " + c.file + ": " + c.err;
            EXPECT_EQ(run.err.substr(run.err.size() - std::min(run.err.size(), line.size())), line) << run.err;
        }
        EXPECT_FALSE(std::filesystem::exists(image));
    }
}
