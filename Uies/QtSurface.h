#pragma once
// Drawing surface over a QPainter: the window, QImage export and SVG export share this one paint path.
// Canvas geometry is kept: boxes are half-open, a line leaves out its end pixel, text is placed by the
// top-left corner of its cell, and nothing is antialiased so the colours stay exact.

#include "DrawSurface.h"

#include <QColor>

class QPainter;

class QtSurface : public DrawSurface {
public:
    QtSurface(QPainter* painter, QColor buttonFace);
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;

private:
    QColor toQColor(const SurfaceColor& color) const;
    void setPen();
    void setBrush();

    QPainter* painter_;
    QColor buttonFace_;
    int penX_ = 0, penY_ = 0;
};
