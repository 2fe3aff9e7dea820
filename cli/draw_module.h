#pragma once
// gonilux-cli is two programs built from the same commands. The one users run links no Qt library and carries
// its own C and C++ libraries, so that info, check and PGM renders start as fast as a program can. The commands
// that draw through Qt (goniogram SVG and PNG, render PNG, datasheet PDF) hand over to the drawing program,
// gonilux-cli-draw, which links the drawing code below and runs the same command line.

#include "Goniogram.h"
#include "RenderCompute.h"
#include "Scene.h"
#include "batch.h"

#include <string>

struct DrawModule {
    // The system locale's decimal separator, which the goniogram's labels use, into text (at least 8 bytes,
    // zero ended).
    void (*decimalSeparator)(char* text, int size);
    // Creates the GUI application that fonts and text need; on the main thread, before any goniogram is written.
    void (*startGui)();
    // Ends what startGui began, once the last goniogram is written.
    void (*stopGui)();
    // The goniogram's picture file as bytes, SVG or PNG; false when it cannot be drawn. The command writes them
    // (see output_file.h). Several goniograms may be drawn at once from worker threads.
    bool (*goniogramBytes)(const GoniogramInput& input, bool svg, std::string& bytes);
    // The render's grey image as PNG bytes; false when it cannot be encoded. Needs no GUI application.
    bool (*greyPngBytes)(const GreyImage& image, std::string& bytes);
    // A diagram's picture file as bytes: SVG at the scene's size, or PNG of width x height. False when it cannot be
    // drawn. Needs the GUI application; several may be drawn at once from worker threads.
    bool (*sceneBytes)(
        const scene::Scene& scene, bool svg, int width, int height, const char* title, std::string& bytes);
    // A page laid out in points as a one-page PDF document titled title (UTF-8), fonts embedded; false when it
    // cannot be made. Needs the GUI application (fonts); several pages may be made at once from worker threads.
    bool (*pagePdfBytes)(const scene::Scene& page, const std::string& title, std::string& bytes);
};

// The drawing code linked into this program: null in the program users run, which has none.
const DrawModule* LinkedDrawModule();

// Replaces this process by the drawing program run with the same subcommand and arguments (argv[0] is the
// subcommand's name). The drawing program is looked for in ../lib/gonilux/ beside this program's folder, then in
// the folder itself. Returns only when it cannot be started: the reason is printed and the exit code is 3.
int HandOverToDrawProgram(int argc, char** argv);

// RunIntoFolder for commands that draw: the GUI application runs while the files are drawn into the folder.
inline int DrawIntoFolder(const DrawModule& module, const std::vector<std::string>& files, const std::string& folder,
    const std::string& extension, const std::string& what,
    const std::function<FileOutcome(const std::string& file, const std::string& output)>& job)
{
    module.startGui();
    const int worst = RunIntoFolder(files, folder, extension, what, job);
    module.stopGui();
    return worst;
}
