// The goniogram's context menu: the diagram to the clipboard or to a picture file, the numbers behind it, and the
// file's datasheet (saved or printed by whoever owns the details).
#include "Uies.h"

#include "GoniogramPicture.h"
#include "Notifier.h"
#include "PlaneValuesText.h"
#include "SaveChooser.h"
#include "TDocument.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QPalette>

#include <stdexcept>

GoniogramInput TForm1::ShownGoniogram() const
{
    GoniogramInput input;
    input.ies = &document_.IESData();
    input.plane = document_.SelectedPlane();
    input.fitDown = document_.FitDown();
    input.orthoDown = document_.OrthoDown();
    input.maxIntensity = document_.MaxIntensity();
    input.width = PaintBox1->width();
    input.height = PaintBox1->height();
    input.decimalSeparator = QLocale::system().decimalPoint().toStdString();
    return input;
}

void TForm1::PaintBox1ContextMenu(const QPoint& at)
{
    delete goniogramMenu_;
    goniogramMenu_ = new QMenu(this);
    goniogramMenu_->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [this](const QString& text, void (TForm1::*handler)()) {
        connect(goniogramMenu_->addAction(text), &QAction::triggered, this,
            [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
    };
    add(QStringLiteral("&Copy image"), &TForm1::CopyGoniogramImage);
    add(QStringLiteral("&Save image as..."), &TForm1::SaveGoniogramImage);
    add(QStringLiteral("Copy &values"), &TForm1::CopyGoniogramValues);
    goniogramMenu_->addSeparator();
    connect(goniogramMenu_->addAction(QStringLiteral("&Datasheet...")), &QAction::triggered, this,
        [this] { emit datasheetRequested(); });
    connect(goniogramMenu_->addAction(QStringLiteral("&Print...")), &QAction::triggered, this,
        [this] { emit printRequested(); });
    goniogramMenu_->popup(PaintBox1->mapToGlobal(at));
}

void TForm1::CopyGoniogramImage()
{
    // The picture as it is on screen, at the screen's own resolution.
    QGuiApplication::clipboard()->setImage(PaintBox1->Image());
}

void TForm1::SaveGoniogramImage()
{
    const QString file = savechooser::savePictureName(this, QStringLiteral("PNG image (*.png);;SVG image (*.svg)"));
    if (file.isEmpty())
        return;
    // Drawn anew at the diagram's size in logical pixels, as the command line draws it.
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    if (!WriteGoniogramPicture(file, ShownGoniogram(), face))
        throw std::runtime_error("Cannot write file " + QFile::encodeName(file).toStdString());
}

void TForm1::CopyGoniogramValues()
{
    const GoniogramInput input = ShownGoniogram();
    const PlaneSet planes = ChoosePlanes(*input.ies, input.plane, input.orthoDown);
    const std::string text = PlaneValuesText(*input.ies, planes, input.decimalSeparator);
    if (!text.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}
