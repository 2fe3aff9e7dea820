#include "ZonalChart.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TZonalChart::TZonalChart(QWidget* parent)
    : QWidget(parent)
{
}

void TZonalChart::SetZones(std::vector<double> zones)
{
    zones_ = std::move(zones);
    update();
}

void TZonalChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    double largest = 0;
    for (const double zone : zones_)
        if (std::isfinite(zone))
            largest = std::max(largest, zone);
    if (zones_.empty() || largest <= 0)
        return;
    const int margin = 4;
    const double step = double(height() - 2 * margin) / double(zones_.size());
    const double full = width() - 2 * margin;
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().highlight());
    for (std::size_t z = 0; z < zones_.size(); ++z) {
        const double share = std::isfinite(zones_[z]) ? std::max(0.0, zones_[z]) / largest : 0;
        painter.drawRect(QRectF(margin, margin + step * double(z) + 1, full * share, std::max(1.0, step - 2)));
    }
}
