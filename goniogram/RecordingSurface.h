#pragma once
// A drawing surface that records its operations as text, one a line, for tests and `gonilux-cli --ops`.
//
// Drawing lines: "rect x1 y1 x2 y2", "ellipse x1 y1 x2 y2", "moveto x y", "lineto x y", "text x y STRING".
// Before each drawing line, a state line for each of pen, brush and font that differs from the one last
// printed: "pen r g b width", "brush r g b" / "brush face" / "brush clear", "font NAME height r g b".
// A fresh surface (pen 0 0 0 1, brush face, font MS Sans Serif 11 0 0 0) counts as already printed.

#include "DrawSurface.h"

#include <string>
#include <vector>

class RecordingSurface : public DrawSurface {
public:
    RecordingSurface();

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Lock() override { ++lockDepth_; }
    void Unlock() override { --lockDepth_; }

    // Everything recorded so far, each line ending in "\n".
    const std::string& Text() const { return text_; }
    std::vector<std::string> Lines() const;
    void ClearRecord() { text_.clear(); }
    int LockDepth() const { return lockDepth_; }

    static std::string PenLine(const SurfacePen& pen);
    static std::string BrushLine(const SurfaceBrush& brush);
    static std::string FontLine(const SurfaceFont& font);

private:
    void Emit(const std::string& drawingLine);

    std::string text_;
    std::string printedPen_, printedBrush_, printedFont_;
    int lockDepth_ = 0;
};
