// What checking a file costs in memory: a file of millions of short lines, or one very long line, is checked within
// three times its size (the checker keeps no string per line), and every diagnostic still names its line and column
// wherever the line stands among the few whose place is recorded.
#include "Checker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "counting_allocator.h"

TEST(CheckerMemory, EulumdatFilesAreCheckedWithinThreeTimesTheirSize)
{
    constexpr std::size_t kSize = 8 << 20;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "line feeds only", std::string(kSize, '\n') },
        { "CR LF only",
            [] {
                std::string text;
                for (std::size_t i = 0; i < kSize / 2; ++i)
                    text += "\r\n";
                return text;
            }() },
        { "one long first line", std::string(kSize, 'x') + "\r\n1\r\n1\r\n1\r\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = g_live;
        g_peak = before;
        const Diagnostics found = CheckText("file.ldt", c.bytes);
        EXPECT_FALSE(found.empty()); // each is refused, with a reason
        EXPECT_LE(g_peak - before, 3 * c.bytes.size()) << "peak bytes above the text";
    }
}

namespace {

namespace fs = std::filesystem;

const std::string kHeaderLines = "IESNA:LM-63-2002\n[TEST] T-1\n[MANUFAC] M\nTILT=NONE\n";

std::string Repeated(const std::string& line, std::size_t count)
{
    std::string text;
    text.reserve(line.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        text += line;
    return text;
}

class CheckFileMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/gonilux_test_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string m_dir;
};

TEST_F(CheckFileMemory, ACheckCostsAtMostThreeTimesTheFileWhateverItsLines)
{
    constexpr std::size_t kLines = 2 << 20;
    std::string ldtHead; // a sound EULUMDAT file
    {
        std::ifstream in(std::string(GONILUX_SAMPLES_DIR) + "/wallwasher_c0_c180.ldt", std::ios::binary);
        ldtHead.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_FALSE(ldtHead.empty());
    }
    const struct {
        const char* name;
        std::string head, line; // the head, then kLines times the line
        const char* code; // a diagnostic the check must give
    } cases[] = {
        { "empty_lines.ies", "", "\n", "no-tilt" },
        { "crlf_lines.ies", "", "\r\n", "no-tilt" },
        { "tilt_then_empty_lines.ies", kHeaderLines, "\n", "empty-data" },
        { "letters_after_tilt.ies", kHeaderLines, "x\n", "header-number" },
        { "text_after_the_table.ldt", ldtHead, "1\n", "ldt-trailing" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_dir + "/" + c.name;
        std::size_t size = 0;
        {
            const std::string text = c.head + Repeated(c.line, kLines);
            size = text.size();
            std::ofstream(path, std::ios::binary) << text;
        }
        const std::size_t before = g_live;
        g_peak = before;
        const Diagnostics found = CheckFile(path);
        EXPECT_LE(g_peak - before, 3 * size + (1 << 20));
        bool given = false;
        for (const Diagnostic& d : found)
            given = given || d.code == c.code;
        EXPECT_TRUE(given) << c.code;
    }
}

// A file whose numbers stand after runs of blank lines of every length around the recorded line starts, with a
// fault found after a later one (the angles' order is judged once the table is read).
TEST(CheckPlaces, NameTheLineAndColumnAfterAnyRunOfBlankLines)
{
    const struct {
        const char* end; // line break
        std::size_t beforeAngles, beforeCandela, between; // runs of blank lines
    } cases[] = {
        { "\n", 0, 0, 0 },
        { "\n", 0, 255, 1 },
        { "\r\n", 1, 256, 0 },
        { "\n", 63, 257, 511 },
        { "\r", 300, 64, 1024 },
        { "\n", 1000, 5000, 70000 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.beforeAngles << " " << c.beforeCandela << " " << c.between);
        const std::string end = c.end;
        std::string text;
        for (const char* line :
            { "IESNA:LM-63-2002", "[TEST] T-1", "[MANUFAC] M", "TILT=NONE", "1 -1 1 3 2 1 2 0.5 0.5 0", "1 1 100" })
            text += line + end;
        text += Repeated(end, c.beforeAngles) + "0 90 45" + end + "0 90" + end;
        text += Repeated(end, c.beforeCandela) + "100 5O 10" + end + Repeated(end, c.between) + "  100 5P 10" + end;
        const Diagnostics found = CheckText("a.ies", text);
        std::vector<std::pair<std::size_t, std::size_t>> places;
        for (const Diagnostic& d : found)
            if (d.code == "vertical-order" || d.code == "bad-number")
                places.emplace_back(d.line, d.column);
        const std::size_t candela = 9 + c.beforeAngles + c.beforeCandela;
        const std::vector<std::pair<std::size_t, std::size_t>> expected
            = { { 7 + c.beforeAngles, 6 }, { candela, 5 }, { candela + 1 + c.between, 7 } };
        EXPECT_EQ(places, expected);
    }
}

} // namespace
