// Reads the theme files under :/themes once and applies their style and palette.
#include "Themes.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
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

struct GroupName
{
    QPalette::ColorGroup Group;
    QLatin1StringView Name;
};

constexpr std::array<GroupName, 3> Groups = {{
    {QPalette::Active, QLatin1StringView("Active")},
    {QPalette::Inactive, QLatin1StringView("Inactive")},
    {QPalette::Disabled, QLatin1StringView("Disabled")},
}};

struct Theme
{
    QString Style;
    QPalette Palette;
};

using ColourSet = std::map<QPalette::ColorRole, QColor>;

// Reads one theme file. The file is a header of "Name = ..." and "Style = ..." lines, then
// sections such as "[Active Inactive]" or "[Disabled]" of "Role = #rrggbb" lines; "#" starts
// a comment line.
class ThemeFile
{
public:
    explicit ThemeFile(QString path) : m_path(std::move(path)) {}

    std::pair<QString, Theme> Read()
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw std::runtime_error("Cannot read theme file " + m_path.toStdString());
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            m_lineNumber = i + 1;
            ReadLine(lines[i].trimmed());
        }
        return Finish();
    }

private:
    [[noreturn]] void Fail(const QString &problem) const
    {
        throw std::runtime_error(
            QStringLiteral("%1:%2: %3").arg(m_path).arg(m_lineNumber).arg(problem).toStdString());
    }

    [[noreturn]] void FailForFile(const QString &problem) const
    {
        throw std::runtime_error(QStringLiteral("%1: %2").arg(m_path, problem).toStdString());
    }

    void ReadLine(const QString &line)
    {
        if (line.isEmpty() || line.startsWith(u'#'))
            return;
        if (line.startsWith(u'[')) {
            ReadSection(line);
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            Fail(QStringLiteral("expected \"key = value\", found \"%1\"").arg(line));
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (value.isEmpty())
            Fail(QStringLiteral("no value for \"%1\"").arg(key));
        if (m_sections.empty())
            ReadHeader(key, value);
        else
            ReadColour(key, value);
    }

    void ReadHeader(const QString &key, const QString &value)
    {
        QString *field = key == u"Name" ? &m_name : key == u"Style" ? &m_style : nullptr;
        if (field == nullptr)
            Fail(QStringLiteral("unknown setting \"%1\" (expected Name or Style)").arg(key));
        if (!field->isEmpty())
            Fail(QStringLiteral("\"%1\" is given twice").arg(key));
        *field = value;
    }

    void ReadSection(const QString &line)
    {
        if (!line.endsWith(u']'))
            Fail(QStringLiteral("unclosed section header \"%1\"").arg(line));
        const QStringList names = line.mid(1, line.size() - 2).split(u' ', Qt::SkipEmptyParts);
        if (names.isEmpty())
            Fail(QStringLiteral("empty section header"));
        m_sections.clear();
        for (const QString &name : names) {
            const auto *group = std::find_if(Groups.begin(), Groups.end(),
                                             [&](const GroupName &g) { return g.Name == name; });
            if (group == Groups.end())
                Fail(QStringLiteral("unknown colour group \"%1\" (expected Active, Inactive or "
                                    "Disabled)")
                         .arg(name));
            m_sections.push_back(group->Group);
        }
    }

    void ReadColour(const QString &key, const QString &value)
    {
        const auto *role = std::find_if(Roles.begin(), Roles.end(),
                                        [&](const RoleName &r) { return r.Name == key; });
        if (role == Roles.end())
            Fail(QStringLiteral("unknown colour role \"%1\"").arg(key));
        const QColor colour = QColor::fromString(value);
        if (!colour.isValid())
            Fail(QStringLiteral("\"%1\" is not a colour").arg(value));
        for (const QPalette::ColorGroup group : m_sections) {
            if (!m_colours[group].emplace(role->Role, colour).second)
                Fail(QStringLiteral("\"%1\" is given twice for this colour group").arg(key));
        }
    }

    QStringList Missing(QPalette::ColorGroup group, auto &&requiredRoles) const
    {
        const auto found = m_colours.find(group);
        QStringList missing;
        for (const QPalette::ColorRole role : requiredRoles) {
            if (found == m_colours.end() || !found->second.contains(role)) {
                const auto *entry = std::find_if(Roles.begin(), Roles.end(),
                                                 [&](const RoleName &r) { return r.Role == role; });
                missing.append(entry->Name);
            }
        }
        return missing;
    }

    std::pair<QString, Theme> Finish() const
    {
        if (m_name.isEmpty())
            FailForFile(QStringLiteral("no \"Name = ...\" line"));
        if (m_style.isEmpty())
            FailForFile(QStringLiteral("no \"Style = ...\" line"));

        std::vector<QPalette::ColorRole> allRoles;
        allRoles.reserve(Roles.size());
        for (const RoleName &role : Roles)
            allRoles.push_back(role.Role);
        for (const auto &[group, groupName] : {Groups[0], Groups[1]}) {
            const QStringList missing = Missing(group, allRoles);
            if (!missing.isEmpty())
                FailForFile(QStringLiteral("the %1 colours lack %2")
                                .arg(groupName, missing.join(QStringLiteral(", "))));
        }
        const QStringList missingDisabled = Missing(QPalette::Disabled, RequiredDisabledRoles);
        if (!missingDisabled.isEmpty())
            FailForFile(QStringLiteral("the Disabled colours lack %1")
                            .arg(missingDisabled.join(QStringLiteral(", "))));

        QPalette palette;
        for (const RoleName &role : Roles) {
            for (const GroupName &group : Groups) {
                const ColourSet &given = m_colours.at(group.Group);
                const auto colour = given.find(role.Role);
                palette.setColor(group.Group, role.Role,
                                 colour != given.end()
                                     ? colour->second
                                     : m_colours.at(QPalette::Active).at(role.Role));
            }
        }
        return {m_name, Theme{m_style, palette}};
    }

    QString m_path;
    int m_lineNumber = 0;
    QString m_name;
    QString m_style;
    std::vector<QPalette::ColorGroup> m_sections;
    std::map<QPalette::ColorGroup, ColourSet> m_colours;
};

std::map<QString, Theme> ReadAll()
{
    std::map<QString, Theme> themes;
    const QStringList files =
        QDir(ThemeFolder).entryList({QStringLiteral("*.theme")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString path = ThemeFolder + u'/' + file;
        auto [name, theme] = ThemeFile(path).Read();
        if (!themes.emplace(name, std::move(theme)).second)
            throw std::runtime_error("Theme file " + path.toStdString() +
                                     " repeats the theme name " + name.toStdString());
    }
    if (themes.empty())
        throw std::runtime_error("No theme files in the resources under " +
                                 ThemeFolder.toStdString());
    return themes;
}

// The themes are read on first use and kept, so no file is parsed twice.
const std::map<QString, Theme> &AllThemes()
{
    static const std::map<QString, Theme> themes = ReadAll();
    return themes;
}

const Theme &Find(const QString &name)
{
    const auto &themes = AllThemes();
    const auto found = themes.find(name);
    if (found == themes.end())
        throw std::runtime_error("Unknown theme: " + name.toStdString());
    return found->second;
}

} // namespace

QStringList Names()
{
    QStringList names;
    for (const auto &entry : AllThemes())
        names.append(entry.first);
    return names;
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
