// gonilux-cli goniogram FILE: draws the goniogram of one IES file with the viewer's drawing code, as its
// drawing operations (--ops), as SVG or as PNG.
#include "Commands.h"
#include "arguments.h"

#include "Goniogram.h"
#include "PlaneSampling.h"
#include "QtSurface.h"
#include "RecordingSurface.h"

#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QSvgGenerator>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int MaxSide = 10000; // pixels; larger pictures are refused rather than allocated

struct Options {
    const char* path = nullptr;
    int plane = 0;
    int width = 600, height = 600;
    bool fit = true, ortho = true; // the switches' state on a first start
    std::string output;
    bool ops = false;
};

int Usage()
{
    std::fputs("usage: gonilux-cli goniogram FILE [--plane P] [--size WxH] [--fit|--no-fit] [--ortho|--no-ortho]\n"
               "                              [-o OUT.svg|OUT.png] [--ops]\n",
        stderr);
    return 2;
}

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--plane" && hasValue) {
            const auto plane = ParseInt(argv[++i]);
            if (!plane)
                return std::nullopt;
            options.plane = *plane;
        } else if (arg == "--size" && hasValue) {
            if (!ParseSize(argv[++i], MaxSide, options.width, options.height))
                return std::nullopt;
        } else if (arg == "-o" && hasValue) {
            options.output = argv[++i];
        } else if (arg == "--fit" || arg == "--no-fit") {
            options.fit = arg == "--fit";
        } else if (arg == "--ortho" || arg == "--no-ortho") {
            options.ortho = arg == "--ortho";
        } else if (arg == "--ops") {
            options.ops = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return std::nullopt;
        } else if (options.path) {
            return std::nullopt;
        } else {
            options.path = argv[i];
        }
    }
    if (!options.path || (!options.ops && options.output.empty()))
        return std::nullopt;
    if (!options.output.empty() && !EndsWith(options.output, ".svg") && !EndsWith(options.output, ".png"))
        return std::nullopt;
    return options;
}

// ShowGrid then DrawIES, as the paint box's repaint does.
void Draw(DrawSurface& surface, const GoniogramInput& input)
{
    ShowGrid(surface, input.width, input.height);
    DrawIES(surface, input);
}

// Writes the picture through the Qt surface; false when the file cannot be written.
bool WritePicture(const std::string& path, const GoniogramInput& input)
{
    // Fonts and text need a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int appArgc = 1;
    static char appName[] = "gonilux-cli";
    static char* appArgv[] = { appName, nullptr };
    const auto app = std::make_unique<QGuiApplication>(appArgc, appArgv);
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    const QString file = QString::fromLocal8Bit(path.c_str());

    if (EndsWith(path, ".svg")) {
        QSvgGenerator generator;
        generator.setFileName(file);
        generator.setSize(QSize(input.width, input.height));
        generator.setViewBox(QRect(0, 0, input.width, input.height));
        generator.setTitle(QStringLiteral("Goniogram"));
        QPainter painter;
        if (!painter.begin(&generator))
            return false;
        {
            QtSurface surface(&painter, face);
            Draw(surface, input);
        }
        return painter.end();
    }
    QImage image(input.width, input.height, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(face);
    {
        QPainter painter(&image);
        QtSurface surface(&painter, face);
        Draw(surface, input);
    }
    return image.save(file, "PNG");
}

} // namespace

int RunGoniogram(int argc, char** argv)
{
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options)
        return Usage();

    tIES ies;
    try {
        TStringList headerLines;
        ReadRecordFile(options->path, ies, headerLines);
    } catch (const std::exception& error) {
        std::printf("error %s\n", error.what());
        return 3;
    }

    // The degree track bar runs over the planes 0 to L.
    const int last = static_cast<int>(ies.HorizAngles.size()) - 1;
    if (options->plane < 0 || options->plane > std::max(last, 0)) {
        std::printf("error plane %d is not among the planes 0 to %d\n", options->plane, std::max(last, 0));
        return 2;
    }

    GoniogramInput input;
    input.ies = &ies;
    input.plane = options->plane;
    input.fitDown = options->fit;
    input.orthoDown = options->ortho;
    input.width = options->width;
    input.height = options->height;
    input.decimalSeparator = QLocale::system().decimalPoint().toStdString();
    if (FileMaximumApplies(ies, options->fit))
        input.maxIntensity = ComputeMaxIntensity(ies, 0, last);

    if (options->ops) {
        RecordingSurface surface;
        Draw(surface, input);
        std::fputs(surface.Text().c_str(), stdout);
    }
    if (!options->output.empty() && !WritePicture(options->output, input)) {
        std::printf("error Cannot write file %s\n", options->output.c_str());
        return 3;
    }
    return std::fflush(stdout) == 0 ? 0 : 3;
}
