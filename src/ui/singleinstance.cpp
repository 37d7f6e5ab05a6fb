#include "ui/singleinstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace vorelian {

namespace {

const QByteArray kRaise = QByteArrayLiteral("raise\n");
constexpr int kWaitMs = 2000; // a running program answers at once; a hung one is not waited for long

// On Linux the name lives in the abstract namespace: no file in the temporary folder to be left behind by
// a crash, and no limit of the folder's path on the length of the address.
#ifdef Q_OS_LINUX
constexpr auto kServerOptions = QLocalServer::AbstractNamespaceOption;
constexpr auto kSocketOptions = QLocalSocket::AbstractNamespaceOption;
#else
constexpr auto kServerOptions = QLocalServer::UserAccessOption;
constexpr auto kSocketOptions = QLocalSocket::NoOptions;
#endif

} // namespace

QString InstanceName(const QString& storePath) {
    const QByteArray hash = QCryptographicHash::hash(storePath.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("vorelian-") + QString::fromLatin1(hash.toHex().left(24));
}

SingleInstance::SingleInstance(const QString& storePath, QObject* parent)
    : QObject(parent), name_(InstanceName(storePath)) {}

bool SingleInstance::PassToRunning() {
    QLocalSocket socket;
    socket.setSocketOptions(kSocketOptions);
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kRaise);
    if (!socket.waitForBytesWritten(kWaitMs))
        return false;
    // The running program closes the connection once it has read the request.
    socket.waitForDisconnected(kWaitMs);
    return true;
}

bool SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(kServerOptions);
    if (!server_->listen(name_)) {
        // Nobody answered on the name a moment ago: the socket is a dead program's.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_))
            return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                const bool raise = socket->readLine() == kRaise;
                socket->disconnectFromServer();
                if (raise)
                    Q_EMIT RaiseRequested();
            });
        }
    });
    return true;
}

void SingleInstance::Raise(QWidget* window) {
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace vorelian
