#pragma once
// Which ies.ini the programs use. Beside the executable where that folder is writable (a copy run from its own
// folder, a build tree) or where an ies.ini there may be changed; otherwise, as for a program installed in
// /usr/bin, in the user's configuration folder.

#include <string>

namespace profile {

// The user's settings folder: $XDG_CONFIG_HOME/gonilux when XDG_CONFIG_HOME is an absolute path, else
// $HOME/.config/gonilux when HOME is an absolute path, else "" (no user folder). Either argument may be null.
std::string UserSettingsDir(const char* xdgConfigHome, const char* home);

// ies.ini beside the executable when its folder is writable or there is no user folder; else ies.ini in userDir.
std::string ChooseSettingsPath(const std::string& exeDir, bool exeDirWritable, const std::string& userDir);

// The decision above against the real environment and file system. The system's program folders (/usr/bin,
// /usr/local/bin...) count as read-only whoever runs the program. When the user folder is chosen it is created
// (mode 0700) if missing; a folder that cannot be created shows later as a refused write naming the path.
std::string LocateSettingsFile(const std::string& exeDir);

} // namespace profile
