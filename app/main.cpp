// Gonilux: start-up and shut-down of the viewer.
#include "CommandLine.h"
#include "Uies.h"
#include "Viewer.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const CommandLineRequest request = ReadCommandLine(argc, argv);
    if (request.exitCode)
        return *request.exitCode;
    // The toolkit sees only the program's name: its own options are not offered.
    int toolkitArgc = argc > 0 ? 1 : 0;
    QApplication app(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Gonilux"));

    Viewer viewer;
    viewer.OpenAtStart(request.paths);
    // Closing the main window ends the program, whether the render window is open or not.
    QObject::connect(&viewer.MainWindow(), &TForm1::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    viewer.MainWindow().show();
    return app.exec();
}
