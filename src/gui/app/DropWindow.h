#pragma once

#include <QFrame>
#include <QPoint>

class QMimeData;

namespace torvane {

// The small always-on-top window without a caption that takes dropped files and folders. It
// starts at the screen's top-left corner, moves when dragged anywhere on it, and closes (and is
// deleted) on Enter or Esc.
class CDropWindow final : public QFrame {
    Q_OBJECT
public:
    explicit CDropWindow(QWidget* parent);

signals:
    void filesDropped(const QMimeData& data);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPoint m_GrabOffset; // from the window's corner to the pointer, while dragged
};

} // namespace torvane
