// Opening a file or a folder given from outside the browser: the command line and a drop on the window. The
// browser moves to the folder and selects the file, so the usual loading flow runs.
#include "Uies.h"

#include "FolderListing.h"
#include "Notifier.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

#include <stdexcept>
#include <utility>

#include <sys/stat.h>

namespace {

enum class PathKind { Missing, Folder, File };

PathKind kindOf(const QByteArray& path)
{
    struct stat info { };
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0)
        return PathKind::Missing;
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
}

// The one local path a drag carries, empty when it carries none or several.
QByteArray droppedPath(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    return QFile::encodeName(data->urls().first().toLocalFile());
}

} // namespace

bool TForm1::IsOpenableFileName(const QByteArray& name)
{
    const QByteArray lower = name.toLower();
    return (lower.endsWith(".ies") && name.size() > 4) || (lower.endsWith(".ldt") && name.size() > 4);
}

void TForm1::OpenPath(const QByteArray& path)
{
    const PathKind kind = kindOf(path);
    if (kind == PathKind::Missing)
        throw std::runtime_error("File or folder not found:\r" + path.toStdString());
    if (kind == PathKind::Folder) {
        pendingFile_.clear();
        SetDirectory(path);
        return;
    }
    const QByteArray absolute = folders::absoluteFolder(path);
    const qsizetype slash = absolute.lastIndexOf('/');
    const QByteArray folder = slash <= 0 ? QByteArray("/") : absolute.left(slash);
    SetDirectory(folder);
    pendingFile_ = absolute.mid(slash + 1);
    // Before the first show the file list is still empty; the first reading of the folder selects the file.
    if (filesReadOnce_)
        SelectPendingFile();
}

void TForm1::SelectPendingFile()
{
    if (pendingFile_.isEmpty())
        return;
    const QByteArray name = std::exchange(pendingFile_, QByteArray());
    for (int row = 0; row < FileListBox1->count(); ++row) {
        QListWidgetItem* item = FileListBox1->item(row);
        if (item->data(Qt::UserRole).toByteArray() == name) {
            // Selecting the entry runs the loading flow, as a click on it does.
            FileListBox1->setCurrentItem(item);
            FileListBox1->scrollToItem(item);
            return;
        }
    }
    throw std::runtime_error("The file is not among the files listed in its folder:\r" + name.toStdString());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    // Refused files are refused at the drop, with a message saying why.
    if (!droppedPath(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QByteArray path = droppedPath(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    Guard([this, &path] {
        if (kindOf(path) == PathKind::File && !IsOpenableFileName(path))
            throw std::runtime_error("Only .ies and .ldt files or folders can be opened here:\r" + path.toStdString());
        OpenPath(path);
    });
}
