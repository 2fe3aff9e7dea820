#include "SaveAsFile.h"

#include "Convert.h"
#include "SaveChooser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace saveas {

QString filters() { return QStringLiteral("IES LM-63-2002 (*.ies);;EULUMDAT (*.ldt)"); }

QString proposedName(const std::string& source)
{
    const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(source)));
    return file.dir().filePath(file.completeBaseName());
}

std::string saveAs(QWidget* parent, const std::string& source)
{
    if (source.empty())
        throw std::runtime_error("No file is loaded: there is nothing to save.");
    const QString chosen
        = savechooser::saveFileName(parent, QStringLiteral("Save as"), filters(), proposedName(source));
    if (chosen.isEmpty())
        return {};
    const std::string target = QFile::encodeName(chosen).toStdString();
    const std::string refusal = ConvertFile(source, target);
    if (!refusal.empty())
        throw std::runtime_error("Cannot save " + target + ":\r" + refusal);
    return target;
}

} // namespace saveas
