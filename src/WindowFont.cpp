// The window's font, with the carried Liberation Sans where the system lacks the wanted families.
#include "WindowFont.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <stdexcept>

namespace {

// Before the generic sans, whose usual stand-in (DejaVu Sans) is much wider and runs the result
// line past the window's edge. Liberation Sans and Arial share their metrics.
const QStringList WindowFontFamilies = {QStringLiteral("Segoe UI"),
                                        QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                        QStringLiteral("Helvetica")};

// The fonts the program carries; the folder exists only in the builds that carry one.
const QString CarriedFontFolder = QStringLiteral(":/fonts");

QFont FontOfFamilies()
{
    QFont font;
    font.setFamilies(WindowFontFamilies);
    font.setPointSize(9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Qt's own matching decides, so a family fontconfig only aliases to another counts as missing.
bool SystemHasAWindowFamily()
{
    return WindowFontFamilies.contains(QFontInfo(FontOfFamilies()).family(), Qt::CaseInsensitive);
}

bool RegisterCarriedFonts()
{
    const QDir folder(CarriedFontFolder);
    bool registered = false;
    for (const QString &name : folder.entryList(QDir::Files)) {
        if (QFontDatabase::addApplicationFont(folder.filePath(name)) < 0)
            throw std::runtime_error("Unable to load the carried font " + name.toStdString());
        registered = true;
    }
    return registered;
}

// Registered once, the first time the font is asked for: the system's fonts do not change
// while the program runs.
bool CarriedFontRegistered()
{
    static const bool registered = !SystemHasAWindowFamily() && RegisterCarriedFonts();
    return registered;
}

} // namespace

namespace WindowFont {

QFont Font()
{
    CarriedFontRegistered();
    return FontOfFamilies();
}

bool UsesCarriedFont()
{
    return CarriedFontRegistered();
}

} // namespace WindowFont
