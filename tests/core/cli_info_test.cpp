// gonilux-cli info: the three output forms, the golden dumps and the error exits, run as a separate process.
#include "IesReader.h"
#include "PhotometricFigures.h"

#include "numeric_text.h"
#include "process_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class CliInfo : public ScratchFolderTest {
protected:
    ProcessRun Info(const std::string& arguments)
    {
        return RunCommand(Quote(GONILUX_CLI) + " info " + arguments, Dir());
    }

    std::string WriteFile(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

const std::string kSamples = GONILUX_SAMPLES_DIR;
const std::string kFixtures = GONILUX_FIXTURES_DIR;

} // namespace

TEST_F(CliInfo, DumpMatchesTheReviewedGoldenFiles)
{
    for (const char* name : { "highbay_tilt_include", "pendant_commas_wrapped" }) {
        SCOPED_TRACE(name);
        const ProcessRun run = Info("'" + kSamples + "/" + name + ".ies' --dump");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        // The golden dumps hold x86's 80-bit digits; a machine with wider extended reals prints the same values
        // with other digits, so the values are compared as numbers, within the narrower format's last place.
        const std::string golden = Slurp(std::string(GONILUX_SOURCE_DIR) + "/tests/golden/" + name + ".dump");
        EXPECT_EQ(NumericTextDifference(golden, run.out, Narrower(kLongDoubleFormat, kX87ExtendedFormat)), "");
    }
}

TEST_F(CliInfo, ErrorsGoToStandardErrorWithTheirReasonAndExitWithThree)
{
    struct Case {
        std::string file;
        std::string reason;
    };
    const Case cases[] = {
        { m_dir + "/missing.ies", "No such file or directory" },
        { kFixtures + "/empty_file.ies", "the file is empty" },
        { kFixtures + "/nothing_after_tilt.ies", "no numbers follow the TILT line" },
        { kFixtures + "/count_over_65535.ies",
            "The number of vertical angles in this file (70000) is outside 0 to 65535; the file is not loaded." },
    };
    for (const Case& c : cases)
        for (const char* form : { "--dump", "--json", "" }) {
            SCOPED_TRACE(c.file + " " + form);
            const ProcessRun run = Info("'" + c.file + "' " + form);
            EXPECT_EQ(run.exitCode, 3);
            EXPECT_EQ(run.err, "gonilux-cli: " + c.file + ": " + c.reason + "\n");
            // JSON readers get an object naming the error; the other forms print nothing.
            if (std::string(form) == "--json")
                EXPECT_EQ(run.out,
                    "{\n  \"file\": \"" + c.file + "\",\n  \"valid\": false,\n  \"error\": \"" + c.file + ": "
                        + c.reason + "\"\n}\n");
            else
                EXPECT_EQ(run.out, "");
        }
}

TEST_F(CliInfo, AFailedHeaderCheckIsReportedAndReadingGoesOn)
{
    const std::string file = kFixtures + "/header_watts_letter_o.ies";
    const ProcessRun run = Info("'" + file + "' --dump");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "gonilux-cli: " + file + ": not a valid IES file: a header number on line 6 does not convert\n");
    EXPECT_EQ(run.out.substr(0, 13), "read_error 1\n");
    EXPECT_NE(run.out.find("\ncandela 0 1 50\n"), std::string::npos);
}

TEST_F(CliInfo, SummaryAndJsonReportTheSameFacts)
{
    const std::string file = "'" + kSamples + "/street_bilateral.ies'";
    const ProcessRun summary = Info(file);
    const ProcessRun json = Info(file + " --json");
    EXPECT_EQ(summary.exitCode, 0);
    EXPECT_EQ(json.exitCode, 0);
    for (const char* line : { "Vertical angles: 19 (0 to 90 degrees)\n", "Horizontal angles: 19 (0 to 180 degrees)\n",
             "Symmetry: bilateral symmetric (0 to 180)\n", "Maximum candela: 4818\n", "Units: 2 (metres)\n",
             "Manufacturer: Castellan Luce S.r.l.\n", "Lamp catalog: CST-LED-60\n" })
        EXPECT_NE(summary.out.find(line), std::string::npos) << line;
    for (const char* item :
        { "\"num_vert\": 19,", "\"num_horiz\": 19,", "\"symmetry\": \"bilateral symmetric (0 to 180)\"",
            "\"max_candela\": 4818,", "\"manufacturer\": \" Castellan Luce S.r.l.\"", "\"read_error\": false" })
        EXPECT_NE(json.out.find(item), std::string::npos) << item;
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_EQ(json.out.substr(json.out.size() - 2), "}\n");
}

TEST_F(CliInfo, JsonEscapesEveryByteAsItsOwnCharacter)
{
    const std::string path = WriteFile("bytes.ies",
        "[TEST] \"q\" back\\slash\r\n[LUMCAT]\xa0X\tY\r\nTILT=NONE\r\n1 -1 1 1 1 1 2 0 0 0 1 1 1\r\n0\r\n0\r\n5\r\n");
    const ProcessRun run = Info("'" + path + "' --json");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"test\": \" \\\"q\\\" back\\\\slash\""), std::string::npos) << run.out;
    // The header is not UTF-8, so each byte is its Latin-1 character, written as UTF-8 (0xA0 is U+00A0).
    EXPECT_NE(run.out.find("\"luminaire_catalog\": \"\xc2\xa0X\\u0009Y\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"symmetry\": \"axially symmetric\""), std::string::npos);
}

TEST_F(CliInfo, WrongArgumentsShowUsage)
{
    for (const char* arguments : { "", "--dump", "a.ies b.ies", "a.ies --bogus" }) {
        const ProcessRun run = Info(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.err.find("usage: gonilux-cli info FILE"), std::string::npos) << arguments;
    }
}

TEST_F(CliInfo, JsonFiguresHoldEveryKeyAndNumbersReadBackExactly)
{
    const std::string path = kSamples + "/street_bilateral.ies";
    const ProcessRun run = Info("'" + path + "' --json");
    ASSERT_EQ(run.exitCode, 0);
    const std::size_t figures = run.out.find("\n  \"figures\": {\n");
    ASSERT_NE(figures, std::string::npos);
    std::size_t at = figures;
    for (const char* key : { "photometric_type", "flux_lm", "lamp_flux_lm", "lor_percent", "efficacy_lm_per_w",
             "input_watts", "ballast_factor", "number_of_lamps", "max_cd", "max_at", "beam_deg", "field_deg",
             "zonal_lm", "downward_percent", "upward_percent", "note" }) {
        const std::size_t next = run.out.find(std::string("\n    \"") + key + "\": ", at);
        EXPECT_NE(next, std::string::npos) << key;
        at = next == std::string::npos ? at : next;
    }
    EXPECT_NE(run.out.find("\"beam_deg\": {\"c0_180\": "), std::string::npos);
    EXPECT_NE(run.out.find("\"note\": \"\"\n  }\n}\n"), std::string::npos);

    TStringList lines;
    TStringList headerLines;
    tIES ies;
    tPhotometricHeader header;
    LoadFileLines(path, lines);
    ReadIES(lines, headerLines, ies, header, nullptr);
    const PhotometricFigures expected = ComputeFigures(ies, header);
    const std::string key = "\"flux_lm\": ";
    const double flux = std::strtod(run.out.c_str() + run.out.find(key) + key.size(), nullptr);
    ASSERT_TRUE(expected.Flux);
    EXPECT_EQ(flux, *expected.Flux);

    const ProcessRun summary = Info("'" + path + "'");
    EXPECT_NE(summary.out.find("\nPhotometry:\n  Photometric type: 1\n"), std::string::npos) << summary.out;
    EXPECT_EQ(summary.out.find("Not computed"), std::string::npos);
}

TEST_F(CliInfo, FiguresNeverWriteNanOrInfinityAndSayWhyWhenNotComputed)
{
    const std::string unknownType
        = WriteFile("type9.ies", "TILT=NONE\n1 -1 1 3 1 9 2 0 0 0 1 1 0\n0 45 90\n0\n5 3 1\n");
    const ProcessRun run = Info("'" + unknownType + "' --json");
    EXPECT_NE(run.out.find("\"flux_lm\": null,"), std::string::npos);
    EXPECT_NE(run.out.find("\"beam_deg\": {\"c0_180\": null, \"c90_270\": null},"), std::string::npos);
    EXPECT_NE(run.out.find("\"zonal_lm\": null,"), std::string::npos);
    EXPECT_NE(run.out.find("\"max_at\": {\"h\": 0, \"v\": 0},"), std::string::npos);
    EXPECT_NE(Info("'" + unknownType + "'").out.find("  Not computed: photometric type 9"), std::string::npos);

    namespace fs = std::filesystem;
    const fs::path root = GONILUX_CORPUS_DIR;
    if (!fs::exists(root))
        GTEST_SKIP() << "no corpus at " << root;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".ies" && extension != ".IES"))
            continue;
        const ProcessRun file = Info("'" + entry.path().string() + "' --json");
        SCOPED_TRACE(entry.path().string());
        EXPECT_EQ(file.exitCode, 0);
        EXPECT_NE(file.out.find("\n  \"figures\": {\n"), std::string::npos);
        for (const char* bad : { "nan", "inf", "NaN", "Inf" })
            EXPECT_EQ(file.out.substr(file.out.find("\"figures\"")).find(bad), std::string::npos);
    }
}
