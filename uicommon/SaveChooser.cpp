#include "SaveChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

savechooser::Chooser& currentChooser()
{
    static savechooser::Chooser chooser;
    return chooser;
}

// The first "*.ext" of a filter such as "PNG image (*.png)"; empty when it has none.
QString firstExtension(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

namespace savechooser {

void setChooser(Chooser chooser) { currentChooser() = std::move(chooser); }

QString saveFileName(QWidget* parent, const QString& caption, const QString& filters)
{
    QString path;
    QString chosenFilter;
    if (currentChooser())
        path = currentChooser()(caption, filters);
    else
        path = QFileDialog::getSaveFileName(parent, caption, QString(), filters, &chosenFilter);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().isEmpty()) {
        const QString extension
            = firstExtension(chosenFilter.isEmpty() ? filters.section(QStringLiteral(";;"), 0, 0) : chosenFilter);
        if (!extension.isEmpty())
            path += QLatin1Char('.') + extension;
    }
    return path;
}

} // namespace savechooser
