// The render of the window's picture: the core computes the grey image, this side reports the progress and the
// time and hands the finished image to Image1.
#include "GreyPicture.h"
#include "RenderCompute.h"
#include "RenderTrackBars.h"
#include "TDocument.h"
#include "TImage.h"
#include "UiesRender.h"

#include <QCheckBox>

#include <chrono>
#include <memory>
#include <stdexcept>

void TForm2::DoRender()
{
    const auto startTime = std::chrono::steady_clock::now();
    const int plane = document_.SelectedPlane();
    emit renderStarted(plane);
    renderDirty_ = false;
    // A failed load empties the record while this window may stay open; there is nothing to render then.
    const tIES& ies = document_.IESData();
    if (IsEmpty(ies))
        throw std::runtime_error("Please select file");

    const RenderSettings settings { TrackBar2->value(), TrackBarZoom->value(), CheckBoxRadiosity->isChecked() };
    // Run whether the render succeeds or fails: the time is reported.
    const auto finish = [&] {
        emit renderFinished(QString::fromStdString(RenderTimeText(std::chrono::steady_clock::now() - startTime)));
    };
    try {
        emit renderComputing();
        auto image = std::make_unique<GreyImage>();
        RenderImage(ies, plane, settings, *image, [this](int row) { emit renderProgress(row); });
        Image1->setPicture(GreyPicture(*image));
    } catch (...) {
        finish(); // the previous picture stays: Image1 only changes after a complete render
        throw;
    }
    finish();
}
