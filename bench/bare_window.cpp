// The yardstick for the start-up time: an empty Qt window of the main
// window's size and title, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("MsgBox - Quillon  (Lumo)"));
    window.resize(575, 475);
    window.show();
    return app.exec();
}
