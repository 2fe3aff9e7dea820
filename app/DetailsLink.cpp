#include "DetailsLink.h"

#include "AppPaths.h"
#include "Checker.h"
#include "DatasheetActions.h"
#include "DetailsCorner.h"
#include "DetailsPlacement.h"
#include "FormDetails.h"
#include "Notifier.h"
#include "PhotometricFile.h"
#include "TDocument.h"
#include "Uies.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

#include <exception>

DetailsLink::DetailsLink(TDocument& document, QWidget* panel)
    : document_(document)
    , corner_(new TDetailsCorner(panel))
    , panel_(panel)
    , fileShown_(!document.FileName().empty())
{
    connect(corner_, &TDetailsCorner::detailsRequested, this, [this] { Guard([this] { ShowDetails(); }); });
    connect(corner_, &TDetailsCorner::diagnosticsRequested, this, [this] { Guard([this] { ShowDiagnostics(); }); });
    connect(&document_, &TDocument::loaded, this, [this] { Guard([this] { FileLoaded(); }); });
    connect(&document_, &TDocument::loadFailed, this, [this] { Guard([this] { LoadFailed(); }); });
    // The main window may show no file while the document keeps the last one: the details follow what is shown.
    if (auto* main = qobject_cast<TForm1*>(panel->window()))
        connect(main, &TForm1::noFileShown, this, [this] { Guard([this] { LoadFailed(); }); });
    connect(&document_, &TDocument::planeChanged, this, [this](int plane) {
        if (window_)
            window_->ShowPlane(plane);
    });
    // As the render window does: the settings are written when the program ends, or with the link if it goes first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { WriteSettingsOnce(); });
}

DetailsLink::~DetailsLink()
{
    WriteSettingsOnce();
    delete window_;
}

void DetailsLink::FileLoaded()
{
    fileShown_ = true;
    diagnostics_.clear();
    try {
        diagnostics_ = CheckFile(document_.FileName());
    } catch (const std::exception&) {
        // The file was read a moment ago; gone or unreadable now, it has nothing to show beyond what was loaded.
    }
    int warnings = 0;
    int errors = 0;
    for (const Diagnostic& diagnostic : diagnostics_) {
        warnings += diagnostic.severity == Severity::Warning ? 1 : 0;
        errors += diagnostic.severity == Severity::Error ? 1 : 0;
    }
    corner_->SetCounts(warnings, errors);
    if (window_) {
        window_->ShowFile(CurrentFile());
        window_->ShowPlane(document_.SelectedPlane());
    }
}

void DetailsLink::LoadFailed()
{
    // No file on show now: the details empty, and the sign goes with the file it spoke of.
    fileShown_ = false;
    diagnostics_.clear();
    corner_->SetCounts(0, 0);
    if (window_)
        window_->ShowFile({});
}

tDetailsFile DetailsLink::CurrentFile() const
{
    if (!fileShown_ || (IsEmpty(document_.IESData()) && document_.FileName().empty()))
        return {};
    tDetailsFile file;
    file.Path = document_.FileName();
    file.Record = document_.IESData();
    file.HeaderLines = document_.HeaderLines();
    file.Header = document_.Header();
    file.Checks = diagnostics_;
    if (IsLdtPath(file.Path))
        file.FileLines = document_.FileLines();
    return file;
}

void DetailsLink::ShowDetails()
{
    if (!window_) {
        window_ = new TFormDetails;
        connect(window_, &TFormDetails::fileSaved, this,
            [this](const QByteArray& path) { document_.AnnounceFileWritten(path.toStdString()); });
        bool placed = false;
        Guard([this, &placed] { placed = window_->ReadSettings(SettingsFilePath()); });
        // The first time: beside the main window, on its screen, rather than over it.
        const QWidget* main = panel_->window();
        if (!placed && main->screen())
            window_->move(PlaceBeside(main->frameGeometry(), window_->size(), main->screen()->availableGeometry()));
        window_->ShowFile(CurrentFile());
        window_->ShowPlane(document_.SelectedPlane());
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void DetailsLink::ShowDiagnostics()
{
    ShowDetails();
    window_->SetCurrentTab(TFormDetails::TabDiagnostics);
}

void DetailsLink::SaveDatasheet(QWidget* parent)
{
    Guard([this, parent] { datasheetui::SaveDatasheet(parent, CurrentFile()); });
}

void DetailsLink::PrintDatasheet(QWidget* parent)
{
    Guard([this, parent] { datasheetui::PrintDatasheet(parent, CurrentFile()); });
}

void DetailsLink::WriteSettingsOnce()
{
    if (!window_ || settingsWritten_)
        return;
    settingsWritten_ = true;
    // A write that fails is reported; the window still goes.
    Guard([this] { window_->WriteSettings(SettingsFilePath()); });
}
