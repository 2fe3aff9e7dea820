#pragma once
// The details window: what the file holds beyond the diagram, on four tabs (summary, zonal flux, intensity table,
// diagnostics), each copied as text with Ctrl+C. It shows what it is given and knows nothing of the other windows.

#include "DetailsFile.h"
#include "DetailsText.h"

#include <QString>
#include <QWidget>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QTabWidget;
class QTableView;
class QTableWidget;
class TIntensityModel;
class TZonalChart;

class TFormDetails : public QWidget {
    Q_OBJECT
public:
    enum Tab { TabSummary = 0, TabZonal, TabIntensity, TabDiagnostics, TabCount };

    explicit TFormDetails(QWidget* parent = nullptr);
    ~TFormDetails() override;

    // Shows the file (an empty record: no file loaded). The file is kept; the intensity table reads it.
    void ShowFile(tDetailsFile file);
    // Marks the plane's row in the intensity table and scrolls to it.
    void ShowPlane(int plane);
    int ShownPlane() const { return plane_; }
    const tDetailsFile& File() const { return file_; }

    Tab CurrentTab() const;
    void SetCurrentTab(Tab tab);

    // The current tab as Ctrl+C copies it; empty while no file is loaded.
    QString CopyText() const;
    QString CopyText(Tab tab) const;
    // Puts CopyText() on the clipboard and announces it.
    void CopyToClipboard();

    // The section "Details" of the settings file: place, size and tab. A missing or unusable key keeps what the
    // window has; a write that fails throws std::runtime_error.
    void ReadSettings(const std::string& settingsPath);
    void WriteSettings(const std::string& settingsPath) const;

    QTabWidget* Tabs = nullptr;
    QPlainTextEdit* SummaryView = nullptr;
    QTableWidget* ZonalTable = nullptr;
    TZonalChart* ZonalChart = nullptr;
    QTableView* IntensityTable = nullptr;
    QTableWidget* DiagnosticsTable = nullptr; // severity icon, line, column, message, code
    QPushButton* DatasheetButton = nullptr; // saves the file's one-page datasheet as PDF
    QPushButton* PrintButton = nullptr; // prints it (also Ctrl+P)

    // The shown file's datasheet saved as PDF or printed; what goes wrong is shown, never thrown.
    void SaveDatasheet();
    void PrintDatasheet();

    static constexpr int DefaultWidth = 560;
    static constexpr int DefaultHeight = 420;
    static constexpr int DiagnosticsColumns = 5;

signals:
    void copied(const QString& text);
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildDatasheetButtons(QVBoxLayout* layout);
    void FillSummary();
    void FillZonal();
    void FillDiagnostics();
    QString IntensityCopyText() const;
    QString DiagnosticsCopyText() const;

    tDetailsFile file_;
    PhotometricFigures figures_;
    TIntensityModel* intensityModel_ = nullptr;
    int plane_ = 0;
};
