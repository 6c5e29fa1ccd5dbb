#include "core/base/DetachedStart.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace torvane {
namespace {

// Only async-signal-safe calls between fork and exec: everything is prepared before.
[[noreturn]] void RunGrandchild(const char* program, char* const* argv, int reportFd) {
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &standard, nullptr);
    ::setsid();
    ::execv(program, argv);
    const int failure = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(reportFd, &failure, sizeof failure);
    ::_exit(127);
}

} // namespace

bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                   std::string& error) {
    std::vector<std::string> texts;
    texts.reserve(arguments.size() + 1);
    texts.push_back(program);
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(texts.size() + 1);
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    // The grandchild writes errno here when exec fails; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::strerror(errno);
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            RunGrandchild(program.c_str(), argv.data(), report[1]);
        if (grandchild < 0) {
            const int failure = errno;
            [[maybe_unused]] const ssize_t ignored = ::write(report[1], &failure, sizeof failure);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int failure = 0;
    ssize_t got;
    do
        got = ::read(report[0], &failure, sizeof failure);
    while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        error = std::strerror(failure);
        return false;
    }
    return true;
}

} // namespace torvane
