// The goniogram on the main window: repaint, square layout, plane selection and the two view switches.
#include "Uies.h"

#include "Goniogram.h"
#include "RenderWindowLink.h"
#include "TDocument.h"

#include <QFrame>
#include <QToolButton>

#include <algorithm>

void TForm1::ShowGrid()
{
    const int w = PaintBox1->width();
    const int h = PaintBox1->height();
    PaintBox1->Draw([w, h](DrawSurface& surface) { ::ShowGrid(surface, w, h); });
}

void TForm1::DrawIES()
{
    const GoniogramInput input = ShownGoniogram();
    PaintBox1->Draw([&input](DrawSurface& surface) { ::DrawIES(surface, input); });
}

void TForm1::PaintBox1Paint()
{
    // A repaint starts from the paint box's own font and colour, whatever the last drawing left.
    PaintBox1->font = SurfaceFont {};
    PaintBox1->brush.color = SurfaceColor::face();
    ShowGrid();
    DrawIES();
}

void TForm1::FormResize()
{
    const int w = PanelImage->width();
    const int h = PanelImage->height();
    // A panel narrower than the margins (impossible at the window's minimum size) gets an empty box.
    const int s = std::max(std::min(w - 4, h - 4), 0);
    PaintBox1->setGeometry((w - s) / 2 + 2, (h - s) / 2 + 2, s, s);
}

void TForm1::SpeedButtonOrthoClick()
{
    // The orthogonal pair shows only with plane 0 of a file with several planes.
    if (TrackBarDegree->value() == 0 && TrackBarDegree->maximum() - TrackBarDegree->minimum() > 0) {
        ShowGrid();
        DrawIES();
    }
}

void TForm1::SpeedButtonFitClick()
{
    document_.RefreshMaxIntensity(TrackBarDegree->minimum(), TrackBarDegree->maximum());
    ShowGrid();
    DrawIES();
}

void TForm1::TrackBarDegreeChange()
{
    const int position = TrackBarDegree->value();
    if (position != lastDrawnPosition_) {
        ShowGrid();
        DrawIES();
    }
    lastDrawnPosition_ = position;
}

void TForm1::TrackBarDegreeKeyUp() { TrackBarDegreeRenderCheck(); }

void TForm1::TrackBarDegreeRenderCheck()
{
    const RenderWindowLink* renderWindow = RenderWindow();
    if (!renderWindow || !renderWindow->IsShown())
        return;
    if (TrackBarDegree->value() == lastRenderedPosition_)
        return;
    if (!SpeedButtonUpdate->isChecked())
        return;
    RequestRender();
}
