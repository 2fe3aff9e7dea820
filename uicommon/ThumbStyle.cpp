#include "ThumbStyle.h"

#include <QProxyStyle>

namespace {

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

QStyle* TrackBarThumbStyle()
{
    // Deliberately never destroyed: sliders still alive while the application object goes away (at exit, in
    // tests) must never find their style deleted under them.
    static QStyle* const style = new ThumbStyle();
    return style;
}
