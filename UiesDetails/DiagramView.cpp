#include "DiagramView.h"

#include "AtomicFile.h"
#include "Diagrams.h"
#include "Notifier.h"
#include "SaveChooser.h"
#include "ScenePainter.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>

#include <stdexcept>

TDiagramView::TDiagramView(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(200, 160);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDiagramView::Show(diagrams::Kind kind, const diagrams::DiagramInput& input)
{
    kind_ = kind;
    input_ = input;
    laidOutAt_ = {};
    update();
}

const scene::Scene& TDiagramView::Scene()
{
    if (laidOutAt_ != size()) {
        scene_ = diagrams::BuildDiagram(kind_, input_, width(), height());
        laidOutAt_ = size();
    }
    return scene_;
}

void TDiagramView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintScene(painter, Scene(), QRectF(rect()));
}

QImage TDiagramView::Image()
{
    const qreal ratio = devicePixelRatioF();
    QImage image((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintScene(painter, Scene(), QRectF(rect()));
    return image;
}

void TDiagramView::SaveTo(const QString& path)
{
    const bool svg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    const QString title = QStringLiteral("Gonilux %1 diagram").arg(QLatin1String(diagrams::KindKey(kind_)));
    const QByteArray bytes = svg ? SceneSvg(Scene(), title) : ScenePng(Scene(), size());
    const std::string file = QFile::encodeName(path).toStdString();
    if (bytes.isEmpty())
        throw std::runtime_error("Cannot write file " + file + ": the picture could not be drawn");
    const std::string problem
        = fileio::WriteFileAtomically(file, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!problem.empty())
        throw std::runtime_error("Cannot write file " + file + ": " + problem);
}

void TDiagramView::CopyImage() { QApplication::clipboard()->setImage(Image()); }

void TDiagramView::SaveImage()
{
    const QString path = savechooser::savePictureName(this, QStringLiteral("PNG image (*.png);;SVG image (*.svg)"));
    if (!path.isEmpty())
        SaveTo(path);
}

void TDiagramView::contextMenuEvent(QContextMenuEvent* event)
{
    delete menu_;
    menu_ = new QMenu(this);
    menu_->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu_, &QObject::destroyed, this, [this] { menu_ = nullptr; });
    connect(menu_->addAction(QStringLiteral("&Copy image")), &QAction::triggered, this,
        [this] { Guard([this] { CopyImage(); }); });
    connect(menu_->addAction(QStringLiteral("&Save image as...")), &QAction::triggered, this,
        [this] { Guard([this] { SaveImage(); }); });
    menu_->popup(event->globalPos());
}
