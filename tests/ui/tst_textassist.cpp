#include "support/EditorFixture.h"
#include "ui/ProblemsPane.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList Lines{u"; tuning"_s, u"MAXCONNECTIONS 5000"_s, u""_s};

// The text view with the caret at the end of the line, focused in an active window.
QPlainTextEdit* CaretAtEnd(EditorFixture& f, int line)
{
    QPlainTextEdit* text = f.ui().txtTextBox;
    QTextCursor caret(text->document()->findBlockByNumber(line));
    caret.movePosition(QTextCursor::EndOfBlock);
    text->setTextCursor(caret);
    text->setFocus();
    return text;
}

QString LineText(EditorFixture& f, int line)
{
    return f.ui().txtTextBox->document()->findBlockByNumber(line).text();
}

} // namespace

class tst_TextAssist : public QObject {
    Q_OBJECT

private slots:
    // Keys typed on the empty last line, then the key that ends the list.
    void completion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("line");
        QTest::newRow("Enter picks the first")
            << u"logl"_s << int(Qt::Key_Return) << u"LOGLEVEL "_s;
        QTest::newRow("Down, Tab") << u"TRACE "_s << int(Qt::Key_Down) << u"TRACE OFF"_s;
        QTest::newRow("Escape inserts nothing") << u"lo"_s << int(Qt::Key_Escape) << u"lo"_s;
    }
    void completion()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, line);
        EditorFixture f;
        QVERIFY(f.openDocument(Lines, false));
        QVERIFY(f.activate());
        QPlainTextEdit* text = CaretAtEnd(f, 2);
        auto* list = Control<QTreeView>(*f.window, u"lstCompletion"_s);
        QTest::keyClicks(text, typed);
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(text, Qt::Key(key));
        if (key == Qt::Key_Down)
            QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(LineText(f, 2), line);
        QCOMPARE(f.document().DocumentChanged(), true);
        if (key == Qt::Key_Return) {
            // The name picked goes on to its choices; Undo takes the pick back.
            QTRY_VERIFY(list->isVisible());
            QCOMPARE(list->model()->index(0, 0).data().toString(), u"ERROR"_s);
            QTest::keyClick(text, Qt::Key_Escape);
            QVERIFY(!list->isVisible());
            f.document().history().undo();
            QVERIFY(LineText(f, 2) != line);
        }
    }

    // F1 at the caret shows the setting's page; on a comment line, the guide.
    void helpKey()
    {
        EditorFixture f;
        QVERIFY(f.openDocument(Lines, false));
        QVERIFY(f.activate());
        QTest::keyClick(CaretAtEnd(f, 1), Qt::Key_F1);
        QTRY_COMPARE(f.ui().brwHelpBrowser->source().fragment(), u"MAXCONNECTIONS"_s);
        QVERIFY(f.dialogs.calls.isEmpty());
        QTest::keyClick(CaretAtEnd(f, 0), Qt::Key_F1);
        QVERIFY(!f.dialogs.calls.isEmpty()); // the guide goes to the desktop's browser
    }

    // The tool tip on a name tells the problem and its fixes first, then the setting; a comment
    // line and a name are coloured apart.
    void hoverAndColours()
    {
        EditorFixture f;
        QVERIFY(f.openDocument(Lines, false));
        QPlainTextEdit* text = f.ui().txtTextBox;
        QTextCursor name(text->document()->findBlockByNumber(1));
        const QPoint point = text->cursorRect(name).center() + QPoint(4, 0);
        QTRY_VERIFY(!f.window->problems().messagesOnLine(2).isEmpty());
        QHelpEvent help(QEvent::ToolTip, point, text->viewport()->mapToGlobal(point));
        QApplication::sendEvent(text->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(),
                     u"MAXCONNECTIONS must be between 1 and 4096; 5000 is outside.\n"
                     "Quick fix: Set to the minimum (1)\nQuick fix: Set to the maximum (4096)\n\n"
                     "MAXCONNECTIONS (number): 1 to 4096\nIntroduced in version 1\nconnections"_s);

        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        text->viewport()->repaint();
        const auto colourOf = [text](int line) {
            const auto formats = text->document()->findBlockByNumber(line).layout()->formats();
            return formats.isEmpty() ? QColor() : formats.first().format.foreground().color();
        };
        QVERIFY(colourOf(0).isValid() && colourOf(1).isValid());
        QVERIFY(colourOf(0) != colourOf(1));
        QVERIFY(colourOf(0) != text->palette().color(QPalette::Text));
    }
};

QTEST_MAIN(tst_TextAssist)
#include "tst_textassist.moc"
