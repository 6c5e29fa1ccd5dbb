#include "gui/widgets/IconList.h"

#include <QPainter>
#include <QPixmap>

namespace torvane {

CIconList::CIconList() {
    m_Icons.push_back(DefaultItemIcon());
}

void CIconList::Put(int slot, const QIcon& icon) {
    if (slot < 0)
        return;
    if (static_cast<size_t>(slot) >= m_Icons.size())
        m_Icons.resize(static_cast<size_t>(slot) + 1);
    m_Icons[static_cast<size_t>(slot)] = icon;
}

const QIcon& CIconList::At(int index) const {
    static const QIcon none;
    if (index < 0 || static_cast<size_t>(index) >= m_Icons.size())
        return none;
    return m_Icons[static_cast<size_t>(index)];
}

QIcon DefaultItemIcon() {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawEllipse(QRectF(1.5, 8.5, 5, 4));
    painter.drawRect(QRectF(5.5, 1.5, 1.2, 9));
    painter.drawRect(QRectF(5.5, 1.5, 6, 2));
    painter.drawEllipse(QRectF(7.5, 6.5, 5, 4));
    painter.drawRect(QRectF(11.3, 1.5, 1.2, 7));
    painter.end();
    return QIcon(pixmap);
}

} // namespace torvane
