#pragma once
// "Save as...": a photometric file written anew as IES LM-63-2002 or EULUMDAT, the format chosen by the name the
// user gives; the save dialog goes through the save seam.

#include <QString>

#include <string>

class QWidget;

namespace saveas {

// The dialog's filters: "IES LM-63-2002 (*.ies);;EULUMDAT (*.ldt)".
QString filters();

// What the dialog proposes for source (raw file-system bytes): its own folder and its name without extension.
QString proposedName(const std::string& source);

// Asks where to save source and writes it there. Returns the path written (raw bytes), empty when the user
// cancelled. Throws std::runtime_error with the user's message when the file cannot be converted or written; the
// file that was at the chosen place is then left as it was.
std::string saveAs(QWidget* parent, const std::string& source);

} // namespace saveas
