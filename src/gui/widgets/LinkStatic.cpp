#include "gui/widgets/LinkStatic.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QUrl>

namespace torvane {

CLinkStatic::CLinkStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(colours);
}

QUrl CLinkStatic::LinkUrl() const {
    const QString target = m_Target.isEmpty() ? text() : m_Target;
    // A scheme of two letters or more followed by a colon: "https:", "ftp:", "mailto:".
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target);
    return QUrl(QStringLiteral("mailto:") + target);
}

// Failures of the desktop to open the address are not reported.
void CLinkStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        QDesktopServices::openUrl(LinkUrl());
    event->accept();
}

} // namespace torvane
