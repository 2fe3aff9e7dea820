#pragma once
// Programs run as separate processes by the suites: the exit code and what the program wrote, and a fresh folder
// for each test to work in.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct ProcessRun {
    int exitCode = -1; // -1 when the program did not end by itself
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string Quote(const std::string& text) { return "'" + text + "'"; }

// Whether this build has the drawing program that gonilux-cli hands SVG, PNG and PDF pictures to. A build without
// Qt has none; what gonilux-cli then says is tested with the program copied alone into a folder.
constexpr bool kDrawingProgramBuilt = GONILUX_WITH_QT;

// True when a gonilux-cli command line needs the drawing program: every goniogram (its labels take the locale's
// decimal separator from Qt) and every SVG, PNG or PDF picture.
inline bool DrawsThroughQt(const std::string& arguments)
{
    static const std::regex drawn(R"((^goniogram\b|\.(svg|png|pdf)\b|--format (svg|png|pdf)\b))", std::regex::icase);
    return std::regex_search(arguments, drawn);
}

// Runs a shell command with its standard output and error sent to files in folder, and reads them back.
inline ProcessRun RunCommand(const std::string& command, const std::filesystem::path& folder)
{
    const std::filesystem::path out = folder / ".out", err = folder / ".err";
    const int status = std::system((command + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err) };
}

// A fixture whose test works in a fresh folder of its own, removed afterwards.
class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/gonilux_test_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path Dir() const { return m_dir; }

    std::string m_dir;
};
