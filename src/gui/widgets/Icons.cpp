#include "gui/widgets/Icons.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>

namespace torvane {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
    return themed.isNull() ? QApplication::style()->standardIcon(fallback) : themed;
}

QIcon WithDisabledLook(const QIcon& icon) {
    if (icon.isNull())
        return icon;
    const QColor tint = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    QIcon result;
    for (const int side : {16, 22, 24, 32, 48}) {
        const QPixmap normal = icon.pixmap(QSize(side, side));
        if (normal.isNull())
            continue;
        result.addPixmap(normal, QIcon::Normal);
        // the picture's shape at a third of its opacity, half its own grey, half the tint
        QImage faded = normal.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < faded.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(faded.scanLine(y));
            for (int x = 0; x < faded.width(); ++x) {
                const int grey = qGray(line[x]);
                line[x] = qRgba((grey + tint.red()) / 2, (grey + tint.green()) / 2,
                                (grey + tint.blue()) / 2, qAlpha(line[x]) / 3);
            }
        }
        result.addPixmap(QPixmap::fromImage(faded), QIcon::Disabled);
    }
    return result.isNull() ? icon : result;
}

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/torvane.svg"));
}

QIcon SearchModeIcon() {
    return ThemeIcon("edit-find", QStyle::SP_FileDialogContentsView);
}

} // namespace torvane
