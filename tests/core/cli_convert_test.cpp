// gonilux-cli convert as a user runs it: one file by the output's extension, a batch into a folder that goes on past
// a refused file with the worst exit status, refusals named on standard error, and unusable arguments.
#include "core/process_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

const std::string kSamples = GONILUX_SAMPLES_DIR;
const std::string kTypeB = std::string(GONILUX_CORPUS_DIR) + "/cu-calc/flood_2.1.IES";

class CliConvert : public ScratchFolderTest {
protected:
    ProcessRun Cli(const std::string& arguments)
    {
        return RunCommand(Quote(GONILUX_CLI) + " convert " + arguments, Dir());
    }
};

TEST_F(CliConvert, OneFileTakesTheFormatFromTheExtension)
{
    const struct {
        std::string source;
        const char* output;
        const char* firstLine;
    } cases[] = {
        { kSamples + "/wallwasher_c0_c180.ldt", "washer.IES", "IESNA:LM-63-2002\r\n" },
        { kSamples + "/street_bilateral.ies", "street.ldt", nullptr },
        { kSamples + "/wallwasher_c0_c180.ldt", "again.ldt", "Gonilux samples\r\n" },
    };
    for (const auto& c : cases) {
        const ProcessRun run = Cli(Quote(c.source) + " -o " + Quote(Dir() / c.output));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const std::string written = Slurp(Dir() / c.output);
        ASSERT_FALSE(written.empty()) << c.output;
        if (c.firstLine) {
            EXPECT_EQ(written.substr(0, std::string(c.firstLine).size()), c.firstLine);
        }
        // What was written is itself a file the command converts.
        EXPECT_EQ(Cli(Quote(Dir() / c.output) + " -o " + Quote(Dir() / "back.ies")).exitCode, 0);
    }
}

// A table of 361 x 1801 values converted whole: its memory comes in large pages, so the whole process takes a few
// dozen page faults, where memory taken 4 kB at a time took some 600 (each costs microseconds on a virtual machine).
TEST_F(CliConvert, ALargeTableTakesFewPageFaults)
{
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    std::getline(mode, modes);
    if (GONILUX_UNDER_EMULATOR || modes.empty() || modes.find("[never]") != std::string::npos)
        GTEST_SKIP() << "no large pages to be had here";
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps a heap of its own";
#endif
    std::string text = "IESNA:LM-63-2002\r\n[TEST] x\r\nTILT=NONE\r\n1 1000 1 361 1801 1 2 0 0 0\r\n1 1 10\r\n";
    for (int v = 0; v <= 360; ++v)
        text += std::to_string(v / 2.0) + (v % 10 == 9 ? "\r\n" : " ");
    for (int h = 0; h <= 1800; ++h)
        text += std::to_string(h / 5.0) + (h % 10 == 9 ? "\r\n" : " ");
    for (int i = 0; i < 361 * 1801; ++i)
        text += std::to_string(2000 - i % 361 * 5) + "." + std::to_string(i % 97) + (i % 10 == 9 ? "\r\n" : " ");
    std::ofstream(Dir() / "large.ies", std::ios::binary) << text;
    rusage before {}, after {};
    ::getrusage(RUSAGE_CHILDREN, &before);
    const ProcessRun run = Cli(Quote(Dir() / "large.ies") + " -o " + Quote(Dir() / "out.ies"));
    ::getrusage(RUSAGE_CHILDREN, &after);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The shell that starts the program takes its own hundred or so.
    EXPECT_LT(after.ru_minflt - before.ru_minflt, 350);
}

TEST_F(CliConvert, BatchGoesOnPastARefusalAndNamesIt)
{
    const ProcessRun run = Cli(Quote(kSamples + "/street_bilateral.ies") + " " + Quote(kTypeB) + " "
        + Quote(kSamples + "/panel_quadrant.ies") + " --format ldt -o " + Quote(Dir() / "out"));
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("gonilux-cli: " + kTypeB + ": EULUMDAT holds type C photometry only"), std::string::npos)
        << run.err;
    EXPECT_TRUE(fs::exists(Dir() / "out" / "street_bilateral.ldt"));
    EXPECT_TRUE(fs::exists(Dir() / "out" / "panel_quadrant.ldt"));
    EXPECT_FALSE(fs::exists(Dir() / "out" / "flood_2.1.ldt"));
}

TEST_F(CliConvert, RefusalsAndUsageErrors)
{
    fs::copy_file(kSamples + "/street_bilateral.ies", Dir() / "self.ies");
    const std::string self = Quote(Dir() / "self.ies");
    const struct {
        std::string arguments;
        int exitCode;
        const char* said;
    } cases[] = {
        { self + " -o " + self, 3, "written over itself" },
        { self + " --format ies -o " + Quote(Dir()), 3, "written over itself" },
        { Quote(kTypeB) + " -o " + Quote(Dir() / "b.ldt"), 3, "type C photometry only" },
        { self + " -o " + Quote(Dir() / "x.txt"), 2, "must end in .ies or .ldt" },
        { self, 2, "-o names the file to write" },
        { self + " " + self + " -o " + Quote(Dir() / "x.ies"), 2, "several files need --format" },
        { self + " --format csv -o " + Quote(Dir()), 2, "--format needs ies or ldt" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProcessRun run = Cli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
    EXPECT_EQ(Slurp(Dir() / "self.ies"), Slurp(kSamples + "/street_bilateral.ies"));
    EXPECT_FALSE(fs::exists(Dir() / "b.ldt"));
}

} // namespace
