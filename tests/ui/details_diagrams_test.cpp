// The Diagrams tab of the details window, offscreen: what Ctrl+C copies for each kind and choice, the plane it
// follows, a type B file refused where type C is needed, and the picture copied and saved from its menu.
#include "DiagramView.h"
#include "Diagrams.h"
#include "DiagramsPage.h"
#include "FormDetails.h"
#include "PhotometricFile.h"
#include "SaveChooser.h"
#include "core/sample_file.h"

#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

class DiagramsTab : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TFormDetails>();
        form->resize(640, 560);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->SetCurrentTab(TFormDetails::TabDiagrams);
        page = form->DiagramsPage;
    }
    void TearDown() override { savechooser::setChooser({}); }

    // The tab-separated text the core gives for the page's current choices.
    std::string Expected(diagrams::Kind kind) const
    {
        const diagrams::DiagramInput input = page->Input();
        return diagrams::ValuesText(diagrams::DiagramValues(kind, input), '\t', input.decimalSeparator);
    }
    std::string PressCopy()
    {
        page->View->setFocus();
        QGuiApplication::clipboard()->clear();
        QSignalSpy copied(form.get(), &TFormDetails::copied);
        QTest::keyClick(page->View, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(copied.count(), 1);
        return QGuiApplication::clipboard()->text().toStdString();
    }

    std::unique_ptr<TFormDetails> form;
    TDiagramsPage* page = nullptr;
};

TEST_F(DiagramsTab, CopiesEachKindsNumbersAndFollowsTheChoices)
{
    form->ShowFile(SampleFile("panel_quadrant.ies"));
    const struct {
        diagrams::Kind kind;
        const char* header;
    } kinds[]
        = { { diagrams::Kind::Cartesian, "gamma\tc0_180\tc90_270\tplane\n" }, { diagrams::Kind::Isolux, "x\ty\tlux\n" },
              { diagrams::Kind::Cone, "height\tlux\t" }, { diagrams::Kind::Isocandela, "c\tgamma\tcd\n" } };
    for (const auto& k : kinds) {
        page->KindBox->setCurrentIndex(static_cast<int>(k.kind));
        const std::string copied = PressCopy();
        EXPECT_EQ(copied.rfind(k.header, 0), 0u) << diagrams::KindKey(k.kind);
        EXPECT_EQ(copied, Expected(k.kind));
    }
    // The height box drives the isolux field, the cone's boxes its heights.
    page->KindBox->setCurrentIndex(static_cast<int>(diagrams::Kind::Isolux));
    page->HeightBox->setValue(6);
    EXPECT_EQ(page->Input().height, 6);
    EXPECT_EQ(PressCopy(), Expected(diagrams::Kind::Isolux));
    page->KindBox->setCurrentIndex(static_cast<int>(diagrams::Kind::Cone));
    page->ToBox->setValue(10);
    page->FromBox->setValue(2);
    EXPECT_EQ(
        PressCopy().substr(0, 60).find("\n2\t"), std::string("height\tlux\tdiameter_c0_180\tdiameter_c90_270").size());
    EXPECT_TRUE(page->FromBox->isVisible());
    EXPECT_FALSE(page->HeightBox->isVisible());
}

TEST_F(DiagramsTab, FollowsThePlaneAndRefusesTypeBWhereTypeCIsNeeded)
{
    form->ShowFile(SampleFile("highbay_tilt_include.ies"));
    form->ShowPlane(2);
    EXPECT_EQ(page->Input().plane, 2);
    page->KindBox->setCurrentIndex(static_cast<int>(diagrams::Kind::Cartesian));
    EXPECT_EQ(PressCopy(), Expected(diagrams::Kind::Cartesian));

    tDetailsFile typeB = SampleFile("panel_quadrant.ies");
    typeB.Header.PhotometricType = 2;
    form->ShowFile(typeB);
    page->KindBox->setCurrentIndex(static_cast<int>(diagrams::Kind::Isolux));
    EXPECT_EQ(PressCopy(), "Type B photometry: this diagram needs type C");
    form->ShowFile({});
    EXPECT_TRUE(form->CopyText(TFormDetails::TabDiagrams).isEmpty());
}

TEST_F(DiagramsTab, ThePictureIsCopiedAtScreenResolutionAndSavedAsPngOrSvg)
{
    form->ShowFile(SampleFile("spot_full_22_5.ies"));
    page->KindBox->setCurrentIndex(static_cast<int>(diagrams::Kind::Isocandela));
    page->View->CopyImage();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), page->View->size() * page->View->devicePixelRatioF());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : { "/map.png", "/map.svg" }) {
        const QString path = dir.path() + QLatin1String(name);
        savechooser::setChooser([path](const QString&, const QString&) { return path; });
        page->View->SaveImage();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        if (path.endsWith(QLatin1String(".png")))
            EXPECT_EQ(QImage::fromData(bytes).size(), page->View->size());
        else
            EXPECT_TRUE(bytes.contains("<svg"));
    }
    // A name the filters do not allow is refused with the reason, and nothing is written.
    const QString wrong = dir.path() + QStringLiteral("/map.gif");
    savechooser::setChooser([wrong](const QString&, const QString&) { return wrong; });
    EXPECT_THROW(page->View->SaveImage(), std::runtime_error);
    EXPECT_FALSE(QFile::exists(wrong));
}

TEST_F(DiagramsTab, NumbersThatAreNotFiniteArePaintedWithoutFault)
{
    tDetailsFile file = SampleFile("panel_quadrant.ies");
    file.Record.Candela[0][0] = std::numeric_limits<long double>::infinity();
    file.Record.Candela[1][1] = std::numeric_limits<long double>::quiet_NaN();
    form->ShowFile(file);
    for (int k = 0; k < diagrams::kKindCount; ++k) {
        page->KindBox->setCurrentIndex(k);
        EXPECT_FALSE(page->View->Image().isNull()) << k;
        EXPECT_FALSE(form->CopyText(TFormDetails::TabDiagrams).isEmpty()) << k;
    }
}

TEST(DiagramsSettings, KindAndHeightsRoundTripAndBadKeysKeepThePagesValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("ies.ini").toStdString();
    {
        QFile ini(QString::fromStdString(path));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Details]\r\nDiagram=sideways\r\nDiagramHeight=500\r\nConeFrom=x\r\nConeTo=12.5\r\n");
    }
    TFormDetails form;
    form.ReadSettings(path);
    TDiagramsPage* page = form.DiagramsPage;
    EXPECT_EQ(page->Kind(), diagrams::Kind::Cartesian);
    EXPECT_EQ(page->HeightBox->value(), 3); // out of range
    EXPECT_EQ(page->FromBox->value(), 1); // not a number
    EXPECT_EQ(page->ToBox->value(), 12.5);

    page->SetKind(diagrams::Kind::Cone);
    page->HeightBox->setValue(7.5);
    page->FromBox->setValue(10);
    page->ToBox->setValue(20);
    form.WriteSettings(path);
    TFormDetails again;
    again.ReadSettings(path);
    EXPECT_EQ(again.DiagramsPage->Kind(), diagrams::Kind::Cone);
    EXPECT_EQ(again.DiagramsPage->HeightBox->value(), 7.5);
    EXPECT_EQ(again.DiagramsPage->FromBox->value(), 10); // above the default last height: read after it
    EXPECT_EQ(again.DiagramsPage->ToBox->value(), 20);
}

} // namespace
