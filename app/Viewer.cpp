#include "Viewer.h"

#include "DetailsLink.h"
#include "Notifier.h"
#include "SaveChooser.h"
#include "TDocument.h"
#include "Uies.h"
#include "UiesRender.h"

#include <QFile>
#include <QFrame>
#include <QStringList>

void ConnectWindows(TForm1& main, TForm2& render)
{
    main.SetRenderWindow(&render);
    render.SetOwnerWindow(&main);
    QObject::connect(&render, &TForm2::showing, &main, &TForm1::RenderWindowShown);
    QObject::connect(&render, &TForm2::closing, &main, &TForm1::RenderWindowClosed);
    QObject::connect(&render, &TForm2::renderStarted, &main, &TForm1::RenderStarted);
    QObject::connect(&render, &TForm2::renderComputing, &main, &TForm1::RenderComputing);
    QObject::connect(&render, &TForm2::renderProgress, &main, &TForm1::RenderProgress);
    QObject::connect(&render, &TForm2::renderFinished, &main, &TForm1::RenderFinished);
}

Viewer::Viewer()
    : document_(new TDocument)
    , form1_(new TForm1(*document_))
    , form2_(new TForm2(*document_))
    , details_(new DetailsLink(*document_, form1_->PanelImage))
{
    ConnectWindows(*form1_, *form2_);
    // Save dialogs propose the name of the file on show.
    QObject::connect(document_, &TDocument::loaded, document_,
        [this] { savechooser::setShownFile(QFile::decodeName(document_->FileName().c_str())); });
    QObject::connect(document_, &TDocument::loadFailed, document_, [] { savechooser::setShownFile({}); });
    QObject::connect(form1_, &TForm1::noFileShown, document_, [] { savechooser::setShownFile({}); });
    QObject::connect(form1_, &TForm1::datasheetRequested, details_, [this] { details_->SaveDatasheet(form1_); });
    QObject::connect(form1_, &TForm1::printRequested, details_, [this] { details_->PrintDatasheet(form1_); });
}

Viewer::~Viewer()
{
    delete details_;
    delete form2_;
    delete form1_;
    delete document_;
}

void Viewer::OpenAtStart(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    Guard([this, &paths] { form1_->OpenPath(QFile::encodeName(paths.first())); });
}
