#pragma once
// Draws a diagram's display list with a QPainter: in a window, into a picture, an SVG or a PDF page. The scene is
// scaled uniformly to fit the target rectangle and centred in it; everything is antialiased.

#include "Scene.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>

class QPainter;

// The sans-serif face every diagram's text uses (shipped by fonts-liberation, embedded in PDF pages).
inline constexpr const char* kDiagramFontFamily = "Liberation Sans";

void PaintScene(QPainter& painter, const scene::Scene& scene, const QRectF& target);

// The scene as a file's bytes: PNG at size (white background) or SVG at the scene's own size. Empty on failure.
QByteArray ScenePng(const scene::Scene& scene, QSize size);
QByteArray SceneSvg(const scene::Scene& scene, const QString& title);
