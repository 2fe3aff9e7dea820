#pragma once
// The render window: the grey image of the light and the controls that steer it. It renders the shared
// document's selected plane and reports its progress and time as signals; it knows no other window.

#include "RenderWindowLink.h"

#include <QPointer>
#include <QWidget>

class QPushButton;
class QCheckBox;
class QLabel;
class QFrame;
class QMenu;
class QCloseEvent;
class QShowEvent;
class TTrackBar2;
class TTrackBarZoom;
class TImage;
class TDocument;

class TForm2 : public QWidget, public RenderWindowLink {
    Q_OBJECT
public:
    // Builds the controls, then runs FormCreate (track bars, then the "Render" settings).
    explicit TForm2(TDocument& document, QWidget* parent = nullptr);
    // Runs FormDestroy unless it already ran (for instance at application shutdown).
    ~TForm2() override;

    QPushButton* Button1 = nullptr;
    QCheckBox* CheckBoxRadiosity = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* ButtonResetZoom = nullptr;
    QLabel* LabelZoom = nullptr;
    QFrame* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TTrackBar2* TrackBar2 = nullptr;
    TTrackBarZoom* TrackBarZoom = nullptr;

    // The window this one goes down with when the window manager minimises that one (the main window).
    void SetOwnerWindow(const QWidget* owner) { owner_ = owner; }

    // A render track bar moved since the last render.
    bool RenderDirty() const { return renderDirty_; }

    void Button1Click();
    void FormShow();
    void DoRender(); // raises on failure (callers run inside Guard)
    void CheckBoxRadiosityClick();
    void Button2Click();
    void FormCreate();
    void FormDestroy();
    void ButtonResetZoomClick();
    void FormClose();

    // The picture's context menu, opened by a right click at a point of Image1, and its actions.
    void Image1ContextMenu(const QPoint& at);
    void CopyPicture(); // the rendered picture to the clipboard
    void SavePicture(); // PNG or PGM by the name's extension, asked through the save seam

    // Values the window starts with before the settings are applied.
    static constexpr int LayoutLeft = 360;
    static constexpr int LayoutTop = 250;
    static constexpr int ClientWidth = 358;
    static constexpr int ClientHeight = 377;
    static constexpr int DefaultBrightness = 15;
    static constexpr int DefaultZoom = 500;

    // RenderWindowLink
    bool IsShown() const override { return isVisible(); }
    void ShowWindow() override { show(); }
    void RaiseWindow() override;
    void Render() override { DoRender(); }

signals:
    void showing(); // the window is being shown; it renders next
    void closing();
    void renderStarted(int plane); // emitted by every render, also one that finds nothing to render
    void renderComputing();
    void renderProgress(int row);
    void renderFinished(const QString& timeText); // the computation ended, well or not

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void CreateTrackBars();
    void TrackBar2Change();
    void TrackBarZoomChange();
    void TrackBarKeyUp();
    void ReadRenderSection();
    void WriteRenderSection();

    TDocument& document_;
    QPointer<const QWidget> owner_;
    bool renderDirty_ = false;
    bool formDestroyed_ = false;
    QPointer<QMenu> pictureMenu_;
};
