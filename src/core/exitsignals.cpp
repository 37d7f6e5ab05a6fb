#include "core/exitsignals.h"

#include <QSocketNotifier>

#include <csignal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#else
#include <QMetaObject>
#include <QPointer>

#include <atomic>
#include <utility>
#include <windows.h>
#endif

namespace vorelian {

#ifdef Q_OS_UNIX

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe. A signal handler receives nothing but the signal's number, so the one
// place it can find the pipe is here; only one ExitSignals sets it at a time.
volatile sig_atomic_t g_writeFd = -1;

extern "C" void OnExitSignal(int sig) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(sig);
    if (g_writeFd >= 0)
        (void)!::write(g_writeFd, &byte, 1);
    errno = saved;
}

} // namespace

ExitSignals::ExitSignals() {
    if (g_writeFd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0)
        return;
    // A full pipe must never block the handler; the signals already waiting are enough to exit.
    ::fcntl(fds_[1], F_SETFL, ::fcntl(fds_[1], F_GETFL) | O_NONBLOCK);
    g_writeFd = fds_[1];
    struct sigaction sa = {};
    sa.sa_handler = OnExitSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : kSignals)
        ::sigaction(sig, &sa, nullptr);
    installed_ = true;
}

ExitSignals::~ExitSignals() {
    notifier_.reset();
    if (installed_) {
        for (int sig : kSignals)
            std::signal(sig, SIG_DFL);
        g_writeFd = -1;
    }
    for (int fd : fds_)
        if (fd >= 0)
            ::close(fd);
}

void ExitSignals::Listen(std::function<void(int)> onSignal) {
    onSignal_ = std::move(onSignal);
    if (!installed_ || notifier_)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fds_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Read(); });
}

void ExitSignals::Read() {
    unsigned char byte = 0;
    if (::read(fds_[0], &byte, 1) != 1)
        return;
    if (onSignal_)
        onSignal_(byte);
}

#else

// Windows has no such signals for a console: Ctrl+C, Ctrl+Break, a closed console window, a logoff and
// a shutdown reach a console control handler instead, on a thread of their own. The handler posts the
// matching signal number to the event loop, so the program's exit sequence runs as on other systems.

namespace {

std::atomic<ExitSignals*> g_listener{nullptr};

int SignalOf(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return SIGINT;
    default: // CTRL_CLOSE_EVENT, CTRL_LOGOFF_EVENT, CTRL_SHUTDOWN_EVENT
        return SIGTERM;
    }
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
    ExitSignals* target = g_listener.load();
    if (!target)
        return FALSE;
    const int sig = SignalOf(event);
    QMetaObject::invokeMethod(
        target, [target, sig] { target->Read(sig); }, Qt::QueuedConnection);
    // For a closed console, a logoff or a shutdown the system ends the process as soon as the handler
    // returns: give the exit sequence the few seconds the system allows.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::Sleep(5000);
    return TRUE;
}

} // namespace

ExitSignals::ExitSignals() {
    ExitSignals* none = nullptr;
    if (!g_listener.compare_exchange_strong(none, this))
        return;
    installed_ = ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != 0;
    if (!installed_)
        g_listener = nullptr;
}

ExitSignals::~ExitSignals() {
    if (installed_) {
        ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
        g_listener = nullptr;
    }
}

void ExitSignals::Listen(std::function<void(int)> onSignal) {
    onSignal_ = std::move(onSignal);
    // A signal that came before the event loop listened waits here.
    if (pending_ != 0 && onSignal_)
        onSignal_(std::exchange(pending_, 0));
}

void ExitSignals::Read(int sig) {
    if (onSignal_)
        onSignal_(sig);
    else
        pending_ = sig;
}

#endif

} // namespace vorelian
