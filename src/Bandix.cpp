// Bandix: reads the colour code of a resistor.
#include "Main.h"
#include "Themes.h"

#include <QApplication>
#include <QIcon>

int main(int, char *argv[])
{
    // The program takes no arguments, not even the toolkit's own options.
    int argumentCount = 1;
    char *arguments[] = {argv[0], nullptr};
    QApplication application(argumentCount, arguments);
    application.setWindowIcon(QIcon(QStringLiteral(":/Bandix-48.png")));
    Themes::SetApplicationTheme(application, Themes::ApplicationTheme);

    TForm1 Form1;
    Form1.show();
    return application.exec();
}
