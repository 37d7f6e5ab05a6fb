// vorelian-server as its clients see it: each address's status, headers and body on the bundled data, the
// JSON and iCalendar equal to what vorelian-report prints, the errors, ETag and 304, HEAD, many requests at
// once, texts of the data escaped in the page, valid HTML5, the exit statuses and a clean stop.
#include "answers.h"
#include "dayhtml.h"
#include "pagehtml.h"
#include "service.h"

#include "core/cp1251.h"

#include "../program_run.h"
#include "../sanitized_build.h"

#include <QDate>
#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <csignal>
#include <memory>

using namespace vorelian;
using namespace vorelian::server;

namespace {

struct Reply {
    int Status = 0;
    QMap<QByteArray, QByteArray> Headers; // names in lower case
    QByteArray Body;
    bool Complete = false;
};

QByteArray RequestBytes(const QByteArray& method, const QByteArray& target, const QByteArray& extra = {}) {
    return method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extra + "\r\n";
}

// Reads one reply from a socket: the head, then Content-Length bytes unless there is no body. Bytes
// after it stay in `buffer` for the next reply on the connection.
Reply ReadReply(QTcpSocket& socket, bool head, QByteArray& buffer, int timeoutMs = 20000) {
    Reply r;
    qsizetype headEnd = -1;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        buffer += socket.readAll();
        if (headEnd < 0 && (headEnd = buffer.indexOf("\r\n\r\n")) >= 0) {
            const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
            r.Status = lines.value(0).split(' ').value(1).toInt();
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const QByteArray line = lines[i].trimmed();
                const qsizetype colon = line.indexOf(':');
                if (colon > 0)
                    r.Headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
            }
        }
        if (headEnd >= 0) {
            const qsizetype length =
                head || r.Status == 304 ? 0 : r.Headers.value("content-length").toLongLong();
            if (buffer.size() >= headEnd + 4 + length) {
                r.Body = buffer.mid(headEnd + 4, length);
                buffer.remove(0, headEnd + 4 + length);
                r.Complete = true;
                return r;
            }
        }
        if (!socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))) &&
            socket.state() != QAbstractSocket::ConnectedState)
            break;
    }
    return r;
}

// One running server; stopped with SIGTERM when it goes out of scope.
class Server {
public:
    explicit Server(const QStringList& args = {}) {
        process_.setReadChannel(QProcess::StandardError);
        process_.start(QStringLiteral(VORELIAN_SERVER),
                       QStringList{QStringLiteral("--port"), QStringLiteral("0")} + args);
        static const QRegularExpression listening(
            QStringLiteral("listening on http://127\\.0\\.0\\.1:(\\d+)/"));
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(200);
            err_ += process_.readAllStandardError();
            const auto m = listening.match(QString::fromUtf8(err_));
            if (m.hasMatch()) {
                Port = quint16(m.captured(1).toUInt());
                return;
            }
        }
    }
    ~Server() { Stop(); }

    Reply Get(const QByteArray& target, const QByteArray& method = "GET",
              const QByteArray& extra = {}) const {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, Port);
        if (!socket.waitForConnected(10000))
            return {};
        socket.write(RequestBytes(method, target, extra));
        QByteArray buffer;
        const Reply r = ReadReply(socket, method == "HEAD", buffer);
        // Nothing may follow the reply, such as a body after a HEAD.
        socket.waitForReadyRead(method == "HEAD" ? 200 : 0);
        return buffer.isEmpty() && socket.bytesAvailable() == 0 ? r : Reply{};
    }

    // Stops the server and returns its exit status; its stderr stays readable in Log().
    int Stop() {
        if (process_.state() != QProcess::NotRunning) {
            ::kill(pid_t(process_.processId()), SIGTERM);
            process_.waitForFinished(30000);
        }
        err_ += process_.readAllStandardError();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    const QByteArray& Log() const { return err_; }
    QProcess& Process() { return process_; }

    quint16 Port = 0;

private:
    QProcess process_;
    QByteArray err_;
};

// Sends requests for `target` over `connections` connections, each pipelining `batch` at a time, until
// `total` are sent or `limitMs` has passed; returns how many were sent and how many answered. The server's
// log is read on unless `readLog` is false.
std::pair<qint64, qint64> Flood(Server& server, const QByteArray& target, int connections, qint64 total,
                                int batch, int limitMs = 60000, bool readLog = true) {
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (int i = 0; i < connections; ++i) {
        sockets.push_back(std::make_unique<QTcpSocket>());
        sockets.back()->connectToHost(QHostAddress::LocalHost, server.Port);
        if (!sockets.back()->waitForConnected(10000))
            return {1, 0};
    }
    QByteArray requests;
    for (int i = 0; i < batch; ++i)
        requests += RequestBytes("GET", target);
    const QByteArray mark = "HTTP/1.1 ";
    qint64 sent = 0, answered = 0;
    QDeadlineTimer deadline(limitMs);
    while (sent < total && !deadline.hasExpired()) {
        for (auto& s : sockets)
            s->write(requests);
        sent += qint64(batch) * connections;
        for (auto& s : sockets) {
            QByteArray carry;
            int seen = 0;
            while (seen < batch) {
                if (s->bytesAvailable() == 0 && !s->waitForReadyRead(10000))
                    return {sent, answered};
                const QByteArray chunk = carry + s->readAll();
                seen += int(chunk.count(mark));
                carry = chunk.right(mark.size() - 1);
            }
            answered += seen;
        }
        if (readLog) {
            server.Process().waitForReadyRead(0);
            server.Process().readAllStandardError();
        }
    }
    return {sent, answered};
}

// AddressSanitizer keeps freed memory aside (256 MiB by default) before it is reused: a memory bound of
// the service allows for that in a sanitized build.
constexpr qint64 kSanitizerHoldMiB = kSanitizedBuild ? 256 : 0;

// The most memory a running process has held (VmHWM), in MiB; 0 when unknown.
qint64 PeakMemoryMiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() >> 10;
    return 0;
}

void WriteData(const QString& path, const QString& text) {
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(cp1251::Encode(crlf));
}

// tidy's verdict on a page: "" when it finds nothing to say.
QString TidyComplaints(const QByteArray& page) {
    const QString tidy = QStandardPaths::findExecutable(QStringLiteral("tidy"));
    if (tidy.isEmpty())
        return QStringLiteral("tidy is not installed");
    QProcess p;
    p.start(tidy, {QStringLiteral("-q"), QStringLiteral("-e"), QStringLiteral("-utf8")});
    p.write(page);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000))
        return QStringLiteral("tidy did not finish");
    const QByteArray said = p.readAllStandardError() + p.readAllStandardOutput();
    return p.exitCode() == 0 && said.trimmed().isEmpty() ? QString() : QString::fromUtf8(said);
}

const QByteArray kJson = "application/json; charset=utf-8";
const QByteArray kHtml = "text/html; charset=utf-8";
const QByteArray kDated = "public, max-age=86400";
const QByteArray kTenYears = "/calendar.ics?from=2020-01-01&to=2029-12-31";

} // namespace

class TestServer : public QObject {
    Q_OBJECT

    std::unique_ptr<Server> bundled_;
    QTemporaryDir fixture_;
    std::unique_ptr<Server> hostile_;

private Q_SLOTS:
    void initTestCase() {
        bundled_ = std::make_unique<Server>();
        QVERIFY2(bundled_->Port != 0, bundled_->Log().constData());
        QVERIFY(fixture_.isValid());
        // A data set whose texts try to break out of the page.
        WriteData(fixture_.filePath(QStringLiteral("January.DAT")),
                  QStringLiteral("[7]\nred=1\n0={1}<script>alert(\"x\")</script> & 'Собор' <b>Иоанна</b>\n"
                                 "1=Мч. <img src=x onerror=alert(1)>\n"));
        hostile_ = std::make_unique<Server>(QStringList{QStringLiteral("--data"), fixture_.path()});
        QVERIFY2(hostile_->Port != 0, hostile_->Log().constData());
    }

    // Every address on the bundled data: status, type, caching and CORS headers.
    void endpoints_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("cache");
        QTest::addColumn<bool>("cors");
        QTest::addColumn<bool>("etag");
        QTest::newRow("day") << QByteArray("/api/v1/day/2027-01-07") << 200 << kJson << kDated << true
                             << true;
        QTest::newRow("day AM") << QByteArray("/api/v1/day/7535-04-25?style=1") << 200 << kJson << kDated
                                << true << true;
        QTest::newRow("day Julian") << QByteArray("/api/v1/day/2026-12-25?style=2") << 200 << kJson << kDated
                                    << true << true;
        QTest::newRow("month") << QByteArray("/api/v1/month/2027-05") << 200 << kJson << kDated << true
                               << true;
        QTest::newRow("year") << QByteArray("/api/v1/year/2027") << 200 << kJson << kDated << true << true;
        QTest::newRow("feasts") << QByteArray("/api/v1/feasts/2027?style=2") << 200 << kJson << kDated << true
                                << true;
        QTest::newRow("search")
            << QByteArray("/api/v1/search?year=2027&text=%D0%9D%D0%B8%D0%BA%D0%BE%D0%BB&wholeWord=0") << 200
            << kJson << kDated << true << true;
        QTest::newRow("ics") << QByteArray("/calendar.ics?from=2027-01-01&to=2027-01-31&scope=great") << 200
                             << QByteArray("text/calendar; charset=utf-8") << kDated << false << true;
        QTest::newRow("today") << QByteArray("/") << 200 << kHtml << QByteArray("no-cache") << false << true;
        QTest::newRow("page") << QByteArray("/day/2027-05-02") << 200 << kHtml << kDated << false << true;
        QTest::newRow("health") << QByteArray("/healthz") << 200 << QByteArray("text/plain; charset=utf-8")
                                << QByteArray("no-store") << false << false;
        QTest::newRow("unknown") << QByteArray("/api/v2/day/2027-01-07") << 404 << kJson
                                 << QByteArray("no-store") << false << false;
        QTest::newRow("month page") << QByteArray("/month/2027-05") << 200 << kHtml << kDated << false
                                    << true;
        QTest::newRow("year page") << QByteArray("/year/2027?style=2") << 200 << kHtml << kDated << false
                                   << true;
        QTest::newRow("widget") << QByteArray("/embed/today") << 200 << kHtml << QByteArray("no-cache")
                                << false << true;
        QTest::newRow("stylesheet") << QByteArray("/style.css") << 200
                                    << QByteArray("text/css; charset=utf-8") << kDated << false << true;
        QTest::newRow("favicon") << QByteArray("/favicon.ico") << 200 << QByteArray("image/x-icon") << kDated
                                 << false << true;
        QTest::newRow("page 404") << QByteArray("/index.html") << 404 << kHtml << QByteArray("no-store")
                                  << false << false;
        QTest::newRow("page 400") << QByteArray("/month/2027-13") << 400 << kHtml << QByteArray("no-store")
                                  << false << false;
        QTest::newRow("bad date") << QByteArray("/api/v1/day/2027-02-29") << 400 << kJson
                                  << QByteArray("no-store") << true << false;
    }
    void endpoints() {
        QFETCH(QByteArray, target);
        QFETCH(int, status);
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, cache);
        QFETCH(bool, cors);
        QFETCH(bool, etag);
        const Reply r = bundled_->Get(target);
        QCOMPARE(r.Status, status);
        QVERIFY(r.Complete);
        QCOMPARE(r.Headers.value("content-type"), type);
        QCOMPARE(r.Headers.value("cache-control"), cache);
        QCOMPARE(r.Headers.value("access-control-allow-origin"), cors ? QByteArray("*") : QByteArray());
        QCOMPARE(r.Headers.contains("etag"), etag);
        QCOMPARE(r.Headers.value("content-length").toLongLong(), r.Body.size());
        QVERIFY(!r.Body.isEmpty());
        const QDateTime date =
            QDateTime::fromString(QString::fromLatin1(r.Headers.value("date")), Qt::RFC2822Date);
        QVERIFY(qAbs(date.secsTo(QDateTime::currentDateTimeUtc())) < 600);
        if (type == kJson)
            QVERIFY(QJsonDocument::fromJson(r.Body).isObject());
    }

    // The documents are the tool's, byte for byte.
    void sameAsTheTool_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QStringList>("args");
        const auto json = [](QStringList a) {
            return a << QStringLiteral("--format") << QStringLiteral("json");
        };
        QTest::newRow("day") << QByteArray("/api/v1/day/2027-01-07") << json({"day", "--date", "2027-01-07"});
        QTest::newRow("Pascha") << QByteArray("/api/v1/day/2027-05-02")
                                << json({"day", "--date", "2027-05-02"});
        QTest::newRow("day AM") << QByteArray("/api/v1/day/7535-04-25?style=1")
                                << json({"day", "--date", "7535-04-25", "--style", "1"});
        QTest::newRow("day Julian") << QByteArray("/api/v1/day/2026-12-25?style=2")
                                    << json({"day", "--date", "2026-12-25", "--style", "2"});
        QTest::newRow("month") << QByteArray("/api/v1/month/2027-05")
                               << json({"month", "--date", "2027-05-01"});
        QTest::newRow("month AM") << QByteArray("/api/v1/month/7536-01?style=1")
                                  << json({"month", "--date", "7536-01-01", "--style", "1"});
        QTest::newRow("year") << QByteArray("/api/v1/year/2027") << json({"year", "--date", "2027-01-01"});
        QTest::newRow("feasts") << QByteArray("/api/v1/feasts/2027")
                                << json({"feasts", "--date", "2027-01-01"});
        QTest::newRow("feasts Julian") << QByteArray("/api/v1/feasts/2027?style=2")
                                       << json({"feasts", "--date", "2027-01-01", "--style", "2"});
        QTest::newRow("search") << QByteArray("/api/v1/search?year=2027&text=%D0%9D%D0%B8%D0%BA%D0%BE%D0%BB")
                                << json({"search", "--date", "2027-01-01", "--text", "Никол"});
        QTest::newRow("search whole")
            << QByteArray("/api/v1/search?year=2027&text=%D0%9F%D0%B0%D1%81%D1%85%D0%B0&wholeWord=1")
            << json({"search", "--date", "2027-01-01", "--text", "Пасха", "--whole-word"});
        QTest::newRow("name days")
            << QByteArray("/api/v1/search?year=2027&name=%D0%9D%D0%B8%D0%BA%D0%BE%D0%BB%D0%B0%D0%B9")
            << json({"search", "--date", "2027-01-01", "--name", "Николай"});
        QTest::newRow("ics") << QByteArray("/calendar.ics?from=2027-01-01&to=2027-12-31&scope=red")
                             << QStringList{"ical",       "--from",  "2027-01-01", "--to",
                                            "2027-12-31", "--scope", "red"};
    }
    void sameAsTheTool() {
#ifndef VORELIAN_REPORT_TOOL
        QSKIP("vorelian-report is not built");
#else
        QFETCH(QByteArray, target);
        QFETCH(QStringList, args);
        const Run tool = RunProgram(QStringLiteral(VORELIAN_REPORT_TOOL), args);
        QCOMPARE(tool.Status, 0);
        const Reply r = bundled_->Get(target);
        QCOMPARE(r.Status, 200);
        QCOMPARE(r.Body, tool.Out);
#endif
    }

    // Every refusal is a JSON {"error": text} with the right status.
    void errors_data() {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("status");
        const QByteArray get = "GET";
        QTest::newRow("no 29 Feb") << get << QByteArray("/api/v1/day/2027-02-29") << 400;
        QTest::newRow("29 Feb Julian 1900") << get << QByteArray("/api/v1/day/1900-02-29?style=3") << 400;
        QTest::newRow("short date") << get << QByteArray("/api/v1/day/2027-1-7") << 400;
        QTest::newRow("no date") << get << QByteArray("/api/v1/day/") << 400;
        QTest::newRow("trailing slash") << get << QByteArray("/api/v1/day/2027-01-07/") << 400;
        QTest::newRow("before 1901") << get << QByteArray("/api/v1/day/1900-06-01") << 400;
        QTest::newRow("after 2100") << get << QByteArray("/api/v1/day/2101-06-01") << 400;
        QTest::newRow("style 4") << get << QByteArray("/api/v1/day/2027-01-07?style=4") << 400;
        QTest::newRow("style twice") << get << QByteArray("/api/v1/day/2027-01-07?style=1&style=3") << 400;
        QTest::newRow("month 0") << get << QByteArray("/api/v1/month/1901-00") << 400;
        QTest::newRow("day 0") << get << QByteArray("/api/v1/day/2027-01-00") << 400;
        QTest::newRow("month 13") << get << QByteArray("/api/v1/month/2027-13") << 400;
        QTest::newRow("month of 1900") << get << QByteArray("/api/v1/month/1900-12") << 400;
        QTest::newRow("year with month") << get << QByteArray("/api/v1/year/2027-01") << 400;
        QTest::newRow("feasts of 2101") << get << QByteArray("/api/v1/feasts/2101") << 400;
        QTest::newRow("search no text") << get << QByteArray("/api/v1/search?year=2027") << 400;
        QTest::newRow("search no year") << get << QByteArray("/api/v1/search?text=a") << 400;
        QTest::newRow("search long text")
            << get << "/api/v1/search?year=2027&text=" + QByteArray(201, 'a') << 400;
        QTest::newRow("search name and text")
            << get << QByteArray("/api/v1/search?year=2027&text=a&name=b") << 400;
        QTest::newRow("search blank name") << get << QByteArray("/api/v1/search?year=2027&name=%20") << 400;
        QTest::newRow("search wholeWord 2")
            << get << QByteArray("/api/v1/search?year=2027&text=a&wholeWord=2") << 400;
        QTest::newRow("ics 10 years")
            << get << QByteArray("/calendar.ics?from=2020-01-01&to=2030-01-01") << 400;
        QTest::newRow("ics backwards")
            << get << QByteArray("/calendar.ics?from=2027-02-01&to=2027-01-01") << 400;
        QTest::newRow("ics scope") << get << QByteArray("/calendar.ics?from=2027-01-01&to=2027-02-01&scope=x")
                                   << 400;
        QTest::newRow("ics bad date")
            << get << QByteArray("/calendar.ics?from=2027-02-30&to=2027-03-01") << 400;
        QTest::newRow("page bad date") << get << QByteArray("/day/2027-02-30") << 400;
        QTest::newRow("unknown") << get << QByteArray("/index.html") << 404;
        QTest::newRow("no files") << get << QByteArray("/../../etc/passwd") << 404;
        QTest::newRow("case") << get << QByteArray("/API/v1/day/2027-01-07") << 404;
        QTest::newRow("POST") << QByteArray("POST") << QByteArray("/api/v1/day/2027-01-07") << 405;
        QTest::newRow("DELETE page") << QByteArray("DELETE") << QByteArray("/") << 405;
        QTest::newRow("POST unknown") << QByteArray("POST") << QByteArray("/nothing") << 404;
        QTest::newRow("long address") << get << "/api/v1/day/2027-01-07?x=" + QByteArray(3000, 'a') << 414;
        QTest::newRow("long page address") << get << "/day/2027-01-07?x=" + QByteArray(3000, 'a') << 414;
        QTest::newRow("month 13 page") << get << QByteArray("/month/2027-13") << 400;
        QTest::newRow("month page of 2101") << get << QByteArray("/month/2101-01") << 400;
        QTest::newRow("month page style 4") << get << QByteArray("/month/2027-05?style=4") << 400;
        QTest::newRow("year page of 1900") << get << QByteArray("/year/1900") << 400;
        QTest::newRow("year page AM 7609") << get << QByteArray("/year/7609?style=1") << 400;
        QTest::newRow("form without date") << get << QByteArray("/day?date=") << 400;
        QTest::newRow("form 30 Feb") << get << QByteArray("/day?date=2027-02-30") << 400;
        QTest::newRow("widget style 0") << get << QByteArray("/embed/today?style=0") << 400;
        QTest::newRow("widget subpath") << get << QByteArray("/embed/today/x") << 404;
    }
    void errors() {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, target);
        QFETCH(int, status);
        const Reply r = bundled_->Get(target, method);
        QCOMPARE(r.Status, status);
        QCOMPARE(r.Headers.value("allow"), status == 405 ? QByteArray("GET, HEAD") : QByteArray());
        if (!target.startsWith("/api/")) {
            // A person reads it: Russian, with the way to today.
            QCOMPARE(r.Headers.value("content-type"), kHtml);
            QVERIFY(r.Body.contains("<a href=\"/\">Календарь на сегодня</a>"));
            QVERIFY(r.Body.contains(status == 404   ? "Такой страницы нет"
                                    : status == 400 ? "Неверный адрес"
                                                    : "<h1>"));
            return;
        }
        QCOMPARE(r.Headers.value("content-type"), kJson);
        const QJsonDocument doc = QJsonDocument::fromJson(r.Body);
        QVERIFY(doc.isObject());
        QVERIFY(!doc.object().value(QStringLiteral("error")).toString().isEmpty());
    }

    // A client that holds the answer gets 304; another request, style or data set has another tag.
    void etagAndNotModified() {
        const Reply first = bundled_->Get("/api/v1/day/2027-01-07");
        const QByteArray tag = first.Headers.value("etag");
        QVERIFY(tag.startsWith('"') && tag.endsWith('"'));
        const Reply again = bundled_->Get("/api/v1/day/2027-01-07", "GET", "If-None-Match: " + tag + "\r\n");
        QCOMPARE(again.Status, 304);
        QVERIFY(again.Body.isEmpty());
        QCOMPARE(again.Headers.value("etag"), tag);
        QCOMPARE(again.Headers.value("cache-control"), kDated);
        const Reply listed =
            bundled_->Get("/api/v1/day/2027-01-07", "GET", "If-None-Match: \"x\", W/" + tag + "\r\n");
        QCOMPARE(listed.Status, 304);
        const Reply other = bundled_->Get("/api/v1/day/2027-01-08", "GET", "If-None-Match: " + tag + "\r\n");
        QCOMPARE(other.Status, 200);
        QVERIFY(bundled_->Get("/api/v1/day/2027-01-07?style=3").Headers.value("etag") == tag);
        QVERIFY(bundled_->Get("/api/v1/day/2026-12-25?style=2").Headers.value("etag") != tag);
        const Reply plain = bundled_->Get("/api/v1/day/2027-01-07?readings=0");
        QVERIFY(plain.Headers.value("etag") != tag);
        QVERIFY(plain.Body.contains("\"readings\": null") && !first.Body.contains("\"readings\": null"));
        QCOMPARE(bundled_->Get("/api/v1/day/2027-01-07?readings=1").Headers.value("etag"), tag);
        QCOMPARE(bundled_->Get("/day/2027-01-07?readings=2").Status, 400);
        QVERIFY(hostile_->Get("/api/v1/day/2027-01-07").Headers.value("etag") != tag);
        // Today's page carries the date in its tag: the same tag as the dated page of today, never a
        // tag that outlives midnight.
        const QByteArray today = "/day/" + QDate::currentDate().toString(Qt::ISODate).toLatin1();
        QCOMPARE(bundled_->Get("/").Headers.value("etag"), bundled_->Get(today).Headers.value("etag"));
        // The tag is known without the document: the ten-year feed and a page answer 304 with no body.
        for (const QByteArray& target : {kTenYears, QByteArray("/month/2027-05?style=2")}) {
            const QByteArray held = bundled_->Get(target, "HEAD").Headers.value("etag");
            const Reply same = bundled_->Get(target, "GET", "If-None-Match: " + held + "\r\n");
            QCOMPARE(same.Status, 304);
            QVERIFY(same.Body.isEmpty() && !held.isEmpty());
        }
    }

    void headHasNoBody_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("api") << QByteArray("/api/v1/day/2027-01-07");
        QTest::newRow("page") << QByteArray("/day/2027-01-07");
        QTest::newRow("error") << QByteArray("/api/v1/day/2027-13-07");
        QTest::newRow("ten years") << kTenYears;
        QTest::newRow("page error") << QByteArray("/day/2027-13-07");
    }
    void headHasNoBody() {
        QFETCH(QByteArray, target);
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, bundled_->Port);
        QVERIFY(socket.waitForConnected(10000));
        // HEAD then GET on one connection: a body after the HEAD would show up as the GET's status line.
        socket.write(RequestBytes("HEAD", target) + RequestBytes("GET", target));
        QByteArray buffer;
        Reply head = ReadReply(socket, true, buffer);
        Reply get = ReadReply(socket, false, buffer);
        QVERIFY(get.Status == 200 || get.Status == 400);
        QCOMPARE(head.Status, get.Status);
        head.Headers.remove("date"); // the two may fall in different seconds
        get.Headers.remove("date");
        // A document is not built for a HEAD, so its length is not known; an error's is.
        QCOMPARE(get.Body.size(), get.Headers.value("content-length").toLongLong());
        QCOMPARE(head.Headers.contains("content-length"), get.Status != 200);
        head.Headers.remove("content-length");
        get.Headers.remove("content-length");
        QCOMPARE(head.Headers, get.Headers);
        QVERIFY(head.Body.isEmpty());
    }

    // 50 clients at once, each with its own day, all answered with their own day.
    void fiftyAtOnce() {
        constexpr int n = 50;
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        const QDate start(2027, 1, 1);
        for (int i = 0; i < n; ++i) {
            sockets.push_back(std::make_unique<QTcpSocket>());
            sockets.back()->connectToHost(QHostAddress::LocalHost, bundled_->Port);
        }
        for (int i = 0; i < n; ++i) {
            QVERIFY(sockets[i]->waitForConnected(10000));
            const QByteArray date = start.addDays(i * 7).toString(Qt::ISODate).toLatin1();
            sockets[i]->write(RequestBytes("GET", "/api/v1/day/" + date));
            sockets[i]->flush();
        }
        for (int i = 0; i < n; ++i) {
            QByteArray buffer;
            const Reply r = ReadReply(*sockets[i], false, buffer);
            QCOMPARE(r.Status, 200);
            const QJsonObject day =
                QJsonDocument::fromJson(r.Body).object()[QStringLiteral("days")][0].toObject();
            QCOMPARE(day[QStringLiteral("gregorian")].toString(), start.addDays(i * 7).toString(Qt::ISODate));
        }
    }

    // A body nobody asked for is not read into memory: past 64 KiB without an answer the connection closes,
    // and the server goes on answering others.
    void unaskedBodyClosesTheConnection() {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, bundled_->Port);
        QVERIFY(socket.waitForConnected(10000));
        socket.write(RequestBytes("POST", "/api/v1/day/2027-01-07", "Content-Length: 100000000\r\n"));
        const QByteArray chunk(64 * 1024, 'x');
        for (int i = 0; i < 16 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
            socket.write(chunk);
            socket.waitForBytesWritten(1000);
        }
        QVERIFY(socket.state() != QAbstractSocket::ConnectedState || socket.waitForDisconnected(10000));
        QCOMPARE(bundled_->Get("/healthz").Status, 200);
    }

    // Texts from the data files never become markup in the page.
    void dataTextsEscaped() {
        // Julian 7 January 2027 is Gregorian 20 January.
        const Reply r = hostile_->Get("/day/2027-01-20");
        QCOMPARE(r.Status, 200);
        QVERIFY2(!r.Body.contains("<script"), r.Body.constData());
        QVERIFY(!r.Body.contains("<img"));
        QVERIFY(!r.Body.contains("<b>"));
        QVERIFY2(r.Body.contains("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; &#39;Собор&#39; "
                                 "&lt;b&gt;Иоанна&lt;/b&gt;"),
                 r.Body.constData());
        QVERIFY(r.Body.contains("&lt;img src=x onerror=alert(1)&gt;"));
        // The month grid shows the same texts as each day's chief commemoration.
        const QByteArray month = hostile_->Get("/month/2027-01").Body;
        QVERIFY(month.contains("&lt;script&gt;") && !month.contains("<script") && !month.contains("<b>"));
        QCOMPARE(r.Headers.value("content-security-policy"),
                 QByteArray("default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self'; "
                            "frame-ancestors 'none'"));
        QCOMPARE(r.Headers.value("x-frame-options"), QByteArray("DENY"));
        QCOMPARE(TidyComplaints(r.Body), QString());
    }

    void pagesAreValidHtml5_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("today");
        const QByteArray today = "<a href=\"/\">Сегодня</a>";
        QTest::newRow("today") << QByteArray("/") << 200 << today;
        QTest::newRow("Christmas") << QByteArray("/day/2027-01-07") << 200 << today;
        QTest::newRow("Pascha") << QByteArray("/day/2027-05-02") << 200 << today;
        QTest::newRow("first day") << QByteArray("/day/1901-01-01") << 200 << today;
        QTest::newRow("last day") << QByteArray("/day/2100-12-31") << 200 << today;
        QTest::newRow("old style") << QByteArray("/day/2026-12-25?style=2&readings=0") << 200
                                   << QByteArray("<a href=\"/?style=2&amp;readings=0\">Сегодня</a>");
        QTest::newRow("month") << QByteArray("/month/2027-05") << 200 << today;
        QTest::newRow("first month") << QByteArray("/month/1901-01") << 200 << today;
        QTest::newRow("month AM") << QByteArray("/month/7536-01?style=1") << 200
                                  << QByteArray("<a href=\"/?style=1\">Сегодня</a>");
        QTest::newRow("year") << QByteArray("/year/2027") << 200 << today;
        QTest::newRow("widget") << QByteArray("/embed/today") << 200
                                << QByteArray("<base target=\"_blank\">");
        QTest::newRow("404") << QByteArray("/nothing") << 404 << QByteArray("Календарь на сегодня");
        QTest::newRow("400") << QByteArray("/day/2027-02-30") << 400 << QByteArray("Календарь на сегодня");
    }
    void pagesAreValidHtml5() {
        QFETCH(QByteArray, target);
        QFETCH(int, status);
        QFETCH(QByteArray, today);
        const Reply r = bundled_->Get(target);
        QCOMPARE(r.Status, status);
        QCOMPARE(TidyComplaints(r.Body), QString());
        QVERIFY(r.Body.contains(today));
        QVERIFY(r.Body.contains("<meta name=\"color-scheme\" content=\"light dark\">"));
        QVERIFY(r.Body.contains("<link rel=\"icon\" href=\"/favicon.ico\">"));
    }

    // What a visitor finds on each page: its links, the style it keeps, the legend, the subscription,
    // the grid, the feasts and fasts. Fasts of 2027 as the published church calendars give them.
    void pageContents_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArrayList>("shown");
        QTest::newRow("Pascha") << QByteArray("/day/2027-05-02")
                                << QByteArrayList{
                                       "<a href=\"/day/2027-04-25\">←&#160;Неделя назад</a>",
                                       "<a href=\"/day/2027-05-09\">Неделя вперёд&#160;→</a>",
                                       "<a href=\"/day/2027-04-02\">←&#160;Месяц назад</a>",
                                       "<a href=\"/day/2027-06-02\">Месяц вперёд&#160;→</a>",
                                       "<a href=\"/month/2027-05\">Май 2027 г.</a>",
                                       "<a href=\"/year/2027\">Праздники и посты года</a>",
                                       "name=\"date\" value=\"2027-05-02\" min=\"1901-01-01\" "
                                       "max=\"2100-12-31\"",
                                       "<strong>по новому стилю</strong>",
                                       "<a href=\"/day/2027-04-19?style=2\">по старому стилю</a>",
                                       "<a href=\"/day/7535-08-19?style=1\">от Сотворения мира</a>",
                                       "<span class=\"rank\">(+)</span> — великий праздник</li>",
                                       "<span class=\"rank\">ш</span> — шестеричная служба</li>",
                                       "<span class=\"rank\">·</span> — память",
                                       "<span class=\"rank\">◆</span> — постный день",
                                       "<a href=\"webcal://127.0.0.1/calendar.ics?scope=great\">",
                                       "<a href=\"/calendar.ics?scope=great\">"};
        QTest::newRow("end of January")
            << QByteArray("/day/2027-01-31")
            << QByteArrayList{"<a href=\"/day/2027-02-28\">Месяц вперёд&#160;→</a>",
                              "<a href=\"/day/2026-12-31\">←&#160;Месяц назад</a>"};
        QTest::newRow("Christmas old style")
            << QByteArray("/day/2026-12-25?style=2")
            << QByteArrayList{"<h1 class=\"red\">Четверг, 25 декабря 2026 г. по старому стилю</h1>",
                              "<a href=\"/day/2026-12-24?style=2\" rel=\"prev\">",
                              "<a href=\"/month/2026-12?style=2\">Декабрь 2026 г. по старому стилю</a>",
                              "<a href=\"/day/2027-01-07\">по новому стилю</a>",
                              "<input type=\"hidden\" name=\"style\" value=\"2\">"};
        QTest::newRow("month") << QByteArray("/month/2027-05")
                               << QByteArrayList{
                                      "<h1>Май 2027 г.</h1>",
                                      "<a href=\"/month/2027-04\" rel=\"prev\">←&#160;Апрель</a>",
                                      "<a href=\"/month/2027-06\" rel=\"next\">Июнь&#160;→</a>",
                                      "<th>Пн</th><th>Вт</th>",
                                      "<tr><td class=\"empty\"></td><td class=\"empty\"></td>"
                                      "<td class=\"empty\"></td><td class=\"empty\"></td>"
                                      "<td class=\"empty\"></td><td><a href=\"/day/2027-05-01\">1</a>",
                                      "<td class=\"red\"><a href=\"/day/2027-05-02\">2</a> "
                                      "<span class=\"wd\">Вс</span> <span class=\"chief\">"};
        QTest::newRow("first month") << QByteArray("/month/1901-01")
                                     << QByteArrayList{"<a href=\"/month/1901-02\" rel=\"next\">"};
        QTest::newRow("year") << QByteArray("/year/2027")
                              << QByteArrayList{
                                     "<a href=\"/year/2028\" rel=\"next\">2028&#160;→</a>",
                                     "<a href=\"/day/2027-01-18\">18&#160;января</a> — Навечерие",
                                     "<a href=\"/day/2027-03-15\">15&#160;марта</a>&#160;– "
                                     "<a href=\"/day/2027-05-01\">1&#160;мая</a> — Великий пост",
                                     "<a href=\"/day/2027-06-28\">28&#160;июня</a>&#160;– "
                                     "<a href=\"/day/2027-07-11\">11&#160;июля</a> — Петров пост",
                                     "<a href=\"/day/2027-08-14\">14&#160;августа</a>&#160;– "
                                     "<a href=\"/day/2027-08-27\">27&#160;августа</a> — Успенский",
                                     "<a href=\"/day/2027-11-28\">28&#160;ноября</a>&#160;– "
                                     "<a href=\"/day/2028-01-06\">6&#160;января</a> — Рождественский",
                                     "<a href=\"/day/2027-05-02\">2&#160;мая</a> — ",
                                     "<a href=\"/month/2027-12\">Декабрь</a></p>"};
        QTest::newRow("year AM") << QByteArray("/year/7536?style=1")
                                 << QByteArrayList{
                                        "<h1>Праздники и посты: 7536 г. от Сотворения мира</h1>",
                                        "<li><a href=\"/day/7536-01-14?style=1\">14&#160;сентября</a> — "
                                        "Воздвижение"};
        QTest::newRow("widget") << QByteArray("/embed/today")
                                << QByteArrayList{"<main class=\"embed\">",
                                                  "<summary>Условные знаки</summary>"};
    }
    void pageContents() {
        QFETCH(QByteArray, target);
        QFETCH(QByteArrayList, shown);
        const Reply r = bundled_->Get(target);
        QCOMPARE(r.Status, 200);
        for (const QByteArray& s : shown)
            QVERIFY2(r.Body.contains(s), s.constData());
    }

    // The date field's form goes on to the day's own address in the style it was sent from.
    void dateForm_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("location");
        QTest::newRow("new style") << QByteArray("/day?date=2027-01-07") << QByteArray("/day/2027-01-07");
        QTest::newRow("old style") << QByteArray("/day?date=2027-01-07&style=2")
                                   << QByteArray("/day/2026-12-25?style=2");
        QTest::newRow("AM, no readings") << QByteArray("/day?date=2027-01-07&style=1&readings=0")
                                         << QByteArray("/day/7535-04-25?style=1&readings=0");
    }
    void dateForm() {
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, location);
        const Reply r = bundled_->Get(target);
        QCOMPARE(r.Status, 303);
        QCOMPARE(r.Headers.value("location"), location);
    }

    // Only the widget may be framed by another site.
    void framing_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<bool>("framed");
        QTest::newRow("widget") << QByteArray("/embed/today") << true;
        QTest::newRow("day") << QByteArray("/day/2027-01-07") << false;
        QTest::newRow("month") << QByteArray("/month/2027-01") << false;
        QTest::newRow("error") << QByteArray("/embed") << false;
    }
    void framing() {
        QFETCH(QByteArray, target);
        QFETCH(bool, framed);
        const Reply r = bundled_->Get(target);
        QCOMPARE(r.Headers.value("x-frame-options"), framed ? QByteArray() : QByteArray("DENY"));
        QCOMPARE(r.Headers.value("content-security-policy").contains("frame-ancestors *"), framed);
    }

    // The icon is an .ico holding the program's 16 and 32 pixel PNG pictures.
    void favicon() {
        const QByteArray ico = bundled_->Get("/favicon.ico").Body;
        QCOMPARE(ico.left(6), QByteArray("\0\0\1\0\2\0", 6));
        const auto le32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(ico.constData() + at); };
        QCOMPARE(quint8(ico[6]), quint8(16));
        QCOMPARE(quint8(ico[22]), quint8(32));
        QCOMPARE(le32(18), 38u);
        QCOMPARE(le32(18 + 16), 38u + le32(14));
        QCOMPARE(qsizetype(le32(18 + 16) + le32(14 + 16)), ico.size());
        QCOMPARE(ico.mid(38, 4), QByteArray("\x89PNG"));
        QCOMPARE(ico.mid(le32(34), 4), QByteArray("\x89PNG"));
    }

    // The page's links: the day before and after, none past the ends of the served years.
    void pageLinks_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("previous");
        QTest::addColumn<QByteArray>("next");
        QTest::newRow("new year") << QByteArray("/day/2027-01-01") << QByteArray("/day/2026-12-31")
                                  << QByteArray("/day/2027-01-02");
        QTest::newRow("leap day") << QByteArray("/day/2028-02-29") << QByteArray("/day/2028-02-28")
                                  << QByteArray("/day/2028-03-01");
        QTest::newRow("first") << QByteArray("/day/1901-01-01") << QByteArray()
                               << QByteArray("/day/1901-01-02");
        QTest::newRow("last") << QByteArray("/day/2100-12-31") << QByteArray("/day/2100-12-30")
                              << QByteArray();
    }
    void pageLinks() {
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, previous);
        QFETCH(QByteArray, next);
        const QByteArray body = bundled_->Get(target).Body;
        QCOMPARE(body.contains("rel=\"prev\""), !previous.isEmpty());
        QCOMPARE(body.contains("rel=\"next\""), !next.isEmpty());
        if (!previous.isEmpty())
            QVERIFY(body.contains("<a href=\"" + previous + "\" rel=\"prev\">"));
        if (!next.isEmpty())
            QVERIFY(body.contains("<a href=\"" + next + "\" rel=\"next\">"));
    }

    // The page made from hand-made values: dates in three styles, the weekday line, rank marks, red
    // entries and the fast.
    void pageFromValues() {
        DayInfo d;
        d.Gregorian = {2027, 1, 7};
        d.Julian = {2026, 12, 25};
        d.AnnoMundi = {7535, 4, 25};
        d.Weekday = 4;
        d.Red = true;
        d.WeekdayLine = QStringLiteral("Седмица 31-я по Пятидесятнице. Глас 4-й.");
        d.Entries.push_back({0, Rank::Great, false, true, QString(), QStringLiteral("Рождество Христово.")});
        d.Entries.push_back(
            {1, Rank::None, false, false, QString(), QStringLiteral("Мц. <Анастасии> & \"др.\"")});
        d.Entries.push_back({4, Rank::None, false, false, QString(), QStringLiteral("Святки.")});
        d.Fast = Fasting{FastLevel::None, QStringLiteral("Поста нет.")};
        const QByteArray page = DayPage(d, DayOptions{}, Site{});
        QVERIFY(page.contains("<h1 class=\"red\">Четверг, 7 января 2027 г.</h1>"));
        QVERIFY(page.contains("По новому стилю: <span class=\"date\">7 января 2027 г.</span>"));
        QVERIFY(page.contains("По старому стилю: <span class=\"date\">25 декабря 2026 г.</span>"));
        QVERIFY(page.contains("От Сотворения мира: <span class=\"date\">25 декабря 7535 г.</span>"));
        QVERIFY(page.contains("<p class=\"weekday\">Седмица 31-я по Пятидесятнице. Глас 4-й.</p>"));
        QVERIFY(page.contains("<li class=\"red\"><span class=\"rank\" title=\"великий праздник\">(+)</span> "
                              "Рождество Христово.</li>"));
        QVERIFY(page.contains(
            "<li><span class=\"rank\">·</span> Мц. &lt;Анастасии&gt; &amp; &quot;др.&quot;</li>"));
        QVERIFY(page.contains("<li><span class=\"rank\">&#160;</span> Святки.</li>"));
        QVERIFY(page.contains("<p class=\"fast\">Поста нет.</p>"));
        QCOMPARE(page.count("Поста нет."), 1);
        QCOMPARE(page.count("<ul class=\"entries\">"), 3);
        QCOMPARE(TidyComplaints(page), QString());
        DayOptions noFast;
        noFast.ShowFasting = false;
        QVERIFY(!DayPage(d, noFast, Site{}).contains("Поста нет."));
    }

    void httpDate() {
        QCOMPARE(HttpDate(QDateTime(QDate(2026, 12, 7), QTime(6, 5, 4), Qt::UTC)),
                 QByteArray("Mon, 07 Dec 2026 06:05:04 GMT"));
    }

    void logEscaping_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QByteArray>("logged");
        QTest::newRow("plain") << QByteArray("/api/v1/day/2027-01-07")
                               << QByteArray("/api/v1/day/2027-01-07");
        QTest::newRow("newline") << QByteArray("/a\nGET /forged 200") << QByteArray("/a\\x0aGET /forged 200");
        QTest::newRow("escape") << QByteArray("/\x1b[31m") << QByteArray("/\\x1b[31m");
        QTest::newRow("backslash") << QByteArray("/a\\x0a") << QByteArray("/a\\\\x0a");
        QTest::newRow("delete and high") << QByteArray("/\x7f\xd0") << QByteArray("/\\x7f\\xd0");
    }
    void logEscaping() {
        QFETCH(QByteArray, raw);
        QFETCH(QByteArray, logged);
        QCOMPARE(LogEscaped(raw), logged);
    }

    // One line a request: method, path, status, microseconds; then a clean stop on SIGTERM, SIGINT or SIGHUP.
    void logAndStop_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void logAndStop() {
        QFETCH(int, signal);
        Server s;
        QVERIFY(s.Port != 0);
        QCOMPARE(s.Get("/api/v1/day/2027-01-07?style=3").Status, 200);
        QCOMPARE(s.Get("/api/v1/day/2027-13-07", "HEAD").Status, 400);
        ::kill(pid_t(s.Process().processId()), signal);
        QVERIFY(s.Process().waitForFinished(30000));
        QCOMPARE(s.Stop(), 0);
        const QString log = QString::fromUtf8(s.Log());
        QVERIFY2(log.contains(QRegularExpression(
                     QStringLiteral("\nGET /api/v1/day/2027-01-07\\?style=3 200 \\d+us\n"))),
                 qPrintable(log));
        QVERIFY(
            log.contains(QRegularExpression(QStringLiteral("\nHEAD /api/v1/day/2027-13-07 400 \\d+us\n"))));
        QVERIFY(log.endsWith(QStringLiteral("vorelian-server: stopped\n")));
    }

    // Exit statuses at start, as the report tool's: 2 bad arguments (a --data folder that is not there
    // among them), 3 no data set found anywhere (here the folder of VORELIAN_DATA is missing).
    void startFailures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown option") << QStringList{"--verbose"} << "" << 2;
        QTest::newRow("port text") << QStringList{"--port", "http"} << "" << 2;
        QTest::newRow("port too big") << QStringList{"--port=65536"} << "" << 2;
        QTest::newRow("threads 0") << QStringList{"--threads", "0"} << "" << 2;
        QTest::newRow("bind name") << QStringList{"--bind", "localhost"} << "" << 2;
        QTest::newRow("no value") << QStringList{"--data"} << "" << 2;
        QTest::newRow("empty value") << QStringList{"--data="} << "" << 2;
        QTest::newRow("no folder") << QStringList{"--port", "0", "--data", "/nonexistent/Calendar"} << ""
                                   << 2;
        QTest::newRow("no data set") << QStringList{"--port", "0"} << "/nonexistent/Calendar" << 3;
    }
    void startFailures() {
        QFETCH(QStringList, args);
        QFETCH(QString, variable);
        QFETCH(int, status);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!variable.isEmpty())
            env.insert(QStringLiteral("VORELIAN_DATA"), variable);
        const Run r = RunProgram(QStringLiteral(VORELIAN_SERVER), args, env);
        QCOMPARE(r.Status, status);
        QCOMPARE(r.Err.count('\n'), 1);
        QVERIFY(r.Err.startsWith("vorelian-server: "));
        if (status == 3)
            QVERIFY(r.Err.contains(variable.toUtf8()));
    }
    // A --data folder without January.DAT is no data set: the server does not start on it, and says
    // which folder it looked at.
    void emptyDataFolder() {
        QTemporaryDir empty;
        const Run r = RunProgram(QStringLiteral(VORELIAN_SERVER), {"--port", "0", "--data", empty.path()});
        QCOMPARE(r.Status, 3);
        QVERIFY2(r.Err.contains(empty.path().toUtf8()), r.Err.constData());
    }
    void portTaken() {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
        const Run r =
            RunProgram(QStringLiteral(VORELIAN_SERVER), {"--port", QString::number(taken.serverPort())});
        QCOMPARE(r.Status, 1);
        QVERIFY(r.Err.contains("cannot listen"));
    }
    void help() {
        const Run r = RunProgram(QStringLiteral(VORELIAN_SERVER), {"--help"});
        QCOMPARE(r.Status, 0);
        QVERIFY(r.Out.contains("--threads"));
    }

    // Request heads that HTTP/1.1 forbids or that two readers could frame differently, sent whole or in
    // pieces: each is refused with its status and the connection closed, nothing after it answered;
    // the allowed neighbours of each rule are answered.
    void strictHeads_data() {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<int>("status");
        using B = QByteArrayList;
        const QByteArray next = "GET /healthz HTTP/1.1\r\nHost: x\r\n\r\n";
        QTest::newRow("1.1 without Host") << B{"GET /healthz HTTP/1.1\r\n\r\n" + next} << 400;
        QTest::newRow("1.0 without Host") << B{"GET /healthz HTTP/1.0\r\n\r\n"} << 200;
        QTest::newRow("two Hosts") << B{"GET /healthz HTTP/1.1\r\nHost: a\r\nHost: b\r\n\r\n"} << 400;
        QTest::newRow("HTTP/9.9") << B{"GET /healthz HTTP/9.9\r\nHost: x\r\n\r\n" + next} << 400;
        QTest::newRow("HTTPX1.1") << B{"GET /healthz HTTPX1.1\r\nHost: x\r\n\r\n"} << 400;
        QTest::newRow("two blanks") << B{"GET  /healthz HTTP/1.1\r\nHost: x\r\n\r\n"} << 400;
        QTest::newRow("blank before colon") << B{"GET /healthz HTTP/1.1\r\nHost : x\r\n\r\n"} << 400;
        QTest::newRow("folded line") << B{"GET /healthz HTTP/1.1\r\nHost: x\r\n y\r\n\r\n"} << 400;
        QTest::newRow("two lengths")
            << B{"POST /x HTTP/1.1\r\nHost: x\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab"} << 400;
        QTest::newRow("one length twice")
            << B{"GET /healthz HTTP/1.1\r\nHost: x\r\nContent-Length: 2\r\nContent-Length: 2\r\n\r\nab"}
            << 200;
        QTest::newRow("negative length")
            << B{"POST /x HTTP/1.1\r\nHost: x\r\nContent-Length: -1\r\n\r\n" + next} << 400;
        QTest::newRow("2^64-1 length")
            << B{"POST /x HTTP/1.1\r\nHost: x\r\nContent-Length: 18446744073709551615\r\n\r\n"} << 400;
        QTest::newRow("length and chunked")
            << B{"POST /x HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n"
                 "0\r\n\r\n"}
            << 400;
        QTest::newRow("chunked") << B{"POST /x HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n"}
                                 << 411;
        QTest::newRow("large body") << B{"POST /x HTTP/1.1\r\nHost: x\r\nContent-Length: 100000\r\n\r\n"}
                                    << 413;
        QTest::newRow("other expectation")
            << B{"GET /healthz HTTP/1.1\r\nHost: x\r\nExpect: joy\r\n\r\n"} << 417;
        QTest::newRow("in pieces") << B{"GET /heal", "thz HTTP/1.1\r\nHo", "st: x\r\n", "\r\n"} << 200;
        QTest::newRow("bad in pieces") << B{"GET /healthz HT", "TP/1.1\r\n", "\r\n" + next} << 400;
        QTest::newRow("bad after a good one") << B{next + "GET /healthz HTTP/1.1\r\n\r\n"} << 400;
    }
    void strictHeads() {
        QFETCH(QByteArrayList, pieces);
        QFETCH(int, status);
        QTcpSocket c;
        c.connectToHost(QHostAddress::LocalHost, bundled_->Port);
        QVERIFY(c.waitForConnected(10000));
        for (const QByteArray& piece : pieces) {
            c.write(piece);
            QVERIFY(c.waitForBytesWritten(10000));
            QTest::qWait(50);
        }
        QByteArray buffer;
        Reply r = ReadReply(c, false, buffer);
        if (QTest::currentDataTag() == QByteArray("bad after a good one")) {
            QCOMPARE(r.Status, 200);
            r = ReadReply(c, false, buffer);
        }
        QCOMPARE(r.Status, status);
        if (status >= 400) {
            QVERIFY(!QJsonDocument::fromJson(r.Body)
                         .object()
                         .value(QStringLiteral("error"))
                         .toString()
                         .isEmpty());
            QVERIFY(c.state() == QAbstractSocket::UnconnectedState || c.waitForDisconnected(10000));
            QVERIFY(buffer.isEmpty() && c.bytesAvailable() == 0);
        }
    }
    // Expect: 100-continue before a body gets 100 Continue, then the answer.
    void continueBeforeTheBody() {
        QTcpSocket c;
        c.connectToHost(QHostAddress::LocalHost, bundled_->Port);
        QVERIFY(c.waitForConnected(10000));
        c.write("POST /healthz HTTP/1.1\r\nHost: x\r\nExpect: 100-continue\r\nContent-Length: 3\r\n\r\n");
        QByteArray buffer;
        QCOMPARE(ReadReply(c, true, buffer).Status, 100);
        c.write("abc");
        QCOMPARE(ReadReply(c, false, buffer).Status, 405);
    }

    // Hostile clients and logs, one scenario a row: each leaves the server answering others.
    void hostileClients_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("cheap flood") << QStringLiteral("cheap flood") << QStringList{"--log", "off"};
        QTest::newRow("closed log pipe") << QStringLiteral("closed log pipe") << QStringList{};
        QTest::newRow("full log pipe") << QStringLiteral("full log pipe") << QStringList{};
        QTest::newRow("large file") << QStringLiteral("large file") << QStringList{};
        QTest::newRow("abandon flood") << QStringLiteral("abandon flood") << QStringList{"--log", "off"};
        QTest::newRow("non-reading pipeliner") << QStringLiteral("non-reading pipeliner") << QStringList{};
        QTest::newRow("HTTP/1.0") << QStringLiteral("HTTP/1.0") << QStringList{};
        QTest::newRow("Connection: close") << QStringLiteral("Connection: close") << QStringList{};
        QTest::newRow("keep-alive 1.0") << QStringLiteral("keep-alive 1.0") << QStringList{};
        QTest::newRow("600 idle sockets") << QStringLiteral("600 idle sockets") << QStringList{};
        QTest::newRow("idle timeout") << QStringLiteral("idle timeout") << QStringList{"--idle-timeout", "1"};
        QTest::newRow("per-address cap")
            << QStringLiteral("per-address cap") << QStringList{"--max-per-address", "2"};
        QTest::newRow("idle evicted at the cap")
            << QStringLiteral("idle evicted") << QStringList{"--max-connections", "2"};
        QTest::newRow("60 KB sent ahead") << QStringLiteral("sent ahead") << QStringList{};
        QTest::newRow("trickled head") << QStringLiteral("trickled head") << QStringList{};
    }
    void hostileClients() {
        QFETCH(QString, scenario);
        QFETCH(QStringList, args);
        QTemporaryDir data;
        if (scenario == u"large file") {
            // A 4 GiB backup beside the data files, sparse so that it costs no disk.
            WriteData(data.filePath(QStringLiteral("January.DAT")), QStringLiteral("[7]\n0=Рождество\n"));
            QFile backup(data.filePath(QStringLiteral("Calendar.bak")));
            QVERIFY(backup.open(QIODevice::WriteOnly) && backup.resize(qint64(4) << 30));
            args << QStringLiteral("--data") << data.path();
        }
        Server s(args);
        QVERIFY(s.Port != 0);
        if (scenario == u"cheap flood") {
            // Cheap answers at full speed over many connections: up to 300,000 of them within a minute.
            const auto [sent, answered] = Flood(s, "/nope", 32, 300000, 10);
            QVERIFY(sent > 0);
            QCOMPARE(answered, sent);
        } else if (scenario == u"closed log pipe") {
            // As `vorelian-server 2>&1 | head -n 1`: the log's reader has gone after the first line.
            s.Process().closeReadChannel(QProcess::StandardError);
            QCOMPARE(s.Get("/api/v1/day/2027-01-07").Status, 200);
        } else if (scenario == u"abandon flood") {
            // Clients that ask for ten years and hang up at once: their work is skipped, and the health
            // check is answered before any of it.
            const QByteArray ask = RequestBytes("GET", kTenYears);
            for (int i = 0; i < 1000; ++i) {
                QTcpSocket c;
                c.connectToHost(QHostAddress::LocalHost, s.Port);
                QVERIFY(c.waitForConnected(10000));
                c.write(ask);
                c.waitForBytesWritten(1000);
                c.abort();
            }
            QCOMPARE(s.Get("/healthz").Status, 200);
        } else if (scenario == u"non-reading pipeliner") {
            // 20 connections that ask for 30 ten-year calendars each and read nothing hold at most a few
            // answers each in memory, not 600 of 2 MB.
            std::vector<std::unique_ptr<QTcpSocket>> clients;
            QByteArray asks;
            for (int i = 0; i < 30; ++i)
                asks += RequestBytes("GET", kTenYears);
            for (int i = 0; i < 20; ++i) {
                clients.push_back(std::make_unique<QTcpSocket>());
                clients.back()->setReadBufferSize(4096);
                clients.back()->connectToHost(QHostAddress::LocalHost, s.Port);
                QVERIFY(clients.back()->waitForConnected(10000));
                clients.back()->write(asks);
                QVERIFY(clients.back()->waitForBytesWritten(10000));
            }
            QTest::qWait(8000);
            QCOMPARE(s.Get("/healthz").Status, 200);
            const qint64 peak = PeakMemoryMiB(s.Process().processId());
            QVERIFY2(peak < 600 + kSanitizerHoldMiB, qPrintable(QStringLiteral("peak %1 MiB").arg(peak)));
        } else if (scenario.startsWith(u"HTTP/1.0") || scenario.contains(u"close") ||
                   scenario.startsWith(u"keep-alive")) {
            // Closed after the answer, or kept with the header that says so; the status line stays 1.1.
            const bool keep = scenario.startsWith(u"keep-alive");
            const QByteArray ask = scenario.contains(u"close")
                                       ? RequestBytes("GET", "/healthz", "Connection: close\r\n")
                                       : "GET /healthz HTTP/1.0\r\n" +
                                             QByteArray(keep ? "Connection: keep-alive\r\n" : "") + "\r\n";
            QTcpSocket c;
            c.connectToHost(QHostAddress::LocalHost, s.Port);
            QVERIFY(c.waitForConnected(10000));
            c.write(ask);
            QByteArray buffer;
            const Reply r = ReadReply(c, false, buffer);
            QCOMPARE(r.Status, 200);
            QCOMPARE(r.Headers.value("connection"), keep ? QByteArray("keep-alive") : QByteArray("close"));
            if (keep) {
                c.write(ask);
                QCOMPARE(ReadReply(c, false, buffer).Status, 200);
            } else {
                QVERIFY(c.state() == QAbstractSocket::UnconnectedState || c.waitForDisconnected(10000));
            }
        } else if (scenario == u"600 idle sockets") {
            std::vector<std::unique_ptr<QTcpSocket>> idle;
            for (int i = 0; i < 600; ++i) {
                idle.push_back(std::make_unique<QTcpSocket>());
                idle.back()->connectToHost(QHostAddress::LocalHost, s.Port);
                QVERIFY(idle.back()->waitForConnected(10000));
            }
            QCOMPARE(s.Get("/api/v1/day/2027-01-07").Status, 200);
        } else if (scenario == u"idle timeout") {
            // A connection that sends nothing is closed after the idle time.
            QTcpSocket c;
            c.connectToHost(QHostAddress::LocalHost, s.Port);
            QVERIFY(c.waitForConnected(10000));
            QVERIFY(c.waitForDisconnected(20000));
        } else if (scenario == u"per-address cap") {
            // Beyond the cap, with none idle, a new connection is answered 503 and closed, not reset.
            QTcpSocket first, second, third;
            for (QTcpSocket* c : {&first, &second, &third}) {
                c->connectToHost(QHostAddress::LocalHost, s.Port);
                QVERIFY(c->waitForConnected(10000));
                if (c != &third) {
                    c->write("GET /healthz HTTP/1.1\r\n"); // a head begun: not idle
                    QVERIFY(c->waitForBytesWritten(10000));
                    QTest::qWait(100);
                }
            }
            QByteArray buffer;
            third.write(RequestBytes("GET", "/healthz"));
            const Reply r = ReadReply(third, false, buffer);
            QCOMPARE(r.Status, 503);
            QCOMPARE(r.Headers.value("retry-after"), QByteArray("1"));
            QVERIFY(third.state() == QAbstractSocket::UnconnectedState || third.waitForDisconnected(10000));
            first.abort();
            second.abort();
            QTest::qWait(200);
        } else if (scenario == u"idle evicted") {
            // At the cap the connection idle for longest makes room for a new client.
            QTcpSocket first, second;
            for (QTcpSocket* c : {&first, &second}) {
                c->connectToHost(QHostAddress::LocalHost, s.Port);
                QVERIFY(c->waitForConnected(10000));
                QTest::qWait(100);
            }
            QCOMPARE(s.Get("/healthz").Status, 200);
            QVERIFY(first.state() == QAbstractSocket::UnconnectedState || first.waitForDisconnected(10000));
            QCOMPARE(second.state(), QAbstractSocket::ConnectedState);
        } else if (scenario == u"sent ahead") {
            // 300 requests of 200 bytes sent at once are all answered: each byte counts once against the
            // bound of unanswered bytes.
            const QByteArray ask = RequestBytes("GET", "/healthz", "X-Pad: " + QByteArray(150, 'p') + "\r\n");
            QTcpSocket c;
            c.connectToHost(QHostAddress::LocalHost, s.Port);
            QVERIFY(c.waitForConnected(10000));
            c.write(ask.repeated(60000 / ask.size()));
            QByteArray buffer;
            for (qsizetype i = 0; i < 60000 / ask.size(); ++i)
                QCOMPARE(ReadReply(c, false, buffer).Status, 200);
        } else if (scenario == u"trickled head") {
            // A head sent a byte a second is cut after the head time, well before the idle time.
            QTcpSocket c;
            c.connectToHost(QHostAddress::LocalHost, s.Port);
            QVERIFY(c.waitForConnected(10000));
            c.write("GET /healthz HTTP/1.1\r\n");
            QByteArray buffer;
            Reply r;
            for (int i = 0; i < 25 && c.state() == QAbstractSocket::ConnectedState && !r.Complete; ++i) {
                c.write("X");
                r = ReadReply(c, false, buffer, 1000);
            }
            QCOMPARE(r.Status, 408);
        } else if (scenario == u"large file") {
            QCOMPARE(s.Get("/api/v1/day/2027-01-20").Status, 200);
            QVERIFY(PeakMemoryMiB(s.Process().processId()) < 200);
        } else {
            // Nobody reads the log: far more lines than a pipe holds.
            const auto [sent, answered] = Flood(s, "/nope", 4, 12000, 10, 60000, false);
            QCOMPARE(answered, sent);
        }
        QCOMPARE(s.Get("/healthz").Status, 200);
        QCOMPARE(s.Stop(), 0);
        if (scenario == u"full log pipe") {
            QVERIFY2(s.Log().contains("log lines dropped"), s.Log().right(300).constData());
            QVERIFY(s.Log().contains("vorelian-server: stopped\n"));
        }
    }

    void cleanupTestCase() {
        QCOMPARE(bundled_->Stop(), 0);
        QCOMPARE(hostile_->Stop(), 0);
    }
};

QTEST_GUILESS_MAIN(TestServer)
#include "test_server.moc"
