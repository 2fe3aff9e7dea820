#pragma once
// The release of a key on a track bar, told apart from the releases of the key's auto-repeat.
//
// Under X11 the release that belongs to an auto-repeat can reach the widget before the press that follows it
// is queued; Qt then cannot mark it as auto-repeated, and a held key would look like many short presses. A
// release therefore counts only when no press of the same key follows it within the keyboard's repeat interval.

#include <QObject>
#include <QTimer>

#include <functional>

class QKeyEvent;

class TKeyRelease : public QObject {
public:
    // onRelease runs once the key is known to be let go.
    TKeyRelease(QObject* owner, std::function<void()> onRelease);

    void pressed(const QKeyEvent* event);
    void released(const QKeyEvent* event);

private:
    QTimer timer_;
    int key_ = 0;
    std::function<void()> onRelease_;
};
