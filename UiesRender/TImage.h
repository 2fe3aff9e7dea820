#pragma once
// The render window's picture: keeps the last rendered image and repaints from it until the next one. On a
// scaled screen each of its pixels is drawn as a square of whole device pixels, never smoothed.

#include <QImage>
#include <QWidget>

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    // Replaces the whole picture in one step; no partial image is ever shown.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    // The whole number of device pixels per picture pixel at a device pixel ratio (at least 1).
    static int PixelFactor(qreal devicePixelRatio);
    // The picture as painted: enlarged by PixelFactor with nearest-neighbour, sized in logical pixels.
    const QImage& shownPicture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QImage shown_;
    int shownFactor_ = 1;
};
