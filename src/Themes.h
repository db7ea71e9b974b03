// The named looks the program carries as compressed resources.
#pragma once

#include <QPalette>
#include <QString>
#include <QStringList>

class QApplication;
class QWidget;

namespace Themes {

inline constexpr auto ApplicationTheme = "Windows11 Modern Dark";
inline constexpr auto WindowTheme = "Windows11 Polar Light";

// The names of the themes carried in the resources.
QStringList Names();

// The palette a theme describes; throws std::runtime_error for an unknown name.
QPalette Palette(const QString &name);

// The palette of the theme file at path, read the way the carried themes are; throws
// std::runtime_error naming the file and what is wrong with it.
QPalette ReadPalette(const QString &path);

// Sets the theme's style and palette for the whole application.
void SetApplicationTheme(QApplication &application, const QString &name);

// Gives one window (and its children) the theme in place of the application's.
void SetWindowTheme(QWidget &window, const QString &name);

} // namespace Themes
