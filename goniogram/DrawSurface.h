#pragma once
// A small drawing surface: the operations the goniogram needs, with canvas-style persistent state.
// Implementations: the Qt adapter over a QPainter (widget, QImage, SVG) and the recording surface.

#include <cstdint>
#include <string>

struct SurfaceColor {
    uint8_t r = 0, g = 0, b = 0;
    bool buttonFace = false; // the system's button-face colour, resolved by the implementation
    friend bool operator==(const SurfaceColor&, const SurfaceColor&) = default;
    static SurfaceColor rgb(uint8_t r, uint8_t g, uint8_t b) { return { r, g, b, false }; }
    static SurfaceColor face() { return { 0, 0, 0, true }; }
};

enum class PenStyle { Solid, Clear };
enum class BrushStyle { Solid, Clear };

struct SurfacePen {
    SurfaceColor color;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const SurfacePen&, const SurfacePen&) = default;
};

struct SurfaceBrush {
    SurfaceColor color = SurfaceColor::face();
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const SurfaceBrush&, const SurfaceBrush&) = default;
};

struct SurfaceFont {
    std::string face = "MS Sans Serif";
    int height = 11; // character height in pixels
    SurfaceColor color;
    friend bool operator==(const SurfaceFont&, const SurfaceFont&) = default;
};

// The state lives in the base as plain data, as on a canvas: the drawing code sets it, and each
// drawing operation uses whatever state is current when it runs.
class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    SurfacePen pen;
    SurfaceBrush brush;
    SurfaceFont font;

    // Filled rectangle with a border: (x1, y1) inclusive to (x2, y2) exclusive.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Ellipse inside the bounding box; filled unless the brush is clear.
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Text (UTF-8) with its top-left corner at (x, y) in the current font, background per brush style.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void Lock() { }
    virtual void Unlock() { }
    // Called when a drawing is complete, so implementations that batch operations can emit them.
    virtual void Flush() { }
};

// Holds the surface's lock for a scope, released on every path.
class SurfaceLock {
public:
    explicit SurfaceLock(DrawSurface& surface)
        : surface_(surface)
    {
        surface_.Lock();
    }
    ~SurfaceLock() { surface_.Unlock(); }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

private:
    DrawSurface& surface_;
};
