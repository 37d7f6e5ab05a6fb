// The report font: the dialog in which bold and italic cannot be changed, the rounding of the size, and
// the command that stores the choice and brings the reports up to date in the new font.
#include "bases/bases.h"
#include "core/recalc.h"
#include "core/state.h"
#include "report/report.h"
#include "ui/fontdialog.h"
#include "uiservices_fake.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <map>

using namespace vorelian;
using vorelian::testing::FakeServices;

namespace {

// Keeps the last document each tab was shown.
class CaptureHost : public ReportHost {
public:
    void ShowReport(int tab, const QString&, const QByteArray& document) override {
        Shown[tab] = document;
        ++Count;
    }
    std::map<int, QByteArray> Shown;
    int Count = 0;
};

struct Calendar {
    std::shared_ptr<const DayEngine> Engine = DayEngine::Load(QStringLiteral("/nonexistent/Calendar"));
    CalendarState State;
    Settings Options;
    Reports Out;
    CaptureHost Host;
    ReportView Ctx{*Engine, State, Options, Out, &Host};

    Calendar() {
        InitStyleTables(State);
        SetYearRange(State, 1901, 2100);
        SetGregorianDate(State, 7, 1, 2005);
    }
};

QPushButton* OkButton(QWidget* dialog) {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

void ReplaceText(QComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(box->lineEdit(), text);
}

} // namespace

class TestFontDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundsHalfToEven_data() {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("whole");
        QTest::addRow("10.5") << 10.5 << 10;
        QTest::addRow("11.5") << 11.5 << 12;
        QTest::addRow("8.5") << 8.5 << 8;
        QTest::addRow("9.5") << 9.5 << 10;
        QTest::addRow("10.49") << 10.49 << 10;
        QTest::addRow("10.51") << 10.51 << 11;
        QTest::addRow("12") << 12.0 << 12;
        QTest::addRow("1.25") << 1.25 << 1;
        QTest::addRow("71.75") << 71.75 << 72;
    }

    void roundsHalfToEven() {
        QFETCH(double, points);
        QFETCH(int, whole);
        QCOMPARE(int(RoundHalfEven(points)), whole);
    }

    void styleIsShownButCannotBeChanged_data() {
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("shown");
        QTest::addRow("regular") << false << false << "Обычный";
        QTest::addRow("bold") << true << false << "Полужирный";
        QTest::addRow("italic") << false << true << "Курсив";
        QTest::addRow("both") << true << true << "Полужирный курсив";
    }

    void styleIsShownButCannotBeChanged() {
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QString, shown);
        ReportFontDialog dialog(FontChoice{QStringLiteral("DejaVu Sans"), 12, bold, italic});
        dialog.show();
        auto* style = dialog.findChild<QComboBox*>("style");
        QVERIFY(!style->isEnabled());
        QCOMPARE(style->currentText(), shown);
        QCOMPARE(style->count(), 1);
        ReplaceText(dialog.findChild<QComboBox*>("size"), QStringLiteral("10.5"));
        const auto choice = dialog.Choice();
        QVERIFY(choice);
        QCOMPARE(choice->Bold, bold);
        QCOMPARE(choice->Italic, italic);
        QCOMPARE(choice->Size, 10.5);
    }

    void opensWithTheCurrentFaceAndSize() {
        ReportFontDialog dialog(FontChoice{QStringLiteral("System"), 10, false, false});
        QCOMPARE(dialog.findChild<QFontComboBox*>("face")->currentText(), QStringLiteral("System"));
        QCOMPARE(dialog.findChild<QComboBox*>("size")->currentText(), QStringLiteral("10"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Шрифт"));
    }

    void aSizeThatIsNoNumberCannotBeAccepted_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("accepted");
        QTest::addRow("letters") << "abc" << false;
        QTest::addRow("empty") << "" << false;
        QTest::addRow("zero") << "0" << false;
        QTest::addRow("negative") << "-3" << false;
        QTest::addRow("too large") << "5000" << false;
        QTest::addRow("fraction") << "11.5" << true;
        QTest::addRow("whole") << "14" << true;
    }

    void aSizeThatIsNoNumberCannotBeAccepted() {
        QFETCH(QString, size);
        QFETCH(bool, accepted);
        ReportFontDialog dialog(FontChoice{QStringLiteral("DejaVu Sans"), 12, false, false});
        dialog.show();
        ReplaceText(dialog.findChild<QComboBox*>("size"), size);
        QCOMPARE(OkButton(&dialog)->isEnabled(), accepted);
        QCOMPARE(dialog.Choice().has_value(), accepted);
    }

    // The real dialog, run modally as the command runs it, answered by a user typing and pressing OK.
    void theUserChoosesInTheDialog() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<ReportFontDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            ReplaceText(dialog->findChild<QFontComboBox*>("face"), QStringLiteral("DejaVu Serif"));
            ReplaceText(dialog->findChild<QComboBox*>("size"), QStringLiteral("11.5"));
            QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
        });
        const auto choice =
            RunReportFontDialog(nullptr, FontChoice{QStringLiteral("System"), 10, true, false});
        QVERIFY(choice);
        QCOMPARE(choice->Face, QStringLiteral("DejaVu Serif"));
        QCOMPARE(choice->Size, 11.5);
        QVERIFY(choice->Bold);
        QVERIFY(!choice->Italic);

        QTimer::singleShot(0, [] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!RunReportFontDialog(nullptr, FontChoice{QStringLiteral("System"), 10, false, false}));
    }

    void cancelChangesNothing() {
        FakeServices fake;
        Calendar cal;
        BuildReport(cal.Ctx, TabDay);
        const auto keys = cal.Out.ReportBuiltFor;
        const int shown = cal.Host.Count;
        int rebuilds = 0;
        QVERIFY(!ChangeReportFont(nullptr, cal.Options, cal.Out, [&] { ++rebuilds; }));
        QCOMPARE(int(fake.FontRequests.size()), 1);
        QCOMPARE(fake.FontRequests[0].Face, QStringLiteral("System"));
        QCOMPARE(fake.FontRequests[0].Size, 10.0);
        QCOMPARE(cal.Options.FontName, QStringLiteral("System"));
        QCOMPARE(cal.Options.FontSize, int16_t(10));
        QCOMPARE(cal.Out.ReportBuiltFor, keys);
        QCOMPARE(rebuilds, 0);
        QCOMPARE(cal.Host.Count, shown);
    }

    void theNewFontReachesTheReports() {
        FakeServices fake;
        Calendar cal;
        BuildReport(cal.Ctx, TabMonth);
        BuildReport(cal.Ctx, TabDay);
        QVERIFY(cal.Host.Shown[TabDay].contains("\\fcharset204 System;"));
        QVERIFY(cal.Host.Shown[TabMonth].contains("\\f0\\fs20"));

        fake.FontAnswer = FontChoice{QStringLiteral("DejaVu Serif"), 13.5, false, false};
        int visibleTab = TabDay;
        QVERIFY(ChangeReportFont(nullptr, cal.Options, cal.Out, [&] { BuildReport(cal.Ctx, visibleTab); }));
        QCOMPARE(cal.Options.FontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(cal.Options.FontSize, int16_t(14));
        // The day report, visible, is rebuilt at once in the new face and size.
        QVERIFY(cal.Host.Shown[TabDay].contains("\\fcharset204 DejaVu Serif;"));
        QVERIFY(cal.Host.Shown[TabDay].contains("\\f0\\fs28"));
        // The month report still shows the old font until its tab is shown again, then the new one.
        QVERIFY(cal.Host.Shown[TabMonth].contains("\\fcharset204 System;"));
        visibleTab = TabMonth;
        BuildReport(cal.Ctx, visibleTab);
        QVERIFY(cal.Host.Shown[TabMonth].contains("\\fcharset204 DejaVu Serif;"));
        QVERIFY(cal.Host.Shown[TabMonth].contains("\\f0\\fs28"));
        // The abbreviations view does not depend on the font: nothing is built for it.
        BuildReport(cal.Ctx, TabAbbreviations);
        QVERIFY(cal.Host.Shown.find(TabAbbreviations) == cal.Host.Shown.end());

        // Bold and italic come back as they went in.
        cal.Options.FontBold = true;
        fake.FontAnswer = FontChoice{QStringLiteral("DejaVu Serif"), 12, true, false};
        QVERIFY(ChangeReportFont(nullptr, cal.Options, cal.Out, {}));
        QVERIFY(fake.FontRequests.back().Bold);
        QVERIFY(cal.Options.FontBold);
        QVERIFY(!cal.Options.FontItalic);
    }
};

QTEST_MAIN(TestFontDialog)
#include "test_fontdialog.moc"
