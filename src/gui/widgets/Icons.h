#pragma once

#include <QIcon>
#include <QStyle>

namespace torvane {

// An icon of the desktop's theme, or the style's own picture when the theme has none.
QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback);

// The icon with a picture for its disabled state that is unmistakably fainter and grey, made
// from its own pictures with the palette's disabled text colour: theme pictures that are grey
// already would otherwise look the same whether their command is available or not.
QIcon WithDisabledLook(const QIcon& icon);

// The program's own icon.
QIcon ProgramIcon();

// The search-mode mark of the status bar.
QIcon SearchModeIcon();

} // namespace torvane
