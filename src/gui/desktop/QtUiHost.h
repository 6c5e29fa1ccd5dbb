#pragma once

#include "core/doc/UiHost.h"
#include "gui/widgets/IconList.h"

class QWidget;

namespace torvane {

// The desktop side of the document: message boxes in the interface language, the beep, the wait
// cursor, file-type icons from the icon theme, and progress windows over the main window.
class CQtUiHost : public CUiHost {
public:
    CQtUiHost() = default;

    // The window that owns message boxes and is disabled under progress windows.
    void SetMainWindow(QWidget* window) { m_MainWindow = window; }
    QWidget* MainWindow() const { return m_MainWindow; }
    CIconList& Icons() { return m_Icons; }

    MessageAnswer ShowMessage(MessageKind kind, const CMessage& message,
                              MessageButtons buttons) override;
    void Beep() override;
    void SetWaitCursor(bool on) override;
    bool LoadTypeIcon(const std::string& ext, int slot) override;
    std::unique_ptr<CProgress> OpenProgress() override;
    // The window's thread never waits on storage.
    bool KeepsStorageOffThread() const override { return true; }

    // When the desktop session ends: the running operations are cancelled at their next question
    // and their windows hidden (a shown one would hold the program up), every operation that
    // starts later is cancelled at once, so that the event loop can end, and messages go to
    // standard error with the cautious answer instead of into a box.
    void AbandonOperations();

private:
    QWidget* m_MainWindow = nullptr;
    CIconList m_Icons;
    int m_WaitDepth = 0;
    bool m_Abandoned = false;
};

} // namespace torvane
