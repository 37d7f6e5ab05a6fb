// The hourglass pointer for the length of a scope: list rebuilds, style switches and long reports show
// it, and every way out of the scope puts the previous pointer back.
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace vorelian {

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace vorelian
