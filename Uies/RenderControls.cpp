// The render button, the automatic-update switch, the window's show handler and the about message.
#include "Uies.h"

#include "Notifier.h"
#include "RenderWindowLink.h"
#include "TDocument.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

void TForm1::FormShow()
{
    const RenderWindowLink* renderWindow = RenderWindow();
    ButtonRender->setEnabled(!(SpeedButtonUpdate->isChecked() && renderWindow && renderWindow->IsShown()));
    FormResize();
}

void TForm1::ButtonRenderClick() { RenderRule(); }

void TForm1::SpeedButtonUpdateClick()
{
    const RenderWindowLink* renderWindow = RenderWindow();
    const bool renderWindowShown = renderWindow && renderWindow->IsShown();
    ButtonRender->setEnabled(!(SpeedButtonUpdate->isChecked() && renderWindowShown));
    if (renderWindowShown)
        RenderRule();
}

void TForm1::RenderRule()
{
    if (document_.IESData().Candela.empty()) {
        notifier::show(QStringLiteral("Please select file"));
        return;
    }
    RenderWindowLink* renderWindow = RenderWindow();
    if (!renderWindow)
        return;
    if (!renderWindow->IsShown()) {
        // Showing the render window renders.
        renderWindow->ShowWindow();
        return;
    }
    if (TrackBarDegree->value() != lastRenderedPosition_ || SelectedFileName() != lastRenderedFile_) {
        RequestRender();
        return;
    }
    renderWindow->RaiseWindow();
}

void TForm1::RequestRender()
{
    RenderWindowLink* renderWindow = RenderWindow();
    if (!renderWindow)
        return;
    ++rendersRequested_;
    renderWindow->Render();
}

void TForm1::RenderWindowShown() { ButtonRender->setEnabled(!SpeedButtonUpdate->isChecked()); }

void TForm1::RenderWindowClosed() { ButtonRender->setEnabled(true); }

void TForm1::RenderStarted(int plane)
{
    lastRenderedPosition_ = plane;
    lastRenderedFile_ = SelectedFileName();
}

void TForm1::RenderComputing()
{
    ProgressBarRender->setValue(0);
    ProgressBarRender->show();
}

void TForm1::RenderProgress(int row)
{
    // Painted at once, so the bar moves during the render without the event loop running: no other handler can
    // start in the middle of a render.
    ProgressBarRender->setValue(row);
    ProgressBarRender->repaint();
}

void TForm1::RenderFinished(const QString& timeText)
{
    ProgressBarRender->hide();
    Label3->setText(timeText);
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

void TForm1::PaintBox1Click() { notifier::show(AboutText(), notifier::Lines::Whole); }
