// The end of the session for a program with an event loop: SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C,
// a closed terminal) run the program's own exit sequence instead of ending the process on the spot.
//
// The signal handler only writes the signal's number into a pipe; a socket notifier on the other end
// calls `onSignal` from the event loop, where any work is safe. A signal that arrives before Listen()
// waits in the pipe and is handled as soon as the event loop listens. On Windows a console control
// handler (Ctrl+C, a closed console, logoff, shutdown) takes the place of the signals and posts SIGINT
// or SIGTERM to the same callback.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace vorelian {

class ExitSignals : public QObject {
public:
    // Installs the handlers. Only one object may exist at a time; a second one installs nothing.
    ExitSignals();
    // Restores the default handlers.
    ~ExitSignals() override;
    ExitSignals(const ExitSignals&) = delete;
    ExitSignals& operator=(const ExitSignals&) = delete;

    // From now on each signal calls `onSignal(signalNumber)` from the event loop.
    void Listen(std::function<void(int)> onSignal);

    // True when the handlers are in place.
    bool Installed() const { return installed_; }

#ifdef Q_OS_UNIX
private:
    void Read();
#else
    // Called on the event loop's thread by the console control handler.
    void Read(int sig);

private:
    int pending_ = 0;
#endif

    int fds_[2] = {-1, -1};
    bool installed_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void(int)> onSignal_;
};

} // namespace vorelian
