// EULUMDAT files in the main window: selecting one loads it into the document as the reader gives it, a failing
// field the record does not need loads without a message (Diagnostics report it), and a refused one leaves the document
// as a refused IES file does.
#include "mainwindow_harness.h"

#include "LineText.h"
#include "PhotometricFile.h"

#include <QSignalSpy>

namespace {

const QString kCheckFixtures = QStringLiteral(GONILUX_FIXTURES_DIR "/check/");

struct Loaded {
    tIES ies;
    TStringList headerLines;
    tPhotometricHeader header;
};

// What the reader gives for a file, read apart from the window.
Loaded ReadApart(const QString& path)
{
    Loaded read;
    TStringList lines;
    const std::string bytes = QFile::encodeName(path).toStdString();
    LoadFileLines(bytes, lines);
    ReadPhotometricLines(bytes, lines, read.headerLines, read.ies, read.header, nullptr);
    return read;
}

} // namespace

TEST_F(MainWindowTest, SelectingAnLdtFileLoadsItIntoTheDocument)
{
    struct Case {
        QString file;
        QString source;
        QString message; // the one message shown, if any
        int planes;
    };
    const Case cases[] = {
        { "wall.LDT", QStringLiteral(GONILUX_SAMPLES_DIR "/wallwasher_c0_c180.ldt"), QString(), 13 },
        { "fraction.ldt", kCheckFixtures + "downward_fraction_letters.ldt", QString(), 1 },
    };
    for (const Case& c : cases)
        ASSERT_TRUE(QFile::copy(c.source, filesDir + '/' + c.file));
    start();
    openFolder(filesDir);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        messages.clear();
        QSignalSpy loaded(Doc, &TDocument::loaded);
        clickFile(c.file);
        EXPECT_EQ(loaded.count(), 1);
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList() : QStringList { c.message });
        const Loaded expected = ReadApart(c.source);
        EXPECT_EQ(Doc->FileName(), QFile::encodeName(filesDir + '/' + c.file).toStdString());
        EXPECT_EQ(Doc->IESData().HorizAngles, expected.ies.HorizAngles);
        EXPECT_EQ(Doc->IESData().Candela, expected.ies.Candela);
        EXPECT_EQ(Doc->IESData().NumHorizAngles, c.planes);
        EXPECT_EQ(Doc->HeaderLines(), expected.headerLines);
        EXPECT_EQ(Doc->Header().InputWatts, expected.header.InputWatts);
        EXPECT_EQ(Doc->Header().NumberOfLamps, expected.header.NumberOfLamps);
        EXPECT_EQ(Doc->Header().PhotometricType, 1);
        EXPECT_EQ(Form1->TrackBarDegree->maximum(), c.planes - 1);
        EXPECT_EQ(Form1->TrackBarDegree->isVisible(), c.planes > 1);
        EXPECT_GT(redPixels(Form1->PaintBox1->Image()), 100) << "the main curves are drawn";
    }
    EXPECT_EQ(Form1->Label1->text().split('\n').first(), QStringLiteral("Test:  Report 1"));
    clickFile("wall.LDT");
    EXPECT_EQ(Doc->Header().InputWatts, 18); // the numbers follow the file now open
    EXPECT_EQ(Form1->Label1->text().split('\n').first(), QStringLiteral("Test:  GS-2024-031"));
}

TEST_F(MainWindowTest, ARefusedLdtFileLeavesTheDocumentAsARefusedIesFileDoes)
{
    copySample("wallwasher_c0_c180.ldt", "a_good.ldt");
    ASSERT_TRUE(QFile::copy(kCheckFixtures + "symmetry_5.ldt", filesDir + "/b_symmetry_5.ldt"));
    ASSERT_TRUE(QFile::copy(kCheckFixtures + "cut_in_lamp_set.ldt", filesDir + "/c_cut.LDT"));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(GONILUX_FIXTURES_DIR "/nothing_after_tilt.ies"), filesDir + "/d_refused.ies"));
    start();
    openFolder(filesDir);
    const struct {
        QString file;
        QString message; // empty: whatever the IES reader says
        bool keepsHeader; // the EULUMDAT reader changes nothing; this IES refusal comes after the header was read
    } cases[] = {
        { "b_symmetry_5.ldt", "EULUMDAT line 3: the symmetry indicator \"5\" is not 0, 1, 2, 3 or 4", true },
        { "c_cut.LDT", "EULUMDAT line 31: the file ends before the colour rendering of set 1", true },
        { "d_refused.ies", QString(), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        clickFile("a_good.ldt");
        ASSERT_EQ(Doc->IESData().NumHorizAngles, 13);
        const TStringList headerLines = Doc->HeaderLines();
        const long double watts = Doc->Header().InputWatts;
        const QString label = Form1->Label1->text();
        messages.clear();
        QSignalSpy loaded(Doc, &TDocument::loaded);
        QSignalSpy failed(Doc, &TDocument::loadFailed);
        clickFile(c.file);
        EXPECT_EQ(loaded.count(), 0);
        EXPECT_EQ(failed.count(), 1);
        ASSERT_EQ(messages.size(), 1);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages.first(), c.message);
        }
        EXPECT_TRUE(Doc->IESData().Candela.empty()) << "no file counts as loaded";
        EXPECT_TRUE(Doc->FileName().empty());
        if (c.keepsHeader) {
            EXPECT_EQ(Doc->HeaderLines(), headerLines);
            EXPECT_EQ(Doc->Header().InputWatts, watts);
        }
        EXPECT_EQ(Form1->Label1->text(), label);
        EXPECT_FALSE(Form1->TrackBarDegree->isEnabled());
        EXPECT_EQ(redPixels(Form1->PaintBox1->Image()), 0);
    }
}
