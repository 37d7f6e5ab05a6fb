// One window per settings store: the first start listens on a local socket whose name comes from the
// path of the settings store; a second start finds it, asks it to raise its window and ends, instead of
// opening a second window that would write the same settings at its exit. Stores in other places (a test's
// scratch store, another user) make other names, so they never meet.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace vorelian {

// The socket name of a settings store's path: the same path, the same name.
QString InstanceName(const QString& storePath);

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& storePath, QObject* parent = nullptr);

    // True when a running program took the request to raise its window: this start should end.
    bool PassToRunning();

    // Listens for later starts; a socket left behind by a program that died is taken over. False when
    // nothing could listen (the program runs on, alone).
    bool Listen();

    // Brings a window to the front: restored when minimised, raised and activated.
    static void Raise(QWidget* window);

Q_SIGNALS:
    void RaiseRequested(); // a later start asked for the window

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace vorelian
