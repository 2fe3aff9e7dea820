// Gonilux: start-up and shut-down of the viewer.
#include "CommandLine.h"
#include "Uies.h"
#include "UiesRender.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (const CommandLineRequest request = ReadCommandLine(argc, argv); request.exitCode)
        return *request.exitCode;
    // The toolkit sees only the program's name: its own options are not offered.
    int toolkitArgc = argc > 0 ? 1 : 0;
    QApplication app(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Gonilux"));

    Form1 = new TForm1;
    Form2 = new TForm2; // hidden until the render button shows it
    // Closing the main window ends the program, whether the render window is open or not.
    QObject::connect(Form1, &TForm1::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    Form1->show();
    const int result = app.exec();

    // Reverse order of creation: the render window first (it writes its settings), then the main window.
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
    return result;
}
