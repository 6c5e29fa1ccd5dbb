#pragma once

#include "core/base/Progress.h"

#include <QBasicTimer>
#include <QDialog>
#include <QPointer>

#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace torvane {

// The window of a long operation ("処理中"): bar, percentage, elapsed seconds and a cancel
// button. From Open to Close the owner window is disabled. The window itself appears once the
// operation has run for ShowDelay, so that the many operations that end sooner do not flash a
// window. The operation keeps the screen alive through the event processing of SetPos and
// IsCancelled, which happens when the shown percentage changes or PumpInterval has passed since
// the last time, so that an operation asking once per record runs at the speed of its work
// rather than of the event loop. The cancel button and the close box only set the cancel flag:
// the operation closes the window.
class CProgressWindow final : public QDialog, public CProgress {
    Q_OBJECT
public:
    // Short enough that the bar, the seconds and the cancel button answer without a felt delay.
    static constexpr qint64 PumpInterval = 20; // ms
    static constexpr qint64 ShowDelay = 200;   // ms

    explicit CProgressWindow(QWidget* owner);
    ~CProgressWindow() override;

    // Disables the owner (when it is enabled) and starts the clock; the window shows at the first
    // event processing after ShowDelay.
    void Open();
    // Stops the clock, enables the owner again when Open disabled it, hides the window and gives
    // the focus back to the control that had it at Open.
    void Close() override;

    QString PercentLabel() const;
    QString ElapsedLabel() const;
    QPushButton* CancelButton() const { return m_CancelButton; }

protected:
    void PumpEvents(bool percentChanged) override;
    void ShowPosition(int position, const std::string& percentText) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void timerEvent(QTimerEvent* event) override;

private:
    void ShowWindow();

    void RestoreFocus(bool wasActive);

    QWidget* m_Owner;
    bool m_OwnerDisabled = false;
    // Disabling the owner takes the focus from its controls: it goes back when the owner is
    // enabled again, unless that control has gone meanwhile.
    QPointer<QWidget> m_FocusBefore;
    QBasicTimer m_Clock;
    int m_ElapsedSeconds = 0;
    qint64 m_OpenedAt = -1; // ms of the coarse clock, -1 while not open
    qint64 m_PumpedAt = -1; // -1 before the first pump
    std::string m_ShownPercent = " 0 %";
    QLabel* m_Percent;
    QProgressBar* m_Bar;
    QPushButton* m_CancelButton;
    QLabel* m_Elapsed;
};

} // namespace torvane
