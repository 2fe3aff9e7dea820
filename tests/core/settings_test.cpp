// The profile-file module against the settings file's format: reading, writing in place, appending in the
// right section, keeping what it does not know, atomic replacement and the failures a user can meet.

#include "ProfileFile.h"
#include "ProfileText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::string_literals;

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/gnlxXXXXXX");
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (!::mkdtemp(buf.data()))
            throw std::runtime_error("mkdtemp failed");
        path = buf.data();
    }
    ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string file(const std::string& name) const { return path + "/" + name; }
    // Names in the folder, to catch temporary files left behind.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        if (DIR* d = ::opendir(path.c_str())) {
            while (dirent* e = ::readdir(d)) {
                std::string n = e->d_name;
                if (n != "." && n != "..")
                    names.push_back(n);
            }
            ::closedir(d);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string path;
};

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no error)";
}

// ---- Reading -------------------------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string content;
    std::string section, key, def;
    std::string expected;
};

class ReadTest : public ::testing::TestWithParam<ReadCase> { };

TEST_P(ReadTest, GivesValueOrDefault)
{
    TempDir dir;
    const ReadCase& c = GetParam();
    std::string path = dir.file("ies.ini");
    WriteFile(path, c.content);
    EXPECT_EQ(profile::ReadString(path, c.section, c.key, c.def), c.expected);
}

const std::string kLong(5000, 'x');

INSTANTIATE_TEST_SUITE_P(Format, ReadTest,
    ::testing::Values(ReadCase { "plain", "[Viewer]\r\nWidth=800\r\n", "Viewer", "Width", "720", "800" },
        ReadCase { "section_case", "[viewer]\r\nWidth=800\r\n", "Viewer", "Width", "720", "800" },
        ReadCase { "key_case", "[VIEWER]\r\nwIDTH=800\r\n", "Viewer", "Width", "720", "800" },
        ReadCase { "blanks_around_value", "[Viewer]\r\nWidth= \t 800 \t\r\n", "Viewer", "Width", "7", "800" },
        ReadCase { "blanks_around_key", "[Viewer]\r\n  Width  =800\r\n", "Viewer", "Width", "7", "800" },
        ReadCase { "blanks_inside_value_kept", "[Viewer]\r\nLastFileName= /a b/c \r\n", "Viewer", "LastFileName", "",
            "/a b/c" },
        ReadCase { "empty_value_is_not_default", "[Viewer]\r\nWidth=\r\n", "Viewer", "Width", "720", "" },
        ReadCase { "blank_value_is_empty", "[Viewer]\r\nWidth=   \r\n", "Viewer", "Width", "720", "" },
        ReadCase { "missing_key", "[Viewer]\r\nHeight=1\r\n", "Viewer", "Width", "720", "720" },
        ReadCase { "missing_section", "[Render]\r\nWidth=1\r\n", "Viewer", "Width", "720", "720" },
        ReadCase { "empty_file", "", "Viewer", "Width", "720", "720" },
        ReadCase { "key_before_any_section", "Width=1\r\n[Viewer]\r\n", "Viewer", "Width", "720", "720" },
        ReadCase { "key_of_other_section", "[Viewer]\r\n[Render]\r\nLeft=5\r\n", "Viewer", "Left", "9", "9" },
        ReadCase { "line_without_equals", "[Viewer]\r\nWidth\r\n", "Viewer", "Width", "720", "720" },
        ReadCase { "comment_is_not_entry", "[Viewer]\r\n;Width=1\r\n#Width=2\r\n", "Viewer", "Width", "7", "7" },
        ReadCase { "value_with_equals", "[Viewer]\r\nLastFileName=/a=b\r\n", "Viewer", "LastFileName", "", "/a=b" },
        ReadCase { "lf_only", "[Viewer]\nWidth=800\nHeight=300\n", "Viewer", "Height", "401", "300" },
        ReadCase { "cr_only", "[Viewer]\rWidth=800\rHeight=300\r", "Viewer", "Height", "401", "300" },
        ReadCase { "cr_ends_section_line", "[Render]\rLeft=5\n[Viewer]\rLeft=7", "Viewer", "Left", "9", "7" },
        ReadCase { "no_final_line_end", "[Viewer]\r\nWidth=800", "Viewer", "Width", "720", "800" },
        ReadCase { "repeated_section_first_wins", "[Viewer]\r\nWidth=1\r\n[Viewer]\r\nWidth=2\r\nHeight=3\r\n",
            "Viewer", "Height", "401", "401" },
        ReadCase { "repeated_key_first_wins", "[Viewer]\r\nWidth=1\r\nWidth=2\r\n", "Viewer", "Width", "7", "1" },
        ReadCase { "bracket_blanks_and_comment", "  [ Viewer ] ; main\r\nWidth=5\r\n", "Viewer", "Width", "7", "5" },
        ReadCase {
            "unclosed_bracket_is_no_section", "[Viewer]\r\n[Render\r\nWidth=5\r\n", "Viewer", "Width", "7", "5" },
        ReadCase { "nul_bytes_elsewhere", "\0\0[x]\0\r\n[Viewer]\r\nWidth=5\r\n"s, "Viewer", "Width", "7", "5" },
        ReadCase { "value_ends_at_nul", "[Viewer]\r\nWidth=12 \0junk\r\n"s, "Viewer", "Width", "7", "12" },
        ReadCase { "long_value_cut", "[Viewer]\r\nLastFileName=" + kLong + "\r\n", "Viewer", "LastFileName", "",
            std::string(2047, 'x') },
        ReadCase { "long_default_cut", "", "Viewer", "LastFileName", kLong, std::string(2047, 'x') }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Read, MissingFileAndFolderGiveDefault)
{
    TempDir dir;
    EXPECT_EQ(profile::ReadString(dir.file("none.ini"), "Viewer", "Width", "720"), "720");
    EXPECT_EQ(profile::ReadString(dir.path, "Viewer", "Width", "720"), "720");
}

TEST(Read, FifoGivesDefaultWithoutBlocking)
{
    TempDir dir;
    std::string path = dir.file("ies.ini");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", "720"), "720");
    EXPECT_EQ(ErrorOf([&] { profile::WriteString(path, "Viewer", "Width", "1"); }), "Unable to write to " + path);
}

TEST(Read, NothingIsCached)
{
    TempDir dir;
    std::string path = dir.file("ies.ini");
    WriteFile(path, "[Viewer]\r\nWidth=800\r\n");
    EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", "720"), "800");
    WriteFile(path, "[Viewer]\r\nWidth=900\r\n");
    EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", "720"), "900");
    ::unlink(path.c_str());
    EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", "720"), "720");
}

// ---- Writing -------------------------------------------------------------------------------------------------

struct WriteCase {
    const char* name;
    std::optional<std::string> before; // nothing: no file yet
    std::string section, key, value;
    std::string after;
};

class WriteTest : public ::testing::TestWithParam<WriteCase> { };

TEST_P(WriteTest, ChangesOnlyTheKey)
{
    TempDir dir;
    const WriteCase& c = GetParam();
    std::string path = dir.file("ies.ini");
    if (c.before)
        WriteFile(path, *c.before);
    profile::WriteString(path, c.section, c.key, c.value);
    EXPECT_EQ(ReadFile(path), c.after);
    EXPECT_EQ(profile::ReadString(path, c.section, c.key, "(default)"), c.value.substr(0, profile::MaxValueLength));
    EXPECT_EQ(dir.entries(), (std::vector<std::string> { "ies.ini", "ies.ini.lock" })) << "temporary file left behind";
}

const std::string kMixed = "; settings of the viewer\r\n"
                           "[viewer]\r\n"
                           "  WIDTH = 640 ; not a comment\r\n"
                           "Custom=keep me\n"
                           "junk line\r\n"
                           "\r\n"
                           "; about Render\r\n"
                           "[Render]\r\n"
                           "Zoom=20\r\n";

INSTANTIATE_TEST_SUITE_P(Format, WriteTest,
    ::testing::Values(WriteCase { "creates_file", std::nullopt, "Viewer", "State", "0", "[Viewer]\r\nState=0\r\n" },
        WriteCase { "replaces_in_place_keeping_spelling_and_indent", kMixed, "Viewer", "Width", "720",
            "; settings of the viewer\r\n[viewer]\r\n  WIDTH=720\r\nCustom=keep me\njunk line\r\n\r\n"
            "; about Render\r\n[Render]\r\nZoom=20\r\n" },
        WriteCase { "appends_after_last_entry_not_after_trailing_comment", kMixed, "Viewer", "Height", "401",
            "; settings of the viewer\r\n[viewer]\r\n  WIDTH = 640 ; not a comment\r\nCustom=keep me\n"
            "junk line\r\nHeight=401\r\n\r\n; about Render\r\n[Render]\r\nZoom=20\r\n" },
        WriteCase { "appends_to_last_section", kMixed, "Render", "Radiocity", "0", kMixed + "Radiocity=0\r\n" },
        WriteCase { "adds_section_at_end", kMixed, "Extra", "A", "1", kMixed + "[Extra]\r\nA=1\r\n" },
        WriteCase { "adds_section_after_unterminated_line", "[Viewer]\r\nWidth=1", "Render", "Left", "5",
            "[Viewer]\r\nWidth=1\r\n[Render]\r\nLeft=5\r\n" },
        WriteCase { "appends_after_unterminated_entry", "[Viewer]\r\nWidth=1", "Viewer", "Height", "2",
            "[Viewer]\r\nWidth=1\r\nHeight=2\r\n" },
        WriteCase {
            "replaces_unterminated_entry", "[Viewer]\r\nWidth=1", "Viewer", "Width", "2", "[Viewer]\r\nWidth=2" },
        WriteCase { "unterminated_header_gets_line_end", "[Viewer]", "Viewer", "Fit", "1", "[Viewer]\r\nFit=1\r\n" },
        WriteCase { "empty_section_gets_key_after_header", "[Viewer]\r\n; later\r\n[Render]\r\n", "viewer", "Fit", "1",
            "[Viewer]\r\nFit=1\r\n; later\r\n[Render]\r\n" },
        WriteCase { "lf_file_keeps_its_lines", "[Viewer]\nWidth=1\n", "Viewer", "Height", "2",
            "[Viewer]\nWidth=1\nHeight=2\n" },
        WriteCase { "lf_file_gets_lf_section", "[Viewer]\nWidth=1", "Render", "Zoom", "9",
            "[Viewer]\nWidth=1\n[Render]\nZoom=9\n" },
        WriteCase { "cr_file_keeps_its_lines", "[Viewer]\rWidth=1\rFit=0\r", "Viewer", "Width", "2",
            "[Viewer]\rWidth=2\rFit=0\r" },
        WriteCase {
            "cr_file_gets_cr_lines", "[Viewer]\rWidth=1\r", "Viewer", "Height", "2", "[Viewer]\rWidth=1\rHeight=2\r" },
        WriteCase { "crlf_file_ending_in_cr_gets_its_lf", "[Viewer]\r\nWidth=1\r", "Render", "Zoom", "9",
            "[Viewer]\r\nWidth=1\r\n[Render]\r\nZoom=9\r\n" },
        WriteCase { "lf_line_replaced_keeps_lf", "[Viewer]\nWidth=1\nFit=0\n", "Viewer", "Width", "2",
            "[Viewer]\nWidth=2\nFit=0\n" },
        WriteCase { "repeated_section_first_gets_key", "[Viewer]\r\nA=1\r\n[Render]\r\n[Viewer]\r\nB=2\r\n", "Viewer",
            "B", "3", "[Viewer]\r\nA=1\r\nB=3\r\n[Render]\r\n[Viewer]\r\nB=2\r\n" },
        WriteCase { "empty_value", "[Viewer]\r\nLastFileName=/x\r\n", "Viewer", "LastFileName", "",
            "[Viewer]\r\nLastFileName=\r\n" },
        WriteCase {
            "binary_junk_kept", "\x01\xff\0[\r\n"s, "Viewer", "Auto", "1", "\x01\xff\0[\r\n[Viewer]\r\nAuto=1\r\n"s },
        WriteCase { "long_value_written_whole", "", "Viewer", "LastFileName", kLong,
            "[Viewer]\r\nLastFileName=" + kLong + "\r\n" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Write, FirstRunWritesTheSectionsInCallOrder)
{
    TempDir dir;
    std::string path = dir.file("ies.ini");
    const std::vector<std::pair<std::string, std::string>> viewer
        = { { "State", "0" }, { "LastFileName", "/home/u/Photometry" }, { "Width", "720" }, { "Height", "401" },
              { "Left", "152" }, { "Top", "183" }, { "Fit", "1" }, { "Auto", "1" }, { "Ortho", "1" } };
    const std::vector<std::pair<std::string, std::string>> render
        = { { "Left", "600" }, { "Top", "120" }, { "Brightness", "15" }, { "Zoom", "500" }, { "Radiocity", "0" } };
    std::string expected = "[Viewer]\r\n";
    for (const auto& [k, v] : viewer) {
        profile::WriteString(path, "Viewer", k, v);
        expected += k + "=" + v + "\r\n";
    }
    expected += "[Render]\r\n";
    for (const auto& [k, v] : render) {
        profile::WriteString(path, "Render", k, v);
        expected += k + "=" + v + "\r\n";
    }
    EXPECT_EQ(ReadFile(path), expected);
    // A second run rewrites every value where it stands: the file does not change.
    for (const auto& [k, v] : viewer)
        profile::WriteString(path, "viewer", k, v);
    for (const auto& [k, v] : render)
        profile::WriteString(path, "RENDER", k, v);
    EXPECT_EQ(ReadFile(path), expected);
}

// ---- Failures ------------------------------------------------------------------------------------------------

TEST(WriteFailure, ReportsTheFullPathAndLeavesTheFolderClean)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("ies.ini").c_str(), 0755), 0);
    struct Case {
        std::string path, section, key, value;
    };
    const std::vector<Case> cases = {
        { dir.file("ies.ini"), "Viewer", "State", "0" }, // the settings path is a folder
        { dir.file("gone/ies.ini"), "Viewer", "State", "0" }, // the folder does not exist
        { dir.file("new.ini"), "Viewer", "LastFileName", "/a\nWidth=1" }, // would inject a line
        { dir.file("new.ini"), "Viewer", "Bad=Key", "1" },
        { dir.file("new.ini"), "Vie]wer", "State", "1" },
        { dir.file("new.ini"), "Viewer", "  ", "1" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            ErrorOf([&] { profile::WriteString(c.path, c.section, c.key, c.value); }), "Unable to write to " + c.path)
            << c.path << " " << c.key;
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "ies.ini" });
}

TEST(WriteFailure, RelativePathIsReportedInFull)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("ies.ini").c_str(), 0755), 0);
    char old[PATH_MAX];
    ASSERT_TRUE(::getcwd(old, sizeof old));
    ASSERT_EQ(::chdir(dir.path.c_str()), 0);
    char here[PATH_MAX];
    ASSERT_TRUE(::getcwd(here, sizeof here));
    std::string message = ErrorOf([] { profile::WriteString("ies.ini", "Viewer", "State", "0"); });
    ASSERT_EQ(::chdir(old), 0);
    EXPECT_EQ(message, "Unable to write to " + std::string(here) + "/ies.ini");
}

TEST(WriteFailure, ReadOnlyFileIsLeftAloneAlsoForTheSuperuser)
{
    // Whoever runs the test (the superuser may write any file), a file without write permission bits is kept.
    for (mode_t mode : { 0444, 0400, 0555 }) {
        TempDir dir;
        std::string path = dir.file("ies.ini");
        WriteFile(path, "[Viewer]\r\nWidth=1\r\n");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        EXPECT_EQ(ErrorOf([&] { profile::WriteString(path, "Viewer", "Width", "2"); }), "Unable to write to " + path)
            << std::oct << mode;
        EXPECT_EQ(ErrorOf([&] {
            profile::WriteStrings(path, "Viewer", { { "Left", "2" } });
        }),
            "Unable to write to " + path);
        EXPECT_EQ(ReadFile(path), "[Viewer]\r\nWidth=1\r\n") << std::oct << mode;
        EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", "7"), "1");
    }
}

TEST(WriteFailure, FullDiskLeavesTheOldFileWhole)
{
    // A file size limit makes the write of the new contents fail part way, as a full disk would.
    TempDir dir;
    std::string path = dir.file("ies.ini");
    const std::string before = "[Viewer]\r\nWidth=1\r\n" + std::string(200, ';') + "\r\n";
    WriteFile(path, before);
    rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = before.size() + 4;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message = ErrorOf([&] { profile::WriteString(path, "Viewer", "LastFileName", std::string(50, 'x')); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, "Unable to write to " + path);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(dir.entries(), (std::vector<std::string> { "ies.ini", "ies.ini.lock" }));
}

// Runs f as an ordinary user: the superuser writes in any folder, so it steps down in a child process.
bool AsUser(const std::function<bool()>& f)
{
    if (::geteuid() != 0)
        return f();
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && f() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(WriteFolderReadOnly, ChangesAWritableFileInPlace)
{
    TempDir dir;
    std::string path = dir.file("ies.ini");
    WriteFile(path, "[Viewer]\r\nWidth=1\r\n" + std::string(100, ';') + "\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir.path.c_str(), 0555), 0);
    const auto write = [&](const std::string& file, const std::string& key) {
        return AsUser([&] {
            try {
                profile::WriteString(file, "Viewer", key, "2");
                return true;
            } catch (const std::runtime_error&) {
                return false;
            }
        });
    };
    EXPECT_TRUE(write(path, "Width"));
    EXPECT_TRUE(write(path, "Height"));
    EXPECT_EQ(ReadFile(path), "[Viewer]\r\nWidth=2\r\nHeight=2\r\n" + std::string(100, ';') + "\r\n");
    EXPECT_FALSE(write(dir.file("new.ini"), "Width")) << "no new file in a read-only folder";
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(write(path, "Width")) << "a read-only file in a read-only folder";
    ::chmod(dir.path.c_str(), 0755);
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "ies.ini" });
}

// ---- Keeping the file's identity -----------------------------------------------------------------------------

TEST(WriteIdentity, KeepsPermissionsAndFollowsLinks)
{
    TempDir dir;
    std::string real = dir.file("real.ini"), link = dir.file("ies.ini");
    WriteFile(real, "[Viewer]\r\nWidth=1\r\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real.ini", link.c_str()), 0);
    profile::WriteString(link, "Viewer", "Width", "2");
    struct stat st { };
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(real), "[Viewer]\r\nWidth=2\r\n");

    ASSERT_EQ(::symlink("nowhere.ini", dir.file("dangling.ini").c_str()), 0);
    EXPECT_EQ(ErrorOf([&] { profile::WriteString(dir.file("dangling.ini"), "Viewer", "Width", "2"); }),
        "Unable to write to " + dir.file("dangling.ini"));
}

// ---- Several writers at once ---------------------------------------------------------------------------------

// Runs each job in its own process or thread, all released at the same moment; true when every job succeeded.
bool RunTogether(bool processes, const std::vector<std::function<bool()>>& jobs)
{
    int gate[2];
    if (::pipe(gate) != 0)
        return false;
    const auto wait = [&gate] {
        char c;
        return ::read(gate[0], &c, 1) == 1;
    };
    bool ok = true;
    std::vector<pid_t> children;
    std::vector<std::thread> threads;
    std::vector<char> results(jobs.size(), 0);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (processes) {
            pid_t child = ::fork();
            if (child == 0)
                ::_exit(wait() && jobs[i]() ? 0 : 1);
            children.push_back(child);
        } else {
            threads.emplace_back([&, i] { results[i] = wait() && jobs[i]() ? 1 : 0; });
        }
    }
    const std::string go(jobs.size(), 'g');
    ok = ::write(gate[1], go.data(), go.size()) == static_cast<ssize_t>(go.size());
    for (pid_t child : children) {
        int status = 0;
        ok = ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
    }
    for (std::thread& t : threads)
        t.join();
    for (char r : results)
        ok = ok && (processes || r);
    ::close(gate[0]);
    ::close(gate[1]);
    return ok;
}

bool Writes(const std::function<void()>& f)
{
    try {
        f();
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

TEST(Concurrent, TwoWritersKeepEveryKey)
{
    constexpr int kKeys = 200;
    for (bool processes : { true, false }) {
        TempDir dir;
        const std::string path = dir.file("ies.ini");
        WriteFile(path, "[Viewer]\r\nWidth=1\r\n");
        std::vector<std::function<bool()>> jobs;
        for (const std::string who : { "A", "B" }) {
            jobs.push_back([&path, who] {
                for (int i = 0; i < kKeys; ++i) {
                    // Both write into the same section and a section of their own.
                    const std::string section = i % 2 ? "Viewer" : "Own" + who;
                    if (!Writes([&] { profile::WriteString(path, section, who + std::to_string(i), who); }))
                        return false;
                }
                return true;
            });
        }
        ASSERT_TRUE(RunTogether(processes, jobs)) << (processes ? "processes" : "threads");
        int kept = 0;
        for (const std::string who : { "A", "B" }) {
            for (int i = 0; i < kKeys; ++i)
                kept += profile::ReadString(path, i % 2 ? "Viewer" : "Own" + who, who + std::to_string(i), "") == who;
        }
        EXPECT_EQ(kept, 2 * kKeys) << (processes ? "processes" : "threads");
        EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", ""), "1");
        EXPECT_EQ(dir.entries(), (std::vector<std::string> { "ies.ini", "ies.ini.lock" }));
    }
}

TEST(Concurrent, GeometryWrittenTogetherIsNeverMixed)
{
    // Two programs save their window geometry over and over; every state of the file a reader can see holds
    // one program's four values.
    TempDir dir;
    const std::string path = dir.file("ies.ini");
    const std::vector<std::string> keys = { "Width", "Height", "Left", "Top" };
    std::vector<std::function<bool()>> jobs;
    for (const std::string who : { "100", "200" }) {
        jobs.push_back([&path, &keys, who] {
            std::vector<std::pair<std::string, std::string>> entries;
            for (const std::string& key : keys)
                entries.emplace_back(key, who);
            for (int round = 0; round < 100; ++round) {
                if (!Writes([&] { profile::WriteStrings(path, "Viewer", entries); }))
                    return false;
            }
            return true;
        });
    }
    int mixed = 0;
    jobs.push_back([&path, &keys, &mixed] {
        for (int look = 0; look < 300; ++look) {
            const std::string text = ReadFile(path);
            std::vector<std::string> values;
            for (const std::string& key : keys)
                values.emplace_back(profile::FindValue(text, "Viewer", key).value_or(""));
            mixed += std::count(values.begin(), values.end(), values.front()) != 4;
        }
        return true;
    });
    ASSERT_TRUE(RunTogether(false, jobs));
    EXPECT_EQ(mixed, 0);
    const std::string last = profile::ReadString(path, "Viewer", "Width", "");
    EXPECT_TRUE(last == "100" || last == "200") << last;
    for (const std::string& key : keys)
        EXPECT_EQ(profile::ReadString(path, "Viewer", key, ""), last) << key;
}

// ---- Hostile files -------------------------------------------------------------------------------------------

TEST(Hostile, RandomBytesAndHugeFilesKeepTheirBytes)
{
    std::mt19937 rng(7);
    std::string random(1 << 16, '\0');
    for (char& c : random)
        c = static_cast<char>(rng());
    std::string huge;
    for (int i = 0; huge.size() < 10'000'000; ++i)
        huge += "[S" + std::to_string(i) + "]\r\nkey=" + std::string(100, 'v') + "\r\n";
    std::string oneLine(10'000'000, 'a');

    for (const std::string* content : { &random, &huge, &oneLine }) {
        TempDir dir;
        std::string path = dir.file("ies.ini");
        WriteFile(path, *content);
        EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", "720"), "720");
        profile::WriteString(path, "Viewer", "Width", "800");
        EXPECT_EQ(profile::ReadString(path, "Viewer", "Width", "720"), "800");
        std::string after = ReadFile(path);
        EXPECT_EQ(after.substr(0, content->size()), *content);
        // Only the new section follows, its lines ended like the file's own.
        std::string added = after.substr(content->size());
        std::erase_if(added, [](char c) { return c == '\r' || c == '\n'; });
        EXPECT_EQ(added, "[Viewer]Width=800");
    }
}

// ---- Integer conversion --------------------------------------------------------------------------------------

TEST(StrToInt, AcceptsDecimalIntegers)
{
    const std::vector<std::pair<std::string, int>> cases = { { "0", 0 }, { "-0", 0 }, { "+15", 15 }, { "007", 7 },
        { "-40", -40 }, { "2147483647", INT_MAX }, { "-2147483648", INT_MIN }, { "00000000000000000000000000001", 1 } };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(profile::StrToInt(text), value) << text;
}

TEST(StrToInt, RejectsEverythingElseWithTheValueInTheMessage)
{
    const std::vector<std::string> cases = { "", "+", "-", " 5", "5 ", "\t5", "1e3", "1.0", "0x10", "$10", "12a", "--1",
        "+-1", "2147483648", "-2147483649", "99999999999999999999999" };
    for (const std::string& text : cases)
        EXPECT_EQ(ErrorOf([&] { profile::StrToInt(text); }), "'" + text + "' is not a valid integer value") << text;
    EXPECT_THROW(profile::StrToInt("5\0"s), std::runtime_error);
}

TEST(SettingsPath, JoinsTheExecutableFolder)
{
    EXPECT_EQ(profile::SettingsPath("/opt/gonilux"), "/opt/gonilux/ies.ini");
    EXPECT_EQ(profile::SettingsPath("/opt/gonilux/"), "/opt/gonilux/ies.ini");
    EXPECT_EQ(profile::SettingsPath("/"), "/ies.ini");
}

} // namespace
