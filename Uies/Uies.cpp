#include "Uies.h"

TForm1* Form1 = nullptr;
tIES IESData;
long double MaxIntensity = 0;
TStringList FileLines;
TStringList HeaderLines;
int LastDrawnPosition = 0;
int LastRenderedPosition = 0;
std::string LastRenderedFile;
TTrackBarDegree* TrackBarDegree = nullptr;

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
}

TForm1::~TForm1() = default;
