#pragma once

#include <QLabel>

namespace torvane {

// A text that looks and acts like a link: blue, underlined, a hand pointer over it, and a double
// click opens it (a single click does nothing). A target with a scheme opens as it is, anything
// else as a "mailto:" address.
class CLinkStatic final : public QLabel {
    Q_OBJECT
public:
    explicit CLinkStatic(const QString& text, QWidget* parent = nullptr);

    // The address opened: the target when one was set, the control's own text otherwise.
    QUrl LinkUrl() const;
    void SetTarget(const QString& target) { m_Target = target; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_Target;
};

} // namespace torvane
