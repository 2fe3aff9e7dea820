#pragma once
// The goniogram's paint surface: a widget holding a backing image that the handlers draw into.
// A real repaint (expose, resize) runs the paint handler first; drawings made by other handlers are copied
// to the screen as they are. The canvas state (pen, brush, font) persists between drawings.

#include "DrawSurface.h"

#include <QImage>
#include <QWidget>

#include <functional>

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    std::function<void()> OnPaint;
    std::function<void()> OnClick;

    // Runs draw on a surface over the backing image, starting from the canvas state left by the previous
    // drawing and keeping the state it leaves; then schedules the copy to the screen.
    void Draw(const std::function<void(DrawSurface&)>& draw);

    // Canvas state between drawings.
    SurfacePen pen;
    SurfaceBrush brush;
    SurfaceFont font;

    const QImage& Image() const { return image_; }
    int DrawingCount() const { return drawings_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ensureImage();

    QImage image_;
    bool drawnSincePaint_ = false; // the image holds a drawing that has not reached the screen yet
    bool inPaint_ = false;
    bool pressed_ = false;
    int drawings_ = 0;
};
