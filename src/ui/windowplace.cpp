#include "ui/windowplace.h"

#include <QGuiApplication>
#include <QLayout>
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
    // The size the window will open with: polished and laid out as it will be shown.
    window->ensurePolished();
    if (window->layout())
        window->layout()->activate();
    window->adjustSize();
    window->move(CentreThirdDown(screen->geometry(), window->frameGeometry().size()));
}

} // namespace vorelian
