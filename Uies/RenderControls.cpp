// The render button, the automatic-update switch, the window's show handler and the about message.
#include "Uies.h"

#include "Notifier.h"
#include "UiesRender.h"

#include <QPushButton>
#include <QToolButton>

void TForm1::FormShow()
{
    ButtonRender->setEnabled(!(SpeedButtonUpdate->isChecked() && Form2 && Form2->isVisible()));
    FormResize();
}

void TForm1::ButtonRenderClick() { RenderRule(); }

void TForm1::SpeedButtonUpdateClick()
{
    const bool renderWindowShown = Form2 && Form2->isVisible();
    ButtonRender->setEnabled(!(SpeedButtonUpdate->isChecked() && renderWindowShown));
    if (renderWindowShown)
        RenderRule();
}

void TForm1::RenderRule()
{
    if (IESData.Candela.empty()) {
        notifier::show(QStringLiteral("Please select file"));
        return;
    }
    if (!Form2)
        return;
    if (!Form2->isVisible()) {
        // Showing the render window renders.
        Form2->show();
        return;
    }
    if (TrackBarDegree->value() != LastRenderedPosition || SelectedFileName() != LastRenderedFile) {
        RequestRender();
        return;
    }
    Form2->raise();
    Form2->activateWindow();
}

void TForm1::RequestRender()
{
    ++rendersRequested_;
    Form2->DoRender();
}

QString TForm1::AboutText()
{
    return QStringLiteral("Gonilux version 1.4\r"
                          "Improved quality of rendering, fix bug with symmetrical goniograms, add small feature:\r"
                          "automatic update, fit screen the goniogram, show frontal and orthogonal Gonio diagrams\r"
                          "at the same time.\r"
                          "Gonilux contributors\r"
                          "see README\r"
                          "2026");
}

void TForm1::PaintBox1Click() { notifier::show(AboutText()); }
