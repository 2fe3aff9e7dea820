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

// The path to save to, empty when cancelled. Without an extension of its own the path takes the first one of
// the chosen filter, so "light" saved as PNG becomes "light.png". The dialog proposes proposed when given.
QString saveFileName(QWidget* parent, const QString& caption, const QString& filters, const QString& proposed = {});

// The path to save a picture to, asked under "Save image as", empty when cancelled. Throws std::runtime_error with
// the user's message when the name ends in none of the filters' extensions ("Please name the picture with .png or
// .svg:" and the name).
QString savePictureName(QWidget* parent, const QString& filters);

} // namespace savechooser
