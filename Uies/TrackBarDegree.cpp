#include "TrackBarDegree.h"

#include "KeyRelease.h"
#include "ThumbStyle.h"

#include <QKeyEvent>
#include <QMouseEvent>

TTrackBarDegree::TTrackBarDegree(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
    , keyRelease_(new TKeyRelease(this, [this] {
        if (OnKeyUp)
            OnKeyUp();
    }))
{
    setStyle(TrackBarThumbStyle());
    setSingleStep(1);
    setPageStep(2);
    // The slider covers the "axially symmetric" label lying under it.
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (OnChange)
            OnChange();
    });
    connect(this, &QAbstractSlider::actionTriggered, this, &TTrackBarDegree::actionDone);
}

void TTrackBarDegree::actionDone(int)
{
    // The action is reported before the value is applied: when it moves the position, valueChanged follows
    // and reports it; an action that keeps the position is reported here.
    if (sliderPosition() == value() && OnChange)
        OnChange();
}

void TTrackBarDegree::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnLeftButtonUp)
        OnLeftButtonUp();
    // Let the slider finish its drag so it never stays pressed.
    QSlider::mouseReleaseEvent(event);
}

void TTrackBarDegree::keyPressEvent(QKeyEvent* event)
{
    keyRelease_->pressed(event);
    QSlider::keyPressEvent(event);
}

void TTrackBarDegree::keyReleaseEvent(QKeyEvent* event)
{
    QSlider::keyReleaseEvent(event);
    keyRelease_->released(event);
}
