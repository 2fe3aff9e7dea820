// --help and --version of both programs: answered on standard output without a display and without opening a
// window, the same version from both, and an unknown option refused.
#include "process_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Runs the program with no display and no Qt platform chosen: a window could not open, so an answer proves none
// was tried.
ProcessRun Start(const std::string& program, const std::string& arguments)
{
    char pattern[] = "/tmp/gonilux_cmdline_XXXXXX";
    if (!::mkdtemp(pattern))
        return {};
    const std::filesystem::path dir = pattern;
    const ProcessRun run = RunCommand(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Quote(program) + " " + arguments + " </dev/null",
        dir);
    std::filesystem::remove_all(dir);
    return run;
}

std::string VersionOf(const std::string& line, const std::string& name)
{
    std::smatch match;
    const std::regex form(name + " ([0-9]+(\\.[0-9]+)+)\n");
    return std::regex_match(line, match, form) ? match[1].str() : std::string("(not a version line: " + line + ")");
}

TEST(CommandLine, BothProgramsPrintTheSameVersion)
{
    if (*GONILUX_APP == '\0')
        GTEST_SKIP() << "built without the viewer";
    const ProcessRun app = Start(GONILUX_APP, "--version");
    const ProcessRun cli = Start(GONILUX_CLI, "--version");
    ASSERT_EQ(app.exitCode, 0) << app.err;
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    EXPECT_EQ(VersionOf(app.out, "gonilux"), VersionOf(cli.out, "gonilux-cli"));
    EXPECT_EQ(app.err + cli.err, "");
}

TEST(CommandLine, AnswersAndRefusals)
{
    struct Case {
        const char* program;
        const char* arguments;
        int exitCode;
        const char* inOut; // expected within standard output ("" for nothing)
        const char* inErr; // expected within standard error ("" for nothing)
    };
    const std::vector<Case> cases = {
        { GONILUX_APP, "--help", 0, "Usage: gonilux [options] [FILE | FOLDER]\n", "" },
        { GONILUX_APP, "--help", 0, "FILE | FOLDER  An .ies or .ldt file", "" },
        { GONILUX_APP, "-h", 0, "--version", "" },
        { GONILUX_APP, "-v", 0, "gonilux ", "" },
        { GONILUX_APP, "--no-such-option", 2, "", "Unknown option 'no-such-option'" },
        { GONILUX_APP, "--help --no-such-option", 2, "", "Try 'gonilux --help'" },
        { GONILUX_CLI, "--help", 0, "gonilux-cli render FILE", "" },
        { GONILUX_CLI, "--no-such-option", 2, "", "usage: gonilux-cli" },
    };
    for (const Case& c : cases) {
        if (*c.program == '\0')
            continue; // built without the viewer
        const ProcessRun run = Start(c.program, c.arguments);
        const std::string label = std::string(c.program) + " " + c.arguments;
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        EXPECT_NE(run.out.find(c.inOut), std::string::npos) << label << "\n" << run.out;
        EXPECT_NE(run.err.find(c.inErr), std::string::npos) << label << "\n" << run.err;
        if (*c.inOut == '\0') {
            EXPECT_EQ(run.out, "") << label;
        }
        if (*c.inErr == '\0') {
            EXPECT_EQ(run.err, "") << label;
        }
    }
}

} // namespace
