#pragma once
// The degree (C-plane) track bar of the main window. Its position is the index of the selected plane.

#include <QSlider>

#include <functional>

class TKeyRelease;

class TTrackBarDegree : public QSlider {
    Q_OBJECT
public:
    explicit TTrackBarDegree(QWidget* parent = nullptr);

    // The position-change handler: runs when the position changes, whoever moves it, and for every scroll
    // action of the user, also one that leaves the position where it was.
    std::function<void()> OnChange;
    // Runs when a key is released while the track bar has the focus, once the release is known not to be an
    // auto-repeat's (a moment after it).
    std::function<void()> OnKeyUp;
    // Runs when the left mouse button is released on the track bar, before the slider lets go of the mouse.
    std::function<void()> OnLeftButtonUp;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void actionDone(int action);
    TKeyRelease* keyRelease_;
};
