#include "ui/frmfind.h"

#include "ui/richtextview.h"
#include "ui/uiservices.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace vorelian {

namespace {

bool IsEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

QList<int> MatchesIn(RichTextView& view, const QString& text, int options) {
    QList<int> found;
    for (int at = view.Find(text, 0, -1, options | RichTextView::FindNoHighlight); at >= 0;
         at = view.Find(text, at + 1, -1, options | RichTextView::FindNoHighlight))
        found << at;
    return found;
}

bool HasSearchText(const QString& text) {
    for (QChar c : text)
        if (c != QLatin1Char(' '))
            return true;
    return false;
}

frmFind::frmFind(QWidget* mainWindow, ReportSource visibleReport)
    : QDialog(mainWindow), m_mainWindow(mainWindow), m_report(std::move(visibleReport)) {
    setWindowTitle(QStringLiteral("Поиск"));

    m_strFind = new QLineEdit(this);
    m_strFind->setObjectName(QStringLiteral("strFind"));
    m_strFind->setMinimumWidth(220);
    m_strFind->installEventFilter(this);
    m_cbFind = new QPushButton(QStringLiteral("Искать"), this);
    m_cbFind->setObjectName(QStringLiteral("cbFind"));
    m_cbFind->setEnabled(false);
    m_cbExit = new QPushButton(QStringLiteral("Закрыть"), this);
    m_cbExit->setObjectName(QStringLiteral("cbExit"));
    m_wholeWord = new QCheckBox(QStringLiteral("Целое слово"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWord"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("Count"));
    // No default button: Enter in the box is handled by the box itself.
    for (QPushButton* b : {m_cbFind, m_cbExit}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_strFind, 0, 0);
    layout->addWidget(m_cbFind, 0, 1);
    layout->addWidget(m_wholeWord, 1, 0);
    layout->addWidget(m_cbExit, 1, 1);
    layout->addWidget(m_count, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(m_strFind, m_cbFind);
    setTabOrder(m_cbFind, m_cbExit);
    setTabOrder(m_cbExit, m_wholeWord);

    connect(m_strFind, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_cbFind->setEnabled(HasSearchText(text));
        m_wrap = false;
        ShowCount();
    });
    connect(m_wholeWord, &QCheckBox::toggled, this, &frmFind::ShowCount);
    connect(m_cbFind, &QPushButton::clicked, this, [this] { FindDat(m_strFind->text()); });
    connect(m_cbExit, &QPushButton::clicked, this, &frmFind::reject);

    adjustSize();
    PlaceAtMainTopRight();
}

void frmFind::PlaceAtMainTopRight() {
    if (!m_mainWindow)
        return;
    const QRect main = m_mainWindow->frameGeometry();
    int right = main.left() + main.width();
    if (const QWidget* pickers = m_mainWindow->findChild<QWidget*>(QStringLiteral("Con1")))
        right = pickers->mapToGlobal(QPoint(0, 0)).x();
    move(right - frameGeometry().width(), main.top());
}

void frmFind::ShowCount() {
    RichTextView* view = m_report ? m_report() : nullptr;
    const QString text = m_strFind->text();
    if (!view || !HasSearchText(text)) {
        m_count->clear();
        return;
    }
    const int options = m_wholeWord->isChecked() ? RichTextView::FindWholeWord : 0;
    m_count->setText(QStringLiteral("Совпадений: %1").arg(MatchesIn(*view, text, options).size()));
}

frmFind* frmFind::mnuFind(QPointer<frmFind>& window, QWidget* mainWindow, ReportSource visibleReport) {
    RichTextView* visible = visibleReport ? visibleReport() : nullptr;
    const bool selected = visible && visible->SelLength() != 0;
    const bool load = !window;
    if (load)
        window = new frmFind(mainWindow, std::move(visibleReport));
    if (selected) // the box holds one line: the first of the selection
        window->m_strFind->setText(visible->SelText().section(QLatin1Char('\n'), 0, 0));
    window->ShowCount();
    window->show();
    if (load)
        window->PlaceAtMainTopRight(); // again with the frame the window got when shown
    window->raise();
    window->activateWindow();
    return window;
}

bool frmFind::FindDat(const QString& text, bool back) {
    if (!HasSearchText(text))
        return false;
    RichTextView* view = m_report ? m_report() : nullptr;
    if (!view)
        return false;
    const int options = m_wholeWord->checkState() != Qt::Unchecked ? RichTextView::FindWholeWord : 0;
    const bool wrap = std::exchange(m_wrap, false);
    // The Find window keeps the focus, so that the next Enter searches on; the view shows the match in
    // its active colours even so.
    if (!back) {
        if (view->Find(text, wrap ? 0 : view->SelStart() + view->SelLength(), -1, options) >= 0)
            return true;
    } else {
        const QList<int> all = MatchesIn(*view, text, options);
        for (qsizetype i = all.size() - 1; i >= 0; --i)
            if (wrap || all[i] < view->SelStart()) {
                view->Find(text, all[i], -1, options);
                return true;
            }
    }
    m_wrap = true;
    Services().ShowMessage(this, QMessageBox::Information, windowTitle(), back ? kStartOfText : kEndOfText);
    return false;
}

void frmFind::reject() {
    hide();
}

void frmFind::closeEvent(QCloseEvent* event) {
    event->accept();
    deleteLater();
}

bool frmFind::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_strFind && IsEnter(event)) {
        if (!m_strFind->text().isEmpty())
            FindDat(m_strFind->text());
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F3) {
        FindDat(m_strFind->text(), static_cast<QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool FindSelText(QWidget* mainWindow, RichTextView* visible) {
    if (!visible)
        return false;
    visible->setFocus();
    const QString text = visible->SelText();
    if (text.isEmpty())
        return false; // nothing selected: nothing to look for
    // After the end was reported, the next F3 on the same view starts from the top.
    static const char* const kWrap = "vorelianFindWraps";
    const bool wrap = visible->property(kWrap).toBool();
    visible->setProperty(kWrap, false);
    if (visible->Find(text, wrap ? 0 : visible->SelStart() + visible->SelLength(), -1, 0) >= 0)
        return true;
    visible->setProperty(kWrap, true);
    Services().ShowMessage(mainWindow, QMessageBox::Information,
                           mainWindow ? mainWindow->windowTitle() : QString(), kEndOfText);
    return false;
}

SelectionSearch::SelectionSearch(QLineEdit* strFind, QPushButton* cbFind, QCheckBox* wholeWord,
                                 FindInYearFn findInYear)
    : QObject(strFind), m_strFind(strFind), m_cbFind(cbFind), m_wholeWord(wholeWord),
      m_findInYear(std::move(findInYear)) {
    m_cbFind->setEnabled(HasSearchText(m_strFind->text()));
    connect(m_strFind, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_cbFind->setEnabled(HasSearchText(text)); });
    connect(m_cbFind, &QPushButton::clicked, this, &SelectionSearch::Search);
    m_strFind->installEventFilter(this);
}

bool SelectionSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_strFind && IsEnter(event)) {
        if (!m_strFind->text().isEmpty())
            Search();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SelectionSearch::Search() {
    const QString text = m_strFind->text(); // a copy: the search leaves the box as it is
    if (HasSearchText(text) && m_findInYear)
        m_findInYear(text, m_wholeWord && m_wholeWord->isChecked());
}

} // namespace vorelian
