#include "GlareLuminaire.h"

#include "PhotometricFigures.h"
#include "SpreadAngles.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest angle the rating looks at; a table must reach it.
constexpr long double kSteepest = 85;

std::string Degrees(long double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6Lg", value);
    return text;
}

// Why the angles of a type C record cannot be used; empty when they can.
std::string AngleProblem(const tIES& ies)
{
    const tArrEx& v = ies.VertAngles;
    if (ies.Candela.size() != ies.HorizAngles.size() || ies.HorizAngles.empty() || v.size() < 2)
        return "the intensity table is incomplete";
    for (const tArrEx& row : ies.Candela)
        if (row.size() != v.size())
            return "the intensity table is incomplete";
    if (!std::is_sorted(v.begin(), v.end()) || std::adjacent_find(v.begin(), v.end()) != v.end())
        return "the vertical angles are not in ascending order";
    if (TypeCLayout(ies.HorizAngles) == PlaneLayout::Other)
        return "the horizontal angles do not cover the circle by a symmetry the rating knows";
    if (!std::is_sorted(ies.HorizAngles.begin(), ies.HorizAngles.end()))
        return "the horizontal angles are not in ascending order";
    if (v.front() != 0)
        return "the vertical angles start at " + Degrees(v.front()) + " degrees, not at nadir (0)";
    if (v.back() < kSteepest)
        return "the vertical angles stop at " + Degrees(v.back()) + " degrees, before the 85 degrees the rating needs";
    return "";
}

} // namespace

std::optional<tGlareLuminaire> tGlareLuminaire::Of(
    const tIES& ies, const tPhotometricHeader& header, std::string& reason)
{
    if (IsEmpty(ies)) {
        reason = "no intensities";
        return std::nullopt;
    }
    if (header.PhotometricType != 1) {
        reason = header.PhotometricType == 2 ? "type B photometry: the rating needs type C"
            : header.PhotometricType == 3    ? "type A photometry: the rating needs type C"
                                             : "the photometric type is not C";
        return std::nullopt;
    }
    reason = AngleProblem(ies);
    if (!reason.empty())
        return std::nullopt;
    const PhotometricFigures figures = ComputeFigures(ies, header);
    if (!figures.Flux || !(*figures.Flux > 0)) {
        reason = figures.Note.empty() ? "the luminaire gives no light" : figures.Note;
        return std::nullopt;
    }
    tGlareLuminaire luminaire;
    const std::optional<tLuminousArea> area = LuminousAreaOf(header, reason);
    if (!area)
        return std::nullopt;
    luminaire.area_ = *area;
    // Absolute photometry has no lamp flux: the luminaire's own flux stands for it.
    const bool relative = figures.LampFlux && *figures.LampFlux > 0;
    luminaire.absolute_ = !relative;
    luminaire.lampFlux_ = relative ? *figures.LampFlux : *figures.Flux;
    luminaire.ratio_ = relative ? *figures.Flux / *figures.LampFlux : 1;
    // An EULUMDAT file states the ratio its zonal fluxes are scaled to; the computed one stands in when it does not.
    if (relative && header.StatedLightOutputRatio && *header.StatedLightOutputRatio > 0
        && *header.StatedLightOutputRatio <= 100)
        luminaire.ratio_ = *header.StatedLightOutputRatio / 100;

    luminaire.layout_ = static_cast<int>(TypeCLayout(ies.HorizAngles));
    luminaire.planes_ = ies.HorizAngles;
    luminaire.gammas_ = ies.VertAngles;
    const long double scale = header.CandelaMultiplier * 1000 / luminaire.lampFlux_;
    luminaire.values_.reserve(ies.HorizAngles.size() * ies.VertAngles.size());
    for (const tArrEx& row : ies.Candela)
        for (const long double value : row)
            luminaire.values_.push_back(value * scale);

    // The stored planes and their mirror images split the circle into pieces over which the intensity is linear.
    std::vector<long double>& circle = luminaire.circle_;
    circle = { 0, 360 };
    for (const long double a : ies.HorizAngles)
        for (const long double image : { a, 180 - a, 180 + a, 360 - a }) {
            const long double c = std::fmod(image + 720, 360);
            circle.push_back(c);
        }
    std::sort(circle.begin(), circle.end());
    circle.erase(std::unique(circle.begin(), circle.end()), circle.end());
    return luminaire;
}

long double tGlareLuminaire::StoredC(long double c) const
{
    c = std::fmod(c, 360);
    if (c < 0)
        c += 360;
    switch (static_cast<PlaneLayout>(layout_)) {
    case PlaneLayout::Quadrant:
        if (c > 180)
            c = 360 - c;
        return c > 90 ? 180 - c : c;
    case PlaneLayout::Bilateral0:
        return c > 180 ? 360 - c : c;
    case PlaneLayout::Bilateral90:
        return c < 90 ? 180 - c : c > 270 ? 540 - c : c;
    default:
        return c;
    }
}

long double tGlareLuminaire::AtPlane(std::size_t plane, long double gamma) const
{
    const auto above = std::upper_bound(gammas_.begin(), gammas_.end(), gamma);
    if (above == gammas_.end())
        return gamma == gammas_.back() ? values_[plane * gammas_.size() + gammas_.size() - 1] : 0;
    if (above == gammas_.begin())
        return values_[plane * gammas_.size()];
    const std::size_t i = static_cast<std::size_t>(above - gammas_.begin()) - 1;
    const long double* row = &values_[plane * gammas_.size()];
    const long double t = (gamma - gammas_[i]) / (gammas_[i + 1] - gammas_[i]);
    return row[i] + t * (row[i + 1] - row[i]);
}

long double tGlareLuminaire::Intensity(long double c, long double gamma) const
{
    if (planes_.size() == 1)
        return AtPlane(0, gamma);
    const long double stored = StoredC(c);
    const auto above = std::upper_bound(planes_.begin(), planes_.end(), stored);
    if (above == planes_.begin())
        return AtPlane(0, gamma);
    const std::size_t i = static_cast<std::size_t>(above - planes_.begin()) - 1;
    if (planes_[i] == stored)
        return AtPlane(i, gamma);
    // Past the last plane of a full circle the next plane is the first one, at 360 degrees.
    const bool wraps = above == planes_.end();
    if (wraps && static_cast<PlaneLayout>(layout_) != PlaneLayout::FullCircle)
        return AtPlane(i, gamma);
    const std::size_t next = wraps ? 0 : i + 1;
    const long double nextAngle = wraps ? 360 : planes_[next];
    const long double t = (stored - planes_[i]) / (nextAngle - planes_[i]);
    const long double low = AtPlane(i, gamma);
    return low + t * (AtPlane(next, gamma) - low);
}

long double tGlareLuminaire::MeanIntensity(long double gamma) const
{
    if (planes_.size() == 1)
        return AtPlane(0, gamma);
    long double sum = 0;
    long double previous = Intensity(circle_.front(), gamma);
    for (std::size_t k = 1; k < circle_.size(); ++k) {
        const long double value = Intensity(circle_[k], gamma);
        sum += (previous + value) / 2 * (circle_[k] - circle_[k - 1]);
        previous = value;
    }
    return sum / 360;
}
