#pragma once
// The file list of the main window: one selected file at most, and once a file is selected a click can only
// select another one. Clicking the empty area below the files or Ctrl+clicking the selected file keeps the
// selection; only reading the folder again leaves nothing selected.

#include <QListWidget>

class TFileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TFileListBox(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;
};
