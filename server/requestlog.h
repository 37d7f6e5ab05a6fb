// The service's log: lines are handed over without waiting and written by a thread of their own, so a
// slow, full or closed log (a pipe nobody reads, a closed terminal) never holds up or stops the answers.
#pragma once

#include <QByteArray>

#include <memory>

namespace vorelian::server {

class RequestLog {
public:
    // Lines held while the log cannot take them; beyond that they are dropped and counted.
    static constexpr qsizetype kHeldLines = 4096;
    // How long the end of the log is waited for on stop, in milliseconds.
    static constexpr int kDrainMs = 2000;

    // Writes to the open file descriptor `fd`, which stays the caller's.
    explicit RequestLog(int fd);
    // Waits at most kDrainMs for the held lines to be written.
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    // Hands one line (with its newline) to the writer; drops it when kHeldLines wait already, unless it
    // is one of the program's few own lines (`always`).
    void Write(QByteArray line, bool always = false);

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace vorelian::server
