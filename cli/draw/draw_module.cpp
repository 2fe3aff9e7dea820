// The Qt half of gonilux-cli, linked into the drawing program only: the goniogram as SVG or PNG and the render's
// grey image as PNG and the datasheet as PDF, through the viewer's drawing surface.
#include "draw_module.h"

#include "AtomicFile.h"
#include "GoniluxVersion.h"
#include "GoniogramPicture.h"
#include "GreyPicture.h"
#include "PagePdf.h"
#include "QtSurface.h"
#include "ScenePainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPalette>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<QGuiApplication> app;
QColor face; // the button face of the application's palette, read once on the main thread

void DecimalSeparator(char* text, int size)
{
    const QByteArray separator = QLocale::system().decimalPoint().toUtf8().left(size - 1);
    std::memcpy(text, separator.constData(), static_cast<size_t>(separator.size()));
    text[separator.size()] = '\0';
}

void StartGui()
{
    // Fonts and text need a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int appArgc = 1;
    static char appName[] = "gonilux-cli";
    static char* appArgv[] = { appName, nullptr };
    app = std::make_unique<QGuiApplication>(appArgc, appArgv);
    face = QGuiApplication::palette().color(QPalette::Button);
}

void StopGui() { app.reset(); }

bool WriteGoniogramPicture(const char* path, const GoniogramInput& input)
{
    const QString file = QString::fromLocal8Bit(path);
    const size_t length = std::strlen(path);
    if (length >= 4 && QString::fromLatin1(path + length - 4).compare(QLatin1String(".svg"), Qt::CaseInsensitive) == 0)
        return WriteGoniogramPicture(file, input, face); // the viewer's own SVG export
    QImage image(input.width, input.height, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(face);
    {
        QPainter painter(&image);
        QtSurface surface(&painter, face);
        DrawGoniogramPicture(surface, input);
    }
    // Written here rather than through the viewer's export: the CLI's PNG keeps Qt's default resolution.
    return image.save(file, "PNG");
}

bool WriteGoniogram(const char* path, const GoniogramInput& input)
{
    try {
        return WriteGoniogramPicture(path, input);
    } catch (...) {
        return false;
    }
}

bool WriteGreyPng(const char* path, const GreyImage& image)
{
    try {
        return GreyPicture(image).save(QString::fromLocal8Bit(path), "PNG");
    } catch (...) {
        return false;
    }
}

bool SceneBytes(const scene::Scene& scene, bool svg, int width, int height, const char* title, std::string& bytes)
{
    try {
        const QByteArray drawn
            = svg ? SceneSvg(scene, QString::fromUtf8(title)) : ScenePng(scene, QSize(width, height));
        bytes.assign(drawn.constData(), static_cast<size_t>(drawn.size()));
        return !drawn.isEmpty();
    } catch (...) {
        return false;
    }
}

std::string WritePagePdf(const std::string& path, const scene::Scene& page, const std::string& title)
{
    try {
        const QByteArray bytes = PagePdf(
            page, QString::fromStdString(title), QStringLiteral("Gonilux ") + QString::fromLatin1(GONILUX_VERSION));
        if (bytes.isEmpty())
            return "Cannot draw the page";
        return fileio::WriteFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Cannot draw the page";
    }
}

constexpr DrawModule Table { DecimalSeparator, StartGui, StopGui, WriteGoniogram, WriteGreyPng, SceneBytes,
    WritePagePdf };

} // namespace

const DrawModule* LinkedDrawModule() { return &Table; }
