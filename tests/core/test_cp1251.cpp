// The Windows-1251 table: every byte round-trips, and it agrees with Qt's own converter where Qt has one.
#include "core/cp1251.h"

#include <QStringDecoder>
#include <QTest>

using namespace vorelian;

class TestCp1251 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = cp1251::Decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1251::Encode(text), all);
        QVERIFY(cp1251::CanEncode(text));
    }

    void agreesWithQt() {
        QStringDecoder qt("windows-1251");
        if (!qt.isValid())
            QSKIP("this Qt has no Windows-1251 converter");
        for (int b = 0; b < 256; ++b) {
            if (b == 0x98)
                continue; // unassigned in the code page
            const QByteArray one(1, char(b));
            QCOMPARE(cp1251::Decode(one), qt.decode(one));
        }
    }

    void knownCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("middle dot") << QStringLiteral("·") << QByteArray("\xB7");
        QTest::addRow("Cyrillic") << QStringLiteral("Ёжик ш") << QByteArray("\xA8\xE6\xE8\xEA \xF8");
        QTest::addRow("quotes and dash") << QStringLiteral("«—»") << QByteArray("\xAB\x97\xBB");
        QTest::addRow("numero") << QStringLiteral("№") << QByteArray("\xB9");
    }
    void knownCharacters() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cp1251::Encode(text), bytes);
        QCOMPARE(cp1251::Decode(bytes), text);
    }

    void charactersOutsideTheCodePage() {
        QCOMPARE(cp1251::ByteOf(QChar(0x03A9)), -1); // Greek Omega
        QVERIFY(!cp1251::CanEncode(QStringLiteral("Ω")));
        QCOMPARE(cp1251::Encode(QStringLiteral("aΩb")), QByteArray("a?b"));
        QCOMPARE(cp1251::Encode(QStringLiteral("aΩb"), '_'), QByteArray("a_b"));
    }
};

QTEST_APPLESS_MAIN(TestCp1251)
#include "test_cp1251.moc"
