#include "service.h"

#include <QDateTime>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>

namespace vorelian::server {
namespace {

using Clock = std::chrono::steady_clock;

// Longer addresses are cut in the log so that one request cannot flood it.
constexpr qsizetype kLoggedTarget = 300;

QByteArray MethodName(QHttpServerRequest::Method m) {
    switch (m) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    case QHttpServerRequest::Method::Post:
        return "POST";
    case QHttpServerRequest::Method::Put:
        return "PUT";
    case QHttpServerRequest::Method::Delete:
        return "DELETE";
    case QHttpServerRequest::Method::Options:
        return "OPTIONS";
    case QHttpServerRequest::Method::Patch:
        return "PATCH";
    case QHttpServerRequest::Method::Connect:
        return "CONNECT";
    case QHttpServerRequest::Method::Trace:
        return "TRACE";
    default:
        return "OTHER";
    }
}

Request Plain(const QHttpServerRequest& r) {
    Request out;
    out.Method = MethodName(r.method());
    const QUrl url = r.url();
    out.Path = url.path(QUrl::FullyEncoded).toLatin1();
    out.Query = url.query(QUrl::FullyEncoded).toLatin1();
    out.IfNoneMatch = r.value(QByteArrayLiteral("If-None-Match"));
    out.Host = r.value(QByteArrayLiteral("Host"));
    return out;
}

QByteArray LogLine(const Request& r, int status, Clock::time_point start) {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    QByteArray target = r.Path;
    if (!r.Query.isEmpty())
        target += '?' + r.Query;
    if (target.size() > kLoggedTarget)
        target = target.left(kLoggedTarget) + "...";
    return r.Method + ' ' + LogEscaped(target) + ' ' + QByteArray::number(status) + ' ' +
           QByteArray::number(static_cast<long long>(us)) + "us\n";
}

// Set on a connection whose request being read says HTTP/1.0: its answer closes it unless it asks to be kept.
constexpr const char* kHttp10 = "vorelianHttp10";

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 400:
        return "Bad Request";
    case 408:
        return "Request Timeout";
    case 411:
        return "Length Required";
    case 413:
        return "Content Too Large";
    case 417:
        return "Expectation Failed";
    case 503:
        return "Service Unavailable";
    default:
        return "Error";
    }
}

// The header lines of an answer, in the order they are written.
std::vector<std::pair<QByteArray, QByteArray>> HeaderLines(const Answer& answer) {
    std::vector<std::pair<QByteArray, QByteArray>> lines;
    lines.push_back({QByteArrayLiteral("Date"), HttpDate(QDateTime::currentDateTimeUtc())});
    if (!answer.ContentType.isEmpty())
        lines.push_back({QByteArrayLiteral("Content-Type"), answer.ContentType});
    if (answer.Status != 304 && !answer.Unbuilt)
        lines.push_back({QByteArrayLiteral("Content-Length"), QByteArray::number(answer.Body.size())});
    lines.insert(lines.end(), answer.Headers.begin(), answer.Headers.end());
    return lines;
}

// An answer as the bytes written on a socket that Qt's server has no request for.
QByteArray Written(const Answer& answer, bool head) {
    QByteArray out =
        "HTTP/1.1 " + QByteArray::number(answer.Status) + ' ' + ReasonPhrase(answer.Status) + "\r\n";
    for (const auto& [name, value] : HeaderLines(answer))
        out += name + ": " + value + "\r\n";
    out += "\r\n";
    if (!head)
        out += answer.Body;
    return out;
}

// The answer past a cap, of connections or of queued work, with the hint to try again.
Answer BusyAnswer() {
    Answer busy = ErrorAnswer(503, QStringLiteral("the service is busy, try again"));
    busy.Headers.push_back({QByteArrayLiteral("Retry-After"), QByteArrayLiteral("1")});
    return busy;
}

bool IsTokenChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           (c != '\0' && std::strchr("!#$%&'*+-.^_`|~", c) != nullptr);
}

bool IsToken(const QByteArray& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsTokenChar);
}

// Qt's HTTP server keeps a connection as long as the client likes, reads a request head or body of any
// size and believes any head. This listener sees every byte before that server reads it, and hands it
// only connections that earn their keep:
// - a connection is closed when no answer has left it for the idle time, and a request head that has
//   begun must be whole within the head time;
// - more than kUnansweredBytes of one request, or waiting unread, close it (a body nobody asked for);
// - each request head is checked (CheckHead) before the server reads it, and a bad one is answered in
//   its turn by the service and the connection closed, the server never seeing it;
// - past the cap of connections, in all or from one address, the longest idle one makes room; with
//   none idle the new one is answered 503 and closed.
//
// The server reads a request within a transaction of the socket, taking every byte there is until the
// request is whole, and commits it then. So without a transaction the socket's buffer starts at a
// request; within one, the buffer holds only bytes that came since the server last read. That lets this
// listener count each byte once though the server signals the same bytes again for each request a client
// sends ahead, and look only at the request the server is about to read.
class GuardedListener : public QTcpServer {
public:
    static constexpr qint64 kUnansweredBytes = 64 * 1024;

    struct Hooks {
        std::function<void(QTcpSocket*, const HeadCheck&)> Refuse; // answers in turn and closes
        std::function<bool(QTcpSocket*)> Busy;                     // requests waiting or unsent
    };

    GuardedListener(const ConnectionLimits& limits, Hooks hooks, QObject* parent)
        : QTcpServer(parent), limits_(limits), hooks_(std::move(hooks)) {}

    QTcpSocket* nextPendingConnection() override {
        QTcpSocket* socket = QTcpServer::nextPendingConnection();
        if (!socket)
            return socket;
        const QHostAddress peer = socket->peerAddress();
        if (!MakeRoom(peer)) {
            Answer busy = BusyAnswer();
            busy.Headers.push_back({QByteArrayLiteral("Connection"), QByteArrayLiteral("close")});
            socket->write(Written(busy, false));
            // Closed once the HTTP server has taken it, so that its own clean-up runs.
            QMetaObject::invokeMethod(socket, &QTcpSocket::disconnectFromHost, Qt::QueuedConnection);
            return socket;
        }
        Track(socket, peer);
        return socket;
    }

private:
    // What is known of one open connection.
    struct Tracked {
        QHostAddress Peer;
        QTimer* Idle = nullptr;
        QTimer* HeadTime = nullptr;
        Clock::time_point LastActive;
        qint64 Held = 0;      // bytes of the request being read, and after it, not yet answered
        QByteArray Head;      // the request head begun, as far as it has come
        qint64 BodyLeft = 0;  // bytes of the request's body still to come
        bool Read = false;    // the request is whole: bytes after it belong to the next one
        bool Refused = false; // a refusal is on its way: nothing more is read
    };

    void Track(QTcpSocket* socket, const QHostAddress& peer) {
        Tracked& t = conns_[socket];
        t.Peer = peer;
        t.LastActive = Clock::now();
        ++perAddress_[peer];
        const int idleMs = limits_.IdleSeconds * 1000;
        t.Idle = new QTimer(socket);
        t.Idle->setSingleShot(true);
        t.Idle->start(idleMs);
        connect(t.Idle, &QTimer::timeout, socket, &QTcpSocket::abort);
        t.HeadTime = new QTimer(socket);
        t.HeadTime->setSingleShot(true);
        t.HeadTime->setInterval(std::min(ConnectionLimits::kHeadSeconds, limits_.IdleSeconds) * 1000);
        connect(t.HeadTime, &QTimer::timeout, this, [this, socket] {
            HeadCheck late;
            late.Status = 408;
            late.Why = QStringLiteral("the request head did not come whole in time");
            Refuse(socket, late);
        });
        connect(socket, &QObject::destroyed, this, [this, socket] { Forget(socket); });
        connect(socket, &QAbstractSocket::disconnected, this, [this, socket] { Forget(socket); });
        // Connected before the HTTP server's own reader, so this sees the bytes before it reads them.
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Look(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket, idleMs] {
            const auto it = conns_.find(socket);
            if (it == conns_.end())
                return;
            it->Held = 0;
            it->LastActive = Clock::now();
            it->Idle->start(idleMs);
        });
    }

    void Forget(QTcpSocket* socket) {
        const auto it = conns_.find(socket);
        if (it == conns_.end())
            return;
        if (--perAddress_[it->Peer] == 0)
            perAddress_.remove(it->Peer);
        conns_.erase(it);
    }

    // Frees a place for a new connection from `peer` when a cap is reached: the connection idle for
    // longest, among the peer's own when its cap is the one reached. False when none is idle.
    bool MakeRoom(const QHostAddress& peer) {
        const bool allFull = conns_.size() >= limits_.MaxConnections;
        const bool peerFull = perAddress_.value(peer) >= limits_.MaxPerAddress;
        if (!allFull && !peerFull)
            return true;
        QTcpSocket* oldest = nullptr;
        Clock::time_point since = Clock::time_point::max();
        for (auto it = conns_.cbegin(); it != conns_.cend(); ++it) {
            if ((peerFull && it->Peer != peer) || it->LastActive >= since || !Idle(it.key(), *it))
                continue;
            oldest = it.key();
            since = it->LastActive;
        }
        if (!oldest)
            return false;
        Forget(oldest);
        oldest->disconnectFromHost();
        return true;
    }

    bool Idle(QTcpSocket* socket, const Tracked& t) const {
        return !t.Refused && !t.HeadTime->isActive() && socket->bytesAvailable() == 0 &&
               socket->bytesToWrite() == 0 && !hooks_.Busy(socket);
    }

    void Look(QTcpSocket* socket) {
        const auto it = conns_.find(socket);
        if (it == conns_.end())
            return;
        Tracked& t = *it;
        const qint64 available = socket->bytesAvailable();
        if (t.Refused) {
            socket->skip(available);
            return;
        }
        if (available > 0)
            t.LastActive = Clock::now();
        if (!socket->isTransactionStarted()) {
            // A request starts the buffer: look at it afresh, however much of it was seen before.
            t.Held = available;
            t.Head.clear();
            t.BodyLeft = 0;
            t.Read = false;
        } else {
            t.Held += available;
        }
        const QByteArray fresh = socket->peek(std::min(available, kUnansweredBytes + 1));
        if (t.Held > kUnansweredBytes) {
            QMetaObject::invokeMethod(socket, &QTcpSocket::abort, Qt::QueuedConnection);
            return;
        }
        const HeadCheck check = Scan(t, fresh);
        if (check.Status != 0) {
            Refuse(socket, check);
        } else if (!check.Method.isEmpty()) {
            // Read by the service when the server hands on the request, which it reads right after this.
            socket->setProperty(kHttp10, check.Http10);
            // Qt's server does not say it; said only when no earlier answer is owed, as they go first.
            if (check.Continue && t.BodyLeft > 0 && !hooks_.Busy(socket) && socket->bytesToWrite() == 0)
                socket->write("HTTP/1.1 100 Continue\r\n\r\n");
        }
    }

    // Follows the request the server is reading through the bytes that came: its head is checked once
    // whole, its body counted off; what follows it waits for the next look.
    HeadCheck Scan(Tracked& t, const QByteArray& fresh) {
        if (t.Read || fresh.isEmpty())
            return {};
        if (t.BodyLeft > 0) {
            t.BodyLeft -= std::min<qint64>(t.BodyLeft, fresh.size());
            t.Read = t.BodyLeft == 0;
            return {};
        }
        t.Head += fresh;
        qsizetype begin = 0;
        const qsizetype end = HeadEnd(t.Head, begin);
        if (end < 0) {
            if (begin < t.Head.size() && !t.HeadTime->isActive())
                t.HeadTime->start();
            return {};
        }
        t.HeadTime->stop();
        HeadCheck check = CheckHead(QByteArrayView(t.Head).sliced(begin, end - begin));
        if (check.Status == 0 && check.BodyLength > kUnansweredBytes) {
            check.Status = 413;
            check.Why = QStringLiteral("the service reads no request body of more than %1 bytes")
                            .arg(kUnansweredBytes);
        }
        t.BodyLeft = std::max<qint64>(0, check.BodyLength - (t.Head.size() - end));
        t.Read = t.BodyLeft == 0;
        t.Head.clear();
        return check;
    }

    void Refuse(QTcpSocket* socket, const HeadCheck& check) {
        const auto it = conns_.find(socket);
        if (it == conns_.end() || it->Refused)
            return;
        it->Refused = true;
        it->HeadTime->stop();
        // The server never reads the refused request: every byte is dropped before it looks.
        socket->skip(socket->bytesAvailable());
        hooks_.Refuse(socket, check);
    }

    ConnectionLimits limits_;
    Hooks hooks_;
    QHash<QTcpSocket*, Tracked> conns_;
    QHash<QHostAddress, int> perAddress_;
};

} // namespace

QByteArray HttpDate(const QDateTime& utc) {
    return QLocale::c().toString(utc, u"ddd, dd MMM yyyy hh:mm:ss 'GMT'").toLatin1();
}

qsizetype HeadEnd(QByteArrayView bytes, qsizetype& begin) {
    begin = 0;
    while (begin < bytes.size() &&
           (bytes[begin] == '\n' ||
            (bytes[begin] == '\r' && begin + 1 < bytes.size() && bytes[begin + 1] == '\n')))
        begin += bytes[begin] == '\n' ? 1 : 2;
    // The head ends at an empty line, with CRLF or bare LF line ends (as Qt's reader takes them).
    for (qsizetype i = bytes.indexOf('\n', begin); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            return i + 2;
        if (i + 2 < bytes.size() && bytes[i + 1] == '\r' && bytes[i + 2] == '\n')
            return i + 3;
    }
    return -1;
}

HeadCheck CheckHead(QByteArrayView head) {
    HeadCheck out;
    const auto refuse = [&out](int status, const char* why) {
        out.Status = status;
        out.Why = QString::fromLatin1(why);
        return out;
    };
    QList<QByteArray> lines = head.toByteArray().split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    const QList<QByteArray> parts = lines.value(0).split(' ');
    out.Method = parts.value(0);
    out.Target = parts.value(1);
    static const QRegularExpression version(QStringLiteral("^HTTP/(\\d)\\.(\\d)$"));
    const auto v = version.match(QString::fromLatin1(parts.value(2)));
    const bool controls = std::any_of(out.Target.begin(), out.Target.end(),
                                      [](char c) { return uchar(c) <= 0x20 || uchar(c) == 0x7f; });
    if (parts.size() != 3 || !IsToken(out.Method) || out.Target.isEmpty() || controls || !v.hasMatch())
        return refuse(400, "malformed request line");
    if (v.captured(1) != u"1")
        return refuse(400, "HTTP version not supported");
    const bool http11 = v.captured(2) != u"0";
    out.Http10 = !http11;
    int hosts = 0;
    qint64 length = -1;
    bool transferCoding = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(std::max<qsizetype>(colon, 0)).toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        const bool controlled = std::any_of(value.begin(), value.end(), [](char c) {
            return (uchar(c) < 0x20 && c != '\t') || uchar(c) == 0x7f;
        });
        // A folded line, a blank before the colon or a stray control byte can make two readers part
        // the head differently.
        if (colon <= 0 || !IsToken(name) || controlled)
            return refuse(400, "malformed header line");
        if (name == "host") {
            ++hosts;
        } else if (name == "content-length") {
            for (const QByteArray& item : value.split(',')) {
                const QByteArray digits = item.trimmed();
                if (digits.isEmpty() || digits.size() > 18 ||
                    !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
                    return refuse(400, "malformed Content-Length");
                const qint64 n = digits.toLongLong();
                if (length >= 0 && n != length)
                    return refuse(400, "conflicting Content-Length");
                length = n;
            }
        } else if (name == "transfer-encoding") {
            transferCoding = true;
        } else if (name == "expect") {
            if (value.toLower() != "100-continue")
                return refuse(417, "the only expectation met is 100-continue");
            out.Continue = true;
        }
    }
    if (hosts > 1 || (http11 && hosts == 0))
        return refuse(400, hosts ? "more than one Host header" : "Host header missing");
    if (transferCoding && length >= 0)
        return refuse(400, "Content-Length with Transfer-Encoding");
    // The service reads no body; one of a known length is read and set aside, one in chunks is refused.
    if (transferCoding)
        return refuse(411, "a request body needs a Content-Length");
    out.BodyLength = std::max<qint64>(length, 0);
    return out;
}

void Send(QHttpServerResponder& responder, const Answer& answer, bool head) {
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(answer.Status));
    for (const auto& [name, value] : HeaderLines(answer))
        responder.writeHeader(name, value);
    if (head || answer.Status == 304)
        responder.writeBody("", 0);
    else
        responder.writeBody(answer.Body);
}

Service::Service(ServiceData data, int threads, RequestLog* log) : data_(std::move(data)), log_(log) {
    if (threads > 0)
        pool_.setMaxThreadCount(threads);
    server_.setMissingHandler([this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        Handle(request, std::move(responder));
    });
}

Service::~Service() {
    Stop();
}

void Service::Stop() {
    pool_.clear();
    pool_.waitForDone();
}

quint16 Service::Listen(const QHostAddress& address, quint16 port, const ConnectionLimits& limits) {
    GuardedListener::Hooks hooks;
    hooks.Refuse = [this](QTcpSocket* socket, const HeadCheck& check) { Refuse(socket, check); };
    hooks.Busy = [this](QTcpSocket* socket) { return Busy(socket); };
    auto* listener = new GuardedListener(limits, std::move(hooks), &server_);
    if (!listener->listen(address, port)) {
        delete listener;
        return 0;
    }
    server_.bind(listener);
    return listener->serverPort();
}

Service::Connection& Service::Track(QTcpSocket* socket) {
    auto [it, fresh] = connections_.try_emplace(socket);
    if (fresh) {
        // A connection's queue goes with the connection, answered or not; its tasks not yet started are
        // skipped, and a buffer that drains lets its waiting requests start.
        connect(socket, &QAbstractSocket::disconnected, this,
                [gone = it->second.Gone] { gone->store(true); });
        connect(socket, &QObject::destroyed, this, [this, socket] {
            const auto c = connections_.find(socket);
            c->second.Gone->store(true);
            for (const auto& p : c->second.Queue)
                queued_ -= !p->Started && !p->Ready;
            connections_.erase(c);
        });
        connect(socket, &QIODevice::bytesWritten, this, [this, socket] { Pump(socket); });
    }
    return it->second;
}

bool Service::Busy(QTcpSocket* socket) const {
    const auto it = connections_.find(socket);
    return it != connections_.end() && !it->second.Queue.empty();
}

void Service::Refuse(QTcpSocket* socket, const HeadCheck& check) {
    Request plain;
    plain.Method = LogEscaped(check.Method.left(32)); // a refused line may hold anything
    plain.Path = check.Target;
    auto entry = std::make_unique<Pending>(Pending{std::nullopt, std::move(plain), Clock::now(),
                                                   ErrorAnswer(check.Status, check.Why), false, true});
    Track(socket).Queue.push_back(std::move(entry));
    Flush(socket);
}

void Service::Handle(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    QTcpSocket* socket = responder.socket();
    Connection& c = Track(socket);
    auto entry = std::make_unique<Pending>(
        Pending{std::move(responder), Plain(request), Clock::now(), std::nullopt, false, false, false});
    // HTTP/1.0 closes after each answer unless the client asks to keep the connection; any client may ask
    // to close it.
    const QByteArray wish = request.value(QByteArrayLiteral("Connection")).toLower();
    const bool http10 = socket->property(kHttp10).toBool();
    entry->Close = wish.contains("close") || (http10 && !wish.contains("keep-alive"));
    entry->KeepAlive10 = http10 && !entry->Close;
    // The health check never waits behind the work; past the cap of queued work a request is refused at
    // once, with a hint to try again.
    if (entry->Plain.Path == "/healthz") {
        entry->Ready = Respond(data_, entry->Plain, QDate::currentDate());
    } else if (queued_ >= kMaxQueued) {
        entry->Ready = BusyAnswer();
    } else {
        ++queued_;
    }
    const bool ready = entry->Ready.has_value();
    c.Queue.push_back(std::move(entry));
    // An answer ready at once is sent after the HTTP server's reader returns: sent inside it, the
    // reader would be woken for the next request twice and read it without the listener's look.
    if (ready)
        QMetaObject::invokeMethod(
            this, [this, socket = QPointer<QTcpSocket>(socket)] { Flush(socket); }, Qt::QueuedConnection);
    Pump(socket);
}

void Service::Pump(QTcpSocket* socket) {
    const auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    Connection& c = it->second;
    const QDate today = QDate::currentDate();
    for (auto& p : c.Queue) {
        if (c.InFlight >= kInFlightPerConnection || socket->bytesToWrite() >= kMaxUnsentBytes)
            return;
        if (p->Started || p->Ready)
            continue;
        p->Started = true;
        ++c.InFlight;
        // The task posts its result back to this thread as an event: it runs once, whenever the task ends.
        pool_.start([this, socket = QPointer<QTcpSocket>(socket), entry = p.get(), plain = p->Plain, today,
                     gone = c.Gone] {
            std::optional<Answer> answer;
            if (!gone->load())
                answer = Respond(data_, plain, today);
            QMetaObject::invokeMethod(
                this,
                [this, socket, entry, answer = std::move(answer)]() mutable {
                    Finished(socket, entry, std::move(answer));
                },
                Qt::QueuedConnection);
        });
    }
}

void Service::Finished(const QPointer<QTcpSocket>& socket, Pending* entry, std::optional<Answer> answer) {
    --queued_;
    // Without its connection the entry is gone too: the client hung up. Such requests are not logged one by
    // one, as a flood of them would flood the log.
    const auto it = socket ? connections_.find(socket) : connections_.end();
    if (it == connections_.end())
        return;
    --it->second.InFlight;
    if (answer) {
        entry->Ready = std::move(answer);
        Flush(socket);
    }
    Pump(socket);
}

void Service::Log(const Request& r, int status, std::chrono::steady_clock::time_point start) {
    if (log_)
        log_->Write(LogLine(r, status, start));
}

void Service::Flush(QTcpSocket* socket) {
    const auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    // An aborted connection takes nothing more.
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    auto& queue = it->second.Queue;
    while (!queue.empty() && queue.front()->Ready) {
        Pending& p = *queue.front();
        if (p.Close)
            p.Ready->Headers.push_back({QByteArrayLiteral("Connection"), QByteArrayLiteral("close")});
        else if (p.KeepAlive10)
            p.Ready->Headers.push_back({QByteArrayLiteral("Connection"), QByteArrayLiteral("keep-alive")});
        if (p.Responder)
            Send(*p.Responder, *p.Ready, p.Plain.Method == "HEAD");
        else
            socket->write(Written(*p.Ready, p.Plain.Method == "HEAD"));
        if (p.Close) {
            Log(p.Plain, p.Ready->Status, p.Start);
            queue.pop_front();
            socket->disconnectFromHost();
            return;
        }
        Log(p.Plain, p.Ready->Status, p.Start);
        queue.pop_front();
    }
}

} // namespace vorelian::server
