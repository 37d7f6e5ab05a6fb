#include "ui/desktop.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace vorelian {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(kDesktopId),
                     QSize(size, size));
    return icon;
}

bool LoadQtRussian(const QString& programFolder) {
    const QString name = QStringLiteral("qtbase_ru");
    if (qApp->findChild<QTranslator*>(name))
        return true;
    auto* translator = new QTranslator(qApp);
    translator->setObjectName(name);
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QDir(programFolder).filePath(QStringLiteral("translations"))})
        if (translator->load(name, folder))
            return QCoreApplication::installTranslator(translator);
    delete translator;
    return false;
}

void PrepareDesktop(const QString& programFolder) {
    LoadQtRussian(programFolder);
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(kDesktopId);
}

} // namespace vorelian
