#include "ProfileFile.h"

namespace profile {
std::string SettingsPath(const std::string& exeDir)
{
    if (!exeDir.empty() && exeDir.back() == '/')
        return exeDir + "ies.ini";
    return exeDir + "/ies.ini";
}
} // namespace profile
