// The render window's fixed layout: every control at its place, in client coordinates.
#include "Notifier.h"
#include "RenderTrackBars.h"
#include "TImage.h"
#include "UiesRender.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
// The widths are those of the captions in the named face; a substitute face may need a few pixels more, and
// a caption is never cut short for it.
void fitCaption(QWidget* control)
{
    if (control->sizeHint().width() > control->width())
        control->resize(control->sizeHint().width(), control->height());
}

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(left, top, width, height);
    fitCaption(label);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& caption, int left, int top, int width, int height)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(left, top, width, height);
    button->setAutoDefault(false);
    return button;
}
} // namespace

void TForm2::BuildControls()
{
    setWindowTitle(QStringLiteral("Render"));
    // A fixed dialog border with only a close box, kept above the other windows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::WindowStaysOnTopHint);
    setFixedSize(ClientWidth, ClientHeight);
    move(LayoutLeft, LayoutTop);
    // Where the named face is missing, an Arial-metric face keeps the captions within their fixed widths.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({ QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    font.setPixelSize(11);
    setFont(font);

    Button1 = makeButton(this, QStringLiteral("&Close"), 272, 350, 75, 17);
    CheckBoxRadiosity = new QCheckBox(QStringLiteral("&Radiosity"), this);
    CheckBoxRadiosity->setGeometry(274, 325, 63, 17);
    fitCaption(CheckBoxRadiosity);
    Button2 = makeButton(this, QStringLiteral("R"), 248, 325, 17, 17);
    Button2->setToolTip(QStringLiteral("Reset brightness"));
    Label1 = makeLabel(this, QStringLiteral("Brightness:"), 12, 325, 52, 13);
    Label2 = makeLabel(this, QString(), 67, 325, 32, 13);
    Label3 = makeLabel(this, QStringLiteral("Zoom:"), 12, 350, 30, 13);
    ButtonResetZoom = makeButton(this, QStringLiteral("R"), 248, 350, 17, 17);
    ButtonResetZoom->setToolTip(QStringLiteral("Reset zoom"));
    LabelZoom = makeLabel(this, QString(), 54, 350, 53, 13);

    // A one-pixel lowered bevel around the picture.
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(9, 9, 305, 305);
    Image1 = new TImage(Panel1);
    Image1->setGeometry(2, 2, 300, 300);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image1, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { Guard([this, &at] { Image1ContextMenu(at); }); });

    connect(Button1, &QPushButton::clicked, this, [this] { Guard([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { Guard([this] { Button2Click(); }); });
    connect(ButtonResetZoom, &QPushButton::clicked, this, [this] { Guard([this] { ButtonResetZoomClick(); }); });
    // Runs on every change of the state, also when the settings set it.
    connect(CheckBoxRadiosity, &QCheckBox::toggled, this, [this] { Guard([this] { CheckBoxRadiosityClick(); }); });
}
