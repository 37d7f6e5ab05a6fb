// vorelian-server: the calendar over HTTP for parish sites, apps and calendar subscriptions. It loads the
// data set once, answers from it and keeps nothing between requests, so copies can run side by side.
#include "answers.h"
#include "serverargs.h"
#include "service.h"

#include "bases/datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace vorelian;
using namespace vorelian::server;

namespace {

enum ExitStatus { Ok = 0, Failure = 1, BadArguments = 2, NoDataSet = 3 };

int Fail(int status, const QString& message) {
    std::fprintf(stderr, "vorelian-server: %s\n", message.toLocal8Bit().constData());
    return status;
}

// SIGTERM and SIGINT only write a byte to a socket pair; the event loop reads it and quits, so the
// server stops between requests rather than inside one.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[0], &byte, 1);
}

bool CatchStopSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return false;
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte;
        [[maybe_unused]] const auto n = ::read(g_signalPipe[1], &byte, 1);
        app.quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    return sigaction(SIGTERM, &sa, nullptr) == 0 && sigaction(SIGINT, &sa, nullptr) == 0;
}

// A folder holds a data set when any of the calendar's data files is in it.
bool HoldsDataSet(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    const QDir dir(folder);
    for (const QString& name : DataFiles::Names)
        if (!name.isEmpty() && QFileInfo(dir.filePath(name)).isFile())
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();

    QString error;
    const auto parsed = ParseServerArgs(args, error);
    if (!parsed)
        return Fail(BadArguments, error);
    if (parsed->Help) {
        std::fputs(ServerHelpText().toUtf8().constData(), stdout);
        return Ok;
    }

    // The same data folder the other programs read unless one is given.
    const QString folder = parsed->DataDir.isEmpty()
                               ? QFileInfo(DataFiles::BesideProgram()[DataFiles::January]).absolutePath()
                               : QDir(parsed->DataDir).absolutePath();
    if (!HoldsDataSet(folder))
        return Fail(NoDataSet, QStringLiteral("no data set found in %1").arg(folder));

    ServiceData data;
    data.Engine = DayEngine::Load(folder);
    if (!data.Engine)
        return Fail(NoDataSet, QStringLiteral("the data set in %1 could not be loaded").arg(folder));
    data.DataHash = DataSetHash(folder);
    SetServedDays(data);

    if (!CatchStopSignals(app))
        return Fail(Failure, QStringLiteral("cannot catch the stop signals"));
    Service service(std::move(data), parsed->Threads);
    const QHostAddress address(parsed->Bind);
    const quint16 port = service.Listen(address, parsed->Port);
    if (port == 0)
        return Fail(Failure,
                    QStringLiteral("cannot listen on %1 port %2").arg(parsed->Bind).arg(parsed->Port));
    const QString shown = address.protocol() == QAbstractSocket::IPv6Protocol
                              ? QStringLiteral("[%1]").arg(address.toString())
                              : address.toString();
    std::fprintf(stderr, "vorelian-server: listening on http://%s:%u/ with data from %s\n",
                 shown.toUtf8().constData(), unsigned(port), folder.toLocal8Bit().constData());
    const int status = app.exec();
    std::fprintf(stderr, "vorelian-server: stopped\n");
    return status == 0 ? Ok : Failure;
}
