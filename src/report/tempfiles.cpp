#include "report/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace vorelian {

namespace {

// The files that exist now, for the end of a process that never reaches its own exit sequence: a lost
// display connection makes the window system's plugin call exit(), which runs the atexit handlers but
// neither the event loop's end nor the destructors of main's objects. Registering a handler takes no
// argument, so the list lives here; it is never destroyed, so it outlives every other static object.
struct ExitSweep {
    std::mutex Lock;
    std::vector<std::string> Paths;
};

ExitSweep& Sweep() {
    static ExitSweep* sweep = new ExitSweep;
    return *sweep;
}

extern "C" void SweepAtExit() {
    ExitSweep& s = Sweep();
    const std::lock_guard<std::mutex> hold(s.Lock);
    for (const std::string& p : s.Paths)
        std::remove(p.c_str()); // plain C, safe this late on every platform
    s.Paths.clear();
}

void Remember(const QString& path) {
    static const bool registered = std::atexit(SweepAtExit) == 0;
    (void)registered;
    ExitSweep& s = Sweep();
    const std::lock_guard<std::mutex> hold(s.Lock);
    s.Paths.push_back(QFile::encodeName(path).toStdString());
}

void Forget(const QString& path) {
    const std::string name = QFile::encodeName(path).toStdString();
    ExitSweep& s = Sweep();
    const std::lock_guard<std::mutex> hold(s.Lock);
    std::erase(s.Paths, name);
}

} // namespace

QString MakeTempFileName(const QString& folder) {
    const QDir dir(folder);
    // Start at a random number so that several running copies rarely meet; a taken name tries the next.
    const quint32 start = QRandomGenerator::global()->bounded(0x10000u);
    for (quint32 i = 0; i < 0x10000; ++i) {
        const QString digits =
            QStringLiteral("%1").arg((start + i) & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper();
        QFile f(dir.filePath(QStringLiteral("~DA") + digits + QStringLiteral(".TMP")));
        if (f.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            return f.fileName();
        if (!f.exists())
            break; // not a clash: nothing can be created in that folder
    }
    return QString();
}

void CreateTempFiles(TempFiles& files) {
    const QString folder = QDir::tempPath();
    for (QString& p : files.Paths) {
        p = MakeTempFileName(folder);
        if (!p.isEmpty())
            Remember(p);
    }
}

void DeleteTempFiles(TempFiles& files) {
    for (QString& p : files.Paths) {
        if (!p.isEmpty()) {
            QFile::remove(p);
            Forget(p);
        }
        p.clear();
    }
}

} // namespace vorelian
