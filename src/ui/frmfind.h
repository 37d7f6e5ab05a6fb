// Finding text in the visible report: the "Поиск" window (FindDat), the F3 command that looks for the
// next occurrence of the report's own selection, and the search controls of the "Выборка" tab, which
// hand their text to the search of the year.
//
// Every search starts just after the report's selection and runs to the end of the report without
// wrapping; a match becomes the selection, and the "Поиск" window stays active for the next search. When
// nothing more is found the user is told "Поиск достиг конца текста.".
#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vorelian {

class RichTextView;

inline const QString kEndOfText = QStringLiteral("Поиск достиг конца текста.");

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

    // One search step for `text` in the visible report. True when a match was selected.
    bool FindDat(const QString& text);

    QLineEdit* strFind() const { return m_strFind; }
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
    // Top right corner on the main window's top right corner; each time the window is loaded.
    void PlaceAtMainTopRight();

    QWidget* m_mainWindow;
    ReportSource m_report;
    QLineEdit* m_strFind;
    QPushButton* m_cbFind;
    QPushButton* m_cbExit;
    QCheckBox* m_wholeWord;
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
