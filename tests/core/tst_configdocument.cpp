#include "core/ConfigDocument.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;

class tst_ConfigDocument : public QObject {
    Q_OBJECT

    const QTemporaryDir m_workingFolder;

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_workingFolder.path())); }
    // Conversions work in memory: no temporary file may appear in the working folder.
    void cleanup() { QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {}); }

    void emptyFile()
    {
        ConfigDocument document;
        document.load(u"/x.cfg"_s, QString());
        QCOMPARE(document.rows().count(), 0);
        QVERIFY(document.DocumentOpen());
    }

    void positionMapping()
    {
        ConfigDocument document;
        // The view counts one position per break, text() two; a line separator is a character.
        document.setText(u"AB\u2028CD\r\n\r\nE"_s);
        QCOMPARE(document.text(), u"AB\u2028CD\r\n\r\nE"_s);
        for (const auto& [cursor, text] : {std::pair{0, 0}, {3, 3}, {5, 5}, {6, 7}, {8, 10}}) {
            QCOMPARE(document.textPositionFromCursor(cursor), text);
            QCOMPARE(document.cursorPositionFromText(text), cursor);
        }
        // Between CR and LF is the break itself; positions out of range are clamped.
        QCOMPARE(document.cursorPositionFromText(6), 5);
        QCOMPARE(document.cursorPositionFromText(99), 8);
        QCOMPARE(document.textPositionFromCursor(50), 10);
    }

    // The changed flag follows edits of either form; loading, converting and closing are not
    // edits. Each step is applied to a document loaded in the list form.
    void changedFollowsTheEdits_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("changed");
        QTest::newRow("nothing") << u""_s << false;
        QTest::newRow("row inserted") << u"insert"_s << true;
        QTest::newRow("text typed") << u"type"_s << true;
        QTest::newRow("to text, lines kept as read") << u"showText"_s << false;
        QTest::newRow("to list") << u"showList"_s << false;
        QTest::newRow("saved after an edit") << u"insert save"_s << false;
        QTest::newRow("closed after an edit") << u"insert close"_s << false;
        QTest::newRow("new after an edit") << u"insert new"_s << false;
    }
    void changedFollowsTheEdits()
    {
        QFETCH(QString, step);
        QFETCH(bool, changed);
        ConfigDocument document;
        QSignalSpy opened(&document, &ConfigDocument::openChanged);
        document.load(m_workingFolder.filePath(u"a.cfg"_s), u"  A 1\r\nB 2\r\n"_s);
        QCOMPARE(opened.count(), 1);
        QVERIFY(!document.DocumentChanged());
        for (const QString& part : step.split(u' ', Qt::SkipEmptyParts)) {
            if (part == u"insert")
                document.rows().insertRowAt(0, Row{u"K9"_s, u"C"_s, u"3"_s});
            else if (part == u"type")
                QTextCursor(&document.textDocument()).insertText(u"X"_s);
            else if (part == u"showText")
                document.showText();
            else if (part == u"showList")
                document.showList();
            else if (part == u"save")
                QCOMPARE(document.saveAs(document.path()), QString());
            else if (part == u"close")
                document.close();
            else if (part == u"new")
                document.newDocument();
        }
        QCOMPARE(document.DocumentChanged(), changed);
        QFile::remove(m_workingFolder.filePath(u"a.cfg"_s));
    }
};

QTEST_GUILESS_MAIN(tst_ConfigDocument)
#include "tst_configdocument.moc"
