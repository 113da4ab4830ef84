#include "core/Codepage.h"
#include "core/TextCheck.h"

#include <QTest>

#include <numeric>

// Bytes read as text: the Windows-1252 code page, and what looks like text at all.
class tst_Codepage : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips()
    {
        QByteArray all(256, '\0');
        std::iota(all.begin(), all.end(), char(0));
        const QString text = Codepage::decodeWindows1252(all);
        // Known mappings, among them an unassigned byte, which keeps its C1 control.
        QCOMPARE(text.mid(0x7F, 4), QStringLiteral("\u007F\u20AC\u0081\u201A"));
        QCOMPARE(text.mid(0x9F, 2), QStringLiteral("\u0178\u00A0"));
        QCOMPARE(text.back(), QChar(0x00FF));
        QCOMPARE(Codepage::encodeWindows1252(text).value_or("failed"), all);
    }
    void unrepresentableCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("badIndex");
        // U+0080 is a C1 control whose byte the code page gives to the euro sign.
        QTest::newRow("C1 control") << QStringLiteral("ab\u0080") << qsizetype(2);
        QTest::newRow("first of two") << QStringLiteral("x\u0100\u03B1") << qsizetype(1);
        QTest::newRow("surrogate pair") << QStringLiteral("ok \U0001F600") << qsizetype(3);
    }
    void unrepresentableCharacter()
    {
        QFETCH(QString, text);
        qsizetype reported = -1;
        QCOMPARE(Codepage::encodeWindows1252(text, &reported), std::nullopt);
        QTEST(reported, "badIndex");
    }

    // Whether Open takes the bytes for a configuration file without asking.
    void looksLikeText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("text");
        QByteArray high(128, '\0');
        std::iota(high.begin(), high.end(), char(0x80));
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("settings with tabs and CR LF")
            << QByteArray("LOG 1\r\n;\tnote\r\nCACHE x\n") << true;
        QTest::newRow("every high byte of the code page") << high << true;
        QTest::newRow("one NUL among text") << QByteArray("LOG 1\r\nX\0Y", 10) << false;
        QTest::newRow("one control in ten") << QByteArray("ABCDEFGHI\x01") << true;
        QTest::newRow("two controls in eleven") << QByteArray("ABCDEFGHI\x01\x1b") << false;
        QTest::newRow("DEL counts as a control") << QByteArray("A\x7f") << false;
        QTest::newRow("form feeds in a short file") << QByteArray("\f\f\f") << false;
    }
    void looksLikeText()
    {
        QFETCH(QByteArray, bytes);
        QTEST(TextCheck::looksLikeText(bytes), "text");
    }
};

QTEST_GUILESS_MAIN(tst_Codepage)
#include "tst_codepage.moc"
