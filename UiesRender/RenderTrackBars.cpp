#include "RenderTrackBars.h"

#include "Notifier.h"
#include "UiesRender.h"

#include <QKeyEvent>
#include <QMouseEvent>

TRenderTrackBar::TRenderTrackBar(QWidget* owner)
    : QSlider(Qt::Horizontal, owner)
{
    setFocusPolicy(Qt::StrongFocus);
}

void TRenderTrackBar::keyReleaseEvent(QKeyEvent* event)
{
    QSlider::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyUp();
}

void TRenderTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        // Render first, while the drag is still in progress, so the picture follows the release at once.
        Guard([this] {
            if (!RenderDirty)
                return;
            if (auto* form = qobject_cast<TForm2*>(window()))
                form->DoRender();
        });
    }
    // Always let the slider finish, so it never stays pressed after a failed render.
    QSlider::mouseReleaseEvent(event);
}
