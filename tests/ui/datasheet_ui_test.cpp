// The datasheet from the viewer: the details window's "Datasheet..." saves the PDF where the user says (nothing on a
// cancel), its "Print..." and Ctrl+P print the page on the printer chosen (a PDF printer here, A4 or Letter), a
// window without a file says why instead, and the goniogram's menu in the viewer does the same for the file shown.
#include "DatasheetActions.h"
#include "FormDetails.h"
#include "PhotometricFile.h"
#include "SaveChooser.h"
#include "Viewer.h"
#include "core/sample_file.h"
#include "mainwindow_harness.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <memory>

namespace {

// What a poppler tool prints about a PDF; empty when the tool is missing.
QString Poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool HavePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(); }

// A one-page PDF of the size, whose text holds the words.
void ExpectPage(const QString& pdf, const QString& size, const QString& words)
{
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << pdf;
    EXPECT_TRUE(file.read(5) == "%PDF-") << pdf;
    if (!HavePoppler())
        return;
    const QString info = Poppler(QStringLiteral("pdfinfo"), { pdf });
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           1\n"))) << info;
    EXPECT_TRUE(info.contains(QStringLiteral("Page size:       ") + size)) << info;
    const QString text = Poppler(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    EXPECT_TRUE(text.contains(words)) << text;
}

class DatasheetUi : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        notifier::setSink([this](const QString& text) { messages << text; });
        savechooser::setChooser([this](const QString&, const QString&) { return chosen; });
        form = std::make_unique<TFormDetails>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        datasheetui::setPrintChooser({});
        savechooser::setChooser({});
        notifier::setSink({});
    }
    // Prints to a PDF file of that paper in place of the print dialog.
    void PrintTo(const QString& pdf, QPageSize::PageSizeId paper)
    {
        datasheetui::setPrintChooser([pdf, paper](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(QPageSize(paper));
            return true;
        });
    }

    QTemporaryDir temp;
    QStringList messages;
    QString chosen;
    std::unique_ptr<TFormDetails> form;
};

} // namespace

TEST_F(DatasheetUi, DatasheetSavesThePageWhereTheUserSaysAndNothingOnACancel)
{
    form->ShowFile(SampleFile("downlight_axial.ies"));
    chosen = temp.filePath(QStringLiteral("sheet")); // the filter's extension is added
    QTest::mouseClick(form->DatasheetButton, Qt::LeftButton);
    ASSERT_TRUE(messages.isEmpty()) << messages.first();
    ExpectPage(chosen + QStringLiteral(".pdf"), QStringLiteral("595 x 842"), QStringLiteral("Recessed round LED"));

    chosen.clear();
    QTest::mouseClick(form->DatasheetButton, Qt::LeftButton);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files).size(), 1);

    // A folder in the way: the reason is shown and nothing is left behind.
    chosen = temp.filePath(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(QDir().mkpath(chosen));
    QTest::mouseClick(form->DatasheetButton, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("Cannot write file"))) << messages.first();
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(DatasheetUi, PrintAndCtrlPPrintThePageLaidOutForThePrintersPaper)
{
    form->ShowFile(SampleFile("wallwasher_c0_c180.ldt"));
    struct Case {
        QPageSize::PageSizeId paper;
        bool key; // Ctrl+P rather than the button
        const char* size;
    };
    const Case cases[] = {
        { QPageSize::A4, false, "595 x 842" },
        { QPageSize::Letter, true, "612 x 792" },
    };
    for (const Case& c : cases) {
        const QString pdf = temp.filePath(QStringLiteral("printed_%1.pdf").arg(c.size));
        PrintTo(pdf, c.paper);
        if (c.key) {
            form->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
            QTest::keyClick(form->Tabs, Qt::Key_P, Qt::ControlModifier);
        } else {
            QTest::mouseClick(form->PrintButton, Qt::LeftButton);
        }
        ASSERT_TRUE(messages.isEmpty()) << messages.first();
        ExpectPage(pdf, QString::fromLatin1(c.size), QStringLiteral("Asymmetric wall washer 2 x LED"));
    }
    // A cancelled dialog prints nothing.
    datasheetui::setPrintChooser([](QPrinter&) { return false; });
    QTest::mouseClick(form->PrintButton, Qt::LeftButton);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(DatasheetUi, WithoutAFileBothSayWhyAndNothingIsAsked)
{
    bool asked = false;
    savechooser::setChooser([&asked](const QString&, const QString&) {
        asked = true;
        return QString();
    });
    datasheetui::setPrintChooser([&asked](QPrinter&) { return asked = true; });
    for (QPushButton* button : { form->DatasheetButton, form->PrintButton }) {
        messages.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages.first(), QStringLiteral("No datasheet: no file is loaded."));
    }
    EXPECT_FALSE(asked);
}

TEST(DatasheetNames, TheProposedNameIsTheFilesBaseNameBesideIt)
{
    struct Case {
        const char* path;
        const char* proposed;
    };
    const Case cases[] = {
        { "/data/lamps/spot.ies", "/data/lamps/spot.pdf" },
        { "/data/lamps/wall.washer.LDT", "/data/lamps/wall.washer.pdf" },
        { "", "datasheet.pdf" },
    };
    for (const Case& c : cases) {
        tDetailsFile file;
        file.Path = c.path;
        EXPECT_EQ(datasheetui::ProposedName(file).toStdString(), c.proposed);
    }
}

class DatasheetMenu : public MainWindowTest { };

TEST_F(DatasheetMenu, TheGoniogramsMenuSavesAndPrintsTheShownFilesDatasheet)
{
    copySample(QStringLiteral("street_bilateral.ies"), QStringLiteral("street.ies"));
    QString chosen = temp.filePath(QStringLiteral("menu.pdf"));
    savechooser::setChooser([&chosen](const QString&, const QString&) { return chosen; });
    const QString printed = temp.filePath(QStringLiteral("menu_printed.pdf"));
    datasheetui::setPrintChooser([printed](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    });
    auto viewer = std::make_unique<Viewer>();
    TForm1& main = viewer->MainWindow();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.SetDirectory(QFile::encodeName(filesDir));
    const auto items = main.FileListBox1->findItems(QStringLiteral("street.ies"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    QTest::mouseClick(
        main.FileListBox1->viewport(), Qt::LeftButton, {}, main.FileListBox1->visualItemRect(items.first()).center());

    for (const QString& entry : { QStringLiteral("&Datasheet..."), QStringLiteral("&Print...") }) {
        const QPoint at(main.PaintBox1->width() / 2, main.PaintBox1->height() / 2);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, main.PaintBox1->mapToGlobal(at));
        QApplication::sendEvent(main.PaintBox1, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* found = nullptr;
        for (QAction* action : menu->actions())
            found = action->text() == entry ? action : found;
        ASSERT_NE(found, nullptr) << entry;
        found->trigger();
        menu->close();
    }
    ASSERT_TRUE(messages.isEmpty()) << messages.first();
    ExpectPage(chosen, QStringLiteral("595 x 842"), QStringLiteral("Road luminaire, Type II medium"));
    ExpectPage(printed, QStringLiteral("595 x 842"), QStringLiteral("Check: "));
    viewer.reset();
    datasheetui::setPrintChooser({});
    savechooser::setChooser({});
}
