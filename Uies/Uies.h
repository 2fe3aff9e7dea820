#pragma once
// The main window: file browser, header text, goniogram and render controls.
// The render window relies on the members marked below.

#include "PaintBox.h"
#include "TrackBarDegree.h"
#include "tIES.h"

#include <QByteArray>
#include <QWidget>

#include <map>
#include <string>

class QFrame;
class QLabel;
class QPushButton;
class QProgressBar;
class QToolButton;
class QComboBox;
class QListWidget;
class QSplitter;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls, in declaration order.
    QFrame* PanelAll = nullptr;
    QFrame* PanelTop = nullptr;
    QFrame* PanelDirFileDrive = nullptr;
    QSplitter* Splitter1 = nullptr; // holds DirectoryListBox1 and FileListBox1, handle 3 px wide
    QListWidget* FileListBox1 = nullptr;
    QFrame* PanelImage = nullptr;
    QLabel* Label1 = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    QPushButton* ButtonRender = nullptr; // used by the render window
    QProgressBar* ProgressBarRender = nullptr; // used by the render window
    QLabel* Label3 = nullptr; // used by the render window: the rendering time
    QFrame* PanelDriver = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QListWidget* DirectoryListBox1 = nullptr;
    QFrame* PanelDegree = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* LabelAxial = nullptr;
    QToolButton* SpeedButtonUpdate = nullptr; // used by the render window
    QToolButton* SpeedButtonOrtho = nullptr;
    QToolButton* SpeedButtonFit = nullptr;

    // Full path of the file selected in FileListBox1 (raw file-system bytes); empty when none is selected.
    // Used by the render.
    std::string SelectedFileName() const;

    // Current folder of DirectoryListBox1, as raw file-system bytes.
    QByteArray Directory() const { return directory_; }
    // Moves the folder list (and with it the drive list and the file list) to folder. Throws
    // std::runtime_error with the file system's reason when the folder cannot be entered.
    void SetDirectory(const QByteArray& folder);

    // Number of times the loading flow, a track bar move or a switch asked Form2 to render.
    int RendersRequested() const { return rendersRequested_; }

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    void PaintBox1Click();
    void PaintBox1Paint();
    void ButtonRenderClick();
    void SpeedButtonUpdateClick();
    void SpeedButtonFitClick();
    void SpeedButtonOrthoClick();
    void FileListBox1DblClick();
    void TrackBarDegreeChange();
    void TrackBarDegreeKeyUp();
    void ShowGrid();
    void DrawIES();

    // The about message, lines separated by "\r".
    static QString AboutText();
    // Label1's text for the six-line header text: its carriage returns become line breaks.
    static QString HeaderLabelText(const std::string& headerText);

    // The render check shared by the key release and the left-button release on the degree track bar.
    void TrackBarDegreeRenderCheck();

signals:
    // Emitted once the main window has closed; the application ends its event loop on it.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void StartBrowser();
    void BindHandlers();
    void ApplyViewerSettings();
    void WriteViewerSettings();
    void RenderRule();
    void RequestRender();

    // File browser.
    void ReadDrives();
    void ShowDirectory();
    void ReadFiles();
    void DriveChosen(int index);
    void DirectoryActivated(int row);

    QByteArray directory_; // current folder, raw bytes, no trailing separator except for the root
    std::map<QByteArray, QByteArray> driveFolders_; // last folder shown per drive
    TTrackBarDegree* trackBar_ = nullptr; // this window's degree track bar
    bool filesReadOnce_ = false;
    bool normalPosIsFramePos_ = false; // maximised by the settings before the first show
    int rendersRequested_ = 0;
};

// Globals of the main window unit.
extern TForm1* Form1;
extern tIES IESData;
extern long double MaxIntensity;
extern TStringList FileLines;
extern TStringList HeaderLines;
extern int LastDrawnPosition;
extern int LastRenderedPosition; // written by the render
extern std::string LastRenderedFile; // written by the render
extern TTrackBarDegree* TrackBarDegree; // a QSlider; value() is the selected plane
