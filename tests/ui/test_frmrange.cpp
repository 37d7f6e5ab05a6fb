// The year range dialog as a user meets it: two boxes, "Да" and "Отмена", the refusal message, and what
// the main window is asked to do after a new range.
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "ui/frmrange.h"
#include "uiservices_fake.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace vorelian;
using vorelian::testing::FakeServices;

namespace {

// Records the main window's steps in the order they were asked for.
class RecordingHost : public RangeHost {
public:
    void SetYearsMonths() override { Calls << QStringLiteral("SetYearsMonths"); }
    void GoToday() override { Calls << QStringLiteral("GoToday"); }
    void BuildReport() override { Calls << QStringLiteral("BuildReport"); }
    void SetGridCal() override { Calls << QStringLiteral("SetGridCal"); }
    QStringList Calls;
};

CalendarState StateOn(int16_t day, int16_t month, int16_t year, int16_t style = StyleGregorian) {
    CalendarState st;
    InitStyleTables(st);
    SetYearRange(st, 1901, 2100);
    st.CurStyle = style;
    SetGregorianDate(st, day, month, year);
    return st;
}

void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Replaces a box's text as a user does: focus it (which selects everything) and type over it.
void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

} // namespace

class TestFrmRange : public QObject {
    Q_OBJECT

private:
    const int Y = QDate::currentDate().year();

private Q_SLOTS:
    void opensWithTheJulianRange() {
        FakeServices fake;
        CalendarState st = StateOn(15, 6, 2000);
        SetYearRange(st, 1850, 2200);
        RecordingHost host;
        QPointer<frmRange> dlg = frmRange::ShowRange(nullptr, st, host, nullptr);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Диапазон годов"));
        QCOMPARE(dlg->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("1850"));
        QCOMPARE(dlg->findChild<QLineEdit*>("Text2")->text(), QStringLiteral("2200"));
        QCOMPARE(dlg->findChild<QLabel*>("Label1")->text(),
                 QStringLiteral("Рабочий диапазон годов\nпо старому стилю\n(максимально: от 1 до 3000)"));
        QVERIFY(dlg->findChild<QPushButton*>("cbOk")->isDefault());
        QCOMPARE(dlg->findChild<QPushButton*>("cbOk")->text(), QStringLiteral("Да"));
        QCOMPARE(dlg->findChild<QPushButton*>("cbCancel")->text(), QStringLiteral("Отмена"));
        // A second "Диапазон годов..." while it is open brings up the same dialog.
        QCOMPARE(frmRange::ShowRange(nullptr, st, host, nullptr), dlg.data());
        dlg->close();
        Flush();
        QVERIFY(dlg.isNull());
    }

    // A refusal names the wrong year first; the second line gives the years each box may take.
    void validation_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("minYear");
        QTest::addColumn<int>("maxYear");
        QTest::addColumn<QString>("wrong");
        const QString y = QString::number(Y);
        const QString early = QStringLiteral("Первый год должен быть раньше текущего, %1.").arg(Y);
        const QString late = QStringLiteral("Последний год должен быть позже текущего, %1.").arg(Y);
        const QString below = QStringLiteral("Первый год не может быть раньше 1.");
        const QString above = QStringLiteral("Последний год не может быть позже 3000.");
        const QString firstNaN = QStringLiteral("Первый год не задан числом.");
        const QString lastNaN = QStringLiteral("Последний год не задан числом.");
        QTest::addRow("1..3000") << "1"
                                 << "3000" << true << 1 << 3000 << QString();
        QTest::addRow("Y-1..Y+1") << QString::number(Y - 1) << QString::number(Y + 1) << true << Y - 1
                                  << Y + 1 << QString();
        QTest::addRow("Y..Y") << y << y << false << 0 << 0 << early;
        QTest::addRow("first is Y") << y << "2100" << false << 0 << 0 << early;
        QTest::addRow("last is Y") << "1901" << y << false << 0 << 0 << late;
        QTest::addRow("0") << "0"
                           << "2100" << false << 0 << 0 << below;
        QTest::addRow("3001") << "1901"
                              << "3001" << false << 0 << 0 << above;
        QTest::addRow("fraction truncated") << "1900.7"
                                            << "2100" << true << 1900 << 2100 << QString();
        QTest::addRow("negative fraction") << "-0.5"
                                           << "2100" << false << 0 << 0 << below;
        QTest::addRow("0.9 is 0") << "0.9"
                                  << "2100" << false << 0 << 0 << below;
        QTest::addRow("3000.9 is 3000") << "1901"
                                        << "3000.9" << true << 1901 << 3000 << QString();
        QTest::addRow("letters") << "abc"
                                 << "2100" << false << 0 << 0 << firstNaN;
        QTest::addRow("empty box") << "1901"
                                   << "" << false << 0 << 0 << lastNaN;
        QTest::addRow("beyond 16 bits") << "1901"
                                        << "70000" << false << 0 << 0 << above;
        QTest::addRow("huge") << "-1e300"
                              << "2100" << false << 0 << 0 << below;
        QTest::addRow("blanks around") << " 1800 "
                                       << "2100" << true << 1800 << 2100 << QString();
    }

    void validation() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(bool, accepted);
        FakeServices fake;
        CalendarState st = StateOn(1, 3, int16_t(Y));
        const CalendarState before = st;
        Settings settings;
        RecordingHost host;
        QPointer<frmRange> dlg = frmRange::ShowRange(nullptr, st, host, &settings);
        TypeInto(dlg->findChild<QLineEdit*>("Text1"), first);
        TypeInto(dlg->findChild<QLineEdit*>("Text2"), last);
        QTest::mouseClick(dlg->findChild<QPushButton*>("cbOk"), Qt::LeftButton);
        Flush();
        if (accepted) {
            QFETCH(int, minYear);
            QFETCH(int, maxYear);
            QVERIFY(fake.Messages.empty());
            QVERIFY(dlg.isNull());
            QCOMPARE(st.MinYears[StyleJulian], minYear);
            QCOMPARE(st.MaxYears[StyleJulian], maxYear);
            QCOMPARE(st.MinYears[StyleGregorian], minYear);
            QCOMPARE(st.MaxYears[StyleAnnoMundi], maxYear + 5508);
            QCOMPARE(settings.MinYear, minYear);
            QCOMPARE(settings.MaxYear, maxYear);
            QCOMPARE(host.Calls, QStringList({"SetYearsMonths", "SetGridCal"}));
        } else {
            QCOMPARE(int(fake.Messages.size()), 1);
            QFETCH(QString, wrong);
            QCOMPARE(fake.Messages[0].Text,
                     wrong + QStringLiteral("\nПервый год — от 1 до %1, последний — от %2 до 3000.")
                                 .arg(Y - 1)
                                 .arg(Y + 1));
            QCOMPARE(fake.Messages[0].Icon, QMessageBox::Warning);
            QCOMPARE(fake.Messages[0].Title, QStringLiteral("Диапазон годов"));
            // The dialog stays with the typed values; nothing changed.
            QVERIFY(!dlg.isNull() && dlg->isVisible());
            QCOMPARE(dlg->findChild<QLineEdit*>("Text1")->text(), first);
            QCOMPARE(dlg->findChild<QLineEdit*>("Text2")->text(), last);
            QCOMPARE(st.MinYears, before.MinYears);
            QCOMPARE(st.MaxDayNumbers, before.MaxDayNumbers);
            QCOMPARE(settings.MinYear, int16_t(1901));
            QVERIFY(host.Calls.isEmpty());
            delete dlg;
        }
    }

    void unchangedRangeRedrawsNothing() {
        FakeServices fake;
        CalendarState st = StateOn(1, 3, 2000);
        RecordingHost host;
        QPointer<frmRange> dlg = frmRange::ShowRange(nullptr, st, host, nullptr);
        TypeInto(dlg->findChild<QLineEdit*>("Text1"), QStringLiteral("1901.4")); // still 1901
        QTest::mouseClick(dlg->findChild<QPushButton*>("cbOk"), Qt::LeftButton);
        Flush();
        QVERIFY(dlg.isNull());
        QVERIFY(host.Calls.isEmpty());
        QVERIFY(fake.Messages.empty());
    }

    void theStylesFollowTheNewRange() {
        FakeServices fake;
        CalendarState st = StateOn(1, 3, int16_t(Y));
        RecordingHost host;
        frmRange dlg(st, host, nullptr);
        TypeInto(dlg.findChild<QLineEdit*>("Text1"), QStringLiteral("1950"));
        TypeInto(dlg.findChild<QLineEdit*>("Text2"), QStringLiteral("2050"));
        QCOMPARE(dlg.NewRange(), frmRange::Outcome::Applied);
        // Gregorian: 1 January 1950 .. 31 December 2050, against Qt's own proleptic Gregorian calendar.
        QCOMPARE(qint64(st.MinDayNumbers[StyleGregorian]), QDate(1950, 1, 1).toJulianDay());
        QCOMPARE(qint64(st.MaxDayNumbers[StyleGregorian]), QDate(2050, 12, 31).toJulianDay());
        // Anno Mundi: 1 September of Julian 1949 .. 31 August of Julian 2050.
        QCOMPARE(st.MinYears[StyleAnnoMundi], int16_t(7458));
        QCOMPARE(st.MinDayNumbers[StyleAnnoMundi], DayNumber(StyleJulian, 1, 9, 1949));
        QCOMPARE(st.MaxDayNumbers[StyleAnnoMundi], DayNumber(StyleJulian, 31, 8, 2050));
        QCOMPARE(st.MinDayNumbers[StyleJulian], DayNumber(StyleJulian, 1, 1, 1950));
    }

    void narrowingPastTheShownDateGoesToToday_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("shownYear");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QStringList>("calls");
        const QStringList today{"SetYearsMonths", "GoToday", "BuildReport"};
        const QStringList stay{"SetYearsMonths", "SetGridCal"};
        QTest::addRow("Gregorian 1920 below 1950") << 3 << 1920 << "1950" << today;
        QTest::addRow("Gregorian 1960 inside 1950") << 3 << 1960 << "1950" << stay;
        QTest::addRow("Julian 1950 inside 1950") << 2 << 1950 << "1950" << stay;
        QTest::addRow("Anno Mundi 7450 below 7458") << 1 << 1940 << "1950" << today;
    }

    void narrowingPastTheShownDateGoesToToday() {
        QFETCH(int, style);
        QFETCH(int, shownYear);
        QFETCH(QString, first);
        QFETCH(QStringList, calls);
        FakeServices fake;
        CalendarState st = StateOn(1, 6, int16_t(shownYear), int16_t(style));
        RecordingHost host;
        frmRange dlg(st, host, nullptr);
        TypeInto(dlg.findChild<QLineEdit*>("Text1"), first);
        QCOMPARE(dlg.NewRange(), frmRange::Outcome::Applied);
        QCOMPARE(host.Calls, calls);
    }

    void enterAppliesOnceAndEscCancels() {
        FakeServices fake;
        CalendarState st = StateOn(1, 3, 2000);
        RecordingHost host;
        QPointer<frmRange> dlg = frmRange::ShowRange(nullptr, st, host, nullptr);
        QLineEdit* text2 = dlg->findChild<QLineEdit*>("Text2");
        TypeInto(text2, QStringLiteral("2500"));
        QTest::keyClick(text2, Qt::Key_Return);
        Flush();
        QVERIFY(dlg.isNull());
        QCOMPARE(host.Calls, QStringList({"SetYearsMonths", "SetGridCal"}));
        QCOMPARE(st.MaxYears[StyleJulian], int16_t(2500));

        host.Calls.clear();
        dlg = frmRange::ShowRange(nullptr, st, host, nullptr);
        QCOMPARE(dlg->findChild<QLineEdit*>("Text2")->text(), QStringLiteral("2500"));
        TypeInto(dlg->findChild<QLineEdit*>("Text1"), QStringLiteral("1700"));
        QTest::keyClick(dlg->findChild<QLineEdit*>("Text1"), Qt::Key_Escape);
        Flush();
        QVERIFY(dlg.isNull());
        QCOMPARE(st.MinYears[StyleJulian], int16_t(1901));
        QVERIFY(host.Calls.isEmpty());

        dlg = frmRange::ShowRange(nullptr, st, host, nullptr);
        TypeInto(dlg->findChild<QLineEdit*>("Text1"), QStringLiteral("1700"));
        QTest::mouseClick(dlg->findChild<QPushButton*>("cbCancel"), Qt::LeftButton);
        Flush();
        QVERIFY(dlg.isNull());
        QCOMPARE(st.MinYears[StyleJulian], int16_t(1901));
        QVERIFY(host.Calls.isEmpty());
    }

    void focusingABoxSelectsItsText() {
        FakeServices fake;
        CalendarState st = StateOn(1, 3, 2000);
        RecordingHost host;
        frmRange dlg(st, host, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QLineEdit* text2 = dlg.findChild<QLineEdit*>("Text2");
        QTest::mouseClick(text2, Qt::LeftButton, {}, QPoint(2, text2->height() / 2));
        QTRY_COMPARE(text2->selectedText(), QStringLiteral("2100"));
        // Typing then replaces the whole year.
        QTest::keyClicks(text2, QStringLiteral("2400"));
        QCOMPARE(text2->text(), QStringLiteral("2400"));
        QTest::keyClick(text2, Qt::Key_Tab); // out of the dialog's last box onto a button
        QLineEdit* text1 = dlg.findChild<QLineEdit*>("Text1");
        text1->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(text1->selectedText(), QStringLiteral("1901"));
    }
};

QTEST_MAIN(TestFrmRange)
#include "test_frmrange.moc"
