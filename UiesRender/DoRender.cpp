// The render of the window's picture: the core computes the grey image, this side drives the main
// window's progress bar and time label and hands the finished image to Image1.
#include "RenderCompute.h"
#include "RenderTrackBars.h"
#include "TImage.h"
#include "Uies.h"
#include "UiesRender.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QProgressBar>

#include <chrono>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {
QImage toPicture(const GreyImage& grey)
{
    QImage picture(RenderSize, RenderSize, QImage::Format_Grayscale8);
    for (int row = 0; row < RenderSize; ++row)
        std::memcpy(picture.scanLine(row), grey.data() + static_cast<size_t>(row) * RenderSize, RenderSize);
    return picture;
}

// The progress bar is repainted at once after each step, so it moves during the render without the event
// loop running: no other handler can start in the middle of a render.
void showProgress(QProgressBar* bar, int position)
{
    if (!bar)
        return;
    bar->setValue(position);
    bar->repaint();
}
} // namespace

void TForm2::DoRender()
{
    const auto startTime = std::chrono::steady_clock::now();
    const int plane = TrackBarDegree ? TrackBarDegree->value() : 0;
    LastRenderedPosition = plane;
    LastRenderedFile = Form1 ? Form1->SelectedFileName() : std::string();
    RenderDirty = false;
    // A failed load empties the record while this window may stay open; there is nothing to render then.
    if (IsEmpty(IESData))
        throw std::runtime_error("Please select file");

    const RenderSettings settings { TrackBar2->value(), TrackBarZoom->value(), CheckBoxRadiosity->isChecked() };
    QProgressBar* progressBar = Form1 ? Form1->ProgressBarRender : nullptr;
    // Run whether the render succeeds or fails: the bar disappears and the time is reported.
    const auto finish = [&] {
        if (progressBar)
            progressBar->hide();
        if (Form1 && Form1->Label3) {
            const auto elapsed = std::chrono::steady_clock::now() - startTime;
            Form1->Label3->setText(QString::fromStdString(RenderTimeText(elapsed)));
        }
    };
    try {
        if (progressBar) {
            progressBar->setValue(0);
            progressBar->show();
        }
        auto image = std::make_unique<GreyImage>();
        RenderImage(IESData, plane, settings, *image, [&](int row) { showProgress(progressBar, row); });
        Image1->setPicture(toPicture(*image));
    } catch (...) {
        finish(); // the previous picture stays: Image1 only changes after a complete render
        throw;
    }
    finish();
}
