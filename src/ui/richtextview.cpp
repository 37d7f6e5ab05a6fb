#include "ui/richtextview.h"

#include "rtf/reader.h"
#include "rtf/writer.h"
#include "ui/fileproblem.h"
#include "ui/printedpages.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cerrno>

namespace vorelian {
namespace {

// Files larger than this are no report of ours, and reading them would only stall the window.
constexpr qint64 kMaxFileSize = qint64(256) << 20;

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c.isMark() || c == u'_';
}

// What the view shows of a run's text: the hyphen of an ordinal such as "2-й" becomes the non-breaking
// hyphen, so that a line never ends in "2-", and the space of "Глас 2-й" a non-breaking one, so that the
// tone never stands apart from its number. One character for one, so positions stay those of the text.
QString ShownText(const QString& text) {
    QString shown = text;
    for (qsizetype i = 1; i + 1 < shown.size(); ++i) {
        if (shown[i] == u'-' && shown[i - 1].isDigit() && shown[i + 1].isLetter())
            shown[i] = QChar(0x2011);
        else if (shown[i] == u' ' && shown[i + 1].isDigit() && i >= 4 &&
                 QStringView(shown).mid(i - 4, 4) == QStringLiteral("Глас"))
            shown[i] = QChar(0x00A0);
    }
    return shown;
}

// A line of full stops alone: the separator under headings.
bool IsSeparator(const rtf::Paragraph& p) {
    qsizetype dots = 0;
    for (const rtf::Run& r : p.Runs)
        for (QChar c : r.Text) {
            if (c != u'.')
                return false;
            ++dots;
        }
    return dots >= 10;
}

} // namespace

RichTextView::RichTextView(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    // Only the separators are wider than the view, and they are cut at its edge rather than scrolled.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KeepPaperColours();
    SetDocument(rtf::Document{});
}

void UsePaperColours(QWidget* widget) {
    QPalette p = widget->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, Qt::white);
        p.setColor(g, QPalette::Text, Qt::black);
    }
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    widget->setPalette(p);
}

void RichTextView::KeepPaperColours() {
    UsePaperColours(this);
}

bool RichTextView::LoadFile(const QString& path, QString* error) {
    return LoadFile(path, kMaxFileSize, rtf::ReadLimits{}, error);
}

bool RichTextView::LoadFile(const QString& path, qint64 maxBytes, const rtf::ReadLimits& limits,
                            QString* error, bool* cut) {
    QFile file(path);
    QString why;
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly))
        why = file.errorString();
    else if (file.size() > maxBytes)
        why = tr("The file is too large to show.");
    else if (bytes = file.readAll(); file.error() != QFileDevice::NoError)
        why = file.errorString();
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return false;
    }
    rtf::Document read = rtf::ReadDocument(bytes, limits);
    if (cut)
        *cut = rtf::ReachedLimit(read, limits);
    SetDocument(std::move(read));
    return true;
}

void RichTextView::Load(QByteArrayView bytes) {
    SetDocument(rtf::ReadDocument(bytes));
}

void RichTextView::SetDocument(rtf::Document document) {
    doc_ = std::move(document);
    if (doc_.Paragraphs.empty())
        doc_.Paragraphs.emplace_back();
    text_ = rtf::PlainText(doc_);
    // Filled apart and then handed over, the document is laid out lazily, a screenful first: filling the
    // shown one would lay out all of it at once.
    auto* shown = new QTextDocument(this);
    Render(doc_, shown);
    // The view frees only the document it was born with; those made here are freed here.
    QTextDocument* previous = QTextEdit::document();
    const bool ours = previous->parent() == this;
    setDocument(shown);
    if (ours)
        delete previous;
    setTextCursor(QTextCursor(shown));
}

QStringList RichTextView::FamiliesFor(const rtf::CharFormat& format) {
    if (!format.FixedPitch)
        return format.FontName.isEmpty() ? QStringList() : QStringList{format.FontName};
    auto it = families_.constFind(format.FontName);
    if (it != families_.constEnd())
        return it.value();
    // The face the named font resolves to here, if that is fixed-pitch; else the system's fixed face.
    QFont named(format.FontName.isEmpty() ? QStringLiteral("Courier New") : format.FontName);
    named.setStyleHint(QFont::TypeWriter);
    QFontInfo info(named);
    QStringList families;
    if (info.fixedPitch())
        families << info.family();
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    families << system.family() << QStringLiteral("monospace");
    families_.insert(format.FontName, families);
    return families;
}

void RichTextView::Render(const rtf::Document& document, QTextDocument* target) {
    target->setUndoRedoEnabled(false);
    target->clear();
    target->setDefaultFont(font());

    // Reports use a handful of formats: convert each once.
    std::vector<std::pair<rtf::CharFormat, QTextCharFormat>> cache;
    auto toQt = [&](const rtf::CharFormat& f) -> const QTextCharFormat& {
        for (const auto& [key, value] : cache)
            if (key == f)
                return value;
        QTextCharFormat q;
        const QStringList families = FamiliesFor(f);
        if (!families.isEmpty())
            q.setFontFamilies(families);
        if (f.FixedPitch) {
            q.setFontFixedPitch(true);
            q.setFontStyleHint(QFont::TypeWriter);
        }
        q.setFontPointSize(f.HalfPoints / 2.0);
        q.setFontWeight(f.Bold ? QFont::Bold : QFont::Normal);
        q.setFontItalic(f.Italic);
        q.setFontUnderline(f.Underline);
        if (f.Color != rtf::kAutoColor)
            q.setForeground(QColor::fromRgb(f.Color));
        cache.emplace_back(f, q);
        return cache.back().second;
    };

    QTextCursor cursor(target);
    cursor.beginEditBlock();
    // An empty line takes the format of the text before it, as its paragraph end does in RTF, so that
    // its height matches the lines around it; empty lines at the top take that of the first text.
    QTextCharFormat carry;
    for (const rtf::Paragraph& p : document.Paragraphs)
        if (!p.Runs.empty()) {
            carry = toQt(p.Runs.front().Format);
            break;
        }
    for (std::size_t i = 0; i < document.Paragraphs.size(); ++i) {
        const rtf::Paragraph& p = document.Paragraphs[i];
        // Lines that follow a marker column wrap under the text after it, not under the marker; the
        // separator is cut at the edge rather than wrapped onto a second line.
        QTextBlockFormat block;
        if (p.Runs.size() >= 2 && p.Runs[0].Format.FixedPitch && !p.Runs[1].Format.FixedPitch) {
            const QString& after = p.Runs[1].Text;
            qsizetype blanks = 0;
            while (blanks < after.size() && after[blanks] == u' ')
                ++blanks;
            const qreal indent =
                QFontMetricsF(toQt(p.Runs[0].Format).font()).horizontalAdvance(p.Runs[0].Text) +
                QFontMetricsF(toQt(p.Runs[1].Format).font()).horizontalAdvance(after.left(blanks));
            block.setLeftMargin(indent);
            block.setTextIndent(-indent);
        } else if (IsSeparator(p)) {
            block.setNonBreakableLines(true);
        }
        if (i == 0) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(carry);
        } else {
            cursor.insertBlock(block, carry);
        }
        for (const rtf::Run& r : p.Runs) {
            carry = toQt(r.Format);
            cursor.insertText(ShownText(r.Text), carry);
        }
    }
    cursor.endEditBlock();
}

int RichTextView::SelStart() const {
    return textCursor().selectionStart();
}

int RichTextView::SelLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void RichTextView::SetSelStart(int start) {
    QTextCursor c(QTextEdit::document());
    c.setPosition(std::clamp(start, 0, int(text_.size())));
    setTextCursor(c);
}

void RichTextView::SetSelLength(int length) {
    const int start = SelStart();
    QTextCursor c(QTextEdit::document());
    c.setPosition(start);
    c.setPosition(std::clamp(start + std::max(length, 0), start, int(text_.size())), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextView::SelText() const {
    return text_.mid(SelStart(), SelLength());
}

QByteArray RichTextView::SelRTF() const {
    const int start = SelStart(), length = SelLength();
    return length > 0 ? rtf::WriteRtf(rtf::Slice(doc_, start, start + length)) : QByteArray();
}

QString RichTextView::Text() const {
    return text_;
}

QByteArray RichTextView::TextRTF() const {
    return rtf::WriteRtf(doc_);
}

int RichTextView::Find(const QString& text, int start, int end, int options) {
    const qsizetype size = text_.size();
    if (end < 0 || end > size)
        end = int(size);
    start = std::max(start, 0);
    if (text.isEmpty() || start > end)
        return -1;
    const Qt::CaseSensitivity cs = options & FindMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QStringView range = QStringView(text_).left(end);
    const bool wordStart = IsWordChar(text.front()), wordEnd = IsWordChar(text.back());
    for (qsizetype from = start;;) {
        const qsizetype pos = range.indexOf(text, from, cs);
        if (pos < 0)
            return -1;
        const qsizetype after = pos + text.size();
        const bool whole =
            !(options & FindWholeWord) || ((!wordStart || pos == 0 || !IsWordChar(text_[pos - 1])) &&
                                           (!wordEnd || after >= size || !IsWordChar(text_[after])));
        if (whole) {
            if (!(options & FindNoHighlight)) {
                QTextCursor c(QTextEdit::document());
                c.setPosition(int(pos));
                c.setPosition(int(after), QTextCursor::KeepAnchor);
                setTextCursor(c);
                ensureCursorVisible();
            }
            return int(pos);
        }
        from = pos + 1;
    }
}

bool RichTextView::SaveFile(const QString& path, int type, QString* error) {
    QByteArray bytes;
    if (type == RtfFile)
        bytes = TextRTF();
    else if (type == TextFile)
        bytes = rtf::PlainTextForFile(doc_);
    else if (type == TextFileUtf8)
        bytes = rtf::PlainTextForTerminal(doc_);
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (type != RtfFile && type != TextFile && type != TextFileUtf8)
        return fail(tr("Unknown file type %1.").arg(type));
    // The old file is replaced only once the new one is whole on the disk; on any failure it stays.
    QSaveFile file(path);
    errno = 0;
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && file.write(bytes) != bytes.size())
        ok = false;
    if (ok && !file.flush())
        ok = false;
    const int systemError = errno;
    if (!ok) {
        file.cancelWriting();
        return fail(FileProblem(path, systemError));
    }
    errno = 0;
    if (!file.commit())
        return fail(FileProblem(path, errno));
    return true;
}

bool RichTextView::SelPrint(QPrinter* printer, const QString& header) {
    if (!printer)
        return false;
    const int start = SelStart(), length = SelLength();
    QTextDocument part;
    Render(length > 0 ? rtf::Slice(doc_, start, start + length) : doc_, &part);
    return PrintPages(*printer, part, header);
}

QMimeData* RichTextView::CreateMimeData(bool wholeDocument) const {
    auto* data = new QMimeData;
    data->setText(wholeDocument ? Text() : SelText());
    const QByteArray rtf = wholeDocument ? TextRTF() : SelRTF();
    data->setData(QStringLiteral("text/rtf"), rtf);
#ifdef Q_OS_WIN
    // Qt maps only plain text and HTML to the Windows clipboard by itself.
    data->setData(QStringLiteral("Rich Text Format"), rtf);
#endif
    return data;
}

QMimeData* RichTextView::createMimeDataFromSelection() const {
    return CreateMimeData(false);
}

void RichTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        Q_EMIT RightButtonPressed(event->globalPosition().toPoint());
        return;
    }
    QTextEdit::mousePressEvent(event);
}

void RichTextView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept(); // the window shows its File menu on the right button instead
    if (event->reason() == QContextMenuEvent::Keyboard)
        Q_EMIT RightButtonPressed(viewport()->mapToGlobal(cursorRect().center()));
}

void RichTextView::keyPressEvent(QKeyEvent* event) {
    // The menu key and Shift+F10 open the File menu at the caret, as the right button does at the pointer.
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        Q_EMIT RightButtonPressed(viewport()->mapToGlobal(cursorRect().center()));
        return;
    }
    QTextEdit::keyPressEvent(event);
}

} // namespace vorelian
