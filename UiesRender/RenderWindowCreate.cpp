// Creation of the render window's track bars and their handlers.
#include "Notifier.h"
#include "RenderTrackBars.h"
#include "UiesRender.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {
// Range first, then the first position: raising the minimum moves the position from 0 to 1 and the first
// position moves it again, so the change handler has run and the value label shows the position.
void setUp(TRenderTrackBar* bar, int maximum, int position, int left, int top)
{
    bar->setMinimum(1);
    bar->setMaximum(maximum);
    bar->setValue(position);
    bar->setGeometry(left, top, 150, 25);
    bar->setTickPosition(QSlider::NoTicks);
    bar->setSingleStep(1);
    bar->setPageStep(2);
}
} // namespace

void TForm2::FormCreate()
{
    CreateTrackBars();
    ReadRenderSection();
}

void TForm2::CreateTrackBars()
{
    TrackBar2 = new TTrackBar2(this);
    connect(TrackBar2, &QSlider::valueChanged, this, [this] { Guard([this] { TrackBar2Change(); }); });
    connect(TrackBar2, &TRenderTrackBar::keyUp, this, [this] { Guard([this] { TrackBarKeyUp(); }); });
    setUp(TrackBar2, 100, DefaultBrightness, 95, 325);

    TrackBarZoom = new TTrackBarZoom(this);
    connect(TrackBarZoom, &QSlider::valueChanged, this, [this] { Guard([this] { TrackBarZoomChange(); }); });
    connect(TrackBarZoom, &TRenderTrackBar::keyUp, this, [this] { Guard([this] { TrackBarKeyUp(); }); });
    setUp(TrackBarZoom, 10000, DefaultZoom, 95, 350);

    // Focus order: close, brightness, zoom, brightness reset, zoom reset, radiosity.
    setTabOrder(Button1, TrackBar2);
    setTabOrder(TrackBar2, TrackBarZoom);
    setTabOrder(TrackBarZoom, Button2);
    setTabOrder(Button2, ButtonResetZoom);
    setTabOrder(ButtonResetZoom, CheckBoxRadiosity);
    Button1->setFocus();
}

void TForm2::TrackBar2Change()
{
    Label2->setText(QString::number(TrackBar2->value()));
    renderDirty_ = true;
}

void TForm2::TrackBarZoomChange()
{
    LabelZoom->setText(QString::number(TrackBarZoom->maximum() - TrackBarZoom->value()));
    renderDirty_ = true;
}

void TForm2::TrackBarKeyUp()
{
    if (renderDirty_)
        DoRender();
}
