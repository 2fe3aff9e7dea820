#include "Source.h"

#include <cmath>
#include <cstdio>

namespace diagrams {

Photometry TypeOf(const DiagramInput& input)
{
    if (!input.ies || IsEmpty(*input.ies))
        return Photometry::None;
    if (!input.header)
        return Photometry::C;
    const long double type = input.header->PhotometricType;
    return type == 1 ? Photometry::C : type == 2 ? Photometry::B : type == 3 ? Photometry::A : Photometry::Unknown;
}

long double MultiplierOf(const DiagramInput& input) { return input.header ? input.header->CandelaMultiplier : 1; }

tPhotometricHeader HeaderOf(const DiagramInput& input)
{
    if (input.header)
        return *input.header;
    tPhotometricHeader header;
    header.PhotometricType = 1;
    header.CandelaMultiplier = 1;
    header.LumensPerLamp = -1;
    return header;
}

PhotometricFigures FiguresOf(const DiagramInput& input)
{
    if (TypeOf(input) == Photometry::None)
        return {};
    return ComputeFigures(*input.ies, HeaderOf(input));
}

std::string NeedsFile(const DiagramInput& input) { return TypeOf(input) == Photometry::None ? "No file loaded." : ""; }

std::string NeedsTypeC(const DiagramInput& input)
{
    switch (TypeOf(input)) {
    case Photometry::None:
        return "No file loaded.";
    case Photometry::C:
        return "";
    case Photometry::B:
        return "Type B photometry: this diagram needs type C";
    case Photometry::A:
        return "Type A photometry: this diagram needs type C";
    case Photometry::Unknown:
        break;
    }
    const long double type = input.header->PhotometricType;
    char text[64];
    std::snprintf(text, sizeof text, "Photometric type %.6Lg: this diagram needs type C", type);
    return std::isfinite(type) ? text : "Unknown photometric type: this diagram needs type C";
}

std::string Refusal(Kind kind, const DiagramInput& input)
{
    return kind == Kind::Cartesian ? NeedsFile(input) : NeedsTypeC(input);
}

} // namespace diagrams
