// The file list's context menu ("Save as...") and the list following files written into the folder on show.
#include "Uies.h"

#include "FolderListing.h"
#include "Notifier.h"
#include "SaveAsFile.h"
#include "TDocument.h"

#include <QListWidget>
#include <QMenu>

namespace {
constexpr int PathRole = Qt::UserRole; // the item's name in raw bytes, as the browser stores it
} // namespace

void TForm1::BindFileListMenu()
{
    FileListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FileListBox1, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { Guard([this, &at] { FileListContextMenu(at); }); });
    connect(&document_, &TDocument::fileWritten, this,
        [this](const QByteArray& path) { Guard([this, &path] { FileWritten(path); }); });
}

void TForm1::FileListContextMenu(const QPoint& at)
{
    const QListWidgetItem* item = FileListBox1->itemAt(at);
    if (!item)
        return;
    const std::string path = folders::join(directory_, item->data(PathRole).toByteArray()).toStdString();
    delete fileListMenu_;
    fileListMenu_ = new QMenu(this);
    fileListMenu_->setAttribute(Qt::WA_DeleteOnClose);
    connect(fileListMenu_->addAction(QStringLiteral("Save &as...")), &QAction::triggered, this,
        [this, path] { Guard([this, &path] { SaveFileAs(path); }); });
    fileListMenu_->popup(FileListBox1->viewport()->mapToGlobal(at));
}

void TForm1::SaveFileAs(const std::string& path)
{
    const std::string written = saveas::saveAs(this, path);
    if (!written.empty())
        document_.AnnounceFileWritten(written);
}

void TForm1::FileWritten(const QByteArray& path)
{
    const int slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? folders::workingFolder() : path.left(slash == 0 ? 1 : slash);
    if (!filesReadOnce_ || folders::absoluteFolder(folder) != directory_)
        return;
    // Read again without a change of selection: the file on show stays selected and is not loaded anew.
    const QListWidgetItem* current = FileListBox1->selectedItems().value(0);
    const QByteArray selected = current ? current->data(PathRole).toByteArray() : QByteArray();
    const QSignalBlocker block(FileListBox1);
    FileListBox1->clear();
    for (const QByteArray& name : folders::photometricFiles(directory_)) {
        auto* item = new QListWidgetItem(folders::displayName(name));
        item->setData(PathRole, name);
        FileListBox1->addItem(item);
        if (!selected.isEmpty() && name == selected) {
            FileListBox1->setCurrentItem(item);
            item->setSelected(true);
        }
    }
}
