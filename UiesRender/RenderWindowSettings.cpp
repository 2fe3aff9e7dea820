// The section "Render" of ies.ini: read while the window is created, written when it is destroyed.
#include "AppPaths.h"
#include "Notifier.h"
#include "ProfileFile.h"
#include "RenderTrackBars.h"
#include "UiesRender.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>

#include <string>

namespace {
const std::string Section = "Render";

// Reads one key of the section as an integer; the built-in value applies when the key is missing.
int readInteger(const std::string& path, const char* key, int builtIn)
{
    return profile::StrToInt(profile::ReadString(path, Section, key, std::to_string(builtIn)));
}

QSize primaryScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}
} // namespace

// Each key is applied before the next is read, so a value that is not an integer stops the reading with
// everything before it in force. Positions go through the track bars, which clamp them to their ranges
// and run their change handlers, so the value labels always show what was loaded.
void TForm2::ReadRenderSection()
{
    const std::string path = SettingsFilePath();
    const QSize screen = primaryScreenSize();
    // Built-in position: centred on the primary screen (C++ division truncates toward zero).
    move(readInteger(path, "Left", (screen.width() - width()) / 2), y());
    move(x(), readInteger(path, "Top", (screen.height() - height()) / 2));
    TrackBar2->setValue(readInteger(path, "Brightness", DefaultBrightness));
    TrackBarZoom->setValue(readInteger(path, "Zoom", DefaultZoom));
    // The key is spelled "Radiocity" in every settings file written so far.
    CheckBoxRadiosity->setChecked(readInteger(path, "Radiocity", 0) != 0);
}

void TForm2::WriteRenderSection()
{
    const std::string path = SettingsFilePath();
    // One write for the whole section, so that another program saving at the same moment cannot mix in.
    profile::WriteStrings(path, Section,
        { { "Left", std::to_string(x()) }, { "Top", std::to_string(y()) },
            { "Brightness", std::to_string(TrackBar2->value()) }, { "Zoom", std::to_string(TrackBarZoom->value()) },
            { "Radiocity", CheckBoxRadiosity->isChecked() ? "1" : "0" } });
}

void TForm2::FormDestroy()
{
    if (formDestroyed_)
        return;
    formDestroyed_ = true;
    // A write that fails is reported; the keys after it are not written and the window still goes.
    Guard([this] { WriteRenderSection(); });
    delete TrackBar2;
    TrackBar2 = nullptr;
    delete TrackBarZoom;
    TrackBarZoom = nullptr;
}
