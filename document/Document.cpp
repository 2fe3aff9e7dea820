#include "Document.h"

#include "PhotometricFile.h"
#include "PlaneSampling.h"

#include <utility>

void Document::Load(const std::string& path, const HeaderErrorSink& onHeaderError)
{
    EmptyIntensityTable(ies_);
    fileName_.clear();
    // Read from the text itself, not from a string per line: a file of millions of short lines would otherwise cost
    // tens of times its size.
    std::string text;
    LoadFileBytes(path, text);
    fileLines_.clear();
    std::string numeric;
    // An EULUMDAT field the record does not need is no reason to stop the user: the checker reports it (the
    // details' Diagnostics and the warning sign). An IES header number keeps its message.
    ReadPhotometricText(
        path, text, headerLines_, ies_, header_, IsLdtPath(path) ? HeaderErrorSink() : onHeaderError, &numeric);
    if (!numeric.empty())
        fileLines_.push_back(std::move(numeric));
    fileName_ = path;
}

bool Document::SelectPlane(int plane)
{
    const bool changed = plane != selectedPlane_;
    selectedPlane_ = plane;
    return changed;
}

bool Document::SetFitDown(bool down)
{
    const bool changed = down != fitDown_;
    fitDown_ = down;
    return changed;
}

bool Document::SetOrthoDown(bool down)
{
    const bool changed = down != orthoDown_;
    orthoDown_ = down;
    return changed;
}

bool Document::RefreshMaxIntensity(int first, int last)
{
    if (!FileMaximumApplies(ies_, fitDown_))
        return false;
    maxIntensity_ = ComputeMaxIntensity(ies_, first, last);
    return true;
}
