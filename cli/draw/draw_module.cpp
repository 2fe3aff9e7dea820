// The Qt half of gonilux-cli, linked into the drawing program only: the goniogram as SVG or PNG and the render's
// grey image as PNG and the datasheet as PDF, through the viewer's drawing surface, as bytes the commands write
// themselves.
#include "draw_module.h"

#include "GoniluxVersion.h"
#include "GoniogramPicture.h"
#include "GreyPicture.h"
#include "PagePdf.h"
#include "QtSurface.h"
#include "ScenePainter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QSvgGenerator>

#include <cstdlib>
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

// Qt's remarks about the session (no runtime folder, no display server) are not the user's concern in a
// command-line tool; warnings about the drawing itself still reach standard error.
void QuietSessionMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    if (message.startsWith(QLatin1String("QStandardPaths:")) || message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    const QByteArray text = message.toLocal8Bit();
    std::fprintf(stderr, "gonilux-cli: %s\n", text.constData());
}

void StartGui()
{
    // Fonts and text need a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietSessionMessages);
    static int appArgc = 1;
    static char appName[] = "gonilux-cli";
    static char* appArgv[] = { appName, nullptr };
    app = std::make_unique<QGuiApplication>(appArgc, appArgv);
    face = QGuiApplication::palette().color(QPalette::Button);
}

void StopGui() { app.reset(); }

std::string Bytes(const QByteArray& data) { return std::string(data.constData(), static_cast<size_t>(data.size())); }

bool SvgBytes(const GoniogramInput& input, std::string& bytes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(input.width, input.height));
    generator.setViewBox(QRect(0, 0, input.width, input.height));
    generator.setTitle(QStringLiteral("Goniogram"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    {
        QtSurface surface(&painter, face);
        DrawGoniogramPicture(surface, input);
    }
    if (!painter.end())
        return false;
    bytes = Bytes(buffer.data());
    return true;
}

bool PngBytes(const QImage& image, std::string& bytes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return false;
    bytes = Bytes(buffer.data());
    return true;
}

bool GoniogramBytes(const GoniogramInput& input, bool svg, std::string& bytes)
{
    try {
        if (svg)
            return SvgBytes(input, bytes); // as the viewer's own SVG export draws it
        QImage image(input.width, input.height, QImage::Format_RGB32);
        if (image.isNull())
            return false;
        image.fill(face);
        {
            QPainter painter(&image);
            QtSurface surface(&painter, face);
            DrawGoniogramPicture(surface, input);
        }
        // Encoded here rather than through the viewer's export: the CLI's PNG keeps Qt's default resolution.
        return PngBytes(image, bytes);
    } catch (...) {
        return false;
    }
}

bool GreyPngBytes(const GreyImage& image, std::string& bytes)
{
    try {
        return PngBytes(GreyPicture(image), bytes);
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

bool PagePdfBytes(const scene::Scene& page, const std::string& title, std::string& bytes)
{
    try {
        const QByteArray drawn = PagePdf(
            page, QString::fromStdString(title), QStringLiteral("Gonilux ") + QString::fromLatin1(GONILUX_VERSION));
        bytes.assign(drawn.constData(), static_cast<size_t>(drawn.size()));
        return !drawn.isEmpty();
    } catch (...) {
        return false;
    }
}

constexpr DrawModule Table { DecimalSeparator, StartGui, StopGui, GoniogramBytes, GreyPngBytes, SceneBytes,
    PagePdfBytes };

} // namespace

const DrawModule* LinkedDrawModule() { return &Table; }
