#include "gui/app/KeyRouter.h"

#include "gui/app/Commands.h"
#include "gui/app/MainFrame.h"
#include "gui/bars/Bars.h"
#include "gui/view/TorvaneView.h"

#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolBar>

namespace torvane {

CKeyRouter::CKeyRouter(CMainFrame& frame) : QObject(&frame), m_Frame(frame) {}

// The frame's own widgets: its children and those of its floating bars, which are windows of
// their own. Dialogs, menus and the drop window are windows parented to the frame too, but keys
// typed there belong to them.
bool CKeyRouter::BelongsToFrame(const QWidget* widget) const {
    for (; widget; widget = widget->parentWidget()) {
        if (widget == &m_Frame)
            return true;
        const bool isBar = qobject_cast<const QToolBar*>(widget) != nullptr ||
                           qobject_cast<const QDockWidget*>(widget) != nullptr;
        if (widget->isWindow() && !isBar)
            return false;
    }
    return false;
}

bool CKeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto* widget = qobject_cast<QWidget*>(watched);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !BelongsToFrame(widget))
        return false;
    const bool inSearchField = widget == m_Frame.SearchBar().TextField();
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (inSearchField) {
            m_Frame.Commands().Run(Cmd::SearchNew);
            return true;
        }
        if (widget == &m_Frame.View())
            m_Frame.Commands().Run(Cmd::Play);
        return false;
    case Qt::Key_Delete:
        if (inSearchField)
            return false;
        m_Frame.Commands().Run(Cmd::RemoveSelected);
        return true;
    default:
        return false;
    }
}

} // namespace torvane
