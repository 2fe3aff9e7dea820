// The goniogram controls, the render button and the about message of the main window.
#include "mainwindow_harness.h"

#include <QFrame>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace {

long double fileMaximum(const tIES& ies)
{
    long double m = 0;
    for (const auto& row : ies.Candela)
        for (long double v : row)
            m = std::max(m, v);
    return m;
}

} // namespace

class MainWindowViewTest : public MainWindowTest {
protected:
    // The main window with a 37-plane file loaded.
    void startWithWasher()
    {
        copySample("washer_full_360.ies", "washer.ies");
        copySample("downlight_axial.ies", "axial.ies");
        start();
        openFolder(filesDir);
        clickFile("washer.ies");
        ASSERT_EQ(Doc->IESData().Candela.size(), 37u);
    }

    void moveTrackBarTo(int plane)
    {
        Form1->TrackBarDegree->setFocus();
        while (Form1->TrackBarDegree->value() < plane)
            QTest::keyClick(Form1->TrackBarDegree, Qt::Key_Right);
        ASSERT_EQ(Form1->TrackBarDegree->value(), plane);
    }
};

TEST_F(MainWindowViewTest, LayoutFollowsTheFormDesign)
{
    start();
    EXPECT_EQ(Form1->size(), QSize(720, 401));
    EXPECT_EQ(Form1->minimumSize(), QSize(500, 190));
    struct Placement {
        QWidget* control;
        QWidget* parent;
        QRect geometry;
    };
    const Placement placements[] = {
        { Form1->PanelAll, Form1, QRect(0, 0, 409, 401) },
        { Form1->PanelImage, Form1, QRect(409, 0, 311, 401) },
        { Form1->PanelTop, Form1->PanelAll, QRect(0, 0, 409, 104) },
        { Form1->PanelDirFileDrive, Form1->PanelAll, QRect(0, 104, 409, 297) },
        { Form1->ProgressBarRender, Form1->PanelTop, QRect(4, 85, 253, 16) },
        { Form1->ButtonRender, Form1->PanelTop, QRect(260, 83, 75, 20) },
        { Form1->SpeedButtonUpdate, Form1->PanelTop, QRect(340, 83, 20, 20) },
        { Form1->SpeedButtonFit, Form1->PanelTop, QRect(362, 83, 20, 20) },
        { Form1->SpeedButtonOrtho, Form1->PanelTop, QRect(384, 83, 20, 20) },
        { Form1->PanelDriver, Form1->PanelDirFileDrive, QRect(2, 2, 405, 31) },
        { Form1->PanelDegree, Form1->PanelDriver, QRect(144, 0, 261, 31) },
        { Form1->TrackBarDegree, Form1->PanelDegree, QRect(60, 2, 193, 25) },
        { Form1->Splitter1, Form1->PanelDirFileDrive, QRect(2, 33, 405, 262) },
    };
    for (const auto& p : placements) {
        SCOPED_TRACE(p.control->metaObject()->className());
        EXPECT_EQ(p.control->parentWidget(), p.parent);
        EXPECT_EQ(p.control->geometry(), p.geometry);
    }
    EXPECT_EQ(Form1->Label1->pos(), QPoint(8, 5));
    EXPECT_EQ(Form1->Label3->pos(), QPoint(118, 86));
    EXPECT_EQ(Form1->Label4->pos(), QPoint(24, 8));
    EXPECT_EQ(Form1->LabelAxial->pos(), QPoint(72, 8));
    EXPECT_EQ(Form1->DirectoryListBox1->width(), 207);
    EXPECT_EQ(Form1->Splitter1->handleWidth(), 3);
    EXPECT_EQ(Form1->ButtonRender->text(), QStringLiteral("&Render"));
    EXPECT_FALSE(Form1->ProgressBarRender->isVisible());
    EXPECT_EQ(Form1->ProgressBarRender->maximum(), 300);
    EXPECT_TRUE(Form1->Label3->text().isEmpty());
    EXPECT_EQ(Form1->TrackBarDegree->pageStep(), 2);
    EXPECT_EQ(Form1->TrackBarDegree->tickPosition(), QSlider::TicksBothSides);
    for (QToolButton* b : { Form1->SpeedButtonUpdate, Form1->SpeedButtonFit, Form1->SpeedButtonOrtho }) {
        EXPECT_TRUE(b->isCheckable());
        EXPECT_TRUE(b->autoRaise());
        EXPECT_FALSE(b->icon().isNull());
    }
    EXPECT_EQ(Form1->SpeedButtonUpdate->toolTip(), QStringLiteral("Automatic update render"));
    EXPECT_EQ(Form1->SpeedButtonFit->toolTip(), QStringLiteral("Fit goniogram"));
    EXPECT_EQ(Form1->SpeedButtonOrtho->toolTip(), QStringLiteral("Show orthogonal diagram"));

    // Focus order: following the focus chain from each control, the next of these five is the next in order.
    const QList<QWidget*> order = { Form1->ButtonRender, Form1->DriveComboBox1, Form1->TrackBarDegree,
        Form1->DirectoryListBox1, Form1->FileListBox1 };
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (!order.contains(next))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << i;
    }
    for (QWidget* w : { static_cast<QWidget*>(Form1->SpeedButtonFit), static_cast<QWidget*>(Form1->PaintBox1) })
        EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainWindowViewTest, GoniogramIsTheLargestSquareInItsPanel)
{
    start();
    struct Case {
        QSize panel;
        QRect box;
    };
    const Case cases[] = {
        { { 303, 374 }, { 4, 39, 299, 299 } },
        { { 311, 401 }, { 4, 49, 307, 307 } },
        { { 500, 300 }, { 104, 4, 296, 296 } },
        // The largest square would run under the details corner (82 x 28 at the top right): it keeps below it.
        { { 301, 301 }, { 28, 28, 249, 249 } },
        { { 871, 900 }, { 13, 28, 848, 848 } },
        { { 400, 330 }, { 63, 28, 278, 278 } },
    };
    for (const auto& c : cases) {
        Form1->resize(409 + c.panel.width(), c.panel.height());
        ASSERT_EQ(Form1->PanelImage->size(), c.panel);
        EXPECT_EQ(Form1->PaintBox1->geometry(), c.box);
    }
}

TEST_F(MainWindowViewTest, FitSwitchedOffRecomputesTheScale)
{
    startWithWasher();
    ASSERT_TRUE(Form1->SpeedButtonFit->isChecked());
    EXPECT_EQ(Doc->MaxIntensity(), 0) << "fit down: the load leaves the common scale alone";
    const int before = Form1->PaintBox1->DrawingCount();
    QTest::mouseClick(Form1->SpeedButtonFit, Qt::LeftButton);
    EXPECT_FALSE(Form1->SpeedButtonFit->isChecked());
    EXPECT_EQ(Doc->MaxIntensity(), fileMaximum(Doc->IESData()));
    EXPECT_EQ(Form1->PaintBox1->DrawingCount(), before + 2);
}

TEST_F(MainWindowViewTest, OrthoRedrawsOnlyForPlaneZeroOfAMultiPlaneFile)
{
    startWithWasher();
    int before = Form1->PaintBox1->DrawingCount();
    QTest::mouseClick(Form1->SpeedButtonOrtho, Qt::LeftButton);
    EXPECT_EQ(Form1->PaintBox1->DrawingCount(), before + 2) << "plane 0: grid and diagram";

    moveTrackBarTo(2);
    before = Form1->PaintBox1->DrawingCount();
    QTest::mouseClick(Form1->SpeedButtonOrtho, Qt::LeftButton);
    EXPECT_EQ(Form1->PaintBox1->DrawingCount(), before) << "plane 2: nothing is drawn";

    clickFile("axial.ies");
    before = Form1->PaintBox1->DrawingCount();
    QTest::mouseClick(Form1->SpeedButtonOrtho, Qt::LeftButton);
    EXPECT_EQ(Form1->PaintBox1->DrawingCount(), before) << "a single plane has no orthogonal pair";
}

TEST_F(MainWindowViewTest, DragRedrawsAtEachStepAndRendersOnceAtRelease)
{
    startWithWasher();
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    ASSERT_TRUE(Form2->isVisible());
    ASSERT_TRUE(Form1->SpeedButtonUpdate->isChecked());
    EXPECT_FALSE(Form1->ButtonRender->isEnabled()) << "automatic update with the render window open";
    ASSERT_EQ(Form1->LastRenderedPosition(), 0);

    const int rendersBefore = Form1->RendersRequested();
    QTest::mousePress(Form1->TrackBarDegree, Qt::LeftButton, {}, thumbAt(Form1->TrackBarDegree, 0));
    for (int plane = 1; plane <= 3; ++plane) {
        const int drawingsBefore = Form1->PaintBox1->DrawingCount();
        QTest::mouseMove(Form1->TrackBarDegree, thumbAt(Form1->TrackBarDegree, plane));
        EXPECT_EQ(Form1->TrackBarDegree->value(), plane);
        EXPECT_EQ(Form1->PaintBox1->DrawingCount(), drawingsBefore + 2) << "redrawn at plane " << plane;
        EXPECT_EQ(Form1->LastDrawnPosition(), plane);
        EXPECT_EQ(Form1->RendersRequested(), rendersBefore) << "no render while dragging";
    }
    QTest::mouseRelease(Form1->TrackBarDegree, Qt::LeftButton, {}, thumbAt(Form1->TrackBarDegree, 3));
    EXPECT_EQ(Form1->RendersRequested(), rendersBefore + 1);
    EXPECT_EQ(Form1->LastRenderedPosition(), 3);
    EXPECT_FALSE(Form1->TrackBarDegree->isSliderDown()) << "the slider lets go of the mouse";

    // Pressing and releasing the thumb where it stands neither redraws nor renders.
    const int drawingsBefore = Form1->PaintBox1->DrawingCount();
    QTest::mousePress(Form1->TrackBarDegree, Qt::LeftButton, {}, thumbAt(Form1->TrackBarDegree, 3));
    QTest::mouseRelease(Form1->TrackBarDegree, Qt::LeftButton, {}, thumbAt(Form1->TrackBarDegree, 3));
    EXPECT_EQ(Form1->PaintBox1->DrawingCount(), drawingsBefore);
    EXPECT_EQ(Form1->RendersRequested(), rendersBefore + 1);

    // An arrow key: one redraw at the change, one render at the release.
    Form1->TrackBarDegree->setFocus();
    QTest::keyPress(Form1->TrackBarDegree, Qt::Key_Right);
    EXPECT_EQ(Form1->TrackBarDegree->value(), 4);
    EXPECT_EQ(Form1->PaintBox1->DrawingCount(), drawingsBefore + 2);
    EXPECT_EQ(Form1->RendersRequested(), rendersBefore + 1);
    QTest::keyRelease(Form1->TrackBarDegree, Qt::Key_Right);
    // The release counts a moment later, once no auto-repeat press followed it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form1->RendersRequested() == rendersBefore + 2; }));
    EXPECT_EQ(Form1->LastRenderedPosition(), 4);

    // Shift alone after a render does nothing.
    QTest::keyClick(Form1->TrackBarDegree, Qt::Key_Shift);
    QTest::qWait(250);
    EXPECT_EQ(Form1->RendersRequested(), rendersBefore + 2);
}

TEST_F(MainWindowViewTest, TrackBarMovesWithoutRenderWhileAutomaticUpdateIsOff)
{
    startWithWasher();
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    ASSERT_TRUE(Form2->isVisible());
    QTest::mouseClick(Form1->SpeedButtonUpdate, Qt::LeftButton);
    ASSERT_FALSE(Form1->SpeedButtonUpdate->isChecked());
    EXPECT_TRUE(Form1->ButtonRender->isEnabled());
    const int rendersBefore = Form1->RendersRequested();
    moveTrackBarTo(2);
    EXPECT_EQ(Form1->RendersRequested(), rendersBefore);

    // Switching automatic update on brings the open render window up to date at once.
    QTest::mouseClick(Form1->SpeedButtonUpdate, Qt::LeftButton);
    EXPECT_EQ(Form1->RendersRequested(), rendersBefore + 1);
    EXPECT_EQ(Form1->LastRenderedPosition(), 2);
    EXPECT_FALSE(Form1->ButtonRender->isEnabled());
}

TEST_F(MainWindowViewTest, RenderButtonFollowsTheRenderRule)
{
    start();
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList { "Please select file" });
    EXPECT_FALSE(Form2->isVisible());

    messages.clear();
    copySample("washer_full_360.ies", "washer.ies");
    QDir(filesDir).mkdir("sub");
    openFolder(filesDir);
    clickFile("washer.ies");
    QTest::mouseClick(Form1->SpeedButtonUpdate, Qt::LeftButton); // automatic update off
    ASSERT_FALSE(Form1->SpeedButtonUpdate->isChecked());

    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    ASSERT_TRUE(Form2->isVisible()) << "the first click shows the render window, which renders";
    EXPECT_EQ(Form1->LastRenderedFile(), Form1->SelectedFileName());
    EXPECT_TRUE(Form1->ButtonRender->isEnabled());

    struct Step {
        const char* what;
        std::function<void()> act;
        bool renders;
    };
    const Step steps[] = {
        { "same plane, same file: only raised", [] {}, false },
        { "another plane", [this] { moveTrackBarTo(1); }, true },
        { "same again", [] {}, false },
        { "another folder, nothing selected", [this] { openFolder(filesDir + "/sub"); }, true },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const int before = Form1->RendersRequested();
        QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
        EXPECT_EQ(Form1->RendersRequested(), before + (step.renders ? 1 : 0));
    }
    EXPECT_TRUE(Form1->LastRenderedFile().empty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    // Closing the render window enables the button whatever the switch says.
    QTest::mouseClick(Form1->SpeedButtonUpdate, Qt::LeftButton);
    Form2->close();
    EXPECT_TRUE(Form1->ButtonRender->isEnabled());
}

TEST_F(MainWindowViewTest, LoadingRendersOnlyWithTheRenderWindowOpenAndAutomaticUpdateOn)
{
    startWithWasher();
    int before = Form1->RendersRequested();
    clickFile("axial.ies");
    EXPECT_EQ(Form1->RendersRequested(), before) << "render window hidden";

    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    ASSERT_TRUE(Form2->isVisible());
    before = Form1->RendersRequested();
    clickFile("washer.ies");
    EXPECT_EQ(Form1->RendersRequested(), before + 1);
    EXPECT_EQ(Form1->LastRenderedFile(), Form1->SelectedFileName());
}

TEST_F(MainWindowViewTest, ClickOnTheDiagramShowsTheAboutMessage)
{
    start();
    QTest::mouseClick(Form1->PaintBox1, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(messages.size(), 1);
    const QStringList lines = messages.first().split('\r');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("Gonilux version 1.4"));
    EXPECT_EQ(lines[1],
        QStringLiteral("Improved quality of rendering, fix bug with symmetrical goniograms, add small feature:"));
    EXPECT_EQ(lines[2],
        QStringLiteral("automatic update, fit screen the goniogram, show frontal and orthogonal Gonio diagrams"));
    EXPECT_EQ(lines[3], QStringLiteral("at the same time."));
    EXPECT_FALSE(messages.first().contains('\n'));
    EXPECT_TRUE(lines[6].contains(QStringLiteral("2026")));

    // The right button is not a click.
    QTest::mouseClick(Form1->PaintBox1, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(MainWindowViewTest, TheAboutBoxShowsEachLineWhole)
{
    const std::unique_ptr<QMessageBox> box = notifier::makeBox(TForm1::AboutText(), notifier::Lines::Whole);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    int widest = 0;
    for (const QString& line : TForm1::AboutText().split('\r'))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    EXPECT_GE(label->width(), widest) << "a line was wrapped";
    EXPECT_LT(label->height(), 8 * label->fontMetrics().lineSpacing()) << "seven lines";

    // Other messages wrap as usual and never read their text as markup.
    const auto plain = notifier::makeBox(QStringLiteral("<b>not bold</b>"), notifier::Lines::Wrapped);
    EXPECT_EQ(plain->textFormat(), Qt::PlainText);
}

TEST_F(MainWindowViewTest, RepaintStartsFromTheBoxFontWhileOtherDrawingsKeepTheLastState)
{
    startWithWasher();
    EXPECT_EQ(Form1->PaintBox1->font.face, "arial") << "the diagram leaves its label font in place";

    // A drawing by a handler starts from whatever the last drawing left...
    Form1->PaintBox1->font.height = 3;
    QTest::mouseClick(Form1->SpeedButtonFit, Qt::LeftButton);
    EXPECT_EQ(Form1->PaintBox1->font.height, 3);

    // ...while a real repaint starts from the box's own 11-pixel font (the rings here are far apart).
    QCoreApplication::processEvents(); // the drawing above reaches the screen as it is
    EXPECT_EQ(Form1->PaintBox1->font.height, 3);
    Form1->PaintBox1->repaint();
    EXPECT_EQ(Form1->PaintBox1->font.height, 11);
    EXPECT_GT(redPixels(Form1->PaintBox1->Image()), 100);
}
