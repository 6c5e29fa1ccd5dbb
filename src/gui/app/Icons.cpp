#include "Icons.h"

#include <QApplication>

namespace torvane {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
    return themed.isNull() ? QApplication::style()->standardIcon(fallback) : themed;
}

QIcon SearchModeIcon() {
    return ThemeIcon("edit-find", QStyle::SP_FileDialogContentsView);
}

QIcon PlayIcon() {
    return ThemeIcon("media-playback-start", QStyle::SP_MediaPlay);
}

QIcon OpenFolderIcon() {
    return ThemeIcon("folder-open", QStyle::SP_DirOpenIcon);
}

} // namespace torvane
