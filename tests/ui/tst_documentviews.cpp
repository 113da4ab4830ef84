#include "support/EditorFixture.h"
#include "ui/ProblemsPane.h"
#include "ui/StatusBar.h"

using namespace Qt::StringLiterals;

namespace {

// The view shows, is ticked in the View menu and pressed on the toolbar; the other is not.
bool Shows(const WindowControls& ui, bool text)
{
    return ui.txtTextBox->isVisible() == text && ui.lvListView->isVisible() != text &&
           ui.mnuViewmnuLVText->isChecked() == text && ui.mnuViewmnuLVList->isChecked() != text &&
           ui.FlatBttn[Button::TextView]->isChecked() == text &&
           ui.FlatBttn[Button::ListView]->isChecked() != text;
}

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

class tst_DocumentViews : public QObject {
    Q_OBJECT

private slots:
    void switchView_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("fromText");
        QTest::addColumn<bool>("toText");
        QTest::newRow("View menu Text View") << u"mnuViewmnuLVText"_s << false << true;
        QTest::newRow("toolbar Text View") << u"FlatBttn(11)"_s << false << true;
        QTest::newRow("list pop-up") << u"mnu_PopUpLV_TextView"_s << false << true;
        QTest::newRow("View menu List View") << u"mnuViewmnuLVList"_s << true << false;
        QTest::newRow("toolbar List View") << u"FlatBttn(12)"_s << true << false;
        QTest::newRow("View menu, view shown") << u"mnuViewmnuLVText"_s << true << true;
        QTest::newRow("toolbar, view shown") << u"FlatBttn(12)"_s << false << false;
    }

    void switchView()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, fromText);
        QFETCH(bool, toText);
        EditorFixture f;
        QVERIFY(Shows(f.ui(), true)); // as at every first start
        QVERIFY(f.openDocument({u"  NAME 1"_s, u"FLAG"_s}, !fromText));
        // The two forms now differ, so each result shows which form a switch read.
        f.document().setText(u"  EDIT 2"_s);
        f.ui().mnuFilemnuSave->trigger(); // writes the form that shows, leaving the other
        QVERIFY(!f.document().DocumentChanged());
        f.trigger(trigger);
        QVERIFY(Shows(f.ui(), toText));
        QCOMPARE(QList<bool>({f.ui().mnuEditCut->isEnabled(),
                              f.ui().FlatBttn[Button::Paste]->isEnabled(),
                              f.ui().FlatBttn[Button::MoveDown]->isEnabled()}),
                 QList<bool>({toText, toText, !toText}));
        if (fromText != toText) // Fonts follows the view at a switch only
            QCOMPARE(f.ui().mnuToolsFonts->isEnabled(), toText);
        // Choosing the shown view converts nothing: it only presses its button again. The rows
        // give the text the lines they were read from, so the switch changes nothing either.
        const bool converted = !fromText && toText;
        QCOMPARE(f.rows().row(0).Setting, fromText && !toText ? u"EDIT"_s : u"NAME"_s);
        QCOMPARE(f.document().text(), converted ? u"  NAME 1\r\nFLAG\r\n"_s : u"  EDIT 2"_s);
        QVERIFY(!f.document().DocumentChanged());
    }

    // File > Line Ends: the mark is what the next save writes; a choice is one step.
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("marks"); // CR LF, LF: 1 marked
        QTest::addColumn<QString>("shown");
        QTest::newRow("LF") << QByteArray("A 1\nB 2\n") << u"01"_s << u"LF"_s;
        QTest::newRow("CR LF") << QByteArray("A 1\r\n") << u"10"_s << u"CR LF"_s;
        QTest::newRow("mixed") << QByteArray("A 1\nB 2\r\n") << u"00"_s << u"Mixed line ends"_s;
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, marks);
        EditorFixture f;
        QVERIFY(f.open(bytes, true));
        auto* crlf = Control(*f.window, u"mnuFileLineEndsCrLf"_s);
        auto* lf = Control(*f.window, u"mnuFileLineEndsLf"_s);
        const auto marked = [&] {
            return QString::number(crlf->isChecked()) + QString::number(lf->isChecked());
        };
        QCOMPARE(marked(), marks);
        QFETCH(QString, shown);
        QVERIFY(f.window->status().fileFormat().contains(shown));
        lf->trigger();
        QCOMPARE(marked(), u"01"_s);
        QVERIFY(f.window->status().fileFormat().contains(u"| LF |"_s));
        QCOMPARE(f.document().DocumentChanged(), marks != u"01");
        f.trigger(u"mnuEditUndo"_s);
        QCOMPARE(marked(), marks);
        crlf->trigger();
        QCOMPARE(marked(), u"10"_s);
    }

    // The text view's help while typing: completion, F1, a tool tip and colours.
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
        QTRY_COMPARE(ToolTipAt(text->viewport(), point),
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

QTEST_MAIN(tst_DocumentViews)
#include "tst_documentviews.moc"
