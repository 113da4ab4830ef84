#include "files/Codepage.h"

#include <QTest>

class tst_Codepage : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips();
    void knownMappings_data();
    void knownMappings();
    void unrepresentableCharacter_data();
    void unrepresentableCharacter();
};

void tst_Codepage::everyByteRoundTrips()
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));

    const QString text = Codepage::DecodeWindows1252(all);
    QCOMPARE(text.size(), 256);
    const std::optional<QByteArray> encoded = Codepage::EncodeWindows1252(text);
    QVERIFY(encoded.has_value());
    QCOMPARE(*encoded, all);
}

void tst_Codepage::knownMappings_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");

    QTest::newRow("NUL") << 0x00 << 0x0000;
    QTest::newRow("A") << 0x41 << 0x0041;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("unassigned 0x81") << 0x81 << 0x0081;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("OE") << 0x8C << 0x0152;
    QTest::newRow("unassigned 0x8D") << 0x8D << 0x008D;
    QTest::newRow("unassigned 0x8F") << 0x8F << 0x008F;
    QTest::newRow("unassigned 0x90") << 0x90 << 0x0090;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("unassigned 0x9D") << 0x9D << 0x009D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("e acute") << 0xE9 << 0x00E9;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
}

void tst_Codepage::knownMappings()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);

    const QByteArray bytes(1, static_cast<char>(byte));
    const QString expected(QChar(static_cast<char16_t>(unicode)));
    QCOMPARE(Codepage::DecodeWindows1252(bytes), expected);
    QCOMPARE(Codepage::EncodeWindows1252(expected).value_or("failed"), bytes);
}

void tst_Codepage::unrepresentableCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("badIndex");

    // U+0080 and U+009F are C1 controls whose bytes the code page gives to other characters.
    QTest::newRow("C1 control U+0080") << QStringLiteral("ab\u0080") << qsizetype(2);
    QTest::newRow("C1 control U+009F") << QStringLiteral("\u009F") << qsizetype(0);
    QTest::newRow("Greek alpha") << QStringLiteral("NAME \u03B1") << qsizetype(5);
    QTest::newRow("first of two") << QStringLiteral("x\u0100\u0101") << qsizetype(1);
    QTest::newRow("paragraph separator") << QStringLiteral("A\u2029B") << qsizetype(1);
    QTest::newRow("surrogate pair") << QStringLiteral("ok \U0001F600") << qsizetype(3);
    QTest::newRow("just above a mapped one") << QStringLiteral("\u2123") << qsizetype(0);
}

void tst_Codepage::unrepresentableCharacter()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, badIndex);

    qsizetype reported = -1;
    QVERIFY(!Codepage::EncodeWindows1252(text, &reported).has_value());
    QCOMPARE(reported, badIndex);
    // The index is optional.
    QVERIFY(!Codepage::EncodeWindows1252(text).has_value());
}

QTEST_MAIN(tst_Codepage)
#include "tst_codepage.moc"
