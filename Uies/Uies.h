#pragma once
// The main window: file browser, header text, goniogram and render controls. It shows the shared document and
// changes it through the document only; it asks the render window for renders through RenderWindowLink and
// follows the render through the slots marked below, which the viewer connects.

#include "Goniogram.h"
#include "PaintBox.h"
#include "TrackBarDegree.h"
#include "tIES.h"

#include <QByteArray>
#include <QPointer>
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
class QMenu;
class QDragEnterEvent;
class QDropEvent;
class RenderWindowLink;
class TDocument;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(TDocument& document, QWidget* parent = nullptr);
    ~TForm1() override;

    TDocument& Doc() const { return document_; }

    // Controls, in declaration order.
    QFrame* PanelAll = nullptr;
    QFrame* PanelTop = nullptr;
    QFrame* PanelDirFileDrive = nullptr;
    QSplitter* Splitter1 = nullptr; // holds DirectoryListBox1 and FileListBox1, handle 3 px wide
    QListWidget* FileListBox1 = nullptr;
    QFrame* PanelImage = nullptr;
    QLabel* Label1 = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    QPushButton* ButtonRender = nullptr;
    QProgressBar* ProgressBarRender = nullptr; // the render's progress
    QLabel* Label3 = nullptr; // the rendering time
    QFrame* PanelDriver = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QListWidget* DirectoryListBox1 = nullptr;
    QFrame* PanelDegree = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* LabelAxial = nullptr;
    QToolButton* SpeedButtonUpdate = nullptr;
    QToolButton* SpeedButtonOrtho = nullptr;
    QToolButton* SpeedButtonFit = nullptr;
    TTrackBarDegree* TrackBarDegree = nullptr; // its position is the document's selected plane

    // Full path of the file selected in FileListBox1 (raw file-system bytes); empty when none is selected.
    std::string SelectedFileName() const;

    // The window asked for renders; it must implement RenderWindowLink. Without one (or once it is gone) the
    // main window renders nothing.
    void SetRenderWindow(QWidget* window);
    // The plane and the selected file of the last render started, whoever started it.
    int LastRenderedPosition() const { return lastRenderedPosition_; }
    // The plane the goniogram was last drawn for by a move of the track bar.
    int LastDrawnPosition() const { return lastDrawnPosition_; }
    const std::string& LastRenderedFile() const { return lastRenderedFile_; }

    // What the render window reports, connected by the viewer.
    void RenderWindowShown(); // the render window is being shown, before it renders
    void RenderWindowClosed();
    void RenderStarted(int plane); // a render of plane began (it may still find nothing to render)
    void RenderComputing(); // the picture is being computed
    void RenderProgress(int row); // rows done so far; the bar is painted at once
    void RenderFinished(const QString& timeText); // the render ended, well or not, after timeText

    // Current folder of DirectoryListBox1, as raw file-system bytes.
    QByteArray Directory() const { return directory_; }
    // Moves the folder list (and with it the drive list and the file list) to folder. Throws
    // std::runtime_error with the file system's reason when the folder cannot be entered.
    void SetDirectory(const QByteArray& folder);

    // Shows folder, or the folder of a file and selects the file so that it loads. Throws std::runtime_error
    // naming the path when it does not exist, the folder cannot be entered or the file is not listed. Before the
    // first show the file is selected when the window first reads the folder.
    void OpenPath(const QByteArray& path);
    // A name the viewer opens when dropped: ".ies" or ".ldt" in any case.
    static bool IsOpenableFileName(const QByteArray& name);

    // Number of times the loading flow, a track bar move or a switch asked the render window to render.
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

    // The goniogram's context menu, opened by a right click at a point of the paint box, and its actions.
    void PaintBox1ContextMenu(const QPoint& at);
    void CopyGoniogramImage(); // the diagram as shown, to the clipboard
    void SaveGoniogramImage(); // PNG or SVG by the name's extension, asked through the save seam
    void CopyGoniogramValues(); // the shown planes' values as tab-separated text
    // What the goniogram shows now: record, plane, switches, scale and the paint box's size.
    GoniogramInput ShownGoniogram() const;

    // The about message, lines separated by "\r".
    static QString AboutText();
    // Label1's text for the six-line header text: its carriage returns become line breaks.
    static QString HeaderLabelText(const std::string& headerText);

    // The file list's context menu, opened by a right click at a point of the list: "Save as..." for the file
    // under the pointer. The file is written anew as IES or EULUMDAT where the user chooses.
    void FileListContextMenu(const QPoint& at);
    void SaveFileAs(const std::string& path);
    // A file was written (raw bytes): the file list shows it when it lies in the folder on show, keeping the
    // selected file selected and loaded.
    void FileWritten(const QByteArray& path);

    // The render check shared by the key release and the left-button release on the degree track bar.
    void TrackBarDegreeRenderCheck();

signals:
    // Emitted once the main window has closed; the application ends its event loop on it.
    void closed();
    // Emitted when the file list shows no file selected (a folder changed, the selection cleared): the document
    // keeps its record, but no file is on show.
    void noFileShown();
    // The goniogram's menu asks for the file's datasheet, saved as PDF or printed.
    void datasheetRequested();
    void printRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildControls();
    void StartBrowser();
    void BindHandlers();
    void NoteNormalFrame();
    void ApplyViewerSettings();
    void WriteViewerSettings();
    void RenderRule();
    void RequestRender();
    RenderWindowLink* RenderWindow() const;
    void FollowDocument();

    // File browser.
    void ReadDrives();
    void ShowDirectory();
    void ReadFiles();
    void DriveChosen(int index);
    void DirectoryActivated(int row);
    void SelectPendingFile();
    void BindFileListMenu();

    TDocument& document_;
    QPointer<QWidget> renderWindow_;
    int lastDrawnPosition_ = 0;
    int lastRenderedPosition_ = 0;
    std::string lastRenderedFile_;
    QByteArray directory_; // current folder, raw bytes, no trailing separator except for the root
    std::map<QByteArray, QByteArray> driveFolders_; // last folder shown per drive
    bool filesReadOnce_ = false;
    // Where the client area sits in the window's frame, as last seen while the window was normal on screen;
    // none while it never was (a window maximised by the settings before its first show).
    QPoint normalFrameOffset_;
    int rendersRequested_ = 0;
    QPointer<QMenu> goniogramMenu_;
    QPointer<QMenu> fileListMenu_;
    QByteArray pendingFile_; // name of a file to select once its folder is listed
};
