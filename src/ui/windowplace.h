// Where the program's own small windows open: centred across the screen and a third of the way down.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vorelian {

// Left = (screen width - window width) / 2, top = (screen height - window height) / 3, fractions dropped,
// measured from the screen's top left corner.
QPoint CentreThirdDown(const QRect& screen, const QSize& window);

// Moves a top-level window there, on the screen it belongs to.
void PlaceCentreThirdDown(QWidget* window);

} // namespace vorelian
