// gonilux-cli on EULUMDAT files: every command reads them by extension, an .ldt file and an IES file holding the same
// numbers give the same output, the corpus pairs give the same figures, and a refused file exits as an IES one does.
#include "ldt_corpus_pairs.h"
#include "process_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string kCheckFixtures = std::string(GONILUX_FIXTURES_DIR) + "/check/";

// The IES file holding what clean_rotational.ldt holds: its synthesised header lines, one plane of five values
// (stored per 1000 lm, with 1000 lm of lamps) and the luminous area's 80 mm as the width.
const char* const kRotationalTwin = "[TEST] Report 1\r\n[MANUFAC] Gonilux test fixtures\r\n[LUMINAIRE] Downlight\r\n"
                                    "[LUMCAT] DL-1\r\n[LAMP] LED\r\n[ISSUEDATE] 2024-05-01\r\n[_LDT_LORL] 82.7\r\n"
                                    "TILT=NONE\r\n1 1000 1 5 1 1 2 0.08 0 0 1 1 12\r\n0 22.5 45 67.5 90\r\n0\r\n"
                                    "300 280 200 80 0\r\n";

class CliLdt : public ScratchFolderTest {
protected:
    // Runs the CLI in the test's folder.
    ProcessRun Run(const std::string& arguments)
    {
        return RunCommand(
            "cd " + Quote(m_dir) + " && QT_QPA_PLATFORM=offscreen " + Quote(GONILUX_CLI) + " " + arguments, Dir());
    }
};

// The number after "key": in a JSON text; NAN when the key is missing.
double JsonNumber(const std::string& json, const std::string& key)
{
    const std::size_t at = json.find("\"" + key + "\": ");
    return at == std::string::npos ? NAN : std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

} // namespace

TEST_F(CliLdt, AnLdtFileAndItsIesTwinGiveTheSameOutput)
{
    fs::copy_file(kCheckFixtures + "clean_rotational.ldt", m_dir + "/Lamp.LDT"); // the extension in any case
    std::ofstream(m_dir + "/lamp.ies", std::ios::binary) << kRotationalTwin;
    const struct {
        const char* command;
        const char* output; // a file the command writes, compared byte for byte; null: standard output
    } cases[] = {
        { "info --dump", nullptr },
        { "info", nullptr },
        { "goniogram --ops --plane 0", nullptr },
        { "goniogram -o out.svg", "out.svg" },
        { "render -o out.pgm --zoom 300", "out.pgm" },
    };
    for (const auto& c : cases) {
        if (!kDrawingProgramBuilt && DrawsThroughQt(c.command))
            continue;
        SCOPED_TRACE(c.command);
        const ProcessRun ldt = Run(std::string(c.command) + " Lamp.LDT");
        const std::string ldtOutput = c.output ? Slurp(m_dir + "/" + c.output) : ldt.out;
        const ProcessRun ies = Run(std::string(c.command) + " lamp.ies");
        const std::string iesOutput = c.output ? Slurp(m_dir + "/" + c.output) : ies.out;
        EXPECT_EQ(ldt.exitCode, 0) << ldt.err;
        EXPECT_EQ(ies.exitCode, 0) << ies.err;
        EXPECT_FALSE(iesOutput.empty());
        std::string expected = iesOutput;
        if (const std::size_t name = expected.find("lamp.ies"); name != std::string::npos)
            expected.replace(name, 8, "Lamp.LDT");
        EXPECT_EQ(ldtOutput, expected);
    }
}

TEST_F(CliLdt, CorpusPairsGiveTheSameFigures)
{
    const fs::path dir = fs::path(GONILUX_CORPUS_DIR) / LdtCorpusFolder;
    if (!fs::is_directory(dir))
        GTEST_SKIP() << "corpus not present";
    for (const auto& pair : LdtCorpusPairs) {
        SCOPED_TRACE(pair[0]);
        const ProcessRun ldt = Run("info --json '" + (dir / pair[0]).string() + ".ldt'");
        const ProcessRun ies = Run("info --json '" + (dir / pair[0]).string() + pair[1] + "'");
        ASSERT_EQ(ldt.exitCode, 0) << ldt.out;
        ASSERT_EQ(ies.exitCode, 0) << ies.out;
        for (const char* key :
            { "num_vert", "num_horiz", "flux_lm", "max_cd", "c0_180", "c90_270", "downward_percent", "input_watts" }) {
            const double expected = JsonNumber(ies.out, key);
            ASSERT_FALSE(std::isnan(expected)) << key;
            // The twin's intensities are rounded in its text.
            EXPECT_NEAR(JsonNumber(ldt.out, key), expected, std::max(0.005 * std::fabs(expected), 0.05)) << key;
        }
    }
}

TEST_F(CliLdt, ARefusedFileExitsWithThreeAndAFailedFieldIsReported)
{
    const struct {
        const char* fixture;
        int exitCode;
        const char* out; // the start of standard output
        const char* err; // standard error after "gonilux-cli: FILE: "
    } cases[] = {
        { "symmetry_5", 3, "", "EULUMDAT line 3: the symmetry indicator \"5\" is not 0, 1, 2, 3 or 4\n" },
        { "cut_in_lamp_set", 3, "", "EULUMDAT line 31: the file ends before the colour rendering of set 1\n" },
        // Read all the same, as the viewer reads it, but not a valid file.
        { "downward_fraction_letters", 1, "read_error 1\n",
            "not a valid EULUMDAT file: the downward flux fraction on line 22 \"n/a\" is not a number\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const std::string file = kCheckFixtures + c.fixture + ".ldt";
        const ProcessRun run = Run("info --dump '" + file + "'");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << run.out;
        EXPECT_EQ(run.err, "gonilux-cli: " + file + ": " + c.err);
    }
}
