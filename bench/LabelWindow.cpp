// The second yardstick for start-up figures: the bare window holding one line of text, so the
// figures also show what the font system's first start costs any window that shows text.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Label Window"));
    window.resize(442, 441);
    auto *label = new QLabel(QStringLiteral("4,7 Kilo Ohm"), &window);
    label->move(8, 400);
    window.show();
    return application.exec();
}
