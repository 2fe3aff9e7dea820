// The main window's controls: built from the layout, then the creation handler runs.
#include "Uies.h"

#include "AlignLayout.h"
#include "FileListBox.h"
#include "Notifier.h"
#include "RenderWindowLink.h"
#include "TDocument.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QSvgRenderer>
#include <QToolButton>

// The pictures are compiled into this static library; its resources must be registered by hand.
static void registerIcons() { Q_INIT_RESOURCE(icons); }

namespace {

using Align = TAlignLayout::Align;

QFrame* makePanel(QWidget* parent, const QRect& geometry)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::NoFrame);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* makeLabel(QWidget* parent, int left, int top, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// Our own small pictures, drawn from the SVG resources at the button's icon size.
QIcon svgIcon(const QString& resource)
{
    QSvgRenderer renderer(resource);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    return QIcon(pixmap);
}

QToolButton* makeSpeedButton(QWidget* parent, int left, const QString& icon, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setGeometry(left, 83, 20, 20);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setIcon(svgIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TForm1::TForm1(TDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    registerIcons();
    BuildControls();
    BindHandlers();
    StartBrowser();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::SetRenderWindow(QWidget* window) { renderWindow_ = window; }

RenderWindowLink* TForm1::RenderWindow() const
{
    // A window being destroyed is no longer a link.
    return dynamic_cast<RenderWindowLink*>(renderWindow_.data());
}

void TForm1::BuildControls()
{
    setWindowTitle(QStringLiteral("Gonilux"));
    // Where the face is missing, an Arial-metric face keeps the captions within their designed widths.
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setFamilies(
        { QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    formFont.setPixelSize(11);
    setFont(formFont);
    setMinimumSize(500, 190);
    resize(720, 401);
    move(386, 353);

    auto* formLayout = new TAlignLayout(this);

    PanelAll = makePanel(this, QRect(0, 0, 409, 401));
    PanelTop = makePanel(PanelAll, QRect(0, 0, 409, 104));
    PanelDirFileDrive = makePanel(PanelAll, QRect(0, 104, 409, 297));
    // Lowered outer and raised inner bevel: an etched border.
    PanelDirFileDrive->setFrameStyle(QFrame::Box | QFrame::Sunken);
    PanelDirFileDrive->setLineWidth(1);
    PanelDirFileDrive->setMidLineWidth(0);

    PanelImage = makePanel(this, QRect(409, 0, 311, 401));

    Label1 = makeLabel(PanelTop, 8, 5, QString());
    PaintBox1 = new TPaintBox(PanelImage);
    PaintBox1->setGeometry(4, 49, 307, 307);

    ButtonRender = new QPushButton(QStringLiteral("&Render"), PanelTop);
    ButtonRender->setGeometry(260, 83, 75, 20);
    ProgressBarRender = new QProgressBar(PanelTop);
    ProgressBarRender->setGeometry(4, 85, 253, 16);
    ProgressBarRender->setRange(0, 300);
    ProgressBarRender->setValue(0);
    ProgressBarRender->setTextVisible(false);
    ProgressBarRender->hide();
    Label3 = new QLabel(PanelTop);
    Label3->setTextFormat(Qt::PlainText);
    Label3->setGeometry(118, 86, 142, 13);

    PanelDriver = makePanel(PanelDirFileDrive, QRect(0, 0, 405, 31));
    DriveComboBox1 = new QComboBox(PanelDriver);
    DriveComboBox1->setGeometry(6, 4, 131, DriveComboBox1->sizeHint().height());
    PanelDegree = makePanel(PanelDriver, QRect(144, 0, 261, 31));
    Label4 = makeLabel(PanelDegree, 24, 8, QStringLiteral("Degree:"));
    LabelAxial = makeLabel(PanelDegree, 72, 8, QStringLiteral("axially symmetric"));

    Splitter1 = new QSplitter(Qt::Horizontal, PanelDirFileDrive);
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    DirectoryListBox1 = new QListWidget(Splitter1);
    DirectoryListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    DirectoryListBox1->setMinimumWidth(30);
    FileListBox1 = new TFileListBox(Splitter1);
    FileListBox1->setMinimumWidth(30);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({ 207, 195 });

    SpeedButtonUpdate = makeSpeedButton(
        PanelTop, 340, QStringLiteral(":/icons/update.svg"), QStringLiteral("Automatic update render"));
    SpeedButtonOrtho = makeSpeedButton(
        PanelTop, 384, QStringLiteral(":/icons/ortho.svg"), QStringLiteral("Show orthogonal diagram"));
    SpeedButtonFit = makeSpeedButton(PanelTop, 362, QStringLiteral(":/icons/fit.svg"), QStringLiteral("Fit goniogram"));

    formLayout->addControl(PanelAll, Align::Left);
    formLayout->addControl(PanelImage, Align::Fill);
    auto* allLayout = new TAlignLayout(PanelAll);
    allLayout->addControl(PanelTop, Align::Top);
    allLayout->addControl(PanelDirFileDrive, Align::Fill);
    auto* browserLayout = new TAlignLayout(PanelDirFileDrive);
    browserLayout->addControl(PanelDriver, Align::Top);
    browserLayout->addControl(Splitter1, Align::Fill);
    auto* driverLayout = new TAlignLayout(PanelDriver);
    driverLayout->addControl(PanelDegree, Align::Right);

    // A file or a folder dropped on the window opens as if chosen in the browser.
    setAcceptDrops(true);
    PaintBox1->setFocusPolicy(Qt::NoFocus);
    ProgressBarRender->setFocusPolicy(Qt::NoFocus);
    Splitter1->setFocusPolicy(Qt::NoFocus);
}

void TForm1::BindHandlers()
{
    // The switches' state lives in the document; a change made by a click or by the settings reaches it first.
    connect(SpeedButtonFit, &QToolButton::toggled, this, [this](bool down) { document_.SetFitDown(down); });
    connect(SpeedButtonOrtho, &QToolButton::toggled, this, [this](bool down) { document_.SetOrthoDown(down); });
    FollowDocument();
    PaintBox1->OnPaint = [this] { Guard([this] { PaintBox1Paint(); }); };
    PaintBox1->OnClick = [this] { Guard([this] { PaintBox1Click(); }); };
    PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox1, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { Guard([this, &at] { PaintBox1ContextMenu(at); }); });
    connect(ButtonRender, &QPushButton::clicked, this, [this] { Guard([this] { ButtonRenderClick(); }); });
    connect(SpeedButtonUpdate, &QToolButton::clicked, this, [this] { Guard([this] { SpeedButtonUpdateClick(); }); });
    connect(SpeedButtonFit, &QToolButton::clicked, this, [this] { Guard([this] { SpeedButtonFitClick(); }); });
    connect(SpeedButtonOrtho, &QToolButton::clicked, this, [this] { Guard([this] { SpeedButtonOrthoClick(); }); });
    connect(
        FileListBox1, &QListWidget::itemSelectionChanged, this, [this] { Guard([this] { FileListBox1DblClick(); }); });
    connect(DirectoryListBox1, &QListWidget::activated, this,
        [this](const QModelIndex& index) { Guard([this, &index] { DirectoryActivated(index.row()); }); });
    connect(DriveComboBox1, &QComboBox::activated, this,
        [this](int index) { Guard([this, index] { DriveChosen(index); }); });
    BindFileListMenu();
}

void TForm1::FollowDocument()
{
    // Changes made by another window: the controls follow. Setting a state does not run a click handler.
    connect(&document_, &TDocument::fitChanged, this, [this](bool down) { SpeedButtonFit->setChecked(down); });
    connect(&document_, &TDocument::orthoChanged, this, [this](bool down) { SpeedButtonOrtho->setChecked(down); });
    connect(&document_, &TDocument::planeChanged, this, [this](int plane) {
        if (TrackBarDegree && TrackBarDegree->value() != plane)
            TrackBarDegree->setValue(plane);
    });
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from the task bar is not shown anew.
    if (event->spontaneous())
        return;
    if (!filesReadOnce_) {
        filesReadOnce_ = true;
        Guard([this] { ReadFiles(); });
        Guard([this] { SelectPendingFile(); });
    }
    Guard([this] { FormShow(); });
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    NoteNormalFrame();
    Guard([this] { FormResize(); });
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    NoteNormalFrame();
}

void TForm1::NoteNormalFrame()
{
    // A maximised frame can differ from the normal one (no border, another title bar), so the offset that
    // turns the normal client position back into a frame position is taken only from the normal window.
    if (isVisible() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        normalFrameOffset_ = geometry().topLeft() - frameGeometry().topLeft();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    Guard([this] { FormClose(); });
    event->accept();
    emit closed();
}

void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        NoteNormalFrame();
}
