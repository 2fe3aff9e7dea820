#pragma once
// A small bar chart of the zonal flux: one horizontal bar per zone, nadir zone on top, scaled to the largest.

#include <QWidget>

#include <vector>

class TZonalChart : public QWidget {
    Q_OBJECT
public:
    explicit TZonalChart(QWidget* parent = nullptr);

    // Flux per zone in lm; empty shows nothing.
    void SetZones(std::vector<double> zones);
    const std::vector<double>& Zones() const { return zones_; }

    QSize sizeHint() const override { return { 160, 200 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> zones_;
};
