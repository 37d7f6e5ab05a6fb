// The command line of vorelian-server, read and checked before anything is loaded. Every bad argument
// becomes one line of message; nothing here touches the calendar or the network.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vorelian::server {

// The most threads --threads may ask for.
inline constexpr int kMaxThreads = 256;
// The most connections --max-connections and --max-per-address may allow, and the longest idle time.
inline constexpr int kMaxConnectionsCap = 65536;
inline constexpr int kMaxIdleSeconds = 3600;

struct ServerArgs {
    bool Help = false;
    QString Bind = QStringLiteral("127.0.0.1");
    quint16 Port = 8080; // 0: any free port, reported on stderr at start
    QString DataDir;     // empty: VORELIAN_DATA or the first data set found (core/datalookup.h)
    int Threads = 0;     // 0: one per processor core
    QString Log = QStringLiteral("stderr"); // "off", "stderr" or the file the request lines are added to
    int IdleSeconds = 30;
    int MaxConnections = 1000;
    int MaxPerAddress = 0; // 0: as MaxConnections (behind a proxy every client has one address)
};

// Reads the arguments (without the program name). On a bad argument returns nothing and sets `error`.
std::optional<ServerArgs> ParseServerArgs(const QStringList& args, QString& error);

QString ServerHelpText();

} // namespace vorelian::server
