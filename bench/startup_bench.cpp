// Start-up and file selection of the main window.
//  - StartupToFirstPaint: the real program started under a virtual X server; the time from starting the process
//    to the moment the goniogram's grid shows on the screen (polled through Xlib, one pixel at a time).
//  - FileSelection: one selection in the file list (load, read, draw) of a 361-plane x 181-angle file.
#include "AppPaths.h"
#include "Notifier.h"
#include "TDocument.h"
#include "Uies.h"
#include "Viewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Xlib is loaded at run time: the benchmark is linked like every other, and only this measure needs it.
struct Xlib {
    void* handle = nullptr;
    Display* (*openDisplay)(const char*) = nullptr;
    int (*closeDisplay)(Display*) = nullptr;
    XImage* (*getImage)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long, int) = nullptr;
    int (*destroyImage)(XImage*) = nullptr;

    bool load()
    {
        handle = dlopen("libX11.so.6", RTLD_NOW);
        if (!handle)
            return false;
        openDisplay = reinterpret_cast<decltype(openDisplay)>(dlsym(handle, "XOpenDisplay"));
        closeDisplay = reinterpret_cast<decltype(closeDisplay)>(dlsym(handle, "XCloseDisplay"));
        getImage = reinterpret_cast<decltype(getImage)>(dlsym(handle, "XGetImage"));
        destroyImage = reinterpret_cast<decltype(destroyImage)>(dlsym(handle, "XDestroyImage"));
        return openDisplay && closeDisplay && getImage && destroyImage;
    }

    // The colour of one screen pixel as 0xRRGGBB.
    unsigned long pixel(Display* display, int x, int y) const
    {
        XImage* image = getImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        const unsigned long value = image->f.get_pixel(image, 0, 0) & 0xFFFFFF;
        destroyImage(image);
        return value;
    }
};

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv, const char* dir)
{
    // The given variables replace those of the same name.
    std::vector<std::string> env(extraEnv);
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('=') + 1);
        if (std::none_of(extraEnv.begin(), extraEnv.end(), [&](const std::string& x) { return x.starts_with(name); }))
            env.push_back(entry);
    }
    std::vector<char*> argv, envp;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const std::string cwd = QDir::currentPath().toStdString();
    if (dir && chdir(dir) != 0)
        return -1;
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    if (chdir(cwd.c_str()) != 0)
        return -1;
    return pid;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// A virtual X server of its own for the run of the benchmark.
struct VirtualScreen {
    pid_t pid = -1;
    std::string name;
    Display* display = nullptr;
    Xlib x;

    bool start()
    {
        if (!x.load())
            return false;
        for (int n = 71; n < 99 && pid < 0; ++n) {
            struct stat info { };
            if (stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &info) == 0
                || stat(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), &info) == 0)
                continue;
            name = std::to_string(n);
            name.insert(name.begin(), ':');
            pid = spawn({ "Xvfb", name, "-screen", "0", "1024x768x24", "-nolisten", "tcp" }, {}, nullptr);
        }
        for (int i = 0; i < 200 && pid > 0 && !display; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            display = x.openDisplay(name.c_str());
        }
        return display != nullptr;
    }

    ~VirtualScreen()
    {
        if (display)
            x.closeDisplay(display);
        stop(pid);
    }
};

QString samplesCopy(QTemporaryDir& dir)
{
    for (const QString& name : QDir(QStringLiteral(GONILUX_SAMPLES_DIR)).entryList({ "*.ies" }, QDir::Files))
        QFile::copy(QStringLiteral(GONILUX_SAMPLES_DIR "/") + name, dir.path() + '/' + name);
    return dir.path();
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    VirtualScreen screen;
    if (!screen.start()) {
        state.SkipWithError("no virtual X server (Xvfb) or Xlib");
        return;
    }
    QTemporaryDir dir;
    const QString folder = samplesCopy(dir);
    const QString app = folder + QStringLiteral("/gonilux");
    QFile::copy(QStringLiteral(GONILUX_APP), app);
    // First run, no window manager: the 720 x 401 window is centred on the 1024 x 768 screen at (152, 183), and
    // the paint box's grey border starts 413, 49 into it.
    const int probeX = 152 + 413 + 20;
    const int probeY = 183 + 49;
    const unsigned long grey = 0x808080;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(folder + QStringLiteral("/ies.ini"));
        while (screen.x.pixel(screen.display, probeX, probeY) == grey)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        state.ResumeTiming();

        const auto started = Clock::now();
        const pid_t pid = spawn({ app.toStdString() }, { "DISPLAY=" + screen.name, "QT_QPA_PLATFORM=xcb" },
            folder.toLocal8Bit().constData());
        bool painted = false;
        while (!painted && Clock::now() - started < std::chrono::seconds(10))
            painted = screen.x.pixel(screen.display, probeX, probeY) == grey;
        const std::chrono::duration<double> elapsed = Clock::now() - started;
        state.SetIterationTime(elapsed.count());

        state.PauseTiming();
        stop(pid);
        state.ResumeTiming();
        if (!painted) {
            state.SkipWithError("the main window did not paint within 10 s");
            break;
        }
    }
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A photometric file of 361 planes (every degree) and 181 vertical angles (every degree).
QByteArray largeFile()
{
    QByteArray text = "IESNA:LM-63-2002\r\n[TEST] BENCH-361x181\r\n[MANUFAC] Gonilux\r\nTILT=NONE\r\n"
                      "1 -1 1 181 361 1 2 0.1 0.1 0\r\n1.0 1.0 50\r\n";
    for (int v = 0; v <= 180; ++v)
        text += QByteArray::number(v) + (v % 10 == 9 ? "\r\n" : " ");
    text += "\r\n";
    for (int h = 0; h <= 360; ++h)
        text += QByteArray::number(h) + (h % 10 == 9 ? "\r\n" : " ");
    text += "\r\n";
    for (int h = 0; h <= 360; ++h) {
        for (int v = 0; v <= 180; ++v)
            text += QByteArray::number(1000.0 + 10.0 * h - 5.0 * v, 'f', 1) + (v % 10 == 9 ? "\r\n" : " ");
        text += "\r\n";
    }
    return text;
}

void BM_FileSelection(benchmark::State& state)
{
    QTemporaryDir dir;
    setSettingsDirForTests(dir.path().toStdString());
    const QString folder = dir.path() + QStringLiteral("/files");
    QDir().mkpath(folder);
    const QByteArray bytes = largeFile();
    for (const char* name : { "/a.ies", "/b.ies" }) {
        QFile file(folder + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            state.SkipWithError("cannot write the test file");
            return;
        }
    }
    QStringList messages;
    notifier::setSink([&messages](const QString& text) { messages << text; });
    auto viewer = std::make_unique<Viewer>();
    TForm1* Form1 = &viewer->MainWindow();
    const TDocument* Doc = &viewer->Document();
    Form1->show();
    for (int i = 0; i < 1000 && !(Form1->windowHandle() && Form1->windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    Form1->SpeedButtonFit->setChecked(state.range(0) == 0);
    Form1->SetDirectory(QFile::encodeName(folder));
    int row = 0;
    for (auto _ : state) {
        // Each selection moves to the other copy, so every iteration runs the whole flow once.
        Form1->FileListBox1->setCurrentRow(row);
        row = 1 - row;
        benchmark::DoNotOptimize(Doc->IESData().Candela.size());
    }
    if (Doc->IESData().Candela.size() != 361 || !messages.isEmpty())
        state.SkipWithError("the file did not load cleanly");
    state.SetLabel(state.range(0) == 0 ? "fit down" : "fit up (common maximum computed)");
    viewer.reset();
    notifier::setSink({});
    setSettingsDirForTests("");
}
BENCHMARK(BM_FileSelection)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gonilux"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
