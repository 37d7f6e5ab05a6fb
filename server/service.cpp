#include "service.h"

#include <QDateTime>
#include <QLocale>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <chrono>
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

// Set on a connection whose first request line says HTTP/1.0: its answers close it unless it asks to be kept.
constexpr const char* kHttp10 = "vorelianHttp10";

// Qt's HTTP server keeps a connection as long as the client likes and reads a request body of any size.
// This listener hands it only connections that earn their keep: one is closed when no answer has left
// it for the idle time (a client that trickles a request, or sits idle between requests), when more than
// kUnansweredBytes arrive without an answer (a body nobody asked for); past the cap of connections, in
// all or from one address, a new one is answered 503 and closed.
class GuardedListener : public QTcpServer {
public:
    static constexpr qint64 kUnansweredBytes = 64 * 1024;

    GuardedListener(const ConnectionLimits& limits, QObject* parent) : QTcpServer(parent), limits_(limits) {}

    QTcpSocket* nextPendingConnection() override {
        QTcpSocket* socket = QTcpServer::nextPendingConnection();
        if (!socket)
            return socket;
        const QHostAddress peer = socket->peerAddress();
        ++open_;
        const int fromPeer = ++perAddress_[peer];
        connect(socket, &QObject::destroyed, this, [this, peer] {
            --open_;
            if (--perAddress_[peer] == 0)
                perAddress_.remove(peer);
        });
        if (open_ > limits_.MaxConnections || fromPeer > limits_.MaxPerAddress) {
            socket->write("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\nRetry-After: 1\r\n"
                          "Connection: close\r\n\r\n");
            // Closed once the HTTP server has taken it, so that its own clean-up runs.
            QMetaObject::invokeMethod(socket, &QTcpSocket::disconnectFromHost, Qt::QueuedConnection);
            return socket;
        }
        const int idleMs = limits_.IdleSeconds * 1000;
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        timer->start(idleMs);
        connect(timer, &QTimer::timeout, socket, &QTcpSocket::abort);
        auto unanswered = std::make_shared<qint64>(0);
        // Connected before the HTTP server's own reader, so this sees the bytes before it reads them.
        connect(socket, &QTcpSocket::readyRead, socket, [socket, unanswered] {
            *unanswered += socket->bytesAvailable();
            if (*unanswered > kUnansweredBytes)
                QMetaObject::invokeMethod(socket, &QTcpSocket::abort, Qt::QueuedConnection);
            if (!socket->property(kHttp10).isValid()) {
                // The version of the first request line stands for the connection's.
                const QByteArray start = socket->peek(4096);
                const qsizetype end = start.indexOf("\r\n");
                if (end >= 0)
                    socket->setProperty(kHttp10, start.left(end).endsWith(" HTTP/1.0"));
            }
        });
        connect(socket, &QTcpSocket::bytesWritten, socket, [timer, unanswered, idleMs] {
            *unanswered = 0;
            timer->start(idleMs);
        });
        return socket;
    }

private:
    ConnectionLimits limits_;
    int open_ = 0;
    QHash<QHostAddress, int> perAddress_;
};

} // namespace

QByteArray HttpDate(const QDateTime& utc) {
    return QLocale::c().toString(utc, u"ddd, dd MMM yyyy hh:mm:ss 'GMT'").toLatin1();
}

void Send(QHttpServerResponder& responder, const Answer& answer, bool head) {
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(answer.Status));
    responder.writeHeader(QByteArrayLiteral("Date"), HttpDate(QDateTime::currentDateTimeUtc()));
    if (!answer.ContentType.isEmpty())
        responder.writeHeader(QByteArrayLiteral("Content-Type"), answer.ContentType);
    if (answer.Status != 304 && !answer.Unbuilt)
        responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(answer.Body.size()));
    for (const auto& [name, value] : answer.Headers)
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
    auto* listener = new GuardedListener(limits, &server_);
    if (!listener->listen(address, port)) {
        delete listener;
        return 0;
    }
    server_.bind(listener);
    return listener->serverPort();
}

void Service::Handle(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    QTcpSocket* socket = responder.socket();
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
    Connection& c = it->second;
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
        Answer busy;
        busy.Status = 503;
        busy.ContentType = QByteArrayLiteral("application/json; charset=utf-8");
        busy.Body = QByteArrayLiteral("{\"error\":\"the service is busy, try again\"}\n");
        busy.Headers = {{QByteArrayLiteral("Retry-After"), QByteArrayLiteral("1")},
                        {QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")}};
        entry->Ready = std::move(busy);
    } else {
        ++queued_;
    }
    c.Queue.push_back(std::move(entry));
    Flush(socket);
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
        Send(p.Responder, *p.Ready, p.Plain.Method == "HEAD");
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
