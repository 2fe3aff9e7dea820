// "Save as..." of the details window: the file shown, written anew in the format the user's file name asks for.
#include "FormDetails.h"

#include "Notifier.h"
#include "SaveAsFile.h"

#include <QPushButton>

void TFormDetails::SaveAs()
{
    if (!SaveAsButton->isEnabled())
        return; // nothing shown: Ctrl+S does nothing, as the button does
    Guard([this] {
        const std::string written = saveas::saveAs(this, file_.Path);
        if (!written.empty())
            emit fileSaved(QByteArray::fromStdString(written));
    });
}
