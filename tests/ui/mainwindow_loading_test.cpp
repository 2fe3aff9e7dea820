// The main window's file browser and loading flow, driven through the real controls.
#include "mainwindow_harness.h"

#include "FolderListing.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include <sys/stat.h>

namespace {

const QString EmptyHeader = QStringLiteral("Test: \nManufacturer: \n\nLuminaire catalog: \nLamp:\nLamp catalog: ");

} // namespace

TEST_F(MainWindowTest, StartsWithPrefixesOnlyAndAxialLabelUncovered)
{
    start();
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("Gonilux"));
    EXPECT_EQ(Form1->Label1->text(), EmptyHeader);
    EXPECT_FALSE(Form1->TrackBarDegree->isEnabled());
    EXPECT_FALSE(Form1->TrackBarDegree->isVisible());
    EXPECT_TRUE(Form1->LabelAxial->isVisible());
    EXPECT_EQ(Form1->LabelAxial->text(), QStringLiteral("axially symmetric"));
    EXPECT_TRUE(Doc->IESData().Candela.empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, FileListShowsPlainIesAndLdtFilesOfAnyCaseSortedTogetherByName)
{
    writeRaw(QFile::encodeName(filesDir + "/b.IES"), "x");
    writeRaw(QFile::encodeName(filesDir + "/a.ies"), "x");
    writeRaw(QFile::encodeName(filesDir + "/C.Ies"), "x");
    writeRaw(QFile::encodeName(filesDir + "/b2.ldt"), "x");
    writeRaw(QFile::encodeName(filesDir + "/D.LDT"), "x");
    writeRaw(QFile::encodeName(filesDir + "/.hidden.ldt"), "x");
    writeRaw(QFile::encodeName(filesDir + "/x.ldtx"), "x");
    writeRaw(QFile::encodeName(filesDir + "/notes.txt"), "x");
    writeRaw(QFile::encodeName(filesDir + "/.hidden.ies"), "x");
    writeRaw(QFile::encodeName(filesDir + "/x.iesx"), "x");
    QDir(filesDir).mkdir("folder.ies");
    QDir(filesDir).mkdir("Sub");
    start();
    openFolder(filesDir);
    QStringList shown;
    for (int i = 0; i < Form1->FileListBox1->count(); ++i)
        shown << Form1->FileListBox1->item(i)->text();
    EXPECT_EQ(shown, (QStringList { "a.ies", "b.IES", "b2.ldt", "C.Ies", "D.LDT" }));
    EXPECT_TRUE(Form1->FileListBox1->selectedItems().isEmpty());
    EXPECT_EQ(Form1->FileListBox1->selectionMode(), QAbstractItemView::SingleSelection);

    // The folder list: the ancestors down to the current folder, then its subfolders.
    const int last = Form1->DirectoryListBox1->count() - 1;
    ASSERT_GE(last, 1);
    EXPECT_EQ(Form1->DirectoryListBox1->item(0)->text(), QStringLiteral("/"));
    EXPECT_EQ(Form1->DirectoryListBox1->item(last)->text(), QStringLiteral("Sub"));
    EXPECT_EQ(Form1->DirectoryListBox1->item(last - 1)->text(), QStringLiteral("folder.ies"));
    EXPECT_EQ(Form1->DirectoryListBox1->item(last - 2)->text(), QStringLiteral("files"));
    EXPECT_EQ(Form1->DirectoryListBox1->currentRow(), last - 2);
    EXPECT_EQ(Form1->DriveComboBox1->currentData().toByteArray(),
        folders::volumeOf(QFile::encodeName(filesDir), folders::volumes()));
}

TEST_F(MainWindowTest, LoadsSelectedFilesAndSetsTheTrackBarByPlaneCount)
{
    struct Case {
        QString sample;
        int planes;
        bool trackBarShown;
        QString header;
    };
    const Case cases[] = {
        { "downlight_axial.ies", 1, false,
            "Test:  LT-24-0317\nManufacturer:  Lumetra Lighting\n Recessed round LED downlight, 150 mm, satin "
            "reflector\nLuminaire catalog:  DL-R150-20W-830-60\nLamp: Integrated LED module 20 W 3000 K\nLamp "
            "catalog:  LED-MOD-20-830" },
        { "washer_full_360.ies", 37, true,
            "Test:  BW-2024-118\nManufacturer:  Brightwater Fixtures Inc.\n Recessed wall washer, asymmetric kick "
            "reflector\nLuminaire catalog:  BWF-WW-24-835-ASYM\nLamp: LED module 24 W 3500 K\nLamp catalog:  "
            "BWF-LED-24" },
    };
    for (const auto& c : cases)
        copySample(c.sample, c.sample);
    start();
    openFolder(filesDir);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample.toStdString());
        clickFile(c.sample);
        EXPECT_EQ(Form1->SelectedFileName(), QFile::encodeName(filesDir + '/' + c.sample).toStdString());
        EXPECT_EQ(static_cast<int>(Doc->IESData().Candela.size()), c.planes);
        EXPECT_TRUE(Form1->TrackBarDegree->isEnabled());
        EXPECT_EQ(Form1->TrackBarDegree->isVisible(), c.trackBarShown);
        EXPECT_EQ(Form1->TrackBarDegree->minimum(), 0);
        EXPECT_EQ(Form1->TrackBarDegree->maximum(), c.planes - 1);
        EXPECT_EQ(Form1->TrackBarDegree->value(), 0);
        EXPECT_EQ(Form1->Label1->text(), c.header);
        EXPECT_GT(redPixels(Form1->PaintBox1->Image()), 100) << "the main curves are drawn";
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(MainWindowTest, FolderChangeClearsToGridAndKeepsTheHeader)
{
    copySample("washer_full_360.ies", "washer.ies");
    QDir(filesDir).mkdir("empty");
    start();
    openFolder(filesDir);
    clickFile("washer.ies");
    const QString header = Form1->Label1->text();
    ASSERT_GT(redPixels(Form1->PaintBox1->Image()), 100);

    // Open the subfolder by double-clicking it in the folder list.
    const auto found = Form1->DirectoryListBox1->findItems("empty", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    const QPoint at = Form1->DirectoryListBox1->visualItemRect(found.first()).center();
    QTest::mouseClick(Form1->DirectoryListBox1->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(Form1->Directory(), QFile::encodeName(filesDir)) << "a single click only highlights";
    QTest::mouseDClick(Form1->DirectoryListBox1->viewport(), Qt::LeftButton, {}, at);

    EXPECT_EQ(Form1->Directory(), QFile::encodeName(filesDir + "/empty"));
    EXPECT_EQ(Form1->FileListBox1->count(), 0);
    EXPECT_EQ(redPixels(Form1->PaintBox1->Image()), 0) << "only the grid remains";
    EXPECT_FALSE(Form1->TrackBarDegree->isEnabled());
    EXPECT_TRUE(Form1->TrackBarDegree->isVisible()) << "visibility still follows the file last read";
    EXPECT_EQ(Form1->Label1->text(), header);
    EXPECT_EQ(Doc->IESData().Candela.size(), 37u) << "the record stays loaded";
    EXPECT_TRUE(Form1->SelectedFileName().empty());

    // Enter on the highlighted ancestor goes back up.
    const auto parent = Form1->DirectoryListBox1->findItems("files", Qt::MatchExactly);
    ASSERT_EQ(parent.size(), 1);
    Form1->DirectoryListBox1->setFocus();
    Form1->DirectoryListBox1->setCurrentItem(parent.first());
    QTest::keyClick(Form1->DirectoryListBox1, Qt::Key_Return);
    EXPECT_EQ(Form1->Directory(), QFile::encodeName(filesDir));
    EXPECT_NE(fileItem("washer.ies"), nullptr);

    // Opening the folder on show reads it again: a file added since appears, and nothing is selected.
    clickFile("washer.ies");
    ASSERT_TRUE(Form1->TrackBarDegree->isEnabled());
    copySample("downlight_axial.ies", "added.ies");
    const auto current = Form1->DirectoryListBox1->findItems("files", Qt::MatchExactly);
    ASSERT_EQ(current.size(), 1);
    Form1->DirectoryListBox1->setCurrentItem(current.first());
    QTest::keyClick(Form1->DirectoryListBox1, Qt::Key_Return);
    EXPECT_NE(fileItem("added.ies"), nullptr);
    EXPECT_TRUE(Form1->SelectedFileName().empty());
    EXPECT_FALSE(Form1->TrackBarDegree->isEnabled());
}

TEST_F(MainWindowTest, HugeHeaderEntriesAreCutOnTheLabel)
{
    QByteArray bytes = sampleBytes("downlight_axial.ies");
    bytes.replace("Lumetra Lighting", QByteArray(200000, 'M'));
    writeRaw(QFile::encodeName(filesDir + "/huge.ies"), bytes);
    start();
    openFolder(filesDir);
    clickFile("huge.ies");
    EXPECT_EQ(Doc->IESData().Candela.size(), 1u);
    const QStringList lines = Form1->Label1->text().split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1], "Manufacturer:  " + QString(1024 - 15, 'M') + QChar(0x2026));
    EXPECT_EQ(lines[5], QStringLiteral("Lamp catalog:  LED-MOD-20-830"));
}

TEST_F(MainWindowTest, UnreadableAndEmptyFilesReportTheirErrorAndLeaveNothingLoaded)
{
    copySample("washer_full_360.ies", "a_good.ies");
    writeRaw(QFile::encodeName(filesDir + "/b_empty.ies"), "");
    writeRaw(QFile::encodeName(filesDir + "/c_locked.ies"), sampleBytes("washer_full_360.ies"));
    ASSERT_EQ(::chmod(QFile::encodeName(filesDir + "/c_locked.ies").constData(), 0), 0);
    ::chmod(QFile::encodeName(temp.path()).constData(), 0755);
    ::chmod(QFile::encodeName(filesDir).constData(), 0755);
    start();
    openFolder(filesDir);

    struct Case {
        QString file;
        QString error; // the start of the message
    };
    const Case cases[] = {
        { "b_empty.ies", QString() },
        { "c_locked.ies", "Cannot open file " + filesDir + "/c_locked.ies" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        clickFile("a_good.ies");
        ASSERT_EQ(Doc->IESData().Candela.size(), 37u);
        const QString header = Form1->Label1->text();
        messages.clear();
        // Root reads any file whatever its mode: open the locked one as an ordinary user.
        const bool dropRights = ::geteuid() == 0 && c.file == "c_locked.ies";
        if (dropRights) {
            ASSERT_EQ(::seteuid(65534), 0);
        }
        clickFile(c.file);
        if (dropRights) {
            ASSERT_EQ(::seteuid(0), 0);
        }
        ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();
        if (!c.error.isEmpty()) {
            EXPECT_EQ(messages.first(), c.error);
        }
        EXPECT_TRUE(Doc->IESData().Candela.empty()) << "no file counts as loaded";
        EXPECT_FALSE(Form1->TrackBarDegree->isEnabled());
        EXPECT_EQ(Form1->Label1->text(), header);
        EXPECT_EQ(redPixels(Form1->PaintBox1->Image()), 0);
    }
    ::chmod(QFile::encodeName(filesDir + "/c_locked.ies").constData(), 0644);
}

TEST_F(MainWindowTest, NamesAndHeadersThatAreNotUtf8StillLoad)
{
    // A Latin-1 file name (é as one byte) and a Latin-1 manufacturer.
    QByteArray bytes = sampleBytes("downlight_axial.ies");
    bytes.replace("Lumetra Lighting", "Lumi\xe8re Lighting");
    const QByteArray name = QFile::encodeName(filesDir) + "/lamp\xe9.ies";
    writeRaw(name, bytes);
    start();
    openFolder(filesDir);
    ASSERT_EQ(Form1->FileListBox1->count(), 1);
    EXPECT_EQ(Form1->FileListBox1->item(0)->text(), QString::fromLatin1("lamp\xe9.ies"));
    clickFile(Form1->FileListBox1->item(0)->text());
    EXPECT_EQ(Form1->SelectedFileName(), name.toStdString());
    EXPECT_EQ(Doc->IESData().Candela.size(), 1u);
    EXPECT_TRUE(Form1->Label1->text().contains(QString::fromUtf8("Manufacturer:  Lumière Lighting")));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    ::unlink(name.constData()); // the temporary folder's clean-up works on decoded names
}

TEST_F(MainWindowTest, KeyboardSelectionLoadsEachFileInTurn)
{
    copySample("downlight_axial.ies", "1.ies");
    copySample("washer_full_360.ies", "2.ies");
    start();
    openFolder(filesDir);
    clickFile("1.ies");
    ASSERT_EQ(Doc->IESData().Candela.size(), 1u);
    QTest::keyClick(Form1->FileListBox1, Qt::Key_Down);
    EXPECT_EQ(Form1->SelectedFileName(), QFile::encodeName(filesDir + "/2.ies").toStdString());
    EXPECT_EQ(Doc->IESData().Candela.size(), 37u);
}

TEST_F(MainWindowTest, FitUpRecomputesTheCommonScaleOnLoad)
{
    copySample("washer_full_360.ies", "washer.ies");
    writeSettings("[Viewer]\r\nFit=0\r\n");
    start();
    ASSERT_FALSE(Form1->SpeedButtonFit->isChecked());
    openFolder(filesDir);
    clickFile("washer.ies");
    long double expected = 0;
    for (const auto& row : Doc->IESData().Candela)
        for (long double v : row)
            expected = std::max(expected, v);
    EXPECT_EQ(Doc->MaxIntensity(), expected);
}

TEST_F(MainWindowTest, DriveListShowsTheRootAndRealVolumesOnly)
{
    start();
    ASSERT_GE(Form1->DriveComboBox1->count(), 1);
    EXPECT_EQ(Form1->DriveComboBox1->itemData(0).toByteArray(), QByteArray("/"));
    for (int i = 0; i < Form1->DriveComboBox1->count(); ++i) {
        const QByteArray root = Form1->DriveComboBox1->itemData(i).toByteArray();
        for (const char* pseudo : { "/proc", "/sys", "/dev/pts", "/dev/shm" })
            EXPECT_FALSE(root == pseudo || root.startsWith(QByteArray(pseudo) + '/')) << root;
    }

    // Choosing the drive of the folder on show returns to that drive's last folder.
    openFolder(filesDir);
    const QByteArray drive = Form1->DriveComboBox1->currentData().toByteArray();
    const int index = Form1->DriveComboBox1->findData(drive);
    emit Form1->DriveComboBox1->activated(index);
    EXPECT_EQ(Form1->Directory(), QFile::encodeName(filesDir));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, ClicksThatWouldLeaveNoFileSelectedKeepTheSelection)
{
    copySample("downlight_axial.ies", "a.ies");
    copySample("washer_full_360.ies", "b.ies");
    start();
    openFolder(filesDir);
    clickFile("b.ies");
    ASSERT_EQ(Doc->IESData().Candela.size(), 37u);
    QListWidget* list = Form1->FileListBox1;
    QWidget* view = list->viewport();
    const QPoint selected = list->visualItemRect(fileItem("b.ies")).center();
    const QPoint below(20, view->height() - 3);
    const struct {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        { "click below the files", [&] { QTest::mouseClick(view, Qt::LeftButton, {}, below); } },
        { "ctrl+click below the files", [&] { QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, below); } },
        { "ctrl+click on the selected file",
            [&] { QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, selected); } },
        { "drag from the file to the empty area",
            [&] {
                QTest::mousePress(view, Qt::LeftButton, {}, selected);
                QTest::mouseMove(view, below);
                QTest::mouseRelease(view, Qt::LeftButton, {}, below);
            } },
        { "ctrl+space", [&] { QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list->setFocus();
        c.act();
        EXPECT_EQ(Form1->SelectedFileName(), QFile::encodeName(filesDir + "/b.ies").toStdString());
        EXPECT_EQ(Doc->IESData().Candela.size(), 37u);
        EXPECT_TRUE(Form1->TrackBarDegree->isEnabled());
    }
    clickFile("a.ies");
    EXPECT_EQ(Doc->IESData().Candela.size(), 1u) << "another file is still selected by a click";
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(MainWindowTest, AFolderNamedInLatin1OpensFromTheListAndIsRemembered)
{
    const QByteArray folder = QFile::encodeName(filesDir) + "/caf\xe9";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    writeRaw(folder + "/lamp\xe9.ies", sampleBytes("downlight_axial.ies"));
    start();
    openFolder(filesDir);
    const auto found = Form1->DirectoryListBox1->findItems(QString::fromLatin1("caf\xe9"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    Form1->DirectoryListBox1->setCurrentItem(found.first());
    QTest::keyClick(Form1->DirectoryListBox1, Qt::Key_Return);
    EXPECT_EQ(Form1->Directory(), folder);
    clickFile(QString::fromLatin1("lamp\xe9.ies"));
    EXPECT_EQ(Doc->IESData().Candela.size(), 1u);
    Form1->close();
    EXPECT_TRUE(readSettings().contains("LastFileName=" + folder + "\r\n"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    // The temporary folder's clean-up works on decoded names.
    ::unlink((folder + "/lamp\xe9.ies").constData());
    ::rmdir(folder.constData());
}
