// The goniogram's "Copy values" text: which planes are listed, in which order, and how the numbers are written.
#include "PlaneValuesText.h"

#include <gtest/gtest.h>

namespace {

tIES record(tArrEx horizontal, tArrEx vertical, std::vector<tArrEx> candela)
{
    tIES ies;
    ies.HorizAngles = std::move(horizontal);
    ies.VertAngles = std::move(vertical);
    ies.Candela = std::move(candela);
    ies.NumHorizAngles = static_cast<uint16_t>(ies.HorizAngles.size());
    ies.NumVertAngles = static_cast<uint16_t>(ies.VertAngles.size());
    return ies;
}

struct Case {
    const char* name;
    int plane;
    bool ortho;
    const char* separator;
    std::string expected;
};

TEST(PlaneValuesText, ListsThePlanesOnShow)
{
    // Four planes at 0, 90, 180 and 270 degrees: plane 0's opposite is 180, its orthogonal pair 90 and 270.
    const tIES ies = record({ 0, 90, 180, 270 }, { 0, 22.5L, 90 },
        { { 1000, 512.25L, 0 }, { 900, 400, 1e-5L }, { 800, 300, 1 }, { 700, 200, 2 } });
    const Case cases[] = {
        { "selected and opposite", 1, false, ".", "Angle\tC 90\tC 270\n0\t900\t700\n22.5\t400\t200\n90\t1E-5\t2\n" },
        { "orthogonal pair with plane 0", 0, true, ".",
            "Angle\tC 0\tC 180\tC 90\tC "
            "270\n0\t1000\t800\t900\t700\n22.5\t512.25\t300\t400\t200\n90\t0\t1\t1E-5\t2\n" },
        { "orthogonal pair only with plane 0", 2, true, ",",
            "Angle\tC 180\tC 0\n0\t800\t1000\n22,5\t300\t512,25\n90\t1\t0\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaneValuesText(ies, ChoosePlanes(ies, c.plane, c.ortho), c.separator), c.expected);
    }
}

TEST(PlaneValuesText, APlaneIsListedOnceAndNothingWithoutPlanes)
{
    // One plane is its own opposite: one column.
    const tIES axial = record({ 0 }, { 0, 90 }, { { 10, 20 } });
    EXPECT_EQ(PlaneValuesText(axial, ChoosePlanes(axial, 0, true), "."), "Angle\tC 0\n0\t10\n90\t20\n");
    EXPECT_EQ(PlaneValuesText(tIES {}, ChoosePlanes(tIES {}, 0, true), "."), "");
    // A plane index past the table lists nothing rather than reading beyond it.
    EXPECT_EQ(PlaneValuesText(axial, PlaneSet { 3, 3, false, 0, 0 }, "."), "");
}

} // namespace
