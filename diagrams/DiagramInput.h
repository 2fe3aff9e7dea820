#pragma once
// What the four diagrams are drawn from: the record, the header read with it, the plane the viewer shows and the
// choices the user makes (mounting heights, sections, units). The numbers behind each diagram come as a table.

#include "PhotometricHeader.h"
#include "tIES.h"

#include <optional>
#include <string>
#include <vector>

namespace diagrams {

enum class Kind { Cartesian, Isolux, Cone, Isocandela };
inline constexpr int kKindCount = 4;

// The name the command line and the settings use ("cartesian", ...) and the one shown to people ("Cartesian").
const char* KindKey(Kind kind);
const char* KindLabel(Kind kind);
std::optional<Kind> KindFromKey(const std::string& key);

// Which curves the cartesian diagram draws: the two main sections and the plane the viewer shows.
enum Sections { SectionFirst = 1, SectionSecond = 2, SectionPlane = 4, SectionAll = 7 };

struct DiagramInput {
    const tIES* ies = nullptr; // null or an empty table: no file loaded
    const tPhotometricHeader* header = nullptr; // null: type C, multiplier 1, no lamp flux
    int plane = 0; // the viewer's plane, an index into the file's horizontal angles
    int sections = SectionAll;
    bool perKlm = false; // cartesian in cd/klm when the file has a lamp flux
    double height = 3; // isolux mounting height, metres
    double coneFrom = 1, coneTo = 5; // the cone's first and last of five heights, metres
    int grid = 41; // isolux values: points per axis
    double extent = 0; // isolux: metres either side of the luminaire; 0 means twice the height
    std::string decimalSeparator = "."; // in the diagrams' labels
};
using CartesianInput = DiagramInput;
using ConeInput = DiagramInput;

inline constexpr double kMinHeight = 0.5, kMaxHeight = 100; // metres

// The numbers behind a diagram: named columns and rows of numbers (an empty optional is a number that is not
// defined), or why the diagram cannot be had for this file.
struct ValueTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::optional<double>>> rows;
    std::string refusal; // non-empty: no numbers, and this is why
};

// The table as text: a header line then one line per row, fields joined by separator, numbers in shortest
// round-trip form with decimalSeparator for the point, undefined numbers as empty fields.
std::string ValuesText(const ValueTable& table, char separator, const std::string& decimalSeparator = ".");

// Why the file has no such diagram ("No file loaded.", "Type B photometry: this diagram needs type C"), empty
// when it has one.
std::string Refusal(Kind kind, const DiagramInput& input);

ValueTable CartesianValues(const DiagramInput& input);
ValueTable IsoluxValues(const DiagramInput& input);
ValueTable ConeValues(const DiagramInput& input);
ValueTable IsocandelaValues(const DiagramInput& input);
ValueTable DiagramValues(Kind kind, const DiagramInput& input);

} // namespace diagrams
