// What the program sets up with the desktop once, before its first window: Qt's own dialogs, buttons and
// error texts in Russian like the rest of the interface, the program's icon on every window, and the name
// of its desktop entry, so that the window is matched with its menu entry and icon.
#pragma once

#include <QIcon>
#include <QString>

namespace vorelian {

inline const QString kDesktopId = QStringLiteral("org.vorelian.Vorelian");

// The program's icon in every size it is drawn in.
QIcon ProgramIcon();

// Loads qtbase_ru from Qt's translations folder, or from "translations" beside the program (a copy that
// carries its own Qt); once per run. False when neither holds it.
bool LoadQtRussian(const QString& programFolder);

// The Russian dialogs, the window icon and the desktop entry name.
void PrepareDesktop(const QString& programFolder);

} // namespace vorelian
