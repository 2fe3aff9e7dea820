#pragma once
// The intensity table as a table model: planes as rows, vertical angles as columns, the intensities in a unit,
// rounded for reading. The headers hold the angles as read; the selected plane's row header is bold.

#include "DetailsText.h"
#include "tIES.h"

#include <QAbstractTableModel>

#include <string>

class TIntensityModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TIntensityModel(QObject* parent = nullptr);

    // The record is read where it stands; it must outlive the model or be replaced through SetRecord first.
    void SetRecord(const tIES* record, tNumberStyle style, tIntensityUnit unit = {});
    void SetMarkedPlane(int plane);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString Number(long double value) const;

    const tIES* record_ = nullptr;
    tNumberStyle style_;
    tIntensityUnit unit_;
    int marked_ = -1;
};
