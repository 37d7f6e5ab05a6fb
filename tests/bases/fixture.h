// Small data files written by the tests themselves: texts in Windows-1251 with CRLF line ends, as the
// data set keeps them, inside a scratch folder that disappears with the test.
#pragma once

#include "bases/bases.h"
#include "core/calendar.h"
#include "core/cp1251.h"
#include "core/recalc.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace fixture {

// The bytes of a profile text: every "\n" becomes CRLF, characters go to Windows-1251.
inline QByteArray Bytes(const QString& text) {
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    return vorelian::cp1251::Encode(crlf);
}

inline void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline vorelian::Profile Parse(const QString& text) {
    return vorelian::Profile::Parse(Bytes(text));
}

inline int32_t Julian(int day, int month, int year) {
    return vorelian::DayNumber(vorelian::StyleJulian, int16_t(day), int16_t(month), int16_t(year));
}

inline int32_t Gregorian(int day, int month, int year) {
    return vorelian::DayNumber(vorelian::StyleGregorian, int16_t(day), int16_t(month), int16_t(year));
}

} // namespace fixture
