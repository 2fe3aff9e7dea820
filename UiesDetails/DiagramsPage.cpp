#include "DiagramsPage.h"

#include "DiagramView.h"
#include "Plot.h"
#include "ProfileFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include <charconv>

namespace {

QDoubleSpinBox* HeightSpin(double value)
{
    auto* box = new QDoubleSpinBox;
    box->setRange(diagrams::kMinHeight, diagrams::kMaxHeight);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" m"));
    box->setValue(value);
    box->setKeyboardTracking(false);
    return box;
}

// The key's number when it is one within the box's range; otherwise the box keeps its value.
void ReadHeight(const std::string& path, const std::string& section, const char* key, QDoubleSpinBox* box)
{
    const std::string text = profile::ReadString(path, section, key, "");
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (!text.empty() && error == std::errc() && end == text.data() + text.size() && value >= box->minimum()
        && value <= box->maximum())
        box->setValue(value);
}

} // namespace

TDiagramsPage::TDiagramsPage(QWidget* parent)
    : QWidget(parent)
{
    KindBox = new QComboBox;
    for (int k = 0; k < diagrams::kKindCount; ++k)
        KindBox->addItem(QString::fromLatin1(diagrams::KindLabel(static_cast<diagrams::Kind>(k))));
    HeightBox = HeightSpin(3);
    FromBox = HeightSpin(1);
    ToBox = HeightSpin(5);
    SectionBox = new QComboBox;
    SectionBox->addItem(QStringLiteral("All sections"), diagrams::SectionAll);
    SectionBox->addItem(QStringLiteral("C0-C180 / horizontal"), diagrams::SectionFirst);
    SectionBox->addItem(QStringLiteral("C90-C270 / vertical"), diagrams::SectionSecond);
    SectionBox->addItem(QStringLiteral("Plane shown"), diagrams::SectionPlane);
    PerKlmBox = new QCheckBox(QStringLiteral("cd/&klm"));
    PerKlmBox->setToolTip(QStringLiteral("Intensity per 1000 lm of lamp flux (relative photometry only)"));
    View = new TDiagramView;

    auto* controls = new QHBoxLayout;
    const auto labelled = [controls](const QString& text, QWidget* widget) {
        auto* label = new QLabel(text);
        label->setBuddy(widget);
        controls->addWidget(label);
        controls->addWidget(widget);
        return label;
    };
    labelled(QStringLiteral("&Kind:"), KindBox);
    heightControls_ = { labelled(QStringLiteral("&Height:"), HeightBox), HeightBox };
    coneControls_
        = { labelled(QStringLiteral("&From:"), FromBox), FromBox, labelled(QStringLiteral("&To:"), ToBox), ToBox };
    cartesianControls_ = { labelled(QStringLiteral("S&ection:"), SectionBox), SectionBox, PerKlmBox };
    controls->addWidget(PerKlmBox);
    controls->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(controls);
    layout->addWidget(View, 1);

    connect(KindBox, &QComboBox::currentIndexChanged, this, [this] { Update(); });
    connect(SectionBox, &QComboBox::currentIndexChanged, this, [this] { Update(); });
    connect(PerKlmBox, &QCheckBox::toggled, this, [this] { Update(); });
    for (QDoubleSpinBox* box : { HeightBox, FromBox, ToBox })
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Update(); });
    // The cone's heights stay in order: each box's range ends where the other's value is.
    connect(FromBox, &QDoubleSpinBox::valueChanged, this, [this](double from) { ToBox->setMinimum(from + 0.5); });
    connect(ToBox, &QDoubleSpinBox::valueChanged, this, [this](double to) { FromBox->setMaximum(to - 0.5); });
    FromBox->setMaximum(ToBox->value() - 0.5);
    ToBox->setMinimum(FromBox->value() + 0.5);
    Update();
}

void TDiagramsPage::ShowFile(const tIES* ies, const tPhotometricHeader* header)
{
    ies_ = ies;
    header_ = header;
    Update();
}

void TDiagramsPage::ShowPlane(int plane)
{
    plane_ = plane;
    Update();
}

diagrams::Kind TDiagramsPage::Kind() const { return static_cast<diagrams::Kind>(std::max(0, KindBox->currentIndex())); }

void TDiagramsPage::SetKind(diagrams::Kind kind) { KindBox->setCurrentIndex(static_cast<int>(kind)); }

diagrams::DiagramInput TDiagramsPage::Input() const
{
    diagrams::DiagramInput input;
    input.ies = ies_;
    input.header = header_;
    input.plane = plane_;
    input.sections = SectionBox->currentData().toInt();
    input.perKlm = PerKlmBox->isChecked();
    input.height = HeightBox->value();
    input.coneFrom = FromBox->value();
    input.coneTo = ToBox->value();
    input.decimalSeparator = QLocale::system().decimalPoint().toStdString();
    return input;
}

void TDiagramsPage::Update()
{
    const diagrams::Kind kind = Kind();
    for (QWidget* widget : heightControls_)
        widget->setVisible(kind == diagrams::Kind::Isolux);
    for (QWidget* widget : coneControls_)
        widget->setVisible(kind == diagrams::Kind::Cone);
    for (QWidget* widget : cartesianControls_)
        widget->setVisible(kind == diagrams::Kind::Cartesian);
    View->Show(kind, Input());
}

QString TDiagramsPage::CopyText() const
{
    const diagrams::DiagramInput input = Input();
    if (!input.ies || IsEmpty(*input.ies))
        return {};
    const diagrams::ValueTable table = diagrams::DiagramValues(Kind(), input);
    if (!table.refusal.empty())
        return QString::fromStdString(table.refusal);
    return QString::fromStdString(diagrams::ValuesText(table, '\t', input.decimalSeparator));
}

void TDiagramsPage::ReadSettings(const std::string& path, const std::string& section)
{
    if (const auto kind = diagrams::KindFromKey(profile::ReadString(path, section, "Diagram", "")))
        SetKind(*kind);
    ReadHeight(path, section, "DiagramHeight", HeightBox);
    // The cone's last height first when it rises, so that the first one's range lets it through.
    const double to = ToBox->value();
    ReadHeight(path, section, "ConeTo", ToBox);
    ReadHeight(path, section, "ConeFrom", FromBox);
    if (ToBox->value() == to)
        ReadHeight(path, section, "ConeTo", ToBox);
}

void TDiagramsPage::WriteSettings(const std::string& path, const std::string& section) const
{
    profile::WriteString(path, section, "Diagram", diagrams::KindKey(Kind()));
    profile::WriteString(path, section, "DiagramHeight", diagrams::Compact(HeightBox->value(), "."));
    profile::WriteString(path, section, "ConeFrom", diagrams::Compact(FromBox->value(), "."));
    profile::WriteString(path, section, "ConeTo", diagrams::Compact(ToBox->value(), "."));
}

std::vector<QWidget*> TDiagramsPage::CopyKeyWidgets() const
{
    return { KindBox, HeightBox, FromBox, ToBox, SectionBox, PerKlmBox, View };
}
