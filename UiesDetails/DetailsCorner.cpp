#include "DetailsCorner.h"

#include <QEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {
QString Counted(int count, const char* one, const char* many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}
} // namespace

TDetailsCorner::TDetailsCorner(QWidget* panel)
    : QObject(panel)
    , panel_(panel)
{
    Button = new QPushButton(QStringLiteral("&Details"), panel);
    Button->setFocusPolicy(Qt::NoFocus);
    Button->resize(ButtonWidth, ButtonHeight);
    connect(Button, &QPushButton::clicked, this, &TDetailsCorner::detailsRequested);

    Warning = new QToolButton(panel);
    Warning->setAutoRaise(true);
    Warning->setFocusPolicy(Qt::NoFocus);
    Warning->setIconSize(QSize(16, 16));
    Warning->resize(ButtonHeight, ButtonHeight);
    Warning->hide();
    connect(Warning, &QToolButton::clicked, this, &TDetailsCorner::diagnosticsRequested);

    Button->raise();
    Warning->raise();
    panel->installEventFilter(this);
    Place();
}

void TDetailsCorner::SetCounts(int warnings, int errors)
{
    if (warnings <= 0 && errors <= 0) {
        Warning->hide();
        Warning->setToolTip(QString());
        return;
    }
    const auto sign = errors > 0 ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning;
    Warning->setIcon(Warning->style()->standardIcon(sign));
    QStringList parts;
    if (errors > 0)
        parts << Counted(errors, "error", "errors");
    if (warnings > 0)
        parts << Counted(warnings, "warning", "warnings");
    Warning->setToolTip(parts.join(QStringLiteral(", ")));
    Warning->show();
    Warning->raise();
}

bool TDetailsCorner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panel_ && event->type() == QEvent::Resize)
        Place();
    return QObject::eventFilter(watched, event);
}

void TDetailsCorner::Place()
{
    const int left = panel_->width() - Margin - ButtonWidth;
    Button->move(left, Margin);
    Warning->move(left - panelcorner::Gap - ButtonHeight, Margin);
}
