#pragma once

#include "gui/app/Commands.h"
#include "gui/app/MainFrame.h"

#include <QApplication>
#include <QTimer>

#include <functional>

namespace torvane::test {

// Runs a command whose dialog is modal: once a dialog of type T is up, act works on it through
// its widgets; a dialog act leaves open is then cancelled. Answers whether the dialog came up.
template <typename T>
bool WithDialog(CMainFrame& frame, Cmd command, const std::function<void(T&)>& act) {
    bool shown = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer.start(0);
    frame.Commands().Run(command);
    return shown;
}

} // namespace torvane::test
