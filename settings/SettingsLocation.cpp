#include "SettingsLocation.h"

#include "ProfileFile.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace profile {

namespace {

    bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

    // mkdir -p with mode 0700 for each folder it makes; existing folders are left as they are.
    void MakeFolders(const std::string& dir)
    {
        for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
            const std::string part = dir.substr(0, slash);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
                return;
            if (slash == std::string::npos)
                return;
        }
    }

    // The system's program folders: a program installed there never keeps its settings beside itself, even when
    // the superuser, for whom every folder is writable, runs it.
    bool IsSystemProgramFolder(const std::string& dir)
    {
        for (const char* system : { "/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/games", "/usr/local/bin",
                 "/usr/local/sbin", "/usr/local/games" })
            if (dir == system || dir == std::string(system) + "/")
                return true;
        return false;
    }

    bool IsWritableFolder(const std::string& dir)
    {
        const std::string folder = dir.empty() ? "." : dir;
        struct stat st { };
        return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(folder.c_str(), W_OK | X_OK) == 0;
    }

    bool IsWritableFile(const std::string& path)
    {
        struct stat st { };
        return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), W_OK) == 0;
    }

} // namespace

std::string UserSettingsDir(const char* xdgConfigHome, const char* home)
{
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules say.
    if (IsAbsolute(xdgConfigHome))
        return std::string(xdgConfigHome) + "/gonilux";
    if (IsAbsolute(home))
        return std::string(home) + "/.config/gonilux";
    return {};
}

std::string ChooseSettingsPath(const std::string& exeDir, bool exeDirWritable, const std::string& userDir)
{
    if (exeDirWritable || userDir.empty())
        return SettingsPath(exeDir);
    return SettingsPath(userDir);
}

std::string LocateSettingsFile(const std::string& exeDir)
{
    // A settings file already there that the user may change stays in use, also in a folder that allows no
    // new file (it is then rewritten in place).
    if (!IsSystemProgramFolder(exeDir) && (IsWritableFolder(exeDir) || IsWritableFile(SettingsPath(exeDir))))
        return SettingsPath(exeDir);
    const std::string userDir = UserSettingsDir(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!userDir.empty())
        MakeFolders(userDir);
    return ChooseSettingsPath(exeDir, false, userDir);
}

} // namespace profile
