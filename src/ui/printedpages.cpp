#include "ui/printedpages.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>

#include <algorithm>
#include <memory>

namespace vorelian {

namespace {

// The least distance of the text from the paper's edges.
constexpr double kMarginMm = 15;

// The dots to the inch of the screen, with which the window measured its indents.
int ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInchY()) : 0;
    return dpi > 0 ? dpi : 96;
}

} // namespace

bool PrintPages(QPrinter& printer, const QTextDocument& document, const QString& header) {
    // The layout's own device, of the screen's measures.
    const int dpi = ScreenDpi();
    QImage screen(1, 1, QImage::Format_RGB32);
    screen.setDotsPerMeterX(qRound(dpi / 0.0254));
    screen.setDotsPerMeterY(qRound(dpi / 0.0254));
    const std::unique_ptr<QTextDocument> doc(document.clone());
    doc->documentLayout()->setPaintDevice(&screen);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = double(printer.resolution()) / dpi;
    // The printable area, kept a margin away from the paper's edges; painting starts at its top left.
    const QPageLayout layout = printer.pageLayout();
    const QRectF printable = layout.paintRectPixels(printer.resolution());
    const double margin = kMarginMm / 25.4 * printer.resolution();
    const QRectF paper = QRectF(layout.fullRectPixels(printer.resolution()))
                             .adjusted(margin, margin, -margin, -margin)
                             .intersected(printable)
                             .translated(-printable.topLeft());
    const double width = paper.width() / scale;

    // The header's type in the layout's pixels, which the painter scales as it scales the text; a size in
    // points would be taken in the printer's own dots before the scaling.
    QFont headerFont = doc->defaultFont();
    const double points = std::max(8.0, headerFont.pointSizeF() * 0.9);
    headerFont.setPixelSize(qRound(points * dpi / 72));
    const QFontMetricsF fm(headerFont, &screen);
    const double headerHeight = fm.height() * 2;
    const double bodyHeight = paper.height() / scale - headerHeight;
    doc->setPageSize(QSizeF(width, bodyHeight));
    const int pages = doc->pageCount();

    int first = 1, last = pages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(pages, printer.toPage() > 0 ? printer.toPage() : pages);
    }

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        painter.save();
        painter.translate(paper.topLeft());
        painter.scale(scale, scale);
        painter.setFont(headerFont);
        painter.setPen(Qt::black);
        // The name and days at the left, cut short before they reach the page number at the right.
        const QString number = QString::number(page);
        const double room = width - fm.horizontalAdvance(number) - fm.averageCharWidth() * 2;
        const QRectF line(0, 0, width, fm.height());
        painter.drawText(QRectF(0, 0, room, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         fm.elidedText(header, Qt::ElideRight, room));
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, number);
        painter.drawLine(QPointF(0, fm.height() * 1.3), QPointF(width, fm.height() * 1.3));

        const double top = (page - 1) * bodyHeight;
        painter.translate(0, headerHeight - top);
        context.clip = QRectF(0, top, width, bodyHeight);
        painter.setClipRect(context.clip);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

} // namespace vorelian
