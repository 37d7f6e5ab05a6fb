#include "datafiles.h"

#include "bases/profile.h"

#include <QDir>
#include <QFileInfo>

namespace vorelian {

const std::array<QString, DataFiles::Count> DataFiles::Names = {
    QStringLiteral("January.DAT"),
    QStringLiteral("February29.DAT"),
    QStringLiteral("March.DAT"),
    QStringLiteral("April.DAT"),
    QStringLiteral("May.DAT"),
    QStringLiteral("June.DAT"),
    QStringLiteral("July.DAT"),
    QStringLiteral("August.DAT"),
    QStringLiteral("September.DAT"),
    QStringLiteral("October.DAT"),
    QStringLiteral("November.DAT"),
    QStringLiteral("December.DAT"),
    QStringLiteral("February28.DAT"),
    QStringLiteral("Relocatable.DAT"),
    QStringLiteral("Relocatable1.DAT"),
    QStringLiteral("Special.DAT"),
    QStringLiteral("Weekdays.DAT"),
    QStringLiteral("Weekdays1.DAT"),
    QString(),
    QString(),
    QStringLiteral("SpecWeekDays.DAT"),
    QStringLiteral("Abbr.DAT"),
};

void DataFiles::SetFolder(const QString& folder) {
    const QDir dir(folder);
    for (int i = 0; i < Count; ++i)
        Paths[i] = Names[i].isEmpty() ? QString() : dir.filePath(Names[i]);
}

int DataFiles::DayFileIndex(int16_t julianMonth, int16_t julianYearLength) {
    if (julianMonth == 2)
        return julianYearLength == 366 ? February29 : February28;
    if (julianMonth < 1 || julianMonth > 12)
        return January; // never reached with a real date; keeps the index inside the table
    return julianMonth - 1;
}

QStringList MonthFileGaps(const QString& folder) {
    QStringList gaps;
    const QDir dir(folder);
    for (int i = DataFiles::January; i <= DataFiles::February28; ++i) {
        const QFileInfo file(dir.filePath(DataFiles::Names[i]));
        // A dangling or looping link does not exist either.
        const char* why = !file.exists()       ? "missing"
                          : !file.isFile()     ? "not a regular file"
                          : file.size() == 0   ? "an empty file"
                          : !file.isReadable() ? "unreadable"
                                               : nullptr;
        if (why)
            gaps << QStringLiteral("%1 (%2)").arg(DataFiles::Names[i], QLatin1String(why));
    }
    return gaps;
}

QString MonthFileWarning(const QString& folder) {
    const QStringList gaps = MonthFileGaps(folder);
    return gaps.isEmpty() ? QString()
                          : QStringLiteral("warning: month files not read: %1").arg(gaps.join(u", "));
}

QStringList ReadWholeDataSet(const DataFiles& files, ProfileCache& cache) {
    for (int i = 0; i < DataFiles::Count; ++i)
        if (i != DataFiles::Abbr && !files[i].isEmpty())
            (void)cache.Get(files[i]);
    return cache.FilesWithProblems();
}

} // namespace vorelian
