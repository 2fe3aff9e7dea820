// gonilux-cli check: the folder walk, exit codes, the output forms, and info's text in UTF-8, run as a process.
#include "process_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string kFixtures = std::string(GONILUX_FIXTURES_DIR) + "/check/";

class CliCheck : public ScratchFolderTest {
protected:
    ProcessRun Run(const std::string& arguments)
    {
        return RunCommand("cd " + Quote(m_dir) + " && " + Quote(GONILUX_CLI) + " " + arguments, Dir());
    }

    void Copy(const std::string& fixture, const std::string& to)
    {
        std::filesystem::create_directories(std::filesystem::path(m_dir + "/" + to).parent_path());
        std::filesystem::copy_file(kFixtures + fixture + ".ies", m_dir + "/" + to);
    }
};

} // namespace

TEST_F(CliCheck, WalksFoldersInSortedOrderAndRecursesOnlyWhenAsked)
{
    Copy("candela_negative", "cat/b.ies");
    Copy("candela_negative", "cat/A.IES");
    Copy("candela_negative", "cat/sub/c.Ies");
    Copy("candela_negative", "cat/notes.txt");
    const ProcessRun flat = Run("check cat");
    EXPECT_EQ(flat.out,
        "cat/A.IES:9:5: warning: 1 negative candela value, the first -50; the viewer uses them as they stand "
        "[negative-candela]\n"
        "cat/b.ies:9:5: warning: 1 negative candela value, the first -50; the viewer uses them as they stand "
        "[negative-candela]\n"
        "2 files: 0 clean, 2 with warnings, 0 with errors\n");
    std::filesystem::create_directory_symlink("..", m_dir + "/cat/sub/up"); // a loop the walk must not follow
    const ProcessRun deep = Run("check -r cat");
    EXPECT_NE(deep.out.find("cat/sub/c.Ies:9:5"), std::string::npos) << deep.out;
    EXPECT_NE(deep.out.find("3 files: 0 clean, 3 with warnings"), std::string::npos) << deep.out;
}

TEST_F(CliCheck, WalksEulumdatFilesInAnyCaseBesideIes)
{
    for (const char* to : { "cat/a.ldt", "cat/B.LDT", "cat/sub/c.Ldt" }) {
        std::filesystem::create_directories(std::filesystem::path(m_dir + "/" + to).parent_path());
        std::filesystem::copy_file(kFixtures + "lorl_50_against_82_7.ldt", m_dir + "/" + to);
    }
    Copy("candela_negative", "cat/d.ies");
    const ProcessRun flat = Run("check --quiet cat");
    EXPECT_EQ(flat.exitCode, 1);
    EXPECT_EQ(flat.out.find("cat/B.LDT:23: warning: the light output ratio 50 %"), 0u) << flat.out;
    EXPECT_NE(flat.out.find("\ncat/a.ldt:23: warning:"), std::string::npos) << flat.out;
    EXPECT_NE(flat.out.find("\ncat/d.ies:9:5: warning:"), std::string::npos) << flat.out;
    EXPECT_EQ(flat.out.find("c.Ldt"), std::string::npos) << flat.out;
    const ProcessRun deep = Run("check -r cat");
    EXPECT_NE(deep.out.find("\ncat/sub/c.Ldt:23: warning:"), std::string::npos) << deep.out;
    EXPECT_NE(deep.out.find("4 files: 0 clean, 4 with warnings"), std::string::npos) << deep.out;
}

TEST_F(CliCheck, ExitStatusSaysTheWorstFinding)
{
    Copy("clean_type_c", "clean.ies");
    Copy("manufacturer_latin1", "note.ies");
    Copy("candela_negative", "warning.ies");
    Copy("candela_rows_cut", "error.ies");
    const struct {
        std::string arguments;
        int exitCode;
    } cases[] = {
        { "check clean.ies note.ies", 0 },
        { "check clean.ies warning.ies", 1 },
        { "check warning.ies error.ies clean.ies", 2 },
        { "check missing.ies error.ies", 3 },
        { "check --level bogus clean.ies", 3 },
        { "check", 3 },
    };
    for (const auto& c : cases) {
        const ProcessRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.out << run.err;
    }
    // A path that does not exist is reported and the others are still checked.
    const ProcessRun run = Run("check missing.ies error.ies");
    EXPECT_NE(run.err.find("missing.ies: error:"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("error.ies:10: error:"), std::string::npos) << run.out;
}

TEST_F(CliCheck, QuietListsOnlyWhatReachesTheLevel)
{
    Copy("clean_type_c", "clean.ies");
    Copy("manufacturer_latin1", "note.ies");
    Copy("candela_negative", "warning.ies");
    EXPECT_EQ(Run("check --quiet clean.ies note.ies").out, "");
    EXPECT_EQ(Run("check --quiet --level note clean.ies note.ies").out.find("note.ies:3:15: note:"), 0u);
    const ProcessRun run = Run("check --quiet --level error note.ies warning.ies");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(CliCheck, JsonHoldsEveryFileWithUtf8PathsAndNullColumns)
{
    Copy("candela_rows_cut", "lumi\xc3\xa8re.ies");
    Copy("clean_type_c", "z.ies");
    const ProcessRun run = Run("check --json .");
    EXPECT_EQ(run.exitCode, 2);
    for (const char* item : { "{\n  \"files\": [", "{\"path\": \"./lumi\xc3\xa8re.ies\", \"diagnostics\": [",
             "{\"severity\": \"error\", \"code\": \"short-table\", \"line\": 10, \"column\": null, \"message\": \"",
             "{\"path\": \"./z.ies\", \"diagnostics\": []}",
             "\"summary\": {\"files\": 2, \"clean\": 1, \"warnings\": 0, \"errors\": 1}\n}\n" })
        EXPECT_NE(run.out.find(item), std::string::npos) << item << "\n" << run.out;
}

TEST_F(CliCheck, InfoWritesNamesAndHeadersAsUtf8)
{
    Copy("manufacturer_latin1", "lumi\xc3\xa8re.ies");
    const ProcessRun json = Run("info --json 'lumi\xc3\xa8re.ies'");
    EXPECT_NE(json.out.find("\"file\": \"lumi\xc3\xa8re.ies\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"manufacturer\": \" Lumi\xc3\xa8re\""), std::string::npos) << json.out;
    const ProcessRun text = Run("info 'lumi\xc3\xa8re.ies'");
    EXPECT_NE(text.out.find("Manufacturer: Lumi\xc3\xa8re\n"), std::string::npos) << text.out;
}
