// The calendar export as a user meets it: the dialog with the range and the scope, its refusal of a range
// in the wrong order or too long, and the command that asks for a file name and writes the calendar.
#include "frmcalendar_fixture.h"
#include "uiservices_fake.h"

#include "ui/frmexport.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace vorelian;
using vorelian::testing::FakeServices;

namespace {

const QDate kEarliest(1901, 1, 14), kLatest(2101, 1, 13);

// Types a date "dd.MM.yyyy" into a date box as a user does: each part typed over its section.
void TypeDate(QDateEdit* box, const QString& text) {
    box->setFocus();
    const QStringList parts = text.split(u'.');
    const QDateTimeEdit::Section sections[] = {QDateTimeEdit::DaySection, QDateTimeEdit::MonthSection,
                                               QDateTimeEdit::YearSection};
    for (int i = 0; i < 3; ++i) {
        box->setSelectedSection(sections[i]);
        QTest::keyClicks(box, parts[i]);
    }
}

// Acts on the export dialog once it is open and waiting: `act` sees it, then "Да" is pressed.
void WhenTheDialogOpens(std::function<void(frmExport&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dlg = qobject_cast<frmExport*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        act(*dlg);
        QTest::mouseClick(dlg->findChild<QPushButton*>("cbOk"), Qt::LeftButton);
    });
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestFrmExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensWithTheProposal() {
        FakeServices fake;
        frmExport dlg({QDate(2027, 1, 1), QDate(2027, 12, 31), IcalScope::Great}, kEarliest, kLatest);
        QCOMPARE(dlg.windowTitle(), "Экспорт в календарь");
        QCOMPARE(dlg.findChild<QDateEdit*>("dtFrom")->text(), "01.01.2027");
        QCOMPARE(dlg.findChild<QDateEdit*>("dtTo")->text(), "31.12.2027");
        auto* scope = dlg.findChild<QComboBox*>("cmbScope");
        QCOMPARE(scope->currentText(), "Великие праздники");
        QCOMPARE(scope->count(), 3);
        QVERIFY(dlg.findChild<QPushButton*>("cbOk")->isDefault());
    }

    void range_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("accepted");
        QTest::addRow("one day") << "07.01.2027"
                                 << "07.01.2027" << true;
        QTest::addRow("fifty years less a day") << "01.01.1901"
                                                << "31.12.1950" << true;
        QTest::addRow("fifty years") << "01.01.1901"
                                     << "01.01.1951" << false;
        QTest::addRow("wrong order") << "02.01.2027"
                                     << "01.01.2027" << false;
    }
    void range() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, accepted);
        FakeServices fake;
        frmExport dlg({QDate(2027, 1, 1), QDate(2027, 12, 31), IcalScope::All}, QDate(1900, 1, 1), kLatest);
        dlg.show();
        TypeDate(dlg.findChild<QDateEdit*>("dtFrom"), from);
        TypeDate(dlg.findChild<QDateEdit*>("dtTo"), to);
        auto* scope = dlg.findChild<QComboBox*>("cmbScope");
        scope->setFocus();
        QTest::keyClick(scope, Qt::Key_Home); // the first item: great feasts
        QTest::mouseClick(dlg.findChild<QPushButton*>("cbOk"), Qt::LeftButton);
        QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
        QCOMPARE(fake.Messages.size(), accepted ? 0u : 1u);
        if (!accepted) {
            QCOMPARE(fake.Messages[0].Icon, QMessageBox::Warning);
            QVERIFY(dlg.isVisible());
            return;
        }
        const IcalRequest r = dlg.Request();
        QCOMPARE(r.From, QDate::fromString(from, "dd.MM.yyyy"));
        QCOMPARE(r.To, QDate::fromString(to, "dd.MM.yyyy"));
        QCOMPARE(r.Scope, IcalScope::Great);
    }

    // From the File menu of the window: the displayed year proposed, the red days chosen, the file
    // named and written, its folder remembered.
    void exportFromTheWindow() {
        fixture::World world;
        FakeServices fake;
        fixture::Program p(world, QDate(2024, 3, 15));
        QTemporaryDir out;
        const QString path = out.filePath("red");
        fake.SaveAnswer = SaveChoice{path, 1};
        QString proposedFrom, proposedTo;
        WhenTheDialogOpens([&](frmExport& dlg) {
            proposedFrom = dlg.findChild<QDateEdit*>("dtFrom")->text();
            proposedTo = dlg.findChild<QDateEdit*>("dtTo")->text();
            auto* scope = dlg.findChild<QComboBox*>("cmbScope");
            scope->setCurrentIndex(scope->findText("Красные дни"));
        });
        p.Action("mnuExportIcal")->trigger();
        QCOMPARE(proposedFrom, "01.01.2024");
        QCOMPARE(proposedTo, "31.12.2024");
        QCOMPARE(fake.SaveRequests.size(), 1u);
        QCOMPARE(fake.SaveRequests[0].FileName, "Церковный календарь 2024.ics");
        QCOMPARE(fake.Messages.size(), 1u);
        QCOMPARE(fake.Messages[0].Icon, QMessageBox::Information);
        QCOMPARE(
            fake.Messages[0].Text,
            QStringLiteral("В файл «%1» записано событий: 53.").arg(QDir::toNativeSeparators(path + ".ics")));
        const QByteArray ics = ReadAll(path + ".ics");
        QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n"));
        QVERIFY(ics.endsWith("END:VCALENDAR\r\n"));
        // The one red feast of the small data set (Julian 7 January) and the 52 Sundays of 2024.
        QVERIFY(
            ics.contains("DTSTART;VALUE=DATE:20240120\r\nDTEND;VALUE=DATE:20240121\r\nSUMMARY:Feast\r\n"));
        QCOMPARE(ics.count("BEGIN:VEVENT"), 53);
        QCOMPARE(QDir(p.app->Options.LastDir).canonicalPath(), QDir(out.path()).canonicalPath());
    }

    // «Показывать пост» decides whether each day's description ends with its fasting line.
    void exportFollowsTheFastingChoice_data() {
        QTest::addColumn<bool>("shown");
        QTest::addRow("shown") << true;
        QTest::addRow("hidden") << false;
    }
    void exportFollowsTheFastingChoice() {
        QFETCH(bool, shown);
        fixture::World world;
        QFile rules(world.ProgramFolder() + "/Calendar/Fasting.DAT");
        QVERIFY(rules.open(QIODevice::WriteOnly));
        rules.write("[Levels]\r\ndry=Dry bread.\r\n[1]\r\nname=Every day\r\nlevel=dry\r\n");
        rules.close();
        FakeServices fake;
        fixture::Program p(world, QDate(2024, 3, 15));
        if (!shown)
            p.Action("mnuFasting")->trigger();
        QTemporaryDir out;
        fake.SaveAnswer = SaveChoice{out.filePath("year.ics"), 1};
        WhenTheDialogOpens([](frmExport&) {});
        p.Action("mnuExportIcal")->trigger();
        const QByteArray ics = ReadAll(out.filePath("year.ics"));
        QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n"));
        QCOMPARE(ics.contains("Dry bread."), shown);
    }

    // "red" typed where "red.ics" is: the calendar replaces it only when the user says so.
    void exportAsksBeforeReplacing() {
        fixture::World world;
        FakeServices fake;
        fixture::Program p(world, QDate(2024, 3, 15));
        QTemporaryDir out;
        QFile old(out.filePath("red.ics"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        fake.SaveAnswer = SaveChoice{out.filePath("red"), 1};
        for (const bool yes : {false, true}) {
            fake.AskAnswer = yes;
            WhenTheDialogOpens([](frmExport&) {});
            p.Action("mnuExportIcal")->trigger();
            QCOMPARE(fake.Questions.back().Title, "Экспорт в календарь");
            QVERIFY(fake.Questions.back().Text.endsWith("red.ics» уже существует. Заменить?"));
            QCOMPARE(ReadAll(out.filePath("red.ics")) == "old", !yes);
        }
        QCOMPARE(fake.Questions.size(), 2u);
        QCOMPARE(fake.Messages.size(), 1u); // the count of the one export written
    }

    // A file that cannot be written is reported as Save as reports it; nothing is left behind.
    void exportFailureIsReported() {
        fixture::World world;
        FakeServices fake;
        fixture::Program p(world, QDate(2024, 3, 15));
        QTemporaryDir out;
        const QString path = out.filePath("no such folder/year.ics");
        fake.SaveAnswer = SaveChoice{path, 1};
        WhenTheDialogOpens([](frmExport&) {});
        p.Action("mnuExportIcal")->trigger();
        QCOMPARE(fake.Messages.size(), 1u);
        QCOMPARE(fake.Messages[0].Icon, QMessageBox::Critical);
        QCOMPARE(fake.Messages[0].Title, "Экспорт в календарь");
        QVERIFY2(fake.Messages[0].Text.startsWith("Не удалось сохранить файл «"),
                 qPrintable(fake.Messages[0].Text));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(p.app->Options.LastDir, QString());
    }

    void cancelWritesNothing() {
        fixture::World world;
        FakeServices fake;
        fixture::Program p(world, QDate(2024, 3, 15));
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<frmExport*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            QTest::mouseClick(dlg->findChild<QPushButton*>("cbCancel"), Qt::LeftButton);
        });
        p.Action("mnuExportIcal")->trigger();
        QVERIFY(fake.SaveRequests.empty());
        QVERIFY(fake.Messages.empty());
    }
};

QTEST_MAIN(TestFrmExport)
#include "test_frmexport.moc"
