#include "gui/app/DropWindow.h"

#include "gui/view/ListModel.h"
#include "gui/widgets/Icons.h"

#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QVBoxLayout>

namespace torvane {

CDropWindow::CDropWindow(QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("DropWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("ドロップダイアログ"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    auto* picture = new QLabel;
    picture->setPixmap(ProgramIcon().pixmap(32, 32));
    picture->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(picture);
    setFixedSize(44, 48);
    move(0, 0);
}

void CDropWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        close();
        break;
    default:
        QFrame::keyPressEvent(event);
    }
}

void CDropWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_GrabOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QFrame::mousePressEvent(event);
}

void CDropWindow::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_GrabOffset);
    QFrame::mouseMoveEvent(event);
}

// Rows dragged out of the list are already in it.
void CDropWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !IsOwnRowsDrag(*event->mimeData()))
        event->acceptProposedAction();
}

void CDropWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    emit filesDropped(*event->mimeData());
}

} // namespace torvane
