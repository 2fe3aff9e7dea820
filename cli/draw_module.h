#pragma once
// The drawing part of gonilux-cli (goniogram SVG and PNG, render PNG) lives in a module of its own, opened only by
// the commands that draw through Qt, so that info, check and PGM renders start without loading any Qt library.

#include "Goniogram.h"
#include "RenderCompute.h"

#include <string>

// Raised whenever the table below changes shape, so a stale module beside a newer program is refused.
inline constexpr int DrawModuleVersion = 2;

// The program carries its own C++ library (for a quicker start) while the module uses the system's, which Qt needs:
// so nothing allocated on one side is freed on the other and no exception crosses. The module only reads what the
// program passes and hands back plain values.
struct DrawModule {
    // The system locale's decimal separator, which the goniogram's labels use, into text (at least 8 bytes,
    // zero ended).
    void (*decimalSeparator)(char* text, int size);
    // Creates the GUI application that fonts and text need; on the main thread, before any goniogram is written.
    void (*startGui)();
    // Ends what startGui began, once the last goniogram is written.
    void (*stopGui)();
    // Writes the goniogram as SVG or PNG by the path's extension; false when the file cannot be written.
    // Several goniograms may be written at once from worker threads.
    bool (*writeGoniogram)(const char* path, const GoniogramInput& input);
    // Writes the render's grey image as PNG; false when the file cannot be written. Needs no GUI application.
    bool (*writeGreyPng)(const char* path, const GreyImage& image);
};

// Exported by the module under this name.
#define GONILUX_DRAW_MODULE_ENTRY "GoniluxCliDrawModule"
using DrawModuleEntry = const DrawModule* (*)(int version);

// Opens the module once (later calls return the same table): ../lib/gonilux/ beside the program's folder first,
// then the program's own folder. Null with problem filled when it cannot be found or opened.
const DrawModule* LoadDrawModule(std::string& problem);
