#pragma once
// Drawing surface over a QPainter: the window, QImage export and SVG export share this one paint path.
//
// It keeps the geometry of a Windows canvas: Rectangle and Ellipse fill and border the half-open box
// (right and bottom edges excluded), LineTo leaves out its end pixel, text is placed by the top-left corner
// of its cell with the font's height in pixels, and a clear brush gives text a transparent background.
// On pixel devices nothing is antialiased, so every pixel is the pen's, the brush's or the font's colour.
//
// Consecutive LineTo calls with one pen are gathered into a polyline and painted together; every other
// operation, a change of painter, Unlock, Flush and the destructor paint what is gathered first, so the
// surface must not outlive its painter's activity.

#include "DrawSurface.h"

#include <QColor>
#include <QFont>
#include <QPolygon>

class QPainter;

class QtSurface : public DrawSurface {
public:
    QtSurface(QPainter* painter, QColor buttonFace);
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    // The canvas state (pen, brush, font) persists while the painter changes from one drawing to the next.
    void SetPainter(QPainter* painter);
    QPainter* Painter() const { return painter_; }
    void SetButtonFace(QColor buttonFace) { buttonFace_ = buttonFace; }

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Unlock() override { Flush(); }
    void Flush() override;

    QColor Resolve(const SurfaceColor& color) const;
    // The Qt font for the current font state (face, pixel height), unantialiased like the canvas's text.
    const QFont& CurrentFont();

private:
    void PreparePainter();
    void UsePen(const SurfacePen& pen);
    bool Drawable() const;
    bool IsPixelDevice() const;

    QPainter* painter_;
    QColor buttonFace_;
    QPoint position_; // the pen position of MoveTo / LineTo

    QPolygon pending_; // gathered LineTo path, painted with pendingPen_
    SurfacePen pendingPen_;

    SurfaceFont fontState_; // the state cachedFont_ was built from
    QFont cachedFont_;
    int cachedAscent_ = 0, cachedHeight_ = 0;
    bool fontBuilt_ = false;
};
