#include "ui/frmhelp.h"

#include "ui/helplinks.h"
#include "ui/richtextview.h"
#include "ui/uiservices.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vorelian {

frmHelp::frmHelp(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(kProductName + QStringLiteral(" — помощь"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(false);
    UsePaperColours(browser_); // the page's own dark text stays on white on a dark desktop too
    connect(browser_, &QTextBrowser::anchorClicked, this, &frmHelp::FollowLink);
    back_ = new QPushButton(QStringLiteral("Назад"), this);
    back_->setObjectName(QStringLiteral("HelpBack"));
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    home_ = new QPushButton(QStringLiteral("В начало"), this);
    home_->setObjectName(QStringLiteral("HelpHome"));
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(home_, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 6, 6, 0);
    buttons->addWidget(back_);
    buttons->addWidget(home_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
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

void frmHelp::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmHelp::FollowLink(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile())
        browser_->setSource(target);
    else
        Services().OpenUrl(target);
}

} // namespace vorelian
