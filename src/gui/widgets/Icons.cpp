#include "gui/widgets/Icons.h"

#include <QApplication>

namespace torvane {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
    return themed.isNull() ? QApplication::style()->standardIcon(fallback) : themed;
}

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/torvane.svg"));
}

QIcon SearchModeIcon() {
    return ThemeIcon("edit-find", QStyle::SP_FileDialogContentsView);
}

} // namespace torvane
