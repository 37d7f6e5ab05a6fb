// The type of the window's own text (tab captions, search controls and the right-hand column): Arial, or
// a face made to its measures, where one is installed, else the desktop's own face; 8, 10 or 12 points
// for the three sizes of the «Настройка» menu. Every control is then sized from this font's measures,
// so no text is cut off whatever face a system has.
#pragma once

#include <QFont>
#include <QString>

#include <cstdint>

namespace vorelian {

// The family of the window's text on this system.
QString WindowFamily();

// The window's text at size 0 (normal), 1 (large) or 2 (largest).
QFont WindowFont(int16_t textSize, const QString& family = WindowFamily());

} // namespace vorelian
