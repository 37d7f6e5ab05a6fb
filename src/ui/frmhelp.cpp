#include "ui/frmhelp.h"

#include "ui/helplinks.h"
#include "ui/uiservices.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vorelian {

frmHelp::frmHelp(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(kProductName + QStringLiteral(" — помощь"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &frmHelp::FollowLink);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 640);
}

frmHelp* frmHelp::ShowHelp(QWidget* owner, const QString& page) {
    auto* help = owner ? owner->findChild<frmHelp*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!help)
        help = new frmHelp(owner);
    help->Open(page);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

void frmHelp::Open(const QString& page) {
    if (QFileInfo(page).isFile()) {
        browser_->setSource(QUrl::fromLocalFile(page));
        return;
    }
    browser_->setPlainText(QStringLiteral("Страница помощи не найдена (Help/Index.html)."));
}

void frmHelp::FollowLink(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile())
        browser_->setSource(target);
    else
        Services().OpenUrl(target);
}

} // namespace vorelian
