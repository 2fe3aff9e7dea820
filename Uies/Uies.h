#pragma once
// The main window: file browser, header text, goniogram and render controls.
// (Declaration owned by the main-window work; the render window relies on the members marked below.)

#include "tIES.h"

#include <QWidget>

#include <string>

class QFrame;
class QLabel;
class QPushButton;
class QProgressBar;
class QToolButton;
class QComboBox;
class QListWidget;
class QSplitter;
class TTrackBarDegree;
class TPaintBox;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls, in declaration order.
    QFrame* PanelAll = nullptr;
    QFrame* PanelTop = nullptr;
    QFrame* PanelDirFileDrive = nullptr;
    QSplitter* Splitter1 = nullptr;
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

    // Full path of the file selected in FileListBox1; empty when none is selected. Used by the render.
    std::string SelectedFileName() const;

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
