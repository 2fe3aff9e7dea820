#include "AlignLayout.h"

#include <QWidget>
#include <QWidgetItem>

#include <algorithm>

TAlignLayout::TAlignLayout(QWidget* parent)
    : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    // The form sets its own minimum size; docked panels must not impose one.
    setSizeConstraint(QLayout::SetNoConstraint);
}

TAlignLayout::~TAlignLayout()
{
    for (auto& entry : entries_)
        delete entry.item;
}

void TAlignLayout::addControl(QWidget* widget, Align align)
{
    addChildWidget(widget);
    const int extent = align == Align::Top ? widget->height() : widget->width();
    entries_.push_back({ new QWidgetItem(widget), align, extent });
    invalidate();
}

void TAlignLayout::addItem(QLayoutItem* item) { entries_.push_back({ item, Align::Fill, 0 }); }

QLayoutItem* TAlignLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? entries_[static_cast<size_t>(index)].item : nullptr;
}

QLayoutItem* TAlignLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = entries_[static_cast<size_t>(index)].item;
    entries_.erase(entries_.begin() + index);
    return item;
}

int TAlignLayout::count() const { return static_cast<int>(entries_.size()); }

QSize TAlignLayout::sizeHint() const { return { 0, 0 }; }

QSize TAlignLayout::minimumSize() const { return { 0, 0 }; }

void TAlignLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    QRect room = contentsRect();
    // The docking order of the form designer: top, left, right, then fill.
    for (Align pass : { Align::Top, Align::Left, Align::Right, Align::Fill }) {
        for (const auto& entry : entries_) {
            if (entry.align != pass)
                continue;
            QRect r;
            switch (pass) {
            case Align::Top:
                r = QRect(room.left(), room.top(), room.width(), std::min(entry.extent, room.height()));
                room.setTop(r.bottom() + 1);
                break;
            case Align::Left:
                r = QRect(room.left(), room.top(), std::min(entry.extent, room.width()), room.height());
                room.setLeft(r.right() + 1);
                break;
            case Align::Right:
                r = QRect(room.right() + 1 - std::min(entry.extent, room.width()), room.top(),
                    std::min(entry.extent, room.width()), room.height());
                room.setRight(r.left() - 1);
                break;
            case Align::Fill:
                r = room;
                break;
            }
            if (QWidget* w = entry.item->widget())
                w->setGeometry(r);
            else
                entry.item->setGeometry(r);
        }
    }
}
