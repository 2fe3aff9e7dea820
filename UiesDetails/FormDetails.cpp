#include "FormDetails.h"

#include "IntensityModel.h"
#include "ProfileFile.h"
#include "ZonalChart.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

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
    SummaryView->setLineWrapMode(QPlainTextEdit::NoWrap);
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
    IntensityTable = new QTableView;
    IntensityTable->setModel(intensityModel_);
    IntensityTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    IntensityTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    IntensityTable->setCornerButtonEnabled(true);
    Tabs->addTab(IntensityTable, QStringLiteral("&Intensity table"));

    DiagnosticsTable = new QTableWidget(0, DiagnosticsColumns);
    DiagnosticsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DiagnosticsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    DiagnosticsTable->verticalHeader()->hide();
    DiagnosticsTable->setHorizontalHeaderLabels({ QString(), QStringLiteral("Line"), QStringLiteral("Column"),
        QStringLiteral("Message"), QStringLiteral("Code") });
    DiagnosticsTable->horizontalHeader()->setStretchLastSection(true);
    Tabs->addTab(DiagnosticsTable, QStringLiteral("&Diagnostics"));

    auto* copy = new QShortcut(QKeySequence::Copy, this, nullptr, nullptr, Qt::WindowShortcut);
    connect(copy, &QShortcut::activated, this, &TFormDetails::CopyToClipboard);
    // The pages' own widgets would copy only their current cell or text selection: the copy keys are taken
    // from them so that Ctrl+C copies the tab the same way wherever the focus is.
    for (QWidget* page : { static_cast<QWidget*>(SummaryView), static_cast<QWidget*>(ZonalTable),
             static_cast<QWidget*>(IntensityTable), static_cast<QWidget*>(DiagnosticsTable) })
        page->installEventFilter(this);
}

bool TFormDetails::eventFilter(QObject* watched, QEvent* event)
{
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

void TFormDetails::ReadSettings(const std::string& settingsPath)
{
    const int width = ReadInteger(settingsPath, "Width", this->width());
    const int height = ReadInteger(settingsPath, "Height", this->height());
    resize(std::max(width, 100), std::max(height, 80));
    move(ReadInteger(settingsPath, "Left", x()), ReadInteger(settingsPath, "Top", y()));
    SetCurrentTab(static_cast<Tab>(ReadInteger(settingsPath, "Tab", CurrentTab())));
}

void TFormDetails::WriteSettings(const std::string& settingsPath) const
{
    // One write for the whole section, so that another program saving at the same moment cannot mix in.
    profile::WriteStrings(settingsPath, Section,
        { { "Left", std::to_string(x()) }, { "Top", std::to_string(y()) }, { "Width", std::to_string(width()) },
            { "Height", std::to_string(height()) }, { "Tab", std::to_string(CurrentTab()) } });
}
