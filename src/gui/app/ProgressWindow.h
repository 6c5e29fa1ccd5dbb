#pragma once

#include "core/doc/Progress.h"

#include <QBasicTimer>
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace torvane {

// The window of a long operation ("処理中"): bar, percentage, elapsed seconds and a cancel
// button. While it is up the owner window is disabled; the operation keeps the screen alive
// through the event processing of SetPos and IsCancelled. The cancel button and the close box
// only set the cancel flag: the operation closes the window.
class CProgressWindow final : public QDialog, public CProgress {
    Q_OBJECT
public:
    explicit CProgressWindow(QWidget* owner);
    ~CProgressWindow() override;

    // Disables the owner (when it is enabled) and shows the window.
    void Open();
    // Stops the clock, enables the owner again when Open disabled it, and hides the window.
    void Close() override;

    QString PercentLabel() const;
    QString ElapsedLabel() const;
    QPushButton* CancelButton() const { return m_CancelButton; }

protected:
    void PumpEvents() override;
    void ShowPosition(int position, const std::string& percentText) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void timerEvent(QTimerEvent* event) override;

private:
    QWidget* m_Owner;
    bool m_OwnerDisabled = false;
    QBasicTimer m_Clock;
    int m_ElapsedSeconds = 0;
    QLabel* m_Percent;
    QProgressBar* m_Bar;
    QPushButton* m_CancelButton;
    QLabel* m_Elapsed;
};

} // namespace torvane
