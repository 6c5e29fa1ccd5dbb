#include "gui/widgets/LinkStatic.h"

#include "gui/widgets/Contrast.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionFocusRect>
#include <QUrl>

namespace torvane {
namespace {

// What a screen reader sees of a link text: a link named by its text that it can press.
class CLinkAccessible final : public QAccessibleWidget {
public:
    explicit CLinkAccessible(CLinkStatic* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        const auto* link = static_cast<const CLinkStatic*>(widget());
        switch (kind) {
        case QAccessible::Name:
            return link->accessibleName().isEmpty() ? link->text() : link->accessibleName();
        case QAccessible::Value:
            return link->LinkUrl().toString();
        default:
            return QAccessibleWidget::text(kind);
        }
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<CLinkStatic*>(widget())->Open();
    }
};

QAccessibleInterface* LinkAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(CLinkStatic::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new CLinkAccessible(static_cast<CLinkStatic*>(object));
    return nullptr;
}

} // namespace

CLinkStatic::CLinkStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(LinkAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // Room for the focus frame around the text.
    setContentsMargins(2, 1, 2, 1);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    UpdateColour();
}

// Pure blue where it reads on the window's colour; a dark window gets a lighter blue.
void CLinkStatic::UpdateColour() {
    QPalette colours = palette();
    const QColor readable =
        ReadableOn(QColor(0, 0, 255), colours.color(QPalette::Active, QPalette::Window));
    if (colours.isBrushSet(QPalette::Active, QPalette::WindowText) &&
        colours.color(QPalette::WindowText) == readable)
        return; // already so: setting it again would only come back here
    colours.setColor(QPalette::WindowText, readable);
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

void CLinkStatic::Open() {
    QDesktopServices::openUrl(LinkUrl());
}

void CLinkStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Open();
    event->accept();
}

void CLinkStatic::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            Open();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void CLinkStatic::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.backgroundColor = palette().color(QPalette::Window);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void CLinkStatic::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    // The colour follows the palette of the desktop or of the dialog.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        UpdateColour();
}

} // namespace torvane
