#pragma once
// The details window and the way into it from the main window: the "&Details" button and the warning sign on a
// panel of the main window, and the details window itself, created the first time it is asked for. Both follow
// the document: every file loaded is checked at once, so the sign is right even while the window was never opened.

#include "DetailsFile.h"
#include "Diagnostic.h"

#include <QObject>

class QWidget;
class TDetailsCorner;
class TDocument;
class TFormDetails;

class DetailsLink : public QObject {
    Q_OBJECT
public:
    // Puts the button and the sign at the top right corner of panel.
    DetailsLink(TDocument& document, QWidget* panel);
    // Writes the window's settings if it was ever created (unless the program's end already did), then deletes it.
    ~DetailsLink() override;
    DetailsLink(const DetailsLink&) = delete;
    DetailsLink& operator=(const DetailsLink&) = delete;

    TDetailsCorner& Corner() const { return *corner_; }
    // Null until the window is first asked for.
    TFormDetails* Window() const { return window_; }
    // What the checker found in the file the document holds; empty while none is loaded.
    const Diagnostics& FileDiagnostics() const { return diagnostics_; }

    // Creates the window on first use (with its remembered place, size and tab), then shows and raises it.
    void ShowDetails();
    // The same, on the Diagnostics tab.
    void ShowDiagnostics();
    // The file's datasheet saved as PDF or printed, asked for over parent; what goes wrong is shown.
    void SaveDatasheet(QWidget* parent);
    void PrintDatasheet(QWidget* parent);

private:
    void FileLoaded();
    // A failed load or no file shown: the details and the sign empty.
    void LoadFailed();
    tDetailsFile CurrentFile() const;
    void WriteSettingsOnce();

    TDocument& document_;
    TDetailsCorner* corner_;
    QWidget* panel_;
    bool fileShown_; // a file loaded and on show in the main window
    TFormDetails* window_ = nullptr;
    Diagnostics diagnostics_;
    bool settingsWritten_ = false;
};
