// Hostile files through the main window's real loading flow: each one is put into the folder on show and
// selected with the mouse. Whatever the file holds, the handler returns, the user reads a clear message where
// the file cannot be shown, and the window still loads a good file afterwards.
#include "WindowFixture.h"

#include "IesReader.h"

#include <QElapsedTimer>
#include <QListWidget>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QString GoodFile = QStringLiteral("0_good.ies"); // sorts first
constexpr int GoodPlanes = 37;

enum class Outcome {
    Loaded, // the record holds the file, no message
    Refused, // a message, nothing loaded
    Reported, // at least one message; whether anything loads is the reader's business
};

struct ContentCase {
    const char* name;
    std::function<QByteArray()> bytes;
    Outcome outcome;
    QString messageStart; // the start of the one message expected (Refused), or empty
    int planes = 0; // for Loaded: planes in the record
};

// A valid two-plane file whose numeric block is one line of about size bytes: the numbers past the candela
// table pad it and are never read.
QByteArray oneLineFile(qsizetype size)
{
    QByteArray line = "1 1000 1 3 2 1 2 0.1 0.1 0 1 1 20 0 45 90 0 180 100 50 10 90 40 5";
    line.reserve(size + 16);
    while (line.size() < size)
        line += " 0 1 2 3 4 5 6 7 8 9";
    return iesFile("[TEST] one line\r\n", line + "\r\n");
}

QByteArray withNulAt(QByteArray bytes, const QByteArray& before)
{
    const qsizetype at = bytes.indexOf(before);
    if (at >= 0)
        bytes.insert(at + before.size() / 2, '\0');
    return bytes;
}

} // namespace

class HostileLoading : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        copySample("washer_full_360.ies", GoodFile);
    }

    // The entry whose file-system name is exactly name (several entries may read alike on screen).
    QListWidgetItem* entryNamed(const QByteArray& name) const
    {
        for (int i = 0; i < Form1->FileListBox1->count(); ++i) {
            QListWidgetItem* item = Form1->FileListBox1->item(i);
            if (item->data(Qt::UserRole).toByteArray() == name)
                return item;
        }
        return nullptr;
    }

    // Clicks the entry named name under the hang watchdog.
    void select(const QByteArray& name)
    {
        QListWidgetItem* item = entryNamed(name);
        ASSERT_NE(item, nullptr) << name;
        Form1->FileListBox1->scrollToItem(item);
        const QPoint at = Form1->FileListBox1->visualItemRect(item).center();
        HangWatchdog watchdog("selecting " + name.toStdString(), hangLimit());
        QTest::mouseClick(Form1->FileListBox1->viewport(), Qt::LeftButton, {}, at);
    }

    // The window goes on: a good file still loads and draws after the hostile one.
    void expectGoodFileStillLoads()
    {
        messages.clear();
        select(QFile::encodeName(GoodFile));
        EXPECT_EQ(Doc->IESData().Candela.size(), static_cast<size_t>(GoodPlanes));
        EXPECT_TRUE(Form1->TrackBarDegree->isEnabled());
        EXPECT_GT(redPixels(Form1->PaintBox1->Image()), 100);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
    }

    QByteArray rawPath(const QByteArray& name) const { return QFile::encodeName(filesDir) + '/' + name; }
};

TEST_F(HostileLoading, EveryHostileFileEndsInALoadOrAClearMessage)
{
    const QByteArray downlight = sampleBytes("downlight_axial.ies");
    const QByteArray washer = sampleBytes("washer_full_360.ies");
    const ContentCase cases[] = {
        { "random_bytes.ies", [] { return randomBytes(256 * 1024, 8); }, Outcome::Reported, {} },
        { "random_bytes_after_tilt.ies", [] { return iesFile("", randomBytes(64 * 1024, 9)); }, Outcome::Reported, {} },
        { "nul_in_header.ies", [&] { return withNulAt(downlight, "[MANUFAC]"); }, Outcome::Reported, {} },
        { "nul_in_numbers.ies", [&] { return withNulAt(washer, "1297.7"); }, Outcome::Loaded, {}, 37 },
        { "one_line_50mb.ies", [] { return oneLineFile(50 * 1024 * 1024); }, Outcome::Loaded, {}, 2 },
        { "header_line_10m_chars.ies",
            [] {
                return iesFile("[TEST] " + QByteArray(10'000'000, 'x') + "\r\n",
                    photometricBlock("3", "2") + "0 45 90 0 180 100 50 10 90 40 5\r\n");
            },
            Outcome::Loaded, {}, 2 },
        { "number_of_10m_digits.ies",
            [] {
                return iesFile("",
                    photometricBlock("3", "2") + "0 45 90 0 180 1" + QByteArray(10'000'000, '7')
                        + " 50 10 90 40 5\r\n");
            },
            Outcome::Loaded, {}, 2 },
        // The missing angles read as 0 and the render reports the angles it cannot interpolate.
        { "count_65535_vertical.ies", [] { return iesFile("", photometricBlock("65535", "1") + "0 10 20\r\n"); },
            Outcome::Reported, {} },
        { "count_65535_by_65535.ies", [] { return iesFile("", photometricBlock("65535", "65535") + "0\r\n"); },
            Outcome::Refused, "The file declares 65535 vertical by 65535 horizontal angles" },
        { "count_minus_1.ies", [] { return iesFile("", photometricBlock("-1", "2") + "0 90 0 180 1 2 3 4\r\n"); },
            Outcome::Refused, "The number of vertical angles in this file (-1) is outside 0 to 65535" },
        { "count_1e99999.ies", [] { return iesFile("", photometricBlock("3", "1e99999") + "0 45 90 0\r\n"); },
            Outcome::Reported, "Error!\r\rLine " },
        // A value beyond the extended range fails to convert and reads as 0, as a table value without a message.
        { "candela_1e99999.ies", [] { return twoPlaneFile("100 1e99999 10 90 40 5"); }, Outcome::Loaded, {}, 2 },
        { "candela_all_1e99999.ies", [] { return twoPlaneFile("1e99999 1e99999 1e99999 -1e99999 -1e99999 -1e99999"); },
            Outcome::Reported, {} },
        { "candela_1e-99999.ies", [] { return twoPlaneFile("1e-99999 1e-99999 1e-99999 0 0 1e-99999"); },
            Outcome::Reported, {} },
        // A header number beyond the extended range is a number that failed to convert.
        { "multiplier_1e99999.ies", [] { return twoPlaneFile("100 50 10 90 40 5", "1e99999"); }, Outcome::Reported,
            "Error!\r\rLine 4" },
        { "negative_zero.ies", [] { return twoPlaneFile("-0 -0 -0 -0.0 -0e0 -0"); }, Outcome::Reported, {} },
        { "nan_inf_candela.ies", [] { return twoPlaneFile("nan inf -inf NaN INF 100"); }, Outcome::Loaded, {}, 2 },
        { "nan_in_header.ies",
            [] { return iesFile("", "1 nan inf 3 2 1 2 0.1 0.1 0 1 1 20\r\n0 45 90 0 180 100 50 10 90 40 5\r\n"); },
            Outcome::Reported, "Error!\r\rLine " },
        { "angles_1e99999.ies",
            [] {
                return iesFile("", photometricBlock("3", "2") + "0 1e99999 -1e99999 0 1e99999 100 50 10 90 40 5\r\n");
            },
            Outcome::Loaded, {}, 2 },
        // Tilt data with an impossible count, and with the largest count and nothing after it.
        { "tilt_count_minus_1.ies",
            [] { return QByteArray("IESNA:LM-63-2002\r\nTILT=INCLUDE\r\n1\r\n-1\r\n") + photometricBlock("3", "2"); },
            Outcome::Refused, "The number of tilt angles in this file (-1) is outside 0 to 65535" },
        { "tilt_count_65535.ies", [] { return QByteArray("IESNA:LM-63-2002\r\nTILT=INCLUDE\r\n1\r\n65535\r\n"); },
            Outcome::Reported, "Error!\r\rLine " },
        { "header_of_a_million_lines.ies",
            [] {
                QByteArray header;
                for (int i = 0; i < 1'000'000; ++i)
                    header += "[MORE] line\r\n";
                return iesFile(
                    "[TEST] long\r\n" + header, photometricBlock("3", "2") + "0 45 90 0 180 100 50 10 90 40 5\r\n");
            },
            Outcome::Loaded, {}, 2 },
        { "lone_carriage_returns.ies", [] { return twoPlaneFile("100 50 10 90 40 5").replace("\r\n", "\r"); },
            Outcome::Loaded, {}, 2 },
    };

    start();
    for (const auto& c : cases)
        writeRaw(rawPath(c.name), c.bytes());
    openFolder(filesDir);
    ASSERT_EQ(Form1->FileListBox1->count(), static_cast<int>(std::size(cases)) + 1);
    // The render follows every load, so the render computation sees every hostile record too.
    Form1->SpeedButtonUpdate->setChecked(true);
    Form2->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form2));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectGoodFileStillLoads();
        messages.clear();
        QElapsedTimer clock;
        clock.start();
        select(c.name);
        std::printf("%-32s %6lld ms  %s\n", c.name, static_cast<long long>(clock.elapsed()),
            qPrintable(messages.join('|').replace('\r', ' ')));
        switch (c.outcome) {
        case Outcome::Loaded:
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
            EXPECT_EQ(Doc->IESData().Candela.size(), static_cast<size_t>(c.planes));
            EXPECT_TRUE(Form1->TrackBarDegree->isEnabled());
            break;
        case Outcome::Refused:
            ASSERT_EQ(messages.size(), 1) << messages.join('|');
            EXPECT_TRUE(messages.first().startsWith(c.messageStart)) << messages.first();
            EXPECT_TRUE(Doc->IESData().Candela.empty()) << "no file counts as loaded";
            EXPECT_FALSE(Form1->TrackBarDegree->isEnabled());
            EXPECT_EQ(redPixels(Form1->PaintBox1->Image()), 0);
            break;
        case Outcome::Reported:
            // The user is told, each message says something, and the reader's own check is shown at most once.
            EXPECT_FALSE(messages.isEmpty());
            for (const QString& m : messages)
                EXPECT_FALSE(m.trimmed().isEmpty());
            EXPECT_LE(std::count_if(messages.begin(), messages.end(),
                          [](const QString& m) { return m.startsWith(QStringLiteral("Error!\r\rLine ")); }),
                1);
            if (!c.messageStart.isEmpty()) {
                ASSERT_FALSE(messages.isEmpty());
                EXPECT_TRUE(messages.first().startsWith(c.messageStart)) << messages.first();
            }
            break;
        }
        // No infinity or NaN enters the record, whatever the text held.
        for (const tArrEx* values : { &Doc->IESData().VertAngles, &Doc->IESData().HorizAngles })
            for (long double v : *values)
                EXPECT_TRUE(std::isfinite(v)) << static_cast<double>(v);
        for (const tArrEx& row : Doc->IESData().Candela)
            for (long double v : row)
                EXPECT_TRUE(std::isfinite(v)) << static_cast<double>(v);
        EXPECT_TRUE(std::isfinite(Doc->MaxIntensity()));
        // An entry far longer than any screen holds is cut for the label: laying out ten million characters
        // freezes the window for more than a minute.
        EXPECT_LE(Form1->Label1->text().size(), 64 * 1024);
    }
    expectGoodFileStillLoads();
    Form2->hide();
}

TEST_F(HostileLoading, AFileThatChangesBetweenListingAndLoadingIsTakenAsGone)
{
    struct Case {
        const char* name;
        std::function<void(const QByteArray& path)> sabotage;
    };
    const QByteArray elsewhere = QFile::encodeName(temp.path()) + "/elsewhere";
    const Case cases[] = {
        { "vanished.ies", [](const QByteArray& path) { ASSERT_EQ(::unlink(path.constData()), 0); } },
        { "became_folder.ies",
            [](const QByteArray& path) {
                ASSERT_EQ(::unlink(path.constData()), 0);
                ASSERT_EQ(::mkdir(path.constData(), 0755), 0);
            } },
        // Opening a FIFO for reading waits for a writer: the flow must not even try.
        { "became_fifo.ies",
            [](const QByteArray& path) {
                ASSERT_EQ(::unlink(path.constData()), 0);
                ASSERT_EQ(::mkfifo(path.constData(), 0644), 0);
            } },
        { "became_dangling_link.ies",
            [](const QByteArray& path) {
                ASSERT_EQ(::unlink(path.constData()), 0);
                ASSERT_EQ(::symlink("/nonexistent/gonilux/target.ies", path.constData()), 0);
            } },
        { "became_link_to_fifo.ies",
            [elsewhere](const QByteArray& path) {
                ASSERT_EQ(::unlink(path.constData()), 0);
                ASSERT_EQ(::mkfifo(elsewhere.constData(), 0644), 0);
                ASSERT_EQ(::symlink(elsewhere.constData(), path.constData()), 0);
            } },
    };
    const QByteArray washer = sampleBytes("washer_full_360.ies");
    for (const auto& c : cases)
        writeRaw(rawPath(c.name), washer);
    start();
    openFolder(filesDir);
    ASSERT_EQ(Form1->FileListBox1->count(), static_cast<int>(std::size(cases)) + 1);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectGoodFileStillLoads();
        const QString header = Form1->Label1->text();
        c.sabotage(rawPath(c.name));
        messages.clear();
        select(c.name);
        // As for a file that no longer exists: no message, only the grid, the track bar disabled, the header
        // of the file last read kept.
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
        EXPECT_EQ(redPixels(Form1->PaintBox1->Image()), 0);
        EXPECT_FALSE(Form1->TrackBarDegree->isEnabled());
        EXPECT_EQ(Form1->Label1->text(), header);
    }
    expectGoodFileStillLoads();
}

TEST_F(HostileLoading, OnlyPlainFilesAreListedAndALinkToOneLoads)
{
    const QByteArray dir = QFile::encodeName(filesDir);
    ASSERT_EQ(::mkdir((dir + "/x.ies").constData(), 0755), 0);
    ASSERT_EQ(::mkfifo((dir + "/fifo.ies").constData(), 0644), 0);
    ASSERT_EQ(::symlink("/nonexistent/gonilux.ies", (dir + "/dangling.ies").constData()), 0);
    ASSERT_EQ(::symlink((dir + '/' + QFile::encodeName(GoodFile)).constData(), (dir + "/link.ies").constData()), 0);
    start();
    openFolder(filesDir);
    QStringList shown;
    for (int i = 0; i < Form1->FileListBox1->count(); ++i)
        shown << Form1->FileListBox1->item(i)->text();
    EXPECT_EQ(shown, (QStringList { GoodFile, "link.ies" }));
    select("link.ies");
    EXPECT_EQ(Doc->IESData().Candela.size(), static_cast<size_t>(GoodPlanes));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
    expectGoodFileStillLoads();
}

TEST_F(HostileLoading, NamesThatAreNotValidUtf8LoadTheFileTheyName)
{
    struct Case {
        QByteArray name;
        const char* sample;
    };
    // Two of them read alike on screen ("café.ies"): each must still load its own file.
    const Case cases[] = {
        { "\xff\xfe.ies", "washer_full_360.ies" },
        { "caf\xe9.ies", "downlight_axial.ies" },
        { "caf\xc3\xa9.ies", "street_bilateral.ies" },
        { "half\xc3.ies", "panel_quadrant.ies" },
        { "line\nbreak.ies", "uplight_quadrant.ies" },
        { "back\\slash.ies", "spot_full_22_5.ies" },
    };
    for (const auto& c : cases)
        writeRaw(rawPath(c.name), sampleBytes(c.sample));
    start();
    openFolder(filesDir);
    ASSERT_EQ(Form1->FileListBox1->count(), static_cast<int>(std::size(cases)) + 1);

    // The plane count of each sample, read through the same window from a plain name.
    auto planesOf = [this](const char* sample) {
        const QByteArray plain = QByteArray("plain_") + sample;
        writeRaw(rawPath(plain), sampleBytes(sample));
        openFolder(filesDir);
        select(plain);
        const size_t planes = Doc->IESData().Candela.size();
        ::unlink(rawPath(plain).constData());
        openFolder(filesDir);
        return planes;
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        const size_t planes = planesOf(c.sample);
        ASSERT_GT(planes, 0u);
        expectGoodFileStillLoads();
        messages.clear();
        select(c.name);
        EXPECT_EQ(Form1->SelectedFileName(), rawPath(c.name).toStdString());
        EXPECT_EQ(Doc->IESData().Candela.size(), planes);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
        EXPECT_FALSE(entryNamed(c.name)->text().isEmpty());
    }
    expectGoodFileStillLoads();
    // The temporary folder's clean-up works on decoded names.
    for (const auto& c : cases)
        ::unlink(rawPath(c.name).constData());
}

// The loading flow checks for a plain file before it reads, but the file can turn into a FIFO between that
// check and the open. Opening a FIFO for reading waits for a writer, so the reader must not wait: it opens
// without blocking and refuses what is not a plain file.
TEST_F(HostileLoading, ReadingAFifoNeverWaitsForAWriter)
{
    const QByteArray fifo = rawPath("turned_fifo.ies");
    ASSERT_EQ(::mkfifo(fifo.constData(), 0644), 0);

    // Should the open wait after all, a writer comes after a second and ends the wait, so the test reports the
    // fault instead of hanging. Its open succeeds only if a reader is waiting on the FIFO at that moment.
    std::atomic<bool> readerWasWaiting { false };
    std::atomic<bool> done { false };
    std::thread writer([&] {
        for (int i = 0; i < 10 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            readerWasWaiting = true;
            ::close(fd);
        }
    });
    TStringList lines;
    std::string error;
    {
        HangWatchdog watchdog("reading a FIFO", hangLimit());
        try {
            LoadFileLines(fifo.toStdString(), lines);
        } catch (const std::runtime_error& e) {
            error = e.what();
        }
    }
    done = true;
    writer.join();
    EXPECT_FALSE(readerWasWaiting) << "opening the FIFO waited for a writer";
    EXPECT_EQ(error, "Cannot open file " + fifo.toStdString());
    EXPECT_TRUE(lines.empty());
}
