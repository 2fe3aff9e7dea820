// gonilux-cli report: one PDF page per file, A4 or Letter, fonts embedded, the luminaire's name and the flux as
// the details' summary writes it found in the page's text; files that give no page say why and write nothing.
// The PDF is inspected with poppler's tools; the suite is skipped where they are missing.
#include "DetailsText.h"
#include "PhotometricFile.h"
#include "process_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kCli = GONILUX_CLI;
const std::string kSamples = GONILUX_SAMPLES_DIR;

bool HavePoppler() { return std::system("command -v pdfinfo pdffonts pdftotext >/dev/null 2>&1") == 0; }

// The luminous flux entry of the summary for a sample, with a point for the decimal separator.
std::string FluxText(const std::string& path)
{
    tIES ies;
    TStringList lines, headerLines;
    tPhotometricHeader header;
    LoadFileLines(path, lines);
    ReadPhotometricLines(path, lines, headerLines, ies, header, [](const std::string&) {});
    for (const auto& [name, value] : FigureEntries(ComputeFigures(ies, header), "."))
        if (name == "Luminous flux")
            return name + ": " + value;
    return "no flux entry";
}

class CliReport : public ScratchFolderTest {
protected:
    ProcessRun Run(const std::string& arguments)
    {
        return RunCommand("LC_ALL=C " + kCli + " report " + arguments, Dir());
    }
    ProcessRun Tool(const std::string& command) { return RunCommand(command, Dir()); }
};

} // namespace

TEST_F(CliReport, OnePageOfThePapersSizeWithEmbeddedFontsAndTheSummarysTexts)
{
    if (!kDrawingProgramBuilt)
        GTEST_SKIP() << "pages need the drawing program, which a build without Qt has not";
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    struct Case {
        const char* sample;
        const char* options;
        const char* size;
        const char* name; // the luminaire, as its [LUMINAIRE] line gives it
        const char* glare; // the UGR table's caption, or why there is none
    };
    const Case cases[] = {
        { "downlight_axial.ies", "", "595 x 842 pts", "Recessed round LED downlight", "No UGR table" },
        { "street_bilateral.ies", "--letter", "612 x 792 pts", "Road luminaire, Type II medium, flat glass",
            "Glare (UGR)" },
        { "wallwasher_c0_c180.ldt", "--a4", "595 x 842 pts", "Asymmetric wall washer 2 x LED",
            "UGR corrected for 1500 lm lamp flux" },
        { "washer_full_360.ies", "--letter", "612 x 792 pts", "", "Glare (UGR)" },
    };
    for (const Case& c : cases) {
        const std::string sample = kSamples + "/" + c.sample;
        const std::string pdf = (Dir() / "sheet.pdf").string();
        const ProcessRun run = Run(Quote(sample) + " -o " + Quote(pdf) + " " + c.options);
        ASSERT_EQ(run.exitCode, 0) << c.sample << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.sample;

        const ProcessRun info = Tool("pdfinfo " + Quote(pdf));
        EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << c.sample << info.out;
        EXPECT_NE(info.out.find("Page size:       " + std::string(c.size)), std::string::npos) << c.sample << info.out;

        const ProcessRun fonts = Tool("pdffonts " + Quote(pdf));
        std::istringstream rows(fonts.out);
        std::string row;
        int fontCount = 0;
        for (int line = 0; std::getline(rows, row); ++line) {
            if (line < 2)
                continue; // the heading and its rule
            ++fontCount;
            // name, type (two words), encoding, then emb: "yes".
            std::istringstream fields(row);
            std::string name, type1, type2, encoding, embedded;
            fields >> name >> type1 >> type2 >> encoding >> embedded;
            EXPECT_EQ(embedded, "yes") << c.sample << ": " << row;
        }
        EXPECT_GE(fontCount, 1) << c.sample;

        const ProcessRun text = Tool("pdftotext " + Quote(pdf) + " -");
        EXPECT_NE(text.out.find(c.name), std::string::npos) << c.sample;
        EXPECT_NE(text.out.find(FluxText(sample)), std::string::npos) << c.sample << ": " << FluxText(sample);
        EXPECT_NE(text.out.find("Made with Gonilux "), std::string::npos) << c.sample;
        EXPECT_NE(text.out.find("Check: "), std::string::npos) << c.sample;
        EXPECT_NE(text.out.find(c.glare), std::string::npos) << c.sample;
        EXPECT_LT(fs::file_size(pdf), 300u * 1024) << c.sample;
    }
}

TEST_F(CliReport, FilesThatGiveNoPageSayWhyAndLeaveTheOutputAlone)
{
    if (!kDrawingProgramBuilt)
        GTEST_SKIP() << "pages need the drawing program, which a build without Qt has not";
    struct Case {
        std::string arguments; // {out} stands for the output path
        int exitCode;
        const char* says;
    };
    const std::string fixtures = GONILUX_FIXTURES_DIR;
    const Case cases[] = {
        { Quote(Dir() / "missing.ies") + " -o {out}", 3, "No such file" },
        { Quote(fixtures + "/header_cut_short.ies") + " -o {out}", 3,
            "no datasheet: the file holds no intensity table" },
        { Quote(fixtures + "/empty_file.ies") + " -o {out}", 3, "the file is empty" },
        { Quote(kSamples + "/downlight_axial.ies") + " -o " + Quote(Dir() / "sheet.png"), 2, "must end in .pdf" },
        { Quote(kSamples + "/downlight_axial.ies"), 2, "give -o OUT.pdf" },
        { Quote(kSamples + "/downlight_axial.ies") + " --format svg -o {out}", 2, "--format needs pdf" },
        { "--paper -o {out}", 2, "unknown option --paper" },
    };
    const fs::path out = Dir() / "kept.pdf";
    for (const Case& c : cases) {
        {
            std::ofstream(out) << "earlier";
        }
        std::string arguments = c.arguments;
        if (const std::size_t at = arguments.find("{out}"); at != std::string::npos)
            arguments.replace(at, 5, Quote(out));
        const ProcessRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << arguments << "\n" << run.err;
        EXPECT_EQ(Slurp(out), "earlier") << arguments;
    }
}

TEST_F(CliReport, ABatchWritesOnePagePerFileAndEndsWithTheWorstStatus)
{
    if (!kDrawingProgramBuilt)
        GTEST_SKIP() << "pages need the drawing program, which a build without Qt has not";
    const fs::path folder = Dir() / "sheets";
    const ProcessRun run = Run(Quote(kSamples + "/downlight_axial.ies") + " "
        + Quote(kSamples + "/wallwasher_c0_c180.ldt") + " " + Quote(Dir() / "missing.ies") + " "
        + Quote(kSamples + "/../samples/downlight_axial.ies") + " --format pdf -o " + Quote(folder));
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.err.find("missing.ies"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("gives the same datasheet name as"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_regular_file(folder / "downlight_axial.pdf"));
    EXPECT_TRUE(fs::is_regular_file(folder / "wallwasher_c0_c180.pdf"));
    EXPECT_FALSE(fs::exists(folder / "missing.pdf"));
    for (const char* name : { "downlight_axial.pdf", "wallwasher_c0_c180.pdf" })
        EXPECT_EQ(Slurp(folder / name).substr(0, 5), "%PDF-") << name;

    // One file with --format is a batch of one.
    const ProcessRun single
        = Run(Quote(kSamples + "/spot_full_22_5.ies") + " --format pdf --letter -o " + Quote(folder));
    EXPECT_EQ(single.exitCode, 0) << single.err;
    EXPECT_TRUE(fs::is_regular_file(folder / "spot_full_22_5.pdf"));
}
