#pragma once
// The brightness and zoom track bars of the render window.
//
// Both render on the release of the left mouse button when a position changed since the last render, while
// the slider still holds the mouse, and only then let the slider finish its drag. Releasing a key reports
// keyUp() so the window can run the same check after keyboard moves.

#include <QSlider>

class TKeyRelease;

class TRenderTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TRenderTrackBar(QWidget* owner);

signals:
    // A key was let go while the track bar had the focus, reported a moment after the release once it is
    // known not to be an auto-repeat's: a held key moves the track bar repeatedly but counts as one release.
    void keyUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TKeyRelease* keyRelease_;
};

// Brightness: positions 1 to 100, read by the render as position / 10.
class TTrackBar2 : public TRenderTrackBar {
    Q_OBJECT
public:
    using TRenderTrackBar::TRenderTrackBar;
};

// Zoom: positions 1 to 10000, shown as 10000 - position.
class TTrackBarZoom : public TRenderTrackBar {
    Q_OBJECT
public:
    using TRenderTrackBar::TRenderTrackBar;
};
