#pragma once

#include <QObject>

class QSocketNotifier;

namespace torvane {

// SIGTERM, SIGINT and SIGHUP (a logout, a service manager's stop, Ctrl+C in a terminal) reach
// the event loop as Received() instead of ending the process on the spot, so the program can
// keep its settings and lists first. A second signal of these ends the process at once, so
// a program stuck on its way out can still be stopped. One object at a time.
class CQuitSignals final : public QObject {
    Q_OBJECT
public:
    explicit CQuitSignals(QObject* parent = nullptr);
    ~CQuitSignals() override;
    CQuitSignals(const CQuitSignals&) = delete;
    CQuitSignals& operator=(const CQuitSignals&) = delete;

    // False when the handlers could not be installed; the signals then end the program as usual.
    bool Installed() const { return m_Notifier != nullptr; }

signals:
    void Received(int signalNumber);

private:
    void Drain();

    QSocketNotifier* m_Notifier = nullptr;
};

} // namespace torvane
