#include "requestlog.h"

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <io.h>
#endif

namespace vorelian::server {

struct RequestLog::State {
    int Fd = -1;
    std::mutex Lock;
    std::condition_variable Wake;
    std::deque<QByteArray> Lines;
    qint64 Dropped = 0;
    bool Stopping = false;
    bool Done = false;
};

namespace {

// Writes all of `bytes`; false when the descriptor refuses them (a closed pipe, a full disk).
bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype at = 0;
    while (at < bytes.size()) {
#ifdef Q_OS_UNIX
        const qint64 n = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
#else
        const qint64 n = ::_write(fd, bytes.constData() + at, unsigned(bytes.size() - at));
#endif
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
    }
    return true;
}

// The writer: takes what is held, writes it, then says how many lines were dropped meanwhile. After a
// refused write the lines are only taken, so that the queue never fills for a log that has gone.
void Drain(const std::shared_ptr<RequestLog::State>& s) {
    bool open = true;
    std::unique_lock lock(s->Lock);
    for (;;) {
        s->Wake.wait(lock, [&] { return !s->Lines.empty() || s->Stopping; });
        if (s->Lines.empty())
            break;
        std::deque<QByteArray> lines;
        lines.swap(s->Lines);
        const qint64 dropped = s->Dropped;
        s->Dropped = 0;
        lock.unlock();
        QByteArray bytes;
        for (const QByteArray& line : lines)
            bytes += line;
        if (dropped > 0)
            bytes +=
                "vorelian-server: " + QByteArray::number(dropped) + " log lines dropped: the log was full\n";
        open = open && WriteAll(s->Fd, bytes);
        lock.lock();
    }
    s->Done = true;
    s->Wake.notify_all();
}

} // namespace

RequestLog::RequestLog(int fd) : state_(std::make_shared<State>()) {
    state_->Fd = fd;
    // Detached: a writer stuck on a log nobody reads must not keep the program from ending; the state it
    // shares lives as long as either side.
    std::thread([s = state_] { Drain(s); }).detach();
}

RequestLog::~RequestLog() {
    std::unique_lock lock(state_->Lock);
    state_->Stopping = true;
    state_->Wake.notify_all();
    state_->Wake.wait_for(lock, std::chrono::milliseconds(kDrainMs), [this] { return state_->Done; });
}

void RequestLog::Write(QByteArray line, bool always) {
    std::lock_guard lock(state_->Lock);
    if (state_->Lines.size() >= kHeldLines && !always) {
        ++state_->Dropped;
        return;
    }
    state_->Lines.push_back(std::move(line));
    state_->Wake.notify_all();
}

} // namespace vorelian::server
