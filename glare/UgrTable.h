#pragma once
// The UGR table of a luminaire: the unified glare rating in the 19 standard rooms for five sets of reflectances,
// viewed crosswise and endwise, for a grid of luminaires at a given spacing to height ratio.

#include "GlareLuminaire.h"
#include "UgrConditions.h"
#include "UgrGeometry.h"

#include <array>
#include <optional>
#include <string>

// One room's row: X and Y in units of the mounting height, then the five reflectance columns each way. A cell is
// empty when no luminaire of the room is left in the sum (or the background gets no light).
struct tUgrRow {
    int x = 0;
    int y = 0;
    std::array<std::optional<double>, ugr::kReflectances> crosswise;
    std::array<std::optional<double>, ugr::kReflectances> endwise;
};

struct tUgrTable {
    double spacing = 0; // spacing to height ratio
    bool corrected = false; // for the file's lamp flux instead of 1000 lm
    double fluxLm = 0; // lamp flux per luminaire the table is for: 1000, or the file's when corrected
    double fileFluxLm = 0; // the file's lamp flux (the luminaire's for absolute photometry)
    bool absolute = false; // absolute photometry: rated per 1000 lm of the luminaire's own flux
    std::array<tUgrRow, ugr::kRooms> rows;
};

struct tUgrOptions {
    long double spacing = 0.25L;
    bool corrected = false;
};

// The table, or the reason there is none (reason empty exactly when table holds one).
struct tUgrResult {
    std::optional<tUgrTable> table;
    std::string reason;
};

// The table of a record and the header read with it.
tUgrResult ComputeUgrTable(const tIES& ies, const tPhotometricHeader& header, const tUgrOptions& options);

// The table of a luminaire over rooms whose geometry is already laid out (for rating many files at one spacing).
tUgrTable ComputeUgrTable(const tGlareLuminaire& luminaire, const ugr::Geometry& geometry, bool corrected);

// The correction of an uncorrected rating for a lamp flux of flux lm: 8 log10(flux / 1000).
long double FluxCorrection(long double flux);

// A rating as tables show it: one decimal, halves away from zero.
double RoundedRating(double rating);
