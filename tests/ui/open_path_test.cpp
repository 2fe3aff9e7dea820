// Opening a file or a folder from outside the browser: the command line at start and a drop on the main window.
#include "mainwindow_harness.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

namespace {

class OpenPathTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        copySample("spot_full_22_5.ies", "spot.ies");
        copySample("washer_full_360.ies", "UPPER.IES");
        copySample("downlight_axial.ies", "notes.txt");
        QDir(filesDir).mkdir("inner");
        copySample("street_bilateral.ies", "street.ies", filesDir + "/inner");
    }

    QString selectedName() const
    {
        const auto selected = Form1->FileListBox1->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text();
    }

    // Drops one local path on the main window as a file manager does: enter, then drop.
    bool drop(const QString& path)
    {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(path) });
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form1, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form1, &dropped);
        return true;
    }
};

struct StartCase {
    const char* name;
    QString path; // relative to the files folder
    QString folder; // shown at start, relative to the files folder; null: the usual start folder
    QString selected; // the file selected and loaded, empty for none
    bool message; // a message names the path
};

TEST_F(OpenPathTest, CommandLinePathChoosesTheStart)
{
    const StartCase cases[] = {
        { "file", "spot.ies", "", "spot.ies", false },
        { "file in a subfolder, by a path with a dot", "./inner/street.ies", "inner", "street.ies", false },
        { "folder", "inner", "inner", "", false },
        { "missing", "nothing_here.ies", QString(), "", true },
        { "a file the list does not show", "notes.txt", "", "", true },
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const QString path = filesDir + '/' + c.path;
        Viewer viewer;
        QSignalSpy loaded(&viewer.Document(), &TDocument::loaded);
        const QByteArray usualFolder = viewer.MainWindow().Directory();
        viewer.OpenAtStart({ path });
        viewer.MainWindow().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer.MainWindow()));

        const QByteArray expectedFolder
            = c.folder.isNull() ? usualFolder : QFile::encodeName(QDir::cleanPath(filesDir + '/' + c.folder));
        EXPECT_EQ(viewer.MainWindow().Directory(), expectedFolder);
        const auto selected = viewer.MainWindow().FileListBox1->selectedItems();
        EXPECT_EQ(selected.isEmpty() ? QString() : selected.first()->text(), c.selected);
        EXPECT_EQ(loaded.count(), c.selected.isEmpty() ? 0 : 1);
        ASSERT_EQ(messages.size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_TRUE(messages.first().contains(c.path.section('/', -1))) << messages.first();
        }
        viewer.MainWindow().close();
    }
}

struct DropCase {
    const char* name;
    QString path; // relative to the files folder
    QString folder; // relative to the files folder
    QString selected;
    bool refused; // a message and nothing changed
};

TEST_F(OpenPathTest, DroppedFileOrFolderOpensAndOthersAreRefused)
{
    const DropCase cases[] = {
        { "ies file", "spot.ies", "", "spot.ies", false },
        { "extension in capitals", "UPPER.IES", "", "UPPER.IES", false },
        { "file of another folder", "inner/street.ies", "inner", "street.ies", false },
        { "folder", "inner", "inner", "", false },
        { "other file", "notes.txt", "", "", true },
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        openFolder(filesDir);
        messages.clear();
        QSignalSpy loaded(Doc, &TDocument::loaded);
        ASSERT_TRUE(drop(filesDir + '/' + c.path));
        EXPECT_EQ(Form1->Directory(), QFile::encodeName(QDir::cleanPath(filesDir + '/' + c.folder)));
        EXPECT_EQ(selectedName(), c.selected);
        EXPECT_EQ(loaded.count(), c.selected.isEmpty() ? 0 : 1);
        EXPECT_EQ(messages.size(), c.refused ? 1 : 0);
        if (c.refused) {
            EXPECT_TRUE(messages.first().contains("notes.txt")) << messages.first();
        }
        delete Form2;
        Form2 = nullptr;
        delete Form1;
        Form1 = nullptr;
    }
}

TEST_F(OpenPathTest, ADragWithoutOneLocalPathIsNotTaken)
{
    start();
    QMimeData remote;
    remote.setUrls({ QUrl("https://example.org/a.ies") });
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &remote, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form1, &enter);
    EXPECT_FALSE(enter.isAccepted());
    QMimeData two;
    two.setUrls({ QUrl::fromLocalFile(filesDir + "/spot.ies"), QUrl::fromLocalFile(filesDir + "/UPPER.IES") });
    QDragEnterEvent enterTwo(QPoint(5, 5), Qt::CopyAction, &two, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form1, &enterTwo);
    EXPECT_FALSE(enterTwo.isAccepted());
}

} // namespace
