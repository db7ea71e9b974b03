// Reads the theme files under :/themes, each when first asked for, and applies them.
#include "Themes.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace Themes {

namespace {

const QString ThemeFolder = QStringLiteral(":/themes");

struct RoleName
{
    QPalette::ColorRole Role;
    QLatin1StringView Name;
};

// Every role a theme must colour for the Active and Inactive groups.
constexpr std::array<RoleName, 20> Roles = {{
    {QPalette::Window, QLatin1StringView("Window")},
    {QPalette::WindowText, QLatin1StringView("WindowText")},
    {QPalette::Base, QLatin1StringView("Base")},
    {QPalette::AlternateBase, QLatin1StringView("AlternateBase")},
    {QPalette::ToolTipBase, QLatin1StringView("ToolTipBase")},
    {QPalette::ToolTipText, QLatin1StringView("ToolTipText")},
    {QPalette::PlaceholderText, QLatin1StringView("PlaceholderText")},
    {QPalette::Text, QLatin1StringView("Text")},
    {QPalette::Button, QLatin1StringView("Button")},
    {QPalette::ButtonText, QLatin1StringView("ButtonText")},
    {QPalette::BrightText, QLatin1StringView("BrightText")},
    {QPalette::Light, QLatin1StringView("Light")},
    {QPalette::Midlight, QLatin1StringView("Midlight")},
    {QPalette::Mid, QLatin1StringView("Mid")},
    {QPalette::Dark, QLatin1StringView("Dark")},
    {QPalette::Shadow, QLatin1StringView("Shadow")},
    {QPalette::Highlight, QLatin1StringView("Highlight")},
    {QPalette::HighlightedText, QLatin1StringView("HighlightedText")},
    {QPalette::Link, QLatin1StringView("Link")},
    {QPalette::LinkVisited, QLatin1StringView("LinkVisited")},
}};

// The disabled colours a theme must give itself; the rest default to the Active ones.
constexpr std::array RequiredDisabledRoles = {
    QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Base, QPalette::Button};

struct Theme
{
    QString Name;
    QString Style;
    QPalette Palette;
};

// A theme file is a settings file: [Theme] names it and its widget style, [Active] colours every
// role (a window without the focus looks the same, so Inactive takes them too) and [Disabled]
// the roles greyed out; the other Disabled roles keep their Active colours.
class ThemeFile
{
public:
    explicit ThemeFile(QString path)
        : m_path(std::move(path)), m_settings(m_path, QSettings::IniFormat)
    {
    }

    Theme Read()
    {
        if (m_settings.status() != QSettings::NoError)
            Fail(QStringLiteral("is not a settings file"));
        const QStringList sections = m_settings.childGroups();
        for (const QString &section : sections) {
            if (section != u"Theme" && section != u"Active" && section != u"Disabled")
                Fail(QStringLiteral("has an unknown section [%1]").arg(section));
        }
        Theme theme{Setting(u"Theme/Name"), Setting(u"Theme/Style"), {}};
        const std::map<QPalette::ColorRole, QColor> active = Colours(QStringLiteral("Active"));
        const std::map<QPalette::ColorRole, QColor> disabled = Colours(QStringLiteral("Disabled"));
        RequireRoles(u"Active", active, AllRoles());
        RequireRoles(u"Disabled", disabled, RequiredDisabledRoles);
        for (const auto &[role, colour] : active) {
            theme.Palette.setColor(QPalette::Active, role, colour);
            theme.Palette.setColor(QPalette::Inactive, role, colour);
            const auto greyed = disabled.find(role);
            theme.Palette.setColor(QPalette::Disabled, role,
                                   greyed != disabled.end() ? greyed->second : colour);
        }
        return theme;
    }

private:
    [[noreturn]] void Fail(const QString &problem) const
    {
        throw std::runtime_error(
            QStringLiteral("Theme file %1 %2").arg(m_path, problem).toStdString());
    }

    QString Setting(QStringView key) const
    {
        QString value = m_settings.value(key).toString();
        if (value.isEmpty())
            Fail(QStringLiteral("gives no %1").arg(key));
        return value;
    }

    static std::vector<QPalette::ColorRole> AllRoles()
    {
        std::vector<QPalette::ColorRole> roles;
        roles.reserve(Roles.size());
        for (const RoleName &role : Roles)
            roles.push_back(role.Role);
        return roles;
    }

    std::map<QPalette::ColorRole, QColor> Colours(const QString &section)
    {
        std::map<QPalette::ColorRole, QColor> colours;
        m_settings.beginGroup(section);
        const QStringList keys = m_settings.childKeys();
        for (const QString &key : keys) {
            const auto *role = std::find_if(Roles.begin(), Roles.end(),
                                            [&](const RoleName &r) { return r.Name == key; });
            if (role == Roles.end())
                Fail(QStringLiteral("has an unknown colour role %1 in [%2]").arg(key, section));
            const QString value = m_settings.value(key).toString();
            const QColor colour = QColor::fromString(value);
            if (!colour.isValid())
                Fail(QStringLiteral("gives \"%1\" for %2 in [%3], which is not a colour")
                         .arg(value, key, section));
            colours.emplace(role->Role, colour);
        }
        m_settings.endGroup();
        return colours;
    }

    void RequireRoles(QStringView section, const std::map<QPalette::ColorRole, QColor> &colours,
                      auto &&requiredRoles) const
    {
        QStringList missing;
        for (const QPalette::ColorRole role : requiredRoles) {
            if (!colours.contains(role)) {
                const auto *entry = std::find_if(Roles.begin(), Roles.end(),
                                                 [&](const RoleName &r) { return r.Role == role; });
                missing.append(entry->Name);
            }
        }
        if (!missing.isEmpty())
            Fail(QStringLiteral("lacks the %1 colours of %2")
                     .arg(section, missing.join(QStringLiteral(", "))));
    }

    QString m_path;
    QSettings m_settings;
};

// Each file is read on first use and kept, so start-up reads only the two themes it sets.
const Theme &Load(const QString &path)
{
    static std::map<QString, Theme> themes;
    auto found = themes.find(path);
    if (found == themes.end())
        found = themes.emplace(path, ThemeFile(path).Read()).first;
    return found->second;
}

// "Windows11 Polar Light" is kept in windows11-polar-light.theme.
const Theme &Find(const QString &name)
{
    const QString path =
        ThemeFolder + u'/' + name.toLower().replace(u' ', u'-') + QStringLiteral(".theme");
    if (!QFile::exists(path) || Load(path).Name != name)
        throw std::runtime_error("Unknown theme: " + name.toStdString());
    return Load(path);
}

} // namespace

QStringList Names()
{
    QStringList names;
    const QStringList files = QDir(ThemeFolder).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files)
        names.append(Load(ThemeFolder + u'/' + file).Name);
    names.sort();
    return names;
}

QPalette ReadPalette(const QString &path)
{
    return ThemeFile(path).Read().Palette;
}

QPalette Palette(const QString &name)
{
    return Find(name).Palette;
}

void SetApplicationTheme(QApplication &application, const QString &name)
{
    const Theme &theme = Find(name);
    // Changing the style re-polishes every widget, so keep the one already in use.
    if (application.style()->name().compare(theme.Style, Qt::CaseInsensitive) != 0 &&
        QApplication::setStyle(theme.Style) == nullptr)
        throw std::runtime_error("Theme " + name.toStdString() + " needs the widget style " +
                                 theme.Style.toStdString() + ", which this Qt does not have");
    application.setPalette(theme.Palette);
}

void SetWindowTheme(QWidget &window, const QString &name)
{
    window.setPalette(Find(name).Palette);
}

} // namespace Themes
