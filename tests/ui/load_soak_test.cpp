// Memory under load: every file of the real-world corpus loaded twenty times in a row through the main
// window's loading flow, with the render window open and automatic update on, so each load also draws the
// goniogram and renders. The resident memory must level off after the first pass.
#include "WindowFixture.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QListWidget>

#include <algorithm>
#include <cstdio>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

// The address sanitizer keeps freed blocks in quarantine (up to 256 MB), so resident memory says nothing
// there; the sanitized run makes two passes for its own checks and leaves the figures to the plain build.
constexpr int Passes = Sanitized ? 2 : 20;
constexpr long long AllowedGrowth = 4 * 1024 * 1024;

} // namespace

class LoadSoak : public MainWindowTest { };

TEST_F(LoadSoak, TwentyPassesOverTheCorpusKeepResidentMemoryFlat)
{
    // The corpus is read-only: copy its files into one folder, named after their source folder.
    int copied = 0;
    QDirIterator it(
        QStringLiteral(GONILUX_CORPUS_DIR), { "*.ies", "*.IES", "*.Ies" }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString source = QFileInfo(QFileInfo(path).path()).fileName();
        ASSERT_TRUE(QFile::copy(path, filesDir + '/' + source + '_' + QFileInfo(path).fileName())) << path;
        ++copied;
    }
    ASSERT_GT(copied, 20) << "the corpus is missing";

    start();
    openFolder(filesDir);
    const int files = Form1->FileListBox1->count();
    ASSERT_EQ(files, copied);
    Form1->SpeedButtonUpdate->setChecked(true);
    Form2->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form2));
    messages.clear(); // shown with nothing loaded, the window asks for a file

    std::vector<long long> resident;
    int loaded = 0;
    QElapsedTimer clock;
    clock.start();
    for (int pass = 0; pass < Passes; ++pass) {
        for (int row = 0; row < files; ++row) {
            QListWidgetItem* item = Form1->FileListBox1->item(row);
            Form1->FileListBox1->scrollToItem(item);
            const QPoint at = Form1->FileListBox1->visualItemRect(item).center();
            HangWatchdog watchdog("loading " + item->text().toStdString(), hangLimit());
            QTest::mouseClick(Form1->FileListBox1->viewport(), Qt::LeftButton, {}, at);
            loaded += Doc->IESData().Candela.empty() ? 0 : 1;
        }
        QCoreApplication::processEvents();
        resident.push_back(residentBytes());
        std::printf("pass %2d: resident %7.2f MB, %lld ms so far\n", pass + 1, resident.back() / 1048576.0,
            static_cast<long long>(clock.elapsed()));
    }
    std::printf("%d files, %d loads with a record, %d renders, %lld messages\n", files, loaded,
        Form1->RendersRequested(), static_cast<long long>(messages.size()));
    for (const QString& m : messages)
        std::printf("message: %s\n", qPrintable(QString(m).replace('\r', ' ')));
    Form2->hide();

    // Every load of a file with a record asked for a render (automatic update with the window open).
    EXPECT_GE(Form1->RendersRequested(), loaded);
    EXPECT_EQ(loaded, Passes * files) << "every real file loads";
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|');
    if (!Sanitized) {
        const long long first = resident.front();
        const long long peak = *std::max_element(resident.begin(), resident.end());
        std::printf("growth after the first pass: %.2f MB (peak %.2f MB)\n", (resident.back() - first) / 1048576.0,
            (peak - first) / 1048576.0);
        EXPECT_LT(resident.back() - first, AllowedGrowth);
        EXPECT_LT(peak - first, AllowedGrowth);
    }
}
