#include "IntensityModel.h"

#include "NumberFormat.h"

#include <QFont>

TIntensityModel::TIntensityModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TIntensityModel::SetRecord(const tIES* record, tNumberStyle style, tIntensityUnit unit)
{
    beginResetModel();
    record_ = record;
    style_ = std::move(style);
    unit_ = std::move(unit);
    endResetModel();
}

void TIntensityModel::SetMarkedPlane(int plane)
{
    const int before = marked_;
    marked_ = plane;
    for (const int row : { before, plane })
        if (row >= 0 && row < rowCount())
            emit headerDataChanged(Qt::Vertical, row, row);
}

int TIntensityModel::rowCount(const QModelIndex& parent) const
{
    return record_ && !parent.isValid() ? static_cast<int>(record_->Candela.size()) : 0;
}

int TIntensityModel::columnCount(const QModelIndex& parent) const
{
    return record_ && !parent.isValid() ? static_cast<int>(record_->VertAngles.size()) : 0;
}

QString TIntensityModel::Number(long double value) const
{
    return QString::fromStdString(FormatGeneral(value, style_.Decimal));
}

QVariant TIntensityModel::data(const QModelIndex& index, int role) const
{
    if (!record_ || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const tArrEx& row = record_->Candela[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    if (column >= row.size())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(IntensityText(row[column], style_, unit_));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TIntensityModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!record_ || section < 0)
        return {};
    const tArrEx& angles = orientation == Qt::Horizontal ? record_->VertAngles : record_->HorizAngles;
    if (static_cast<std::size_t>(section) >= angles.size())
        return {};
    if (role == Qt::DisplayRole)
        return Number(angles[static_cast<std::size_t>(section)]);
    if (role == Qt::FontRole && orientation == Qt::Vertical && section == marked_) {
        QFont font;
        font.setBold(true);
        return font;
    }
    return {};
}
