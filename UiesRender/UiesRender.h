#pragma once
// The render window: the grey image of the light and the controls that steer it.
// (Declaration owned by the render-window work; the main window relies on the members marked below.)

#include <QWidget>

class QPushButton;
class QCheckBox;
class QLabel;
class QFrame;
class TTrackBar2;
class TTrackBarZoom;
class TImage;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
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
};

// Globals of the render window unit.
extern TForm2* Form2; // the main window uses isVisible(), show(), raise(), DoRender()
extern TTrackBar2* TrackBar2;
extern TTrackBarZoom* TrackBarZoom;
extern bool RenderDirty;
