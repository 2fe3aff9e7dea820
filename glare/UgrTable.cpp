#include "UgrTable.h"

#include "UgrBackground.h"

#include <cmath>
#include <string>

namespace {

// The sum of L^2 omega / p^2 over the luminaires seen, each luminaire's direction chosen by the view.
long double GlareSum(
    const tGlareLuminaire& luminaire, const ugr::RoomGeometry& room, ugr::ViewDirection ugr::SeenLuminaire::*view)
{
    long double sum = 0;
    for (const ugr::SeenLuminaire& seen : room.seen) {
        const ugr::ViewDirection& d = seen.*view;
        const long double area = ProjectedArea(luminaire.Area(), d.cosC, d.sinC, d.cosGamma, d.sinGamma);
        if (!(area > 0))
            continue;
        const long double intensity = luminaire.Intensity(d.c, d.gamma);
        // L^2 omega = (I / Ap)^2 Ap / r^2 = I^2 / (Ap r^2); the weight holds 1 / (r^2 p^2).
        sum += intensity * intensity / area * seen.weight;
    }
    return sum;
}

std::optional<double> Rating(long double sum, long double background, long double correction)
{
    if (!(sum > 0) || !(background > 0))
        return std::nullopt;
    const long double rating = 8 * std::log10(0.25L / background * sum) + correction;
    if (!std::isfinite(rating))
        return std::nullopt;
    return static_cast<double>(rating);
}

} // namespace

long double FluxCorrection(long double flux) { return 8 * std::log10(flux / ugr::kLuminaireFlux); }

double RoundedRating(double rating) { return std::round(rating * 10) / 10; }

tUgrTable ComputeUgrTable(const tGlareLuminaire& luminaire, const ugr::Geometry& geometry, bool corrected)
{
    tUgrTable table;
    table.spacing = static_cast<double>(geometry.spacing);
    table.corrected = corrected;
    table.fileFluxLm = static_cast<double>(luminaire.LampFlux());
    table.absolute = luminaire.Absolute();
    table.fluxLm = corrected ? table.fileFluxLm : static_cast<double>(ugr::kLuminaireFlux);
    const long double correction = corrected ? FluxCorrection(luminaire.LampFlux()) : 0;
    const std::array<long double, ugr::kZones> zones = ugr::ZonalFluxes(luminaire);
    for (int r = 0; r < ugr::kRooms; ++r) {
        const ugr::RoomGeometry& room = geometry.rooms[r];
        tUgrRow& row = table.rows[r];
        row.x = room.room.x;
        row.y = room.room.y;
        const long double crosswise = GlareSum(luminaire, room, &ugr::SeenLuminaire::crosswise);
        const long double endwise = GlareSum(luminaire, room, &ugr::SeenLuminaire::endwise);
        const ugr::FluxShares shares = ugr::RoomFluxShares(zones, r);
        for (int s = 0; s < ugr::kReflectances; ++s) {
            const long double background = ugr::BackgroundLuminance(shares, r, s, room.count);
            row.crosswise[s] = Rating(crosswise, background, correction);
            row.endwise[s] = Rating(endwise, background, correction);
        }
    }
    return table;
}

tUgrResult ComputeUgrTable(const tIES& ies, const tPhotometricHeader& header, const tUgrOptions& options)
{
    tUgrResult result;
    const std::optional<tGlareLuminaire> luminaire = tGlareLuminaire::Of(ies, header, result.reason);
    if (!luminaire)
        return result;
    const std::shared_ptr<const ugr::Geometry> geometry = ugr::SharedGeometry(options.spacing);
    if (!geometry) {
        result.reason = "the spacing does not fit the standard rooms a whole number of times";
        return result;
    }
    result.table = ComputeUgrTable(*luminaire, *geometry, options.corrected);
    return result;
}
