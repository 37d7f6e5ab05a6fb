#include "ui/frmsplash.h"

#include "ui/windowplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace vorelian {

QString FindSplashPicture(const QString& folder) {
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const char* ext : {".BMP", ".GIF", ".JPG"}) {
        const QString wanted = QStringLiteral("Splash") + QLatin1String(ext);
        if (QFileInfo(dir.filePath(wanted)).isFile())
            return dir.filePath(wanted);
        for (const QString& name : names)
            if (name.compare(wanted, Qt::CaseInsensitive) == 0)
                return dir.filePath(name);
    }
    return QString();
}

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), Image1(new QLabel(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(0, 0);
}

void frmSplash::Load(const QString& programFolder) {
    const QString path = FindSplashPicture(programFolder);
    if (path.isEmpty())
        return;
    const QPixmap picture(path);
    if (picture.isNull()) // present but unreadable: no splash, start-up goes on
        return;
    picture_ = path;
    setWindowTitle(QString());
    Image1->setPixmap(picture);
    Image1->resize(picture.size());
    setFixedSize(picture.size());
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        move(CentreThirdDown(screen->geometry(), size()));
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace vorelian
