#include "DatasheetActions.h"

#include "Datasheet.h"
#include "GoniluxVersion.h"
#include "PagePdf.h"
#include "SaveChooser.h"
#include "SheetContent.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

#include <stdexcept>

namespace {

datasheetui::PrintChooser& currentChooser()
{
    static datasheetui::PrintChooser chooser;
    return chooser;
}

// The user's separators, as the details write their numbers.
tNumberStyle NumberStyle()
{
    const QLocale locale = QLocale::system();
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The page for the paper, or the reason there is none as a message for the user.
datasheet::Datasheet Sheet(const tDetailsFile& file, datasheet::Paper paper)
{
    const std::string refusal = datasheet::RefusalReason(file);
    if (!refusal.empty())
        throw std::runtime_error("No datasheet: " + refusal + ".");
    return datasheet::BuildDatasheet(file, paper, NumberStyle());
}

void Write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Cannot write file " + Bytes(path) + ":\r" + file.errorString().toStdString());
}

} // namespace

namespace datasheetui {

datasheet::Paper DefaultPaper()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? datasheet::Paper::Letter
                                                                              : datasheet::Paper::A4;
}

QString ProposedName(const tDetailsFile& file)
{
    const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(file.Path)));
    if (file.Path.empty())
        return QStringLiteral("datasheet.pdf");
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

void SaveDatasheet(QWidget* parent, const tDetailsFile& file)
{
    // The page is laid out before the question, so that a file without one says so at once.
    const datasheet::Datasheet sheet = Sheet(file, DefaultPaper());
    const QString path = savechooser::saveFileName(
        parent, QStringLiteral("Save datasheet as"), QStringLiteral("PDF document (*.pdf)"), ProposedName(file));
    if (path.isEmpty())
        return;
    const QByteArray bytes = PagePdf(sheet.Page, QString::fromStdString(sheet.Title),
        QStringLiteral("Gonilux ") + QString::fromLatin1(GONILUX_VERSION));
    if (bytes.isEmpty())
        throw std::runtime_error("Cannot draw the datasheet");
    Write(path, bytes);
}

void PrintDatasheet(QWidget* parent, const tDetailsFile& file)
{
    // Refused files are told before the dialog opens.
    Sheet(file, DefaultPaper());
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(DefaultPaper() == datasheet::Paper::Letter ? QPageSize::Letter : QPageSize::A4));
    printer.setDocName(QFileInfo(QFile::decodeName(QByteArray::fromStdString(file.Path))).fileName());
    if (currentChooser()) {
        if (!currentChooser()(printer))
            return;
    } else {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Print datasheet"));
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    const bool letter = printer.pageLayout().pageSize().id() == QPageSize::Letter;
    const datasheet::Datasheet sheet = Sheet(file, letter ? datasheet::Paper::Letter : datasheet::Paper::A4);
    // The whole sheet of paper is the page; its own margins keep the text clear of the printer's.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("Cannot print on " + printer.printerName().toStdString());
    PaintPage(painter, sheet.Page, printer.paperRect(QPrinter::DevicePixel));
    if (!painter.end())
        throw std::runtime_error("Cannot print on " + printer.printerName().toStdString());
}

void setPrintChooser(PrintChooser chooser) { currentChooser() = std::move(chooser); }

} // namespace datasheetui
