// The shared document and the links between the windows: what the document announces, how the main window follows
// it, and what the render window reports back.
#include "mainwindow_harness.h"

#include "PlaneSampling.h"
#include "TImage.h"

#include <QSignalSpy>

#include <functional>
#include <stdexcept>

namespace {

void Ignore(const std::string&) { }

class DocumentLink : public MainWindowTest {
protected:
    // Starts both windows in a folder holding one sample, selected.
    void startWith(const QString& sample, bool automaticUpdate)
    {
        writeSettings(QByteArray("[Viewer]\r\nAuto=") + (automaticUpdate ? "1" : "0") + "\r\n");
        copySample(sample, QStringLiteral("lamp.ies"));
        start();
        openFolder(filesDir);
        clickFile(QStringLiteral("lamp.ies"));
        ASSERT_FALSE(IsEmpty(Doc->IESData()));
    }
};

TEST_F(DocumentLink, LoadAnnouncesTheFileOrTheFailureOnly)
{
    struct Case {
        QString path;
        bool loads;
    };
    const QString samples = QStringLiteral(GONILUX_SAMPLES_DIR "/");
    const QString fixtures = QStringLiteral(GONILUX_FIXTURES_DIR "/");
    const std::vector<Case> cases = {
        { samples + "panel_quadrant.ies", true },
        { samples + "missing.ies", false },
        { fixtures + "nothing_after_tilt.ies", false },
        { fixtures + "header_watts_letter_o.ies", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        TDocument document;
        QSignalSpy loaded(&document, &TDocument::loaded);
        QSignalSpy failed(&document, &TDocument::loadFailed);
        QSignalSpy plane(&document, &TDocument::planeChanged);
        const std::string path = QFile::encodeName(c.path).toStdString();
        if (c.loads) {
            EXPECT_NO_THROW(document.Load(path, Ignore));
        } else {
            EXPECT_THROW(document.Load(path, Ignore), std::runtime_error);
        }
        EXPECT_EQ(loaded.count(), c.loads ? 1 : 0);
        EXPECT_EQ(failed.count(), c.loads ? 0 : 1);
        if (!c.loads) {
            EXPECT_FALSE(failed.first().first().toString().isEmpty());
        }
        EXPECT_EQ(plane.count(), 0);
        EXPECT_EQ(document.FileName().empty(), !c.loads);
    }
}

TEST_F(DocumentLink, TrackBarAndDocumentFollowEachOther)
{
    startWith(QStringLiteral("washer_full_360.ies"), false);
    QSignalSpy plane(Doc, &TDocument::planeChanged);
    Form1->TrackBarDegree->setValue(3);
    EXPECT_EQ(Doc->SelectedPlane(), 3);
    ASSERT_EQ(plane.count(), 1);
    EXPECT_EQ(plane.first().first().toInt(), 3);

    // Another window choosing a plane moves the track bar and redraws; a plane beyond the last is held at the last.
    const int drawings = Form1->PaintBox1->DrawingCount();
    Doc->SelectPlane(1);
    EXPECT_EQ(Form1->TrackBarDegree->value(), 1);
    EXPECT_GT(Form1->PaintBox1->DrawingCount(), drawings);
    Doc->SelectPlane(100000);
    EXPECT_EQ(Form1->TrackBarDegree->value(), Form1->TrackBarDegree->maximum());
    EXPECT_EQ(Doc->SelectedPlane(), Form1->TrackBarDegree->maximum());
}

TEST_F(DocumentLink, SwitchesLiveInTheDocument)
{
    startWith(QStringLiteral("washer_full_360.ies"), false);
    struct Case {
        QToolButton* button;
        std::function<bool()> state;
        std::function<void(bool)> set;
    };
    const std::vector<Case> cases = {
        { Form1->SpeedButtonFit, [this] { return Doc->FitDown(); }, [this](bool down) { Doc->SetFitDown(down); } },
        { Form1->SpeedButtonOrtho, [this] { return Doc->OrthoDown(); },
            [this](bool down) { Doc->SetOrthoDown(down); } },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.state(), c.button->isChecked());
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(c.state(), c.button->isChecked());
        c.set(!c.button->isChecked());
        EXPECT_EQ(c.state(), c.button->isChecked());
    }
    // Fit up by a click: the scale is the whole file's maximum.
    if (Form1->SpeedButtonFit->isChecked())
        QTest::mouseClick(Form1->SpeedButtonFit, Qt::LeftButton);
    EXPECT_EQ(Doc->MaxIntensity(), ComputeMaxIntensity(Doc->IESData(), 0, Form1->TrackBarDegree->maximum()));
}

TEST_F(DocumentLink, NothingIsComputedWhileTheRenderWindowIsHidden)
{
    startWith(QStringLiteral("washer_full_360.ies"), true);
    QSignalSpy started(Form2, &TForm2::renderStarted);
    copySample(QStringLiteral("panel_quadrant.ies"), QStringLiteral("other.ies"));
    Form1->SetDirectory(QFile::encodeName(filesDir));
    clickFile(QStringLiteral("other.ies"));
    QTest::keyClick(Form1->TrackBarDegree, Qt::Key_Right);
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(Form1->RendersRequested(), 0);
    EXPECT_TRUE(Form2->Image1->picture().isNull());
}

TEST_F(DocumentLink, RenderReportsStartProgressAndTimeInOrder)
{
    startWith(QStringLiteral("washer_full_360.ies"), false);
    Form1->TrackBarDegree->setValue(2);
    std::vector<QString> order;
    QObject::connect(Form2, &TForm2::showing, Form2, [&] { order.push_back("showing"); });
    QObject::connect(Form2, &TForm2::renderStarted, Form2,
        [&](int plane) { order.push_back(QStringLiteral("started %1").arg(plane)); });
    QObject::connect(Form2, &TForm2::renderComputing, Form2, [&] { order.push_back("computing"); });
    QSignalSpy progress(Form2, &TForm2::renderProgress);
    QObject::connect(Form2, &TForm2::renderFinished, Form2, [&](const QString&) { order.push_back("finished"); });

    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    ASSERT_TRUE(Form2->isVisible());
    EXPECT_EQ(order, (std::vector<QString> { "showing", "started 2", "computing", "finished" }));
    ASSERT_GT(progress.count(), 0);
    EXPECT_EQ(progress.last().first().toInt(), 300);
    EXPECT_EQ(Form1->LastRenderedPosition(), 2);
    EXPECT_FALSE(Form1->Label3->text().isEmpty());
    EXPECT_FALSE(Form1->ProgressBarRender->isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DocumentLink, AMainWindowWhoseRenderWindowIsGoneRendersNothing)
{
    startWith(QStringLiteral("washer_full_360.ies"), true);
    delete Form2;
    Form2 = nullptr;
    QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
    QTest::keyClick(Form1->TrackBarDegree, Qt::Key_Right);
    QTest::mouseClick(Form1->SpeedButtonUpdate, Qt::LeftButton);
    EXPECT_EQ(Form1->RendersRequested(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
