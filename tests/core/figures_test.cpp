// Photometric figures on hand-made tables with closed-form answers, the symmetry classes and fallbacks of the
// beam and field angles, the cases that are not computed, the header the reader keeps, and every corpus file.
#include "IesReader.h"
#include "LineText.h"
#include "PhotometricFigures.h"
#include "SpreadAngles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>

namespace {

constexpr double kPi = std::numbers::pi;
using Intensity = std::function<long double(long double c, long double gamma)>;

tArrEx Steps(long double from, long double to, long double step)
{
    tArrEx angles;
    for (long double a = from; a <= to + step / 2; a += step)
        angles.push_back(std::fmin(a, to));
    return angles;
}

tIES Table(const tArrEx& vertical, const tArrEx& horizontal, const Intensity& intensity)
{
    tIES ies;
    ies.VertAngles = vertical;
    ies.HorizAngles = horizontal;
    ies.NumVertAngles = static_cast<uint16_t>(vertical.size());
    ies.NumHorizAngles = static_cast<uint16_t>(horizontal.size());
    for (const long double c : horizontal) {
        tArrEx row;
        for (const long double gamma : vertical)
            row.push_back(intensity(c, gamma));
        ies.Candela.push_back(row);
    }
    return ies;
}

tPhotometricHeader Header(long double type = 1, long double multiplier = 1)
{
    tPhotometricHeader header;
    header.NumberOfLamps = 1;
    header.LumensPerLamp = -1;
    header.CandelaMultiplier = multiplier;
    header.PhotometricType = type;
    header.BallastFactor = 1;
    return header;
}

long double Isotropic(long double, long double) { return 1; }
long double Cosine(long double, long double gamma) { return std::cos(gamma * std::numbers::pi_v<long double> / 180); }

} // namespace

TEST(Figures, FluxOfClosedFormDistributions)
{
    struct Case {
        const char* name;
        long double type;
        tArrEx vertical;
        tArrEx horizontal;
        long double multiplier;
        double flux;
        Intensity intensity = Isotropic;
    };
    // Only one plane lit: the flux is 2 (over 0 to 180 degrees) times that plane's width.
    const auto onlyAt
        = [](long double lit) { return [lit](long double c, long double) -> long double { return c == lit ? 1 : 0; }; };
    const tArrEx gammaFull = Steps(0, 180, 5);
    const tArrEx latitude = Steps(-90, 90, 7.5);
    const Case cases[] = {
        { "one plane", 1, gammaFull, { 0 }, 1, 4 * kPi },
        { "quadrant", 1, gammaFull, Steps(0, 90, 22.5), 1, 4 * kPi },
        { "bilateral from 0", 1, gammaFull, { 0, 30, 100, 180 }, 1, 4 * kPi },
        { "bilateral from 90", 1, gammaFull, Steps(90, 270, 45), 1, 4 * kPi },
        { "full 0 to 360", 1, gammaFull, Steps(0, 360, 15), 1, 4 * kPi },
        { "full circle with a gap", 1, gammaFull, Steps(0, 240, 60), 1, 4 * kPi },
        { "quadrant, C90 lit", 1, gammaFull, Steps(0, 90, 22.5), 1, 2 * (4 * 11.25) * kPi / 180, onlyAt(90) },
        { "bilateral, C30 lit", 1, gammaFull, { 0, 30, 100, 180 }, 1, 2 * (2 * 50) * kPi / 180, onlyAt(30) },
        { "gap shared by the first plane", 1, gammaFull, Steps(0, 240, 60), 1, 2 * 90 * kPi / 180, onlyAt(0) },
        { "gap shared by the last plane", 1, gammaFull, Steps(0, 240, 60), 1, 2 * 90 * kPi / 180, onlyAt(240) },
        { "lower half, multiplier 3", 1, Steps(0, 90, 10), { 0 }, 3, 3 * 2 * kPi },
        { "upper part from 100", 1, Steps(100, 180, 10), { 0 }, 1, 2 * kPi * (1 + std::cos(100 * kPi / 180)) },
        { "type A", 3, latitude, Steps(-90, 90, 30), 1, 2 * kPi },
        { "type A lateral", 3, latitude, Steps(0, 90, 15), 1, 2 * kPi },
        { "type B", 2, Steps(-90, 90, 30), latitude, 1, 2 * kPi },
        { "type B lateral, type 2.5 rounds to 2", 2.5, Steps(-90, 90, 30), Steps(0, 90, 7.5), 1, 2 * kPi },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PhotometricFigures f
            = ComputeFigures(Table(c.vertical, c.horizontal, c.intensity), Header(c.type, c.multiplier));
        ASSERT_TRUE(f.Flux);
        EXPECT_NEAR(*f.Flux, c.flux, 1e-12 * c.flux);
        EXPECT_EQ(f.Note, "");
        EXPECT_EQ(f.ZonalFlux.has_value(), c.type == 1);
        EXPECT_EQ(f.DownwardPercent.has_value(), c.type == 1);
    }
}

TEST(Figures, IsotropicZonesAreExactWhateverTheVerticalSteps)
{
    for (const long double step : { 5.0L, 3.0L, 7.0L }) {
        tArrEx gamma = Steps(0, 180, step);
        const PhotometricFigures f = ComputeFigures(Table(gamma, { 0, 90 }, Isotropic), Header());
        ASSERT_TRUE(f.ZonalFlux);
        for (int z = 0; z < kZoneCount; ++z) {
            const double expected = 2 * kPi * (std::cos(z * kPi / 18) - std::cos((z + 1) * kPi / 18));
            EXPECT_NEAR((*f.ZonalFlux)[z], expected, 1e-12) << "step " << double(step) << " zone " << z;
        }
        EXPECT_NEAR(*f.DownwardPercent, 50, 1e-10);
        EXPECT_NEAR(*f.UpwardPercent, 50, 1e-10);
    }
}

TEST(Figures, LambertianTendsToPiTimesI0WithBeam120)
{
    const long double i0 = 1000;
    double previousError = INFINITY;
    for (const long double step : { 10.0L, 2.0L, 0.5L }) {
        const tArrEx gamma = Steps(0, 90, step);
        const PhotometricFigures f = ComputeFigures(
            Table(gamma, { 0 }, [&](long double c, long double g) { return i0 * Cosine(c, g); }), Header());
        const double error = std::fabs(f.Flux.value_or(NAN) - kPi * double(i0));
        EXPECT_LT(error, previousError) << "step " << double(step);
        previousError = error;
        EXPECT_DOUBLE_EQ(f.Beam.First.value_or(NAN), 120);
        EXPECT_DOUBLE_EQ(f.Beam.Second.value_or(NAN), 120);
        EXPECT_NEAR(f.Field.First.value_or(NAN), 2 * std::acos(0.1) * 180 / kPi, step * step * 0.02);
        EXPECT_DOUBLE_EQ(*f.DownwardPercent, 100);
    }
    EXPECT_LT(previousError, 1e-4 * kPi * double(i0));
}

// Each plane falls linearly from 1 at nadir to 0 at its own width W, so a section's spread at fraction f is
// (1 - f) times the sum of its two planes' W; a plane interpolated between W1 and W2 at t has 1/W = (1-t)/W1 + t/W2.
TEST(Figures, BeamAndFieldPerSectionForEachSymmetryClass)
{
    struct Case {
        const char* name;
        tArrEx horizontal;
        tArrEx widths; // W of each plane of the file
        double c0, c90, c180, c270; // W of the section planes
    };
    const auto between = [](double w1, double w2, double t) { return 1 / ((1 - t) / w1 + t / w2); };
    const Case cases[] = {
        { "one plane", { 0 }, { 40 }, 40, 40, 40, 40 },
        { "quadrant", { 0, 45, 90 }, { 40, 50, 60 }, 40, 60, 40, 60 },
        { "bilateral from 0", { 0, 90, 180 }, { 40, 60, 20 }, 40, 60, 20, 60 },
        { "bilateral, C90 interpolated", { 0, 60, 180 }, { 40, 60, 20 }, 40, between(60, 20, 0.25), 20,
            between(60, 20, 0.25) },
        { "bilateral from 90", { 90, 180, 270 }, { 60, 20, 80 }, 20, 60, 20, 80 },
        { "full 0 to 360", { 0, 90, 180, 270, 360 }, { 40, 60, 20, 80, 40 }, 40, 60, 20, 80 },
        { "full circle, C270 round the circle", { 0, 60, 120, 180, 240 }, { 40, 60, 20, 30, 50 }, 40,
            between(60, 20, 0.5), 30, between(50, 40, 0.25) },
    };
    const tArrEx gamma = Steps(0, 90, 1);
    for (const bool upward : { false, true }) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (upward ? ", upward" : ""));
            const Intensity linear = [&](long double angle, long double g) -> long double {
                std::size_t k = 0;
                while (c.horizontal[k] != angle)
                    ++k;
                return 1 - (upward ? 180 - g : g) / c.widths[k];
            };
            const tIES ies = Table(upward ? Steps(90, 180, 1) : gamma, c.horizontal, linear);
            const PhotometricFigures f = ComputeFigures(ies, Header());
            EXPECT_NEAR(f.Beam.First.value_or(NAN), 0.5 * (c.c0 + c.c180), 1e-9);
            EXPECT_NEAR(f.Beam.Second.value_or(NAN), 0.5 * (c.c90 + c.c270), 1e-9);
            EXPECT_NEAR(f.Field.First.value_or(NAN), 0.9 * (c.c0 + c.c180), 1e-9);
            EXPECT_NEAR(f.Field.Second.value_or(NAN), 0.9 * (c.c90 + c.c270), 1e-9);
            EXPECT_STREQ(f.Beam.FirstKey, "c0_180");
        }
    }
}

// Wings of 40/80/100/0 cd at 0/30/60/90 degrees: the outermost crossings lie at 60 + 30 x (1 - f) either side.
TEST(Figures, BatwingSpreadsOverBothWings)
{
    const tIES batwing = Table({ 0, 30, 60, 90 }, { 0 }, [](long double, long double g) -> long double {
        return g == 0 ? 40 : g == 30 ? 80 : g == 60 ? 100 : 0;
    });
    const PhotometricFigures f = ComputeFigures(batwing, Header());
    EXPECT_NEAR(f.Beam.First.value_or(NAN), 150, 1e-12);
    EXPECT_NEAR(f.Beam.Second.value_or(NAN), 150, 1e-12);
    EXPECT_NEAR(f.Field.First.value_or(NAN), 174, 1e-12);
    EXPECT_NEAR(f.Field.Second.value_or(NAN), 174, 1e-12);
}

TEST(Figures, SpreadTakesTheOutermostCrossingsWithinTheWindow)
{
    struct Case {
        const char* name;
        tProfile profile;
        long double reach;
        std::optional<long double> width; // at half the maximum
    };
    const long double all = INFINITY;
    const Case cases[] = {
        { "single lobe", { { -20, 0 }, { -10, 1 }, { 0, 2 }, { 10, 1 }, { 20, 0 } }, all, 20 },
        { "two lobes of unequal height", { { -40, 0 }, { -30, 4 }, { 0, 0 }, { 30, 3 }, { 40, 0 } }, all,
            35 + 30 + 10.0L / 3 },
        { "dip to zero between lobes", { { -20, 0 }, { -10, 2 }, { 0, 0 }, { 10, 2 }, { 20, 0 } }, all, 30 },
        { "window end at the threshold", { { -10, 1 }, { 0, 2 }, { 10, 0 } }, all, std::nullopt },
        { "lobe beyond the window ignored", { { -100, 9 }, { -90, 0 }, { 0, 2 }, { 90, 0 } }, 90, 90 },
        { "window end above the threshold", { { -90, 0 }, { 0, 2 }, { 90, 1.5 }, { 100, 0 } }, 90, std::nullopt },
        { "nothing lit", { { -10, 0 }, { 0, 0 }, { 10, 0 } }, all, std::nullopt },
        { "no point in the window", { { -100, 1 }, { 100, 1 } }, 90, std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<long double> width = SpreadWidth(c.profile, 0.5L, c.reach);
        ASSERT_EQ(width.has_value(), c.width.has_value());
        if (width) {
            EXPECT_NEAR(double(*width), double(*c.width), 1e-12);
        }
    }
}

TEST(Figures, TypesAAndBSpreadAlongTheirTwoAxes)
{
    struct Case {
        const char* name;
        long double type;
        tArrEx horizontal;
        tArrEx vertical;
        bool horizontalDefined, verticalDefined;
    };
    const Case cases[] = {
        { "type A", 3, Steps(-90, 90, 2), Steps(-90, 90, 2), true, true },
        { "type B lateral", 2, Steps(0, 90, 2), Steps(-90, 90, 2), true, true },
        { "no vertical angle 0", 3, Steps(-90, 90, 2), Steps(-89, 89, 2), false, true },
        { "no horizontal angle 0", 2, { -90, -30, 30, 90 }, Steps(-90, 90, 2), true, false },
    };
    const long double wh = 50;
    const long double wv = 30;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PhotometricFigures f = ComputeFigures(
            Table(c.vertical, c.horizontal,
                [&](long double h, long double v) { return (1 - std::fabs(h) / wh) * (1 - std::fabs(v) / wv); }),
            Header(c.type));
        EXPECT_STREQ(f.Beam.FirstKey, "horizontal");
        EXPECT_STREQ(f.Field.SecondKey, "vertical");
        EXPECT_EQ(f.Beam.First.has_value(), c.horizontalDefined);
        EXPECT_EQ(f.Beam.Second.has_value(), c.verticalDefined);
        if (c.horizontalDefined && c.verticalDefined) {
            EXPECT_NEAR(f.Beam.First.value_or(NAN), double(wh), 1e-9);
            EXPECT_NEAR(f.Field.First.value_or(NAN), 1.8 * double(wh), 1e-9);
            EXPECT_NEAR(f.Beam.Second.value_or(NAN), double(wv), 1e-9);
        }
    }
}

TEST(Figures, WhatIsNotComputedSaysWhyAndReportsTheRest)
{
    struct Case {
        const char* name;
        tIES ies;
        tPhotometricHeader header;
        const char* note; // a part of it
    };
    const tArrEx gamma = Steps(0, 90, 10);
    tPhotometricHeader huge = Header(1, 1e4000L);
    const Case cases[] = {
        { "unknown type", Table(gamma, { 0 }, Isotropic), Header(4), "type 4 is unknown" },
        { "type 0.5 rounds to 0", Table(gamma, { 0 }, Isotropic), Header(0.5), "unknown" },
        { "one vertical angle", Table({ 0 }, { 0 }, Isotropic), Header(), "fewer than two" },
        { "vertical angles unsorted", Table({ 0, 20, 10 }, { 0 }, Isotropic), Header(), "vertical angles are not" },
        { "horizontal angles repeated", Table(gamma, { 0, 90, 90 }, Isotropic), Header(), "horizontal angles are not" },
        { "vertical beyond 180", Table(Steps(0, 190, 10), { 0 }, Isotropic), Header(), "unusual range" },
        { "horizontal 0 to 120", Table(gamma, { 0, 120 }, Isotropic), Header(), "unusual range" },
        { "horizontal 0 to 180 for type A", Table(gamma, { 0, 180 }, Isotropic), Header(3), "type A" },
        { "type B vertical below -90", Table(Steps(-100, 90, 10), { 0, 90 }, Isotropic), Header(2), "type B" },
        { "infinite flux", Table(gamma, { 0 }, [](long double, long double) { return 1e900L; }), huge, "finite" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PhotometricFigures f = ComputeFigures(c.ies, c.header);
        EXPECT_NE(f.Note.find(c.note), std::string::npos) << f.Note;
        EXPECT_FALSE(f.Flux || f.ZonalFlux || f.DownwardPercent || f.Efficacy || f.LightOutputRatio);
        EXPECT_TRUE(f.PhotometricType && f.InputWatts && f.BallastFactor && f.NumberOfLamps);
        EXPECT_EQ(f.MaxIntensity.has_value(), c.header.CandelaMultiplier == 1);
    }

    const PhotometricFigures empty = ComputeFigures(tIES {}, Header());
    EXPECT_NE(empty.Note, "");
    EXPECT_FALSE(empty.PhotometricType || empty.InputWatts || empty.NumberOfLamps || empty.MaxIntensity);
}

TEST(Figures, LampFluxRatioEfficacyAndMaximum)
{
    struct Case {
        long double lamps, lumens, watts;
        bool lampFlux, efficacy;
    };
    const Case cases[] = {
        { 2.5, 500, 20, true, true }, // 2.5 lamps round to 2
        { 1, -1, 20, false, true }, // absolute photometry
        { 0, 500, 0, false, false },
        { 3, 0, -5, false, false },
    };
    // The maximum, 7 cd, stands twice: at (C90, 10) and at (C180, 0); the first in table order is reported.
    const tIES ies = Table(Steps(0, 90, 10), { 0, 90, 180 }, [](long double c, long double g) -> long double {
        return (c == 90 && g == 10) || (c == 180 && g == 0) ? 7 : 1;
    });
    for (const Case& c : cases) {
        tPhotometricHeader header = Header(1, 2);
        header.NumberOfLamps = c.lamps;
        header.LumensPerLamp = c.lumens;
        header.InputWatts = c.watts;
        const PhotometricFigures f = ComputeFigures(ies, header);
        SCOPED_TRACE(double(c.lamps));
        EXPECT_EQ(*f.NumberOfLamps, std::nearbyint(double(c.lamps)));
        EXPECT_EQ(*f.MaxIntensity, 14);
        EXPECT_EQ(*f.MaxHorizontal, 90);
        EXPECT_EQ(*f.MaxVertical, 10);
        ASSERT_EQ(f.LampFlux.has_value(), c.lampFlux);
        ASSERT_EQ(f.Efficacy.has_value(), c.efficacy);
        EXPECT_EQ(f.LightOutputRatio.has_value(), c.lampFlux);
        if (c.lampFlux) {
            EXPECT_EQ(*f.LampFlux, 2 * double(c.lumens));
            EXPECT_DOUBLE_EQ(*f.LightOutputRatio, 100 * *f.Flux / *f.LampFlux);
        }
        if (c.efficacy) {
            EXPECT_DOUBLE_EQ(*f.Efficacy, *f.Flux / double(c.watts));
        }
    }

    // No light at all: a flux of 0, no split and no spread.
    const PhotometricFigures dark
        = ComputeFigures(Table(Steps(0, 180, 10), { 0 }, [](long double, long double) { return 0; }), Header());
    EXPECT_EQ(dark.Flux, 0.0);
    EXPECT_EQ(dark.Note, "");
    EXPECT_FALSE(dark.DownwardPercent || dark.UpwardPercent || dark.Beam.First || dark.Field.Second);
}

TEST(Figures, ReaderKeepsTheHeaderNumbersAndTiltDataWithoutChangingTheRecord)
{
    const std::string text = "[TEST] T\nTILT=INCLUDE\n1\n4\n0 45 90 180\n1 .9 .8 1\n"
                             "2 1000 1.5 3 1 3 2 0.1 0.2 0.3 0.88 1 61\n0 45 90\n0\n100 50 0\n";
    TStringList lines;
    SplitIntoLines(text, lines);
    TStringList linesAgain = lines;
    TStringList headerLines;
    tIES plain;
    tIES withHeader;
    tPhotometricHeader header;
    ReadIES(lines, headerLines, plain, nullptr);
    ReadIES(linesAgain, headerLines, withHeader, header, nullptr);
    EXPECT_EQ(withHeader.Candela, plain.Candela);
    EXPECT_EQ(withHeader.VertAngles, plain.VertAngles);
    EXPECT_EQ(withHeader.CandelaMultiplier, plain.CandelaMultiplier);
    EXPECT_EQ(withHeader.UnitsType, plain.UnitsType);

    const tArrEx numbers = { header.NumberOfLamps, header.LumensPerLamp, header.CandelaMultiplier,
        header.PhotometricType, header.UnitsType, header.Width, header.Length, header.Height, header.BallastFactor,
        header.FutureUse, header.InputWatts };
    EXPECT_EQ(numbers, (tArrEx { 2, 1000, 1.5L, 3, 2, 0.1L, 0.2L, 0.3L, 0.88L, 1, 61 }));
    EXPECT_TRUE(header.Tilt.Included);
    EXPECT_EQ(header.Tilt.LampToLuminaireGeometry, 1);
    EXPECT_EQ(header.Tilt.Angles, (tArrEx { 0, 45, 90, 180 }));
    EXPECT_EQ(header.Tilt.MultiplyingFactors, (tArrEx { 1, 0.9L, 0.8L, 1 }));
}

TEST(Figures, EveryCorpusFileIsComputedOrSaysWhy)
{
    namespace fs = std::filesystem;
    const fs::path root = GONILUX_CORPUS_DIR;
    if (!fs::exists(root))
        GTEST_SKIP() << "no corpus at " << root;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string extension = entry.path().extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!entry.is_regular_file() || extension != ".ies")
            continue;
        SCOPED_TRACE(entry.path().string());
        TStringList lines;
        TStringList headerLines;
        tIES ies;
        tPhotometricHeader header;
        LoadFileLines(entry.path().string(), lines);
        ReadIES(lines, headerLines, ies, header, nullptr);
        const PhotometricFigures f = ComputeFigures(ies, header);
        ++files;
        EXPECT_EQ(f.Flux.has_value(), f.Note.empty()) << f.Note;
        for (const auto& value : { f.Flux, f.LampFlux, f.LightOutputRatio, f.Efficacy, f.MaxIntensity,
                 f.DownwardPercent, f.UpwardPercent, f.Beam.First, f.Beam.Second, f.Field.First, f.Field.Second })
            EXPECT_TRUE(!value || std::isfinite(*value));
        if (f.Flux && f.ZonalFlux) {
            EXPECT_NEAR(*f.DownwardPercent + *f.UpwardPercent, 100, 1e-9);
        }
    }
    EXPECT_GT(files, 0);
}
