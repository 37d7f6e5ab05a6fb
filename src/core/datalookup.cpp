#include "core/datalookup.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vorelian {

namespace {

// The folders that may hold Calendar/ and Help/, in the order they are tried, without repeats.
QStringList Roots(const DataSearch& search) {
    QStringList roots;
    const auto add = [&roots](const QString& folder) {
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (!roots.contains(clean))
            roots << clean;
    };
    add(search.ProgramFolder);
    add(QDir(search.ProgramFolder).filePath(QStringLiteral("../share/vorelian")));
    for (const QString& dir : search.DataDirs)
        add(QDir(dir).filePath(QStringLiteral("vorelian")));
    return roots;
}

bool Holds(const QString& folder, const QString& file) {
    const QFileInfo info(QDir(folder).filePath(file));
    return info.isFile() && info.isReadable();
}

} // namespace

DataSearch DataSearchFor(const QString& programFolder, const QString& dataOption) {
    DataSearch s;
    s.Chosen = dataOption.isEmpty() ? qEnvironmentVariable("VORELIAN_DATA") : dataOption;
    s.ProgramFolder = programFolder;
    s.DataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return s;
}

DataPlaces FindDataSet(const DataSearch& search) {
    DataPlaces p;
    QStringList helpRoots = Roots(search);
    if (!search.Chosen.isEmpty()) {
        const QString chosen = QDir::cleanPath(QDir(search.Chosen).absolutePath());
        p.Searched << chosen;
        if (Holds(chosen, QStringLiteral("January.DAT")))
            p.Calendar = chosen;
        helpRoots.prepend(QDir::cleanPath(chosen + QStringLiteral("/..")));
    } else {
        for (const QString& root : Roots(search)) {
            const QString folder = root + QStringLiteral("/Calendar");
            p.Searched << folder;
            if (Holds(folder, QStringLiteral("January.DAT"))) {
                p.Calendar = folder;
                break;
            }
        }
    }
    for (const QString& root : helpRoots) {
        const QString folder = root + QStringLiteral("/Help");
        if (Holds(folder, QStringLiteral("Index.html"))) {
            p.Help = folder;
            break;
        }
    }
    return p;
}

QString NoDataSetMessage(const DataPlaces& places) {
    QString text = QStringLiteral("Не найдены данные календаря: нет папки Calendar с файлом January.DAT.\n\n"
                                  "Просмотрены папки:\n");
    for (const QString& folder : places.Searched)
        text += QStringLiteral("    ") + QDir::toNativeSeparators(folder) + QLatin1Char('\n');
    text += QStringLiteral("\nУкажите папку данных параметром --data или переменной окружения "
                           "VORELIAN_DATA.");
    return text;
}

} // namespace vorelian
