// gonilux-cli ugr: the catalogue layout, the JSON document, batches and the files that give no table, run as a
// separate process.
#include "PhotometricFile.h"
#include "UgrTable.h"

#include "process_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const std::string kExample = std::string(GONILUX_FIXTURES_DIR) + "/glare/worked-example.ldt";
const std::string kNoArea = std::string(GONILUX_SAMPLES_DIR) + "/downlight_axial.ies";

class CliUgr : public ScratchFolderTest {
protected:
    ProcessRun Ugr(const std::string& arguments) { return RunCommand(Quote(GONILUX_CLI) + " ugr " + arguments, Dir()); }
};

tUgrTable ExampleTable(long double spacing, bool corrected)
{
    TStringList lines, headerLines;
    tIES ies;
    tPhotometricHeader header;
    LoadFileLines(kExample, lines);
    ReadPhotometricLines(kExample, lines, headerLines, ies, header, nullptr);
    return *ComputeUgrTable(ies, header, { spacing, corrected }).table;
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

TEST_F(CliUgr, ArgumentsAndExitCodes)
{
    struct Case {
        std::string arguments;
        int exitCode;
        const char* inOut;
        std::string inErr;
    };
    const Case cases[] = {
        { Quote(kExample) + " --spacing 1", 0,
            "UGR uncorrected (1000 lm lamp flux per luminaire), spacing to height "
            "ratio 1\n",
            "" },
        { Quote(kExample) + " --corrected", 0,
            "UGR corrected for 1000 lm lamp flux (+0.0), spacing to height ratio 0.25", "" },
        { Quote(kNoArea), 1, "", "gonilux-cli: " + kNoArea + ": no UGR table: the file gives no luminous area" },
        { Quote(kExample) + " " + Quote(kNoArea), 1, "worked-example.ldt\nUGR", "downlight_axial.ies: no UGR table" },
        { Quote(kExample) + " --spacing 0.5", 2, "", "usage: gonilux-cli ugr" },
        { "--json", 2, "", "gonilux-cli: ugr: no file given\nusage: gonilux-cli ugr" },
        { Quote(kExample) + " --spacing", 2, "", "gonilux-cli: ugr: --spacing needs 0.25 or 1\n" },
        { "--help", 0, "8 log10(0.25 / Lb x sum of L^2 omega / p^2)", "" },
        { Quote(kExample + ".missing"), 3, "", "gonilux-cli: " + kExample + ".missing: No such file" },
    };
    for (const Case& c : cases) {
        const ProcessRun run = Ugr(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(run.out.find(c.inOut), std::string::npos) << c.arguments << "\n" << run.out;
        EXPECT_NE(run.err.find(c.inErr), std::string::npos) << c.arguments << "\n" << run.err;
    }
}

TEST_F(CliUgr, TextTableAsCataloguesLayItOut)
{
    const ProcessRun run = Ugr(Quote(kExample) + " --spacing 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const tUgrTable table = ExampleTable(1, false);
    // Room 4H x 8H: its Y and the ten ratings to one decimal; X is given on the first row of its group only.
    char expected[160];
    const tUgrRow& row = table.rows[10];
    std::snprintf(expected, sizeof expected, "\n        8H%6.1f%6.1f%6.1f%6.1f%6.1f%8.1f%6.1f%6.1f%6.1f%6.1f\n",
        RoundedRating(*row.crosswise[0]), RoundedRating(*row.crosswise[1]), RoundedRating(*row.crosswise[2]),
        RoundedRating(*row.crosswise[3]), RoundedRating(*row.crosswise[4]), RoundedRating(*row.endwise[0]),
        RoundedRating(*row.endwise[1]), RoundedRating(*row.endwise[2]), RoundedRating(*row.endwise[3]),
        RoundedRating(*row.endwise[4]));
    EXPECT_NE(run.out.find(expected), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n  4H    2H"), std::string::npos);
    EXPECT_EQ(Count(run.out, "H  "), 19u + 4u) << run.out; // 19 Y cells, 4 X cells
    EXPECT_NE(run.out.find("2 m above the eye (H), eye 1.2 m above the floor"), std::string::npos);
}

TEST_F(CliUgr, JsonGivesTheTableAtFullPrecision)
{
    const ProcessRun run = Ugr(Quote(kExample) + " --spacing 1 --json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\n  \"spacing\": 1,\n  \"corrected\": false,\n  \"flux_lm\": 1000,\n  \"reflectances\": "
                            "[\"70/50/20\", \"70/30/20\", \"50/50/20\", \"50/30/20\", \"30/30/20\"],\n  \"rows\": [\n",
                  0),
        0u)
        << run.out;
    EXPECT_EQ(Count(run.out, "{\"x\": "), 19u);
    // The first rating reads back to the very value computed.
    const std::string key = "\"crosswise\": [";
    const std::size_t at = run.out.find(key);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(std::strtod(run.out.c_str() + at + key.size(), nullptr), *ExampleTable(1, false).rows[0].crosswise[0]);
    EXPECT_NE(run.out.find("{\"x\": 12, \"y\": 8, "), std::string::npos);
}

TEST_F(CliUgr, JsonBatchListsEveryFileInOrder)
{
    const ProcessRun run = Ugr(Quote(kNoArea) + " " + Quote(kExample) + " --json");
    EXPECT_EQ(run.exitCode, 1);
    const std::size_t failed = run.out.find("\"path\": \"" + kNoArea + "\",\n      \"error\": \"no UGR table: ");
    const std::size_t rated = run.out.find("\"path\": \"" + kExample + "\",\n      \"spacing\": 0.25,");
    ASSERT_NE(failed, std::string::npos) << run.out;
    ASSERT_NE(rated, std::string::npos) << run.out;
    EXPECT_LT(failed, rated);
    EXPECT_EQ(run.out.rfind("{\n  \"files\": [", 0), 0u);
    EXPECT_EQ(run.out.substr(run.out.size() - 7), "\n  ]\n}\n");
}
