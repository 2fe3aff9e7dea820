#include "KeyRelease.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>

#include <algorithm>

namespace {
// The press that follows an auto-repeat's release comes with it; a little more than a repeat interval is
// ample, and short enough to feel immediate.
constexpr int ShortestWaitMs = 50;
} // namespace

TKeyRelease::TKeyRelease(QObject* owner, std::function<void()> onRelease)
    : QObject(owner)
    , onRelease_(std::move(onRelease))
{
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    timer_.setSingleShot(true);
    timer_.setInterval(std::max(ShortestWaitMs, rate > 0 ? 1000 / rate : 0));
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (onRelease_)
            onRelease_();
    });
}

void TKeyRelease::pressed(const QKeyEvent* event)
{
    // The key is still held: its last release was an auto-repeat's.
    if (timer_.isActive() && event->key() == key_)
        timer_.stop();
}

void TKeyRelease::released(const QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    key_ = event->key();
    timer_.start();
}
