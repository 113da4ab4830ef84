#include "core/TextCheck.h"

#include <QtTest>

#include <numeric>

class tst_TextCheck : public QObject {
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(tst_TextCheck)
#include "tst_textcheck.moc"
