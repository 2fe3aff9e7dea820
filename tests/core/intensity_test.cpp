// I(C, gamma): symmetry expansion, interpolation, repeated and unsorted angles, against hand-computed values.
#include "Intensity.h"

#include <gtest/gtest.h>

namespace {

// A record whose value at plane k and vertical angle i is 100 k + i + 1 unless given.
tIES Record(tArrEx horizontal, tArrEx vertical, std::vector<tArrEx> candela = {})
{
    tIES ies;
    ies.HorizAngles = std::move(horizontal);
    ies.VertAngles = std::move(vertical);
    if (candela.empty())
        for (std::size_t k = 0; k < ies.HorizAngles.size(); ++k) {
            tArrEx row;
            for (std::size_t i = 0; i < ies.VertAngles.size(); ++i)
                row.push_back(100.0L * k + i + 1);
            candela.push_back(row);
        }
    ies.Candela = std::move(candela);
    ies.NumHorizAngles = static_cast<uint16_t>(ies.HorizAngles.size());
    ies.NumVertAngles = static_cast<uint16_t>(ies.VertAngles.size());
    return ies;
}

struct TypeCCase {
    const char* name;
    tIES ies;
    long double c, gamma, expected;
};

TEST(TypeCIntensity, ReadsHandComputedDirections)
{
    // Planes 0, 45, 90 with gamma 0, 45, 90: values 1..3, 101..103, 201..203.
    const tIES quadrant = Record({ 0, 45, 90 }, { 0, 45, 90 });
    const tIES circle = Record({ 0, 90, 180, 270, 350 }, { 0, 90 });
    const tIES bilateral90 = Record({ 90, 180, 270 }, { 0, 90 });
    const std::vector<TypeCCase> cases = {
        { "one plane, any C", Record({ 0 }, { 0, 90 }, { { 10, 30 } }), 237, 45, 20 },
        { "one plane, negative C", Record({ 0 }, { 0, 90 }, { { 10, 30 } }), -90, 90, 30 },
        { "quadrant at 135 reads 45", quadrant, 135, 45, 102 },
        { "quadrant at 315 reads 45", quadrant, 315, 45, 102 },
        { "quadrant at 200 reads 20", quadrant, 200, 0, 1 + 100 * 20.0L / 45 },
        { "quadrant at 180 reads 0", quadrant, 180, 90, 3 },
        { "between planes and angles", quadrant, 22.5L, 22.5L, (1 + 2 + 101 + 102) / 4.0L },
        { "beyond the vertical range", Record({ 0 }, { 0, 60 }), 0, 75, 0 },
        { "below the vertical range", Record({ 0 }, { 30, 60 }), 0, 10, 0 },
        { "bilateral 0-180 at 270 reads 90", Record({ 0, 90, 180 }, { 0 }), 270, 0, 101 },
        { "bilateral 90-270 at 300 reads 240", bilateral90, 300, 0, 101 + 100 * 60.0L / 90 },
        { "bilateral 90-270 at 30 reads 150", bilateral90, 30, 0, 1 + 100 * 60.0L / 90 },
        { "full circle across 360/0", circle, 355, 0, 401 + (1 - 401) * 0.5L },
        { "full circle at -5", circle, -5, 90, 402 + (2 - 402) * 0.5L },
        { "0-360 as stored", Record({ 0, 180, 360 }, { 0 }), 270, 0, 151 },
        { "other range outside the planes", Record({ 0, 45 }, { 0 }), 60, 0, 0 },
        { "other range inside", Record({ 0, 45 }, { 0 }), 30, 0, 1 + 100 * 30.0L / 45 },
    };
    for (const TypeCCase& test : cases) {
        const intensity::TypeC intensityOf(test.ies, 1);
        EXPECT_NEAR(static_cast<double>(intensityOf(test.c, test.gamma)), static_cast<double>(test.expected), 1e-9)
            << test.name;
    }
}

TEST(TypeCIntensity, RepeatedAndUnsortedAnglesAndMultiplier)
{
    // Vertical 0, 10, 10, 20 with 1, 2, 3, 4: at 10 the later value holds, below it the earlier one's.
    const tIES repeated = Record({ 0 }, { 0, 10, 10, 20 }, { { 1, 2, 3, 4 } });
    const intensity::TypeC a(repeated, 1);
    EXPECT_EQ(a(0, 10), 3);
    EXPECT_EQ(a(0, 5), 1.5L);
    EXPECT_EQ(a(0, 15), 3.5L);
    // Unsorted: planes 90, 0 and gammas 90, 0 are used sorted, each value travelling with its angles.
    const tIES unsorted = Record({ 90, 0 }, { 90, 0 }, { { 40, 30 }, { 20, 10 } });
    const intensity::TypeC b(unsorted, 2);
    EXPECT_EQ(b.Layout(), intensity::Symmetry::Quadrant);
    EXPECT_EQ(b(0, 0), 20);
    EXPECT_EQ(b(90, 90), 80);
    EXPECT_EQ(b(45, 45), 50);
    EXPECT_EQ(b.Data().Maximum(), 80);
    // A table shorter than its angle lists reads 0 where values are missing.
    const tIES shortRow = Record({ 0 }, { 0, 90 }, { { 7 } });
    EXPECT_EQ(intensity::TypeC(shortRow, 1)(0, 90), 0);
    EXPECT_EQ(intensity::TypeC(tIES {}, 1)(0, 0), 0);
}

TEST(TypeABIntensity, MirrorsHalfFilesAndReadsZeroOutside)
{
    // Horizontal 0..90 and vertical -90..90: -H reads H; vertical beyond 90 reads 0.
    const tIES half = Record({ 0, 90 }, { -90, 0, 90 }, { { 1, 2, 3 }, { 11, 12, 13 } });
    const intensity::TypeAB ab(half, 1);
    EXPECT_EQ(ab(-45, 0), 7);
    EXPECT_EQ(ab(45, 45), 7.5L); // (2.5 + 12.5) / 2
    EXPECT_EQ(ab(0, -90), 1);
    EXPECT_EQ(ab(0, 100), 0);
    // Horizontal -90..90 is not mirrored: beyond it reads 0.
    const tIES whole = Record({ -90, 90 }, { 0, 90 }, { { 1, 3 }, { 5, 7 } });
    const intensity::TypeAB full(whole, 1);
    EXPECT_EQ(full(0, 0), 3);
    EXPECT_EQ(full(0, -45), 4); // vertical angles start at 0: -45 reads 45, (2 + 6) / 2
    EXPECT_EQ(full(120, 0), 0);
}

} // namespace
