// Finding text in the visible report: the "Поиск" window (FindDat), the F3 command that looks for the
// next occurrence of the report's own selection, and the search controls of the "Выборка" tab, which
// hand their text to the search of the year.
//
// Every search starts just after the report's selection and runs to the end of the report; a match
// becomes the selection, and the "Поиск" window stays active for the next search. When nothing more is
// found the user is told "Поиск достиг конца текста.", and the next search goes on from the top, as in an
// editor. In the "Поиск" window Shift+F3 looks backwards (F3 forwards), and a line under the box says how
// many matches the report holds.
#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorelian {

class RichTextView;

inline const QString kEndOfText = QStringLiteral("Поиск достиг конца текста.");
inline const QString kStartOfText = QStringLiteral("Поиск достиг начала текста.");

// Every position where `text` stands in the report under the options of RichTextView::Find.
QList<int> MatchesIn(RichTextView& view, const QString& text, int options);

// True when the text holds something besides leading spaces: the rule that enables the search buttons.
bool HasSearchText(const QString& text);

class frmFind : public QDialog {
    Q_OBJECT
public:
    // The visible report, read afresh at every search.
    using ReportSource = std::function<RichTextView*()>;

    frmFind(QWidget* mainWindow, ReportSource visibleReport);

    // "П&оиск...": loads the window into `window` when it is not loaded (empty, placed at the main window's
    // top right), copies the visible report's selected text into the box when there is one, and shows it.
    static frmFind* mnuFind(QPointer<frmFind>& window, QWidget* mainWindow, ReportSource visibleReport);

    // One search step for `text` in the visible report, forwards or back. True when a match was selected.
    bool FindDat(const QString& text, bool back = false);

    QLineEdit* strFind() const { return m_strFind; }
    QLabel* Count() const { return m_count; }
    QPushButton* cbFind() const { return m_cbFind; }
    QPushButton* cbExit() const { return m_cbExit; }
    QCheckBox* WholeWord() const { return m_wholeWord; }

public Q_SLOTS:
    // "Закрыть" and Esc hide the window; it stays loaded with its text and check box.
    void reject() override;

protected:
    // The frame's close command unloads the window.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Top right corner on the main window's top right corner, or beside the date pickers when the main
    // window has them, so that it never covers them; each time the window is loaded.
    void PlaceAtMainTopRight();
    // "Совпадений: n" for the box's text in the visible report.
    void ShowCount();

    QWidget* m_mainWindow;
    ReportSource m_report;
    QLineEdit* m_strFind;
    QPushButton* m_cbFind;
    QPushButton* m_cbExit;
    QCheckBox* m_wholeWord;
    QLabel* m_count;
    bool m_wrap = false; // the last search reached an end: the next one starts from the other end
};

// "&Искать выделенный текст" (F3): the next occurrence of the report's selected text, any case, not whole
// words. The end message carries the main window's caption. True when a match was selected.
bool FindSelText(QWidget* mainWindow, RichTextView* visible);

// The search box, button and check box of the "Выборка" tab: the button is enabled exactly while the box
// holds a non-space; the button, and Enter in the box, call `findInYear` with a copy of the text and the
// check box's state. Owned by the box.
class SelectionSearch : public QObject {
    Q_OBJECT
public:
    using FindInYearFn = std::function<void(const QString& text, bool wholeWord)>;
    SelectionSearch(QLineEdit* strFind, QPushButton* cbFind, QCheckBox* wholeWord, FindInYearFn findInYear);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search();

    QLineEdit* m_strFind;
    QPushButton* m_cbFind;
    QCheckBox* m_wholeWord;
    FindInYearFn m_findInYear;
};

} // namespace vorelian
