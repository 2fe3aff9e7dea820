#pragma once
// The details' glare page: the UGR table of the file shown, with the spacing to height ratio and the flux
// correction chosen beside it, or why the file gives no table.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

class TGlareTab : public QWidget {
    Q_OBJECT
public:
    explicit TGlareTab(QWidget* parent = nullptr);

    // Rates the record read with header (an empty record: nothing shown). Both are copied.
    void ShowFile(const tIES& record, const tPhotometricHeader& header);

    // The caption and the table as tab-separated lines; empty while there is no table.
    QString CopyText() const;

    QComboBox* SpacingChoice = nullptr; // SHR 0.25 (the catalogue convention) or 1
    QCheckBox* Corrected = nullptr; // for the file's lamp flux instead of 1000 lm
    QLabel* Caption = nullptr; // what the table is for, or why there is none
    QTableWidget* Table = nullptr;

private:
    void Rate();

    tIES record_;
    tPhotometricHeader header_;
    QString copyText_;
};
