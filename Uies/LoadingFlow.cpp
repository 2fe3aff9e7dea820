// The loading flow: runs on every change of the file list and loads the selected file, if any.
#include "Uies.h"

#include "IesHeader.h"
#include "Notifier.h"
#include "RenderWindowLink.h"
#include "TDocument.h"

#include <QLabel>
#include <QToolButton>

#include <sys/stat.h>

namespace {

bool fileExists(const std::string& path)
{
    struct stat info { };
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

void TForm1::FileListBox1DblClick()
{
    TrackBarDegree->setEnabled(false);
    TrackBarDegree->setValue(TrackBarDegree->minimum());
    ShowGrid();

    const std::string path = SelectedFileName();
    const bool exists = fileExists(path);
    const tIES& ies = document_.IESData();
    if (exists) {
        document_.Load(path, [](const std::string& message) { notifier::show(notifier::fromBytes(message)); });
        const int last = static_cast<int>(ies.NumHorizAngles) - 1;
        // A maximum below the minimum is not applied: a file without planes keeps the range it had.
        if (last >= TrackBarDegree->minimum())
            TrackBarDegree->setMaximum(last);
        if (ies.NumHorizAngles >= 1)
            TrackBarDegree->setEnabled(true);
        document_.RefreshMaxIntensity(TrackBarDegree->minimum(), TrackBarDegree->maximum());
        DrawIES();
    }

    // With fewer than two planes the track bar gives way to "axially symmetric" lying under it.
    TrackBarDegree->setVisible(ies.HorizAngles.size() >= 2);

    Label1->setText(HeaderLabelText(HeaderDisplayText(document_.HeaderLines())));
    Label1->adjustSize();

    if (!exists)
        emit noFileShown();

    const RenderWindowLink* renderWindow = RenderWindow();
    if (renderWindow && renderWindow->IsShown() && exists && SpeedButtonUpdate->isChecked())
        RequestRender();
}

QString TForm1::HeaderLabelText(const std::string& headerText)
{
    // Each entry ends in a carriage return, at which the label breaks the line; the last one ends the text.
    // An entry longer than any real one (a header line of megabytes) is cut, so laying out the label stays quick.
    constexpr qsizetype MaxEntry = 1024;
    QStringList entries = notifier::fromBytes(headerText).split(QLatin1Char('\r'));
    if (!entries.isEmpty() && entries.last().isEmpty())
        entries.removeLast();
    for (QString& entry : entries) {
        if (entry.size() > MaxEntry)
            entry = entry.left(MaxEntry) + QChar(0x2026);
    }
    return entries.join(QLatin1Char('\n'));
}
