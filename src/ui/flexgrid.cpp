#include "ui/flexgrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QStyledItemDelegate>

namespace vorelian {

QColor WinColor(uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace {

constexpr int kMarkRole = Qt::UserRole + 1;
// Violet, the colour of the Lenten vestments: no colour of the grid's tables comes near it.
const QColor kMarkColor(112, 48, 160);
// The item role of a cell's frame colour.
constexpr int kFrameRole = Qt::UserRole + 2;

// Draws a cell as a flat rectangle of its background with its text: numbers to the right, words to the
// left, two pixels in from the edge, centred in height; then the cell's frame, and the dotted focus mark
// on the current cell while the grid has the focus. No selection look.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant back = index.data(Qt::BackgroundRole);
        if (back.isValid())
            painter->fillRect(option.rect, back.value<QBrush>());
        if (index.data(kMarkRole).toBool())
            PaintMark(painter, option.rect);
        PaintText(painter, option, index);
        const QColor frame = index.data(kFrameRole).value<QColor>();
        if (frame.isValid()) {
            painter->save();
            const int w = qMax(2, option.rect.height() / 9);
            painter->setPen(QPen(frame, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option.rect).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
            painter->restore();
        }
        if ((option.state & QStyle::State_HasFocus) && option.widget && option.widget->hasFocus()) {
            painter->save();
            QPen pen(option.palette.color(QPalette::Text), 1, Qt::DotLine);
            const QVariant fore = index.data(Qt::ForegroundRole);
            if (fore.isValid())
                pen.setColor(fore.value<QBrush>().color());
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
            painter->restore();
        }
    }

private:
    static void PaintText(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            return;
        const QVariant fore = index.data(Qt::ForegroundRole);
        const QVariant font = index.data(Qt::FontRole);
        painter->save();
        painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
        painter->setPen(fore.isValid() ? fore.value<QBrush>().color() : option.palette.color(QPalette::Text));
        bool number = false;
        text.trimmed().toInt(&number);
        const QRect r = option.rect.adjusted(2, 0, -2, 0);
        painter->drawText(r, Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft), text);
        painter->restore();
    }

private:
    static void PaintMark(QPainter* painter, const QRect& cell) {
        const int side = qMax(4, cell.height() / 3);
        const QPoint corner = cell.topLeft();
        const QPolygon triangle({corner, corner + QPoint(side, 0), corner + QPoint(0, side)});
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(kMarkColor);
        painter->drawPolygon(triangle);
        painter->restore();
    }
};

} // namespace

FlexGrid::FlexGrid(int rows, int cols, QWidget* parent) : QTableWidget(rows, cols, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new CellDelegate(this));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            setItem(r, c, new QTableWidgetItem);
}

void FlexGrid::SetRowHeights(int pixels) {
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, pixels);
}

void FlexGrid::FitToCells() {
    int w = 0, h = 0;
    for (int c = 0; c < columnCount(); ++c)
        w += columnWidth(c);
    for (int r = 0; r < rowCount(); ++r)
        h += rowHeight(r);
    setFixedSize(w + 2 * frameWidth(), h + 2 * frameWidth());
}

QTableWidgetItem* FlexGrid::Item(int row, int col) {
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, col, it);
    }
    return it;
}

QString FlexGrid::Text(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::SetText(int row, int col, const QString& text) {
    Item(row, col)->setText(text);
}

QColor FlexGrid::CellBackColor(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    const QVariant v = it ? it->data(Qt::BackgroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : BackColor();
}

QColor FlexGrid::CellForeColor(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    const QVariant v = it ? it->data(Qt::ForegroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : palette().color(QPalette::Text);
}

bool FlexGrid::CellFontBold(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    const QVariant v = it ? it->data(Qt::FontRole) : QVariant();
    return v.isValid() && v.value<QFont>().bold();
}

void FlexGrid::SetCellBackColor(int row, int col, const QColor& color) {
    Item(row, col)->setBackground(color);
}

void FlexGrid::SetCellForeColor(int row, int col, const QColor& color) {
    Item(row, col)->setForeground(color);
}

void FlexGrid::SetCellFontBold(int row, int col, bool bold) {
    QFont f = font();
    f.setBold(bold);
    Item(row, col)->setFont(f);
}

void FlexGrid::SetCell(int row, int col, const QString& text, const QColor& back, const QColor& fore,
                       bool bold) {
    QTableWidgetItem* it = Item(row, col);
    it->setText(text);
    it->setBackground(back);
    it->setForeground(fore);
    QFont f = font();
    f.setBold(bold);
    it->setFont(f);
}

bool FlexGrid::CellMark(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it && it->data(kMarkRole).toBool();
}

void FlexGrid::SetCellMark(int row, int col, bool on) {
    Item(row, col)->setData(kMarkRole, on);
}

void FlexGrid::SetCellFrame(int row, int col, const QColor& color) {
    QTableWidgetItem* it = Item(row, col);
    if (color.isValid())
        it->setData(kFrameRole, color);
    else if (it->data(kFrameRole).isValid())
        it->setData(kFrameRole, QVariant());
}

QColor FlexGrid::CellFrame(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->data(kFrameRole).value<QColor>() : QColor();
}

void FlexGrid::SetBackColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    // Cells without a colour of their own keep dark text on the grid's light colours.
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

QColor FlexGrid::BackColor() const {
    return palette().color(QPalette::Base);
}

void FlexGrid::SetRedraw(bool on) {
    viewport()->setUpdatesEnabled(on);
    if (on)
        viewport()->update();
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    event->accept();
    if (!index.isValid())
        return;
    setCurrentCell(index.row(), index.column());
    Q_EMIT MouseDown(event->button(), index.row(), index.column(), event->globalPosition().toPoint());
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void FlexGrid::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

} // namespace vorelian
