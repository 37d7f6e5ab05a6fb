// The main window's place and size as the settings keep them: "Left", "Top", "Width" and "Height" of the
// whole window in twips, and "WindowState". The window's frame, caption and menu bar are reckoned at
// 8 × 34 pixels around its client area (what they took in the window's design), so the design size of
// 9600 × 6850 twips gives the client area of 632 × 423 pixels that the layout table fills exactly.
//
// A value that the window was given and did not change is written back as it was read, so a run that
// does not move the window leaves the stored numbers exactly as they were.
#pragma once

#include "core/settings.h"

#include <QList>
#include <QRect>
#include <QSize>

class QMainWindow;
class QWidget;

namespace vorelian {

inline constexpr QSize kNonClient{8, 34};
// The smallest window, frame included.
inline constexpr QSize kMinimumWindow{640, 460};

// The outer rectangle in pixels for the stored values: absent Left and Top centre the window across the
// primary screen and put it a third of the way down; a rectangle that lies off every screen is brought
// back onto the primary screen in the same way.
QRect StoredWindowRect(const Settings& s, const QRect& primaryScreen, const QList<QRect>& screens);

class StoredPlacement {
public:
    // Places the window (its client area `central`) and sets its state; a maximised state is applied
    // when the window is shown.
    void Apply(QMainWindow* window, QWidget* central, const Settings& s);
    // Writes the window's present place and size into `s` (the caller does so in the normal state only).
    void Store(const QMainWindow* window, const QWidget* central, Settings& s) const;

private:
    struct Values {
        double Left = 0, Top = 0, Width = 0, Height = 0;
    };
    Values given_;  // as read from the settings, twips
    QRect givenPx_; // what they became: frame position and client size in pixels
    bool hasGiven_ = false;
};

} // namespace vorelian
