#pragma once
// A small bar chart of the zonal flux: one horizontal bar per zone, nadir zone on top, beside an axis of zone
// angles in degrees; below, a flux axis in lm of round steps, the bars scaled to its last.

#include <QWidget>

#include <vector>

class TZonalChart : public QWidget {
    Q_OBJECT
public:
    explicit TZonalChart(QWidget* parent = nullptr);

    // Flux per zone in lm; empty shows nothing.
    void SetZones(std::vector<double> zones);
    const std::vector<double>& Zones() const { return zones_; }

    QSize sizeHint() const override { return { 220, 260 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> zones_;
};
