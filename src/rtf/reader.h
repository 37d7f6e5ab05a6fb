// Reading RTF bytes into the document model. Our reports use a small dialect (a header with two fonts
// and a colour table, then text with \cf, \f, \b, \i and \par), but the reader takes any ordinary RTF
// that editors write for simple documents: groups, control words and symbols, font and colour tables,
// \'hh in the document's code page, \uN with \ucN, and destinations it does not show are skipped.
// Unknown control words are ignored. No input makes it crash, hang or take memory out of proportion:
// nesting, kept text, table sizes and numbers are bounded.
#pragma once

#include "rtf/document.h"

#include <QByteArrayView>

namespace vorelian::rtf {

struct ReadLimits {
    int MaxDepth = 1000;         // groups nested deeper share the state of the deepest kept one
    qsizetype MaxText = 1 << 24; // characters and paragraph ends kept; anything after is dropped
    int MaxTableEntries = 4096;  // entries of the font table and of the colour table
};

// True when a document read with `limits` may have lost text to them.
inline bool ReachedLimit(const Document& read, const ReadLimits& limits) {
    return read.Length() >= limits.MaxText;
}

// True when the bytes begin (after blanks) with "{\rtf", as every RTF document does.
bool LooksLikeRtf(QByteArrayView bytes);

// RTF bytes to a document.
Document ReadRtf(QByteArrayView bytes, const ReadLimits& limits = {});

// Windows-1251 text to a document: one paragraph per line (CR LF, LF or CR), in the default format.
Document ReadPlainText(QByteArrayView bytes, const ReadLimits& limits = {});

// RTF when the bytes look like it, plain text otherwise: what a viewer does with a file it is given.
Document ReadDocument(QByteArrayView bytes, const ReadLimits& limits = {});

} // namespace vorelian::rtf
