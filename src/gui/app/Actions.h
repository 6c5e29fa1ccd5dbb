#pragma once

#include "gui/app/CommandTable.h"

#include <array>

class QAction;
class QObject;

namespace torvane {

// One QAction per command, made from the command table: caption, status prompt, tooltip, key,
// check or radio mark, and the bar icon where the command has a bar button.
class CActions {
public:
    explicit CActions(QObject* owner);

    QAction* operator[](Cmd id) const { return m_Actions[static_cast<size_t>(id)]; }
    const std::array<QAction*, static_cast<size_t>(Cmd::Count)>& All() const { return m_Actions; }

private:
    std::array<QAction*, static_cast<size_t>(Cmd::Count)> m_Actions{};
};

} // namespace torvane
