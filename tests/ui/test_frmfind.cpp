// Finding text in a report as a user does: the "Поиск" window, F3 on the report's own selection, and the
// search controls of the "Выборка" tab.
#include "core/cp1251.h"
#include "ui/frmfind.h"
#include "ui/richtextview.h"
#include "uiservices_fake.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace vorelian;
using vorelian::testing::FakeServices;

namespace {

// The report as the view shows it: paragraph ends count one position each.
const QString kReport = QStringLiteral("Память святого Иоанна Предтечи.\n"
                                       "Иоанн Златоуст и Иоанн Богослов.\n"
                                       "Пророк ИОАНН, иоанн.");

// Every position of `what` in the report, any case: the oracle the view's search is checked against.
QList<int> Positions(const QString& what) {
    QList<int> found;
    for (qsizetype i = kReport.indexOf(what, 0, Qt::CaseInsensitive); i >= 0;
         i = kReport.indexOf(what, i + what.size(), Qt::CaseInsensitive))
        found << int(i);
    return found;
}

struct MainWindow {
    QWidget Window;
    RichTextView* View;
    QPointer<frmFind> Find;

    MainWindow() {
        Window.setWindowTitle(QStringLiteral("Vorelian"));
        View = new RichTextView(&Window);
        auto* layout = new QVBoxLayout(&Window);
        layout->addWidget(View);
        QByteArray bytes = cp1251::Encode(kReport);
        bytes.replace("\n", "\r\n");
        View->Load(bytes);
        Window.setGeometry(100, 80, 700, 500);
        Window.show();
    }
    ~MainWindow() { delete Find; }

    frmFind* OpenFind() {
        return frmFind::mnuFind(Find, &Window, [this] { return View; });
    }
    void Select(int start, int length) {
        View->SetSelStart(start);
        View->SetSelLength(length);
    }
};

// Key presses for any text, Cyrillic included (QTest::keyClicks takes Latin-1 only).
void KeyClicks(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
}

void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    KeyClicks(box, text);
}

} // namespace

class TestFrmFind : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theReportIsWhatTheTestsExpect() { QCOMPARE(MainWindow().View->Text(), kReport); }

    void loadsEmptyAtTheMainWindowsTopRight() {
        FakeServices fake;
        MainWindow main;
        frmFind* find = main.OpenFind();
        QVERIFY(find->isVisible());
        QVERIFY(!find->isModal());
        QCOMPARE(find->windowTitle(), QStringLiteral("Поиск"));
        QVERIFY(find->strFind()->text().isEmpty());
        QVERIFY(!find->cbFind()->isEnabled());
        QVERIFY(!find->WholeWord()->isChecked());
        QCOMPARE(find->cbFind()->text(), QStringLiteral("Искать"));
        QCOMPARE(find->cbExit()->text(), QStringLiteral("Закрыть"));
        QCOMPARE(find->WholeWord()->text(), QStringLiteral("Целое слово"));
        QCOMPARE(find->frameGeometry().top(), main.Window.frameGeometry().top());
        QCOMPARE(find->frameGeometry().right(), main.Window.frameGeometry().right());
    }

    void pressesWalkThroughTheMatchesThenStop_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QList<int>>("expected");
        QTest::addRow("any case") << "иоанн" << false << Positions("иоанн");
        QTest::addRow("whole words skip Иоанна") << "Иоанн" << true << (Positions("иоанн").mid(1));
        QTest::addRow("leading space as typed") << " иоанн" << false << Positions(" иоанн");
        QTest::addRow("across a paragraph end")
            << "Предтечи.\nИоанн" << false << Positions("Предтечи.\nИоанн");
        QTest::addRow("no match at all") << "Николай" << false << QList<int>();
    }

    void pressesWalkThroughTheMatchesThenStop() {
        QFETCH(QString, typed);
        QFETCH(bool, wholeWord);
        QFETCH(QList<int>, expected);
        QCOMPARE(expected.size() > 0, typed != "Николай");
        QVERIFY(!wholeWord || expected.size() == 4);
        FakeServices fake;
        MainWindow main;
        frmFind* find = main.OpenFind();
        if (typed.contains('\n'))
            find->strFind()->setText(typed); // a line edit cannot take a line end from the keyboard
        else
            KeyClicks(find->strFind(), typed);
        QVERIFY(find->cbFind()->isEnabled());
        if (wholeWord)
            QTest::mouseClick(find->WholeWord(), Qt::LeftButton, {},
                              QPoint(4, find->WholeWord()->height() / 2));
        QCOMPARE(find->WholeWord()->isChecked(), wholeWord);

        for (int pos : expected) {
            QTest::mouseClick(find->cbFind(), Qt::LeftButton);
            QCOMPARE(main.View->SelStart(), pos);
            QCOMPARE(main.View->SelLength(), int(typed.size()));
            QVERIFY(fake.Messages.empty());
        }
        QCOMPARE(find->Count()->text(), QStringLiteral("Совпадений: %1").arg(expected.size()));
        const int start = main.View->SelStart(), length = main.View->SelLength();
        QTest::mouseClick(find->cbFind(), Qt::LeftButton);
        QCOMPARE(int(fake.Messages.size()), 1);
        QCOMPARE(fake.Messages.back().Text, QStringLiteral("Поиск достиг конца текста."));
        QCOMPARE(fake.Messages.back().Icon, QMessageBox::Information);
        QCOMPARE(fake.Messages.back().Title, QStringLiteral("Поиск"));
        QCOMPARE(main.View->SelStart(), start);
        QCOMPARE(main.View->SelLength(), length);
        // The next search goes on from the top; Shift+F3 walks back over the end to the last match.
        QTest::keyClick(find->strFind(), Qt::Key_Return);
        QCOMPARE(int(fake.Messages.size()), expected.isEmpty() ? 2 : 1);
        if (expected.isEmpty())
            return;
        QCOMPARE(main.View->SelStart(), expected.first());
        QTest::keyClick(find->strFind(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(fake.Messages.back().Text, QStringLiteral("Поиск достиг начала текста."));
        QTest::keyClick(find->strFind(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(main.View->SelStart(), expected.last());
        if (expected.size() > 1) {
            QTest::keyClick(find->strFind(), Qt::Key_F3, Qt::ShiftModifier);
            QCOMPARE(main.View->SelStart(), expected[expected.size() - 2]);
        }
    }

    void enterSearchesAndBlanksDoNothing() {
        FakeServices fake;
        MainWindow main;
        frmFind* find = main.OpenFind();
        KeyClicks(find->strFind(), QStringLiteral("   "));
        QVERIFY(!find->cbFind()->isEnabled());
        QTest::keyClick(find->strFind(), Qt::Key_Return);
        QTest::mouseClick(find->cbFind(), Qt::LeftButton);
        QVERIFY(fake.Messages.empty());
        QCOMPARE(main.View->SelLength(), 0);
        QVERIFY(!find->FindDat(QStringLiteral("  ")));
        QVERIFY(fake.Messages.empty());

        Type(find->strFind(), QStringLiteral("Златоуст"));
        QVERIFY(find->cbFind()->isEnabled());
        QTest::keyClick(find->strFind(), Qt::Key_Return);
        QCOMPARE(main.View->SelStart(), int(kReport.indexOf("Златоуст")));
        QCOMPARE(main.View->SelText(), QStringLiteral("Златоуст"));
        QTest::keyClick(find->strFind(), Qt::Key_Enter);
        QCOMPARE(int(fake.Messages.size()), 1);
        // Clearing the box disables the button again.
        Type(find->strFind(), QString());
        QVERIFY(!find->cbFind()->isEnabled());
    }

    void enterSearchesOnAndFindKeepsTheFocus_data() {
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QList<int>>("expected");
        QTest::addRow("any word") << false << Positions("иоанн").mid(0, 3);
        QTest::addRow("whole words") << true << Positions("иоанн").mid(1, 3);
    }
    void enterSearchesOnAndFindKeepsTheFocus() {
        QFETCH(bool, wholeWord);
        QFETCH(QList<int>, expected);
        FakeServices fake;
        MainWindow main;
        frmFind* find = main.OpenFind();
        QVERIFY(QTest::qWaitForWindowActive(find));
        KeyClicks(find->strFind(), QStringLiteral("иоанн"));
        find->WholeWord()->setChecked(wholeWord);
        find->strFind()->setFocus();
        for (int pos : expected) {
            // Enter goes wherever the focus is, as the person's key does.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(main.View->SelStart(), pos);
            QCOMPARE(QApplication::activeWindow(), find);
            QCOMPARE(QApplication::focusWidget(), find->strFind());
        }
        QVERIFY(fake.Messages.empty());
        // The match shows in the selection's active colours while the Find window has the focus.
        const QPalette p = main.View->palette();
        QCOMPARE(p.color(QPalette::Inactive, QPalette::Highlight),
                 p.color(QPalette::Active, QPalette::Highlight));
        QVERIFY(p.color(QPalette::Inactive, QPalette::Highlight) !=
                p.color(QPalette::Inactive, QPalette::Base));
    }

    void theSelectionFillsTheBox() {
        FakeServices fake;
        MainWindow main;
        const int at = int(kReport.indexOf("Богослов"));
        main.Select(at, 8);
        frmFind* find = main.OpenFind();
        QCOMPARE(find->strFind()->text(), QStringLiteral("Богослов"));
        QCOMPARE(find->Count()->text(), QStringLiteral("Совпадений: 1"));
        find->cbExit()->click();
        // Of a selection over two lines, the first.
        main.Select(at, int(kReport.indexOf("ИОАНН")) - at);
        find = main.OpenFind();
        QCOMPARE(find->strFind()->text(), QStringLiteral("Богослов."));
        main.Select(at, 8);
        find = main.OpenFind();
        QVERIFY(find->cbFind()->isEnabled());
        find->cbExit()->click();
        // Without a selection the box keeps what it held.
        main.View->SetSelStart(0);
        find = main.OpenFind();
        QCOMPARE(find->strFind()->text(), QStringLiteral("Богослов"));
    }

    void hideKeepsCloseUnloads() {
        FakeServices fake;
        MainWindow main;
        QPointer<frmFind> find = main.OpenFind();
        KeyClicks(find->strFind(), QStringLiteral("Иоанн"));
        find->WholeWord()->setChecked(true);
        const QPoint placed = find->pos();

        QTest::mouseClick(find->cbExit(), Qt::LeftButton);
        QVERIFY(!find->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!find.isNull());

        main.Window.move(300, 200);
        QCOMPARE(main.OpenFind(), find.data());
        QVERIFY(find->isVisible());
        QCOMPARE(find->strFind()->text(), QStringLiteral("Иоанн"));
        QVERIFY(find->WholeWord()->isChecked());
        QCOMPARE(find->pos(), placed); // placed when loaded, not at every showing

        QTest::keyClick(find->strFind(), Qt::Key_Escape);
        QVERIFY(!find->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!find.isNull());

        main.OpenFind();
        find->close(); // the frame's close command
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(find.isNull());
        find = main.OpenFind();
        QVERIFY(find->strFind()->text().isEmpty());
        QVERIFY(!find->WholeWord()->isChecked());
        QVERIFY(!find->cbFind()->isEnabled());
        QCOMPARE(find->frameGeometry().top(), main.Window.frameGeometry().top());
        QCOMPARE(find->frameGeometry().right(), main.Window.frameGeometry().right());
    }

    void theVisibleReportIsReadAtEverySearch() {
        FakeServices fake;
        MainWindow main;
        RichTextView other;
        other.Load(QByteArray("Zacharias and Elisabeth"));
        RichTextView* visible = main.View;
        QPointer<frmFind> find = frmFind::mnuFind(main.Find, &main.Window, [&] { return visible; });
        KeyClicks(find->strFind(), QStringLiteral("and"));
        visible = &other;
        QTest::mouseClick(find->cbFind(), Qt::LeftButton);
        QCOMPARE(other.SelStart(), 10);
        QCOMPARE(main.View->SelLength(), 0);
    }

    void f3FindsTheNextOccurrenceOfTheSelection() {
        FakeServices fake;
        MainWindow main;
        const QList<int> all = Positions("иоанн");
        main.Select(all[0], 5);
        for (int i = 1; i < all.size(); ++i) {
            QVERIFY(FindSelText(&main.Window, main.View));
            QCOMPARE(main.View->SelStart(), all[i]);
            QCOMPARE(main.View->SelLength(), 5);
        }
        QVERIFY(fake.Messages.empty());
        QVERIFY(!FindSelText(&main.Window, main.View));
        QCOMPARE(int(fake.Messages.size()), 1);
        QCOMPARE(fake.Messages[0].Text, QStringLiteral("Поиск достиг конца текста."));
        QCOMPARE(fake.Messages[0].Icon, QMessageBox::Information);
        QCOMPARE(fake.Messages[0].Title, QStringLiteral("Vorelian"));
        QCOMPARE(main.View->SelStart(), all.last());
        // The next F3 goes on from the top.
        QVERIFY(FindSelText(&main.Window, main.View));
        QCOMPARE(main.View->SelStart(), all[0]);

        // Nothing selected: nothing to look for, and nothing to say.
        main.View->SetSelStart(3);
        QVERIFY(!FindSelText(&main.Window, main.View));
        QCOMPARE(int(fake.Messages.size()), 1);
        QCOMPARE(main.View->SelStart(), 3);
    }

    void selectionTabControls() {
        QWidget tab;
        auto* box = new QLineEdit(&tab);
        auto* button = new QPushButton(QStringLiteral("Выбрать"), &tab);
        auto* whole = new QCheckBox(QStringLiteral("Целое слово"), &tab);
        QList<QPair<QString, bool>> calls;
        new SelectionSearch(box, button, whole, [&](const QString& text, bool w) {
            calls.append({text, w});
        });
        tab.show();
        QVERIFY(!button->isEnabled());

        KeyClicks(box, QStringLiteral("  "));
        QVERIFY(!button->isEnabled());
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(calls.isEmpty());

        KeyClicks(box, QStringLiteral("Иоанн"));
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        whole->setChecked(true);
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[0], qMakePair(QStringLiteral("  Иоанн"), false));
        QCOMPARE(calls[1], qMakePair(QStringLiteral("  Иоанн"), true));
        QCOMPARE(box->text(), QStringLiteral("  Иоанн"));

        Type(box, QString());
        QVERIFY(!button->isEnabled());
    }
};

QTEST_MAIN(TestFrmFind)
#include "test_frmfind.moc"
