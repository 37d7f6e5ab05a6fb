// The help page, the mail link and the home page of the "&Справка" menu and of the About box. The help
// page opens in the program's own help window; the mail and web links are handed to the desktop through
// Services().OpenUrl, which opens them with whatever program is associated with them.
//
// The project's home page and mail address are set when the program is built (the CMake cache variables
// VORELIAN_HOMEPAGE and VORELIAN_EMAIL). Either may be empty: then its link is not shown in the About box
// and its menu command is disabled.
#pragma once

#include "core/datalookup.h"

#include <QString>
#include <QUrl>

namespace vorelian {

inline const QString kProductName = QStringLiteral("Vorelian");
inline const QString kAppTitle = QStringLiteral("tavr"); // the subject of mail from the Help menu
inline const QString kLegalNotice = QStringLiteral("\u00A9 2026 Разработчики Vorelian.\nЛицензия MIT.");

struct Contacts {
    QString HomePage; // a web address, or empty
    QString EMail;    // a mail address, or empty
};

// The addresses this build was made with.
const Contacts& ProjectContacts();

// "Версия " and the build's major, minor and patch numbers.
QString VersionText();

// Index.html in the help folder that was found; empty when none was.
QString HelpPage(const DataPlaces& places);

// "mailto:" + the address + "?subject=tavr&body=" (from the menu), or without subject and body (from the
// About box).
QUrl MailUrl(const QString& address, bool withSubject);

QUrl HomePageUrl(const QString& page);

// The menu's "E-Mail &автору" and "Web-&страница", to this build's addresses; nothing when it has none.
void OpenMailToAuthor();
void OpenHomePage();

} // namespace vorelian
