#include "draw_module.h"
#include "messages.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr const char* DrawProgramName = "gonilux-cli-draw";

} // namespace

int HandOverToDrawProgram(int argc, char** argv)
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        ReportError("cannot find the program's folder: " + error.message());
        return 3;
    }
    const std::filesystem::path folder = program.parent_path();
    const std::filesystem::path candidates[]
        = { folder / ".." / "lib" / "gonilux" / DrawProgramName, folder / DrawProgramName };
    for (const auto& candidate : candidates) {
        if (::access(candidate.c_str(), X_OK) != 0)
            continue;
        std::string path = candidate.string();
        std::vector<char*> arguments { path.data() };
        arguments.insert(arguments.end(), argv, argv + argc);
        arguments.push_back(nullptr);
        // Whatever this process buffered would otherwise be lost with it.
        std::fflush(stdout);
        std::fflush(stderr);
        ::execv(path.c_str(), arguments.data());
        ReportError("cannot start the drawing program " + path + ": " + std::strerror(errno));
        return 3;
    }
    ReportError(std::string("cannot find the drawing program ") + DrawProgramName + " beside " + program.string());
    return 3;
}
