// gonilux-cli check: the folder walk, exit codes, the output forms, and info's text in UTF-8, run as a process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kFixtures = std::string(GONILUX_FIXTURES_DIR) + "/check/";

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/gonilux_cli_check_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    CliRun Run(const std::string& arguments)
    {
        const std::string out = m_dir + "/.out", err = m_dir + "/.err";
        const int status = std::system(
            ("cd '" + m_dir + "' && '" + GONILUX_CLI + "' " + arguments + " >'" + out + "' 2>'" + err + "'").c_str());
        CliRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = Slurp(out);
        run.err = Slurp(err);
        return run;
    }

    void Copy(const std::string& fixture, const std::string& to)
    {
        std::filesystem::create_directories(std::filesystem::path(m_dir + "/" + to).parent_path());
        std::filesystem::copy_file(kFixtures + fixture + ".ies", m_dir + "/" + to);
    }

    std::string m_dir;
};

} // namespace

TEST_F(CliCheck, WalksFoldersInSortedOrderAndRecursesOnlyWhenAsked)
{
    Copy("candela_negative", "cat/b.ies");
    Copy("candela_negative", "cat/A.IES");
    Copy("candela_negative", "cat/sub/c.Ies");
    Copy("candela_negative", "cat/notes.txt");
    const CliRun flat = Run("check cat");
    EXPECT_EQ(flat.out,
        "cat/A.IES:9:5: warning: 1 negative candela value, the first -50; the viewer uses them as they stand "
        "[negative-candela]\n"
        "cat/b.ies:9:5: warning: 1 negative candela value, the first -50; the viewer uses them as they stand "
        "[negative-candela]\n"
        "2 files: 0 clean, 2 with warnings, 0 with errors\n");
    std::filesystem::create_directory_symlink("..", m_dir + "/cat/sub/up"); // a loop the walk must not follow
    const CliRun deep = Run("check -r cat");
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
    const CliRun flat = Run("check --quiet cat");
    EXPECT_EQ(flat.exitCode, 1);
    EXPECT_EQ(flat.out.find("cat/B.LDT:23: warning: the light output ratio 50 %"), 0u) << flat.out;
    EXPECT_NE(flat.out.find("\ncat/a.ldt:23: warning:"), std::string::npos) << flat.out;
    EXPECT_NE(flat.out.find("\ncat/d.ies:9:5: warning:"), std::string::npos) << flat.out;
    EXPECT_EQ(flat.out.find("c.Ldt"), std::string::npos) << flat.out;
    const CliRun deep = Run("check -r cat");
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
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.out << run.err;
    }
    // A path that does not exist is reported and the others are still checked.
    const CliRun run = Run("check missing.ies error.ies");
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
    const CliRun run = Run("check --quiet --level error note.ies warning.ies");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(CliCheck, JsonHoldsEveryFileWithUtf8PathsAndNullColumns)
{
    Copy("candela_rows_cut", "lumi\xc3\xa8re.ies");
    Copy("clean_type_c", "z.ies");
    const CliRun run = Run("check --json .");
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
    const CliRun json = Run("info --json 'lumi\xc3\xa8re.ies'");
    EXPECT_NE(json.out.find("\"file\": \"lumi\xc3\xa8re.ies\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"manufacturer\": \" Lumi\xc3\xa8re\""), std::string::npos) << json.out;
    const CliRun text = Run("info 'lumi\xc3\xa8re.ies'");
    EXPECT_NE(text.out.find("Manufacturer: Lumi\xc3\xa8re\n"), std::string::npos) << text.out;
}
