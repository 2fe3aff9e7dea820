#pragma once
// The intensity of a record in any direction, read the same way by every diagram: the file's planes expanded to the
// full circle by the symmetry their range implies, linear between neighbouring angles, zero outside the measured
// range, the table's values times the candela multiplier.

#include "tIES.h"

#include <vector>

namespace intensity {

// How the planes of a type C file (sorted) stand for the full circle.
enum class Symmetry {
    None, // no planes
    OnePlane, // the same in every C
    Quadrant, // 0 to 90: mirrored about C0-C180 and C90-C270
    Bilateral0, // 0 to 180: mirrored about C0-C180
    Bilateral90, // 90 to 270: mirrored about C90-C270
    Full, // 0 to 360
    Circle, // 0 to an angle between 180 and 360: the last plane meets the first across 360/0
    Other, // as stored; directions outside the planes read 0
};

Symmetry SymmetryOf(const tArrEx& sortedHorizontal);

// A record's angles sorted (stably, so repeated angles keep their file order) with its values scaled. At a repeated
// angle and above it the later entry's values hold, below it the earlier one's. The values are read from the
// record, which must outlive the table.
class Table {
public:
    Table() = default;
    Table(const tIES& ies, long double multiplier);

    const tArrEx& Horizontal() const { return horizontal_; }
    const tArrEx& Vertical() const { return vertical_; }
    bool Empty() const { return horizontal_.empty() || vertical_.empty(); }
    // The value at the plane-th sorted plane and vertical-th sorted angle; 0 where the table has none.
    long double Value(std::size_t plane, std::size_t vertical) const
    {
        const std::size_t k = planeOrder_[plane], i = angleOrder_[vertical];
        const std::vector<tArrEx>& rows = ies_->Candela;
        return k < rows.size() && i < rows[k].size() ? rows[k][i] * multiplier_ : 0;
    }
    // The largest value, 0 for an empty table.
    long double Maximum() const;

    // Linear between the two neighbouring vertical angles of a plane; 0 outside the vertical range.
    long double AlongPlane(std::size_t plane, long double vertical) const;
    // Linear between the two neighbouring planes at a vertical angle; outside the planes 0, unless wrap joins the
    // last plane to the first across 360/0.
    long double Between(long double horizontal, long double vertical, bool wrap) const;

private:
    const tIES* ies_ = nullptr;
    long double multiplier_ = 1;
    tArrEx horizontal_, vertical_;
    std::vector<std::size_t> planeOrder_, angleOrder_; // the file's index of each sorted angle
};

// I(C, gamma) of a type C record in cd: C in degrees, any value (taken modulo 360), gamma from nadir.
class TypeC {
public:
    TypeC() = default;
    TypeC(const tIES& ies, long double multiplier);

    long double operator()(long double c, long double gamma) const;
    const Table& Data() const { return table_; }
    Symmetry Layout() const { return symmetry_; }

private:
    Table table_;
    Symmetry symmetry_ = Symmetry::None;
};

// Types A and B along their own planes: I(H, V) in cd, linear in both angles; a file whose horizontal (vertical)
// angles start at 0 stands for its mirror image, so -H (-V) reads H (V). Outside the measured range: 0.
class TypeAB {
public:
    TypeAB() = default;
    TypeAB(const tIES& ies, long double multiplier);

    long double operator()(long double horizontal, long double vertical) const;
    const Table& Data() const { return table_; }

private:
    Table table_;
    bool mirrorHorizontal_ = false, mirrorVertical_ = false;
};

} // namespace intensity
