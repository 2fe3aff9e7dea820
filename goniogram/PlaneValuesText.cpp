#include "PlaneValuesText.h"

#include "NumberFormat.h"

#include <algorithm>
#include <vector>

std::string PlaneValuesText(const tIES& ies, const PlaneSet& planes, std::string_view decimalSeparator)
{
    std::vector<int> shown;
    const auto add = [&](int h) {
        const bool inTable
            = h >= 0 && static_cast<size_t>(h) < ies.Candela.size() && static_cast<size_t>(h) < ies.HorizAngles.size();
        if (inTable && std::find(shown.begin(), shown.end(), h) == shown.end())
            shown.push_back(h);
    };
    add(planes.plane);
    add(planes.opposite);
    if (planes.orthoShown) {
        add(planes.ortho);
        add(planes.orthoOpposite);
    }
    if (shown.empty())
        return {};

    std::string text = "Angle";
    for (int h : shown)
        text += "\tC " + FormatGeneral(ies.HorizAngles[static_cast<size_t>(h)], decimalSeparator);
    text += '\n';
    for (size_t v = 0; v < ies.VertAngles.size(); ++v) {
        text += FormatGeneral(ies.VertAngles[v], decimalSeparator);
        for (int h : shown) {
            const auto values = PlaneValues(ies, h);
            text += '\t';
            // A short row leaves its missing values empty rather than reading past it.
            if (v < values.size())
                text += FormatGeneral(values[v], decimalSeparator);
        }
        text += '\n';
    }
    return text;
}
