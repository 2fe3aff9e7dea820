// The goniogram on the main window: repaint, square layout, plane selection and the two view switches.
#include "Uies.h"

#include "Goniogram.h"
#include "PanelCorner.h"
#include "RenderWindowLink.h"
#include "TDocument.h"

#include <QFrame>
#include <QToolButton>

#include <algorithm>

namespace {

// The side of the diagram's square, centred in a w x h panel: the largest that fits within 2-pixel margins, unless
// it would run under the details corner at the panel's top right; then the largest that leaves the corner free,
// by keeping below it or left of it.
int DiagramSide(int w, int h)
{
    const int largest = std::min(w - 4, h - 4);
    const int top = (h - largest) / 2 + 2;
    const int right = (w - largest) / 2 + 2 + largest;
    if (top >= panelcorner::Height || right <= w - panelcorner::Width)
        return largest;
    const int below = h - 2 * panelcorner::Height + 4; // (h - s) / 2 + 2 >= Height
    const int beside = w - 2 * panelcorner::Width - 4; // (w + s) / 2 + 2 <= w - Width
    return std::min(largest, std::max(below, beside));
}

} // namespace

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
    const int s = std::max(DiagramSide(w, h), 0);
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
