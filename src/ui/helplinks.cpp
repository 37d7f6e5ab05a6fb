#include "ui/helplinks.h"

#include "ui/uiservices.h"

#include <QCoreApplication>

namespace vorelian {

QString VersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(VORELIAN_VERSION_MAJOR)
        .arg(VORELIAN_VERSION_MINOR)
        .arg(VORELIAN_VERSION_PATCH);
}

QString ProgramFolder(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QUrl HelpPageUrl(const QString& programFolder) {
    return QUrl::fromLocalFile(ProgramFolder(programFolder) + QStringLiteral("Help/Index.html"));
}

QUrl MailUrl(bool withSubject) {
    QString link = QStringLiteral("mailto:") + kAuthorEMail;
    if (withSubject)
        link += QStringLiteral("?subject=") + kAppTitle + QStringLiteral("&body=");
    return QUrl(link);
}

QUrl HomePageUrl() {
    return QUrl(kHomePage);
}

void OpenHelp() {
    Services().OpenUrl(HelpPageUrl(QCoreApplication::applicationDirPath()));
}

void OpenMailToAuthor() {
    Services().OpenUrl(MailUrl(true));
}

void OpenHomePage() {
    Services().OpenUrl(HomePageUrl());
}

} // namespace vorelian
