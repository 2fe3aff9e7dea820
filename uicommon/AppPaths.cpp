#include "AppPaths.h"

#include "ProfileFile.h"
#include "SettingsLocation.h"

#include <QCoreApplication>

namespace {
std::string& overrideDir()
{
    static std::string dir;
    return dir;
}
} // namespace

std::string SettingsFilePath()
{
    if (!overrideDir().empty())
        return profile::SettingsPath(overrideDir());
    return profile::LocateSettingsFile(QCoreApplication::applicationDirPath().toStdString());
}

void setSettingsDirForTests(const std::string& dir) { overrideDir() = dir; }
