#pragma once

#include <QLabel>

namespace torvane {

// A text that looks and acts like a link: underlined, in the link colour (blue where that reads
// on the window), a hand pointer over it, and a double click opens it (a single click does
// nothing). It takes the focus by Tab, and Enter or Space opens it too; a screen reader finds a
// link it can press. A target with a scheme opens as it is, anything else as a "mailto:"
// address.
class CLinkStatic final : public QLabel {
    Q_OBJECT
public:
    explicit CLinkStatic(const QString& text, QWidget* parent = nullptr);

    // The address opened: the target when one was set, the control's own text otherwise.
    QUrl LinkUrl() const;
    void SetTarget(const QString& target) { m_Target = target; }
    // Opens the address; failures of the desktop are not reported.
    void Open();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateColour();

    QString m_Target;
};

} // namespace torvane
