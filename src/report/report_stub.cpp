// Placeholder bodies until the report builders land: every report shows an empty document.
#include "report/report.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace vorelian {

QString MakeTempFileName(const QString& folder) {
    QDir dir(folder);
    const quint32 start = QRandomGenerator::global()->bounded(0x10000u);
    for (quint32 i = 0; i < 0x10000; ++i) {
        const QString name = QStringLiteral("~DA%1.TMP").arg((start + i) & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper();
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            return f.fileName();
    }
    return QString();
}

void CreateTempFiles(TempFiles& files) {
    for (QString& p : files.Paths)
        p = MakeTempFileName(QDir::tempPath());
}

void DeleteTempFiles(TempFiles& files) {
    for (QString& p : files.Paths)
        if (!p.isEmpty())
            QFile::remove(p);
}

void BuildReport(ReportContext& ctx, int visibleTab) {
    if (visibleTab < 0 || visibleTab > 4 || !ctx.Host)
        return;
    const QByteArray doc = "{\\rtf1\\ansi\\ansicpg1251\\deff0 \\par\r\n}";
    ctx.Host->ShowReport(visibleTab, QString(), doc);
}

void ClearReportStyles(Reports& out) {
    for (auto& row : out.ReportBuiltFor)
        row[1] = 0;
}

void FindInYear(ReportContext&, const QString&, bool) {}

} // namespace vorelian
