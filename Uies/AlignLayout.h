#pragma once
// Docks child controls against the sides of their parent, as panels of a desktop form do: controls aligned
// to the top come first, then left, then right, and a control set to fill takes the room left over.

#include <QLayout>

#include <vector>

class TAlignLayout : public QLayout {
public:
    enum class Align { Top, Left, Right, Fill };

    explicit TAlignLayout(QWidget* parent);
    ~TAlignLayout() override;

    // Docks widget; for Top its current height is kept, for Left and Right its current width.
    void addControl(QWidget* widget, Align align);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Entry {
        QLayoutItem* item;
        Align align;
        int extent; // height for Top, width for Left and Right
    };
    std::vector<Entry> entries_;
};
