// The HTTP side of the service: Qt's HTTP server reads each request, the answer is computed on a pool
// of threads from the loaded data, and the reply is written back on the thread that owns the sockets.
#pragma once

#include "answers.h"

#include <QHostAddress>
#include <QHttpServer>
#include <QObject>
#include <QThreadPool>

namespace vorelian::server {

class Service : public QObject {
public:
    // threads == 0: one per processor core.
    Service(ServiceData data, int threads);
    ~Service() override;

    // The port listened on, or 0 when the address cannot be bound.
    quint16 Listen(const QHostAddress& address, quint16 port);

private:
    void Handle(const QHttpServerRequest& request, QHttpServerResponder&& responder);

    ServiceData data_;
    QThreadPool pool_;
    QHttpServer server_;
};

// Writes an answer: status line, Content-Type, Content-Length and the other headers, then the body
// unless the request was a HEAD.
void Send(QHttpServerResponder& responder, const Answer& answer, bool head);

} // namespace vorelian::server
