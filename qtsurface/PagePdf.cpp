#include "PagePdf.h"

#include "ScenePainter.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

QByteArray PagePdf(const scene::Scene& page, const QString& title, const QString& creator)
{
    if (page.width <= 0 || page.height <= 0)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(creator);
        const QPageSize size(QSizeF(page.width, page.height), QPageSize::Point, QString(), QPageSize::ExactMatch);
        if (!writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0))))
            return {};
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        PaintPage(painter, page, QRectF(0, 0, writer.width(), writer.height()));
        if (!painter.end())
            return {};
    }
    return bytes;
}

void PaintPage(QPainter& painter, const scene::Scene& page, const QRectF& target)
{
    painter.fillRect(target, Qt::white);
    PaintScene(painter, page, target);
}
