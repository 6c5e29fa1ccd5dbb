#pragma once

#include "gui/desktop/QtUiHost.h"

namespace torvane {

// The desktop host with its progress windows; message boxes are answered without a window, so
// a run never waits for a click.
class CUnattendedQtHost final : public CQtUiHost {
public:
    MessageAnswer ShowMessage(MessageKind, const CMessage&, MessageButtons) override {
        return MessageAnswer::Ok;
    }
};

} // namespace torvane
