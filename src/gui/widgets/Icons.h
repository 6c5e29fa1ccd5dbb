#pragma once

#include <QIcon>
#include <QStyle>

namespace torvane {

// An icon of the desktop's theme, or the style's own picture when the theme has none.
QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback);

// The program's own icon.
QIcon ProgramIcon();

// The search-mode mark of the status bar.
QIcon SearchModeIcon();

} // namespace torvane
