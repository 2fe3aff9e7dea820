#include "RenderTrackBars.h"

#include "KeyRelease.h"
#include "Notifier.h"
#include "ThumbStyle.h"
#include "UiesRender.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <exception>

TRenderTrackBar::TRenderTrackBar(QWidget* owner)
    : QSlider(Qt::Horizontal, owner)
    , keyRelease_(new TKeyRelease(this, [this] { emit keyUp(); }))
{
    setStyle(TrackBarThumbStyle());
    setFocusPolicy(Qt::StrongFocus);
}

void TRenderTrackBar::keyPressEvent(QKeyEvent* event)
{
    keyRelease_->pressed(event);
    QSlider::keyPressEvent(event);
}

void TRenderTrackBar::keyReleaseEvent(QKeyEvent* event)
{
    QSlider::keyReleaseEvent(event);
    keyRelease_->released(event);
}

void TRenderTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QSlider::mouseReleaseEvent(event);
        return;
    }
    // Render first, while the drag is still in progress, so the picture follows the release at once.
    std::exception_ptr failure;
    try {
        auto* form = qobject_cast<TForm2*>(window());
        if (form && form->RenderDirty())
            form->DoRender();
    } catch (...) {
        failure = std::current_exception();
    }
    // Always let the slider finish, also after a failed render, so it never stays pressed; the failure is
    // reported after that, as the event loop would report it once the handler has ended.
    QSlider::mouseReleaseEvent(event);
    if (failure)
        Guard([&failure] { std::rethrow_exception(failure); });
}
