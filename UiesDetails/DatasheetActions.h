#pragma once
// The datasheet from the viewer: saved as a one-page PDF or sent to a printer, for the file the details show.
// Both windows reach it (the details' buttons, the goniogram's menu); each asks through a seam a test can replace.

#include "DetailsFile.h"
#include "SheetPage.h"

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace datasheetui {

// The paper a saved page takes: US Letter where the system's locale measures in US units, A4 elsewhere.
datasheet::Paper DefaultPaper();

// The name proposed for the file's datasheet: its base name with ".pdf", in the file's folder.
QString ProposedName(const tDetailsFile& file);

// Asks where to save (proposing ProposedName) and writes the page there, completely or not at all. Throws
// std::runtime_error with the reason when the file gives no page or the PDF cannot be written; does nothing when
// the user cancels.
void SaveDatasheet(QWidget* parent, const tDetailsFile& file);

// Lets the user choose a printer (the system's print dialog) and prints the page on it, laid out for US Letter
// when that is the printer's paper and for A4 otherwise. Throws std::runtime_error as SaveDatasheet does.
void PrintDatasheet(QWidget* parent, const tDetailsFile& file);

// Replaces the print dialog: receives the printer to set up, returns false for a cancel. Empty restores the dialog.
using PrintChooser = std::function<bool(QPrinter& printer)>;
void setPrintChooser(PrintChooser chooser);

} // namespace datasheetui
