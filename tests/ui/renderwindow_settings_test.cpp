// The section "Render" of ies.ini as the render window reads it at creation and writes it at destruction.
#include "AppPaths.h"
#include "Notifier.h"
#include "RenderTrackBars.h"
#include "TDocument.h"
#include "TImage.h"
#include "UiesRender.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

class RenderSettingsSection : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        setSettingsDirForTests(dir.path().toStdString());
        notifier::setSink([this](const QString& text) { messages.push_back(text); });
        Doc = new TDocument;
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
    QString iniPath() const { return dir.filePath("ies.ini"); }
    void writeIni(const QByteArray& text) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QPoint centred()
    {
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        return { (screen.width() - 358) / 2, (screen.height() - 377) / 2 };
    }
    QTemporaryDir dir;
    std::vector<QString> messages;
};

TEST_F(RenderSettingsSection, WithoutTheFileTheWindowIsCentredWithTheBuiltInValues)
{
    Form2 = new TForm2(*Doc);
    EXPECT_EQ(Form2->pos(), centred());
    EXPECT_EQ(Form2->TrackBar2->value(), 15);
    EXPECT_EQ(Form2->Label2->text(), "15");
    EXPECT_EQ(Form2->TrackBarZoom->value(), 500);
    EXPECT_EQ(Form2->LabelZoom->text(), "9500");
    EXPECT_FALSE(Form2->CheckBoxRadiosity->isChecked());
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(QFile::exists(iniPath())); // reading never creates the file
}

struct ReadCase {
    const char* name;
    QByteArray ini;
    std::optional<QPoint> position; // empty: centred
    int brightness;
    QString brightnessLabel;
    int zoom;
    QString zoomLabel;
    bool radiosity;
    QString message;
};

TEST_F(RenderSettingsSection, ValuesAreClampedAppliedInOrderAndStopAtTheFirstBadOne)
{
    const std::vector<ReadCase> cases {
        { "brightness above range", "[Render]\r\nBrightness=250\r\n", {}, 100, "100", 500, "9500", false, "" },
        { "brightness below range", "[Render]\r\nBrightness=0\r\n", {}, 1, "1", 500, "9500", false, "" },
        { "zoom below range", "[Render]\r\nZoom=0\r\n", {}, 15, "15", 1, "9999", false, "" },
        { "zoom above range", "[Render]\r\nZoom=20000\r\n", {}, 15, "15", 10000, "0", false, "" },
        { "everything stored",
            "[Viewer]\r\nLeft=5\r\n[Render]\r\nLeft=600\r\nTop=120\r\nBrightness=40\r\nZoom=7000\r\nRadiocity=1\r\n",
            QPoint(600, 120), 40, "40", 7000, "3000", true, "" },
        { "names in another case", "[render]\r\nLEFT=-40\r\ntop=2000\r\nbrightness=33\r\n", QPoint(-40, 2000), 33, "33",
            500, "9500", false, "" },
        { "radiosity under its correct spelling is not ours", "[Render]\r\nRadiosity=1\r\n", {}, 15, "15", 500, "9500",
            false, "" },
        { "bad brightness keeps the position, not the rest",
            "[Render]\r\nLeft=600\r\nTop=120\r\nBrightness=1.5\r\nZoom=7000\r\nRadiocity=1\r\n", QPoint(600, 120), 15,
            "15", 500, "9500", false, "'1.5' is not a valid integer value" },
        { "empty left keeps the layout position", "[Render]\r\nLeft=\r\nTop=120\r\nBrightness=40\r\n", QPoint(360, 250),
            15, "15", 500, "9500", false, "'' is not a valid integer value" },
        { "bad top after a good left", "[Render]\r\nLeft=600\r\nTop=x\r\n", QPoint(600, 250), 15, "15", 500, "9500",
            false, "'x' is not a valid integer value" },
        { "bad radiosity after good zoom", "[Render]\r\nZoom=9000\r\nRadiocity=yes\r\n", {}, 15, "15", 9000, "1000",
            false, "'yes' is not a valid integer value" },
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        writeIni(c.ini);
        Form2 = new TForm2(*Doc);
        EXPECT_EQ(Form2->pos(), c.position.value_or(centred()));
        EXPECT_EQ(Form2->TrackBar2->value(), c.brightness);
        EXPECT_EQ(Form2->Label2->text(), c.brightnessLabel);
        EXPECT_EQ(Form2->TrackBarZoom->value(), c.zoom);
        EXPECT_EQ(Form2->LabelZoom->text(), c.zoomLabel);
        EXPECT_EQ(Form2->CheckBoxRadiosity->isChecked(), c.radiosity);
        // A checked box at creation renders nothing: no file is loaded yet.
        EXPECT_TRUE(Form2->Image1->picture().isNull());
        if (c.message.isEmpty())
            EXPECT_TRUE(messages.empty());
        else
            EXPECT_EQ(messages, std::vector<QString> { c.message });
        delete Form2;
        Form2 = nullptr;
    }
}

TEST_F(RenderSettingsSection, FirstRunWritesTheSectionInItsOrderOnDestruction)
{
    Form2 = new TForm2(*Doc);
    const QPoint at = centred();
    delete Form2; // never shown: the values are written all the same
    Form2 = nullptr;
    EXPECT_EQ(readIni(),
        QByteArray("[Render]\r\nLeft=") + QByteArray::number(at.x()) + "\r\nTop=" + QByteArray::number(at.y())
            + "\r\nBrightness=15\r\nZoom=500\r\nRadiocity=0\r\n");
    EXPECT_TRUE(messages.empty());
}

TEST_F(RenderSettingsSection, ChangesSurviveARestartAndOtherLinesAreKept)
{
    writeIni("; kept comment\r\n[Viewer]\r\nState=0\r\n[Render]\r\nUnknown=abc\r\nZoom=1\r\n[Other]\r\nx=1\r\n");
    Form2 = new TForm2(*Doc);
    Form2->move(600, 120);
    Form2->TrackBar2->setValue(40);
    Form2->TrackBarZoom->setValue(700);
    Form2->CheckBoxRadiosity->setChecked(true);
    delete Form2;
    EXPECT_EQ(readIni(),
        QByteArray("; kept comment\r\n[Viewer]\r\nState=0\r\n[Render]\r\nUnknown=abc\r\nZoom=700\r\nLeft=600\r\n"
                   "Top=120\r\nBrightness=40\r\nRadiocity=1\r\n[Other]\r\nx=1\r\n"));

    Form2 = new TForm2(*Doc);
    EXPECT_EQ(Form2->pos(), QPoint(600, 120));
    EXPECT_EQ(Form2->Label2->text(), "40");
    EXPECT_EQ(Form2->LabelZoom->text(), "9300");
    EXPECT_TRUE(Form2->CheckBoxRadiosity->isChecked());
    EXPECT_TRUE(messages.empty());
}

TEST_F(RenderSettingsSection, TheSectionIsWrittenOnceWhenDestroyRunsBeforeTheDestructor)
{
    Form2 = new TForm2(*Doc);
    Form2->FormDestroy(); // as at the end of the event loop
    // The track bars go with it; nothing keeps pointing at them.
    EXPECT_EQ(Form2->TrackBar2, nullptr);
    EXPECT_EQ(Form2->TrackBarZoom, nullptr);
    EXPECT_EQ(Form2->findChild<TRenderTrackBar*>(), nullptr);
    const QByteArray written = readIni();
    ASSERT_FALSE(written.isEmpty());
    writeIni("[Render]\r\nLeft=1\r\n");
    delete Form2;
    Form2 = nullptr;
    EXPECT_EQ(readIni(), QByteArray("[Render]\r\nLeft=1\r\n"));
}

TEST_F(RenderSettingsSection, AFailedWriteIsReportedOnceAndTheWindowStillGoes)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("ies.ini")); // the settings path is a folder: no write can succeed
    Form2 = new TForm2(*Doc);
    Form2->FormDestroy();
    EXPECT_EQ(Form2->TrackBar2, nullptr); // the track bars go although the write failed
    delete Form2;
    Form2 = nullptr;
    EXPECT_EQ(messages, std::vector<QString> { "Unable to write to " + iniPath() });
}

} // namespace
