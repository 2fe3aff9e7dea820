#include "CommandLine.h"

#include "GoniluxVersion.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <cstdio>

namespace {

const char* const Description = "Gonilux shows IES photometric files: the header, the goniogram of each vertical "
                                "plane and a rendered picture of the light.";

} // namespace

CommandLineRequest ReadCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        QStringList { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(
        QStringList { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE | FOLDER"),
        QStringLiteral("An .ies or .ldt file to select and show, or a folder to start in."));

    CommandLineRequest request;
    if (!parser.parse(arguments)) {
        err << "gonilux: " << parser.errorText() << "\nTry 'gonilux --help'.\n";
        request.exitCode = 2;
    } else if (parser.isSet(help)) {
        // The first line names the program as installed rather than the path it was started by.
        QString text = parser.helpText();
        const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
        text.replace(0, firstLineEnd, QStringLiteral("Usage: gonilux [options] [FILE | FOLDER]"));
        out << text;
        request.exitCode = 0;
    } else if (parser.isSet(version)) {
        out << "gonilux " << GONILUX_VERSION << '\n';
        request.exitCode = 0;
    } else {
        request.paths = parser.positionalArguments();
    }
    out.flush();
    err.flush();
    return request;
}

CommandLineRequest ReadCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.isEmpty())
        arguments << QStringLiteral("gonilux");
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ReadCommandLine(arguments, out, err);
}
