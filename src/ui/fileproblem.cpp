#include "ui/fileproblem.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace vorelian {

QString FileProblem(const QString& path, int systemError) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir())
        return QStringLiteral("«%1» — это папка, а не файл.")
            .arg(QDir::toNativeSeparators(file.absoluteFilePath()));
    if (!folder.isDir())
        return QStringLiteral("папка «%1» не существует.").arg(QDir::toNativeSeparators(folder.filePath()));
    if (systemError == ENOSPC
#ifdef EDQUOT
        || systemError == EDQUOT
#endif
    )
        return QStringLiteral("на диске не хватает места.");
    if (systemError == EACCES || systemError == EPERM || systemError == EROFS ||
        (file.exists() ? !file.isWritable() : !folder.isWritable()))
        return QStringLiteral("нет права на запись.");
    return QStringLiteral("запись не удалась.");
}

} // namespace vorelian
