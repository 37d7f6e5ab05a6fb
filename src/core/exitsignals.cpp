#include "core/exitsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vorelian {

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

} // namespace vorelian
