// Gonilux: start-up and shut-down of the viewer.
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gonilux"));
    return 0;
}
