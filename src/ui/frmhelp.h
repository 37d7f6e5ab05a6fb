// The help window: the help page in a browser of the program's own, so that help works with no web
// browser installed. Links inside the page and to other local pages open here; only links to the web or
// to mail go out to the desktop. One window per owner: asking again brings it to the front. «Назад»
// (Alt+Left) and «В начало» walk the pages as a browser does; Esc closes the window.
#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace vorelian {

class frmHelp : public QWidget {
    Q_OBJECT
public:
    explicit frmHelp(QWidget* owner = nullptr);

    // Opens `page` (a local file; empty when no help folder was found) in the owner's help window,
    // creating the window on first use, and shows it in front.
    static frmHelp* ShowHelp(QWidget* owner, const QString& page);

    void Open(const QString& page);
    QTextBrowser* Browser() const { return browser_; }
    QPushButton* BackButton() const { return back_; }
    QPushButton* HomeButton() const { return home_; }

protected:
    void keyPressEvent(QKeyEvent* event) override; // Esc closes the window

private:
    void FollowLink(const QUrl& link);

    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* home_;
};

} // namespace vorelian
