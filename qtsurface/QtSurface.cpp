#include "QtSurface.h"

#include <QFontMetrics>
#include <QLine>
#include <QList>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdlib>

namespace {

// A box given by two corners in any order, as its left, top, width and height; empty boxes hold nothing.
struct Box {
    int x, y, w, h;
    bool empty() const { return w <= 0 || h <= 0; }
};

Box Normalized(int x1, int y1, int x2, int y2)
{
    return { std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1) };
}

} // namespace

QtSurface::QtSurface(QPainter* painter, QColor buttonFace)
    : painter_(painter)
    , buttonFace_(buttonFace)
{
    PreparePainter();
}

QtSurface::~QtSurface() { Flush(); }

void QtSurface::SetPainter(QPainter* painter)
{
    Flush();
    painter_ = painter;
    PreparePainter();
}

void QtSurface::PreparePainter()
{
    if (!Drawable())
        return;
    // Pixel devices get the canvas's aliased pixels. Vector devices (SVG) have no pixels to match, and Qt
    // would emulate aliased thin lines there one pixel square at a time.
    const bool pixels = IsPixelDevice();
    painter_->setRenderHint(QPainter::Antialiasing, !pixels);
    painter_->setRenderHint(QPainter::TextAntialiasing, !pixels);
}

bool QtSurface::Drawable() const { return painter_ != nullptr && painter_->isActive(); }

bool QtSurface::IsPixelDevice() const
{
    const QPaintEngine* engine = painter_->paintEngine();
    if (engine == nullptr)
        return true;
    const QPaintEngine::Type type = engine->type();
    return type == QPaintEngine::Raster || type == QPaintEngine::X11 || type == QPaintEngine::OpenGL2;
}

QColor QtSurface::Resolve(const SurfaceColor& color) const
{
    return color.buttonFace ? buttonFace_ : QColor(color.r, color.g, color.b);
}

void QtSurface::UsePen(const SurfacePen& pen)
{
    if (pen.style == PenStyle::Clear) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    // A 1-pixel canvas pen leaves out the end pixel of a line (flat cap). Wider pens cover their ends; a
    // square cap keeps Qt on its direct line rasterizer, where round caps and joins go through the stroker
    // and cost an arc and two arctangents per vertex. At curve widths the shapes differ by under a pixel.
    const int width = std::max(pen.width, 1);
    painter_->setPen(
        QPen(Resolve(pen.color), width, Qt::SolidLine, width == 1 ? Qt::FlatCap : Qt::SquareCap, Qt::MiterJoin));
}

void QtSurface::Flush()
{
    if (pending_.size() >= 2 && Drawable()) {
        UsePen(pendingPen_);
        painter_->setBrush(Qt::NoBrush);
        if (pendingPen_.width <= 1 || !IsPixelDevice()) {
            painter_->drawPolyline(pending_);
        } else {
            // Wide lines one segment at a time, each with its own caps, as successive LineTo calls draw them.
            QList<QLine> segments;
            segments.reserve(pending_.size() - 1);
            for (qsizetype i = 1; i < pending_.size(); ++i)
                segments.append(QLine(pending_[i - 1], pending_[i]));
            painter_->drawLines(segments);
        }
    }
    pending_.clear();
}

void QtSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    Flush();
    if (!Drawable())
        return;
    const Box box = Normalized(x1, y1, x2, y2);
    if (box.empty())
        return;
    const bool outlined = pen.style != PenStyle::Clear;
    if (brush.style != BrushStyle::Clear) {
        // Without a pen the canvas fills one pixel less to the right and below.
        const int fillW = outlined ? box.w : box.w - 1, fillH = outlined ? box.h : box.h - 1;
        if (fillW > 0 && fillH > 0)
            painter_->fillRect(box.x, box.y, fillW, fillH, Resolve(brush.color));
    }
    if (outlined) {
        UsePen(pen);
        painter_->setBrush(Qt::NoBrush);
        // An aliased QRect outline covers x .. x + width, so width - 1 keeps it inside the half-open box.
        painter_->drawRect(box.x, box.y, box.w - 1, box.h - 1);
    }
}

void QtSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    Flush();
    if (!Drawable())
        return;
    const Box box = Normalized(x1, y1, x2, y2);
    if (box.empty())
        return; // an empty box holds no ellipse
    UsePen(pen);
    if (brush.style == BrushStyle::Clear)
        painter_->setBrush(Qt::NoBrush);
    else
        painter_->setBrush(Resolve(brush.color));
    painter_->drawEllipse(QRect(box.x, box.y, box.w - 1, box.h - 1));
}

void QtSurface::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void QtSurface::LineTo(int x, int y)
{
    const QPoint to(x, y);
    // A line of zero length paints nothing; a clear pen paints nothing but still moves the position.
    if (to != position_ && pen.style != PenStyle::Clear) {
        const bool continues = !pending_.isEmpty() && pending_.last() == position_ && pendingPen_ == pen;
        if (!continues) {
            Flush();
            pendingPen_ = pen;
            pending_ << position_;
        }
        pending_ << to;
    }
    position_ = to;
}

const QFont& QtSurface::CurrentFont()
{
    if (!fontBuilt_ || !(fontState_.face == font.face && fontState_.height == font.height)) {
        cachedFont_ = QFont(QString::fromStdString(font.face));
        cachedFont_.setPixelSize(std::max(font.height, 1));
        cachedFont_.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics metrics(cachedFont_);
        cachedAscent_ = metrics.ascent();
        cachedHeight_ = metrics.height();
        fontState_ = font;
        fontBuilt_ = true;
    }
    return cachedFont_;
}

void QtSurface::TextOut(int x, int y, const std::string& text)
{
    Flush();
    if (!Drawable())
        return;
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFont& qfont = CurrentFont();
    painter_->setFont(qfont);
    if (brush.style != BrushStyle::Clear) {
        // An opaque text background in the brush's colour, as the canvas paints it.
        const int width = QFontMetrics(qfont).horizontalAdvance(string);
        painter_->fillRect(x, y, width, cachedHeight_, Resolve(brush.color));
    }
    painter_->setPen(Resolve(font.color));
    painter_->drawText(x, y + cachedAscent_, string);
}
