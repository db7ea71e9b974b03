// The window's font: Segoe UI's metrics on every desktop the program runs on.
#pragma once

#include <QFont>

namespace WindowFont {

// Segoe UI at 9 points where it exists (Windows), otherwise the family closest to its metrics.
// Where the system has none of those families, registers the Liberation Sans the program carries
// (Linux builds), so the window's fixed layout holds its texts. Needs a QGuiApplication; throws
// std::runtime_error if the carried font cannot be registered, a fault of the build, which ends
// the program before its window as an unknown theme does.
QFont Font();

// Whether the window's font is the one the program carries rather than one of the system's.
bool UsesCarriedFont();

} // namespace WindowFont
