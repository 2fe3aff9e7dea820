#pragma once
// The way into the details from another window: a "&Details" button and, when the file has warnings or errors,
// a small warning sign left of it, both kept at the top right corner of a panel whatever its size. They take no
// keyboard focus, so the panel's window keeps its focus order; Alt+D works through the button's mnemonic.

#include "PanelCorner.h"

#include <QObject>

class QPushButton;
class QToolButton;
class QWidget;

class TDetailsCorner : public QObject {
    Q_OBJECT
public:
    explicit TDetailsCorner(QWidget* panel);

    QPushButton* Button = nullptr;
    QToolButton* Warning = nullptr;

    // The sign shows while either count is above zero: an error sign when there are errors, the counts as its
    // tooltip.
    void SetCounts(int warnings, int errors);

    static constexpr int ButtonWidth = panelcorner::ButtonWidth;
    static constexpr int ButtonHeight = panelcorner::ButtonHeight;
    static constexpr int Margin = panelcorner::Margin;

signals:
    void detailsRequested();
    void diagnosticsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    QWidget* panel_;
};
