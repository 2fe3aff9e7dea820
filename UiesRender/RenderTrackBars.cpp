#include "RenderTrackBars.h"

#include "Notifier.h"
#include "UiesRender.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>

namespace {
// A thumb 10 pixels long across the groove, on whatever style the application uses.
class ThumbStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_SliderControlThickness)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
} // namespace

TRenderTrackBar::TRenderTrackBar(QWidget* owner)
    : QSlider(Qt::Horizontal, owner)
{
    auto* thumbStyle = new ThumbStyle();
    thumbStyle->setParent(this);
    setStyle(thumbStyle);
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
