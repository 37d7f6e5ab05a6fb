#include "ui/windowplace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vorelian {

QPoint CentreThirdDown(const QRect& screen, const QSize& window) {
    return {screen.left() + (screen.width() - window.width()) / 2,
            screen.top() + (screen.height() - window.height()) / 3};
}

void PlaceCentreThirdDown(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->adjustSize();
    window->move(CentreThirdDown(screen->geometry(), window->frameGeometry().size()));
}

} // namespace vorelian
