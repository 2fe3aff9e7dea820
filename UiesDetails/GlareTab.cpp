#include "GlareTab.h"

#include "UgrText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr long double kSpacings[] = { 0.25L, 1.0L };

} // namespace

TGlareTab::TGlareTab(QWidget* parent)
    : QWidget(parent)
{
    SpacingChoice = new QComboBox;
    SpacingChoice->addItem(QStringLiteral("SHR 0.25"));
    SpacingChoice->addItem(QStringLiteral("SHR 1"));
    SpacingChoice->setToolTip(QStringLiteral("Spacing between luminaires as a multiple of their height above the eye"));
    Corrected = new QCheckBox(QStringLiteral("Corrected for the lamp flux"));
    Corrected->setToolTip(QStringLiteral("Unchecked: 1000 lm per luminaire; checked: + 8 log10(flux / 1000)"));
    Caption = new QLabel;
    Caption->setWordWrap(true);
    Caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Table = new QTableWidget;
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->horizontalHeader()->hide();
    Table->verticalHeader()->hide();

    auto* choices = new QHBoxLayout;
    choices->addWidget(SpacingChoice);
    choices->addWidget(Corrected);
    choices->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(choices);
    layout->addWidget(Caption);
    layout->addWidget(Table, 1);

    connect(SpacingChoice, &QComboBox::currentIndexChanged, this, [this] { Rate(); });
    connect(Corrected, &QCheckBox::toggled, this, [this] { Rate(); });
    Rate();
}

void TGlareTab::ShowFile(const tIES& record, const tPhotometricHeader& header)
{
    record_ = record;
    header_ = header;
    Rate();
}

QString TGlareTab::CopyText() const { return copyText_; }

void TGlareTab::Rate()
{
    Table->clear();
    Table->setRowCount(0);
    copyText_.clear();
    if (IsEmpty(record_)) {
        Caption->setText(QStringLiteral("No file selected"));
        return;
    }
    const int choice = std::max(SpacingChoice->currentIndex(), 0);
    tUgrResult result;
    try {
        result = ComputeUgrTable(record_, header_, { kSpacings[choice], Corrected->isChecked() });
    } catch (const std::exception& error) {
        result.reason = error.what();
    }
    if (!result.table) {
        Caption->setText(QStringLiteral("No UGR table: ") + QString::fromStdString(result.reason));
        return;
    }
    const std::string separator = QLocale::system().decimalPoint().toStdString();
    const QString caption = QString::fromStdString(UgrCaption(*result.table, separator));
    Caption->setText(caption + QStringLiteral("\n") + QString::fromStdString(UgrConditionsLine()));

    const std::vector<tUgrTextRow> rows = UgrTableRows(*result.table, separator);
    Table->setColumnCount(kUgrColumns);
    Table->setRowCount(static_cast<int>(rows.size()));
    QFont heading = Table->font();
    heading.setBold(true);
    copyText_ = caption + QLatin1Char('\n');
    for (std::size_t r = 0; r < rows.size(); ++r) {
        QStringList line;
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const QString text = QString::fromStdString(rows[r][c]);
            line << text;
            auto* item = new QTableWidgetItem(text);
            const bool isHeading = r < kUgrHeadingRows || c < 2;
            if (isHeading)
                item->setFont(heading);
            item->setTextAlignment(c < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            Table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
        copyText_ += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    // The view labels run across the five columns of their half.
    Table->setSpan(kUgrHeadingRows - 1, 2, 1, 5);
    Table->setSpan(kUgrHeadingRows - 1, 7, 1, 5);
    Table->item(kUgrHeadingRows - 1, 2)->setTextAlignment(Qt::AlignCenter);
    Table->item(kUgrHeadingRows - 1, 7)->setTextAlignment(Qt::AlignCenter);
    Table->resizeColumnsToContents();
    Table->resizeRowsToContents();
}
