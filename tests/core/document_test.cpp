// The document: what a load, a failed load, a plane or a switch does to the state every window reads.
#include "Document.h"
#include "PlaneSampling.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string Samples = GONILUX_SAMPLES_DIR "/";
const std::string Fixtures = GONILUX_FIXTURES_DIR "/";

void Ignore(const std::string&) { }

TEST(Document, LoadHoldsTheRecordItsHeaderAndItsPath)
{
    const std::vector<std::string> files
        = { "washer_full_360.ies", "downlight_axial.ies", "panel_quadrant.ies", "highbay_tilt_include.ies" };
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        Document document;
        // The document reads as the reader alone does.
        TStringList lines, header;
        tIES expected;
        tPhotometricHeader numbers;
        LoadFileLines(Samples + name, lines);
        ReadIES(lines, header, expected, numbers, Ignore);

        document.Load(Samples + name, Ignore);
        EXPECT_EQ(document.FileName(), Samples + name);
        EXPECT_EQ(document.IESData().HorizAngles, expected.HorizAngles);
        EXPECT_EQ(document.IESData().Candela, expected.Candela);
        EXPECT_EQ(document.HeaderLines(), header);
        EXPECT_EQ(document.FileLines(), lines);
        EXPECT_EQ(document.Header().LumensPerLamp, numbers.LumensPerLamp);
        EXPECT_EQ(document.Header().InputWatts, numbers.InputWatts);
        EXPECT_EQ(document.Header().Tilt.Included, numbers.Tilt.Included);
        EXPECT_EQ(document.Header().Tilt.Angles, numbers.Tilt.Angles);
        EXPECT_GT(document.Header().NumberOfLamps, 0) << "the numbers are the file's, not the defaults";
    }
}

TEST(Document, AFailedLoadEmptiesTheTableAndForgetsThePathButNotTheView)
{
    struct Case {
        const char* what;
        std::string path;
    };
    const std::vector<Case> cases = {
        { "missing file", Samples + "no_such_file.ies" },
        { "nothing after the tilt line", Fixtures + "nothing_after_tilt.ies" },
        { "count over 65535", Fixtures + "count_over_65535.ies" },
        { "a folder", Samples },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Document document;
        document.Load(Samples + "washer_full_360.ies", Ignore);
        document.SelectPlane(3);
        document.SetFitDown(true);
        document.SetOrthoDown(true);
        EXPECT_THROW(document.Load(c.path, Ignore), std::runtime_error);
        EXPECT_TRUE(IsEmpty(document.IESData()));
        EXPECT_TRUE(document.FileName().empty());
        EXPECT_EQ(document.SelectedPlane(), 3);
        EXPECT_TRUE(document.FitDown());
        EXPECT_TRUE(document.OrthoDown());
    }
}

TEST(Document, TheHeaderCheckSpeaksAndTheReadGoesOn)
{
    struct Case {
        std::string path;
        std::size_t messages; // an IES header number speaks; an EULUMDAT field the record does not need does not
    } const cases[] = {
        { Fixtures + "header_watts_letter_o.ies", 1 },
        { Fixtures + "check/downward_fraction_letters.ldt", 0 },
    };
    for (const Case& c : cases) {
        Document document;
        std::vector<std::string> said;
        document.Load(c.path, [&said](const std::string& text) { said.push_back(text); });
        ASSERT_EQ(said.size(), c.messages) << c.path;
        if (c.messages) {
            EXPECT_EQ(said.front().rfind("Error!", 0), 0u);
        }
        EXPECT_EQ(document.FileName(), c.path);
        EXPECT_FALSE(IsEmpty(document.IESData())) << c.path;
    }
    // A field the record needs still refuses the file, naming the line and the field.
    Document document;
    try {
        document.Load(Fixtures + "check/symmetry_5.ldt", [](const std::string&) {});
        ADD_FAILURE() << "not refused";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "EULUMDAT line 3: the symmetry indicator \"5\" is not 0, 1, 2, 3 or 4");
    }
}

TEST(Document, SettersReportOnlyARealChange)
{
    struct Step {
        std::function<bool(Document&)> apply;
        bool changed;
    };
    Document document;
    const std::vector<Step> steps = {
        { [](Document& d) { return d.SelectPlane(0); }, false },
        { [](Document& d) { return d.SelectPlane(2); }, true },
        { [](Document& d) { return d.SelectPlane(2); }, false },
        { [](Document& d) { return d.SetFitDown(false); }, false },
        { [](Document& d) { return d.SetFitDown(true); }, true },
        { [](Document& d) { return d.SetOrthoDown(true); }, true },
        { [](Document& d) { return d.SetOrthoDown(true); }, false },
        { [](Document& d) { return d.SetOrthoDown(false); }, true },
    };
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i].apply(document), steps[i].changed) << "step " << i;
    EXPECT_EQ(document.SelectedPlane(), 2);
    EXPECT_TRUE(document.FitDown());
    EXPECT_FALSE(document.OrthoDown());
}

TEST(Document, TheFileMaximumIsComputedOnlyWithFitUpAndARecord)
{
    Document loaded;
    loaded.Load(Samples + "washer_full_360.ies", Ignore);
    const tIES& ies = loaded.IESData();
    const int last = static_cast<int>(ies.HorizAngles.size()) - 1;
    ASSERT_GT(last, 0);
    const long double whole = ComputeMaxIntensity(ies, 0, last);
    const long double firstPlane = ComputeMaxIntensity(ies, 0, 0);

    // Fit down keeps the value; fit up takes the planes asked for.
    loaded.SetFitDown(true);
    EXPECT_FALSE(loaded.RefreshMaxIntensity(0, last));
    EXPECT_EQ(loaded.MaxIntensity(), 0);
    loaded.SetFitDown(false);
    EXPECT_TRUE(loaded.RefreshMaxIntensity(0, 0));
    EXPECT_EQ(loaded.MaxIntensity(), firstPlane);
    EXPECT_TRUE(loaded.RefreshMaxIntensity(0, last));
    EXPECT_EQ(loaded.MaxIntensity(), whole);

    // A failed load leaves the last maximum in place: nothing is drawn from an empty record.
    EXPECT_THROW(loaded.Load(Fixtures + "nothing_after_tilt.ies", Ignore), std::runtime_error);
    EXPECT_FALSE(loaded.RefreshMaxIntensity(0, last));
    EXPECT_EQ(loaded.MaxIntensity(), whole);
}

} // namespace
