#include "UiesRender.h"

#include "Notifier.h"
#include "RenderTrackBars.h"
#include "TDocument.h"
#include "TImage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

TForm2::TForm2(TDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    BuildControls();
    Guard([this] { FormCreate(); });
    // The settings are written once when the program ends: here if the window outlives the event loop,
    // otherwise by the destructor. FormDestroy itself makes sure it runs only once.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { FormDestroy(); });
}

TForm2::~TForm2() { FormDestroy(); }

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

void TForm2::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The window asks for no minimise button, but some window managers offer one all the same: a window
    // minimised on its own comes straight back. It stays down with its owner window, which takes it along.
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        QTimer::singleShot(0, this, [this] {
            if (isMinimized() && isVisible() && !(owner_ && owner_->isMinimized()))
                showNormal();
        });
    }
}

void TForm2::Button1Click() { close(); }

void TForm2::RaiseWindow()
{
    raise();
    activateWindow();
}

void TForm2::FormShow()
{
    emit showing();
    DoRender();
}

void TForm2::CheckBoxRadiosityClick()
{
    // Also runs while the settings are applied at creation, before any file is loaded: then nothing renders.
    if (!IsEmpty(document_.IESData()))
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

void TForm2::FormClose() { emit closing(); }
