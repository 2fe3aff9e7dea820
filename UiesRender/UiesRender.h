#pragma once
// The render window: the grey image of the light and the controls that steer it.
// (Declaration owned by the render-window work; the main window relies on the members marked below.)

#include <QWidget>

class QPushButton;
class QCheckBox;
class QLabel;
class QFrame;
class QCloseEvent;
class QShowEvent;
class TTrackBar2;
class TTrackBarZoom;
class TImage;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    // Builds the controls, then runs FormCreate (track bars, then the "Render" settings).
    explicit TForm2(QWidget* parent = nullptr);
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

    void Button1Click();
    void FormShow();
    void DoRender(); // used by the main window; raises on failure (callers run inside Guard)
    void CheckBoxRadiosityClick();
    void Button2Click();
    void FormCreate();
    void FormDestroy();
    void ButtonResetZoomClick();
    void FormClose();

    // Values the window starts with before the settings are applied.
    static constexpr int LayoutLeft = 360;
    static constexpr int LayoutTop = 250;
    static constexpr int ClientWidth = 358;
    static constexpr int ClientHeight = 377;
    static constexpr int DefaultBrightness = 15;
    static constexpr int DefaultZoom = 500;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void CreateTrackBars();
    void TrackBar2Change();
    void TrackBarZoomChange();
    void TrackBarKeyUp();
    void ReadRenderSection();
    void WriteRenderSection();

    bool formDestroyed_ = false;
};

// Globals of the render window unit.
extern TForm2* Form2; // the main window uses isVisible(), show(), raise(), DoRender()
extern TTrackBar2* TrackBar2;
extern TTrackBarZoom* TrackBarZoom;
extern bool RenderDirty; // a render track bar moved since the last render
