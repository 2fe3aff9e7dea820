// "Save as..." in the viewer: from the file list's context menu and from the details window (button and Ctrl+S),
// the name's extension choosing IES or EULUMDAT, refusals shown in the message box, and the file list showing a
// file written into its folder while the file on show stays selected and loaded.
#include "mainwindow_harness.h"

#include "DetailsLink.h"
#include "FormDetails.h"
#include "PhotometricFile.h"
#include "SaveAsFile.h"
#include "SaveChooser.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The record a written file reads back to.
tIES readBack(const QString& path)
{
    TStringList lines, header;
    tIES ies;
    tPhotometricHeader numbers;
    LoadFileLines(QFile::encodeName(path).toStdString(), lines);
    ReadPhotometricLines(QFile::encodeName(path).toStdString(), lines, header, ies, numbers, {});
    return ies;
}

class SaveAsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        savechooser::setChooser([this](const QString&, const QString& filters) {
            askedFilters = filters;
            return chosenPath;
        });
        copySample("street_bilateral.ies", "street.ies");
        copySample("wallwasher_c0_c180.ldt", "washer.ldt");
        QFile::copy(QStringLiteral(GONILUX_CORPUS_DIR "/cu-calc/flood_2.1.IES"), filesDir + "/flood.ies");
        start();
        openFolder(filesDir);
        clickFile("street.ies");
    }
    void TearDown() override
    {
        savechooser::setChooser({});
        MainWindowTest::TearDown();
    }

    // Right-clicks the file and chooses "Save as..." from the menu that opens.
    void saveFromList(const QString& file)
    {
        QListWidgetItem* item = fileItem(file);
        ASSERT_NE(item, nullptr);
        QWidget* viewport = Form1->FileListBox1->viewport();
        const QPoint at = Form1->FileListBox1->visualItemRect(item).center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &request);
        auto* menu = Form1->findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Save &as..."));
        menu->actions().front()->trigger();
        menu->close();
    }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < Form1->FileListBox1->count(); ++i)
            names << Form1->FileListBox1->item(i)->text();
        return names;
    }

    QString chosenPath;
    QString askedFilters;
};

TEST_F(SaveAsTest, FileListMenuWritesEitherFormatAndListsTheNewFile)
{
    QDir().mkpath(temp.path() + "/other");
    const struct {
        const char* source;
        QString chosen;
        QString written; // empty: nothing written
        const char* listedAs; // the new entry of the list, or nullptr
        const char* message; // part of the message shown, or nullptr
    } cases[] = {
        { "washer.ldt", filesDir + "/copy", filesDir + "/copy.ies", "copy.ies", nullptr },
        { "street.ies", filesDir + "/street2.ldt", filesDir + "/street2.ldt", "street2.ldt", nullptr },
        { "washer.ldt", temp.path() + "/other/washer.ldt", temp.path() + "/other/washer.ldt", nullptr, nullptr },
        { "flood.ies", filesDir + "/flood.ldt", {}, nullptr, "EULUMDAT holds type C photometry only" },
        { "street.ies", filesDir + "/street.ies", {}, nullptr, "written over itself" },
        { "street.ies", filesDir + "/street.txt", {}, nullptr, "must end in .ies or .ldt" },
        { "street.ies", {}, {}, nullptr, nullptr }, // cancelled
    };
    const QByteArray shown = fileBytes(filesDir + "/street.ies");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        messages.clear();
        chosenPath = c.chosen;
        const QStringList before = listed();
        QSignalSpy written(Doc, &TDocument::fileWritten);
        saveFromList(c.source);
        EXPECT_EQ(askedFilters, QStringLiteral("IES LM-63-2002 (*.ies);;EULUMDAT (*.ldt)"));
        ASSERT_EQ(messages.size(), c.message ? 1 : 0) << messages.join(" | ");
        if (c.message) {
            EXPECT_TRUE(messages.front().contains(c.message)) << messages.front();
        }
        EXPECT_EQ(written.count(), c.written.isEmpty() ? 0 : 1);
        if (!c.written.isEmpty()) {
            const tIES source = readBack(filesDir + "/" + c.source);
            EXPECT_EQ(readBack(c.written).VertAngles, source.VertAngles);
        }
        EXPECT_EQ(listed().size(), before.size() + (c.listedAs ? 1 : 0));
        if (c.listedAs) {
            EXPECT_TRUE(listed().contains(c.listedAs));
        }
        // The file on show stays selected and loaded.
        EXPECT_EQ(Form1->SelectedFileName(), QFile::encodeName(filesDir + "/street.ies").toStdString());
        EXPECT_EQ(Doc->FileName(), QFile::encodeName(filesDir + "/street.ies").toStdString());
    }
    EXPECT_EQ(fileBytes(filesDir + "/street.ies"), shown);
    EXPECT_EQ(saveas::proposedName("/a/b/lamp.v2.IES"), QStringLiteral("/a/b/lamp.v2"));
}

TEST_F(SaveAsTest, DetailsWindowSavesTheFileShownWithCtrlS)
{
    DetailsLink link(*Doc, Form1->PanelImage);
    link.ShowDetails();
    TFormDetails* details = link.Window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(details));
    EXPECT_TRUE(details->SaveAsButton->isEnabled());

    chosenPath = filesDir + "/from_details.ldt";
    QTest::keyClick(details, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ");
    EXPECT_TRUE(listed().contains("from_details.ldt"));
    EXPECT_EQ(readBack(chosenPath).Candela.size(), readBack(filesDir + "/street.ies").Candela.size());

    // A refusal is shown and leaves the file already there as it was.
    clickFile("flood.ies");
    const QByteArray kept = fileBytes(chosenPath);
    QTest::mouseClick(details->SaveAsButton, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().contains("type C photometry only")) << messages.front();
    EXPECT_EQ(fileBytes(chosenPath), kept);

    // Nothing shown, nothing to save.
    details->ShowFile({});
    EXPECT_FALSE(details->SaveAsButton->isEnabled());
}

} // namespace
