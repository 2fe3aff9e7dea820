// Fuzz target for the way a file selection goes: the file's bytes through the reader
// into the record and the header entries, the goniogram drawn for several planes and switch settings, and a
// render attempted; the checker run over the same bytes must agree with the reader. Errors the user would see
// (std::exception) are fine; crashes, hangs, leaks, undefined behaviour and a record that contradicts its own
// counts are findings.

#include "Checker.h"
#include "FileText.h"
#include "Goniogram.h"
#include "IesHeader.h"
#include "IesReader.h"
#include "LineText.h"
#include "PlaneSampling.h"
#include "RecordingSurface.h"
#include "RenderCompute.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int g_memFile = -1;
std::string g_memPath;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "ies_reader_fuzz: %s\n", what);
    std::abort();
}

// Puts the input where LoadFileLines can open it by path, without touching the disk.
void StoreInput(const uint8_t* data, size_t size)
{
    if (::ftruncate(g_memFile, 0) != 0 || ::pwrite(g_memFile, data, size, 0) != static_cast<ssize_t>(size))
        Fail("cannot store the input");
}

// Paint box sizes from a collapsed splitter to a large screen.
struct Size {
    int width, height;
};
constexpr Size kSizes[] = { { 0, 0 }, { 1, 1 }, { 329, 329 }, { 640, 401 }, { 1900, 1400 } };

// The input's length picks the switches, the paint box, the locale separator and the render settings, so that
// the fuzzer reaches every combination without spending input bytes on it.
struct Variant {
    explicit Variant(size_t n)
        : fitDown(n & 1)
        , orthoDown(n & 2)
        , size(kSizes[(n / 4) % std::size(kSizes)])
        , separator((n / 20) % 2 ? "," : ".")
        , render((n / 40) % 4)
        , renderPlane((n / 160) % 3)
    {
    }
    bool fitDown, orthoDown;
    Size size;
    const char* separator;
    size_t render;
    size_t renderPlane; // first, last or middle plane
};

void DrawPlanes(const tIES& ies, const Variant& variant)
{
    const int planes = static_cast<int>(ies.NumHorizAngles);
    // The flow computes the common scale only while fit is up and a table was read.
    const long double maxIntensity = ies.Candela.empty() ? 0 : ComputeMaxIntensity(ies, 0, planes - 1);

    RecordingSurface surface;
    // First, middle and last plane, and one past the end: a track bar keeps its old range after a file
    // without planes, so a stale position can reach the drawing.
    for (int plane : { 0, planes / 2, planes - 1, planes + 1 }) {
        if (plane < 0)
            continue;
        GoniogramInput input;
        input.ies = &ies;
        input.plane = plane;
        input.fitDown = variant.fitDown;
        input.orthoDown = variant.orthoDown;
        input.maxIntensity = maxIntensity;
        input.width = variant.size.width;
        input.height = variant.size.height;
        input.decimalSeparator = variant.separator;
        ShowGrid(surface, input.width, input.height);
        DrawIES(surface, input);
        surface.ClearRecord();
    }
    if (surface.LockDepth() != 0)
        Fail("the goniogram left the surface locked");
}

void Render(const tIES& ies, const Variant& variant)
{
    static const RenderSettings kSettings[]
        = { { 15, 500, false }, { 100, 1, true }, { 1, 10000, false }, { 57, 3, true } };
    const RenderSettings settings = kSettings[variant.render];
    GreyImage image {};
    int lastRow = -1;
    const int planes = static_cast<int>(ies.NumHorizAngles);
    // A file without planes leaves the track bar its old range, so a stale position then reaches the render.
    const int choices[] = { 0, std::max(planes - 1, 0), planes == 0 ? 5 : planes / 2 };
    const int plane = choices[variant.renderPlane];
    try {
        RenderImage(ies, plane, settings, image, [&lastRow](int row) {
            if (row < lastRow || row > RenderSize)
                Fail("render progress out of order");
            lastRow = row;
        });
    } catch (const std::exception&) {
        // The user sees the message; the program goes on.
    }
}

// The checker on the same bytes: it never throws, places every diagnostic on a line, and holds the record the
// reader holds (nothing when the reader refused the file).
void CheckAgrees(const uint8_t* data, size_t size, const tIES* read)
{
    tIES checked;
    checked.NumVertAngles = 1; // left so when the file is refused
    checked.Candela.resize(3);
    const Diagnostics found = CheckIesText(std::string_view(reinterpret_cast<const char*>(data), size), &checked);
    for (const Diagnostic& d : found)
        if (d.line == 0 || d.code.empty())
            Fail("diagnostic without a line or code");
    if (!read) {
        if (checked.NumVertAngles != 1 || checked.Candela.size() != 3)
            Fail("checker filled a record the reader refused");
        return;
    }
    if (checked.VertAngles != read->VertAngles || checked.HorizAngles != read->HorizAngles
        || checked.Candela != read->Candela || checked.UnitsType != read->UnitsType)
        Fail("checker and reader disagree on the numbers");
}

// The command line reads the numbers straight from the file's text, without the numeric text: it must refuse what
// the viewer's read refuses, with the same words, and otherwise give the same header message, lines and record.
void CheckStraightRead(const std::string& text, const std::string& refusal, const std::string& message,
    const TStringList& headerLines, const tIES& ies)
{
    TStringList lines;
    tIES straight;
    tPhotometricHeader header;
    std::string said, failure;
    try {
        ReadIESText(text, lines, straight, header, [&said](const std::string& m) { said = m; });
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (failure != refusal)
        Fail("the straight read and the viewer's read disagree on refusing the file");
    if (said != message)
        Fail("the straight read and the viewer's read give different header messages");
    if (refusal.empty()
        && (lines != headerLines || straight.VertAngles != ies.VertAngles || straight.HorizAngles != ies.HorizAngles
            || straight.Candela != ies.Candela || straight.UnitsType != ies.UnitsType))
        Fail("the straight read and the viewer's read give different records");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_memFile = ::memfd_create("ies-input", MFD_CLOEXEC);
    if (g_memFile < 0)
        Fail("memfd_create failed");
    g_memPath = "/proc/self/fd/" + std::to_string(g_memFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StoreInput(data, size);
    // The file is read as the viewer reads it: its text once, with no string per line.
    TStringList headerLines;
    std::string text, numeric;
    tIES ies;
    tPhotometricHeader numbers;
    int messages = 0;
    std::string message;
    try {
        LoadFileBytes(g_memPath, text);
    } catch (const std::exception&) {
        CheckAgrees(data, size, nullptr);
        return 0;
    }
    // The command line's read of the file gives the same bytes (large files in memory of their own).
    if (const tFileText converted(g_memPath); converted.Text() != text)
        Fail("the converter's read of the file differs from the viewer's");
    try {
        ReadIESText(text, headerLines, numeric, ies, numbers, [&messages, &message](const std::string& m) {
            ++messages;
            message = m;
        });
    } catch (const std::exception& error) {
        // The flow stops at the failing step; the header display still shows what the read set aside.
        HeaderDisplayText(headerLines);
        CheckStraightRead(text, error.what(), message, headerLines, ies);
        CheckAgrees(data, size, nullptr);
        return 0;
    }
    CheckStraightRead(text, "", message, headerLines, ies);
    if (messages > 1)
        Fail("header message shown more than once in one read");
    if (ies.VertAngles.size() != ies.NumVertAngles || ies.HorizAngles.size() != ies.NumHorizAngles
        || ies.Candela.size() != ies.NumHorizAngles)
        Fail("record lengths differ from its counts");
    for (const tArrEx& row : ies.Candela)
        if (row.size() != ies.NumVertAngles)
            Fail("candela row length differs from the vertical count");

    const std::string header = HeaderDisplayText(headerLines);
    if (std::count(header.begin(), header.end(), '\r') != 6)
        Fail("header display text is not six lines");

    CheckAgrees(data, size, &ies);
    const Variant variant(size);
    DrawPlanes(ies, variant);
    Render(ies, variant);
    return 0;
}
