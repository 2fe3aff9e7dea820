#include "draw_module.h"

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
        std::printf("error Cannot find the program's folder: %s\n", error.message().c_str());
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
        std::printf("error Cannot start the drawing program %s: %s\n", path.c_str(), std::strerror(errno));
        return 3;
    }
    std::printf("error Cannot find the drawing program %s beside %s\n", DrawProgramName, program.c_str());
    return 3;
}
