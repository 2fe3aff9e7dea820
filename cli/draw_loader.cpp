#include "draw_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <system_error>

namespace {

constexpr const char* ModuleName = "gonilux-cli-draw.so";

struct Loaded {
    const DrawModule* module = nullptr;
    std::string problem;
};

Loaded Load()
{
    Loaded loaded;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        loaded.problem = "Cannot find the program's folder: " + error.message();
        return loaded;
    }
    const std::filesystem::path folder = program.parent_path();
    const std::filesystem::path candidates[] = { folder / ".." / "lib" / "gonilux" / ModuleName, folder / ModuleName };
    for (const auto& candidate : candidates) {
        if (!std::filesystem::exists(candidate, error))
            continue;
        void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            loaded.problem = std::string("Cannot open the drawing module: ") + ::dlerror();
            return loaded;
        }
        const auto entry = reinterpret_cast<DrawModuleEntry>(::dlsym(handle, GONILUX_DRAW_MODULE_ENTRY));
        loaded.module = entry ? entry(DrawModuleVersion) : nullptr;
        if (!loaded.module)
            loaded.problem = "The drawing module " + candidate.string() + " does not belong to this program";
        return loaded;
    }
    loaded.problem = std::string("Cannot find the drawing module ") + ModuleName + " beside " + program.string();
    return loaded;
}

} // namespace

const DrawModule* LoadDrawModule(std::string& problem)
{
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = Load(); });
    problem = loaded.problem;
    return loaded.module;
}
