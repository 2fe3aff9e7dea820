// The details window wired into the viewer: not built at start-up, opened by Alt+D or by the main window's
// warning sign, following the document through selection, plane changes and failed loads, its diagnostics copied
// as the command-line check prints them, and its own section of the settings written at the end.
#include "mainwindow_harness.h"

#include "DetailsCorner.h"
#include "DetailsLink.h"
#include "DetailsPlacement.h"
#include "FormDetails.h"
#include "PanelCorner.h"

#include <QApplication>
#include <QDirIterator>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>

#include <memory>

namespace {

std::string Golden(const char* name)
{
    QFile file(QStringLiteral(GONILUX_SOURCE_DIR "/tests/golden/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// A golden summary, which names its file alone, for the file at path.
std::string Summary(const char* name, const std::string& path)
{
    const std::string golden = Golden(name);
    return "File: " + path + golden.substr(golden.find('\n'));
}

// What `gonilux-cli check PATH` prints for one file, without its closing count line.
std::string CliCheck(const QString& path)
{
    QProcess cli;
    cli.start(QStringLiteral(GONILUX_CLI), { QStringLiteral("check"), path });
    if (!cli.waitForFinished(60000))
        return "(the check did not end)";
    const QByteArray out = cli.readAllStandardOutput();
    const qsizetype countLine = out.lastIndexOf('\n', out.size() - 2);
    return countLine < 0 ? std::string() : out.left(countLine + 1).toStdString();
}

int DetailsWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::allWidgets())
        count += qobject_cast<TFormDetails*>(widget) ? 1 : 0;
    return count;
}

class DetailsLinkTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        link.reset();
        MainWindowTest::TearDown();
    }
    // Both windows and the details link, as the viewer has them, in the files folder.
    void startLinked()
    {
        start();
        link = std::make_unique<DetailsLink>(*Doc, Form1->PanelImage);
        openFolder(filesDir);
    }
    // Ctrl+C as the user presses it in the details window; what was copied.
    std::string pressCopy()
    {
        TFormDetails* window = link->Window();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QSignalSpy copied(window, &TFormDetails::copied);
        QTest::keyClick(window->Tabs, Qt::Key_C, Qt::ControlModifier);
        return copied.count() == 1 ? copied.first().first().toString().toStdString() : "(no copy)";
    }
    std::unique_ptr<DetailsLink> link;
};

TEST_F(DetailsLinkTest, StartUpBuildsNoDetailsWindowAltDOpensItAndItsPlaceIsKept)
{
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        auto viewer = std::make_unique<Viewer>();
        viewer->MainWindow().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer->MainWindow()));
        EXPECT_EQ(DetailsWindows(), 0);
        EXPECT_EQ(viewer->Details().Window(), nullptr);
        viewer->MainWindow().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer->MainWindow()));

        QTest::keyClick(&viewer->MainWindow(), Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(viewer->Details().Window() != nullptr); // the button's click comes a moment after the key
        TFormDetails* window = viewer->Details().Window();
        EXPECT_EQ(DetailsWindows(), 1);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Details"));
        if (run == 0) {
            window->move(31, 42);
            window->SetCurrentTab(TFormDetails::TabIntensity);
        } else {
            EXPECT_EQ(window->pos(), QPoint(31, 42));
            EXPECT_EQ(window->CurrentTab(), TFormDetails::TabIntensity);
        }
        viewer.reset();
        EXPECT_TRUE(readSettings().contains("[Details]\r\nLeft=31\r\nTop=42\r\n")) << readSettings();
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
}

TEST_F(DetailsLinkTest, TheButtonAndTheSignCoverNoControlAtAnySize)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(GONILUX_FIXTURES_DIR "/candela_joined_by_tab.ies"), filesDir + "/a.ies"));
    startLinked();
    clickFile(QStringLiteral("a.ies"));
    const TDetailsCorner& corner = link->Corner();
    ASSERT_TRUE(corner.Warning->isVisible());
    const QWidget* controls[] = { Form1->Label1, Form1->PaintBox1, Form1->ButtonRender, Form1->Label3,
        Form1->SpeedButtonUpdate, Form1->SpeedButtonOrtho, Form1->SpeedButtonFit, Form1->TrackBarDegree, Form1->Label4,
        Form1->DriveComboBox1, Form1->DirectoryListBox1, Form1->FileListBox1 };
    auto onWindow = [this](const QWidget* widget) { return QRect(widget->mapTo(Form1, QPoint(0, 0)), widget->size()); };
    for (const QSize size : { QSize(720, 401), QSize(500, 190), QSize(1280, 900), QSize(710, 301), QSize(809, 330) }) {
        Form1->resize(size);
        QCoreApplication::processEvents();
        ASSERT_EQ(Form1->size(), size);
        // The diagram is the largest square in its panel. Where the panel is so nearly square that neither the strip
        // above the diagram nor the one beside it holds the corner, the corner lies over the diagram's own corner.
        const QRect panel = Form1->PanelImage->rect();
        const QRect square = Form1->PaintBox1->geometry();
        const bool roomBesideTheDiagram
            = square.top() >= panelcorner::Height || panel.width() - (square.right() + 1) >= panelcorner::Width;
        for (const QWidget* sign :
            { static_cast<const QWidget*>(corner.Button), static_cast<const QWidget*>(corner.Warning) }) {
            EXPECT_TRUE(panel.contains(sign->geometry()));
            for (const QWidget* control : controls) {
                if (control == Form1->PaintBox1 && !roomBesideTheDiagram)
                    continue;
                EXPECT_FALSE(onWindow(sign).intersects(onWindow(control)))
                    << size.width() << "x" << size.height() << " " << control->metaObject()->className();
            }
        }
    }
}

TEST_F(DetailsLinkTest, TheWindowFollowsSelectionPlaneAndAFailedLoad)
{
    copySample(QStringLiteral("panel_quadrant.ies"), QStringLiteral("a.ies"));
    copySample(QStringLiteral("washer_full_360.ies"), QStringLiteral("b.ies"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GONILUX_FIXTURES_DIR "/nothing_after_tilt.ies"), filesDir + "/c.ies"));
    startLinked();
    clickFile(QStringLiteral("a.ies"));
    link->ShowDetails();
    TFormDetails* window = link->Window();
    ASSERT_NE(window, nullptr);
    const std::string folder = QFile::encodeName(filesDir).toStdString() + "/";
    EXPECT_EQ(window->File().Path, folder + "a.ies");
    // The header numbers come through the document: lamp flux, efficacy and the rest as the golden text has them.
    window->SetCurrentTab(TFormDetails::TabSummary);
    EXPECT_EQ(pressCopy(), Summary("panel_quadrant.summary", folder + "a.ies"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Details - a.ies"));

    clickFile(QStringLiteral("b.ies"));
    EXPECT_EQ(window->File().Path, folder + "b.ies");
    EXPECT_EQ(window->File().Record.Candela, Doc->IESData().Candela);
    Form1->TrackBarDegree->setValue(5);
    EXPECT_EQ(window->ShownPlane(), 5);
    Doc->SelectPlane(2);
    EXPECT_EQ(window->ShownPlane(), 2);

    const qsizetype said = messages.size();
    clickFile(QStringLiteral("c.ies"));
    EXPECT_GT(messages.size(), said) << "the failed load is reported as before";
    EXPECT_TRUE(window->File().Path.empty());
    EXPECT_TRUE(IsEmpty(window->File().Record));
    for (int tab = 0; tab < TFormDetails::TabCount; ++tab)
        EXPECT_TRUE(window->CopyText(static_cast<TFormDetails::Tab>(tab)).isEmpty()) << tab;
    EXPECT_FALSE(link->Corner().Warning->isVisible());

    EXPECT_EQ(window->SummaryView->toPlainText(), QStringLiteral("No file selected"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Details"));

    clickFile(QStringLiteral("a.ies"));
    EXPECT_EQ(pressCopy(), Summary("panel_quadrant.summary", folder + "a.ies"));
    // Another folder shows no file: neither do the details, though the document keeps its record.
    ASSERT_TRUE(QDir(filesDir).mkdir(QStringLiteral("sub")));
    openFolder(filesDir + "/sub");
    EXPECT_FALSE(IsEmpty(Doc->IESData()));
    EXPECT_EQ(window->SummaryView->toPlainText(), QStringLiteral("No file selected"));
    EXPECT_FALSE(link->Corner().Warning->isVisible());
}

TEST_F(DetailsLinkTest, TheWindowFirstOpensBesideTheMainWindowOnItsScreen)
{
    copySample(QStringLiteral("panel_quadrant.ies"), QStringLiteral("a.ies"));
    startLinked();
    Form1->move(10, 10);
    clickFile(QStringLiteral("a.ies"));
    link->ShowDetails();
    const TFormDetails* window = link->Window();
    ASSERT_NE(window, nullptr);
    const QRect screen = Form1->screen()->availableGeometry();
    EXPECT_EQ(window->pos(), PlaceBeside(Form1->frameGeometry(), window->size(), screen));
    EXPECT_TRUE(screen.contains(QRect(window->pos(), window->size())));
}

TEST_F(DetailsLinkTest, HostileFilesShowTheirDiagnosticsAsTheCommandLineCheckPrintsThem)
{
    QDirIterator fixtures(QStringLiteral(GONILUX_FIXTURES_DIR), { QStringLiteral("*.ies") }, QDir::Files);
    QStringList names;
    while (fixtures.hasNext()) {
        const QString path = fixtures.next();
        names << QFileInfo(path).fileName();
        ASSERT_TRUE(QFile::copy(path, filesDir + '/' + names.last()));
    }
    ASSERT_GE(names.size(), 10);
    startLinked();
    int loadedWithDiagnostics = 0;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        clickFile(name);
        const QString path = filesDir + '/' + name;
        const std::string expected = CliCheck(path);
        const bool loaded = !Doc->FileName().empty(); // a file without a table is read all the same
        QToolButton* sign = link->Corner().Warning;
        if (!loaded) {
            EXPECT_FALSE(sign->isVisible());
            EXPECT_TRUE(link->FileDiagnostics().empty());
            continue;
        }
        const bool faulty
            = expected.find(": warning: ") != std::string::npos || expected.find(": error: ") != std::string::npos;
        EXPECT_EQ(sign->isVisible(), faulty);
        if (!faulty)
            continue;
        ++loadedWithDiagnostics;
        QTest::mouseClick(sign, Qt::LeftButton);
        TFormDetails* window = link->Window();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->CurrentTab(), TFormDetails::TabDiagnostics);
        EXPECT_EQ(window->DiagnosticsTable->rowCount(), static_cast<int>(link->FileDiagnostics().size()));
        EXPECT_EQ(pressCopy(), expected);
        window->SetCurrentTab(TFormDetails::TabSummary);
    }
    EXPECT_GE(loadedWithDiagnostics, 4);
}

} // namespace
