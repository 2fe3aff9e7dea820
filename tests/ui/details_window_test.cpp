// The details window driven offscreen: Ctrl+C copies each tab as the golden text says wherever the focus is, a
// selection in the intensity table copies only itself, Esc closes, an empty record (a failed load) leaves nothing
// to copy, and the section "Details" of the settings keeps place, size and tab.
#include "DetailsCorner.h"
#include "DetailsPlacement.h"
#include "FormDetails.h"
#include "IntensityModel.h"
#include "PhotometricFile.h"

#include <QClipboard>
#include <QComboBox>
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
    if (IsLdtPath(file.Path))
        file.FileLines = lines;
    return file;
}

std::string Golden(const char* name)
{
    QFile file(QStringLiteral(GONILUX_SOURCE_DIR "/tests/golden/") + QString::fromLatin1(name));
    const std::string text = file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    // The golden summaries name the sample alone; the window names it with its folder.
    return text.starts_with("File: ") ? "File: " GONILUX_SAMPLES_DIR "/" + text.substr(6) : text;
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
    EXPECT_EQ(PressCopy(form->IntensityTable), "24640\t23200\n24410\t22660\n"); // rounded as shown
    ClickCell(0, 0, Qt::ControlModifier); // a cell apart widens the rectangle; the gap stays empty
    EXPECT_EQ(PressCopy(form->IntensityTable), "25700\t\t\t\n\t\t24640\t23200\n\t\t24410\t22660\n");
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
    EXPECT_EQ(form->SummaryView->toPlainText(), "No file selected");
    EXPECT_EQ(form->windowTitle(), "Details");
    for (int tab = 0; tab < TFormDetails::TabCount; ++tab)
        EXPECT_TRUE(form->CopyText(static_cast<TFormDetails::Tab>(tab)).isEmpty()) << tab;
}

TEST_F(DetailsWindow, TheIntensityUnitSwitchesAndEulumdatShowsItsValuesAsWritten)
{
    struct Case {
        const char* sample;
        bool perKilolumen; // offered
        const char* shownUnit; // by default
        const char* firstValue; // plane 0, vertical angle 0, in the default unit
    } const cases[] = {
        { "wallwasher_c0_c180.ldt", true, "cd/klm", "220" }, // "220.0" on line 86 of the file
        { "highbay_tilt_include.ies", true, "cd", "25700" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        form->ShowFile(Sample(c.sample));
        EXPECT_EQ(form->windowTitle().toStdString(), std::string("Details - ") + c.sample);
        EXPECT_EQ(form->IntensityUnit->isEnabled(), c.perKilolumen);
        EXPECT_EQ(form->IntensityUnitShown().Name, c.shownUnit);
        const QAbstractItemModel* model = form->IntensityTable->model();
        EXPECT_EQ(model->data(model->index(0, 0)).toString().toStdString(), c.firstValue);
        const std::string corner = std::string("H \\ V (") + c.shownUnit + ")";
        EXPECT_EQ(form->CopyText(TFormDetails::TabIntensity).toStdString().substr(0, corner.size()), corner);
        // Switched, the table and its copy follow: cd = cd/klm x lamp flux / 1000.
        const int other = form->IntensityUnit->currentIndex() == 0 ? 1 : 0;
        form->IntensityUnit->setCurrentIndex(other);
        const auto factor = form->IntensityUnitShown().Factor;
        EXPECT_EQ(model->data(model->index(0, 0)).toString().toStdString(),
            Reading(form->File().Record.Candela[0][0] * factor, { "." }));
        EXPECT_GE(form->IntensityTable->columnWidth(0),
            form->IntensityTable->fontMetrics().horizontalAdvance(model->data(model->index(0, 0)).toString()));
    }
    // Absolute photometry: no lamp flux, no cd/klm.
    tDetailsFile absolute = Sample("highbay_tilt_include.ies");
    absolute.Header.LumensPerLamp = -1;
    absolute.Record.LumensPerLamp = -1;
    form->ShowFile(absolute);
    EXPECT_FALSE(form->IntensityUnit->isEnabled());
    EXPECT_EQ(form->IntensityUnitShown().Name, "cd");
}

TEST_F(DetailsWindow, ACleanFileSaysNoProblemsFound)
{
    tDetailsFile clean = Sample("panel_quadrant.ies");
    form->ShowFile(clean);
    form->SetCurrentTab(TFormDetails::TabDiagnostics);
    ASSERT_EQ(form->DiagnosticsTable->rowCount(), 1);
    EXPECT_EQ(form->DiagnosticsTable->item(0, 3)->text(), "No problems found");
    EXPECT_EQ(PressCopy(form->DiagnosticsTable), "No problems found\n");
    clean.Checks.push_back({ Severity::Warning, "code", 3, 0, "a warning" });
    form->ShowFile(clean);
    ASSERT_EQ(form->DiagnosticsTable->rowCount(), 1);
    EXPECT_EQ(form->DiagnosticsTable->item(0, 3)->text(), "a warning");
}

TEST(DetailsPlacement, BesideTheMainWindowOnItsScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize own(560, 420);
    struct Case {
        const char* name;
        QRect main;
        QPoint expected;
    } const cases[] = {
        { "room on the right", { 100, 100, 720, 401 }, { 820, 100 } },
        { "room on the left only", { 1200, 50, 720, 401 }, { 640, 50 } },
        { "no room either side", { 300, 200, 1400, 700 }, { 1360, 200 } },
        { "kept on the screen below", { 100, 900, 720, 170 }, { 820, 660 } },
        { "kept on the screen above", { 100, -50, 720, 401 }, { 820, 0 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceBeside(c.main, own, screen), c.expected) << c.name;
    // A second screen to the right: the place is on the main window's screen.
    EXPECT_EQ(PlaceBeside({ 2000, 100, 720, 401 }, own, { 1920, 0, 1920, 1080 }), QPoint(2720, 100));
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
