// Windows-1251, the code page of the data files and the report files on disk.
// Every text inside the program is a QString; bytes are converted here, at the file boundary only.
// A table of our own keeps the program portable: Qt reaches this code page only through ICU.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vorelian::cp1251 {

// The byte of a character, or -1 when the code page cannot hold it.
int ByteOf(QChar c);

// True when every character of the text has a byte in the code page.
bool CanEncode(QStringView text);

// Bytes to text: every byte has a character (0x98, unassigned, maps to U+0098).
QString Decode(QByteArrayView bytes);

// Text to bytes: a character the code page cannot hold becomes `replacement`.
QByteArray Encode(QStringView text, char replacement = '?');

} // namespace vorelian::cp1251
