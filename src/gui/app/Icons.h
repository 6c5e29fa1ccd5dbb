#pragma once

#include <QIcon>
#include <QStyle>

namespace torvane {

// An icon of the desktop's theme, or the style's own picture when the theme has none.
QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback);

// The bar images: the search-mode mark, play and open folder.
QIcon SearchModeIcon();
QIcon PlayIcon();
QIcon OpenFolderIcon();

} // namespace torvane
