#include "gui/desktop/QuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace torvane {
namespace {

constexpr std::array QuitSignalNumbers{SIGTERM, SIGINT, SIGHUP};

// The handler may only do what is safe inside a signal: it writes the signal's number into a
// pipe that the event loop watches.
int s_Pipe[2] = {-1, -1};

void OnQuitSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(s_Pipe[1], &byte, 1);
    errno = savedErrno;
}

void SetHandlers(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : QuitSignalNumbers)
        ::sigaction(number, &action, nullptr);
}

void ClosePipe() {
    for (int& fd : s_Pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace

CQuitSignals::CQuitSignals(QObject* parent) : QObject(parent) {
    if (s_Pipe[0] >= 0 || ::pipe2(s_Pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_Notifier = new QSocketNotifier(s_Pipe[0], QSocketNotifier::Read, this);
    connect(m_Notifier, &QSocketNotifier::activated, this, &CQuitSignals::Drain);
    SetHandlers(OnQuitSignal);
}

CQuitSignals::~CQuitSignals() {
    if (!m_Notifier)
        return;
    SetHandlers(SIG_DFL);
    delete m_Notifier;
    ClosePipe();
}

void CQuitSignals::Drain() {
    unsigned char byte = 0;
    int received = 0;
    while (::read(s_Pipe[0], &byte, 1) == 1)
        received = byte;
    if (received == 0)
        return;
    // From now on the next of these signals ends the program the usual way.
    SetHandlers(SIG_DFL);
    emit Received(received);
}

} // namespace torvane
