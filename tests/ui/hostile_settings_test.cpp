// Hostile settings files through a whole run of both windows: read at creation, written at close, read again
// by the next run. Whatever ies.ini held, the run ends with the file fully written (the next run restores what
// this one left) or, where it cannot be written, with "Unable to write to" and the file left as it was.
#include "WindowFixture.h"

#include "ProfileFile.h"
#include "RenderTrackBars.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QToolButton>

#include <cstdio>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class AtClose {
    Written, // every key of both sections reads back as the windows left it
    Refused, // "Unable to write to <path>" for each section, the path untouched
};

struct SettingsCase {
    const char* name;
    std::function<void(const QString& path)> prepare;
    QString startMessage; // the one message at start, or empty for none ("*" accepts any)
    AtClose atClose;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// About size bytes of sections and keys the program does not know, then the given tail.
QByteArray padded(qsizetype size, const QByteArray& tail)
{
    QByteArray text;
    text.reserve(size + tail.size());
    for (int i = 0; text.size() < size; ++i)
        text += "[Other" + QByteArray::number(i / 100) + "]\r\nKey" + QByteArray::number(i) + "=some value\r\n";
    return text + tail;
}

} // namespace

class HostileSettings : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        copySample("washer_full_360.ies", "good.ies");
    }

    std::string path() const { return QFile::encodeName(settingsPath()).toStdString(); }

    std::string read(const char* section, const char* key) const
    {
        return profile::ReadString(path(), section, key, "<missing>");
    }

    // The windows created as start-up does, under the hang watchdog.
    void startRun(const char* what)
    {
        HangWatchdog watchdog(std::string("starting with ") + what, hangLimit());
        start();
    }

    // Closes the main window and destroys the render window as shut-down does; returns the values written.
    std::map<std::string, std::string> endRun(const char* what)
    {
        std::map<std::string, std::string> expected;
        expected["Viewer/LastFileName"] = Form1->Directory().toStdString();
        expected["Viewer/Fit"] = Form1->SpeedButtonFit->isChecked() ? "1" : "0";
        expected["Viewer/Auto"] = Form1->SpeedButtonUpdate->isChecked() ? "1" : "0";
        expected["Viewer/Ortho"] = Form1->SpeedButtonOrtho->isChecked() ? "1" : "0";
        expected["Viewer/Width"] = std::to_string(Form1->width());
        expected["Viewer/Height"] = std::to_string(Form1->height());
        expected["Viewer/State"] = "0";
        expected["Render/Brightness"] = std::to_string(Form2->TrackBar2->value());
        expected["Render/Zoom"] = std::to_string(Form2->TrackBarZoom->value());
        expected["Render/Radiocity"] = Form2->CheckBoxRadiosity->isChecked() ? "1" : "0";
        HangWatchdog watchdog(std::string("closing with ") + what, hangLimit());
        Form1->close();
        // Reverse order of creation, as at the end of the program.
        delete Form2;
        Form2 = nullptr;
        delete Form1;
        Form1 = nullptr;
        return expected;
    }

    // The program goes on: a good file loads and draws.
    void expectLoadsAGoodFile()
    {
        openFolder(filesDir);
        clickFile("good.ies");
        EXPECT_EQ(Doc->IESData().Candela.size(), 37u);
        EXPECT_GT(redPixels(Form1->PaintBox1->Image()), 100);
    }

    // Files other than ies.ini in the settings folder: a replacement cut short must leave nothing behind.
    QStringList strayFiles() const
    {
        QStringList found;
        for (const QString& name : QDir(settingsDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            if (name != QStringLiteral("ies.ini") && name != QStringLiteral("ies.ini.lock")) // the lock file stays
                found << name;
        return found;
    }
};

TEST_F(HostileSettings, EveryRunEndsWithTheFileFullyWrittenOrUntouched)
{
    const QByteArray longName(5000, 'n');
    const QByteArray longDigits(5000, '7');
    const SettingsCase cases[] = {
        { "random_bytes", [](const QString& p) { writeFile(p, randomBytes(64 * 1024, 11)); }, "*", AtClose::Written },
        { "random_bytes_after_viewer",
            [](const QString& p) { writeFile(p, "[Viewer]\r\n" + randomBytes(64 * 1024, 12)); }, "*",
            AtClose::Written },
        { "ten_megabytes",
            [](const QString& p) { writeFile(p, padded(10 * 1024 * 1024, "[Viewer]\r\nWidth=600\r\nOrtho=0\r\n")); },
            {}, AtClose::Written },
        { "folder_of_5000_characters",
            [&](const QString& p) { writeFile(p, "[Viewer]\r\nLastFileName=/" + longName + "\r\n"); },
            "Cannot open folder /" + QString(2046, 'n') + ": File name too long", AtClose::Written },
        { "width_of_5000_digits", [&](const QString& p) { writeFile(p, "[Viewer]\r\nWidth=" + longDigits + "\r\n"); },
            "'" + QString(2047, '7') + "' is not a valid integer value", AtClose::Written },
        { "unknown_value_of_5000_characters",
            [&](const QString& p) {
                writeFile(p, "[Viewer]\r\nNotes=" + longName + "\r\n[Mine]\r\nA=" + longName + "\r\n");
            },
            {}, AtClose::Written },
        { "section_repeated",
            [](const QString& p) {
                writeFile(p,
                    "[Viewer]\r\nWidth=600\r\n[Render]\r\nZoom=900\r\n[viewer]\r\nWidth=800\r\nOrtho=0\r\n[RENDER]\r\n"
                    "Zoom=100\r\nBrightness=50\r\n[Viewer]\r\nFit=0\r\n");
            },
            {}, AtClose::Written },
        { "nul_and_lone_carriage_returns",
            [](const QString& p) {
                static const char text[]
                    = "[Viewer]\rWidth=610\r\nHeig\0ht=300\r\nOrtho=0\0junk\r\n[Render\r\nZoom=7\r\n";
                writeFile(p, QByteArray(text, sizeof text - 1));
            },
            "*", AtClose::Written },
        // Sizes and positions far beyond any screen: the window system clamps them, the program goes on.
        { "geometry_beyond_any_screen",
            [](const QString& p) {
                writeFile(p,
                    "[Viewer]\r\nWidth=100000\r\nHeight=100000\r\nLeft=-2147483648\r\nTop=2147483647\r\n[Render]\r\n"
                    "Left=2147483647\r\nTop=-2147483648\r\nZoom=-2147483648\r\nBrightness=2147483647\r\n");
            },
            {}, AtClose::Written },
        { "number_beyond_32_bits",
            [](const QString& p) { writeFile(p, "[Viewer]\r\nWidth=2147483648\r\n[Render]\r\nZoom=-2147483649\r\n"); },
            "*", AtClose::Written },
        { "folder_that_is_a_file",
            [this](const QString& p) {
                writeFile(p, "[Viewer]\r\nLastFileName=" + QFile::encodeName(filesDir) + "/good.ies\r\n");
            },
            "Cannot open folder " + filesDir + "/good.ies: Not a directory", AtClose::Written },
        { "folder_named_in_latin1",
            [this](const QString& p) {
                const QByteArray folder = QFile::encodeName(filesDir) + "/caf\xe9";
                ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
                writeFile(p, "[Viewer]\r\nLastFileName=" + folder + "\r\n");
            },
            {}, AtClose::Written },
        { "ies_ini_is_a_folder", [](const QString& p) { ASSERT_TRUE(QDir().mkpath(p)); }, {}, AtClose::Refused },
        { "ies_ini_is_a_fifo", [](const QString& p) { ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0644), 0); },
            {}, AtClose::Refused },
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case starts from a fresh settings folder.
        QDir(settingsDir).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(settingsDir));
        c.prepare(settingsPath());
        const QByteArray before = c.atClose == AtClose::Refused ? QByteArray() : readSettings();
        messages.clear();

        startRun(c.name);
        std::printf("%-34s start: %s\n", c.name, qPrintable(messages.join('|').left(160)));
        if (c.startMessage == QStringLiteral("*")) {
            EXPECT_LE(messages.size(), 2) << messages.join('|'); // at most one per section
        } else if (c.startMessage.isEmpty()) {
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
        } else {
            ASSERT_EQ(messages.size(), 1) << messages.join('|');
            EXPECT_EQ(messages.first(), c.startMessage);
        }
        expectLoadsAGoodFile();
        QTest::mouseClick(Form1->SpeedButtonOrtho, Qt::LeftButton); // a change the next run must restore
        messages.clear();
        const auto written = endRun(c.name);

        if (c.atClose == AtClose::Refused) {
            const QString refusal = "Unable to write to " + settingsPath();
            EXPECT_EQ(messages, (QStringList { refusal, refusal })) << "one refusal per section";
            struct stat info { };
            ASSERT_EQ(::lstat(path().c_str(), &info), 0);
            EXPECT_FALSE(S_ISREG(info.st_mode)) << "the path keeps what it was";
        } else {
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
            for (const auto& [key, value] : written) {
                const auto slash = key.find('/');
                EXPECT_EQ(read(key.substr(0, slash).c_str(), key.substr(slash + 1).c_str()), value) << key;
            }
            // What the program does not know survives the run.
            if (std::string(c.name) == "ten_megabytes") {
                EXPECT_GT(readSettings().size(), 10 * 1024 * 1024);
                EXPECT_TRUE(readSettings().startsWith(before.left(1024 * 1024)));
            }
            if (std::string(c.name) == "unknown_value_of_5000_characters") {
                EXPECT_TRUE(readSettings().contains("Notes=" + longName + "\r\n"));
                EXPECT_TRUE(readSettings().contains("[Mine]\r\nA=" + longName + "\r\n"));
            }
        }
        EXPECT_TRUE(strayFiles().isEmpty()) << strayFiles().join(',');

        // The next run: what this one wrote comes back, without a message.
        messages.clear();
        startRun(c.name);
        if (c.atClose == AtClose::Written) {
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
            EXPECT_EQ(Form1->Directory().toStdString(), written.at("Viewer/LastFileName"));
            EXPECT_EQ(Form1->SpeedButtonOrtho->isChecked() ? "1" : "0", written.at("Viewer/Ortho"));
            EXPECT_EQ(std::to_string(Form1->width()), written.at("Viewer/Width"));
            EXPECT_EQ(std::to_string(Form2->TrackBarZoom->value()), written.at("Render/Zoom"));
        }
        expectLoadsAGoodFile();
        delete Form2;
        Form2 = nullptr;
        delete Form1;
        Form1 = nullptr;
    }
    // The temporary folder's clean-up works on decoded names.
    ::rmdir((QFile::encodeName(filesDir) + "/caf\xe9").constData());
}
