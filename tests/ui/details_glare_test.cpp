// The details window's glare tab driven offscreen: the table the library computes, redone as the spacing and the
// correction are chosen, copied with Ctrl+C as tab-separated text, and the reason shown for a file without a table.
#include "FormDetails.h"
#include "GlareTab.h"
#include "PhotometricFile.h"
#include "UgrText.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

tDetailsFile Read(const std::string& path)
{
    tDetailsFile file;
    file.Path = path;
    TStringList lines;
    LoadFileLines(path, lines);
    ReadPhotometricLines(path, lines, file.HeaderLines, file.Record, file.Header, [](const std::string&) {});
    return file;
}

const std::string kExample = std::string(GONILUX_FIXTURES_DIR) + "/glare/worked-example.ldt";

// The tab-separated text the tab should copy for the table the library gives.
std::string Expected(const tDetailsFile& file, long double spacing, bool corrected)
{
    const tUgrTable table = *ComputeUgrTable(file.Record, file.Header, { spacing, corrected }).table;
    const std::string separator = QLocale::system().decimalPoint().toStdString();
    std::string text = UgrCaption(table, separator) + "\n";
    for (const tUgrTextRow& row : UgrTableRows(table, separator)) {
        for (std::size_t c = 0; c < row.size(); ++c)
            text += (c ? "\t" : "") + row[c];
        text += "\n";
    }
    return text;
}

class DetailsGlare : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TFormDetails>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->SetCurrentTab(TFormDetails::TabGlare);
    }
    std::string PressCopy()
    {
        form->GlareTab->Table->setFocus();
        QSignalSpy copied(form.get(), &TFormDetails::copied);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(form->GlareTab->Table, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(copied.count(), 1);
        return QGuiApplication::clipboard()->text().toStdString();
    }
    std::unique_ptr<TFormDetails> form;
};

TEST_F(DetailsGlare, TheChosenTableIsShownAndCopied)
{
    const tDetailsFile file = Read(kExample);
    form->ShowFile(file);
    EXPECT_EQ(form->Tabs->tabText(TFormDetails::TabGlare), QStringLiteral("&Glare"));
    struct Case {
        int spacingChoice;
        bool corrected;
        long double spacing;
        const char* inCaption;
    };
    const Case cases[] = {
        { 0, false, 0.25L, "uncorrected" },
        { 1, false, 1.0L, "ratio 1" },
        { 1, true, 1.0L, "corrected for 1000 lm lamp flux" },
        { 0, true, 0.25L, "ratio 0" },
    };
    for (const Case& c : cases) {
        form->GlareTab->SpacingChoice->setCurrentIndex(c.spacingChoice);
        form->GlareTab->Corrected->setChecked(c.corrected);
        const std::string expected = Expected(file, c.spacing, c.corrected);
        EXPECT_EQ(PressCopy(), expected) << c.inCaption;
        EXPECT_NE(form->GlareTab->Caption->text().toStdString().find(c.inCaption), std::string::npos)
            << form->GlareTab->Caption->text().toStdString();
        QTableWidget* table = form->GlareTab->Table;
        ASSERT_EQ(table->rowCount(), kUgrHeadingRows + 19);
        ASSERT_EQ(table->columnCount(), kUgrColumns);
        // The last room's last endwise rating as shown is the one copied.
        const std::string lastRow = expected.substr(expected.rfind('\t') + 1);
        EXPECT_EQ(table->item(kUgrHeadingRows + 18, kUgrColumns - 1)->text().toStdString() + "\n", lastRow);
    }
}

TEST_F(DetailsGlare, AFileWithoutATableSaysWhyAndCopiesNothing)
{
    form->ShowFile(Read(std::string(GONILUX_SAMPLES_DIR) + "/downlight_axial.ies"));
    EXPECT_EQ(form->GlareTab->Table->rowCount(), 0);
    EXPECT_TRUE(form->GlareTab->Caption->text().startsWith(QStringLiteral("No UGR table: the file gives no luminous")))
        << form->GlareTab->Caption->text().toStdString();
    EXPECT_EQ(PressCopy(), "");
    form->ShowFile(Read(kExample));
    EXPECT_EQ(form->GlareTab->Table->rowCount(), kUgrHeadingRows + 19);
    form->ShowFile({});
    EXPECT_EQ(form->GlareTab->Table->rowCount(), 0);
    EXPECT_TRUE(form->CopyText(TFormDetails::TabGlare).isEmpty());
}

} // namespace
