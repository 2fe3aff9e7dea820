// gonilux-cli as a Unix tool: help for every subcommand, usage errors that name the argument, diagnostics on standard
// error with their reason, exit codes, terminal-safe text, outputs written whole, file names taken as given.
#include "process_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kSamples = GONILUX_SAMPLES_DIR;
const std::string kFixtures = GONILUX_FIXTURES_DIR;
const std::string kOnePlane = kSamples + "/downlight_axial.ies";

// A small valid IES file whose manufacturer, maximum candela and lumens are given.
std::string IesText(const std::string& manufacturer, const std::string& candela = "1536.42")
{
    return "IESNA:LM-63-2002\r\n[TEST] T1\r\n[MANUFAC] " + manufacturer
        + "\r\nTILT=NONE\r\n1 1000.1 1 3 1 1 2 0 0 0\r\n1 1 10\r\n0 45 90\r\n0\r\n" + candela + " 20 0\r\n";
}

class CliUnix : public ScratchFolderTest {
protected:
    ProcessRun Cli(const std::string& arguments, const std::string& prefix = "")
    {
        return RunCommand(prefix + Quote(GONILUX_CLI) + " " + arguments, Dir());
    }

    // Whether a command line needs the drawing program this build does not have.
    static bool Skipped(const std::string& arguments) { return !kDrawingProgramBuilt && DrawsThroughQt(arguments); }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(CliUnix, EverySubcommandPrintsItsUsageOnHelp)
{
    for (const char* command : { "info", "check", "goniogram", "render" })
        for (const char* help : { "--help", "-h" }) {
            SCOPED_TRACE(std::string(command) + " " + help);
            const ProcessRun run = Cli(std::string(command) + " " + help);
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out.rfind("usage: gonilux-cli " + std::string(command), 0), 0u) << run.out;
            EXPECT_EQ(run.err, "");
        }
}

TEST_F(CliUnix, UsageErrorsNameTheArgumentAndEndInALineFeed)
{
    const struct {
        std::string arguments;
        int exitCode;
        std::string firstLine;
    } cases[] = {
        { "goniogram " + kOnePlane + " --size 0x10 --ops", 2, "gonilux-cli: goniogram: size must be at least 1x1" },
        { "goniogram " + kOnePlane + " --size 20000x10 --ops", 2,
            "gonilux-cli: goniogram: size must be at most 10000x10000" },
        { "goniogram " + kOnePlane + " --plane 5 --ops", 2,
            "gonilux-cli: " + kOnePlane + ": plane 5 is not among the planes 0 to 0" },
        { "render " + kOnePlane + " --plane 5", 2,
            "gonilux-cli: " + kOnePlane + ": plane 5 is not among the planes 0 to 0" },
        { "render " + kOnePlane + " --brightness 0", 2,
            "gonilux-cli: render: --brightness must be from 1 to 100, not 0" },
        { "info", 2, "gonilux-cli: info: no file given" },
        { "info a.ies --fast", 2, "gonilux-cli: info: unknown option --fast" },
        { "frobnicate", 2, "gonilux-cli: unknown subcommand frobnicate" },
        { "", 2, "gonilux-cli: no subcommand given" },
        { "check --level loud x.ies", 3, "gonilux-cli: check: --level needs error, warning or note, not \"loud\"" },
    };
    for (const auto& c : cases) {
        if (Skipped(c.arguments))
            continue;
        SCOPED_TRACE(c.arguments);
        const ProcessRun run = Cli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.firstLine);
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.back(), '\n');
    }
}

TEST_F(CliUnix, FilesThatCannotBeReadAreReportedWithTheirOwnReason)
{
    const std::string folder = m_dir + "/folder.ies", empty = Write("empty.ies", ""),
                      longName = m_dir + "/" + std::string(300, 'n') + ".ies", locked = Write("locked.ies", "x");
    fs::create_directory(folder);
    ::chmod(locked.c_str(), 0);
    struct Case {
        std::string file;
        std::string reason;
    };
    std::vector<Case> cases = {
        { m_dir + "/missing.ies", "No such file or directory" },
        { folder, "Is a directory" },
        { empty, "the file is empty" },
        { longName, "File name too long" },
        { kFixtures + "/nothing_after_tilt.ies", "no numbers follow the TILT line" },
    };
    if (::geteuid() != 0) // the superuser reads it all the same
        cases.push_back({ locked, "Permission denied" });
    for (const auto& c : cases)
        for (const std::string command : { "info", "goniogram --ops", "render" }) {
            if (Skipped(command))
                continue;
            SCOPED_TRACE(command + " " + c.file);
            const ProcessRun run = Cli(command + " " + Quote(c.file));
            EXPECT_EQ(run.exitCode, 3);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "gonilux-cli: " + c.file + ": " + c.reason + "\n");
        }
}

TEST_F(CliUnix, AFileThatIsNotPhotometricIsShownButExitsWithOne)
{
    const std::string text = Write("passwd.ies", "root:x:0:0:root:/root:/bin/bash\n");
    const std::string letter = kFixtures + "/header_watts_letter_o.ies";
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {
        { text, "not a valid IES file: no TILT line found" },
        { letter, "not a valid IES file: a header number on line 6 does not convert" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string line = "gonilux-cli: " + c.file + ": " + c.reason + "\n";
        const ProcessRun info = Cli("info " + Quote(c.file));
        EXPECT_EQ(info.exitCode, 1);
        EXPECT_EQ(info.err, line);
        EXPECT_EQ(info.out.rfind("File: " + c.file + "\n", 0), 0u) << info.out;
        const ProcessRun json = Cli("info --json " + Quote(c.file));
        EXPECT_EQ(json.exitCode, 1);
        EXPECT_NE(json.out.find("\"valid\": false,\n  \"reason\": \"" + c.reason + "\""), std::string::npos)
            << json.out;
        if (Skipped("goniogram"))
            continue;
        const ProcessRun draw = Cli("goniogram --ops " + Quote(c.file));
        EXPECT_EQ(draw.exitCode, 1);
        EXPECT_EQ(draw.err, line);
        EXPECT_FALSE(draw.out.empty()) << "drawn all the same";
    }
    const ProcessRun valid = Cli("info --json " + Quote(Write("ok.ies", IesText("M"))));
    EXPECT_EQ(valid.exitCode, 0);
    EXPECT_NE(valid.out.find("\"valid\": true,"), std::string::npos);
}

TEST_F(CliUnix, ControlCharactersFromFilesAndNamesReachTheTerminalEscaped)
{
    const std::string file = Write("t\x1b]0;x\x07.ies", IesText("Evil\x1b]0;t\x07 Corp"));
    const std::string refused = Write("r\x1b[2J.ies", "");
    const std::string runs[] = { "info " + Quote(file), "info --dump " + Quote(file),
        "check --level note " + Quote(file), "render " + Quote(file), "info " + Quote(refused),
        "render " + Quote(refused), "render --format pgm -o out " + Quote(file) + " " + Quote(refused) };
    for (const std::string& arguments : runs) {
        SCOPED_TRACE(arguments);
        const ProcessRun run = Cli(arguments);
        for (const std::string& text : { run.out, run.err }) {
            EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
            EXPECT_EQ(text.find('\x07'), std::string::npos) << text;
        }
    }
    EXPECT_NE(Cli("info " + Quote(file)).out.find("Manufacturer: Evil\\x1b]0;t\\x07 Corp\n"), std::string::npos);
    EXPECT_NE(Cli("info " + Quote(refused)).err.find("r\\x1b[2J.ies: the file is empty"), std::string::npos);
}

TEST_F(CliUnix, JsonNumbersAreShortestAndARefusedFileGivesAnErrorObject)
{
    const ProcessRun run = Cli("info --json " + Quote(Write("lamp.ies", IesText("M"))));
    for (const char* item : { "\"max_candela\": 1536.42,", "\"lumens_per_lamp\": 1000.1,", "\"candela_multiplier\": 1,",
             "\"vertical_angles\": [0, 45, 90]" })
        EXPECT_NE(run.out.find(item), std::string::npos) << item << "\n" << run.out;
    const std::string missing = m_dir + "/missing.ies";
    const ProcessRun refused = Cli("info --json " + Quote(missing));
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(refused.out,
        "{\n  \"file\": \"" + missing + "\",\n  \"valid\": false,\n  \"error\": \"" + missing
            + ": No such file or directory\"\n}\n");
}

TEST_F(CliUnix, AFailedWriteLeavesTheTargetAsItWasAndSaysWhy)
{
    const std::string readOnly = Write("ro.pgm", "kept"), folder = m_dir + "/x.pgm";
    ::chmod(readOnly.c_str(), 0444);
    fs::create_directory(folder);
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        { "render " + kOnePlane + " -o " + Quote(readOnly), "cannot write " + readOnly + ": Permission denied" },
        { "render " + kOnePlane + " -o " + Quote(folder), "cannot write " + folder + ": Is a directory" },
        { "goniogram " + kOnePlane + " -o " + Quote(m_dir + "/no/g.svg"),
            "cannot write " + m_dir + "/no/g.svg: No such file or directory" },
    };
    for (const auto& c : cases) {
        if (Skipped(c.arguments))
            continue;
        SCOPED_TRACE(c.arguments);
        const ProcessRun run = Cli(c.arguments);
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_NE(run.err.find("gonilux-cli: " + c.message + "\n"), std::string::npos) << run.err;
    }
    EXPECT_EQ(Slurp(readOnly), "kept");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder));
    const ProcessRun full = RunCommand("{ " + Quote(GONILUX_CLI) + " info " + kOnePlane + " >/dev/full; }", Dir());
    EXPECT_EQ(full.exitCode, 3);
    EXPECT_EQ(full.err, "gonilux-cli: cannot write the output: No space left on device\n");
}

TEST_F(CliUnix, OutputNamesAreTakenAsGivenAndNoSessionWarningsAppear)
{
    const struct {
        std::string arguments;
        std::string written;
    } cases[] = {
        { "render " + kOnePlane + " -o r\xe9.png", "r\xe9.png" },
        { "goniogram " + kOnePlane + " -o g\xe9.svg", "g\xe9.svg" },
        { "render " + kOnePlane + " " + kSamples + "/panel_quadrant.ies --format pgm -o d\xe9",
            "d\xe9/panel_quadrant.pgm" },
    };
    // A session without a runtime folder: Qt makes one of its own in a fresh temporary folder.
    fs::create_directory(Dir() / "session");
    const std::string session
        = "cd " + Quote(m_dir) + " && env -u XDG_RUNTIME_DIR TMPDIR=" + Quote(m_dir + "/session") + " LC_ALL=C.UTF-8 ";
    std::size_t expected = 3; // the two captured streams and the session folder
    for (const auto& c : cases) {
        if (Skipped(c.arguments))
            continue;
        ++expected;
        SCOPED_TRACE(c.written);
        const ProcessRun run = Cli(c.arguments, session);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(fs::exists(Dir() / c.written));
        EXPECT_EQ(run.err.find("gonilux-cli:"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("QStandardPaths"), std::string::npos) << run.err;
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(Dir()))
        ++files;
    EXPECT_EQ(files, expected) << "the outputs, the two captured streams and the session folder, nothing else";
}

TEST_F(CliUnix, CheckReportsLinksThatLeadNowhere)
{
    fs::create_directory(Dir() / "cat");
    std::ofstream(Dir() / "cat/good.ies", std::ios::binary) << IesText("M");
    fs::create_symlink("missing.ies", Dir() / "cat/dangling.ies");
    fs::create_symlink("loop.ies", Dir() / "cat/loop.ies");
    const ProcessRun run = Cli("check -r " + Quote(m_dir + "/cat"));
    EXPECT_EQ(run.exitCode, 3);
    for (const char* name : { "dangling.ies: error: cannot read the file: No such file or directory",
             "loop.ies: error: cannot read the file: Too many levels of symbolic links" })
        EXPECT_NE(run.err.find(name), std::string::npos) << name << "\n" << run.err;
    EXPECT_NE(run.out.find("1 file: 1 clean"), std::string::npos) << run.out;
}

} // namespace
