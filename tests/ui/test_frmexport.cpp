// The calendar export as a user meets it: the dialog with the range and the scope, its refusal of a range
// in the wrong order or too long, and the command that asks for a file name and writes the calendar.
#include "ui/frmexport.h"
#include "uiservices_fake.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QtTest>

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
};

QTEST_MAIN(TestFrmExport)
#include "test_frmexport.moc"
