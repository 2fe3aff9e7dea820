// Reading from a file's text without a string per line: the same lines, the same record, and a peak memory that
// stays within a few times the file's size however many lines it has.
#include "Document.h"
#include "FileText.h"
#include "LineText.h"
#include "NumberText.h"
#include "PhotometricFile.h"
#include "TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "counting_allocator.h"

namespace {

namespace fs = std::filesystem;

// Texts whose splitting has a trap: every kind of line break, a break at the end, a NUL, runs of empty lines across
// the line store's recorded starts.
std::vector<std::string> TrickyTexts()
{
    std::vector<std::string> texts
        = { "", "a", "\n", "\r", "\r\n", "a\r\nb\rc\nd", "a\n\n", "a\r\r\n\n", std::string("ab\0cd\ne", 7), "x\r" };
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += std::string(static_cast<std::size_t>(i % 5), 'x') + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    texts.push_back(many);
    texts.push_back(std::string(130, '\n') + "tail");
    // Breaks landing on every side of the 64-byte blocks the line counter looks at, CR LF pairs across them.
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        std::string text(random() % 400, 'x');
        for (char& c : text)
            c = "x\r\n\n\r"[random() % (i % 2 ? 5 : 3)];
        texts.push_back(text);
    }
    return texts;
}

TEST(TextLines, SplitsAsTheStringListDoesInAnyOrderOfAccess)
{
    for (const std::string& text : TrickyTexts()) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 40)));
        TStringList expected;
        SplitIntoLines(text, expected);
        const tTextLines lines(text);
        ASSERT_EQ(lines.Count(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(lines.Line(i), expected[i]) << "forwards " << i;
        for (std::size_t i = expected.size(); i-- > 0;)
            EXPECT_EQ(lines.Line(i), expected[i]) << "backwards " << i;
    }
}

TEST(TextLines, FindsTheLineOfAnOffsetAndTheTextFromALine)
{
    for (const std::string& text : TrickyTexts()) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 40)));
        const tTextLines lines(text);
        std::string_view rest(text.data(), std::min(text.size(), std::string_view(text.c_str()).size()));
        for (std::size_t i = 0; i < lines.Count(); ++i) {
            const std::string_view line = lines.Line(i);
            const auto start = static_cast<std::size_t>(line.data() - text.data());
            EXPECT_EQ(lines.From(i), rest.substr(start)) << i;
            // Every byte of the line and of the break that ends it belongs to it.
            const std::size_t next = i + 1 < lines.Count()
                ? static_cast<std::size_t>(lines.Line(i + 1).data() - text.data())
                : rest.size();
            for (std::size_t offset = start; offset < next; ++offset)
                ASSERT_EQ(lines.LineOf(offset), i) << offset;
        }
    }
}

TEST(TextLines, CostsLessThanAByteAPerEmptyLine)
{
    const std::string text(1 << 20, '\n');
    const tTextLines lines(text);
    EXPECT_EQ(lines.Count(), text.size());
    EXPECT_LT(lines.OverheadBytes(), text.size() / 4);
}

struct ReadResult {
    std::string error, message, numeric;
    TStringList headerLines;
    tIES ies;
    tPhotometricHeader header;
};

void ExpectSame(const ReadResult& a, const ReadResult& b)
{
    EXPECT_EQ(a.error, b.error);
    EXPECT_EQ(a.message, b.message);
    EXPECT_EQ(a.headerLines, b.headerLines);
    EXPECT_EQ(a.numeric, b.numeric);
    EXPECT_EQ(a.ies.VertAngles, b.ies.VertAngles);
    EXPECT_EQ(a.ies.HorizAngles, b.ies.HorizAngles);
    EXPECT_EQ(a.ies.Candela, b.ies.Candela);
    EXPECT_EQ(a.ies.LumensPerLamp, b.ies.LumensPerLamp);
    EXPECT_EQ(a.ies.UnitsType, b.ies.UnitsType);
    EXPECT_EQ(a.header.InputWatts, b.header.InputWatts);
    EXPECT_EQ(a.header.Width, b.header.Width);
    EXPECT_EQ(a.header.Tilt.MultiplyingFactors, b.header.Tilt.MultiplyingFactors);
}

ReadResult ReadAsLines(const std::string& path, const std::string& text)
{
    ReadResult result;
    TStringList lines;
    SplitIntoLines(text, lines);
    try {
        ReadPhotometricLines(path, lines, result.headerLines, result.ies, result.header,
            [&result](const std::string& m) { result.message = m; });
        if (!IsLdtPath(path))
            result.numeric = lines.front();
    } catch (const std::exception& error) {
        result.error = error.what();
    }
    return result;
}

// Read from the text, with the numeric text kept as the viewer keeps it, or (keepNumeric false) straight from the
// file's own text as the command line reads it.
ReadResult ReadAsText(const std::string& path, const std::string& text, bool keepNumeric = true)
{
    ReadResult result;
    try {
        ReadPhotometricText(
            path, text, result.headerLines, result.ies, result.header,
            [&result](const std::string& m) { result.message = m; }, keepNumeric ? &result.numeric : nullptr);
    } catch (const std::exception& error) {
        result.error = error.what();
    }
    return result;
}

// All three reads agree (the numeric text aside for the one that keeps none).
void ExpectSameThreeWays(const std::string& path, const std::string& text)
{
    const ReadResult lines = ReadAsLines(path, text), kept = ReadAsText(path, text);
    ExpectSame(lines, kept);
    ReadResult straight = ReadAsText(path, text, false);
    straight.numeric = kept.numeric;
    ExpectSame(kept, straight);
}

TEST(TextLines, ReadingTheTextGivesWhatReadingTheLinesGives)
{
    std::vector<fs::path> files;
    for (const char* folder : { GONILUX_SAMPLES_DIR, GONILUX_FIXTURES_DIR, GONILUX_CORPUS_DIR })
        if (fs::is_directory(folder))
            for (const auto& entry : fs::recursive_directory_iterator(folder))
                if (entry.is_regular_file() && IsPhotometricPath(entry.path().string()))
                    files.push_back(entry.path());
    ASSERT_GT(files.size(), 20u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        std::string text;
        LoadFileBytes(file.string(), text);
        ExpectSameThreeWays(file.string(), text);
    }
    // A header number failing on each kind of line, and texts with no TILT line or nothing after it.
    const std::string header = "IESNA:LM-63-2002\r\n[TEST] x\r\nTILT=NONE\r\n";
    for (const std::string& text :
        std::vector<std::string> { header + "1 1000 1 2 1 1 2 0 0 0\r\n\r\n1 1 x\r\n0 90\r\n0\r\n5 6\r\n",
            header + "1 1000 1 2 1 1 2 0 0 0 1 1 10\r\n0 90\r\n0\r\n5 6", std::string("\n\n\n1 2 3\n"), header,
            "TILT=INCLUDE\n1\n2\n0 90\n1\n1 1000 1 2 1 1 2 0 0 0 1 1 10\n0 90\n0\n5 6\n",
            // Line breaks of every kind and commas between the numbers, failing header numbers on later lines.
            header + "1,1000,1,2,1,1,2,0,0,0\n1 1 10\r0,90\r\n0\n\n5,6\r",
            header + "1 1000 1 2 1 1 2 0 0\n\r\nx 1 1 10\r0 90\n0\n5 6", header + "1 1000 1 2 1 1 2 0 0 0 1 1 y\r",
            header + std::string("1 1000 1 2 1 1 2 0 0 0 1 1 10\n0 9\0 90\n0\n5 6\n", 40) })
        for (const char* path : { "a.ies", "a.ldt" }) {
            SCOPED_TRACE(text + path);
            ExpectSameThreeWays(path, text);
        }
}

// A table large enough to be read in two halves at once: its values must land as a reading one at a time places
// them, whatever the line breaks, bad tokens or missing values.
TEST(TextLines, ALargeTableReadsTheSameInTwoHalves)
{
    const struct {
        const char* name;
        int missing; // values left out at the end
        bool badTokens;
        const char* breaks[3];
    } cases[] = {
        { "crlf", 0, false, { " ", " ", "\r\n" } },
        { "mixed breaks and commas", 0, true, { ",", "\n", "\r" } },
        { "short by a row and a half", 300, true, { " ", "\r\n", " " } },
        { "all but one value missing", 200 * 301 - 1, false, { " ", " ", "\n" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "IESNA:LM-63-2002\r\n[TEST] x\r\nTILT=NONE\r\n1 1000 1 200 301 1 2 0 0 0\r\n1 1 10\r\n";
        for (int v = 0; v < 200; ++v)
            text += std::to_string(v) + (v % 10 == 9 ? "\n" : " ");
        for (int h = 0; h < 301; ++h)
            text += std::to_string(h) + ".5 ";
        std::vector<std::string> tokens;
        for (int i = 0; i < 200 * 301 - c.missing; ++i) {
            tokens.push_back(
                c.badTokens && i % 997 == 0 ? "12x" : std::to_string(i % 1000) + "." + std::to_string(i % 7));
            text += tokens.back() + c.breaks[i % 3];
        }
        ExpectSameThreeWays("large.ies", text);
        // Each value is its own token's, converted alone (a failed one gives its failure value, a missing one 0).
        const ReadResult read = ReadAsText("large.ies", text, false);
        ASSERT_EQ(read.ies.Candela.size(), 301u);
        for (std::size_t i = 0; i < 200 * 301; ++i) {
            long double expected = 0;
            if (i < tokens.size())
                ConvertToken(tokens[i], expected);
            ASSERT_EQ(read.ies.Candela[i / 200][i % 200], expected) << "value " << i;
        }
    }
}

// The text a converter reads once: the same bytes as LoadFileBytes gives on either side of the size from which a
// file gets memory of its own, and the same refusals.
TEST(FileText, ReadsTheBytesAndRefusesAsLoadFileBytesDoes)
{
    const fs::path folder = fs::temp_directory_path() / ("gonilux_file_text_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::mt19937 random(3);
    for (const std::size_t size : { std::size_t { 0 }, std::size_t { 100 }, tFileText::kOwnMemoryFrom - 1,
             tFileText::kOwnMemoryFrom, (std::size_t { 4 } << 20) + 4097 }) {
        SCOPED_TRACE(size);
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random()); // NULs and line breaks among them
        const fs::path file = folder / ("f" + std::to_string(size) + ".ies");
        std::ofstream(file, std::ios::binary) << bytes;
        std::string loaded;
        LoadFileBytes(file.string(), loaded);
        ASSERT_EQ(loaded, bytes);
        const tFileText text(file.string());
        ASSERT_EQ(text.Text(), bytes);
    }
    for (const fs::path& refused : { folder / "missing.ies", folder }) {
        SCOPED_TRACE(refused.string());
        std::string expected, got;
        try {
            std::string bytes;
            LoadFileBytes(refused.string(), bytes);
        } catch (const tFileReadError& error) {
            expected = std::string(error.what()) + " / " + error.Reason();
        }
        try {
            const tFileText text(refused.string());
        } catch (const tFileReadError& error) {
            got = std::string(error.what()) + " / " + error.Reason();
        }
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(got, expected);
    }
    fs::remove_all(folder);
}

class PeakMemory : public ::testing::Test {
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

TEST_F(PeakMemory, ALoadCostsAtMostThreeTimesTheFileWhateverItsLines)
{
    constexpr std::size_t kSize = 4 << 20;
    const struct {
        const char* name;
        std::string line;
        std::string tail; // what follows the lines
    } cases[] = {
        { "empty_lines.ies", "\n", "" },
        { "empty_lines_then_tilt.ies", "\n", "TILT=NONE\n1 1 1 1 1 1 1 0 0 0 1 1 1\n0\n0\n5\n" },
        { "empty_lines.ldt", "\n", "" },
        { "crlf_lines.ies", "\r\n", "" },
        { "short_lines.ldt", "1\n", "" },
        { "numbers.ies", "0 ", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_dir + "/" + c.name;
        {
            std::string text;
            while (text.size() < kSize)
                text += c.line;
            text += c.tail;
            std::ofstream(path, std::ios::binary) << text;
        }
        const std::size_t before = g_live;
        g_peak = before;
        {
            Document document;
            try {
                document.Load(path, [](const std::string&) {});
            } catch (const std::exception&) {
                // refused, as such a file should be: what counts is what it cost
            }
        }
        EXPECT_LE(g_peak - before, 3 * kSize + (2 << 20));
    }
}

TEST(HeaderLines, AFileWithMoreLinesBeforeTiltThanAHeaderHasIsRefusedByBothReads)
{
    for (const std::size_t blank : { kMaxHeaderLines - 1, kMaxHeaderLines }) {
        SCOPED_TRACE(blank);
        const std::string text = std::string(blank, '\n') + "TILT=NONE\n1 1 1 1 1 1 1 0 0 0 1 1 1\n0\n0\n5\n";
        const ReadResult lines = ReadAsLines("a.ies", text), read = ReadAsText("a.ies", text);
        ExpectSame(lines, read);
        EXPECT_EQ(read.error, blank < kMaxHeaderLines ? "" : TooManyHeaderLinesMessage(kMaxHeaderLines + 1));
    }
}

TEST(LdtMessages, QuoteAtMostTwoHundredCharactersOfALongField)
{
    const struct {
        int line; // the field made long
        const char* quoted; // how the message quotes it
    } cases[] = {
        { 3, "the symmetry indicator \"" },
        { 4, "the number of C-planes \"" },
        { 24, "the conversion factor \"" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TStringList lines(60, "1");
        lines[static_cast<std::size_t>(c.line - 1)] = std::string(10 << 20, 'z');
        TStringList header;
        tIES ies;
        tPhotometricHeader numbers;
        std::string message;
        try {
            ReadLDT(lines, header, ies, numbers, nullptr);
        } catch (const std::exception& error) {
            message = error.what();
        }
        EXPECT_NE(message.find(c.quoted + std::string(200, 'z') + "...\""), std::string::npos)
            << message.substr(0, 300);
        EXPECT_LT(message.size(), 400u);
    }
}

} // namespace
