#pragma once
// The details window: what the file holds beyond the goniogram, on six tabs (summary, zonal flux, intensity
// table, diagnostics, diagrams, glare), each copied as text with Ctrl+C. It shows what it is given and knows nothing
// of the other windows.

#include "DetailsFile.h"
#include "DetailsText.h"

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QTabWidget;
class QTableView;
class QTableWidget;
class TDiagramsPage;
class TIntensityModel;
class TZonalChart;
class TGlareTab;

class TFormDetails : public QWidget {
    Q_OBJECT
public:
    enum Tab { TabSummary = 0, TabZonal, TabIntensity, TabDiagnostics, TabDiagrams, TabGlare, TabCount };

    explicit TFormDetails(QWidget* parent = nullptr);
    ~TFormDetails() override;

    // Shows the file (no path and an empty record: no file selected); the title names it. The file is kept; the
    // intensity table reads it.
    void ShowFile(tDetailsFile file);
    // The unit of the intensity table: 0 cd, 1 cd/klm (offered when the file has a lamp flux; the default for an
    // EULUMDAT file, whose table is stored so). Another index is ignored.
    void SetIntensityUnit(int index);
    const tIntensityUnit& IntensityUnitShown() const { return unit_; }
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
    // "Save as..." (Ctrl+S): the file shown written anew as IES or EULUMDAT where the user chooses; a refusal is
    // shown in a message box. Emits fileSaved() once written.
    void SaveAs();

    // The section "Details" of the settings file: place, size and tab. A missing or unusable key keeps what the
    // window has; a write that fails throws std::runtime_error. Reading tells whether a place was kept there.
    bool ReadSettings(const std::string& settingsPath);
    void WriteSettings(const std::string& settingsPath) const;

    QTabWidget* Tabs = nullptr;
    QPlainTextEdit* SummaryView = nullptr;
    QTableWidget* ZonalTable = nullptr;
    TZonalChart* ZonalChart = nullptr;
    QTableView* IntensityTable = nullptr;
    QComboBox* IntensityUnit = nullptr; // above the table: cd or cd/klm
    QTableWidget* DiagnosticsTable = nullptr; // severity icon, line, column, message, code
    QPushButton* SaveAsButton = nullptr; // beside the tabs; enabled while a file is shown
    TDiagramsPage* DiagramsPage = nullptr;
    TGlareTab* GlareTab = nullptr; // the UGR table
    QPushButton* DatasheetButton = nullptr; // saves the file's one-page datasheet as PDF
    QPushButton* PrintButton = nullptr; // prints it (also Ctrl+P)

    // The shown file's datasheet saved as PDF or printed; what goes wrong is shown, never thrown.
    void SaveDatasheet();
    void PrintDatasheet();

    static constexpr int DefaultWidth = 560;
    static constexpr int DefaultHeight = 420;
    static constexpr int DiagnosticsColumns = 5;
    // The one row (and copy) of a file the checker found nothing in.
    static constexpr const char* kNoProblems = "No problems found";

signals:
    void copied(const QString& text);
    void fileSaved(const QByteArray& path); // raw file-system bytes
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    bool HasFile() const;
    void FillUnits();
    void BuildDatasheetButtons(QVBoxLayout* layout);
    void FillSummary();
    void FillZonal();
    void FillDiagnostics();
    QString IntensityCopyText() const;
    void PaintIntensityCorner();
    QString DiagnosticsCopyText() const;

    tDetailsFile file_;
    PhotometricFigures figures_;
    TIntensityModel* intensityModel_ = nullptr;
    QAbstractButton* intensityCorner_ = nullptr;
    std::vector<tIntensityUnit> units_;
    tIntensityUnit unit_;
    int plane_ = 0;
};
