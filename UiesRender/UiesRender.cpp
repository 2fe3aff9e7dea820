#include "UiesRender.h"

TForm2* Form2 = nullptr;
TTrackBar2* TrackBar2 = nullptr;
TTrackBarZoom* TrackBarZoom = nullptr;
bool RenderDirty = false;

TForm2::TForm2(QWidget* parent)
    : QWidget(parent)
{
}

TForm2::~TForm2() = default;

void TForm2::DoRender() { }
