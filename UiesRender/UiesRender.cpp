#include "UiesRender.h"

#include "Notifier.h"
#include "RenderTrackBars.h"
#include "TImage.h"
#include "Uies.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

TForm2* Form2 = nullptr;
TTrackBar2* TrackBar2 = nullptr;
TTrackBarZoom* TrackBarZoom = nullptr;
bool RenderDirty = false;

TForm2::TForm2(QWidget* parent)
    : QWidget(parent)
{
    BuildControls();
    Guard([this] { FormCreate(); });
    // The settings are written once when the program ends: here if the window outlives the event loop,
    // otherwise by the destructor. FormDestroy itself makes sure it runs only once.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { FormDestroy(); });
}

TForm2::~TForm2()
{
    FormDestroy();
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Only the program's show counts; the window system re-showing a restored window is not a new show.
    if (!event->spontaneous())
        Guard([this] { FormShow(); });
}

void TForm2::closeEvent(QCloseEvent* event)
{
    Guard([this] { FormClose(); });
    event->accept(); // the window is hidden, not destroyed
}

void TForm2::Button1Click() { close(); }

void TForm2::FormShow()
{
    if (Form1 && Form1->ButtonRender && Form1->SpeedButtonUpdate)
        Form1->ButtonRender->setEnabled(!Form1->SpeedButtonUpdate->isChecked());
    DoRender();
}

void TForm2::CheckBoxRadiosityClick()
{
    // Also runs while the settings are applied at creation, before any file is loaded: then nothing renders.
    if (!IsEmpty(IESData))
        FormShow();
}

void TForm2::Button2Click()
{
    TrackBar2->setValue(DefaultBrightness);
    FormShow();
}

void TForm2::ButtonResetZoomClick()
{
    TrackBarZoom->setValue(DefaultZoom);
    FormShow();
}

void TForm2::FormClose()
{
    if (Form1 && Form1->ButtonRender)
        Form1->ButtonRender->setEnabled(true);
}
