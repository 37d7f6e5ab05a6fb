// The report view: a read-only text view that shows a rich-text document of the rtf layer with its
// fonts and colours, and offers what the window's commands do with a report: load it, read and set the
// selection, give the selection or the whole text as plain text or RTF, find text, save, print, and
// tell the window when the right mouse button is pressed over it, or the menu key or Shift+F10 is pressed
// in it (the File menu pops up there). It shows a report on white paper whatever the desktop's colours.
//
// Positions are those of the shown text: every character counts one, and so does every paragraph end.
// The view alone lays a report out for reading (the document and what is saved or copied stay as built):
// lines after a marker column wrap under the text, an ordinal such as "2-й" never breaks at its hyphen,
// and the separator lines never wrap.
// The fixed-pitch font of a document (Courier New in our reports) is always shown in a fixed-pitch
// face, falling back to the system's own when the named one is missing, so the marker column in front
// of report lines stays a column whatever the report font.
#pragma once

#include "rtf/document.h"
#include "rtf/reader.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTextEdit>

class QPrinter;
class QTextDocument;

namespace vorelian {

// A report is a page: white paper with black text and the report's own colours, whatever the desktop's
// palette (a dark one included), and a selection that shows as clearly when another window (the "Поиск"
// window) has the focus. The help page is such a page too.
void UsePaperColours(QWidget* widget);

class RichTextView : public QTextEdit {
    Q_OBJECT
public:
    // Options of Find; any combination.
    enum FindOption { FindWholeWord = 2, FindMatchCase = 4, FindNoHighlight = 8 };
    // Types of SaveFile.
    enum FileType { RtfFile = 0, TextFile = 1, TextFileUtf8 = 2 };

    explicit RichTextView(QWidget* parent = nullptr);

    // Replaces the whole content with the document read from a file (RTF, or Windows-1251 plain text when
    // the file is no RTF). On failure the view keeps what it showed and `error` gets the reason.
    bool LoadFile(const QString& path, QString* error = nullptr);
    // The same within limits: a file above `maxBytes` fails; text beyond `limits` is dropped, and
    // `cut` (when given) says whether it was.
    bool LoadFile(const QString& path, qint64 maxBytes, const rtf::ReadLimits& limits, QString* error,
                  bool* cut = nullptr);
    // The same from bytes in memory.
    void Load(QByteArrayView bytes);
    void SetDocument(rtf::Document document);
    const rtf::Document& Document() const { return doc_; }

    // The selection. Setting the start puts the caret there with nothing selected; setting the length
    // selects that many positions from the start. Both are clamped to the text.
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int start);
    void SetSelLength(int length);

    QString SelText() const;    // the selection as plain text (paragraph ends as LF); empty with none
    QByteArray SelRTF() const;  // the selection as RTF; empty with no selection
    QString Text() const;       // the whole text, paragraph ends as LF, so positions index it
    QByteArray TextRTF() const; // the whole document as RTF

    // Looks for `text` from `start` to `end` (-1: the end of the text), without regard to case unless
    // FindMatchCase is given. With FindWholeWord the match must neither begin nor end inside a word
    // (letters of any alphabet, digits and the underscore make words). The match becomes the selection
    // and is scrolled into view (not with FindNoHighlight). Returns its position, or -1 with the
    // selection unchanged.
    int Find(const QString& text, int start = 0, int end = -1, int options = 0);

    // Writes the document to a file: RtfFile, TextFile (Windows-1251, paragraphs ending CR LF) or
    // TextFileUtf8 (UTF-8, paragraphs ending LF, as Linux editors expect). An
    // existing file is replaced only once the new one is complete. On failure returns false with the
    // reason in `error`.
    bool SaveFile(const QString& path, int type, QString* error = nullptr);

    // Prints the selection, or the whole document when nothing is selected, as one job with the
    // document's formatting, each page headed by `header`. False when the printer reports an error.
    bool SelPrint(QPrinter* printer, const QString& header = QString());

    // What the clipboard and a drag get: the selection, or the whole document, as RTF ("text/rtf") and
    // as plain text. The caller owns the result.
    QMimeData* CreateMimeData(bool wholeDocument) const;

    // Fills a text document so that it shows `document` as this view does.
    void Render(const rtf::Document& document, QTextDocument* target);

Q_SIGNALS:
    // The right mouse button went down over the text; `globalPos` is where, on the screen.
    void RightButtonPressed(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData*) const override { return false; }

private:
    QStringList FamiliesFor(const rtf::CharFormat& format);
    void KeepPaperColours();

    rtf::Document doc_;
    QString text_;                         // the plain text of doc_, one character per position
    QHash<QString, QStringList> families_; // font name of fixed-pitch runs -> families to show it in
};

} // namespace vorelian
