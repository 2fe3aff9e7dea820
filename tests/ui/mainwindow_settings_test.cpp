// The section "Viewer" of the settings file: applied at creation, written at close.
#include "mainwindow_harness.h"

#include "FolderListing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>

class MainWindowSettingsTest : public MainWindowTest {
protected:
    static QSize screen() { return QGuiApplication::primaryScreen()->geometry().size(); }

    bool switchesAre(bool down) const
    {
        return Form1->SpeedButtonUpdate->isChecked() == down && Form1->SpeedButtonOrtho->isChecked() == down
            && Form1->SpeedButtonFit->isChecked() == down;
    }

    // The [Viewer] lines in the order they stand in the file.
    QList<QByteArray> viewerLines() const
    {
        QList<QByteArray> lines;
        bool inViewer = false;
        for (const QByteArray& line : readSettings().split('\n')) {
            const QByteArray text = line.trimmed();
            if (text.startsWith('['))
                inViewer = text == "[Viewer]";
            else if (inViewer && !text.isEmpty())
                lines << text;
        }
        return lines;
    }
};

TEST_F(MainWindowSettingsTest, FirstRunOpensCentredWithSwitchesDownAndWritesTheSectionInOrder)
{
    start();
    EXPECT_EQ(Form1->size(), QSize(720, 401));
    EXPECT_EQ(Form1->pos(), QPoint((screen().width() - 720) / 2, (screen().height() - 401) / 2));
    EXPECT_EQ(Form1->windowState(), Qt::WindowNoState);
    EXPECT_TRUE(switchesAre(true));
    EXPECT_EQ(Form1->Directory(), folders::absoluteFolder(folders::workingFolder()));
    EXPECT_TRUE(Form1->ButtonRender->isEnabled());
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_TRUE(messages.isEmpty());

    openFolder(filesDir);
    QTest::mouseClick(Form1->SpeedButtonOrtho, Qt::LeftButton);
    QSignalSpy closed(Form1, &TForm1::closed);
    Form1->close();
    EXPECT_EQ(closed.count(), 1);
    const QPoint at = Form1->pos();
    const QList<QByteArray> expected = {
        "State=0",
        "LastFileName=" + QFile::encodeName(filesDir),
        "Width=720",
        "Height=401",
        "Left=" + QByteArray::number(at.x()),
        "Top=" + QByteArray::number(at.y()),
        "Fit=1",
        "Auto=1",
        "Ortho=0",
    };
    EXPECT_EQ(viewerLines(), expected);
    EXPECT_TRUE(readSettings().startsWith("[Viewer]\r\nState=0\r\n"));

    // The render window writes its section after it, when it goes at the end of the run.
    delete Form2;
    Form2 = nullptr;
    const QByteArray text = readSettings();
    EXPECT_LT(text.indexOf("[Viewer]"), text.indexOf("[Render]"));
}

TEST_F(MainWindowSettingsTest, StoredValuesAreAppliedWithTheMinimumSize)
{
    struct Case {
        QByteArray section;
        QSize size;
        QPoint pos; // (-1, -1): centred
        bool switchesDown;
    };
    const Case cases[] = {
        { "[viewer]\r\nwidth=100\r\nHEIGHT=100\r\n", { 500, 190 }, { -1, -1 }, true },
        { "[Viewer]\r\nWidth= 640 \r\nHeight=480\r\nLeft=-40\r\nTop=7\r\nAuto=0\r\nOrtho=0\r\nFit=0\r\n", { 640, 480 },
            { -40, 7 }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section.toStdString());
        writeSettings(c.section);
        start(false);
        EXPECT_EQ(Form1->size(), c.size);
        const QPoint centred((screen().width() - c.size.width()) / 2, (screen().height() - c.size.height()) / 2);
        EXPECT_EQ(Form1->pos(), c.pos == QPoint(-1, -1) ? centred : c.pos);
        EXPECT_TRUE(switchesAre(c.switchesDown));
        EXPECT_TRUE(messages.isEmpty());
        TearDown();
        SetUp();
    }
}

TEST_F(MainWindowSettingsTest, NonIntegerValueStopsTheSectionAfterTheFolder)
{
    QDir(filesDir).mkdir("remembered");
    const QByteArray folder = QFile::encodeName(filesDir + "/remembered");
    writeSettings("[Viewer]\r\nLastFileName=" + folder + "\r\nWidth=\r\nHeight=300\r\nFit=1\r\nState=2\r\n");
    start(false);
    EXPECT_EQ(messages, QStringList { "'' is not a valid integer value" });
    EXPECT_EQ(Form1->Directory(), folder) << "the folder came first and stays applied";
    EXPECT_EQ(Form1->size(), QSize(720, 401));
    EXPECT_EQ(Form1->pos(), QPoint(386, 353));
    EXPECT_TRUE(switchesAre(false));
    EXPECT_EQ(Form1->windowState(), Qt::WindowNoState);
}

TEST_F(MainWindowSettingsTest, DeletedRememberedFolderShowsTheErrorAndAppliesNothing)
{
    const QByteArray gone = QFile::encodeName(filesDir + "/gone");
    writeSettings("[Viewer]\r\nLastFileName=" + gone + "\r\nWidth=600\r\nAuto=1\r\n");
    start();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith("Cannot open folder " + QString::fromUtf8(gone)))
        << messages.first().toStdString();
    EXPECT_EQ(Form1->Directory(), folders::absoluteFolder(folders::workingFolder()));
    EXPECT_EQ(Form1->size(), QSize(720, 401));
    EXPECT_EQ(Form1->pos(), QPoint(386, 353));
    EXPECT_TRUE(switchesAre(false));
}

TEST_F(MainWindowSettingsTest, WindowStateIsRestoredOrIgnored)
{
    struct Case {
        QByteArray state;
        Qt::WindowState expected;
    };
    const Case cases[] = { { "2", Qt::WindowMaximized }, { "7", Qt::WindowNoState }, { "0", Qt::WindowNoState } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state.toStdString());
        writeSettings("[Viewer]\r\nWidth=600\r\nHeight=300\r\nLeft=30\r\nTop=40\r\nState=" + c.state + "\r\n");
        start();
        EXPECT_EQ(Form1->windowState(), c.expected);
        EXPECT_EQ(Form1->normalGeometry().size(), QSize(600, 300));
        if (c.expected == Qt::WindowMaximized) {
            // Closing maximised records the state and the normal window's geometry.
            Form1->close();
            const auto lines = viewerLines();
            EXPECT_TRUE(lines.contains("State=2"));
            EXPECT_TRUE(lines.contains("Width=600"));
            EXPECT_TRUE(lines.contains("Height=300"));
            EXPECT_TRUE(lines.contains("Left=30")) << readSettings();
            EXPECT_TRUE(lines.contains("Top=40"));
        }
        EXPECT_TRUE(messages.isEmpty());
        TearDown();
        SetUp();
    }
}

TEST_F(MainWindowSettingsTest, UnknownKeysSectionsAndCommentsSurviveARun)
{
    writeSettings("; written by hand\r\n[Other]\r\nKeep=me\r\n[VIEWER]\r\nWidth=700\r\nColour=blue\r\n[Render]\r\n"
                  "Zoom=400\r\nExtra = 1\r\n");
    start();
    Form1->close();
    delete Form2;
    Form2 = nullptr;
    const QByteArray text = readSettings();
    EXPECT_TRUE(text.startsWith("; written by hand\r\n[Other]\r\nKeep=me\r\n[VIEWER]\r\nWidth=700\r\nColour=blue\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Extra = 1\r\n"));
    EXPECT_EQ(text.count("[VIEWER]") + text.count("[Viewer]"), 1);
}

TEST_F(MainWindowSettingsTest, UnwritableSettingsAreReportedAndTheWindowStillCloses)
{
    QDir().mkpath(settingsPath()); // a folder where the file should be
    start();
    QSignalSpy closed(Form1, &TForm1::closed);
    Form1->close();
    EXPECT_EQ(messages, QStringList { "Unable to write to " + settingsPath() });
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(Form1->isVisible());
}
