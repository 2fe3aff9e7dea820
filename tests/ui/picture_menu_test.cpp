// The context menus of the goniogram and of the render picture: the clipboard, and saved files byte for byte
// equal to the command line's pictures. The suite also runs at a screen scale of 2.
#include "RenderTrackBars.h"
#include "SaveChooser.h"
#include "TImage.h"
#include "mainwindow_harness.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PictureMenuTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        savechooser::setChooser([this](const QString&, const QString&) { return chosenPath; });
        // Four planes at 0, 90, 180 and 270 degrees, vertical angles 0, 30, 60 and 90.
        writeRaw(QFile::encodeName(filesDir + "/four.ies"),
            "IESNA:LM-63-2002\r\n[TEST] menus\r\nTILT=NONE\r\n1 1000 1 4 4 1 2 0.5 0.5 0\r\n1 1 100\r\n"
            "0 30 60 90\r\n0 90 180 270\r\n900 700 300 0\r\n800 800 400 50.5\r\n600 500 500 100\r\n"
            "700 650 200 10\r\n");
        copySample("spot_full_22_5.ies", "spot.ies");
        start();
        openFolder(filesDir);
    }
    void TearDown() override
    {
        savechooser::setChooser({});
        MainWindowTest::TearDown();
    }

    // Right-clicks widget and triggers the entry text of the menu that opens; false when no such entry is
    // enabled.
    bool chooseFromMenu(QWidget* widget, const QString& text)
    {
        // The right button's press, then the context-menu request the window system makes of it.
        const QPoint at(widget->width() / 2, widget->height() / 2);
        QTest::mousePress(widget, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &request);
        QTest::mouseRelease(widget, Qt::RightButton, {}, at);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return false;
        QAction* found = nullptr;
        for (QAction* action : menu->actions())
            found = action->text() == text ? action : found;
        const bool usable = found && found->isEnabled();
        if (usable)
            found->trigger();
        menu->close();
        return usable;
    }

    QByteArray runCli(const QStringList& arguments)
    {
        QProcess cli;
        cli.start(QStringLiteral(GONILUX_CLI), arguments);
        EXPECT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return fileBytes(arguments[arguments.indexOf("-o") + 1]);
    }

    void setSwitch(QToolButton* button, bool down)
    {
        if (button->isChecked() != down)
            QTest::mouseClick(button, Qt::LeftButton);
    }

    QString chosenPath;
};

struct GoniogramCase {
    const char* file;
    int plane;
    bool fit;
    bool ortho;
    const char* name; // the saved file's name; its extension picks the format
};

TEST_F(PictureMenuTest, SavedGoniogramEqualsTheCommandLinePicture)
{
    const GoniogramCase cases[] = {
        { "four.ies", 0, true, true, "four.png" },
        { "four.ies", 1, false, false, "four_plane1.PNG" },
        { "four.ies", 0, false, true, "four.svg" },
        { "spot.ies", 3, true, false, "spot.png" },
    };
    for (const GoniogramCase& c : cases) {
        SCOPED_TRACE(c.name);
        clickFile(c.file);
        setSwitch(Form1->SpeedButtonFit, c.fit);
        setSwitch(Form1->SpeedButtonOrtho, c.ortho);
        Form1->TrackBarDegree->setValue(c.plane);
        ASSERT_EQ(Doc->SelectedPlane(), c.plane);
        chosenPath = temp.path() + '/' + c.name;
        ASSERT_TRUE(chooseFromMenu(Form1->PaintBox1, "&Save image as..."));
        ASSERT_TRUE(messages.isEmpty()) << messages.first();
        const QString size = QStringLiteral("%1x%2").arg(Form1->PaintBox1->width()).arg(Form1->PaintBox1->height());
        const QString cliOut = temp.path() + "/cli." + QFileInfo(c.name).suffix().toLower();
        const QByteArray expected = runCli({ "goniogram", filesDir + '/' + c.file, "--plane", QString::number(c.plane),
            "--size", size, c.fit ? "--fit" : "--no-fit", c.ortho ? "--ortho" : "--no-ortho", "-o", cliOut });
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(fileBytes(chosenPath) == expected);
    }
}

TEST_F(PictureMenuTest, GoniogramCopiesThePictureShownAndTheValues)
{
    clickFile("four.ies");
    setSwitch(Form1->SpeedButtonOrtho, true);
    Form1->TrackBarDegree->setValue(0);
    QSignalSpy clipboardChanged(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    ASSERT_TRUE(chooseFromMenu(Form1->PaintBox1, "&Copy image"));
    const QImage copied = QGuiApplication::clipboard()->image();
    // The picture at the screen's resolution: the paint box's size times its pixel ratio.
    EXPECT_EQ(copied.size(), Form1->PaintBox1->size() * Form1->PaintBox1->devicePixelRatioF());
    EXPECT_TRUE(copied.convertToFormat(QImage::Format_RGB32) == Form1->PaintBox1->Image());
    EXPECT_GT(redPixels(copied), 100);

    ASSERT_TRUE(chooseFromMenu(Form1->PaintBox1, "Copy &values"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
        "Angle\tC 0\tC 180\tC 90\tC 270\n0\t900\t600\t800\t700\n30\t700\t500\t800\t650\n"
        "60\t300\t500\t400\t200\n90\t0\t100\t50"
            + QString(QLocale::system().decimalPoint()) + "5\t10\n");
    EXPECT_EQ(clipboardChanged.count(), 2);
    // The right button leaves the left click's about message alone.
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PictureMenuTest, SaveNeedsAKnownExtensionAndAWritablePlace)
{
    clickFile("four.ies");
    const struct {
        QString path;
        bool written;
        bool message;
    } cases[] = {
        { temp.path() + "/no_extension", true, false }, // saved as no_extension.png
        { temp.path() + "/wrong.jpg", false, true }, { temp.path() + "/missing/folder/x.png", false, true },
        { QString(), false, false }, // cancelled
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        messages.clear();
        chosenPath = c.path;
        ASSERT_TRUE(chooseFromMenu(Form1->PaintBox1, "&Save image as..."));
        EXPECT_EQ(messages.size(), c.message ? 1 : 0);
        if (c.written) {
            EXPECT_TRUE(fileBytes(c.path + ".png").startsWith("\x89PNG"));
        } else if (!c.path.isEmpty()) {
            EXPECT_FALSE(QFile::exists(c.path));
        }
    }
}

struct RenderCase {
    int plane, brightness, zoom;
    bool radiosity;
    const char* name;
};

TEST_F(PictureMenuTest, SavedRenderEqualsTheCommandLineRender)
{
    clickFile("four.ies");
    // Nothing to copy or save before the first render.
    Form2->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form2));
    Form2->Image1->setPicture(QImage());
    EXPECT_FALSE(chooseFromMenu(Form2->Image1, "&Save image as..."));
    const RenderCase cases[] = {
        { 0, 15, 500, false, "render.png" },
        { 1, 40, 2000, true, "render.pgm" },
        { 3, 100, 1, false, "render3.PGM" },
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form1->TrackBarDegree->setValue(c.plane);
        Form2->TrackBar2->setValue(c.brightness);
        Form2->TrackBarZoom->setValue(c.zoom);
        Form2->CheckBoxRadiosity->setChecked(c.radiosity);
        Form2->DoRender();
        chosenPath = temp.path() + '/' + c.name;
        ASSERT_TRUE(chooseFromMenu(Form2->Image1, "&Save image as..."));
        ASSERT_TRUE(messages.isEmpty()) << messages.first();
        QStringList arguments { "render", filesDir + "/four.ies", "--plane", QString::number(c.plane), "--brightness",
            QString::number(c.brightness), "--zoom", QString::number(c.zoom), "-o",
            temp.path() + "/cli." + QFileInfo(c.name).suffix().toLower() };
        if (c.radiosity)
            arguments << "--radiosity";
        const QByteArray expected = runCli(arguments);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(fileBytes(chosenPath) == expected);
    }
    ASSERT_TRUE(chooseFromMenu(Form2->Image1, "&Copy image"));
    EXPECT_TRUE(
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_Grayscale8) == Form2->Image1->picture());
}

TEST_F(PictureMenuTest, RenderPictureIsShownInWholeDevicePixels)
{
    const struct {
        qreal ratio;
        int factor;
    } factors[] = { { 1.0, 1 }, { 1.25, 1 }, { 1.5, 1 }, { 2.0, 2 }, { 2.5, 2 }, { 3.0, 3 } };
    for (const auto& f : factors)
        EXPECT_EQ(TImage::PixelFactor(f.ratio), f.factor) << f.ratio;

    clickFile("four.ies");
    Form2->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form2));
    Form2->DoRender();
    TImage* image = Form2->Image1;
    const int factor = TImage::PixelFactor(image->devicePixelRatioF());
    const QImage shown = image->shownPicture();
    // Logical size unchanged; each picture pixel a square of factor x factor equal device pixels.
    EXPECT_EQ(image->size(), QSize(300, 300));
    ASSERT_EQ(shown.size(), QSize(300, 300) * factor);
    EXPECT_EQ(shown.deviceIndependentSize().toSize(), QSize(300, 300));
    const QImage& picture = image->picture();
    int mismatches = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            mismatches += shown.pixel(x, y) != picture.pixel(x / factor, y / factor) ? 1 : 0;
    EXPECT_EQ(mismatches, 0);
}

} // namespace
