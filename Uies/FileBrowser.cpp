// The file browser of the main window: drive list -> folder list -> file list.
#include "Uies.h"

#include "FolderListing.h"
#include "Notifier.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;

// Indents each folder entry by its depth below the root, so the ancestors read as a path.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + 8 * index.data(DepthRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += 8 * index.data(DepthRole).toInt();
        return size;
    }
};

QListWidgetItem* folderItem(const QString& text, const QByteArray& path, int depth, const QIcon& icon)
{
    auto* item = new QListWidgetItem(icon, text);
    item->setData(PathRole, path);
    item->setData(DepthRole, depth);
    return item;
}

} // namespace

void TForm1::SetDirectory(const QByteArray& folder)
{
    const QByteArray path = folders::absoluteFolder(folder);
    folders::checkEnterable(path);
    directory_ = path;
    ShowDirectory();
    // Before the window is first shown the file list is empty; showing it reads the folder.
    if (filesReadOnce_)
        ReadFiles();
}

void TForm1::ReadDrives()
{
    const QSignalBlocker block(DriveComboBox1);
    DriveComboBox1->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const auto& volume : folders::volumes()) {
        QString text = folders::displayName(volume.root);
        if (!volume.label.isEmpty())
            text += QStringLiteral(" [%1]").arg(volume.label);
        DriveComboBox1->addItem(icon, text, volume.root);
    }
}

void TForm1::ShowDirectory()
{
    if (!DirectoryListBox1->itemDelegate() || !dynamic_cast<IndentDelegate*>(DirectoryListBox1->itemDelegate()))
        DirectoryListBox1->setItemDelegate(new IndentDelegate(DirectoryListBox1));

    // The drive list follows the folder.
    std::vector<folders::Volume> roots;
    for (int i = 0; i < DriveComboBox1->count(); ++i)
        roots.push_back({ DriveComboBox1->itemData(i).toByteArray(), QString() });
    const QByteArray drive = folders::volumeOf(directory_, roots);
    driveFolders_[drive] = directory_;
    {
        const QSignalBlocker block(DriveComboBox1);
        DriveComboBox1->setCurrentIndex(DriveComboBox1->findData(drive));
    }

    const QSignalBlocker block(DirectoryListBox1);
    DirectoryListBox1->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // Ancestors from the root down, ending with the current folder.
    int depth = 0;
    DirectoryListBox1->addItem(folderItem(QStringLiteral("/"), "/", depth, open));
    QByteArray path;
    for (const QByteArray& part : directory_.split('/')) {
        if (part.isEmpty())
            continue;
        path += '/' + part;
        DirectoryListBox1->addItem(folderItem(folders::displayName(part), path, ++depth, open));
    }
    const int current = DirectoryListBox1->count() - 1;
    for (const QByteArray& name : folders::subfolders(directory_))
        DirectoryListBox1->addItem(
            folderItem(folders::displayName(name), folders::join(directory_, name), depth + 1, closed));
    DirectoryListBox1->setCurrentRow(current);
}

void TForm1::ReadFiles()
{
    {
        const QSignalBlocker block(FileListBox1);
        FileListBox1->clear();
        for (const QByteArray& name : folders::photometricFiles(directory_)) {
            auto* item = new QListWidgetItem(folders::displayName(name));
            item->setData(PathRole, name);
            FileListBox1->addItem(item);
        }
        FileListBox1->setCurrentRow(-1);
        FileListBox1->clearSelection();
    }
    // The list reports the change of its contents as it reports a change of selection.
    Guard([this] { FileListBox1DblClick(); });
}

void TForm1::DriveChosen(int index)
{
    const QByteArray drive = DriveComboBox1->itemData(index).toByteArray();
    auto remembered = driveFolders_.find(drive);
    const QByteArray folder = remembered != driveFolders_.end() ? remembered->second : drive;
    try {
        SetDirectory(folder);
    } catch (...) {
        // The drive list keeps showing the drive of the folder still on show.
        ShowDirectory();
        throw;
    }
}

void TForm1::DirectoryActivated(int row)
{
    if (QListWidgetItem* item = DirectoryListBox1->item(row))
        SetDirectory(item->data(PathRole).toByteArray());
}

std::string TForm1::SelectedFileName() const
{
    const auto selected = FileListBox1->selectedItems();
    if (selected.isEmpty())
        return {};
    return folders::join(directory_, selected.first()->data(PathRole).toByteArray()).toStdString();
}
