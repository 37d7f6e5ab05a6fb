#include "report/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace vorelian {

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
    for (QString& p : files.Paths)
        p = MakeTempFileName(folder);
}

void DeleteTempFiles(TempFiles& files) {
    for (QString& p : files.Paths) {
        if (!p.isEmpty())
            QFile::remove(p);
        p.clear();
    }
}

} // namespace vorelian
