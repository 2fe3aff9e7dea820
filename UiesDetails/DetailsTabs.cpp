// What the tabs show and what Ctrl+C copies from them.
#include "FormDetails.h"

#include "DiagramsPage.h"
#include "FileSummary.h"
#include "GlareTab.h"
#include "IntensityModel.h"
#include "PhotometricFile.h"
#include "ZonalChart.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringDecoder>
#include <QStringList>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

namespace {

tNumberStyle NumberStyle()
{
    const QLocale locale = QLocale::system();
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

// Text from the file, line by line: UTF-8 when valid, otherwise Latin-1, as the header text is shown.
QString FromBytes(const std::string& bytes)
{
    QString text;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const QByteArrayView line(bytes.data() + start, static_cast<qsizetype>(end - start));
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(line);
        text += utf8.hasError() ? QString::fromLatin1(line) : decoded;
        start = end;
    }
    return text;
}

QString Text(const tTextRows& rows) { return FromBytes(TabSeparated(rows)); }

} // namespace

void TFormDetails::ShowFile(tDetailsFile file)
{
    file_ = std::move(file);
    figures_ = IsEmpty(file_.Record) ? PhotometricFigures {} : ComputeFigures(file_.Record, file_.Header);
    const bool none = !HasFile();
    setWindowTitle(none ? QStringLiteral("Details")
                        : QStringLiteral("Details - ") + QFileInfo(QFile::decodeName(file_.Path.c_str())).fileName());
    FillUnits();
    FillSummary();
    FillZonal();
    FillDiagnostics();
    DiagramsPage->ShowFile(IsEmpty(file_.Record) ? nullptr : &file_.Record, &file_.Header);
    GlareTab->ShowFile(file_.Record, file_.Header);
    ShowPlane(plane_);
    SaveAsButton->setEnabled(!file_.Path.empty() && !IsEmpty(file_.Record));
}

bool TFormDetails::HasFile() const { return !file_.Path.empty() || !IsEmpty(file_.Record); }

void TFormDetails::FillUnits()
{
    // An EULUMDAT table is stored per kilolumen: shown so by default, its values read as the file writes them.
    const std::optional<tIntensityUnit> perKilolumen = PerKilolumenUnit(file_.Header, figures_);
    units_ = { CandelaUnit(file_.Header) };
    if (perKilolumen)
        units_.push_back(*perKilolumen);
    const QSignalBlocker block(IntensityUnit);
    IntensityUnit->clear();
    for (const tIntensityUnit& unit : units_)
        IntensityUnit->addItem(QString::fromStdString(unit.Name));
    IntensityUnit->setEnabled(units_.size() > 1);
    IntensityUnit->setToolTip(
        perKilolumen ? QString() : QStringLiteral("cd/klm needs a lamp flux (not for absolute photometry)"));
    SetIntensityUnit(perKilolumen && IsLdtPath(file_.Path) ? 1 : 0);
}

void TFormDetails::SetIntensityUnit(int index)
{
    if (index < 0 || index >= static_cast<int>(units_.size()))
        return;
    unit_ = units_[static_cast<std::size_t>(index)];
    if (IntensityUnit->currentIndex() != index) {
        const QSignalBlocker block(IntensityUnit);
        IntensityUnit->setCurrentIndex(index);
    }
    intensityModel_->SetRecord(&file_.Record, NumberStyle(), unit_);
    IntensityTable->resizeColumnsToContents();
    ShowPlane(plane_);
}

void TFormDetails::ShowPlane(int plane)
{
    plane_ = plane;
    intensityModel_->SetMarkedPlane(plane);
    DiagramsPage->ShowPlane(plane);
    if (plane >= 0 && plane < intensityModel_->rowCount())
        IntensityTable->scrollTo(intensityModel_->index(plane, 0), QAbstractItemView::PositionAtCenter);
}

void TFormDetails::FillSummary()
{
    if (!HasFile()) {
        SummaryView->setPlainText(QStringLiteral("No file selected"));
        return;
    }
    SummaryView->setPlainText(CopyText(TabSummary));
}

void TFormDetails::FillZonal()
{
    const tTextRows rows = ZonalRows(figures_, NumberStyle());
    ZonalTable->clear();
    ZonalTable->setColumnCount(static_cast<int>(rows[0].size()));
    ZonalTable->setRowCount(static_cast<int>(rows.size() - 1));
    QStringList labels;
    for (const std::string& label : rows[0])
        labels << QString::fromStdString(label);
    ZonalTable->setHorizontalHeaderLabels(labels);
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            ZonalTable->setItem(static_cast<int>(r - 1), static_cast<int>(c), item);
        }
    ZonalTable->resizeColumnsToContents();
    // The whole table is shown beside the chart: no column cut off.
    int width = 2 * ZonalTable->frameWidth() + ZonalTable->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < ZonalTable->columnCount(); ++column)
        width += ZonalTable->columnWidth(column);
    ZonalTable->setMinimumWidth(width);
    ZonalChart->SetZones(figures_.ZonalFlux
            ? std::vector<double>(figures_.ZonalFlux->begin(), figures_.ZonalFlux->end())
            : std::vector<double> {});
}

void TFormDetails::FillDiagnostics()
{
    DiagnosticsTable->setRowCount(0);
    if (file_.Checks.empty() && HasFile()) {
        // A clean file says so rather than showing an empty table.
        DiagnosticsTable->setRowCount(1);
        auto* clean = new QTableWidgetItem(QString::fromLatin1(kNoProblems));
        DiagnosticsTable->setItem(0, 3, clean);
        DiagnosticsTable->resizeColumnsToContents();
        return;
    }
    DiagnosticsTable->setRowCount(static_cast<int>(file_.Checks.size()));
    int row = 0;
    for (const Diagnostic& diagnostic : file_.Checks) {
        const auto sign = diagnostic.severity == Severity::Error ? QStyle::SP_MessageBoxCritical
            : diagnostic.severity == Severity::Warning           ? QStyle::SP_MessageBoxWarning
                                                                 : QStyle::SP_MessageBoxInformation;
        auto* severity = new QTableWidgetItem(style()->standardIcon(sign), QString());
        severity->setToolTip(QString::fromLatin1(SeverityName(diagnostic.severity)));
        const QString cells[] = { QString(), QString::number(diagnostic.line),
            diagnostic.column ? QString::number(diagnostic.column) : QString(),
            QString::fromStdString(diagnostic.message), QString::fromStdString(diagnostic.code) };
        DiagnosticsTable->setItem(row, 0, severity);
        for (int column = 1; column < DiagnosticsColumns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column < 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            DiagnosticsTable->setItem(row, column, item);
        }
        ++row;
    }
    DiagnosticsTable->resizeColumnsToContents();
}

QString TFormDetails::CopyText() const { return CopyText(CurrentTab()); }

QString TFormDetails::CopyText(Tab tab) const
{
    // A file read without any intensity (its counts missing or zero) still has its diagnostics to copy.
    if (tab == TabDiagnostics)
        return DiagnosticsCopyText();
    if (IsEmpty(file_.Record))
        return {};
    switch (tab) {
    case TabSummary:
        return FromBytes(::SummaryText(SummaryEntries(file_, figures_, NumberStyle())));
    case TabZonal:
        return Text(ZonalRows(figures_, NumberStyle()));
    case TabIntensity:
        return IntensityCopyText();
    case TabDiagrams:
        return DiagramsPage->CopyText();
    case TabGlare:
        return GlareTab->CopyText();
    default:
        return {};
    }
}

QString TFormDetails::IntensityCopyText() const
{
    const QModelIndexList selected = IntensityTable->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return Text(IntensityRows(file_.Record, NumberStyle(), unit_));
    std::vector<tCell> cells;
    cells.reserve(static_cast<std::size_t>(selected.size()));
    for (const QModelIndex& index : selected)
        cells.push_back({ static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()) });
    return Text(SelectedIntensityRows(file_.Record, cells, NumberStyle(), unit_));
}

QString TFormDetails::DiagnosticsCopyText() const
{
    if (file_.Checks.empty() && HasFile())
        return QString::fromLatin1(kNoProblems) + QLatin1Char('\n');
    std::string lines;
    for (const Diagnostic& diagnostic : file_.Checks)
        lines += FormatDiagnostic(file_.Path, diagnostic) + '\n';
    return FromBytes(lines);
}
