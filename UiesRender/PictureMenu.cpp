// The render picture's context menu: the picture to the clipboard or to a PNG or PGM file.
#include "GreyPicture.h"
#include "Notifier.h"
#include "SaveChooser.h"
#include "TImage.h"
#include "UiesRender.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>

#include <stdexcept>

void TForm2::Image1ContextMenu(const QPoint& at)
{
    delete pictureMenu_;
    pictureMenu_ = new QMenu(this);
    pictureMenu_->setAttribute(Qt::WA_DeleteOnClose);
    // Nothing to copy or save before the first render.
    const bool rendered = !Image1->picture().isNull();
    const auto add = [this, rendered](const QString& text, void (TForm2::*handler)()) {
        QAction* action = pictureMenu_->addAction(text);
        action->setEnabled(rendered);
        connect(action, &QAction::triggered, this, [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
    };
    add(QStringLiteral("&Copy image"), &TForm2::CopyPicture);
    add(QStringLiteral("&Save image as..."), &TForm2::SavePicture);
    pictureMenu_->popup(Image1->mapToGlobal(at));
}

void TForm2::CopyPicture()
{
    if (!Image1->picture().isNull())
        QGuiApplication::clipboard()->setImage(Image1->picture());
}

void TForm2::SavePicture()
{
    if (Image1->picture().isNull())
        return;
    const QString file = savechooser::savePictureName(this, QStringLiteral("PNG image (*.png);;PGM image (*.pgm)"));
    if (file.isEmpty())
        return;
    // The rendered pixels themselves, whatever the screen's scale.
    if (!SaveGreyPicture(Image1->picture(), file))
        throw std::runtime_error("Cannot write file " + QFile::encodeName(file).toStdString());
}
