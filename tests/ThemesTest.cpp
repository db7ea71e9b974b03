// Checks the embedded themes and pictures and how window and application themes combine.
#include "Themes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QResource>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

const QStringList AllNames = {
    "Windows11 MineShaft",  "Windows11 Modern Dark", "Windows11 Modern Light",
    "Windows11 Polar Dark", "Windows11 Polar Light", "Windows11 White Smoke",
};

// Relative luminance and contrast ratio as the web accessibility guidelines define them.
double Luminance(const QColor &colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace

class ThemesTest : public QObject
{
    Q_OBJECT

private slots:
    void namesAreTheSixThemes();
    void textIsReadable_data();
    void textIsReadable();
    void themeIsLightOrDark_data();
    void themeIsLightOrDark();
    void disabledTextDiffersFromEnabled_data();
    void disabledTextDiffersFromEnabled();
    void unknownNameThrows();
    void faultyFileIsNamedWithItsFault_data();
    void faultyFileIsNamedWithItsFault();
    void themeFilesAreZlibCompressed();
    void imagesDecode_data();
    void imagesDecode();
    void dialogsKeepApplicationThemeBesideThemedWindow_data();
    void dialogsKeepApplicationThemeBesideThemedWindow();
};

void ThemesTest::namesAreTheSixThemes()
{
    QCOMPARE(Themes::Names(), AllNames);
    QVERIFY(AllNames.contains(Themes::ApplicationTheme));
    QVERIFY(AllNames.contains(Themes::WindowTheme));
}

void ThemesTest::textIsReadable_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QPalette::ColorRole>("text");
    QTest::addColumn<QPalette::ColorRole>("background");

    struct Pair
    {
        const char *Name;
        QPalette::ColorRole Text;
        QPalette::ColorRole Background;
    };
    const Pair pairs[] = {
        {"window text on window", QPalette::WindowText, QPalette::Window},
        {"text on base", QPalette::Text, QPalette::Base},
        {"placeholder on base", QPalette::PlaceholderText, QPalette::Base},
        {"button text on button", QPalette::ButtonText, QPalette::Button},
        {"highlighted text on highlight", QPalette::HighlightedText, QPalette::Highlight},
        {"tooltip text on tooltip", QPalette::ToolTipText, QPalette::ToolTipBase},
    };
    for (const QString &theme : AllNames) {
        for (const Pair &pair : pairs) {
            QTest::addRow("%s: %s", qPrintable(theme), pair.Name)
                << theme << pair.Text << pair.Background;
        }
    }
}

void ThemesTest::textIsReadable()
{
    QFETCH(QString, theme);
    QFETCH(QPalette::ColorRole, text);
    QFETCH(QPalette::ColorRole, background);

    const QPalette palette = Themes::Palette(theme);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const double ratio =
            ContrastRatio(palette.color(group, text), palette.color(group, background));
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("contrast %1").arg(ratio)));
    }
}

void ThemesTest::themeIsLightOrDark_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<bool>("dark");

    QTest::newRow("MineShaft is dark") << "Windows11 MineShaft" << true;
    QTest::newRow("Modern Dark is dark") << "Windows11 Modern Dark" << true;
    QTest::newRow("Modern Light is light") << "Windows11 Modern Light" << false;
    QTest::newRow("Polar Dark is dark") << "Windows11 Polar Dark" << true;
    QTest::newRow("Polar Light is light") << "Windows11 Polar Light" << false;
    QTest::newRow("White Smoke is light") << "Windows11 White Smoke" << false;
}

void ThemesTest::themeIsLightOrDark()
{
    QFETCH(QString, theme);
    QFETCH(bool, dark);

    // A dark theme puts light text on dark ground, on every surface alike.
    const QPalette palette = Themes::Palette(theme);
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> surfaces[] = {
        {QPalette::Window, QPalette::WindowText},
        {QPalette::Base, QPalette::Text},
        {QPalette::Button, QPalette::ButtonText},
    };
    for (const auto &[ground, text] : surfaces) {
        const bool darkGround = Luminance(palette.color(ground)) < Luminance(palette.color(text));
        QVERIFY2(darkGround == dark, qPrintable(QStringLiteral("colour role %1").arg(ground)));
    }
}

void ThemesTest::disabledTextDiffersFromEnabled_data()
{
    QTest::addColumn<QString>("theme");
    for (const QString &theme : AllNames)
        QTest::newRow(qPrintable(theme)) << theme;
}

void ThemesTest::disabledTextDiffersFromEnabled()
{
    QFETCH(QString, theme);

    const QPalette palette = Themes::Palette(theme);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        QVERIFY(palette.color(QPalette::Disabled, role) != palette.color(QPalette::Active, role));
    // Roles the file leaves out for Disabled fall back on the Active colour, not on Qt's default.
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::Window),
             palette.color(QPalette::Active, QPalette::Window));
}

void ThemesTest::unknownNameThrows()
{
    QWidget window;
    const QString unknown = QStringLiteral("Windows11 Nonexistent");
    const auto expectUnknown = [&](auto &&call) {
        try {
            call();
            QFAIL("no exception");
        } catch (const std::runtime_error &error) {
            QCOMPARE(QString::fromUtf8(error.what()), "Unknown theme: " + unknown);
        }
    };
    expectUnknown([&] { Themes::Palette(unknown); });
    expectUnknown([&] { Themes::SetWindowTheme(window, unknown); });
    expectUnknown([&] { Themes::SetApplicationTheme(*qApp, unknown); });
}

void ThemesTest::faultyFileIsNamedWithItsFault_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("fault");

    QTest::newRow("active role missing") << "Base            = #FFFFFF\n"
                                         << ""
                                         << "lacks the Active colours of Base";
    QTest::newRow("two active roles missing")
        << "Light           = #FFFFFF\nMidlight        = #CECECE\n"
        << ""
        << "lacks the Active colours of Light, Midlight";
    QTest::newRow("required disabled role missing") << "Button          = #F5F5F5\n"
                                                    << ""
                                                    << "lacks the Disabled colours of Button";
    QTest::newRow("colour not a colour") << "#F3F3F3"
                                         << "#F3F3G3"
                                         << "gives \"#F3F3G3\" for Window in [Active], which is "
                                            "not a colour";
    QTest::newRow("misspelt role") << "Shadow "
                                   << "Shade  "
                                   << "has an unknown colour role Shade in [Active]";
    QTest::newRow("misspelt section") << "[Disabled]"
                                      << "[Disable]"
                                      << "has an unknown section [Disable]";
    QTest::newRow("no style") << "Style           = Fusion\n"
                              << ""
                              << "gives no Theme/Style";
}

void ThemesTest::faultyFileIsNamedWithItsFault()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, fault);

    QFile carried(QStringLiteral(":/themes/windows11-polar-light.theme"));
    QVERIFY(carried.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(carried.readAll());
    QVERIFY(text.contains(from));
    text.replace(text.indexOf(from), from.size(), to);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("faulty.theme"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();

    try {
        Themes::ReadPalette(path);
        QFAIL("no exception");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromUtf8(error.what()), "Theme file " + path + " " + fault);
    }
}

void ThemesTest::themeFilesAreZlibCompressed()
{
    const QStringList files = QDir(QStringLiteral(":/themes")).entryList(QDir::Files);
    QCOMPARE(files.size(), AllNames.size());
    for (const QString &file : files) {
        const QResource resource(QStringLiteral(":/themes/") + file);
        QVERIFY2(resource.compressionAlgorithm() == QResource::ZlibCompression, qPrintable(file));
    }
}

void ThemesTest::imagesDecode_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");

    QTest::newRow("resistor picture") << ":/resistor.jpg" << QByteArray("jpeg") << QSize(96, 329);
    QTest::newRow("window icon") << ":/Bandix-48.png" << QByteArray("png") << QSize(48, 48);
}

void ThemesTest::imagesDecode()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);

    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void ThemesTest::dialogsKeepApplicationThemeBesideThemedWindow_data()
{
    QTest::addColumn<bool>("windowThemeFirst");

    QTest::newRow("window theme set before the application theme") << true;
    QTest::newRow("application theme set before the window theme") << false;
}

void ThemesTest::dialogsKeepApplicationThemeBesideThemedWindow()
{
    QFETCH(bool, windowThemeFirst);

    const QColor light = Themes::Palette(Themes::WindowTheme).color(QPalette::Window);
    const QColor dark = Themes::Palette(Themes::ApplicationTheme).color(QPalette::Window);
    QWidget window;
    auto *label = new QLabel(QStringLiteral("child"), &window);
    if (windowThemeFirst) {
        Themes::SetWindowTheme(window, Themes::WindowTheme);
        Themes::SetApplicationTheme(*qApp, Themes::ApplicationTheme);
    } else {
        Themes::SetApplicationTheme(*qApp, Themes::ApplicationTheme);
        Themes::SetWindowTheme(window, Themes::WindowTheme);
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Bandix"), QStringLiteral("message"),
                    QMessageBox::Ok, &window);

    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
    QCOMPARE(window.palette().color(QPalette::Window), light);
    QCOMPARE(label->palette().color(QPalette::Window), light);
    QCOMPARE(box.palette().color(QPalette::Window), dark);
}

QTEST_MAIN(ThemesTest)
#include "ThemesTest.moc"
