// The render window at work with the main window: when it renders, what it shows, and how the main window's
// progress bar, time label and "&Render" button follow.
#include "AppPaths.h"
#include "Notifier.h"
#include "RenderTrackBars.h"
#include "TDocument.h"
#include "TImage.h"
#include "TrackBarDegree.h"
#include "Uies.h"
#include "UiesRender.h"
#include "Viewer.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A minimal IES file: one lamp, the given angles and one candela row per horizontal angle.
QByteArray iesText(
    const std::vector<int>& horizontal, const std::vector<int>& vertical, const std::vector<std::vector<int>>& candela)
{
    auto join = [](const std::vector<int>& values) {
        QByteArray line;
        for (int v : values)
            line += QByteArray::number(v) + ' ';
        return line.trimmed() + "\r\n";
    };
    QByteArray text = "IESNA:LM-63-2002\r\n[TEST] render window\r\n[MANUFAC] none\r\nTILT=NONE\r\n";
    text += "1 1000 1 " + QByteArray::number(int(vertical.size())) + ' ' + QByteArray::number(int(horizontal.size()))
        + " 1 2 0.5 0.5 0\r\n1 1 100\r\n";
    text += join(vertical) + join(horizontal);
    for (const auto& row : candela)
        text += join(row);
    return text;
}

// Counts renders by the main window's progress bar appearing, and records its position at every paint.
class ProgressWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            ++renders;
        // Cast only for a paint: while the bar is being destroyed it is no longer a QProgressBar.
        if (event->type() == QEvent::Paint) {
            painted.push_back(static_cast<QProgressBar*>(watched)->value());
            eventLoopRan = eventLoopRan || timerFired;
        }
        return false;
    }
    int renders = 0;
    std::vector<int> painted;
    bool timerFired = false;
    bool eventLoopRan = false;
};

class RenderWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        setSettingsDirForTests(dir.path().toStdString());
        notifier::setSink([this](const QString& text) { messages.push_back(text); });
        ASSERT_TRUE(QDir(dir.path()).mkdir("files"));
        ASSERT_TRUE(QDir(dir.path()).mkdir("empty"));
        writeFile("one_plane.ies", iesText({ 0 }, { 0, 45, 90 }, { { 1000, 500, 0 } }));
        writeFile("four_planes.ies",
            iesText({ 0, 90, 180, 270 }, { 0, 30, 60, 90 },
                { { 900, 700, 300, 0 }, { 800, 800, 400, 50 }, { 600, 500, 500, 100 }, { 700, 650, 200, 10 } }));
        writeFile("all_zero.ies", iesText({ 0, 180 }, { 0, 90 }, { { 0, 0 }, { 0, 0 } }));
        writeFile("no_numbers.ies", "IESNA:LM-63-2002\r\nTILT=NONE\r\n");

        Doc = new TDocument;
        Form1 = new TForm1(*Doc);
        Form2 = new TForm2(*Doc);
        ConnectWindows(*Form1, *Form2);
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1)); // repaints reach only an exposed window
        Form1->SetDirectory(filesDir().toLocal8Bit());
        Form1->ProgressBarRender->installEventFilter(&watch);
        messages.clear();
    }
    void TearDown() override
    {
        delete Form2;
        delete Form1;
        Form1 = nullptr;
        delete Doc;
        notifier::setSink({});
    }

    // The document and the two windows, as the viewer holds them.
    TDocument* Doc = nullptr;
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;

    QString filesDir() const { return dir.filePath("files"); }
    void writeFile(const QString& name, const QByteArray& text) const
    {
        QFile file(dir.filePath("files/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void select(const QString& name)
    {
        const auto items = Form1->FileListBox1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        Form1->FileListBox1->setCurrentItem(items.first());
    }
    // Opens the render window the way "&Render" does and checks that the show rendered.
    void openWithFile(const QString& name, bool automaticUpdate)
    {
        Form1->SpeedButtonUpdate->setChecked(automaticUpdate);
        select(name);
        ASSERT_FALSE(Form2->isVisible());
        QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
        ASSERT_TRUE(Form2->isVisible());
        ASSERT_TRUE(messages.empty()) << messages.front().toStdString();
    }
    // Key releases count a moment after they arrive: waits for the renders to come to n.
    bool rendersReach(int n)
    {
        return QTest::qWaitFor([this, n] { return watch.renders == n; });
    }
    static QPoint handleCentre(QSlider* bar)
    {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.upsideDown = bar->invertedAppearance();
        return bar->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, bar).center();
    }

    QTemporaryDir dir;
    std::vector<QString> messages;
    ProgressWatch watch;
};

TEST_F(RenderWindow, TheFirstShowRendersAndClearsRenderDirty)
{
    EXPECT_TRUE(Form2->RenderDirty());
    openWithFile("one_plane.ies", true);
    EXPECT_EQ(watch.renders, 1);
    EXPECT_FALSE(Form2->RenderDirty());
    EXPECT_FALSE(Form2->Image1->picture().isNull());
    EXPECT_FALSE(Form1->ProgressBarRender->isVisible());
    EXPECT_TRUE(Form1->Label3->text().startsWith("Rendering time: "));
    EXPECT_TRUE(Form1->Label3->text().endsWith(" sec"));
    EXPECT_EQ(Form1->LastRenderedFile(), QDir(filesDir()).filePath("one_plane.ies").toStdString());
    EXPECT_EQ(Form1->LastRenderedPosition(), 0);
    EXPECT_FALSE(Form1->ButtonRender->isEnabled()); // automatic update on: the window follows by itself
}

TEST_F(RenderWindow, TheProgressBarIsRepaintedAtEveryStepWithoutRunningTheEventLoop)
{
    select("one_plane.ies");
    Form1->SpeedButtonUpdate->setChecked(false);
    // Bound to the watch, so the timer dies with this test if the render never lets the event loop run.
    QTimer::singleShot(0, &watch, [this] { watch.timerFired = true; });
    Form2->show();
    const std::vector<int> steps { 0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 220, 240, 260, 280, 300 };
    // Each step reaches the screen at least once (the bar may repaint itself as well).
    std::vector<int> shown = watch.painted;
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    EXPECT_EQ(shown, steps);
    EXPECT_FALSE(watch.eventLoopRan);
    EXPECT_FALSE(watch.timerFired);
    EXPECT_FALSE(Form1->ProgressBarRender->isVisible());
}

TEST_F(RenderWindow, ADragUpdatesTheLabelAtEveryStepAndRendersOnceAtTheRelease)
{
    openWithFile("one_plane.ies", true);
    std::vector<QString> labels;
    QObject::connect(Form2->TrackBar2, &QSlider::valueChanged, [&] { labels.push_back(Form2->Label2->text()); });
    const QPoint start = handleCentre(Form2->TrackBar2);
    QTest::mousePress(Form2->TrackBar2, Qt::LeftButton, {}, start);
    for (int dx = 1; Form2->TrackBar2->value() < 40 && dx < 150; ++dx)
        QTest::mouseMove(Form2->TrackBar2, start + QPoint(dx, 0));
    ASSERT_EQ(Form2->TrackBar2->value(), 40);
    EXPECT_EQ(watch.renders, 1); // nothing renders during the drag
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels.back(), "40");
    EXPECT_TRUE(Form2->RenderDirty());
    QTest::mouseRelease(Form2->TrackBar2, Qt::LeftButton, {}, handleCentre(Form2->TrackBar2));
    EXPECT_EQ(watch.renders, 2);
    EXPECT_FALSE(Form2->RenderDirty());
    EXPECT_FALSE(Form2->TrackBar2->isSliderDown());
    EXPECT_EQ(Form2->Label2->text(), "40");

    // Pressing and releasing the thumb without moving it renders nothing.
    QTest::mouseClick(Form2->TrackBar2, Qt::LeftButton, {}, handleCentre(Form2->TrackBar2));
    EXPECT_EQ(Form2->TrackBar2->value(), 40);
    EXPECT_EQ(watch.renders, 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(RenderWindow, AnArrowKeyRendersAtItsReleaseAndShiftAloneDoesNothing)
{
    openWithFile("one_plane.ies", true);
    Form2->TrackBarZoom->setFocus();
    QTest::keyPress(Form2->TrackBarZoom, Qt::Key_Right);
    EXPECT_EQ(Form2->TrackBarZoom->value(), 501);
    EXPECT_EQ(Form2->LabelZoom->text(), "9499");
    EXPECT_EQ(watch.renders, 1);
    QTest::keyRelease(Form2->TrackBarZoom, Qt::Key_Right);
    EXPECT_TRUE(rendersReach(2)) << "a moment after the release";

    QTest::keyClick(Form2->TrackBarZoom, Qt::Key_Shift);
    QTest::qWait(250);
    EXPECT_EQ(watch.renders, 2);

    // A held key: the auto-repeated presses move the track bar, only the real release renders.
    auto send = [this](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, Qt::Key_Left, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(Form2->TrackBarZoom, &event);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < 3; ++i) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    EXPECT_EQ(watch.renders, 2);
    send(QEvent::KeyRelease, false);
    EXPECT_EQ(Form2->TrackBarZoom->value(), 497);
    EXPECT_TRUE(rendersReach(3));
}

TEST_F(RenderWindow, AKeyHeldUnderX11RendersOnceAfterTheLastRelease)
{
    // Under X11 an auto-repeat's release can arrive before its press is queued, and then neither is marked
    // as auto-repeated: the track bar sees press, release, press, release... while the key is held.
    openWithFile("four_planes.ies", true);
    for (QSlider* bar :
        std::initializer_list<QSlider*> { Form2->TrackBar2, Form2->TrackBarZoom, Form1->TrackBarDegree }) {
        SCOPED_TRACE(bar->metaObject()->className());
        const int before = watch.renders;
        const int start = bar->value();
        auto send = [bar](QEvent::Type type) {
            QKeyEvent event(type, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(bar, &event);
        };
        send(QEvent::KeyPress);
        for (int i = 0; i < 2; ++i) {
            send(QEvent::KeyRelease);
            send(QEvent::KeyPress);
        }
        send(QEvent::KeyRelease);
        EXPECT_EQ(bar->value(), start + 3);
        EXPECT_TRUE(rendersReach(before + 1));
        QTest::qWait(250);
        EXPECT_EQ(watch.renders, before + 1);
    }
    EXPECT_EQ(Form1->LastRenderedPosition(), 3);
}

TEST_F(RenderWindow, ResetButtonsAndRadiosityRenderAtOnce)
{
    openWithFile("one_plane.ies", true);
    QTest::mouseClick(Form2->Button2, Qt::LeftButton); // already 15: renders all the same
    EXPECT_EQ(Form2->TrackBar2->value(), 15);
    EXPECT_EQ(watch.renders, 2);

    Form2->TrackBarZoom->setValue(7000);
    QTest::mouseClick(Form2->ButtonResetZoom, Qt::LeftButton);
    EXPECT_EQ(Form2->TrackBarZoom->value(), 500);
    EXPECT_EQ(Form2->LabelZoom->text(), "9500");
    EXPECT_EQ(watch.renders, 3);

    const QImage without = Form2->Image1->picture();
    QTest::mouseClick(Form2->CheckBoxRadiosity, Qt::LeftButton);
    ASSERT_TRUE(Form2->CheckBoxRadiosity->isChecked());
    EXPECT_EQ(watch.renders, 4);
    // Radiosity lights the directions the luminaire leaves dark, such as straight up.
    EXPECT_EQ(qGray(without.pixel(150, 50)), 0);
    EXPECT_GT(qGray(Form2->Image1->picture().pixel(150, 50)), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(RenderWindow, ClosingEnablesRenderAndShowingAgainRendersAgain)
{
    struct Case {
        bool automaticUpdate;
        bool enabledWhileOpen;
    };
    for (const Case c : { Case { true, false }, Case { false, true } }) {
        SCOPED_TRACE(c.automaticUpdate);
        const int before = watch.renders;
        if (IsEmpty(Doc->IESData()))
            openWithFile("one_plane.ies", c.automaticUpdate);
        else {
            Form1->SpeedButtonUpdate->setChecked(c.automaticUpdate);
            Form2->show();
        }
        EXPECT_EQ(watch.renders, before + 1);
        EXPECT_EQ(Form1->ButtonRender->isEnabled(), c.enabledWhileOpen);
        QTest::mouseClick(Form2->Button1, Qt::LeftButton);
        EXPECT_FALSE(Form2->isVisible());
        EXPECT_TRUE(Form1->ButtonRender->isEnabled());
        Form2->show(); // nothing changed, yet showing renders
        EXPECT_EQ(watch.renders, before + 2);
        Form2->close(); // the window's own close command does the same as "&Close"
        EXPECT_FALSE(Form2->isVisible());
        EXPECT_TRUE(Form1->ButtonRender->isEnabled());
    }
}

TEST_F(RenderWindow, TheRenderButtonRendersOnlyWhenThePlaneOrTheFileChanged)
{
    openWithFile("four_planes.ies", false);
    ASSERT_EQ(watch.renders, 1);
    ASSERT_TRUE(Form1->ButtonRender->isEnabled());
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton); // same plane, same file: only raised
    EXPECT_EQ(watch.renders, 1);

    Form1->TrackBarDegree->setValue(2);
    EXPECT_EQ(watch.renders, 1); // automatic update off: the window waits for "&Render"
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    EXPECT_EQ(watch.renders, 2);
    EXPECT_EQ(Form1->LastRenderedPosition(), 2);

    Form1->SetDirectory(dir.filePath("empty").toLocal8Bit()); // nothing selected now, the data stays loaded
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    EXPECT_EQ(watch.renders, 3);
    EXPECT_EQ(Form1->LastRenderedFile(), "");
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    EXPECT_EQ(watch.renders, 3);
    EXPECT_TRUE(messages.empty());
}

TEST_F(RenderWindow, AutomaticUpdateFollowsFilesAndDegreeReleasesOnlyWhileTheWindowIsOpen)
{
    openWithFile("one_plane.ies", true);
    ASSERT_EQ(watch.renders, 1);
    select("four_planes.ies");
    EXPECT_EQ(watch.renders, 2);
    EXPECT_EQ(Form1->LastRenderedFile(), QDir(filesDir()).filePath("four_planes.ies").toStdString());

    QTest::keyClick(Form1->TrackBarDegree, Qt::Key_Right);
    EXPECT_EQ(Form1->TrackBarDegree->value(), 1);
    EXPECT_TRUE(rendersReach(3));
    EXPECT_EQ(Form1->LastRenderedPosition(), 1);

    QTest::mouseClick(Form2->Button1, Qt::LeftButton);
    QTest::keyClick(Form1->TrackBarDegree, Qt::Key_Right);
    QTest::qWait(250);
    select("one_plane.ies");
    EXPECT_EQ(watch.renders, 3); // hidden: nothing renders
    EXPECT_TRUE(messages.empty());
}

TEST_F(RenderWindow, MinimisedOnItsOwnItComesBackButItGoesDownWithTheMainWindow)
{
    openWithFile("one_plane.ies", true);
    Form2->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Form2->isMinimized(); }));
    EXPECT_TRUE(Form2->isVisible());

    Form1->setWindowState(Qt::WindowMinimized);
    Form2->setWindowState(Qt::WindowMinimized);
    QTest::qWait(100);
    EXPECT_TRUE(Form2->isMinimized());
}

TEST_F(RenderWindow, AllZeroPlanesReportTheFaultKeepThePictureAndStillWriteTheTime)
{
    openWithFile("one_plane.ies", true);
    const QImage before = Form2->Image1->picture();
    Form1->Label3->clear();
    select("all_zero.ies"); // automatic update renders the new file at once
    EXPECT_EQ(messages, std::vector<QString> { "Invalid floating point operation" });
    EXPECT_EQ(watch.renders, 2);
    EXPECT_EQ(Form2->Image1->picture(), before);
    EXPECT_FALSE(Form1->ProgressBarRender->isVisible());
    EXPECT_TRUE(Form1->Label3->text().startsWith("Rendering time: "));
    EXPECT_FALSE(Form2->RenderDirty());

    // A release after a change tries again, reports again, and never leaves the slider pressed, not even
    // while the message is on screen.
    messages.clear();
    std::vector<bool> downWhileReported;
    notifier::setSink([&](const QString& text) {
        messages.push_back(text);
        downWhileReported.push_back(Form2->TrackBar2->isSliderDown());
    });
    const QPoint start = handleCentre(Form2->TrackBar2);
    QTest::mousePress(Form2->TrackBar2, Qt::LeftButton, {}, start);
    for (int dx = 1; Form2->TrackBar2->value() == 15 && dx < 50; ++dx)
        QTest::mouseMove(Form2->TrackBar2, start + QPoint(dx, 0));
    QTest::mouseRelease(Form2->TrackBar2, Qt::LeftButton, {}, handleCentre(Form2->TrackBar2));
    EXPECT_EQ(messages, std::vector<QString> { "Invalid floating point operation" });
    EXPECT_EQ(downWhileReported, std::vector<bool> { false });
    EXPECT_FALSE(Form2->TrackBar2->isSliderDown());
    EXPECT_EQ(Form2->Image1->picture(), before);
}

TEST_F(RenderWindow, AWindowLeftOpenAfterAFailedLoadAsksForAFileInsteadOfRendering)
{
    openWithFile("one_plane.ies", true);
    select("no_numbers.ies"); // the load fails and leaves no record
    ASSERT_TRUE(IsEmpty(Doc->IESData()));
    messages.clear();
    const int before = watch.renders;
    QTest::mouseClick(Form2->Button2, Qt::LeftButton);
    EXPECT_EQ(messages, std::vector<QString> { "Please select file" });
    EXPECT_EQ(watch.renders, before);
    EXPECT_FALSE(Form2->Image1->picture().isNull());
}

QByteArray pgmPixels(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    // "P5", width, height, maximum, each followed by one blank; the pixels follow.
    int fields = 0;
    qsizetype at = 0;
    while (fields < 4 && at < data.size()) {
        while (at < data.size() && QChar(data[at]).isSpace())
            ++at;
        while (at < data.size() && !QChar(data[at]).isSpace())
            ++at;
        ++fields;
    }
    return data.mid(at + 1);
}

TEST_F(RenderWindow, ThePictureEqualsTheCommandLineRender)
{
    struct Case {
        int plane;
        int brightness;
        int zoom;
        bool radiosity;
    };
    openWithFile("four_planes.ies", false);
    for (const Case c : { Case { 0, 15, 500, false }, Case { 1, 40, 2000, true }, Case { 3, 100, 1, false } }) {
        SCOPED_TRACE(c.plane);
        Form1->TrackBarDegree->setValue(c.plane);
        Form2->TrackBar2->setValue(c.brightness);
        Form2->TrackBarZoom->setValue(c.zoom);
        Form2->CheckBoxRadiosity->setChecked(c.radiosity);
        Form2->DoRender();
        const QString out = dir.filePath("cli.pgm");
        QStringList arguments { "render", QDir(filesDir()).filePath("four_planes.ies"), "--plane",
            QString::number(c.plane), "--brightness", QString::number(c.brightness), "--zoom", QString::number(c.zoom),
            "-o", out };
        if (c.radiosity)
            arguments << "--radiosity";
        QProcess cli;
        cli.start(GONILUX_CLI, arguments);
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        const QImage picture = Form2->Image1->picture();
        ASSERT_EQ(picture.format(), QImage::Format_Grayscale8);
        QByteArray pixels;
        for (int row = 0; row < picture.height(); ++row)
            pixels.append(reinterpret_cast<const char*>(picture.constScanLine(row)), picture.width());
        EXPECT_EQ(pgmPixels(out), pixels);
    }
}

} // namespace
