// The report view, used as the window and the user use it: load a report, read what is shown and how,
// select with the keyboard, copy, save, find, print, and press the right button.
#include "../rtf/rtf_fixtures.h"

#include "rtf/reader.h"
#include "rtf/writer.h"
#include "ui/richtextview.h"

#include "pdftext.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

using namespace fixtures;
using vorelian::RichTextView;
namespace rtf = vorelian::rtf;

namespace {

const QString kTimes = QStringLiteral("Times New Roman");

QByteArray DayReport(bool bold = false) {
    return Bytes(ReportHeader(kTimes, 10, bold, false) + DayReportBody());
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The format of the character at a position of the shown document.
QTextCharFormat FormatAt(QTextDocument* doc, int position) {
    QTextCursor c(doc);
    c.setPosition(position + 1);
    return c.charFormat();
}

// Text of a PDF by pdftotext when it is installed; a null string when it is not.
QString PdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestRichTextView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void loadShowsTheReport();
    void markerColumnLinesUp();
    void linesWrapAndEmptyLinesKeepTheirHeight();
    void wrappedLinesHangUnderTheText();
    void loadFailureKeepsContent();
    void plainTextFile();
    void selection();
    void keyboardSelection();
    void textRtfReadsBack();
    void copyGivesBothFormats();
    void saveAsText();
    void saveAsRtf();
    void saveFailures();
    void find_data();
    void find();
    void findWalk();
    void selPrint_data();
    void selPrint();
    void printedPagesKeepTheHangingIndentUnderTheirHeader();
    void rightButton();

private:
    QTemporaryDir dir_;
};

void TestRichTextView::init() {
    QVERIFY(dir_.isValid());
}

void TestRichTextView::loadShowsTheReport() {
    const QString path = dir_.filePath(QStringLiteral("~DA0001.TMP"));
    QVERIFY(WriteAll(path, DayReport(true)));
    RichTextView view;
    QVERIFY(view.LoadFile(path));
    QCOMPARE(view.Document(), DayReportModel(kTimes, true, false));

    // What is shown is the text of the report, one position per character and paragraph end.
    QTextDocument* doc = view.document();
    QCOMPARE(doc->blockCount(), 14);
    QCOMPARE(doc->characterCount() - 1, view.Text().size());
    QCOMPARE(doc->toPlainText(), view.Text());
    QVERIFY(view.Text().startsWith(
        QStringLiteral("    1 января 2024 г. от Р.Х. по новому стилю\n    Понедельник")));
    QCOMPARE(view.SelStart(), 0);
    QCOMPARE(view.SelLength(), 0);

    // The marker column in a fixed-pitch face, the text in the report font, navy and bold; the heading red.
    const QTextBlock entry = doc->findBlockByNumber(3);
    QCOMPARE(entry.text(), QStringLiteral("(+) Обрезание Господне."));
    const QTextCharFormat column = FormatAt(doc, entry.position());
    QVERIFY(QFontInfo(column.font()).fixedPitch());
    QCOMPARE(column.foreground().color(), QColor(0, 0, 128));
    QCOMPARE(column.fontPointSize(), 10.0);
    QVERIFY(column.font().bold());
    const QTextCharFormat text = FormatAt(doc, entry.position() + 5);
    QVERIFY(text.fontFamilies().toStringList().contains(kTimes));
    QCOMPARE(text.foreground().color(), QColor(0, 0, 128));
    QVERIFY(text.font().bold());
    QVERIFY(!text.font().italic());
    const QTextBlock heading = doc->findBlockByNumber(11);
    QCOMPARE(heading.text(), QStringLiteral("    Великие праздники"));
    QCOMPARE(FormatAt(doc, heading.position() + 4).foreground().color(), QColor(255, 0, 0));
    QCOMPARE(FormatAt(doc, heading.position() + 3).foreground().color(), QColor(0, 0, 128));
}

void TestRichTextView::markerColumnLinesUp() {
    // In a proportional report font the text after each of the seven markers starts at the same x.
    RichTextView view;
    view.resize(900, 600);
    view.Load(Bytes(ReportHeader(QStringLiteral("DejaVu Serif"), 12, false, false) + DayReportBody()));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTextDocument* doc = view.document();
    doc->documentLayout()->documentSize(); // lays the whole document out
    QList<qreal> starts;
    for (int b : {0, 1, 3, 4, 5, 6, 7, 8, 11}) {
        const QTextBlock block = doc->findBlockByNumber(b);
        QVERIFY(block.layout() && block.layout()->lineCount() > 0);
        starts << block.layout()->lineAt(0).cursorToX(4);
    }
    for (qreal x : starts)
        QCOMPARE(x, starts.front());
    // And the column is no narrower than three characters of the report font would make it by chance.
    const QTextBlock narrow = doc->findBlockByNumber(4); // " +)"
    const QTextBlock wide = doc->findBlockByNumber(3);   // "(+)"
    QCOMPARE(narrow.layout()->lineAt(0).cursorToX(1), wide.layout()->lineAt(0).cursorToX(1));
}

void TestRichTextView::linesWrapAndEmptyLinesKeepTheirHeight() {
    RichTextView view;
    view.resize(300, 400);
    view.Load(Bytes(ReportHeader(kTimes, 14, false, false) + QStringLiteral("\\par\r\n\\cf1 ") +
                    QString(20, u'x').append(u' ').repeated(10) +
                    QStringLiteral("\\par\r\n\\par\r\nb\\par\r\n}")));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTextDocument* doc = view.document();
    doc->documentLayout()->documentSize();
    QVERIFY(doc->findBlockByNumber(1).layout()->lineCount() > 3); // wrapped at the view's width
    // Empty lines, first or between texts, are as high as a line of the report font.
    const qreal text = doc->findBlockByNumber(3).layout()->lineAt(0).height();
    QCOMPARE(doc->findBlockByNumber(0).layout()->lineAt(0).height(), text);
    QCOMPARE(doc->findBlockByNumber(2).layout()->lineAt(0).height(), text);
}

void TestRichTextView::wrappedLinesHangUnderTheText() {
    RichTextView view;
    view.resize(260, 500);
    const QString entry =
        QStringLiteral("Свт. Василия Великого, архиепископа Кесарии Каппадокийской, и многих с ним.");
    QString ordinals;
    for (int i = 0; i < 12; ++i)
        ordinals += QStringLiteral("Глас 2-й. ");
    view.Load(Bytes(ReportHeader(QStringLiteral("DejaVu Serif"), 12, false, false) +
                    QStringLiteral("\\cf1 ") + kPlus + entry + QStringLiteral("\\par\r\n") + kBlank +
                    ordinals + QStringLiteral("\\par\r\n") + kSeparator + QStringLiteral("\\par\r\n}")));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTextDocument* doc = view.document();
    doc->documentLayout()->documentSize();
    // Continuation lines start where the text after the marker starts.
    for (int b : {0, 1}) {
        const QTextLayout* layout = doc->findBlockByNumber(b).layout();
        QVERIFY(layout->lineCount() > 2);
        const qreal text = layout->lineAt(0).cursorToX(4);
        for (int l = 1; l < layout->lineCount(); ++l)
            QVERIFY(qAbs(layout->lineAt(l).x() - text) < 1.0);
    }
    // No line ends inside an ordinal, in the view only: the text, the copy and the saved RTF keep "2-й".
    const QTextBlock glas = doc->findBlockByNumber(1);
    for (int l = 0; l < glas.layout()->lineCount(); ++l) {
        const QTextLine line = glas.layout()->lineAt(l);
        const QString shown = glas.text().mid(line.textStart(), line.textLength()).trimmed();
        QVERIFY2(!shown.endsWith(QChar(0x2011)) && !shown.endsWith(u'-') && !shown.startsWith(u'й') &&
                     !shown.endsWith(QStringLiteral("Глас")),
                 qPrintable(shown));
    }
    QVERIFY(view.Text().contains(QStringLiteral("Глас 2-й.")));
    QVERIFY(rtf::PlainText(rtf::ReadRtf(view.TextRTF())).contains(QStringLiteral("Глас 2-й.")));
    QVERIFY(!view.TextRTF().contains("\\u8209"));
    // The separator stays one line, wider than the view as it is.
    QCOMPARE(doc->findBlockByNumber(2).layout()->lineCount(), 1);
}

void TestRichTextView::loadFailureKeepsContent() {
    RichTextView view;
    view.Load(DayReport());
    const QString before = view.Text();
    QString error;
    QVERIFY(!view.LoadFile(dir_.filePath(QStringLiteral("missing.rtf")), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(view.Text(), before);
    // Every load replaces the shown document; the replaced ones do not pile up.
    for (int i = 0; i < 3; ++i)
        view.Load(DayReport());
    QCOMPARE(view.findChildren<QTextDocument*>().size(), 1);
}

void TestRichTextView::plainTextFile() {
    const QString path = dir_.filePath(QStringLiteral("plain.txt"));
    QVERIFY(WriteAll(path, Bytes(QStringLiteral("Строка 1\r\nСтрока · 2\r\n"))));
    RichTextView view;
    QVERIFY(view.LoadFile(path));
    QCOMPARE(view.Text(), QStringLiteral("Строка 1\nСтрока · 2\n"));
}

void TestRichTextView::selection() {
    RichTextView view;
    view.Load(DayReport());
    const QString text = view.Text();
    const int at = int(text.indexOf(QStringLiteral("Обрезание")));
    view.SetSelStart(at);
    QCOMPARE(view.SelStart(), at);
    QCOMPARE(view.SelLength(), 0);
    QCOMPARE(view.SelText(), QString());
    QVERIFY(view.SelRTF().isEmpty());
    view.SetSelLength(9);
    QCOMPARE(view.SelText(), QStringLiteral("Обрезание"));
    QCOMPARE(view.textCursor().selectedText(), QStringLiteral("Обрезание"));

    // The selected part as RTF keeps its runs: here navy, bold off, the report font.
    const rtf::Document part = rtf::ReadRtf(view.SelRTF());
    QCOMPARE(part, D({P({Run{QStringLiteral("Обрезание"), Format(kTimes, false, kNavy)}})}));

    // Across paragraph ends, and clamped at the end of the text.
    view.SetSelStart(at - 4);
    view.SetSelLength(100000);
    QCOMPARE(view.SelLength(), text.size() - (at - 4));
    QCOMPARE(view.SelText(), text.mid(at - 4));
    QCOMPARE(rtf::PlainText(rtf::ReadRtf(view.SelRTF())), text.mid(at - 4));
    view.SetSelStart(-3);
    QCOMPARE(view.SelStart(), 0);
    view.SetSelStart(int(text.size()) + 10);
    QCOMPARE(view.SelStart(), int(text.size()));
}

void TestRichTextView::keyboardSelection() {
    RichTextView view;
    view.resize(900, 400); // wide enough that no line wraps
    view.Load(DayReport());
    view.show();
    view.setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(view.SelText(), QStringLiteral("    Понедельник. Глас 4"));
    QCOMPARE(view.SelStart(), int(view.Text().indexOf(u'\n')) + 1);
}

void TestRichTextView::textRtfReadsBack() {
    RichTextView view;
    view.Load(DayReport(true));
    const rtf::Document back = rtf::ReadRtf(view.TextRTF());
    QCOMPARE(back, view.Document());
    QCOMPARE(rtf::PlainText(back), view.Text());
    // Loading what the view wrote shows the same again.
    RichTextView second;
    second.Load(view.TextRTF());
    QCOMPARE(second.Document(), view.Document());
}

void TestRichTextView::copyGivesBothFormats() {
    RichTextView view;
    view.Load(DayReport());
    view.SetSelStart(int(view.Text().indexOf(QStringLiteral("Мч."))));
    view.SetSelLength(9);
    std::unique_ptr<QMimeData> data(view.CreateMimeData(false));
    QCOMPARE(data->text(), QStringLiteral("Мч. Петра"));
    QCOMPARE(rtf::PlainText(rtf::ReadRtf(data->data(QStringLiteral("text/rtf")))),
             QStringLiteral("Мч. Петра"));
    std::unique_ptr<QMimeData> all(view.CreateMimeData(true));
    QCOMPARE(all->text(), view.Text());
    QCOMPARE(rtf::ReadRtf(all->data(QStringLiteral("text/rtf"))), view.Document());
}

void TestRichTextView::saveAsText() {
    RichTextView view;
    view.Load(DayReport());
    const QString path = dir_.filePath(QStringLiteral("report.rtf")); // the type decides, not the name
    QString error;
    QVERIFY2(view.SaveFile(path, RichTextView::TextFile, &error), qPrintable(error));
    const QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.startsWith(Bytes(QStringLiteral("    1 января 2024 г. от Р.Х. по новому стилю\r\n"))));
    QVERIFY(bytes.contains(Bytes(QStringLiteral("\r\n ·  4Прав. Иулиании.\r\n"))));
    QVERIFY(bytes.endsWith(QByteArray(99, '.') + "\r\n"));
    QCOMPARE(bytes.count("\r\n"), 13);
    QCOMPARE(bytes.count('\n'), 13);
    QCOMPARE(vorelian::cp1251::Decode(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
             view.Text());
}

void TestRichTextView::saveAsRtf() {
    RichTextView view;
    view.Load(DayReport());
    const QString path = dir_.filePath(QStringLiteral("report.txt"));
    QVERIFY(view.SaveFile(path, RichTextView::RtfFile));
    QCOMPARE(rtf::ReadRtf(ReadAll(path)), view.Document());
    RichTextView reopened;
    QVERIFY(reopened.LoadFile(path));
    QCOMPARE(reopened.Text(), view.Text());
}

void TestRichTextView::saveFailures() {
    RichTextView view;
    view.Load(DayReport());
    QString error;
    QVERIFY(
        !view.SaveFile(dir_.filePath(QStringLiteral("no/such/folder/a.rtf")), RichTextView::RtfFile, &error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!view.SaveFile(dir_.path(), RichTextView::TextFile, &error)); // a folder is no file
    QVERIFY(!error.isEmpty());
    // An unknown type writes nothing, not even over an existing file.
    const QString path = dir_.filePath(QStringLiteral("kept.txt"));
    QVERIFY(WriteAll(path, "old"));
    error.clear();
    QVERIFY(!view.SaveFile(path, 7, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadAll(path), QByteArray("old"));
}

void TestRichTextView::find_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("found");
    // "Свт. Николая, николая; НИКОЛАЯ Николаевича\nа николаят _николая 1николая николая"
    //  matches of "николая" at 5, 14, 23, 45 (in a longer word), 55 (after _), 64 (after 1), 72
    QTest::addRow("first, any case") << QStringLiteral("николая") << 0 << -1 << 0 << 5;
    QTest::addRow("from inside the first") << QStringLiteral("НИКОЛАЯ") << 6 << -1 << 0 << 14;
    QTest::addRow("prefix of a longer word") << QStringLiteral("николаев") << 0 << -1 << 0 << 31;
    QTest::addRow("whole word skips longer words") << QStringLiteral("Николае") << 0 << -1 << 2 << -1;
    QTest::addRow("whole word after a comma") << QStringLiteral("николая") << 6 << -1 << 2 << 14;
    QTest::addRow("whole word: Cyrillic letters join words")
        << QStringLiteral("николая") << 44 << -1 << 2 << 72;
    QTest::addRow("case kept when asked") << QStringLiteral("НИКОЛАЯ") << 0 << -1 << 4 << 23;
    QTest::addRow("match must end before the end") << QStringLiteral("николая") << 0 << 11 << 0 << -1;
    QTest::addRow("match ending at the end") << QStringLiteral("николая") << 0 << 12 << 0 << 5;
    QTest::addRow("across a paragraph end") << QStringLiteral("Николаевича\nа") << 0 << -1 << 0 << 31;
    QTest::addRow("start past the end") << QStringLiteral("николая") << 1000 << -1 << 0 << -1;
    QTest::addRow("empty text") << QString() << 0 << -1 << 0 << -1;
}

void TestRichTextView::find() {
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, options);
    QFETCH(int, found);
    RichTextView view;
    const QString text =
        QStringLiteral("Свт. Николая, николая; НИКОЛАЯ Николаевича\nа николаят _николая 1николая николая");
    QCOMPARE(text.indexOf(QStringLiteral(" николая"), 60), 71);
    view.SetDocument(D({P({Run{text.section(u'\n', 0, 0), CharFormat{}}}),
                        P({Run{text.section(u'\n', 1, 1), CharFormat{}}})}));
    QCOMPARE(view.Text(), text);
    view.SetSelStart(3);
    view.SetSelLength(2);
    QCOMPARE(view.Find(what, start, end, options), found);
    if (found >= 0) {
        QCOMPARE(view.SelStart(), found);
        QCOMPARE(view.SelLength(), what.size());
        QCOMPARE(view.SelText().toLower(), what.toLower());
    } else {
        QCOMPARE(view.SelStart(), 3); // unchanged
        QCOMPARE(view.SelLength(), 2);
    }
}

void TestRichTextView::findWalk() {
    // As the find window does it: each search starts after the selection; the end answers -1, and a
    // caret put back at the top starts again. The match is scrolled into view.
    RichTextView view;
    view.resize(400, 200);
    QString body;
    for (int i = 0; i < 200; ++i)
        body += i % 50 == 7 ? QStringLiteral("\\f1  · \\f0  Свт. Николая.\\par\r\n")
                            : QStringLiteral("Строка.\\par\r\n");
    view.Load(Bytes(ReportHeader(kTimes, 10, false, false) + body + QStringLiteral("}")));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QList<int> found;
    for (int step = 0; step < 6; ++step) {
        const int at = view.Find(QStringLiteral("НИКОЛАЯ"), view.SelStart() + view.SelLength(), -1, 2);
        found << at;
        if (at >= 0) {
            const QRect caret = view.cursorRect();
            QVERIFY(view.viewport()->rect().contains(caret.center()));
        }
    }
    const QString text = view.Text();
    QList<int> expected;
    for (qsizetype i = text.indexOf(QStringLiteral("Николая")); i >= 0;
         i = text.indexOf(QStringLiteral("Николая"), i + 1))
        expected << int(i);
    QCOMPARE(expected.size(), 4);
    QCOMPARE(found, expected + QList<int>({-1, -1}));
    QCOMPARE(view.SelStart(), expected.back()); // the last match stays selected
    view.SetSelStart(0);
    QCOMPARE(view.Find(QStringLiteral("николая"), view.SelStart() + view.SelLength(), -1, 0),
             expected.front());
}

void TestRichTextView::selPrint_data() {
    QTest::addColumn<bool>("selected");
    QTest::addRow("selection") << true;
    QTest::addRow("everything") << false;
}

void TestRichTextView::selPrint() {
    QFETCH(bool, selected);
    RichTextView view;
    view.SetDocument(D({P({Run{QStringLiteral("Первая строка"), Format(kTimes, false, kNavy)}}),
                        P({Run{QStringLiteral("Вторая строка"), Format(kTimes, false, kRed)}}),
                        P({Run{QStringLiteral("Третья строка"), Format(kTimes, false, kNavy)}})}));
    if (selected) {
        view.SetSelStart(14);
        view.SetSelLength(13);
        QCOMPARE(view.SelText(), QStringLiteral("Вторая строка"));
    }
    const QString path = dir_.filePath(selected ? QStringLiteral("part.pdf") : QStringLiteral("all.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QVERIFY(view.SelPrint(&printer));
    const QByteArray pdf = ReadAll(path);
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1); // one page of one job

    const QString text = PdfText(path);
    if (text.isNull())
        QSKIP("pdftotext is not installed: only the PDF itself was checked");
    QVERIFY2(text.contains(QStringLiteral("Вторая строка")), qPrintable(text));
    QCOMPARE(text.contains(QStringLiteral("Первая")), !selected);
    QCOMPARE(text.contains(QStringLiteral("Третья")), !selected);
}

void TestRichTextView::rightButton() {
    RichTextView view;
    view.Load(DayReport());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetSelStart(4);
    view.SetSelLength(10);
    QSignalSpy spy(&view, &RichTextView::RightButtonPressed);
    const QPoint at(20, 10);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at + QPoint(0, 40));
    QTest::mouseClick(view.viewport(), Qt::MiddleButton, {}, at);
    QCOMPARE(spy.count(), 0);
    view.SetSelStart(4);
    view.SetSelLength(10);
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, at);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.front().front().toPoint(), view.viewport()->mapToGlobal(at));
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, at);
    QCOMPARE(spy.count(), 1);
    // The right button leaves the selection alone, so the menu can offer Copy for it.
    QCOMPARE(view.SelStart(), 4);
    QCOMPARE(view.SelLength(), 10);
}

QTEST_MAIN(TestRichTextView)
// On paper as on screen: continuation lines start under the text after the marker, not under the marker,
// and the page is headed by the report's name and its number.
void TestRichTextView::printedPagesKeepTheHangingIndentUnderTheirHeader() {
    RichTextView view;
    QString entry;
    for (int i = 0; i < 4; ++i)
        entry +=
            QStringLiteral("Свт. Василия Великого, архиепископа Кесарии Каппадокийской, и многих с ним. ");
    view.Load(Bytes(ReportHeader(QStringLiteral("DejaVu Serif"), 12, false, false) +
                    QStringLiteral("\\cf1 ") + kPlus + entry + QStringLiteral("\\par\r\n}")));
    const QString path = dir_.filePath(QStringLiteral("hanging.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const QString header = QStringLiteral("День — 14 января 2024 (н. ст.)");
    QVERIFY(view.SelPrint(&printer, header));
    QList<testing_pdf::PdfWord> words = testing_pdf::PdfWords(path);
    if (words.isEmpty())
        QSKIP("pdftotext is not installed: the layout on paper was not read");
    // The words line by line from the top, each line from the left; the marker's type sits a little lower.
    std::stable_sort(words.begin(), words.end(), [](const auto& a, const auto& b) { return a.Top < b.Top; });
    QList<QList<testing_pdf::PdfWord>> lines;
    for (const testing_pdf::PdfWord& w : words)
        if (lines.isEmpty() || qAbs(lines.last().first().Top - w.Top) > 2)
            lines.append({w});
        else
            lines.last().append(w);
    for (auto& line : lines)
        std::sort(line.begin(), line.end(), [](const auto& a, const auto& b) { return a.Left < b.Left; });
    QVERIFY(lines.size() >= 4);
    QStringList top;
    for (const testing_pdf::PdfWord& w : lines[0])
        top << w.Text;
    QCOMPARE(top.join(u' '), header + QStringLiteral(" 1"));
    QCOMPARE(lines[1][0].Text, QStringLiteral("+"));
    const double text = lines[1][1].Left;
    QVERIFY(text - lines[1][0].Left > 10);
    for (qsizetype l = 2; l < lines.size(); ++l)
        QVERIFY2(
            qAbs(lines[l][0].Left - text) < 1.5,
            qPrintable(
                QStringLiteral("%1 at %2, not %3").arg(lines[l][0].Text).arg(lines[l][0].Left).arg(text)));
}

#include "test_richtextview.moc"
