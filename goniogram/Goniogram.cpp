#include "Goniogram.h"

#include "NumberFormat.h"
#include "ScaleRings.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The three forms of pi the diagram uses, as extended reals.
constexpr long double DegreesToRadians = 0.017453292519943295769L;
constexpr long double Pi = 3.14159265358979323851L;
constexpr long double HalfPi = 1.57079632679489661926L;

// Coordinates far outside any paint box are clamped so that the conversion to int stays defined; such
// points arise only from values far beyond the scale maximum (negative intensities, for instance).
constexpr long double CoordinateLimit = 1'000'000;

// Nearest integer, halves to even (the default rounding mode). rint rounds exactly as nearbyint does and
// differs only in raising the inexact flag, which nothing reads; it compiles to one instruction where
// nearbyint is a library call, and the curves of a large file round some 15000 coordinates per drawing.
int Pixel(long double value)
{
    if (std::isnan(value))
        return 0; // never reached by the drawing, which leaves out points that are not finite
    return static_cast<int>(std::clamp(std::rint(value), -CoordinateLimit, CoordinateLimit));
}

// Restores the pen colour when a drawing step ends, also when it ends by an exception.
class PenColorRestore {
public:
    explicit PenColorRestore(DrawSurface& surface)
        : surface_(surface)
        , saved_(surface.pen.color)
    {
    }
    ~PenColorRestore() { surface_.pen.color = saved_; }
    PenColorRestore(const PenColorRestore&) = delete;
    PenColorRestore& operator=(const PenColorRestore&) = delete;

private:
    DrawSurface& surface_;
    SurfaceColor saved_;
};

// cos t and sin t of every vertical angle, t = angle x pi / 180 + pi / 2, shared by the curves of a drawing.
// The last file's values are kept per thread: dragging the degree track bar redraws the same angles, and
// the extended-precision sine and cosine were a tenth of a large file's drawing time.
void PrepareAngles(GoniogramFrame& frame)
{
    const tArrEx& angles = frame.ies.VertAngles;
    if (frame.cosT.size() == angles.size())
        return;
    struct Memo {
        tArrEx angles;
        std::vector<long double> cosT, sinT;
    };
    thread_local Memo memo;
    if (memo.angles != angles) {
        memo.angles = angles;
        memo.cosT.resize(angles.size());
        memo.sinT.resize(angles.size());
        for (size_t v = 0; v < angles.size(); ++v) {
            const long double t = angles[v] * Pi / 180 + HalfPi;
            memo.cosT[v] = std::cos(t);
            memo.sinT[v] = std::sin(t);
        }
    }
    frame.cosT = memo.cosT;
    frame.sinT = memo.sinT;
}

enum class Half { Right, Left };

// One curve: a move to its first point, then a line to every point from the first on (the first line has
// zero length). Points that are not finite (NaN values) are left out.
void DrawCurve(GoniogramFrame& frame, int plane, Half half)
{
    PrepareAngles(frame);
    const std::span<const long double> values = PlaneValues(frame.ies, plane);
    const size_t count = std::min(values.size(), frame.cosT.size());
    const long double rx = frame.rx, ry = frame.ry;
    bool started = false;
    for (size_t v = 0; v < count; ++v) {
        const long double rho = values[v] / frame.maximum;
        // Vertical angle 0 points down, 90 outward: right of the centre for the right half, left for the left.
        const long double dx = frame.cosT[v] * rx * rho;
        const long double x = half == Half::Right ? frame.cx - dx : frame.cx + dx;
        const long double y = frame.cy + frame.sinT[v] * ry * rho;
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        const int px = Pixel(x), py = Pixel(y);
        if (!started) {
            frame.surface.MoveTo(px, py);
            started = true;
        }
        frame.surface.LineTo(px, py);
    }
}

} // namespace

void ShowGrid(DrawSurface& surface, int width, int height)
{
    PenColorRestore restorePen(surface);
    const int cx = width / 2, cy = height / 2;
    const int r0 = Pixel(std::max(cx, cy) * 0.1L);

    surface.brush.color = SurfaceColor::face();
    surface.pen.color = GridColor;
    surface.Rectangle(0, 0, width, height);
    surface.Ellipse(cx - r0, cy - r0, cx + r0, cy + r0);
    surface.MoveTo(0, cy);
    surface.LineTo(2 * cx, cy);
    surface.MoveTo(cx, 0);
    surface.LineTo(cx, 2 * cy);
    // 37 spokes, the last on the first, from the inner circle to the ellipse touching the paint box's sides.
    for (int a = 0; a <= 360; a += 10) {
        const long double t = a * DegreesToRadians;
        const long double c = std::cos(t), s = std::sin(t);
        surface.MoveTo(Pixel(cx + r0 * c), Pixel(cy + r0 * s));
        surface.LineTo(Pixel(cx + cx * c), Pixel(cy + cy * s));
    }
    surface.Flush();
}

void DrawIES(DrawSurface& surface, const GoniogramInput& input)
{
    SurfaceLock lock(surface);
    if (input.ies == nullptr)
        return;
    const tIES& ies = *input.ies;
    const int p = input.plane;
    // Nothing loaded, or a plane the table does not hold: the grid stands alone.
    if (ies.Candela.empty() || p < 0 || static_cast<size_t>(p) >= ies.Candela.size()
        || static_cast<size_t>(p) >= ies.HorizAngles.size())
        return;

    GoniogramFrame frame { surface, ies, ChoosePlanes(ies, p, input.orthoDown), input.width / 2, input.height / 2, 0, 0,
        0, input.decimalSeparator, {}, {} };
    PenColorRestore restorePen(surface); // the colour DrawGoniogram saves and DrawIES restores
    DrawGoniogram(frame, input.fitDown, input.maxIntensity);
    surface.Flush();
}

void DrawGoniogram(GoniogramFrame& frame, bool fitDown, long double maxIntensity)
{
    frame.maximum = ScaleMaximum(frame.ies, frame.planes, fitDown, maxIntensity);
    frame.rx = frame.cx - DiagramMargin;
    frame.ry = frame.cy - DiagramMargin;
    if (!DrawScale(frame))
        return; // no usable scale: the header lines show the maximum, no curve can be placed

    DrawSurface& surface = frame.surface;
    const PenStyle savedStyle = surface.pen.style;
    const int savedWidth = surface.pen.width;
    surface.pen.width = CurveWidth;
    if (frame.planes.orthoShown) {
        surface.pen.color = OrthoCurveColor;
        DrawPlanePair(frame, frame.planes.ortho, frame.planes.orthoOpposite);
    }
    // The main pair last, over the orthogonal pair.
    surface.pen.color = MainCurveColor;
    DrawPlanePair(frame, frame.planes.plane, frame.planes.opposite);
    surface.pen.style = savedStyle;
    surface.pen.width = savedWidth;
}

bool DrawScale(GoniogramFrame& frame)
{
    DrawSurface& surface = frame.surface;
    surface.font.face = "arial";
    surface.font.color = LabelColor;
    surface.pen.color = RingColor;
    const BrushStyle savedBrushStyle = surface.brush.style;
    surface.brush.style = BrushStyle::Clear; // rings unfilled, text without background

    const long double m = frame.maximum;
    const RingSpacing rings = ComputeRingSpacing(m);
    if (rings.valid) {
        // Labels shrink when the rings lie closer than a character height plus 2 pixels.
        const long double spacing = rings.unit / m * frame.rx;
        if (spacing < surface.font.height + 2)
            surface.font.height = std::max(1, Pixel(spacing - 2));
        for (int i = 0; i <= rings.n; ++i) {
            const long double value = i * rings.unit;
            const long double r = value / m * frame.rx;
            surface.Ellipse(Pixel(frame.cx - r), Pixel(frame.cy - r), Pixel(frame.cx + r), Pixel(frame.cy + r));
            surface.TextOut(frame.cx, Pixel(frame.cy + r), FormatGeneral(value, frame.decimalSeparator));
        }
    }
    surface.TextOut(5, 5, "Maximum Intensity =" + FormatGeneral(m, frame.decimalSeparator));
    const size_t plane = static_cast<size_t>(frame.planes.plane);
    const std::string angle = plane < frame.ies.HorizAngles.size()
        ? FormatGeneral(frame.ies.HorizAngles[plane], frame.decimalSeparator)
        : std::string();
    surface.TextOut(5, 5 + surface.font.height, "Degrees=" + angle);
    surface.brush.style = savedBrushStyle;
    return rings.valid;
}

void DrawPlanePair(GoniogramFrame& frame, int a, int b)
{
    DrawCurve(frame, a, Half::Right);
    DrawCurve(frame, b, Half::Left);
}
