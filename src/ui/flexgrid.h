// A grid of plain cells, the kind the month grid and the three-style table are made of: no headers, no
// scroll bars and no selection of its own; every cell has its own background, text colour and bold flag,
// drawn without padding so that short texts fit narrow cells. The press of a mouse button (not its
// release) first makes the pressed cell the current one and is then reported with MouseDown; the second
// press of a double click is not reported again. Keys pass the grid by unless a grid of its own kind
// takes them; while the grid has the focus its current cell shows a dotted focus mark.
#pragma once

#include <QColor>
#include <QTableWidget>

#include <cstdint>

namespace vorelian {

// Colours of the colour tables are 0x00BBGGRR values, red in the low byte.
QColor WinColor(uint32_t bgr);

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    FlexGrid(int rows, int cols, QWidget* parent = nullptr);

    void SetRowHeights(int pixels);
    // Makes the grid exactly as large as its cells and its frame.
    void FitToCells();

    QString Text(int row, int col) const;
    void SetText(int row, int col, const QString& text);

    // The attributes of a cell. A cell without its own colours shows the grid's background and the
    // palette's text colour; CellBackColor and CellForeColor then answer those.
    QColor CellBackColor(int row, int col) const;
    QColor CellForeColor(int row, int col) const;
    bool CellFontBold(int row, int col) const;
    void SetCellBackColor(int row, int col, const QColor& color);
    void SetCellForeColor(int row, int col, const QColor& color);
    void SetCellFontBold(int row, int col, bool bold);
    void SetCell(int row, int col, const QString& text, const QColor& back, const QColor& fore, bool bold);
    // A small triangle in the cell's top left corner, in a colour of its own (the month grid's fast days).
    bool CellMark(int row, int col) const;
    void SetCellMark(int row, int col, bool on);
    // A frame drawn inside the cell's edge; an invalid colour draws none.
    void SetCellFrame(int row, int col, const QColor& color);
    QColor CellFrame(int row, int col) const;

    // The grid's own background, shown where a cell has none.
    void SetBackColor(const QColor& color);
    QColor BackColor() const;

    // Bulk updates: repainting off, then on with one repaint.
    void SetRedraw(bool on);

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button, int row, int col, const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* Item(int row, int col);
};

} // namespace vorelian
