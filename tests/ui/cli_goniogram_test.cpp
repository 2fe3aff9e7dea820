// gonilux-cli goniogram: the drawing operations against a reviewed dump, SVG and PNG output, and the
// error exits, run as a separate process.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun Goniogram(const QStringList& arguments, const QString& locale = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(GONILUX_CLI), QStringList { QStringLiteral("goniogram") } + arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    CliRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

QString Sample(const char* name) { return QStringLiteral(GONILUX_SAMPLES_DIR "/") + QString::fromUtf8(name); }

std::string ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

} // namespace

TEST(CliGoniogram, OpsMatchTheReviewedDump)
{
    // 200 x 200, fit and ortho on: scale 1135, rings of 140 at 11.1 pixels, so 9-pixel labels.
    const CliRun run = Goniogram({ Sample("panel_quadrant.ies"), "--size", "200x200", "--ops" });
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, ReadAll(QStringLiteral(GONILUX_SOURCE_DIR "/tests/golden/panel_quadrant_200x200.ops")));
}

TEST(CliGoniogram, SwitchesPlaneAndLocale)
{
    // Fit off: the file's maximum over all planes; plane 3 shows no orthogonal pair.
    const CliRun fixed = Goniogram({ Sample("washer_full_360.ies"), "--no-fit", "--plane", "3", "--ops" });
    ASSERT_EQ(fixed.exitCode, 0);
    EXPECT_NE(fixed.out.find("text 5 5 Maximum Intensity =1297.7\n"), std::string::npos);
    EXPECT_EQ(fixed.out.find("pen 200 128 128 2"), std::string::npos);
    const CliRun ortho = Goniogram({ Sample("washer_full_360.ies"), "--ops" });
    EXPECT_NE(ortho.out.find("pen 200 128 128 2"), std::string::npos);
    const CliRun plain = Goniogram({ Sample("washer_full_360.ies"), "--no-ortho", "--ops" });
    EXPECT_EQ(plain.out.find("pen 200 128 128 2"), std::string::npos);

    // The user's decimal separator reaches the labels.
    const CliRun german = Goniogram({ Sample("uplight_quadrant.ies"), "--ops" }, QStringLiteral("de_DE.UTF-8"));
    const CliRun c = Goniogram({ Sample("uplight_quadrant.ies"), "--ops" });
    EXPECT_NE(c.out.find("Maximum Intensity =874.7\n"), std::string::npos);
    if (german.out.find("=874.7") != std::string::npos)
        GTEST_SKIP() << "no German locale installed";
    EXPECT_NE(german.out.find("Maximum Intensity =874,7\n"), std::string::npos);
}

TEST(CliGoniogram, WritesPngAndSvg)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("g.png")), svg = dir.filePath(QStringLiteral("g.svg"));
    ASSERT_EQ(Goniogram({ Sample("street_bilateral.ies"), "--size", "320x300", "-o", png }).exitCode, 0);
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(320, 300));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(128, 128, 128));
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 200);

    ASSERT_EQ(Goniogram({ Sample("street_bilateral.ies"), "-o", svg }).exitCode, 0);
    const std::string text = ReadAll(svg);
    EXPECT_NE(text.find("viewBox=\"0 0 600 600\""), std::string::npos);
    EXPECT_NE(text.find("Maximum Intensity =4818"), std::string::npos);
    EXPECT_NE(text.find("<polyline"), std::string::npos);
    EXPECT_NE(text.find("stroke=\"#ff0000\""), std::string::npos);
}

TEST(CliGoniogram, Failures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString empty = dir.filePath(QStringLiteral("empty.ies")), png = dir.filePath(QStringLiteral("x.png"));
    QFile(empty).open(QIODevice::WriteOnly);
    const struct {
        QStringList arguments;
        int exitCode;
        std::string err; // the first line of standard error
    } cases[] = {
        { { empty, "--ops", "-o", png }, 3, "gonilux-cli: " + empty.toStdString() + ": the file is empty\n" },
        { { dir.filePath("missing.ies"), "--ops" }, 3,
            "gonilux-cli: " + dir.filePath("missing.ies").toStdString() + ": No such file or directory\n" },
        { { Sample("panel_quadrant.ies"), "--plane", "5", "--ops" }, 2,
            "gonilux-cli: " + Sample("panel_quadrant.ies").toStdString()
                + ": plane 5 is not among the planes 0 to 4\n" },
        { { Sample("panel_quadrant.ies"), "-o", dir.filePath("none/x.png") }, 3,
            "gonilux-cli: cannot write " + dir.filePath("none/x.png").toStdString() + ": No such file or directory\n" },
        { { Sample("panel_quadrant.ies"), "--size", "0x10", "--ops" }, 2,
            "gonilux-cli: goniogram: size must be at least 1x1\n" },
        { { Sample("panel_quadrant.ies"), "-o", dir.filePath("x.bmp") }, 2,
            "gonilux-cli: goniogram: the picture name must end in .svg or .png: " + dir.filePath("x.bmp").toStdString()
                + "\n" },
        { { Sample("panel_quadrant.ies") }, 2, "gonilux-cli: goniogram: give -o OUT.svg|OUT.png, --ops or both\n" },
    };
    for (const auto& c : cases) {
        const CliRun run = Goniogram(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, "") << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), c.err) << c.arguments.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}
