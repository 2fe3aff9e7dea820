#pragma once
// Runs the real main window (and the render window) in a temporary world: its own settings folder, its
// own IES files and a recording message seam, so no test blocks on a modal box or touches real files.

#include "AppPaths.h"
#include "Notifier.h"
#include "TDocument.h"
#include "Uies.h"
#include "UiesRender.h"
#include "Viewer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <ostream>
#include <string>
#include <unistd.h>

// Readable failure output for Qt text.
inline std::ostream& operator<<(std::ostream& os, const QString& text) { return os << text.toStdString(); }
inline std::ostream& operator<<(std::ostream& os, const QByteArray& bytes) { return os << bytes.toStdString(); }

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        notifier::setSink([this](const QString& text) { messages << text; });
        settingsDir = temp.path() + QStringLiteral("/settings");
        filesDir = temp.path() + QStringLiteral("/files");
        QDir().mkpath(settingsDir);
        QDir().mkpath(filesDir);
        setSettingsDirForTests(settingsDir.toStdString());
        // Every test opens its own document, as the program does at start.
        Doc = new TDocument;
    }

    void TearDown() override
    {
        delete Form2;
        Form2 = nullptr;
        delete Form1;
        Form1 = nullptr;
        delete Doc;
        Doc = nullptr;
        notifier::setSink({});
        setSettingsDirForTests("");
    }

    QString settingsPath() const { return settingsDir + QStringLiteral("/ies.ini"); }

    void writeSettings(const QByteArray& text)
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QByteArray readSettings() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Copies a sample into folder (the files folder by default) under name.
    void copySample(const QString& sample, const QString& name, QString folder = {})
    {
        if (folder.isEmpty())
            folder = filesDir;
        ASSERT_TRUE(QFile::copy(QStringLiteral(GONILUX_SAMPLES_DIR "/") + sample, folder + '/' + name)) << sample;
    }

    // Writes bytes into a file whose name is given as raw file-system bytes.
    static void writeRaw(const QByteArray& path, const QByteArray& bytes)
    {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
        ::close(fd);
    }

    static QByteArray sampleBytes(const QString& sample)
    {
        QFile file(QStringLiteral(GONILUX_SAMPLES_DIR "/") + sample);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Creates both windows as start-up does and shows the main window.
    void start(bool show = true)
    {
        Form1 = new TForm1(*Doc);
        Form2 = new TForm2(*Doc);
        ConnectWindows(*Form1, *Form2);
        if (show) {
            Form1->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
        }
    }

    void openFolder(const QString& folder) { Form1->SetDirectory(QFile::encodeName(folder)); }

    QListWidgetItem* fileItem(const QString& text) const
    {
        const auto found = Form1->FileListBox1->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }

    // Clicks a file of the file list as the user does.
    void clickFile(const QString& text)
    {
        QListWidgetItem* item = fileItem(text);
        ASSERT_NE(item, nullptr) << text.toStdString();
        Form1->FileListBox1->scrollToItem(item);
        const QPoint at = Form1->FileListBox1->visualItemRect(item).center();
        QTest::mouseClick(Form1->FileListBox1->viewport(), Qt::LeftButton, {}, at);
    }

    // Centre of the track bar's thumb when it stands at value.
    static QPoint thumbAt(QSlider* slider, int value)
    {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = value;
        option.sliderValue = value;
        option.singleStep = slider->singleStep();
        option.pageStep = slider->pageStep();
        option.tickPosition = slider->tickPosition();
        option.tickInterval = slider->tickInterval();
        option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
    }

    // Pixels of the goniogram in the main curves' colour.
    static int redPixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        return count;
    }

    // The document and the two windows, as the viewer holds them; a test may delete a window early.
    TDocument* Doc = nullptr;
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    QTemporaryDir temp;
    QString settingsDir;
    QString filesDir;
    QStringList messages;
};
