#include "ui/monthpage.h"

#include "core/calendar.h"
#include "core/settings.h"
#include "core/state.h"
#include "core/tables.h"
#include "ui/filecommands.h"
#include "ui/fileproblem.h"
#include "ui/richtextview.h"
#include "ui/uiservices.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>

namespace vorelian {

namespace {

const QColor kRed(192, 0, 0);
const QColor kFastMark(112, 48, 160); // the colour of the month grid's fast mark
const QColor kGrey(96, 96, 96);

QString StyleWordsOf(int16_t style) {
    return style == StyleGregorian ? QStringLiteral("(н. ст.)")
           : style == StyleJulian  ? QStringLiteral("(ст. ст.)")
                                   : QStringLiteral("(от сотворения мира)");
}

// The commemoration a wall calendar names for a day: the first of the highest rank, else the first.
QString ChiefOf(const DayInfo& day) {
    const DayEntry* chief = nullptr;
    for (const DayEntry& e : day.Entries) {
        if (e.Text.trimmed().isEmpty())
            continue;
        const auto rank = [](const DayEntry& x) { return x.EntryRank == Rank::None ? 99 : int(x.EntryRank); };
        if (!chief || rank(e) < rank(*chief))
            chief = &e;
    }
    return chief ? chief->Text.trimmed() : QString();
}

QString ShortDate(const DateParts& d) {
    return QStringLiteral("%1 %2").arg(d.Day).arg(MonthNameOf(d.Month, 2).left(3).toLower() + u'.');
}

// The text in the rectangle, wrapped at words; lines that do not fit end the text with "…".
void DrawWrapped(QPainter& painter, const QRectF& box, const QString& text) {
    const QFontMetricsF fm(painter.font());
    QTextLayout layout(text, painter.font(), painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    std::vector<std::pair<int, int>> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        if (y + fm.height() > box.height())
            break;
        lines.emplace_back(line.textStart(), line.textLength());
        y += fm.height();
    }
    layout.endLayout();
    for (size_t i = 0; i < lines.size(); ++i) {
        QString part = text.mid(lines[i].first, lines[i].second).trimmed();
        const bool cut = i + 1 == lines.size() && lines[i].first + lines[i].second < text.size();
        if (cut)
            part = fm.elidedText(part + QStringLiteral(" …"), Qt::ElideRight, box.width());
        painter.drawText(QRectF(box.left(), box.top() + qreal(i) * fm.height(), box.width(), fm.height()),
                         Qt::AlignLeft | Qt::AlignTop, part);
    }
}

void PaintDay(QPainter& painter, const QRectF& cell, const MonthSheetDay& day, qreal unit) {
    if (day.Day == 0)
        return;
    const qreal pad = unit * 0.6;
    QFont number(QStringLiteral("DejaVu Sans"));
    number.setPixelSize(int(unit * 3.2));
    number.setBold(true);
    painter.setFont(number);
    painter.setPen(day.Red || day.Sunday ? kRed : Qt::black);
    const QRectF top(cell.left() + pad, cell.top() + pad * 0.5, cell.width() - 2 * pad, unit * 3.6);
    painter.drawText(top, Qt::AlignLeft | Qt::AlignTop, QString::number(day.Day));

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(int(unit * 1.3));
    painter.setFont(small);
    painter.setPen(kGrey);
    painter.drawText(top.adjusted(0, unit * 0.3, -unit * 1.6, 0), Qt::AlignRight | Qt::AlignTop,
                     day.OtherStyle);
    if (day.Fast) {
        const QPointF corner = cell.topRight();
        QPainterPath mark;
        mark.moveTo(corner);
        mark.lineTo(corner + QPointF(-unit * 1.4, 0));
        mark.lineTo(corner + QPointF(0, unit * 1.4));
        mark.closeSubpath();
        painter.fillPath(mark, kFastMark);
    }
    QFont text(QStringLiteral("DejaVu Sans"));
    text.setPixelSize(int(unit * 1.35));
    text.setBold(day.Red);
    painter.setFont(text);
    painter.setPen(day.Red ? kRed : Qt::black);
    DrawWrapped(
        painter,
        QRectF(cell.left() + pad, top.bottom(), cell.width() - 2 * pad, cell.bottom() - top.bottom() - pad),
        day.Chief);
}

void PaintSheet(QPainter& painter, const QRectF& page, const MonthSheet& sheet) {
    const qreal unit = page.height() / 100; // every size follows the page
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(int(unit * 4.5));
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::black);
    const QRectF titleBox(page.left(), page.top(), page.width(), unit * 7);
    painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop, sheet.Title);

    QFont head(QStringLiteral("DejaVu Sans"));
    head.setPixelSize(int(unit * 1.8));
    head.setBold(true);
    painter.setFont(head);
    const qreal columnWidth = page.width() / 7;
    const QRectF heads(page.left(), titleBox.bottom(), page.width(), unit * 3.5);
    for (int c = 0; c < 7; ++c) {
        painter.setPen(sheet.Weekdays.value(c) == WeekdayNames[7] ? kRed : Qt::black);
        painter.drawText(QRectF(heads.left() + c * columnWidth, heads.top(), columnWidth, heads.height()),
                         Qt::AlignCenter, sheet.Weekdays.value(c));
    }
    const qreal legendHeight = unit * 3;
    const QRectF grid(page.left(), heads.bottom(), page.width(),
                      page.bottom() - heads.bottom() - legendHeight);
    const qreal rowHeight = grid.height() / qreal(std::max<size_t>(sheet.Weeks.size(), 1));
    QPen line(QColor(128, 128, 128));
    line.setWidthF(unit * 0.12);
    for (size_t r = 0; r < sheet.Weeks.size(); ++r)
        for (int c = 0; c < 7; ++c) {
            const QRectF cell(grid.left() + c * columnWidth, grid.top() + qreal(r) * rowHeight, columnWidth,
                              rowHeight);
            painter.setPen(line);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell);
            PaintDay(painter, cell, sheet.Weeks[r][size_t(c)], unit);
        }
    QFont legend(QStringLiteral("DejaVu Sans"));
    legend.setPixelSize(int(unit * 1.3));
    painter.setFont(legend);
    painter.setPen(kGrey);
    painter.drawText(QRectF(page.left(), grid.bottom(), page.width(), legendHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, sheet.Legend);
}

} // namespace

MonthSheet MonthSheetOf(const DayEngine& engine, int16_t style, int16_t year, int16_t month,
                        int16_t firstWeekday, const DayOptions& options) {
    MonthSheet sheet;
    sheet.Title = QStringLiteral("%1 %2 %3")
                      .arg(MonthNameOf(CivilMonthOf(style, month), 1))
                      .arg(year)
                      .arg(StyleWordsOf(style));
    const int first = firstWeekday == 7 ? 7 : 1;
    for (int i = 0; i < 7; ++i)
        sheet.Weekdays << WeekdayNames[1 + (first - 1 + i) % 7];
    DayOptions dayOptions = options;
    dayOptions.Style = style;
    std::vector<MonthSheetDay> cells;
    for (int16_t d = 1; d <= 31; ++d) {
        const std::optional<int32_t> n = engine.DayNumberOf(style, year, month, d);
        if (!n)
            break;
        const DayInfo info = engine.Day(*n, dayOptions);
        if (cells.empty()) // blanks before the 1st
            cells.resize(size_t((info.Weekday - first + 7) % 7));
        MonthSheetDay day;
        day.Day = d;
        day.OtherStyle = ShortDate(style == StyleGregorian ? info.Julian : info.Gregorian);
        day.Chief = ChiefOf(info);
        day.Red = info.Red;
        day.Sunday = info.Weekday == 7;
        day.Fast = dayOptions.ShowFasting && info.Fast && info.Fast->Level < FastLevel::NoMeat;
        cells.push_back(day);
    }
    cells.resize((cells.size() + 6) / 7 * 7);
    for (size_t i = 0; i < cells.size(); i += 7)
        sheet.Weeks.emplace_back(cells.begin() + qsizetype(i), cells.begin() + qsizetype(i + 7));
    sheet.Legend = (style == StyleGregorian ? QStringLiteral("Мелко — дата по старому стилю")
                                            : QStringLiteral("Мелко — дата по новому стилю")) +
                   QStringLiteral("; красным — праздники и воскресные дни; уголок — постный день.");
    return sheet;
}

bool PrintMonthSheet(QPrinter& printer, const MonthSheet& sheet) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect paper = printer.pageLayout().paintRectPixels(printer.resolution());
    PaintSheet(painter, QRectF(0, 0, paper.width(), paper.height()), sheet);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

MonthSheet CurrentMonthSheet(const DayEngine& engine, const CalendarState& state, const Settings& settings) {
    const StyleDate& shown = state.StyleDates[state.CurStyle];
    return MonthSheetOf(engine, state.CurStyle, shown.Year, shown.Month, settings.FirstWeekday,
                        DayOptionsOf(settings, state.CurStyle));
}

void PrintMonth(QWidget* parent, const MonthSheet& sheet) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(sheet.Title);
    Services().PreviewPrint(parent, printer, [&sheet](QPrinter& p) { PrintMonthSheet(p, sheet); });
}

bool ExportPdf(QWidget* parent, RichTextView& visible, const FileNameParts& report, const MonthSheet& sheet,
               Settings& settings) {
    const QString reportName = DefaultFileName(report);
    const QStringList filters{QStringLiteral("PDF: отчёт (*.pdf *.PDF)"),
                              QStringLiteral("PDF: месяц на стену (*.pdf *.PDF)")};
    const auto choice =
        Services().ChooseSavePath(parent, SaveFolder(settings.LastDir), reportName, filters, 1);
    if (!choice || choice->Path.isEmpty())
        return false;
    QString path = choice->Path;
    if (QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    const QString caption = QStringLiteral("Экспорт в PDF");
    if (!MayReplace(parent, choice->Path, path, caption))
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    bool ok = false;
    if (choice->FileType == 2) {
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setDocName(sheet.Title);
        ok = PrintMonthSheet(printer, sheet);
    } else {
        printer.setDocName(reportName);
        printer.setPrintRange(QPrinter::AllPages);
        ok = FileCommands::PrintTo(printer, visible, PrintedHeader(report));
    }
    if (!ok) {
        Services().ShowMessage(parent, QMessageBox::Critical, caption,
                               QStringLiteral("Не удалось сохранить файл «%1»:\n%2")
                                   .arg(QDir::toNativeSeparators(path), FileProblem(path)));
        return false;
    }
    settings.LastDir = FolderOfPath(path);
    return true;
}

} // namespace vorelian
