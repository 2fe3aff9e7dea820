// The main window's creation handler: the degree track bar, the line lists, the empty grid, the settings.
#include "Uies.h"

#include "FolderListing.h"
#include "Notifier.h"
#include "TDocument.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

void TForm1::FormCreate()
{
    lastRenderedFile_.clear();

    TrackBarDegree = new TTrackBarDegree(PanelDegree);
    // The position is the document's selected plane; the document learns of a move before the handler runs.
    TrackBarDegree->OnChange = [this] {
        Guard([this] {
            document_.SelectPlane(TrackBarDegree->value());
            TrackBarDegreeChange();
        });
    };
    TrackBarDegree->OnKeyUp = [this] { Guard([this] { TrackBarDegreeKeyUp(); }); };
    TrackBarDegree->OnLeftButtonUp = [this] { Guard([this] { TrackBarDegreeRenderCheck(); }); };

    TrackBarDegree->setMinimum(0);
    TrackBarDegree->setMaximum(0);
    TrackBarDegree->setValue(0);
    TrackBarDegree->setGeometry(60, 2, 193, 25);
    TrackBarDegree->setTickPosition(QSlider::TicksBothSides);
    TrackBarDegree->setTickInterval(1);
    TrackBarDegree->setEnabled(false);
    // The caption "Degree:" may reach into the track bar's left margin; it stays readable above it.
    Label4->raise();
    setTabOrder(ButtonRender, DriveComboBox1);
    setTabOrder(DriveComboBox1, TrackBarDegree);
    setTabOrder(TrackBarDegree, DirectoryListBox1);
    setTabOrder(DirectoryListBox1, FileListBox1);

    lastDrawnPosition_ = TrackBarDegree->minimum();
    lastRenderedPosition_ = TrackBarDegree->minimum();

    ShowGrid();

    // A failing key ends the reading; what was applied before it stays.
    Guard([this] { ApplyViewerSettings(); });
}

void TForm1::StartBrowser()
{
    ReadDrives();
    directory_ = folders::absoluteFolder(folders::workingFolder());
    ShowDirectory();
}
