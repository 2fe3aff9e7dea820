// gonilux-cli without Qt for text and PGM output, and render / goniogram over several files into a folder, run as
// separate processes.
#include "process_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kSamples = GONILUX_SAMPLES_DIR;
const std::string kFixtures = GONILUX_FIXTURES_DIR;
const std::vector<std::string> kSampleNames
    = { "downlight_axial", "panel_quadrant", "street_bilateral", "washer_full_360" };

class CliBatch : public ScratchFolderTest {
protected:
    // Runs gonilux-cli (or program) with arguments after the environment assignments in environment.
    ProcessRun Cli(
        const std::string& arguments, const std::string& environment = "", const std::string& program = GONILUX_CLI)
    {
        return RunCommand(environment + " " + Quote(program) + " " + arguments, Dir());
    }

    static std::string Samples()
    {
        std::string list;
        for (const auto& name : kSampleNames)
            list += Quote(kSamples + "/" + name + ".ies") + " ";
        return list;
    }
};

} // namespace

TEST_F(CliBatch, TextAndPgmCommandsLoadNoQtLibraryWhileDrawingDoes)
{
    const std::string sample = Quote(kSamples + "/panel_quadrant.ies");
    struct Case {
        std::string arguments;
        bool loadsQt;
    };
    const Case cases[] = {
        { "info " + sample, false },
        { "info " + sample + " --json", false },
        { "check " + sample, false },
        { "render " + sample + " -o " + Quote(Dir() / "x.pgm"), false },
        { "render " + Samples() + "--format pgm -o " + Quote(Dir() / "pgm"), false },
        { "--version", false },
        { "--help", false },
        { "render " + sample + " -o " + Quote(Dir() / "x.png"), true },
        { "goniogram " + sample + " -o " + Quote(Dir() / "x.svg"), true },
        { "render " + Samples() + "--format png -o " + Quote(Dir() / "png"), true },
    };
    for (const Case& c : cases) {
        if (!kDrawingProgramBuilt && DrawsThroughQt(c.arguments))
            continue;
        SCOPED_TRACE(c.arguments);
        const ProcessRun run = Cli(c.arguments, "LD_DEBUG=files");
        EXPECT_EQ(run.exitCode, 0) << run.out;
        // The dynamic loader names every object it opens; the drawing program brings Qt in.
        EXPECT_EQ(run.err.find("libQt6Gui") != std::string::npos, c.loadsQt);
        EXPECT_EQ(run.err.find("libQt6Core") != std::string::npos, c.loadsQt);
        EXPECT_EQ(run.err.find("gonilux-cli-draw") != std::string::npos, c.loadsQt);
    }
}

TEST_F(CliBatch, WithoutTheDrawingProgramPicturesFailWithTheReasonAndTextStillWorks)
{
    // The program alone in a folder, as a user might copy it.
    const fs::path alone = Dir() / "bin" / "gonilux-cli";
    fs::create_directories(alone.parent_path());
    fs::copy_file(GONILUX_CLI, alone);
    const std::string sample = Quote(kSamples + "/panel_quadrant.ies");
    struct Case {
        std::string arguments;
        int exitCode;
        std::string picture;
    };
    const Case cases[] = {
        { "info " + sample, 0, "" },
        { "render " + sample + " -o " + Quote(Dir() / "x.pgm"), 0, "x.pgm" },
        { "render " + sample + " -o " + Quote(Dir() / "x.png"), 3, "x.png" },
        { "goniogram " + sample + " -o " + Quote(Dir() / "x.svg"), 3, "x.svg" },
        { "render " + Samples() + "--format png -o " + Quote(Dir() / "png"), 3, "png" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProcessRun run = Cli(c.arguments, "", alone.string());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
        const bool refused = c.exitCode == 3;
        EXPECT_EQ(run.err.find("gonilux-cli: cannot find the drawing program gonilux-cli-draw") == 0, refused)
            << run.err;
        EXPECT_EQ(run.out.find("gonilux-cli"), std::string::npos) << run.out;
        if (!c.picture.empty()) {
            EXPECT_EQ(fs::exists(Dir() / c.picture), !refused);
        }
    }
}

TEST_F(CliBatch, BatchOutputEqualsEachSingleFileOutput)
{
    struct Case {
        std::string command, format, options;
    };
    const Case cases[] = {
        { "render", "pgm", "--plane 0 --brightness 70" },
        { "render", "png", "--radiosity --zoom 300" },
        { "goniogram", "svg", "--size 320x240 --no-fit" },
        { "goniogram", "png", "--size 200x300 --no-ortho" },
    };
    for (const Case& c : cases) {
        if (!kDrawingProgramBuilt && DrawsThroughQt("--format " + c.format))
            continue;
        SCOPED_TRACE(c.command + " " + c.format);
        const fs::path folder = Dir() / c.format / "made" / "here";
        const ProcessRun batch
            = Cli(c.command + " " + Samples() + c.options + " --format " + c.format + " -o " + Quote(folder));
        ASSERT_EQ(batch.exitCode, 0) << batch.out << batch.err;
        EXPECT_EQ(batch.out, "");
        for (const auto& name : kSampleNames) {
            SCOPED_TRACE(name);
            const fs::path single = Dir() / ("single." + c.format);
            ASSERT_EQ(
                Cli(c.command + " " + Quote(kSamples + "/" + name + ".ies") + " " + c.options + " -o " + Quote(single))
                    .exitCode,
                0);
            const std::string expected = Slurp(single);
            ASSERT_FALSE(expected.empty());
            EXPECT_EQ(Slurp(folder / (name + "." + c.format)), expected);
            if (c.command == "render") {
                EXPECT_NE(batch.err.find(kSamples + "/" + name + ".ies: Rendering time: "), std::string::npos);
            }
        }
    }
}

TEST_F(CliBatch, AFailingFileIsReportedAndTheOthersAreStillDone)
{
    const std::string good = Quote(kSamples + "/panel_quadrant.ies") + " " + Quote(kSamples + "/spot_full_22_5.ies");
    const std::string missing = (Dir() / "missing.ies").string();
    const std::string empty = kFixtures + "/empty_file.ies";
    struct Case {
        std::string arguments;
        int exitCode;
        std::vector<std::string> err; // what the failing files print on standard error, in the order given
    };
    const std::string missingLine = "gonilux-cli: " + missing + ": No such file or directory\n";
    const std::string emptyLine = "gonilux-cli: " + empty + ": the file is empty\n";
    const Case cases[] = {
        { "render " + Quote(missing) + " " + good + " --format pgm", 3, { missingLine } },
        { "goniogram " + good + " " + Quote(empty) + " --format svg", 3, { emptyLine } },
        // The axially symmetric downlight has only plane 0: its plane 2 is refused with the single file's code.
        { "goniogram " + good + " " + Quote(kSamples + "/downlight_axial.ies") + " --plane 2 --format png", 2,
            { "gonilux-cli: " + kSamples + "/downlight_axial.ies: plane 2 is not among the planes 0 to 0\n" } },
        { "render " + good + " " + Quote(empty) + " " + Quote(missing) + " --format png", 3,
            { emptyLine, missingLine } },
    };
    int round = 0;
    for (const Case& c : cases) {
        if (!kDrawingProgramBuilt && DrawsThroughQt(c.arguments))
            continue;
        SCOPED_TRACE(c.arguments);
        const fs::path folder = Dir() / ("out" + std::to_string(round++));
        const ProcessRun run = Cli(c.arguments + " -o " + Quote(folder));
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        std::size_t at = 0;
        for (const std::string& line : c.err) {
            at = run.err.find(line, at);
            EXPECT_NE(at, std::string::npos) << line << run.err;
        }
        const std::string extension = c.arguments.substr(c.arguments.size() - 3);
        for (const char* name : { "panel_quadrant", "spot_full_22_5" })
            EXPECT_FALSE(Slurp(folder / (std::string(name) + "." + extension)).empty()) << name;
        std::size_t written = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
            ++written;
        EXPECT_EQ(written, 2u);
    }
}

TEST_F(CliBatch, OutputNamesComeFromTheInputNames)
{
    fs::create_directories(Dir() / "a");
    fs::create_directories(Dir() / "b");
    const std::string lamp = Slurp(kSamples + "/panel_quadrant.ies");
    for (const char* name : { "a/Lamp.v2.IES", "a/plain", "a/twin.ies", "b/twin.ies" })
        std::ofstream(Dir() / name, std::ios::binary) << lamp;
    const ProcessRun run = Cli("render " + Quote(Dir() / "a/Lamp.v2.IES") + " " + Quote(Dir() / "a/plain") + " "
        + Quote(Dir() / "a/twin.ies") + " " + Quote(Dir() / "b/twin.ies") + " --format pgm -o " + Quote(Dir() / "out"));
    // The second twin would overwrite the first: it is refused and the others are written.
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("gonilux-cli: " + (Dir() / "b/twin.ies").string() + ": gives the same image name as "
                  + (Dir() / "a/twin.ies").string() + "\n"),
        std::string::npos)
        << run.err;
    for (const char* name : { "Lamp.v2.pgm", "plain.pgm", "twin.pgm" })
        EXPECT_EQ(Slurp(Dir() / "out" / name).substr(0, 15), "P5\n300 300\n255\n") << name;
}

TEST_F(CliBatch, UnusableBatchArgumentsAreRefusedBeforeAnyWork)
{
    const std::string two = Samples();
    for (const std::string& arguments : {
             "render " + two + "-o " + Quote(Dir() / "x.pgm"), // several files need --format
             "render " + two + "--format gif -o " + Quote(Dir() / "out"),
             "goniogram " + two + "-o " + Quote(Dir() / "x.svg"),
             "goniogram " + two + "--format svg", // no folder
             "goniogram " + two + "--format svg --ops -o " + Quote(Dir() / "out"),
         }) {
        SCOPED_TRACE(arguments);
        const ProcessRun run = Cli(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("usage: gonilux-cli"), std::string::npos);
        EXPECT_FALSE(fs::exists(Dir() / "out"));
    }
    // An output folder that cannot be made.
    std::ofstream(Dir() / "file") << "x";
    const ProcessRun run = Cli("render " + two + "--format pgm -o " + Quote(Dir() / "file"));
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("gonilux-cli: ", 0), 0u) << run.err;
}
