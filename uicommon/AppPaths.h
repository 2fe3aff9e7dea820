#pragma once
// Where the settings file lives: beside the running executable where its folder is writable, else in the user's
// configuration folder; decided afresh for every access.

#include <string>

// Full path of ies.ini (see profile::LocateSettingsFile), or in the folder set by setSettingsDirForTests.
std::string SettingsFilePath();

// Tests point the settings at a temporary folder instead of the test binary's own folder.
void setSettingsDirForTests(const std::string& dir);
