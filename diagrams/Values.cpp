#include "DiagramInput.h"

#include <charconv>
#include <cmath>

namespace diagrams {

namespace {

    constexpr const char* kKeys[kKindCount] = { "cartesian", "isolux", "cone", "isocandela" };
    constexpr const char* kLabels[kKindCount] = { "Cartesian", "Isolux", "Cone", "Isocandela" };

    std::string Shortest(double value, const std::string& decimalSeparator)
    {
        if (!std::isfinite(value))
            return {};
        char text[64];
        const auto result = std::to_chars(text, text + sizeof text, value);
        std::string number(text, result.ptr);
        if (decimalSeparator != ".")
            if (const auto point = number.find('.'); point != std::string::npos)
                number.replace(point, 1, decimalSeparator);
        return number;
    }

} // namespace

const char* KindKey(Kind kind) { return kKeys[static_cast<int>(kind)]; }
const char* KindLabel(Kind kind) { return kLabels[static_cast<int>(kind)]; }

std::optional<Kind> KindFromKey(const std::string& key)
{
    for (int k = 0; k < kKindCount; ++k)
        if (key == kKeys[k])
            return static_cast<Kind>(k);
    return std::nullopt;
}

std::string ValuesText(const ValueTable& table, char separator, const std::string& decimalSeparator)
{
    std::string text;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        text += (c ? std::string(1, separator) : std::string()) + table.columns[c];
    text += '\n';
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c)
                text += separator;
            if (row[c])
                text += Shortest(*row[c], decimalSeparator);
        }
        text += '\n';
    }
    return text;
}

ValueTable DiagramValues(Kind kind, const DiagramInput& input)
{
    switch (kind) {
    case Kind::Cartesian:
        return CartesianValues(input);
    case Kind::Isolux:
        return IsoluxValues(input);
    case Kind::Cone:
        return ConeValues(input);
    case Kind::Isocandela:
        break;
    }
    return IsocandelaValues(input);
}

} // namespace diagrams
