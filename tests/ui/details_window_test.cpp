// The details window driven offscreen: Ctrl+C copies each tab as the golden text says wherever the focus is, a
// selection in the intensity table copies only itself, Esc closes, an empty record (a failed load) leaves nothing
// to copy, and the section "Details" of the settings keeps place, size and tab.
#include "DetailsCorner.h"
#include "FormDetails.h"
#include "IntensityModel.h"
#include "PhotometricFile.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

tDetailsFile Sample(const char* name)
{
    tDetailsFile file;
    file.Path = std::string(GONILUX_SAMPLES_DIR) + "/" + name;
    TStringList lines;
    LoadFileLines(file.Path, lines);
    ReadPhotometricLines(file.Path, lines, file.HeaderLines, file.Record, file.Header, [](const std::string&) {});
    return file;
}

std::string Golden(const char* name)
{
    QFile file(QStringLiteral(GONILUX_SOURCE_DIR "/tests/golden/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

class DetailsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TFormDetails>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // Ctrl+C as the user presses it, to whatever has the focus; returns what reached the clipboard.
    std::string PressCopy(QWidget* focus)
    {
        focus->setFocus();
        QSignalSpy copied(form.get(), &TFormDetails::copied);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(copied.count(), 1) << "one copy per key press";
        return QGuiApplication::clipboard()->text().toStdString();
    }
    void ClickCell(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        QTableView* table = form->IntensityTable;
        const QRect cell = table->visualRect(table->model()->index(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    std::unique_ptr<TFormDetails> form;
};

TEST_F(DetailsWindow, CtrlCCopiesEachTabWhereverTheFocusIs)
{
    struct Case {
        const char* sample;
        TFormDetails::Tab tab;
        const char* golden;
        QWidget* TFormDetails::*focus;
    } const cases[] = {
        { "panel_quadrant.ies", TFormDetails::TabSummary, "panel_quadrant.summary",
            reinterpret_cast<QWidget * TFormDetails::*>(&TFormDetails::SummaryView) },
        { "panel_quadrant.ies", TFormDetails::TabSummary, "panel_quadrant.summary",
            reinterpret_cast<QWidget * TFormDetails::*>(&TFormDetails::Tabs) },
        { "panel_quadrant.ies", TFormDetails::TabZonal, "panel_quadrant.zonal",
            reinterpret_cast<QWidget * TFormDetails::*>(&TFormDetails::ZonalTable) },
        { "highbay_tilt_include.ies", TFormDetails::TabIntensity, "highbay_tilt_include.intensity",
            reinterpret_cast<QWidget * TFormDetails::*>(&TFormDetails::IntensityTable) },
    };
    for (const Case& c : cases) {
        form->ShowFile(Sample(c.sample));
        form->SetCurrentTab(c.tab);
        const std::string expected = Golden(c.golden);
        ASSERT_FALSE(expected.empty()) << c.golden;
        EXPECT_EQ(PressCopy(form.get()->*c.focus), expected) << c.golden;
    }
    // What the summary tab shows is what it copies.
    form->ShowFile(Sample("panel_quadrant.ies"));
    EXPECT_EQ(form->SummaryView->toPlainText().toStdString(), Golden("panel_quadrant.summary"));
}

TEST_F(DetailsWindow, ASelectionInTheIntensityTableCopiesOnlyItself)
{
    form->ShowFile(Sample("highbay_tilt_include.ies"));
    form->SetCurrentTab(TFormDetails::TabIntensity);
    ClickCell(1, 2);
    ClickCell(2, 3, Qt::ShiftModifier);
    EXPECT_EQ(PressCopy(form->IntensityTable), "24643\t23199\n24406\t22660\n");
    ClickCell(0, 0, Qt::ControlModifier); // a cell apart widens the rectangle; the gap stays empty
    EXPECT_EQ(PressCopy(form->IntensityTable), "25700\t\t\t\n\t\t24643\t23199\n\t\t24406\t22660\n");
    // A new file drops the selection: the whole table again.
    form->ShowFile(Sample("highbay_tilt_include.ies"));
    EXPECT_EQ(PressCopy(form->IntensityTable), Golden("highbay_tilt_include.intensity"));
}

TEST_F(DetailsWindow, AFailedLoadLeavesNothingToCopyAndThePlaneMarkFollows)
{
    form->ShowFile(Sample("highbay_tilt_include.ies"));
    form->ShowPlane(2);
    const QAbstractItemModel* model = form->IntensityTable->model();
    EXPECT_TRUE(model->headerData(2, Qt::Vertical, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(model->headerData(0, Qt::Vertical, Qt::FontRole).value<QFont>().bold());
    form->ShowPlane(0);
    EXPECT_FALSE(model->headerData(2, Qt::Vertical, Qt::FontRole).value<QFont>().bold());

    form->ShowFile({}); // what the viewer holds after a file it could not read
    form->ShowPlane(5);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(form->ZonalTable->rowCount(), 0);
    EXPECT_EQ(form->SummaryView->toPlainText(), "No file loaded.");
    for (int tab = 0; tab < TFormDetails::TabCount; ++tab)
        EXPECT_TRUE(form->CopyText(static_cast<TFormDetails::Tab>(tab)).isEmpty()) << tab;
}

TEST_F(DetailsWindow, EscapeClosesTheWindow)
{
    QSignalSpy closing(form.get(), &TFormDetails::closing);
    QTest::keyClick(form->Tabs, Qt::Key_Escape);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(form->isVisible());
}

TEST(DetailsSettings, PlaceSizeAndTabRoundTripAndBadKeysKeepTheWindowsValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("ies.ini").toStdString();
    {
        QFile ini(QString::fromStdString(path));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Render]\r\nZoom=7\r\n[Details]\r\nLeft=40\r\nTop=x\r\nWidth=700\r\nHeight=-5\r\nTab=9\r\n");
    }
    TFormDetails form;
    const int top = form.y();
    form.SetCurrentTab(TFormDetails::TabZonal);
    form.ReadSettings(path);
    EXPECT_EQ(form.x(), 40);
    EXPECT_EQ(form.y(), top); // not a number
    EXPECT_EQ(form.width(), 700);
    EXPECT_GT(form.height(), 0); // a negative size is brought up to a usable one
    EXPECT_EQ(form.CurrentTab(), TFormDetails::TabZonal); // no such tab

    form.SetCurrentTab(TFormDetails::TabIntensity);
    form.move(55, 66);
    form.WriteSettings(path);
    TFormDetails again;
    again.ReadSettings(path);
    EXPECT_EQ(again.pos(), QPoint(55, 66));
    EXPECT_EQ(again.size(), form.size());
    EXPECT_EQ(again.CurrentTab(), TFormDetails::TabIntensity);
    QFile ini(QString::fromStdString(path));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().startsWith("[Render]\r\nZoom=7\r\n[Details]\r\n")) << "other sections untouched";
}

TEST(DetailsCorner, StaysTopRightOpensOnAltDAndSignsOnlyFaultyFiles)
{
    QWidget window;
    auto* panel = new QWidget(&window);
    auto* other = new QPushButton(QStringLiteral("Other"), &window); // the window's own control keeps the focus
    panel->setGeometry(100, 0, 300, 200);
    auto* corner = new TDetailsCorner(panel);
    window.resize(400, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    other->setFocus();

    for (const QSize size : { QSize(300, 200), QSize(520, 90) }) {
        panel->resize(size);
        EXPECT_EQ(corner->Button->geometry().topRight(), QPoint(size.width() - 1 - TDetailsCorner::Margin, 4));
        EXPECT_LT(corner->Warning->geometry().right(), corner->Button->geometry().left());
    }

    QSignalSpy details(corner, &TDetailsCorner::detailsRequested);
    QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(details.count(), 1);
    EXPECT_TRUE(other->hasFocus());

    struct Case {
        int warnings, errors;
        bool shown;
        const char* tip;
    } const cases[] = {
        { 0, 0, false, "" }, { 1, 0, true, "1 warning" }, { 3, 2, true, "2 errors, 3 warnings" },
        { 0, 1, true, "1 error" }, { 0, 0, false, "" }, // a good file after a faulty one takes the sign away
    };
    QSignalSpy diagnostics(corner, &TDetailsCorner::diagnosticsRequested);
    for (const Case& c : cases) {
        corner->SetCounts(c.warnings, c.errors);
        EXPECT_EQ(corner->Warning->isVisible(), c.shown) << c.tip;
        EXPECT_EQ(corner->Warning->toolTip().toStdString(), c.tip);
        if (c.shown)
            QTest::mouseClick(corner->Warning, Qt::LeftButton);
    }
    EXPECT_EQ(diagnostics.count(), 3);
}

} // namespace
