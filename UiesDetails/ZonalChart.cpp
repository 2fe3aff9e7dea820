#include "ZonalChart.h"

#include "AxisTicks.h"
#include "ReadableNumber.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 4;
constexpr int kTick = 3;
constexpr int kZoneLabelStep = 3; // a zone label every 30 degrees

QString FluxLabel(double value)
{
    return QString::fromStdString(Reading(value, tNumberStyle(QLocale::system().decimalPoint().toStdString())));
}

} // namespace

TZonalChart::TZonalChart(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(160, 170);
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
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const QString zoneTitle = QStringLiteral("Zone (degrees)");
    const QString fluxTitle = QStringLiteral("Flux (lm)");

    // The value axis: as many round steps as leave room between their labels.
    const int left = kMargin + metrics.horizontalAdvance(QStringLiteral("180")) + kTick + 2;
    const int widest = metrics.horizontalAdvance(FluxLabel(largest * 10)) + 2 * line;
    const int room = width() - left - kMargin - widest / 2;
    const std::vector<double> ticks = AxisTicks(largest, std::clamp(room / std::max(widest, 1), 1, 5));
    const double full = ticks.back();
    const QRect plot(QPoint(left, kMargin + line + 4), QPoint(room + left - 1, height() - kMargin - 2 * line - kTick));
    if (plot.width() < 10 || plot.height() < 18)
        return;

    painter.setPen(palette().text().color());
    painter.drawText(QPoint(kMargin, kMargin + metrics.ascent()), zoneTitle);
    const double step = double(plot.height()) / double(zones_.size());
    for (std::size_t z = 0; z <= zones_.size(); z += kZoneLabelStep) {
        const int y = plot.top() + int(std::lround(step * double(z)));
        painter.drawLine(plot.left() - kTick, y, plot.left(), y);
        const QRect label(kMargin, y - line / 2, plot.left() - kTick - 2 - kMargin, line);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(10 * z));
    }
    for (const double tick : ticks) {
        const int x = plot.left() + int(std::lround(double(plot.width()) * tick / full));
        painter.setPen(palette().mid().color());
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(palette().text().color());
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + kTick);
        const QString text = FluxLabel(tick);
        const int textWidth = metrics.horizontalAdvance(text);
        painter.drawText(QPoint(x - textWidth / 2, plot.bottom() + kTick + metrics.ascent()), text);
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + kTick + line, plot.width(), line), Qt::AlignHCenter, fluxTitle);

    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().highlight());
    for (std::size_t z = 0; z < zones_.size(); ++z) {
        const double share = std::isfinite(zones_[z]) ? std::max(0.0, zones_[z]) / full : 0;
        painter.drawRect(QRectF(
            plot.left() + 1, plot.top() + step * double(z) + 1, (plot.width() - 1) * share, std::max(1.0, step - 2)));
    }
    painter.setPen(palette().text().color());
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
}
