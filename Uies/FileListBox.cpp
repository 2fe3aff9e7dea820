#include "FileListBox.h"

TFileListBox::TFileListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QItemSelectionModel::SelectionFlags TFileListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (!selectionModel() || !selectionModel()->hasSelection())
        return command;
    // What the user does to the list may change the selected file but never leave none selected.
    const bool clears = !index.isValid() && command.testAnyFlags(QItemSelectionModel::Clear);
    const bool dropsSelected = index.isValid() && selectionModel()->isSelected(index)
        && command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle);
    return clears || dropsSelected ? QItemSelectionModel::NoUpdate : command;
}
