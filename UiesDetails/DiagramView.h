#pragma once
// One diagram drawn to the widget's size, with a context menu to copy it as a picture or save it as PNG or SVG.

#include "DiagramInput.h"
#include "Scene.h"

#include <QWidget>

class QMenu;

class TDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit TDiagramView(QWidget* parent = nullptr);

    // Shows kind drawn from input; the record input points to must outlive the view or the next call.
    void Show(diagrams::Kind kind, const diagrams::DiagramInput& input);

    // The diagram laid out at the widget's size in logical pixels.
    const scene::Scene& Scene();
    // The picture as the screen shows it, at the screen's own resolution.
    QImage Image();
    // Writes the diagram as PNG (at the widget's size) or SVG by the path's extension; throws std::runtime_error
    // with the reason when the file cannot be written.
    void SaveTo(const QString& path);

    void CopyImage();
    void SaveImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    diagrams::Kind kind_ = diagrams::Kind::Cartesian;
    diagrams::DiagramInput input_;
    scene::Scene scene_;
    QSize laidOutAt_; // the size scene_ was laid out for; empty: to be laid out again
    QMenu* menu_ = nullptr;
};
