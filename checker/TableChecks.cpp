#include "TableChecks.h"
#include "IesChecks.h"

#include <string>
#include <utility>

namespace {

std::string Describe(const char* table, std::size_t index, std::size_t plane, bool candela)
{
    std::string text = std::string(table) + " " + std::to_string(index + 1);
    if (candela)
        text += " of plane " + std::to_string(plane + 1);
    return text;
}

} // namespace

Token TableChecks::Value(const Place& place)
{
    ++m_expected;
    const Token token = m_walk.Next();
    if (token.converted)
        return token;
    if (m_walk.PastEnd(token)) {
        ++m_missing;
        return token;
    }
    const bool candela = place.table[0] == 'c';
    const std::string name = Describe(place.table, place.index, place.plane, candela);
    const std::string_view text = m_walk.Text(token);
    if (text.find('\t') != std::string_view::npos)
        m_walk.Add(Severity::Warning, "tab-separator", token,
            "a tab joins " + Quoted(text) + " into " + name
                + ": tabs do not separate numbers, so the viewer reads one failed number and uses "
                + RealText(token.value));
    else
        m_walk.Add(Severity::Warning, "bad-number", token,
            name + " " + Quoted(text) + " is not a number; the viewer uses " + RealText(token.value));
    return token;
}

void TableChecks::ReadAngles(std::uint16_t count, tArrEx& angles, bool vertical)
{
    std::vector<Token>& tokens = vertical ? m_vertical : m_horizontal;
    tokens.resize(count);
    angles.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        tokens[i] = Value({ vertical ? "vertical angle" : "horizontal angle", i, 0 });
        angles[i] = tokens[i].value;
    }
}

void TableChecks::ReadCandela(std::uint16_t count, tArrEx& row)
{
    row.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Token token = Value({ "candela value", i, m_plane });
        row[i] = token.value;
        if (m_candelaCount++ == 0)
            m_firstCandela = token;
        if (token.value != 0)
            m_allZero = false;
        if (token.value < 0 && m_negative++ == 0)
            m_firstNegative = token;
    }
    ++m_plane;
}

void TableChecks::CheckOrder(const std::vector<Token>& angles, const char* code, const char* name)
{
    for (std::size_t i = 1; i < angles.size(); ++i)
        if (!(angles[i].value > angles[i - 1].value)) {
            m_walk.Add(Severity::Warning, code, angles[i],
                std::string(name) + " angles are not strictly ascending: angle " + std::to_string(i + 1) + " ("
                    + RealText(angles[i].value) + ") follows " + RealText(angles[i - 1].value));
            return;
        }
}

void TableChecks::CheckRanges(long double type)
{
    const auto report = [this](const Token& token, const char* code, const std::string& why) {
        m_walk.Add(Severity::Warning, code, token, why + " (" + RealText(token.value) + ")");
    };
    if (type == 1) {
        if (!m_vertical.empty()) {
            const long double first = m_vertical.front().value, last = m_vertical.back().value;
            if (first != 0 && first != 90)
                report(m_vertical.front(), "vertical-range", "type C vertical angles should start at 0 or 90");
            else if (last != 90 && last != 180)
                report(m_vertical.back(), "vertical-range", "type C vertical angles should end at 90 or 180");
        }
        if (!m_horizontal.empty()) {
            const long double first = m_horizontal.front().value, last = m_horizontal.back().value;
            const bool halfFrom90 = first == 90 && last == 270;
            if (first != 0 && !halfFrom90)
                report(m_horizontal.front(), "horizontal-range",
                    "type C horizontal angles should start at 0 (or at 90 when they end at 270)");
            else if (!halfFrom90 && last != 0 && last != 90 && last != 180 && last != 360)
                report(m_horizontal.back(), "horizontal-range",
                    "type C horizontal angles should end at 0, 90, 180 or 360");
        }
    } else if (type == 2 || type == 3) {
        for (const auto& [angles, code] :
            { std::pair { &m_vertical, "vertical-range" }, std::pair { &m_horizontal, "horizontal-range" } })
            for (const Token& angle : *angles)
                if (angle.value < -90 || angle.value > 90) {
                    report(angle, code, "type A and B angles lie within -90 to 90");
                    break;
                }
    }
}

void TableChecks::CheckCandela()
{
    if (m_negative > 0)
        m_walk.Add(Severity::Warning, "negative-candela", m_firstNegative,
            std::to_string(m_negative) + " negative candela value" + (m_negative == 1 ? "" : "s") + ", the first "
                + RealText(m_firstNegative.value) + "; the viewer uses them as they stand");
    if (m_candelaCount > 0 && m_allZero && m_missing == 0)
        m_walk.Add(
            Severity::Warning, "zero-table", m_firstCandela, "every candela value is 0; the diagrams stay empty");
}

void TableChecks::Finish(long double photometricType)
{
    if (m_missing == 0) { // zeros read past the end would only repeat what short-table says
        CheckOrder(m_vertical, "vertical-order", "vertical");
        CheckOrder(m_horizontal, "horizontal-order", "horizontal");
        CheckRanges(photometricType);
    }
    CheckCandela();
    if (m_missing > 0) {
        m_walk.Add(Severity::Error, "short-table", m_walk.Next(),
            "the file ends before the tables are complete: " + std::to_string(m_missing) + " of "
                + std::to_string(m_expected) + " values are missing; the viewer reads them as 0");
        return;
    }
    if (m_walk.AtEnd())
        return;
    const Token first = m_walk.Next();
    std::size_t extra = 1;
    while (!m_walk.AtEnd()) {
        m_walk.Next();
        ++extra;
    }
    m_walk.Add(Severity::Warning, "extra-values", first,
        std::to_string(extra) + " number" + (extra == 1 ? "" : "s")
            + " after the last candela value; the viewer does not read " + (extra == 1 ? "it" : "them"));
}
