#pragma once
// The one seam for asking the user where to save a picture: the save dialog, or whatever a test installs.

#include <QString>

#include <functional>

class QWidget;

namespace savechooser {

// Receives the dialog's caption and its filters ("PNG image (*.png);;..."); returns the chosen path, empty when
// the user cancelled.
using Chooser = std::function<QString(const QString& caption, const QString& filters)>;

// Replaces the save dialog; an empty chooser restores it.
void setChooser(Chooser chooser);

// The file the viewer shows (empty: none); its name is what a save proposes.
void setShownFile(const QString& path);
// Forgets the folder of the last save: the next proposal is in the shown file's folder again.
void forgetLastFolder();

// What the dialog proposes for filters: the shown file's base name with the first filter's first extension, in
// the folder of the last save, or the shown file's folder before any save ("/f/lamp.ies" -> "/f/lamp.png"). Without
// a shown file, that folder alone (empty when there is none either).
QString proposedPath(const QString& filters);

// The path to save to, empty when cancelled; the dialog opens on proposedPath(filters) and a chosen path's folder
// is the next proposal's. Without an extension of its own the path takes the first one of the chosen filter, so
// "light" saved as PNG becomes "light.png".
QString saveFileName(QWidget* parent, const QString& caption, const QString& filters);
// The same, the dialog proposing proposed (a folder and a file name in it).
QString saveFileName(QWidget* parent, const QString& caption, const QString& filters, const QString& proposed);

// The path to save a picture to, asked under "Save image as", empty when cancelled. Throws std::runtime_error with
// the user's message when the name ends in none of the filters' extensions ("Please name the picture with .png or
// .svg:" and the name).
QString savePictureName(QWidget* parent, const QString& filters);

} // namespace savechooser
