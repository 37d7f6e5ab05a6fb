// The HTTP side of the service: Qt's HTTP server reads each request, the answer is computed on a pool
// of threads from the loaded data, and the reply is written back on the thread that owns the sockets.
#pragma once

#include "answers.h"
#include "requestlog.h"

#include <QHostAddress>
#include <QHttpServer>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <deque>
#include <optional>
#include <unordered_map>

namespace vorelian::server {

// The limits on connections: past MaxConnections open ones, or MaxPerAddress from one client address,
// the longest idle one of them is closed to make room, and with none idle a new connection is answered
// 503 and closed; one with nothing sent or answered for IdleSeconds is closed; a request head that has
// begun must be complete within kHeadSeconds or IdleSeconds, the shorter.
struct ConnectionLimits {
    int MaxConnections = 1000;
    int MaxPerAddress = 1000;
    int IdleSeconds = 30;
    static constexpr int kHeadSeconds = 10;
};

// What the service makes of a request head before Qt's HTTP server reads it: Qt's reader lets through
// what HTTP/1.1 forbids (no Host, any version, conflicting lengths, a length beside chunked coding), and
// a message whose length two readers could see differently must not be answered as if it were fine.
struct HeadCheck {
    int Status = 0;    // 0: the head may be read; otherwise the status it is refused with
    QString Why;       // what is wrong, for the refusal's JSON
    QByteArray Method; // of the request line, for the log
    QByteArray Target;
    qint64 BodyLength = 0; // of the body that follows, by its Content-Length
    bool Http10 = false;   // the request line says HTTP/1.0
    bool Continue = false; // the client waits for 100 Continue before it sends the body
};
// `head`: one request head, from its request line to the end of its last header line.
HeadCheck CheckHead(QByteArrayView head);
// Where the request head at the front of `bytes` ends, past its empty line; -1 while it is incomplete.
// Empty lines before the request line are skipped, as HTTP asks; `begin` gets where the line starts.
qsizetype HeadEnd(QByteArrayView bytes, qsizetype& begin);

class Service : public QObject {
public:
    // threads == 0: one per processor core. `log`, when given, gets a line for each request and must
    // outlive the service.
    Service(ServiceData data, int threads, RequestLog* log = nullptr);
    ~Service() override;

    // The port listened on, or 0 when the address cannot be bound.
    quint16 Listen(const QHostAddress& address, quint16 port, const ConnectionLimits& limits = {});

    // Drops the work not yet started and waits for the work in progress.
    void Stop();

    // The most requests of one connection computed at once; its further requests wait their turn.
    static constexpr int kInFlightPerConnection = 4;
    // The most requests waiting or computed at once over all connections; beyond it new ones get 503.
    static constexpr int kMaxQueued = 2048;
    // A connection's next answer is started only while fewer bytes than this wait to be sent to it.
    static constexpr qint64 kMaxUnsentBytes = 4 << 20;

private:
    // A request read from a connection, waiting for its answer and for the answers before it: a client
    // that sends several requests at once gets the answers in the order of its requests.
    struct Pending {
        // None for a request refused before Qt's server read it: its answer is written on the socket.
        std::optional<QHttpServerResponder> Responder;
        Request Plain;
        std::chrono::steady_clock::time_point Start;
        std::optional<Answer> Ready;
        bool Started = false;
        bool Close = false;       // the connection closes after this answer
        bool KeepAlive10 = false; // an HTTP/1.0 client asked to keep the connection
    };
    struct Connection {
        std::deque<std::unique_ptr<Pending>> Queue;
        int InFlight = 0;
        // Set when the client has gone, so that its tasks still waiting in the pool are skipped.
        std::shared_ptr<std::atomic<bool>> Gone = std::make_shared<std::atomic<bool>>(false);
    };

    void Handle(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    // Answers a request the listener refused, after the answers before it, and closes the connection.
    void Refuse(QTcpSocket* socket, const HeadCheck& check);
    // A connection's queue, made on its first request.
    Connection& Track(QTcpSocket* socket);
    // True while a connection has requests waiting, computed or unsent.
    bool Busy(QTcpSocket* socket) const;
    // Starts the waiting requests of a connection that its limits allow.
    void Pump(QTcpSocket* socket);
    void Finished(const QPointer<QTcpSocket>& socket, Pending* entry, std::optional<Answer> answer);
    // Sends the answers at the front of a connection's queue that are ready.
    void Flush(QTcpSocket* socket);
    void Log(const Request& r, int status, std::chrono::steady_clock::time_point start);

    ServiceData data_;
    RequestLog* log_ = nullptr;
    std::unordered_map<QTcpSocket*, Connection> connections_;
    int queued_ = 0; // requests waiting or computed, over all connections
    QThreadPool pool_;
    QHttpServer server_;
};

// "Mon, 07 Dec 2026 16:49:58 GMT": a time as the Date header gives it.
QByteArray HttpDate(const QDateTime& utc);

// Writes an answer: status line, Content-Type, Content-Length and the other headers, then the body
// unless the request was a HEAD.
void Send(QHttpServerResponder& responder, const Answer& answer, bool head);

} // namespace vorelian::server
