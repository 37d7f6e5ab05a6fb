// The help page, the mail link and the home page of the "&Справка" menu and of the About box. Each is
// handed to the desktop through Services().OpenUrl, which opens it with whatever program is associated
// with it; nothing is checked and nothing is reported.
#pragma once

#include <QString>
#include <QUrl>

namespace vorelian {

inline const QString kProductName = QStringLiteral("Vorelian");
inline const QString kHomePage = QStringLiteral("https://vorelian.example.org");
inline const QString kAuthorEMail = QStringLiteral("vorelian@example.org");
inline const QString kAppTitle = QStringLiteral("tavr"); // the subject of mail from the Help menu
inline const QString kLegalNotice = QStringLiteral("Copyright \u00A9 2025 the Vorelian authors.");

// "Version " and the build's major, minor and patch numbers.
QString VersionText();

// The program's folder with a separator at its end, whether or not `folder` already ends in one.
QString ProgramFolder(const QString& folder);

// Help/Index.html in the program's folder.
QUrl HelpPageUrl(const QString& programFolder);

// "mailto:" + the author's address + "?subject=tavr&body=" (from the menu), or without subject and body
// (from the About box).
QUrl MailUrl(bool withSubject);

QUrl HomePageUrl();

// The three menu commands: F1 "&Помощь", "E-Mail &автору" and "Web-&страница".
void OpenHelp(); // beside the running program
void OpenMailToAuthor();
void OpenHomePage();

} // namespace vorelian
