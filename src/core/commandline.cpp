#include "core/commandline.h"

#include "core/datalookup.h"
#include "core/exitstatus.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace vorelian {

QStringList CommandArguments() {
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return args;
}

int EndWith(const char* program, int status, const QString& line) {
    std::fprintf(stderr, "%s: %s\n", program, line.toLocal8Bit().constData());
    return status;
}

CommandData FindCommandData(const QString& programFolder, const QString& dataOption) {
    CommandData d;
    if (!dataOption.isEmpty() && !QFileInfo(dataOption).isDir()) {
        d.Status = ExitBadArguments;
        d.Message = QStringLiteral("no such data folder: %1").arg(dataOption);
        return d;
    }
    const DataPlaces places = FindDataSet(DataSearchFor(programFolder, dataOption));
    if (!places.Found()) {
        // Every folder looked at, on the one line.
        d.Status = ExitNoDataSet;
        d.Message = QStringLiteral("no calendar data (a Calendar folder holding January.DAT) in: %1; name "
                                   "one with --data or VORELIAN_DATA")
                        .arg(places.Searched.join(QStringLiteral(", ")));
        return d;
    }
    d.Status = ExitSuccess;
    d.Calendar = places.Calendar;
    return d;
}

QString DataOptionHelp(int column) {
    const QString pad(column, u' ');
    const QString option = QStringLiteral("  --data DIR").leftJustified(column, u' ');
    return option + QStringLiteral("папка данных Calendar (или переменная VORELIAN_DATA); по умолчанию\n") +
           pad + QStringLiteral("Calendar рядом с программой, ../share/vorelian/Calendar, затем\n") + pad +
           QStringLiteral("vorelian/Calendar в папках данных XDG\n") + pad +
           QStringLiteral("the Calendar data folder (or the VORELIAN_DATA variable); by default\n") + pad +
           QStringLiteral("Calendar beside the program, ../share/vorelian/Calendar, then\n") + pad +
           QStringLiteral("vorelian/Calendar in the XDG data folders\n");
}

} // namespace vorelian
