#include "ui/helplinks.h"

#include "ui/uiservices.h"

#include <QDir>

namespace vorelian {

const Contacts& ProjectContacts() {
    static const Contacts built{QStringLiteral(VORELIAN_HOMEPAGE), QStringLiteral(VORELIAN_EMAIL)};
    return built;
}

QString VersionText() {
    return QStringLiteral("Версия %1.%2.%3")
        .arg(VORELIAN_VERSION_MAJOR)
        .arg(VORELIAN_VERSION_MINOR)
        .arg(VORELIAN_VERSION_PATCH);
}

QString HelpPage(const DataPlaces& places) {
    return places.Help.isEmpty() ? QString() : QDir(places.Help).filePath(QStringLiteral("Index.html"));
}

QUrl MailUrl(const QString& address, bool withSubject) {
    QString link = QStringLiteral("mailto:") + address;
    if (withSubject)
        link += QStringLiteral("?subject=") + kAppTitle + QStringLiteral("&body=");
    return QUrl(link);
}

QUrl HomePageUrl(const QString& page) {
    return QUrl(page);
}

void OpenMailToAuthor() {
    if (!ProjectContacts().EMail.isEmpty())
        Services().OpenUrl(MailUrl(ProjectContacts().EMail, true));
}

void OpenHomePage() {
    if (!ProjectContacts().HomePage.isEmpty())
        Services().OpenUrl(HomePageUrl(ProjectContacts().HomePage));
}

} // namespace vorelian
