// --help and --version of both programs: answered on standard output without a display and without opening a
// window, the same version from both, and an unknown option refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct ProgramRun {
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

// Runs the program with no display and no Qt platform chosen: a window could not open, so an answer proves none
// was tried.
ProgramRun Start(const std::string& program, const std::string& arguments)
{
    char pattern[] = "/tmp/gonilux_cmdline_XXXXXX";
    if (!::mkdtemp(pattern))
        return {};
    const std::string dir = pattern;
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program + "' " + arguments
        + " >'" + dir + "/out' 2>'" + dir + "/err' </dev/null";
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = Slurp(dir + "/out");
    run.err = Slurp(dir + "/err");
    std::system(("rm -rf '" + dir + "'").c_str());
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
    const ProgramRun app = Start(GONILUX_APP, "--version");
    const ProgramRun cli = Start(GONILUX_CLI, "--version");
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
        const ProgramRun run = Start(c.program, c.arguments);
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
