#include "ui/WindowState.h"
#include "ui/ConfigDocument.h"
#include "core/RowModel.h"
#include "core/Codepage.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_ConfigDocument : public QObject {
    Q_OBJECT

    const QTemporaryDir m_workingFolder;
    RowModel m_rows;
    QPlainTextEdit m_textView;
    WindowState m_state{.DocumentOpen = true};
    ConfigDocument m_document{m_rows, m_textView, m_state};

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_workingFolder.path())); }
    // Conversions work in memory: no temporary file may appear in the working folder.
    void cleanup() { QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {}); }

    void noDocumentThenEmptyFile()
    {
        m_rows.resetRows({{u"K1"_s, u"OLD"_s, QString()}});
        m_document.setText(u"old"_s);
        // Without a document neither view is refilled; an empty file gives no rows.
        m_state.DocumentOpen = false;
        m_document.LineArray = {u"NEW 1"_s};
        m_document.RowsFromLines();
        m_document.TextFromLines();
        QCOMPARE(m_rows.count(), 1);
        QCOMPARE(m_document.text(), u"old"_s);
        m_state.DocumentOpen = true;
        m_document.ReadFileLines(QString());
        m_document.RowsFromLines();
        QCOMPARE(m_rows.count(), 0);
    }

    void everyByteSurvivesTheTextView()
    {
        QByteArray bytes;
        for (int byte = 0; byte < 256; ++byte)
            bytes += byte == '\r' || byte == '\n' ? QByteArray() : QByteArray(1, char(byte));
        // Every kind of line break comes back as CR LF.
        m_document.setText(Codepage::DecodeWindows1252(bytes + '\r' + bytes + '\n' + bytes));
        m_document.LinesFromText();
        m_document.TextFromLines();
        QCOMPARE(Codepage::EncodeWindows1252(m_document.text()).value_or("failed"),
                 bytes + "\r\n" + bytes + "\r\n" + bytes);
    }

    void positionMapping()
    {
        // The view counts one position per break, text() two; U+2028 comes from Shift+Enter.
        m_document.setText(u"AB\u2028CD\r\n\r\nE"_s);
        QCOMPARE(m_document.text(), u"AB\r\nCD\r\n\r\nE"_s);
        for (const auto& [cursor, text] : {std::pair{0, 0}, {2, 2}, {3, 4}, {6, 8}, {8, 11}}) {
            QCOMPARE(m_document.textPositionFromCursor(cursor), text);
            QCOMPARE(m_document.cursorPositionFromText(text), cursor);
        }
        // Between CR and LF is the break itself; positions out of range are clamped.
        QCOMPARE(m_document.cursorPositionFromText(3), 2);
        QCOMPARE(m_document.cursorPositionFromText(99), 8);
        QCOMPARE(m_document.textPositionFromCursor(50), 11);
    }
};

QTEST_MAIN(tst_ConfigDocument)
#include "tst_configdocument.moc"
