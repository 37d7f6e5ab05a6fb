#include "serverargs.h"

#include "core/commandline.h"

#include <QHostAddress>

namespace vorelian::server {

std::optional<ServerArgs> ParseServerArgs(const QStringList& args, QString& error) {
    ServerArgs a;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (arg == u"--help" || arg == u"-h") {
            a.Help = true;
            return a;
        }
        std::optional<QString> value;
        if (const qsizetype eq = arg.indexOf(u'='); arg.startsWith(u"--") && eq > 0) {
            value = arg.mid(eq + 1);
            arg.truncate(eq);
        }
        static const QStringList known{QStringLiteral("--bind"),
                                       QStringLiteral("--port"),
                                       QStringLiteral("--data"),
                                       QStringLiteral("--threads"),
                                       QStringLiteral("--log"),
                                       QStringLiteral("--idle-timeout"),
                                       QStringLiteral("--max-connections"),
                                       QStringLiteral("--max-per-address")};
        if (!known.contains(arg)) {
            error = QStringLiteral("unknown option: %1").arg(args[i]);
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return std::nullopt;
            }
            value = args[++i];
        }
        bool ok = false;
        if (arg == u"--bind") {
            if (QHostAddress(*value).isNull()) {
                error = QStringLiteral("--bind needs an IP address: %1").arg(*value);
                return std::nullopt;
            }
            a.Bind = *value;
        } else if (arg == u"--port") {
            const uint port = value->toUInt(&ok);
            if (!ok || port > 65535) {
                error = QStringLiteral("the port must be a number from 0 to 65535: %1").arg(*value);
                return std::nullopt;
            }
            a.Port = quint16(port);
        } else if (arg == u"--threads") {
            const int n = value->toInt(&ok);
            if (!ok || n < 1 || n > kMaxThreads) {
                error = QStringLiteral("the number of threads must be from 1 to %1: %2")
                            .arg(kMaxThreads)
                            .arg(*value);
                return std::nullopt;
            }
            a.Threads = n;
        } else if (arg == u"--idle-timeout" || arg == u"--max-connections" || arg == u"--max-per-address") {
            const bool idle = arg == u"--idle-timeout";
            const int most = idle ? kMaxIdleSeconds : kMaxConnectionsCap;
            const int n = value->toInt(&ok);
            if (!ok || n < 1 || n > most) {
                error = QStringLiteral("%1 must be a number from 1 to %2: %3").arg(arg).arg(most).arg(*value);
                return std::nullopt;
            }
            (idle ? a.IdleSeconds : arg == u"--max-connections" ? a.MaxConnections : a.MaxPerAddress) = n;
        } else if (arg == u"--log") {
            if (value->isEmpty()) {
                error = QStringLiteral("--log needs off, stderr or a file");
                return std::nullopt;
            }
            a.Log = *value;
        } else {
            if (value->isEmpty()) {
                error = QStringLiteral("--data needs a folder");
                return std::nullopt;
            }
            a.DataDir = *value;
        }
    }
    return a;
}

QString ServerHelpText() {
    const QString head = QStringLiteral(R"(vorelian-server [параметры]

Отдаёт церковный календарь по HTTP: JSON, iCalendar и страницы дня, месяца и года.
Serves the church calendar over HTTP: JSON, iCalendar and pages of days, months and years.

Адреса / addresses: /  /day/ГГГГ-ММ-ДД  /month/ГГГГ-ММ  /year/ГГГГ  /embed/today
  /calendar.ics  /api/v1/day|month|year|feasts/…  /api/v1/search  /healthz
  (?style=1|2|3 — стиль даты в адресе / the style of the date in the address)

Параметры / options:
  --bind ADDR    адрес для приёма соединений (по умолчанию 127.0.0.1)
                 the address to listen on (default 127.0.0.1)
  --port N       порт (по умолчанию 8080; 0 — любой свободный, он печатается в stderr)
                 the port (default 8080; 0 picks a free one and prints it on stderr)
)");
    const QString tail =
        QStringLiteral(R"(  --threads N    потоков для расчёта ответов, 1..%1 (по умолчанию по числу ядер)
                 threads computing the answers, 1..%1 (default: one per core)
  --idle-timeout SECONDS
                 закрыть соединение без запросов через столько секунд, 1..%3 (по умолчанию 30);
                 начатый заголовок запроса ждать не дольше 10 секунд
                 close a connection with no request after this many seconds, 1..%3 (default 30);
                 a request head begun must be whole within 10 seconds
  --max-connections N
                 не больше N соединений, 1..%2 (по умолчанию 1000); сверх того закрывается
                 дольше всех простаивающее, а если такого нет — ответ 503
                 at most N connections, 1..%2 (default 1000); beyond, the one idle for longest
                 is closed, or with none idle the new one is answered 503
  --max-per-address N
                 не больше N соединений с одного адреса (по умолчанию как --max-connections)
                 at most N connections from one address (default: as --max-connections)
  --log off|stderr|FILE
                 журнал запросов: нет, stderr (по умолчанию) или дописывать в файл; строки,
                 которые журнал не успевает принять, отбрасываются и считаются
                 the request log: none, stderr (default) or appended to a file; lines the log
                 cannot take in time are dropped and counted
  --help, -h     эта справка / this help

Код выхода: 0 — успех, 1 — иная ошибка (например, порт занят), 2 — неверные аргументы,
3 — нет набора данных.
Exit status: 0 on success, 1 other failure (such as a busy port), 2 bad arguments,
3 no data set found.
)");
    return head + DataOptionHelp(17) + tail.arg(kMaxThreads).arg(kMaxConnectionsCap).arg(kMaxIdleSeconds);
}

} // namespace vorelian::server
