// Fuzz target for the EULUMDAT reader: the input's bytes into lines, the lines into the record, the header lines and
// the header numbers, and the checker over the same bytes. A refusal (std::runtime_error) is fine; a crash, hang,
// leak, undefined behaviour, a refusal that changed anything, a record that contradicts its own counts or the facts
// of the read, or a check that disagrees with the read is a finding.

#include "Checker.h"
#include "LdtReader.h"
#include "LineText.h"
#include "TextEncoding.h"
#include "TextLines.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "ldt_reader_fuzz: %s\n", what);
    std::abort();
}

// The record, header lines and facts a refused read must leave as they were.
void Prefill(tIES& ies, TStringList& headerLines, tLdtFacts& facts)
{
    ies.HorizAngles = { 0 };
    ies.VertAngles = { 0, 90 };
    ies.Candela = { { 1, 2 } };
    ies.NumHorizAngles = 1;
    ies.NumVertAngles = 2;
    headerLines = { "[TEST] before", "TILT=NONE" };
    facts.lastTableLine = 12345;
}

void CheckRecord(const tIES& ies, const tLdtFacts& facts, const TStringList& headerLines, int messages)
{
    if (ies.VertAngles.size() != ies.NumVertAngles || ies.HorizAngles.size() != ies.NumHorizAngles
        || ies.Candela.size() != ies.NumHorizAngles || ies.Candela.empty())
        Fail("record lengths differ from its counts");
    if (ies.NumVertAngles != static_cast<unsigned>(facts.gammaAngles))
        Fail("vertical angles differ from the intensities per plane");
    if (ies.NumHorizAngles != static_cast<unsigned>(facts.storedPlanes))
        Fail("horizontal angles differ from the planes the symmetry gives");
    for (const tArrEx& row : ies.Candela) {
        if (row.size() != ies.NumVertAngles)
            Fail("candela row length differs from the vertical count");
        for (long double value : row)
            if (!std::isfinite(value))
                Fail("a candela value is not finite");
    }
    if (headerLines.size() != 8 || headerLines.back() != "TILT=NONE")
        Fail("header lines are not the eight synthesised ones");
    if (messages != (facts.failures.empty() ? 0 : 1))
        Fail("a failing field was not reported exactly once");
}

// The checker reads with the same reader: a refused file has exactly one error, on the line the refusal names (a
// plane count the symmetry cannot split is named on line 4 either way); a read file has an error for each field that
// failed (the report lists ten of a code, then counts the rest), at most one for a flux that is no finite number,
// and no other.
void CheckAgreement(std::string_view bytes, const std::string& refusal, const tLdtFacts& facts)
{
    const Diagnostics found = CheckLdtText(bytes);
    std::size_t errors = 0, fieldErrors = 0, fluxErrors = 0, errorLine = 0;
    for (const Diagnostic& d : found) {
        if (d.line == 0 || d.code.empty() || d.message.empty() || FirstInvalidUtf8(d.message) != std::string::npos)
            Fail("a diagnostic without a line, a code or a valid UTF-8 message");
        if (d.severity != Severity::Error)
            continue;
        ++errors;
        errorLine = d.line;
        if (d.code == "ldt-field")
            ++fieldErrors;
        if (d.code == "flux-range")
            ++fluxErrors;
    }
    if (!refusal.empty()) {
        if (errors != 1 || refusal.rfind("EULUMDAT line " + std::to_string(errorLine) + ": ", 0) != 0)
            Fail("the check does not give the reader's refusal on its line");
        return;
    }
    const std::size_t expected = facts.failures.size() <= 10 ? facts.failures.size() : 11;
    if (errors != fieldErrors + fluxErrors || fieldErrors != expected || fluxErrors > 1)
        Fail("the check's errors differ from the fields the reader could not convert");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The line store the program reads EULUMDAT files through (no string per line).
    const tTextLines lines(bytes);
    tIES ies;
    TStringList headerLines;
    tPhotometricHeader header;
    tLdtFacts facts;
    Prefill(ies, headerLines, facts);
    int messages = 0;
    try {
        ReadLDT(
            lines, headerLines, ies, header, [&messages](const std::string&) { ++messages; }, &facts);
    } catch (const std::runtime_error& e) {
        if (std::string_view(e.what()).substr(0, 14) != "EULUMDAT line ")
            Fail("a refusal does not name its line");
        if (ies.Candela.size() != 1 || headerLines.size() != 2 || facts.lastTableLine != 12345 || messages != 0)
            Fail("a refused read changed the record");
        CheckAgreement(bytes, e.what(), facts);
        return 0;
    }
    CheckRecord(ies, facts, headerLines, messages);
    CheckAgreement(bytes, {}, facts);
    return 0;
}
