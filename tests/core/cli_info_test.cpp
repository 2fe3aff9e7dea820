// gonilux-cli info: the three output forms, the golden dumps and the error exits, run as a separate process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/gonilux_cli_info_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }

    CliRun Info(const std::string& arguments)
    {
        const std::string out = m_dir + "/out";
        const std::string err = m_dir + "/err";
        const std::string command
            = std::string("'") + GONILUX_CLI + "' info " + arguments + " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(command.c_str());
        CliRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = Slurp(out);
        run.err = Slurp(err);
        return run;
    }

    std::string WriteFile(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string m_dir;
};

const std::string kSamples = GONILUX_SAMPLES_DIR;
const std::string kFixtures = GONILUX_FIXTURES_DIR;

} // namespace

TEST_F(CliInfo, DumpMatchesTheReviewedGoldenFiles)
{
    for (const char* name : { "highbay_tilt_include", "pendant_commas_wrapped" }) {
        SCOPED_TRACE(name);
        const CliRun run = Info("'" + kSamples + "/" + name + ".ies' --dump");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, Slurp(std::string(GONILUX_SOURCE_DIR) + "/tests/golden/" + name + ".dump"));
    }
}

TEST_F(CliInfo, ErrorsPrintTheirTextAndExitWithThree)
{
    struct Case {
        std::string file;
        std::string firstLine;
    };
    const Case cases[] = {
        { m_dir + "/missing.ies", "error Cannot open file " + m_dir + "/missing.ies\n" },
        { kFixtures + "/empty_file.ies", "error List index out of bounds (0)\n" },
        { kFixtures + "/nothing_after_tilt.ies", "error List index out of bounds (0)\n" },
        { kFixtures + "/count_over_65535.ies",
            "error The number of vertical angles in this file (70000) is outside 0 to 65535; the file is not "
            "loaded.\n" },
    };
    for (const Case& c : cases)
        for (const char* form : { "--dump", "--json", "" }) {
            SCOPED_TRACE(c.file + " " + form);
            const CliRun run = Info("'" + c.file + "' " + form);
            EXPECT_EQ(run.exitCode, 3);
            EXPECT_EQ(run.out, c.firstLine);
        }
}

TEST_F(CliInfo, HeaderCheckMessageGoesToStandardErrorAndReadingGoesOn)
{
    const CliRun run = Info("'" + kFixtures + "/header_watts_letter_o.ies' --dump");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "Error!\n\nLine 6\n");
    EXPECT_EQ(run.out.substr(0, 13), "read_error 1\n");
    EXPECT_NE(run.out.find("\ncandela 0 1 50\n"), std::string::npos);
}

TEST_F(CliInfo, SummaryAndJsonReportTheSameFacts)
{
    const std::string file = "'" + kSamples + "/street_bilateral.ies'";
    const CliRun summary = Info(file);
    const CliRun json = Info(file + " --json");
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
    const CliRun run = Info("'" + path + "' --json");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"test\": \" \\\"q\\\" back\\\\slash\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"luminaire_catalog\": \"\\u00a0X\\u0009Y\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"symmetry\": \"axially symmetric\""), std::string::npos);
}

TEST_F(CliInfo, WrongArgumentsShowUsage)
{
    for (const char* arguments : { "", "--dump", "a.ies b.ies", "a.ies --bogus" }) {
        const CliRun run = Info(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.err.find("usage: gonilux-cli info FILE"), std::string::npos) << arguments;
    }
}
