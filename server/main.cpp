// vorelian-server: the calendar over HTTP for parish sites, apps and calendar subscriptions. It loads the
// data set once, answers from it and keeps nothing between requests, so copies can run side by side.
#include "answers.h"
#include "serverargs.h"
#include "service.h"

#include "bases/datafiles.h"
#include "core/commandline.h"
#include "core/exitsignals.h"
#include "core/exitstatus.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <memory>

using namespace vorelian;
using namespace vorelian::server;

namespace {

constexpr const char* kProgram = "vorelian-server";

} // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A closed log pipe gives failed writes, never the end of the program (Windows has no such signal).
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QString error;
    const auto parsed = ParseServerArgs(CommandArguments(), error);
    if (!parsed)
        return EndWith(kProgram, ExitBadArguments, error);
    if (parsed->Help) {
        std::fputs(ServerHelpText().toUtf8().constData(), stdout);
        return ExitSuccess;
    }

    // The data set is found as the report tool finds it, with the same statuses.
    const CommandData found = FindCommandData(QCoreApplication::applicationDirPath(), parsed->DataDir);
    if (found.Status != ExitSuccess)
        return EndWith(kProgram, found.Status, found.Message);
    const QString folder = found.Calendar;
    if (const QString warning = MonthFileWarning(folder); !warning.isEmpty())
        EndWith(kProgram, ExitSuccess, warning);

    ServiceData data;
    data.Engine = DayEngine::Load(folder);
    if (!data.Engine)
        return EndWith(kProgram, ExitNoDataSet,
                       QStringLiteral("the data set in %1 could not be loaded").arg(folder));
    data.DataHash = DataSetHash(folder);
    SetServedDays(data);

    // A stop signal (SIGTERM from systemd, Ctrl+C, a closed terminal) only ends the event loop, so the
    // server stops between requests rather than inside one.
    ExitSignals stopSignals;
    if (!stopSignals.Installed())
        return EndWith(kProgram, ExitFailure, QStringLiteral("cannot catch the stop signals"));
    stopSignals.Listen([&app](int) { app.quit(); });
    // The program's own lines go the way of the request lines when both go to stderr, so neither waits.
    RequestLog messages(2);
    QFile logFile(parsed->Log);
    std::unique_ptr<RequestLog> fileLog;
    if (parsed->Log != u"off" && parsed->Log != u"stderr") {
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Append))
            return EndWith(
                kProgram, ExitFailure,
                QStringLiteral("cannot open the log %1: %2").arg(parsed->Log, logFile.errorString()));
        fileLog = std::make_unique<RequestLog>(logFile.handle());
    }
    RequestLog* requests = parsed->Log == u"off" ? nullptr : fileLog ? fileLog.get() : &messages;
    Service service(std::move(data), parsed->Threads, requests);
    const QHostAddress address(parsed->Bind);
    ConnectionLimits limits;
    limits.IdleSeconds = parsed->IdleSeconds;
    limits.MaxConnections = parsed->MaxConnections;
    limits.MaxPerAddress = parsed->MaxPerAddress > 0 ? parsed->MaxPerAddress : parsed->MaxConnections;
    const quint16 port = service.Listen(address, parsed->Port, limits);
    if (port == 0)
        return EndWith(kProgram, ExitFailure,
                       QStringLiteral("cannot listen on %1 port %2").arg(parsed->Bind).arg(parsed->Port));
    const QString shown = address.protocol() == QAbstractSocket::IPv6Protocol
                              ? QStringLiteral("[%1]").arg(address.toString())
                              : address.toString();
    messages.Write(QStringLiteral("vorelian-server: listening on http://%1:%2/ with data from %3\n")
                       .arg(shown)
                       .arg(port)
                       .arg(folder)
                       .toLocal8Bit(),
                   true);
    const int status = app.exec();
    service.Stop();
    messages.Write("vorelian-server: stopped\n", true);
    return status == 0 ? ExitSuccess : ExitFailure;
}
