// Where ies.ini is kept: beside a writable program folder, else in the user's configuration folder, which is
// created when missing.

#include "SettingsLocation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/gnlx_locXXXXXX";
        if (!::mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        path = pattern;
    }
    ~TempDir()
    {
        ::chmod(path.c_str(), 0700);
        std::system(("rm -rf '" + path + "'").c_str());
    }
    std::string path;
};

// Sets or unsets one environment variable for the scope, then puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value)
        : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

mode_t ModeOf(const std::string& path)
{
    struct stat st { };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? (st.st_mode & 07777) : 0;
}

TEST(UserSettingsDir, FollowsTheBaseDirectoryRules)
{
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const std::vector<Case> cases = {
        { "/xdg/config", "/home/u", "/xdg/config/gonilux" },
        { nullptr, "/home/u", "/home/u/.config/gonilux" },
        { "", "/home/u", "/home/u/.config/gonilux" }, // set but empty: as if unset
        { "relative/config", "/home/u", "/home/u/.config/gonilux" }, // relative: invalid, ignored
        { nullptr, nullptr, "" },
        { nullptr, "relative-home", "" },
        { "/xdg", nullptr, "/xdg/gonilux" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(profile::UserSettingsDir(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " / " << (c.home ? c.home : "(unset)");
}

TEST(ChooseSettingsPath, BesideAWritableProgramElseTheUserFolder)
{
    struct Case {
        std::string exeDir;
        bool writable;
        std::string userDir;
        std::string expected;
    };
    const std::vector<Case> cases = {
        { "/opt/gonilux", true, "/home/u/.config/gonilux", "/opt/gonilux/ies.ini" },
        { "/usr/bin", false, "/home/u/.config/gonilux", "/home/u/.config/gonilux/ies.ini" },
        { "/usr/bin", false, "", "/usr/bin/ies.ini" }, // no user folder: the refused write names this path
    };
    for (const Case& c : cases)
        EXPECT_EQ(profile::ChooseSettingsPath(c.exeDir, c.writable, c.userDir), c.expected) << c.exeDir;
}

TEST(LocateSettingsFile, WritableProgramFolderKeepsTheFileBesideIt)
{
    TempDir exe, config;
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path);
    EXPECT_EQ(profile::LocateSettingsFile(exe.path), exe.path + "/ies.ini");
    EXPECT_EQ(ModeOf(config.path + "/gonilux"), 0u) << "the user folder is made only when it is used";
}

TEST(LocateSettingsFile, MissingProgramFolderUsesXdgConfigHomeAndCreatesIt)
{
    TempDir tmp;
    const std::string config = tmp.path + "/made/config"; // neither level exists yet
    ScopedEnv xdg("XDG_CONFIG_HOME", config);
    EXPECT_EQ(profile::LocateSettingsFile(tmp.path + "/no-such-bin"), config + "/gonilux/ies.ini");
    EXPECT_EQ(ModeOf(config + "/gonilux"), 0700u);
    EXPECT_EQ(ModeOf(config), 0700u);
    // A second look finds the folder there and gives the same answer.
    EXPECT_EQ(profile::LocateSettingsFile(tmp.path + "/no-such-bin"), config + "/gonilux/ies.ini");
}

TEST(LocateSettingsFile, SystemProgramFoldersUseTheUserFolderWhoeverRuns)
{
    TempDir config;
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path);
    for (const char* dir : { "/usr/bin", "/usr/local/bin/", "/bin" })
        EXPECT_EQ(profile::LocateSettingsFile(dir), config.path + "/gonilux/ies.ini") << dir;
}

TEST(LocateSettingsFile, WithoutXdgConfigHomeUsesDotConfigInHome)
{
    TempDir home;
    ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv homeVar("HOME", home.path);
    EXPECT_EQ(profile::LocateSettingsFile(home.path + "/no-such-bin"), home.path + "/.config/gonilux/ies.ini");
    EXPECT_EQ(ModeOf(home.path + "/.config/gonilux"), 0700u);
}

TEST(LocateSettingsFile, ReadOnlyProgramFolderUsesTheUserFolderUnlessItsFileMayBeChanged)
{
    TempDir exe, config;
    ASSERT_EQ(::chmod(config.path.c_str(), 0777), 0);
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path);
    // Permissions do not bind the superuser: it looks as an unprivileged user in a child process.
    const auto looksUp = [&exe](const std::string& expected) {
        if (::geteuid() != 0)
            return profile::LocateSettingsFile(exe.path) == expected;
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && profile::LocateSettingsFile(exe.path) == expected
                    ? 0
                    : 1);
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    ASSERT_EQ(::chmod(exe.path.c_str(), 0555), 0);
    EXPECT_TRUE(looksUp(config.path + "/gonilux/ies.ini"));
    EXPECT_EQ(ModeOf(config.path + "/gonilux"), 0700u);

    ASSERT_EQ(::chmod(exe.path.c_str(), 0755), 0);
    const std::string beside = exe.path + "/ies.ini";
    std::system(("touch '" + beside + "'").c_str());
    ASSERT_EQ(::chmod(beside.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(exe.path.c_str(), 0555), 0);
    EXPECT_TRUE(looksUp(beside)) << "a file the user may change stays in use";
}

} // namespace
