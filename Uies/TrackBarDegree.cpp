#include "TrackBarDegree.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>

namespace {

// A thumb 10 pixels thick across the groove, on whatever style the application uses.
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

// One style for every degree track bar, living as long as the application, so no slider outlives its style.
QStyle* thumbStyle()
{
    static QPointer<ThumbStyle> style;
    if (!style) {
        style = new ThumbStyle();
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

TTrackBarDegree::TTrackBarDegree(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
{
    setStyle(thumbStyle());
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

void TTrackBarDegree::keyReleaseEvent(QKeyEvent* event)
{
    QSlider::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && OnKeyUp)
        OnKeyUp();
}
