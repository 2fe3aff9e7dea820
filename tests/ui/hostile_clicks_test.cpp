// Long random sequences of user actions on both windows (clicks, keys, drags, switches, folder changes,
// resizes), over good and hostile files. After every action the handler has returned and the windows are in a
// state the user could have reached: the degree track bar's position lies in its range, and "&Render" is
// enabled exactly when automatic update is off or the render window is hidden.
#include "WindowFixture.h"

#include "RenderTrackBars.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

class HostileClicks : public MainWindowTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* sample :
            { "downlight_axial.ies", "highbay_tilt_include.ies", "panel_quadrant.ies", "pendant_commas_wrapped.ies",
                "spot_full_22_5.ies", "street_bilateral.ies", "uplight_quadrant.ies", "washer_full_360.ies" })
            copySample(sample, sample);
        writeRaw(QFile::encodeName(filesDir + "/x_empty.ies"), "");
        writeRaw(QFile::encodeName(filesDir + "/x_binary.ies"), randomBytes(4096, 3));
        writeRaw(QFile::encodeName(filesDir + "/x_zero_planes.ies"),
            twoPlaneFile("0 0 0 0 0 0")); // the render reports it cannot scale
        writeRaw(QFile::encodeName(filesDir + "/x_cut_65535.ies"), iesFile("", photometricBlock("65535", "3")));
        QDir(filesDir).mkdir("sub");
        copySample("washer_full_360.ies", "in_sub.ies", filesDir + "/sub");
    }

    // One random action of the user; returns its name for the failure report.
    std::string act(std::mt19937& random)
    {
        auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        QListWidget* files = Form1->FileListBox1;
        switch (pick(16)) {
        case 0:
        case 1: {
            if (files->count() == 0)
                return "click on an empty file list";
            QListWidgetItem* item = files->item(pick(files->count()));
            files->scrollToItem(item);
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(item).center());
            return "click file " + item->text().toStdString();
        }
        case 2: {
            const Qt::Key keys[] = { Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown };
            files->setFocus();
            QTest::keyClick(files, keys[pick(5)]);
            return "key on the file list";
        }
        case 3: {
            const Qt::Key keys[] = { Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End };
            Form1->TrackBarDegree->setFocus();
            QTest::keyClick(Form1->TrackBarDegree, keys[pick(5)]);
            return "key on the degree track bar";
        }
        case 4: {
            const QPoint from = thumbAt(Form1->TrackBarDegree, Form1->TrackBarDegree->value());
            QTest::mousePress(Form1->TrackBarDegree, Qt::LeftButton, {}, from);
            QTest::mouseMove(Form1->TrackBarDegree, from + QPoint(pick(120) - 60, 0));
            QTest::mouseRelease(Form1->TrackBarDegree, Qt::LeftButton, {}, from + QPoint(pick(120) - 60, 0));
            return "drag the degree track bar";
        }
        case 5:
            QTest::mouseClick(Form1->SpeedButtonUpdate, Qt::LeftButton);
            return "switch automatic update";
        case 6:
            QTest::mouseClick(pick(2) ? Form1->SpeedButtonFit : Form1->SpeedButtonOrtho, Qt::LeftButton);
            return "switch fit or ortho";
        case 7:
        case 8:
            QTest::mouseClick(Form1->ButtonRender, Qt::LeftButton);
            return "click Render";
        case 9:
            if (!Form2->isVisible())
                return "nothing (render window hidden)";
            QTest::mouseClick(pick(2) ? Form2->Button2 : Form2->ButtonResetZoom, Qt::LeftButton);
            return "reset brightness or zoom";
        case 10:
            if (!Form2->isVisible())
                return "nothing (render window hidden)";
            QTest::mouseClick(Form2->CheckBoxRadiosity, Qt::LeftButton);
            return "click Radiosity";
        case 11: {
            if (!Form2->isVisible())
                return "nothing (render window hidden)";
            QSlider* bar
                = pick(2) ? static_cast<QSlider*>(Form2->TrackBar2) : static_cast<QSlider*>(Form2->TrackBarZoom);
            bar->setFocus();
            QTest::keyClick(bar, pick(2) ? Qt::Key_Right : Qt::Key_PageDown);
            return "key on a render track bar";
        }
        case 12:
            if (!Form2->isVisible())
                return "nothing (render window hidden)";
            QTest::mouseClick(Form2->Button1, Qt::LeftButton);
            return "close the render window";
        case 13: {
            // Into the subfolder or back to the files folder, as a double click in the folder list does.
            const bool inSub = Form1->Directory().endsWith("/sub");
            openFolder(inSub ? filesDir : filesDir + "/sub");
            return inSub ? "folder up" : "folder down";
        }
        case 14:
            QTest::mouseClick(Form1->PaintBox1, Qt::LeftButton, {}, QPoint(5, 5));
            return "click the diagram";
        default:
            Form1->resize(480 + pick(400), 170 + pick(400));
            return "resize the main window";
        }
    }

    void expectConsistent(const std::string& action)
    {
        SCOPED_TRACE(action);
        ASSERT_EQ(Form1->TrackBarDegree->minimum(), 0);
        ASSERT_GE(Form1->TrackBarDegree->value(), Form1->TrackBarDegree->minimum());
        ASSERT_LE(Form1->TrackBarDegree->value(), Form1->TrackBarDegree->maximum());
        if (!Doc->IESData().Candela.empty()) {
            ASSERT_LT(Form1->TrackBarDegree->maximum(), static_cast<int>(Doc->IESData().Candela.size()));
        }
        ASSERT_EQ(Form1->ButtonRender->isEnabled(), !(Form1->SpeedButtonUpdate->isChecked() && Form2->isVisible()));
        ASSERT_GE(Form1->width(), 500);
        ASSERT_GE(Form1->height(), 190);
        for (const QString& m : messages)
            ASSERT_FALSE(m.trimmed().isEmpty());
    }
};

TEST_P(HostileClicks, ARandomSessionNeverLeavesAnImpossibleState)
{
    start();
    openFolder(filesDir);
    std::mt19937 random(GetParam());
    constexpr int Steps = 2000;
    std::vector<std::string> recent;
    int shownWithRenderWindow = 0;
    int loadedSteps = 0;
    int messageCount = 0;
    for (int step = 0; step < Steps; ++step) {
        std::string action;
        {
            HangWatchdog watchdog("random action " + std::to_string(step), hangLimit());
            action = act(random);
        }
        recent.push_back(std::to_string(step) + ": " + action);
        if (recent.size() > 8)
            recent.erase(recent.begin());
        std::string trail;
        for (const std::string& line : recent)
            trail += line + "\n";
        expectConsistent(trail);
        if (HasFatalFailure())
            return;
        shownWithRenderWindow += Form2->isVisible() ? 1 : 0;
        loadedSteps += Doc->IESData().Candela.empty() ? 0 : 1;
        messageCount += static_cast<int>(messages.size());
        messages.clear();
    }
    std::printf("%d steps: %d with the render window open, %d with a file loaded, %d renders, %d messages\n", Steps,
        shownWithRenderWindow, loadedSteps, Form1->RendersRequested(), messageCount);
    // Every kind of state was visited, or the session proved little.
    EXPECT_GT(shownWithRenderWindow, Steps / 10);
    EXPECT_GT(loadedSteps, Steps / 4);
    EXPECT_GT(Form1->RendersRequested(), 20);
    // The window still does its work after the session: a good file loads and draws.
    openFolder(filesDir);
    clickFile("washer_full_360.ies");
    EXPECT_EQ(Doc->IESData().Candela.size(), 37u);
    EXPECT_GT(redPixels(Form1->PaintBox1->Image()), 100);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HostileClicks, ::testing::Values(1u, 2u, 3u));
