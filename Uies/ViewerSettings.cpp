// The section "Viewer" of the settings file: applied key by key at creation, written at close.
#include "Uies.h"

#include "AppPaths.h"
#include "FolderListing.h"
#include "Notifier.h"
#include "ProfileFile.h"
#include "TDocument.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr const char* Section = "Viewer";

QSize primaryScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

// A remembered size larger than every screen together (a hand-edited or foreign ies.ini) would ask for a
// goniogram backing image of gigabytes and leave the diagram blank: such a size is brought down to the desktop,
// as a window manager does, while the minimum size still holds.
int boundedExtent(int remembered, int minimum, int desktop)
{
    const int maximum = std::max(minimum, desktop > 0 ? desktop : 16384);
    return std::clamp(remembered, minimum, maximum);
}

QSize desktopSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize(0, 0);
}

std::string switchValue(const QToolButton* button) { return button->isChecked() ? "1" : "0"; }

} // namespace

void TForm1::ApplyViewerSettings()
{
    const std::string path = SettingsFilePath();
    auto read = [&path](const char* key, const std::string& builtIn) {
        return profile::ReadString(path, Section, key, builtIn);
    };
    auto readInt
        = [&read](const char* key, const std::string& builtIn) { return profile::StrToInt(read(key, builtIn)); };

    const std::string folder = read("LastFileName", "");
    if (!folder.empty()) {
        const QByteArray remembered(folder.data(), static_cast<qsizetype>(folder.size()));
        if (folders::absoluteFolder(remembered) != directory_)
            SetDirectory(remembered);
    }

    const QSize desktop = desktopSize();
    resize(boundedExtent(readInt("Width", "720"), 500, desktop.width()), height());
    resize(width(), boundedExtent(readInt("Height", "401"), 190, desktop.height()));

    // Centred on the primary screen unless remembered; the halves drop their fraction toward zero.
    const QSize screen = primaryScreenSize();
    move(readInt("Left", std::to_string((screen.width() - width()) / 2)), y());
    move(x(), readInt("Top", std::to_string((screen.height() - height()) / 2)));

    // Setting the state of a switch does not run its click handler.
    SpeedButtonUpdate->setChecked(readInt("Auto", "1") != 0);
    SpeedButtonOrtho->setChecked(readInt("Ortho", "1") != 0);
    SpeedButtonFit->setChecked(readInt("Fit", "1") != 0);

    switch (readInt("State", "0")) {
    case 0:
        setWindowState(Qt::WindowNoState);
        break;
    case 1:
        setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        // Maximised before it is shown: the normal geometry keeps the frame position just applied.
        setWindowState(Qt::WindowMaximized);
        break;
    default:
        break; // any other number leaves the state as it is
    }
}

void TForm1::WriteViewerSettings()
{
    // The keys are gathered and written at once, so that another viewer saving at the same moment cannot mix in.
    std::vector<std::pair<std::string, std::string>> entries;
    auto write = [&entries](const char* key, const std::string& value) { entries.emplace_back(key, value); };
    auto writeInt = [&write](const char* key, int value) { write(key, std::to_string(value)); };

    const Qt::WindowStates state = windowState();
    writeInt("State", (state & Qt::WindowMinimized) ? 1 : (state & Qt::WindowMaximized) ? 2 : 0);

    // What follows describes the normal window, also when it is maximised or minimised.
    QRect normal(pos(), size());
    if (isMaximized() || isFullScreen()) {
        // The normal geometry is the client area's; the position written is the frame's, as move() takes it.
        normal = QRect(normalGeometry().topLeft() - normalFrameOffset_, normalGeometry().size());
    }
    write("LastFileName", directory_.toStdString());
    writeInt("Width", normal.width());
    writeInt("Height", normal.height());
    writeInt("Left", normal.left());
    writeInt("Top", normal.top());
    write("Fit", switchValue(SpeedButtonFit));
    write("Auto", switchValue(SpeedButtonUpdate));
    write("Ortho", switchValue(SpeedButtonOrtho));
    profile::WriteStrings(SettingsFilePath(), Section, entries);
}

void TForm1::FormClose()
{
    // A settings file that cannot be written is reported; the window closes all the same.
    Guard([this] { WriteViewerSettings(); });
    document_.ReleaseFileLines();
}
