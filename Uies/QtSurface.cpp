#include "QtSurface.h"

#include <QPainter>

QtSurface::QtSurface(QPainter* painter, QColor buttonFace)
    : painter_(painter)
    , buttonFace_(buttonFace)
{
}

void QtSurface::Rectangle(int, int, int, int) { }
void QtSurface::Ellipse(int, int, int, int) { }
void QtSurface::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}
void QtSurface::LineTo(int x, int y) { MoveTo(x, y); }
void QtSurface::TextOut(int, int, const std::string&) { }
