#include "app/WindowState.h"
#include "document/ConfigDocument.h"
#include "document/RowModel.h"
#include "files/Codepage.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;

class tst_ConfigDocument : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void conversionsHonourDocumentOpen_data();
    void conversionsHonourDocumentOpen();
    void emptyFileGivesNoRows();
    void listToTextAndBack();
    void moreLinesThanSixteenBitsAllow();
    void bytesSurviveTheTextView_data();
    void bytesSurviveTheTextView();
    void lineSeparatorReadsAsLineBreak();
    void textPositionFromCursor_data();
    void textPositionFromCursor();
    void cursorPositionFromText_data();
    void cursorPositionFromText();
    void noFileIsWrittenInTheWorkingFolder();

private:
    RowModel* m_rows = nullptr;
    QPlainTextEdit* m_textView = nullptr;
    WindowState m_state;
    ConfigDocument* m_document = nullptr;
};

void tst_ConfigDocument::init()
{
    m_rows = new RowModel;
    m_textView = new QPlainTextEdit;
    m_state = WindowState{};
    m_state.DocumentOpen = true;
    m_document = new ConfigDocument(*m_rows, *m_textView, m_state);
}

void tst_ConfigDocument::cleanup()
{
    delete m_document;
    delete m_textView;
    delete m_rows;
}

void tst_ConfigDocument::conversionsHonourDocumentOpen_data()
{
    QTest::addColumn<bool>("documentOpen");
    QTest::newRow("document open") << true;
    QTest::newRow("no document") << false;
}

void tst_ConfigDocument::conversionsHonourDocumentOpen()
{
    QFETCH(bool, documentOpen);
    const QList<Row> oldRows = {{u"K1"_s, u"OLD"_s, u"row"_s}};
    m_rows->resetRows(oldRows);
    m_document->setText(u"old\r\ntext"_s);
    m_state.DocumentOpen = documentOpen;
    QSignalSpy resets(m_rows, &RowModel::modelReset);
    QSignalSpy textChanges(m_textView, &QPlainTextEdit::textChanged);

    m_document->LineArray = {u"NEW 1"_s, QString()};
    m_document->RowsFromLines();
    const QList<Row> newRows = {{u"K1"_s, u"NEW"_s, u"1"_s}, {u"KB2"_s, QString(), QString()}};
    QCOMPARE(m_rows->rows(), documentOpen ? newRows : oldRows);
    QCOMPARE(resets.size(), documentOpen ? 1 : 0);

    m_document->TextFromLines();
    QCOMPARE(m_document->text(), documentOpen ? u"NEW 1\r\n"_s : u"old\r\ntext"_s);
    QCOMPARE(textChanges.isEmpty(), !documentOpen);

    m_rows->resetRows(oldRows);
    m_document->LinesFromRows();
    QCOMPARE(m_document->LineArray, QStringList{u"OLD row"_s});

    m_document->setText(u"A\r\nB\r\n"_s);
    m_document->LinesFromText();
    QCOMPARE(m_document->LineArray, QStringList({u"A"_s, u"B"_s, QString()}));
}

void tst_ConfigDocument::emptyFileGivesNoRows()
{
    m_rows->resetRows({{u"K1"_s, u"OLD"_s, u"row"_s}});
    m_document->LineArray = {u"stale"_s, u"lines"_s};

    m_document->ReadFileLines(QString());
    m_document->RowsFromLines();

    QVERIFY(m_document->LineArray.isEmpty());
    QCOMPARE(m_rows->count(), 0);
}

void tst_ConfigDocument::listToTextAndBack()
{
    // A file as loaded: raw text in the view, parsed rows in the list.
    const QString file = u"  NAME 5\rCOMMENT\n; note  here \r\n\r\nLAST"_s;
    m_document->setText(file);
    m_document->ReadFileLines(file);
    m_document->RowsFromLines();

    m_document->LinesFromRows();
    m_document->TextFromLines();
    const QString rendered = u"NAME 5\r\nCOMMENT \r\n; note  here \r\n \r\nLAST "_s;
    QCOMPARE(m_document->text(), rendered);

    m_document->LinesFromText();
    m_document->RowsFromLines();
    m_document->LinesFromRows();
    m_document->TextFromLines();
    QCOMPARE(m_document->text(), rendered);
    QCOMPARE(m_rows->row(3).Key, u"K4"_s);
}

void tst_ConfigDocument::moreLinesThanSixteenBitsAllow()
{
    QStringList lines;
    for (int i = 1; i <= 40000; ++i)
        lines.append(u"NAME "_s + QString::number(i));
    m_document->LineArray = lines;

    m_document->TextFromLines();
    m_document->LinesFromText();
    QCOMPARE(m_document->LineArray, lines);
    m_document->RowsFromLines();
    QCOMPARE(m_rows->count(), 40000);
    QCOMPARE(m_rows->row(39999).Parameter, u"40000"_s);

    const QString text = m_document->text();
    const int lastLine = static_cast<int>(text.lastIndexOf(u'\n')) + 1;
    QCOMPARE(m_document->cursorPositionFromText(lastLine), lastLine - 39999);
    QCOMPARE(m_document->textPositionFromCursor(lastLine - 39999), lastLine);
}

void tst_ConfigDocument::bytesSurviveTheTextView_data()
{
    QTest::addColumn<QByteArray>("fileBytes");
    QTest::addColumn<QByteArray>("textBytes");

    QByteArray everyByte;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            everyByte.append(static_cast<char>(byte));
    }
    QTest::newRow("every byte but CR and LF") << everyByte << everyByte;
    QTest::newRow("every byte on several lines")
        << everyByte + "\r\n" + everyByte + "\n" + everyByte
        << everyByte + "\r\n" + everyByte + "\r\n" + everyByte;
    QTest::newRow("lone CR and LF become CR LF")
        << QByteArray("A\rB\nC\r\n") << QByteArray("A\r\nB\r\nC\r\n");
    QTest::newRow("empty lines kept")
        << QByteArray("\r\n\r\nA\r\r") << QByteArray("\r\n\r\nA\r\n\r\n");
}

void tst_ConfigDocument::bytesSurviveTheTextView()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(QByteArray, textBytes);

    m_document->setText(Codepage::DecodeWindows1252(fileBytes));
    const std::optional<QByteArray> encoded = Codepage::EncodeWindows1252(m_document->text());

    QVERIFY(encoded.has_value());
    QCOMPARE(*encoded, textBytes);
}

void tst_ConfigDocument::lineSeparatorReadsAsLineBreak()
{
    m_document->setText(u"A"_s);
    QTextCursor cursor(m_textView->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"\u2028B"_s);

    QCOMPARE(m_document->text(), u"A\r\nB"_s);
    QCOMPARE(m_document->textPositionFromCursor(2), 3);
    QCOMPARE(m_document->cursorPositionFromText(3), 2);
}

// Raw view text "AB|CD||E" (| a line break); text() "AB\r\nCD\r\n\r\nE".
static const QString PositionText = u"AB\r\nCD\r\n\r\nE"_s;

void tst_ConfigDocument::textPositionFromCursor_data()
{
    QTest::addColumn<int>("cursorPosition");
    QTest::addColumn<int>("textPosition");

    QTest::newRow("start") << 0 << 0;
    QTest::newRow("end of first line") << 2 << 2;
    QTest::newRow("start of second line") << 3 << 4;
    QTest::newRow("end of second line") << 5 << 6;
    QTest::newRow("empty third line") << 6 << 8;
    QTest::newRow("last line") << 7 << 10;
    QTest::newRow("end") << 8 << 11;
    QTest::newRow("past the end") << 50 << 11;
    QTest::newRow("negative") << -3 << 0;
}

void tst_ConfigDocument::textPositionFromCursor()
{
    QFETCH(int, cursorPosition);
    QFETCH(int, textPosition);

    m_document->setText(PositionText);
    QCOMPARE(m_document->textPositionFromCursor(cursorPosition), textPosition);
}

void tst_ConfigDocument::cursorPositionFromText_data()
{
    QTest::addColumn<int>("textPosition");
    QTest::addColumn<int>("cursorPosition");

    QTest::newRow("start") << 0 << 0;
    QTest::newRow("at a CR") << 2 << 2;
    QTest::newRow("between CR and LF") << 3 << 2;
    QTest::newRow("after a break") << 4 << 3;
    QTest::newRow("empty line") << 8 << 6;
    QTest::newRow("last line") << 10 << 7;
    QTest::newRow("end") << 11 << 8;
    QTest::newRow("past the end") << 99 << 8;
    QTest::newRow("negative") << -1 << 0;
}

void tst_ConfigDocument::cursorPositionFromText()
{
    QFETCH(int, textPosition);
    QFETCH(int, cursorPosition);

    m_document->setText(PositionText);
    QCOMPARE(m_document->cursorPositionFromText(textPosition), cursorPosition);
}

void tst_ConfigDocument::noFileIsWrittenInTheWorkingFolder()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));

    m_document->setText(u"NAME 1\r\n"_s);
    m_document->LinesFromText();
    m_document->RowsFromLines();
    m_document->LinesFromRows();
    m_document->TextFromLines();
    m_state.DocumentOpen = false;
    m_document->LinesFromText();

    const QStringList left =
        QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(left, QStringList());
    QCOMPARE(m_document->LineArray, QStringList({u"NAME 1"_s, u" "_s}));
}

QTEST_MAIN(tst_ConfigDocument)
#include "tst_configdocument.moc"
