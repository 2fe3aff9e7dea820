#include "FormDetails.h"

#include "DiagramsPage.h"
#include "GlareTab.h"
#include "IntensityModel.h"
#include "ProfileFile.h"
#include "ZonalChart.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>

namespace {
const std::string Section = "Details";

// One key of the section as an integer; what the window has when the key is missing or not an integer.
int ReadInteger(const std::string& path, const char* key, int current)
{
    const std::string text = profile::ReadString(path, Section, key, std::to_string(current));
    try {
        return profile::StrToInt(text);
    } catch (const std::exception&) {
        return current;
    }
}
} // namespace

TFormDetails::TFormDetails(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Details"));
    resize(DefaultWidth, DefaultHeight);
    BuildControls();
    ShowFile({});
}

// The base class hides the children as it closes, after this window's members are gone: the intensity table
// must no longer read the record it points into by then.
TFormDetails::~TFormDetails()
{
    if (intensityModel_)
        intensityModel_->SetRecord(nullptr, {});
    if (DiagramsPage)
        DiagramsPage->ShowFile(nullptr, nullptr);
}

void TFormDetails::BuildControls()
{
    Tabs = new QTabWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Tabs);
    BuildDatasheetButtons(layout);

    SummaryView = new QPlainTextEdit;
    SummaryView->setReadOnly(true);
    SummaryView->setLineWrapMode(QPlainTextEdit::WidgetWidth); // a long entry (a lamp set) wraps: nothing cut off
    Tabs->addTab(SummaryView, QStringLiteral("&Summary"));

    auto* zonalPage = new QWidget;
    auto* zonalLayout = new QHBoxLayout(zonalPage);
    zonalLayout->setContentsMargins(0, 0, 0, 0);
    ZonalTable = new QTableWidget(zonalPage);
    ZonalTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ZonalTable->verticalHeader()->hide();
    ZonalChart = new TZonalChart(zonalPage);
    zonalLayout->addWidget(ZonalTable, 3);
    zonalLayout->addWidget(ZonalChart, 2);
    Tabs->addTab(zonalPage, QStringLiteral("&Zonal flux"));

    intensityModel_ = new TIntensityModel(this);
    auto* intensityPage = new QWidget;
    auto* intensityLayout = new QVBoxLayout(intensityPage);
    intensityLayout->setContentsMargins(0, 0, 0, 0);
    auto* unitRow = new QHBoxLayout;
    auto* unitLabel = new QLabel(QStringLiteral("&Unit:"));
    IntensityUnit = new QComboBox;
    IntensityUnit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    unitLabel->setBuddy(IntensityUnit);
    unitRow->addWidget(unitLabel);
    unitRow->addWidget(IntensityUnit);
    unitRow->addStretch(1);
    intensityLayout->addLayout(unitRow);
    IntensityTable = new QTableView;
    IntensityTable->setModel(intensityModel_);
    IntensityTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    IntensityTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    IntensityTable->setCornerButtonEnabled(true);
    // The corner names the unit: wide enough for "cd/klm", painted with its text over the plain corner button.
    IntensityTable->verticalHeader()->setMinimumWidth(
        IntensityTable->fontMetrics().horizontalAdvance(QStringLiteral("cd/klm")) + 16);
    intensityCorner_ = IntensityTable->findChild<QAbstractButton*>();
    if (intensityCorner_)
        intensityCorner_->installEventFilter(this);
    intensityLayout->addWidget(IntensityTable);
    Tabs->addTab(intensityPage, QStringLiteral("&Intensity table"));
    connect(IntensityUnit, &QComboBox::currentIndexChanged, this, [this](int index) { SetIntensityUnit(index); });

    DiagnosticsTable = new QTableWidget(0, DiagnosticsColumns);
    DiagnosticsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DiagnosticsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    DiagnosticsTable->verticalHeader()->hide();
    DiagnosticsTable->setHorizontalHeaderLabels({ QString(), QStringLiteral("Line"), QStringLiteral("Column"),
        QStringLiteral("Message"), QStringLiteral("Code") });
    DiagnosticsTable->horizontalHeader()->setStretchLastSection(true);
    Tabs->addTab(DiagnosticsTable, QStringLiteral("&Diagnostics"));

    DiagramsPage = new TDiagramsPage;
    Tabs->addTab(DiagramsPage, QStringLiteral("Dia&grams"));

    SaveAsButton = new QPushButton(QStringLiteral("Save &as..."));
    SaveAsButton->setToolTip(QStringLiteral("Write the file as IES LM-63-2002 or EULUMDAT (Ctrl+S)"));
    Tabs->setCornerWidget(SaveAsButton, Qt::TopRightCorner);
    connect(SaveAsButton, &QPushButton::clicked, this, &TFormDetails::SaveAs);
    auto* save = new QShortcut(QKeySequence::Save, this, nullptr, nullptr, Qt::WindowShortcut);
    connect(save, &QShortcut::activated, this, &TFormDetails::SaveAs);

    GlareTab = new TGlareTab;
    Tabs->addTab(GlareTab, QStringLiteral("&Glare"));

    auto* copy = new QShortcut(QKeySequence::Copy, this, nullptr, nullptr, Qt::WindowShortcut);
    connect(copy, &QShortcut::activated, this, &TFormDetails::CopyToClipboard);
    // The pages' own widgets would copy only their current cell or text selection: the copy keys are taken
    // from them so that Ctrl+C copies the tab the same way wherever the focus is.
    for (QWidget* page :
        { static_cast<QWidget*>(SummaryView), static_cast<QWidget*>(ZonalTable), static_cast<QWidget*>(IntensityTable),
            static_cast<QWidget*>(DiagnosticsTable), static_cast<QWidget*>(GlareTab->Table) })
        page->installEventFilter(this);
    for (QWidget* widget : DiagramsPage->CopyKeyWidgets())
        widget->installEventFilter(this);
}

bool TFormDetails::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == intensityCorner_ && event->type() == QEvent::Paint) {
        PaintIntensityCorner();
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            if (event->type() == QEvent::KeyPress)
                CopyToClipboard();
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFormDetails::PaintIntensityCorner()
{
    QStylePainter painter(intensityCorner_);
    QStyleOptionHeader option;
    option.initFrom(intensityCorner_);
    option.rect = intensityCorner_->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = QString::fromStdString(unit_.Name);
    option.textAlignment = Qt::AlignCenter;
    painter.drawControl(QStyle::CE_Header, option);
}

void TFormDetails::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormDetails::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept(); // hidden, not destroyed: the next opening shows it as it was
}

TFormDetails::Tab TFormDetails::CurrentTab() const { return static_cast<Tab>(Tabs->currentIndex()); }

void TFormDetails::SetCurrentTab(Tab tab)
{
    if (tab >= 0 && tab < TabCount)
        Tabs->setCurrentIndex(tab);
}

void TFormDetails::CopyToClipboard()
{
    const QString text = CopyText();
    QApplication::clipboard()->setText(text);
    emit copied(text);
}

bool TFormDetails::ReadSettings(const std::string& settingsPath)
{
    const int width = ReadInteger(settingsPath, "Width", this->width());
    const int height = ReadInteger(settingsPath, "Height", this->height());
    resize(std::max(width, 100), std::max(height, 80));
    // A place is kept only when both its keys are whole numbers.
    constexpr int none = std::numeric_limits<int>::min();
    const int left = ReadInteger(settingsPath, "Left", none);
    const int top = ReadInteger(settingsPath, "Top", none);
    move(left != none ? left : x(), top != none ? top : y());
    SetCurrentTab(static_cast<Tab>(ReadInteger(settingsPath, "Tab", CurrentTab())));
    DiagramsPage->ReadSettings(settingsPath, Section);
    return left != none && top != none;
}

void TFormDetails::WriteSettings(const std::string& settingsPath) const
{
    // One write for the whole section, so that another program saving at the same moment cannot mix in.
    profile::WriteStrings(settingsPath, Section,
        { { "Left", std::to_string(x()) }, { "Top", std::to_string(y()) }, { "Width", std::to_string(width()) },
            { "Height", std::to_string(height()) }, { "Tab", std::to_string(CurrentTab()) } });
    DiagramsPage->WriteSettings(settingsPath, Section);
}
