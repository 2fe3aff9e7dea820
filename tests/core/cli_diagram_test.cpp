// gonilux-cli diagram: numbers, refusals, pictures and batches, run as a user runs the program.
#include "process_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class CliDiagram : public ScratchFolderTest {
protected:
    ProcessRun Cli(const std::string& arguments)
    {
        return RunCommand(std::string(GONILUX_CLI) + " diagram " + arguments, Dir());
    }

    // A one-plane type C file (or another type): 100 cd at nadir falling to 0 at 90 degrees.
    std::string Write(const std::string& name, int type)
    {
        const std::string path = (Dir() / name).string();
        std::ofstream(path) << "IESNA:LM-63-2002\n[TEST] diagram\nTILT=NONE\n1 1000 1 3 1 " << type
                            << " 2 0 0 0\n1 1 10\n0 45 90\n0\n100 80 0\n";
        return path;
    }
};

TEST_F(CliDiagram, ValuesFollowTheFormulasForEachKind)
{
    const std::string file = Quote(Write("lamp.ies", 1));
    const struct {
        const char* arguments;
        const char* firstLines;
    } cases[] = {
        { " --type cone --values", "height,lux,diameter_c0_180,diameter_c90_270\n1,100," },
        { " --type cone --from 2 --to 10 --values", "height,lux,diameter_c0_180,diameter_c90_270\n2,25," },
        { " --type cartesian --values", "gamma,c0_180,c90_270,plane\n-90,0,0,0\n-45,80,80,80\n0,100,100,100\n" },
        { " --type isolux --grid 3 --extent 2 --height 2 --values", "x,y,lux\n-2,-2," },
        { " --type isocandela --values", "c,gamma,cd\n0,0,100\n0,2.5," },
    };
    for (const auto& c : cases) {
        const ProcessRun run = Cli(file + c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments << run.err;
        EXPECT_EQ(run.out.substr(0, std::string(c.firstLines).size()), c.firstLines) << c.arguments;
    }
    // Under the luminaire at 2 m: 100 / 4 lux, the middle row of a 3 x 3 grid.
    const ProcessRun grid = Cli(file + " --type isolux --grid 3 --height 2 --values");
    EXPECT_NE(grid.out.find("\n0,0,25\n"), std::string::npos) << grid.out;
}

TEST_F(CliDiagram, RefusalsAndUnusableArguments)
{
    const std::string typeB = Quote(Write("b.ies", 2));
    const std::string typeC = Quote(Write("c.ies", 1));
    const struct {
        std::string arguments;
        int exitCode;
        const char* says;
    } cases[] = {
        { typeB + " --type isolux --values", 3, "Type B photometry: this diagram needs type C" },
        { typeB + " --type cone --values", 3, "Type B photometry: this diagram needs type C" },
        { typeB + " --type isocandela -o x.svg", 3, "Type B photometry: this diagram needs type C" },
        { typeB + " --type cartesian --values", 0, "" },
        { typeC + " --type cone --height 0.1 --values", 2, "--height needs a number from 0.5 to 100" },
        { typeC + " --type cone --from 5 --to 2 --values", 2, "--from must be below --to" },
        { typeC + " --type sideways --values", 2, "--type needs" },
        { typeC + " --type isolux --grid 1002 --values", 2, "--grid needs a whole number from 2 to 1001" },
        { typeC + " --type isolux --extent nan --values", 2, "--extent needs a number" },
        { typeC + " --values", 2, "--type is needed" },
        { typeC + " --type cone -o x.gif", 2, "must end in .svg or .png" },
        { typeC + " " + typeB + " --type cone --values", 2, "--values prints the numbers of one file" },
        { Quote((Dir() / "missing.ies").string()) + " --type cone --values", 3, "No such file or directory" },
        { typeC + " --type cartesian --plane 1 --values", 2, "plane 1 is not among the planes 0 to 0" },
    };
    for (const auto& c : cases) {
        if (!kDrawingProgramBuilt && DrawsThroughQt(c.arguments))
            continue;
        const ProcessRun run = Cli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.arguments << "\n" << run.err;
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.out.empty()) << c.arguments;
        }
    }
}

TEST_F(CliDiagram, PicturesSingleAndBatchAndValuesToAFile)
{
    if (!kDrawingProgramBuilt)
        GTEST_SKIP() << "pictures need the drawing program, which a build without Qt has not";
    const std::string file = Write("lamp.ies", 1);
    const std::string second = Write("other.ies", 1);
    ASSERT_EQ(Cli(Quote(file) + " --type isolux -o " + Quote((Dir() / "iso.png").string())).exitCode, 0);
    EXPECT_EQ(Slurp(Dir() / "iso.png").substr(1, 3), "PNG");
    ASSERT_EQ(Cli(Quote(file) + " --type cone --size 500x400 -o " + Quote((Dir() / "cone.svg").string())).exitCode, 0);
    EXPECT_NE(Slurp(Dir() / "cone.svg").find("<svg"), std::string::npos);
    const ProcessRun batch = Cli(
        Quote(file) + " " + Quote(second) + " --type isocandela --format svg -o " + Quote((Dir() / "out").string()));
    EXPECT_EQ(batch.exitCode, 0) << batch.err;
    EXPECT_TRUE(std::filesystem::exists(Dir() / "out" / "lamp.svg"));
    EXPECT_TRUE(std::filesystem::exists(Dir() / "out" / "other.svg"));
    // --values with -o: the same text as on standard output, written to the file.
    const ProcessRun printed = Cli(Quote(file) + " --type cone --values");
    ASSERT_EQ(Cli(Quote(file) + " --type cone --values -o " + Quote((Dir() / "cone.csv").string())).exitCode, 0);
    EXPECT_EQ(Slurp(Dir() / "cone.csv"), printed.out);
    // A folder in the way of the picture: refused with the reason, nothing else touched.
    std::filesystem::create_directory(Dir() / "taken.png");
    const ProcessRun refused = Cli(Quote(file) + " --type cone -o " + Quote((Dir() / "taken.png").string()));
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.err.find("Cannot write file"), std::string::npos) << refused.err;
}

} // namespace
