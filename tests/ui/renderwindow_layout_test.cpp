// The render window as built: window style, controls at their places, track bar settings, focus order.
#include "AppPaths.h"
#include "Notifier.h"
#include "RenderTrackBars.h"
#include "TDocument.h"
#include "TImage.h"
#include "UiesRender.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

class RenderWindowLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        setSettingsDirForTests(dir.path().toStdString());
        notifier::setSink([this](const QString& text) { messages.push_back(text); });
        Doc = new TDocument;
        Form2 = new TForm2(*Doc);
    }
    void TearDown() override
    {
        delete Form2;
        delete Doc;
        notifier::setSink({});
    }
    // The document the window shows, as the viewer holds it.
    TDocument* Doc = nullptr;
    TForm2* Form2 = nullptr;
    QTemporaryDir dir;
    std::vector<QString> messages;
};

TEST_F(RenderWindowLayout, WindowIsAFixedStayOnTopDialogCalledRender)
{
    EXPECT_EQ(Form2->windowTitle(), "Render");
    EXPECT_EQ(Form2->size(), QSize(358, 377));
    EXPECT_EQ(Form2->minimumSize(), QSize(358, 377));
    EXPECT_EQ(Form2->maximumSize(), QSize(358, 377));
    const Qt::WindowFlags flags = Form2->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::Dialog));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Form2->font().family(), "MS Sans Serif");
    EXPECT_EQ(Form2->font().pixelSize(), 11);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(RenderWindowLayout, EveryControlAtItsPlaceWithItsCaptionAndHint)
{
    struct Expected {
        QWidget* widget;
        QRect geometry;
        QString text;
        QString hint;
    };
    const std::vector<Expected> table {
        { Form2->Button1, { 272, 350, 75, 17 }, "&Close", "" },
        { Form2->CheckBoxRadiosity, { 274, 325, 63, 17 }, "&Radiosity", "" },
        { Form2->Button2, { 248, 325, 17, 17 }, "R", "Reset brightness" },
        { Form2->Label1, { 12, 325, 52, 13 }, "Brightness:", "" },
        { Form2->Label2, { 67, 325, 32, 13 }, "15", "" },
        { Form2->Label3, { 12, 350, 30, 13 }, "Zoom:", "" },
        { Form2->ButtonResetZoom, { 248, 350, 17, 17 }, "R", "Reset zoom" },
        { Form2->LabelZoom, { 54, 350, 53, 13 }, "9500", "" },
        { Form2->Panel1, { 9, 9, 305, 305 }, "", "" },
        { Form2->TrackBar2, { 95, 325, 150, 25 }, "", "" },
        { Form2->TrackBarZoom, { 95, 350, 150, 25 }, "", "" },
    };
    for (const auto& row : table) {
        ASSERT_NE(row.widget, nullptr);
        SCOPED_TRACE(row.text.toStdString() + " " + row.widget->metaObject()->className());
        EXPECT_EQ(row.widget->parentWidget(), Form2);
        if (qobject_cast<QLabel*>(row.widget) || qobject_cast<QCheckBox*>(row.widget)) {
            // A caption may widen its control where the named face is substituted, never cut or move it.
            EXPECT_EQ(row.widget->pos(), row.geometry.topLeft());
            EXPECT_EQ(row.widget->height(), row.geometry.height());
            EXPECT_GE(row.widget->width(), row.geometry.width());
            EXPECT_GE(row.widget->width(), row.widget->sizeHint().width());
        } else {
            EXPECT_EQ(row.widget->geometry(), row.geometry);
        }
        EXPECT_EQ(row.widget->toolTip(), row.hint);
        if (auto* button = qobject_cast<QAbstractButton*>(row.widget)) {
            EXPECT_EQ(button->text(), row.text);
        }
        if (auto* label = qobject_cast<QLabel*>(row.widget)) {
            EXPECT_EQ(label->text(), row.text);
        }
    }
    EXPECT_FALSE(Form2->CheckBoxRadiosity->isChecked());
    EXPECT_EQ(Form2->Panel1->frameShape(), QFrame::Panel);
    EXPECT_EQ(Form2->Panel1->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(Form2->Image1->parentWidget(), Form2->Panel1);
    EXPECT_EQ(Form2->Image1->geometry(), QRect(2, 2, 300, 300));
    EXPECT_TRUE(Form2->Image1->picture().isNull()); // nothing rendered yet
}

TEST_F(RenderWindowLayout, TrackBarsHaveTheirRangesStepsAndNoTicks)
{
    struct Expected {
        QSlider* bar;
        int maximum;
        int position;
    };
    for (const Expected& row :
        { Expected { Form2->TrackBar2, 100, 15 }, Expected { Form2->TrackBarZoom, 10000, 500 } }) {
        EXPECT_EQ(row.bar->orientation(), Qt::Horizontal);
        EXPECT_EQ(row.bar->minimum(), 1);
        EXPECT_EQ(row.bar->maximum(), row.maximum);
        EXPECT_EQ(row.bar->value(), row.position);
        EXPECT_EQ(row.bar->tickPosition(), QSlider::NoTicks);
        EXPECT_EQ(row.bar->singleStep(), 1);
        EXPECT_EQ(row.bar->pageStep(), 2);
        EXPECT_TRUE(row.bar->hasTracking()); // labels follow the thumb during a drag
        EXPECT_EQ(row.bar->style()->pixelMetric(QStyle::PM_SliderControlThickness, nullptr, row.bar), 10);
    }
    EXPECT_TRUE(Form2->RenderDirty()); // the first positions changed the track bars
}

TEST_F(RenderWindowLayout, ProgramSetPositionsAreClampedAndRunTheChangeHandler)
{
    struct Case {
        QSlider* bar;
        int set;
        int position;
        QLabel* label;
        QString shown;
    };
    const std::vector<Case> cases {
        { Form2->TrackBar2, 40, 40, Form2->Label2, "40" },
        { Form2->TrackBar2, 0, 1, Form2->Label2, "1" },
        { Form2->TrackBar2, 101, 100, Form2->Label2, "100" },
        { Form2->TrackBarZoom, 1, 1, Form2->LabelZoom, "9999" },
        { Form2->TrackBarZoom, 20000, 10000, Form2->LabelZoom, "0" },
        { Form2->TrackBarZoom, -5, 1, Form2->LabelZoom, "9999" },
    };
    Doc->Load(GONILUX_SAMPLES_DIR "/washer_full_360.ies", [](const std::string&) {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        Form2->DoRender(); // a render brings the picture up to date
        ASSERT_FALSE(Form2->RenderDirty());
        const bool changes = c.bar->value() != c.position;
        c.bar->setValue(c.set);
        EXPECT_EQ(c.bar->value(), c.position);
        EXPECT_EQ(c.label->text(), c.shown);
        EXPECT_EQ(Form2->RenderDirty(), changes); // only a real change marks the render out of date
    }
}

TEST_F(RenderWindowLayout, FocusRunsCloseBrightnessZoomResetsRadiosity)
{
    const std::vector<QWidget*> order { Form2->Button1, Form2->TrackBar2, Form2->TrackBarZoom, Form2->Button2,
        Form2->ButtonResetZoom, Form2->CheckBoxRadiosity, Form2->Button1 };
    QWidget* current = Form2->Button1;
    for (size_t i = 1; i < order.size(); ++i) {
        int hops = 0;
        do
            current = current->nextInFocusChain();
        while ((current == Form2 || !(current->focusPolicy() & Qt::TabFocus)) && ++hops < 100);
        EXPECT_EQ(current, order[i]) << "step " << i;
    }
}

TEST_F(RenderWindowLayout, ImageReplacesItsPictureInOneStepAndKeepsIt)
{
    QImage first(300, 300, QImage::Format_Grayscale8);
    first.fill(10);
    Form2->Image1->setPicture(first);
    first.fill(200); // the widget holds its own copy
    EXPECT_EQ(qGray(Form2->Image1->picture().pixel(0, 0)), 10);
    const QImage grabbed = Form2->Image1->grab().toImage();
    EXPECT_EQ(qGray(grabbed.pixel(150, 150)), 10);
}

} // namespace
