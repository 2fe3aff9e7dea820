#pragma once
// A page laid out as a scene in points, as a one-page PDF document: vector drawing, real text, fonts embedded.

#include "Scene.h"

#include <QByteArray>
#include <QString>

class QPainter;
class QRectF;

// The document's bytes, its page the scene's size in points; empty when it cannot be made. Needs a GUI
// application (fonts).
QByteArray PagePdf(const scene::Scene& page, const QString& title, const QString& creator);

// Paints the page over target (a printer's whole paper, say), on a white ground.
void PaintPage(QPainter& painter, const scene::Scene& page, const QRectF& target);
