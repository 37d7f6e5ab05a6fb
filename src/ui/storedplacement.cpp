#include "ui/storedplacement.h"

#include "ui/twips.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <cmath>

namespace vorelian {

namespace {

// A window counts as on a screen when at least this much of it (or all of it, if smaller) is there.
constexpr QSize kVisiblePart{50, 30};
constexpr int kFarAway = 1 << 28;

bool OnSomeScreen(const QRect& r, const QList<QRect>& screens) {
    const QSize need(qMin(kVisiblePart.width(), r.width()), qMin(kVisiblePart.height(), r.height()));
    for (const QRect& s : screens) {
        const QRect common = r.intersected(s);
        if (common.width() >= need.width() && common.height() >= need.height())
            return true;
    }
    return false;
}

// Left and top in twips that centre the window across `screen` and put it a third of the way down.
QPoint DefaultPlaceTw(const QRect& screen, double widthTw, double heightTw) {
    const double freeW = std::round(Twips(screen.width()) - widthTw);
    const double freeH = std::round(Twips(screen.height()) - heightTw);
    return QPoint(Px(Twips(screen.left()) + std::trunc(freeW / 2)),
                  Px(Twips(screen.top()) + std::trunc(freeH / 3)));
}

} // namespace

QRect StoredWindowRect(const Settings& s, const QRect& primaryScreen, const QList<QRect>& screens) {
    // The window cannot be smaller than its minimum nor larger than all the screens together; the default
    // place is worked out for the size it has.
    QRect desktop = primaryScreen;
    for (const QRect& sc : screens)
        desktop |= sc;
    const QSize size = QSize(Px(s.Width), Px(s.Height)).boundedTo(desktop.size()).expandedTo(kMinimumWindow);
    const QPoint defaults = DefaultPlaceTw(primaryScreen, Twips(size.width()), Twips(size.height()));
    // A place far beyond any screen is off every screen anyway; held within reach, its rectangle stays
    // within the range of an int.
    auto held = [](double twips) { return qBound(-kFarAway, Px(twips), kFarAway); };
    const QPoint place(s.Left ? held(*s.Left) : defaults.x(), s.Top ? held(*s.Top) : defaults.y());
    QRect r(place, size);
    if (!OnSomeScreen(r, screens))
        r.moveTopLeft(defaults);
    return r;
}

void StoredPlacement::Apply(QMainWindow* window, QWidget* central, const Settings& s) {
    QRect primary(0, 0, 640, 480);
    QList<QRect> screens;
    if (QScreen* p = QGuiApplication::primaryScreen())
        primary = p->geometry();
    for (QScreen* sc : QGuiApplication::screens())
        screens << sc->geometry();
    if (screens.isEmpty())
        screens << primary;

    const QRect outer = StoredWindowRect(s, primary, screens);
    const QSize client = outer.size() - kNonClient;
    window->move(outer.topLeft());
    window->resize(client.width(), client.height() + window->menuBar()->sizeHint().height());
    central->resize(client);

    given_ = {s.Left.value_or(Twips(outer.left())), s.Top.value_or(Twips(outer.top())), s.Width, s.Height};
    givenPx_ = QRect(outer.topLeft(), client);
    hasGiven_ = outer.size() == QSize(Px(s.Width), Px(s.Height)) &&
                (!s.Left || Px(*s.Left) == outer.left()) && (!s.Top || Px(*s.Top) == outer.top());
    window->setWindowState(s.WindowState == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
}

void StoredPlacement::Store(const QMainWindow* window, const QWidget* central, Settings& s) const {
    const QPoint pos = window->pos();
    const QSize client = central->size();
    const bool samePlace = hasGiven_ && pos == givenPx_.topLeft();
    const bool sameSize = hasGiven_ && client == givenPx_.size();
    s.Left = samePlace ? given_.Left : Twips(pos.x());
    s.Top = samePlace ? given_.Top : Twips(pos.y());
    s.Width = sameSize ? given_.Width : Twips(client.width() + kNonClient.width());
    s.Height = sameSize ? given_.Height : Twips(client.height() + kNonClient.height());
}

} // namespace vorelian
