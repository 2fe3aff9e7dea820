#include "SaveChooser.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <stdexcept>

namespace {

savechooser::Chooser& currentChooser()
{
    static savechooser::Chooser chooser;
    return chooser;
}

struct Remembered {
    QString shownFile;
    QString lastFolder;
};

Remembered& remembered()
{
    static Remembered state;
    return state;
}

// Every "*.ext" of the filters, in order.
QStringList extensions(const QString& filters)
{
    QStringList found;
    QRegularExpressionMatchIterator match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).globalMatch(filters);
    while (match.hasNext())
        found << match.next().captured(1);
    return found;
}

} // namespace

namespace savechooser {

void setChooser(Chooser chooser) { currentChooser() = std::move(chooser); }

void setShownFile(const QString& path) { remembered().shownFile = path; }

void forgetLastFolder() { remembered().lastFolder.clear(); }

QString proposedPath(const QString& filters)
{
    const QFileInfo shown(remembered().shownFile);
    QString folder = remembered().lastFolder;
    if (folder.isEmpty() && !remembered().shownFile.isEmpty())
        folder = shown.absolutePath();
    if (remembered().shownFile.isEmpty())
        return folder;
    // The base name: "lamp.v2.ies" proposes "lamp.v2.png".
    QString name = shown.completeBaseName();
    const QString extension = extensions(filters.section(QStringLiteral(";;"), 0, 0)).value(0);
    if (!extension.isEmpty())
        name += QLatin1Char('.') + extension;
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& filters)
{
    return saveFileName(parent, caption, filters, QString());
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& filters, const QString& proposed)
{
    QString path;
    QString chosenFilter;
    if (currentChooser())
        path = currentChooser()(caption, filters);
    else
        path = QFileDialog::getSaveFileName(
            parent, caption, proposed.isEmpty() ? proposedPath(filters) : proposed, filters, &chosenFilter);
    if (path.isEmpty())
        return path;
    remembered().lastFolder = QFileInfo(path).absolutePath();
    if (QFileInfo(path).suffix().isEmpty()) {
        // The first "*.ext" of the chosen filter.
        const QString extension
            = extensions(chosenFilter.isEmpty() ? filters.section(QStringLiteral(";;"), 0, 0) : chosenFilter).value(0);
        if (!extension.isEmpty())
            path += QLatin1Char('.') + extension;
    }
    return path;
}

QString savePictureName(QWidget* parent, const QString& filters)
{
    const QString file = saveFileName(parent, QStringLiteral("Save image as"), filters);
    if (file.isEmpty())
        return file;
    const QStringList allowed = extensions(filters);
    if (!allowed.contains(file.section(QLatin1Char('.'), -1).toLower()))
        throw std::runtime_error("Please name the picture with ." + allowed.join(QStringLiteral(" or .")).toStdString()
            + ":\r" + QFile::encodeName(file).toStdString());
    return file;
}

} // namespace savechooser
