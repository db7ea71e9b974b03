// The yardstick for start-up figures: a Qt window of the program's size with nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.resize(442, 441);
    window.show();
    return application.exec();
}
