#include "document/ConfigDocument.h"
#include "document/DocumentViews.h"
#include "edit/EditCommands.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class tst_EditCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clipboardCommands_data();
    void clipboardCommands();
    void pasteTurnsEveryLineBreakIntoOne_data();
    void pasteTurnsEveryLineBreakIntoOne();
    void clipboardCommandsNeedTheTextView_data();
    void clipboardCommandsNeedTheTextView();
    void selectAllSelectsTheWholeText();
    void printsTheDocumentTextInTheTextViewFont_data();
    void printsTheDocumentTextInTheTextViewFont();
    void cancelledPrintPrintsNothing();

private:
    MainWidgets& ui() { return m_window->widgets(); }
    WindowState& state() { return m_window->state(); }
    MainContext& ctx() { return m_window->context(); }
    bool openDocument(const QByteArray& bytes, bool textView);
    void select(int anchor, int position);
    static QClipboard* clipboard() { return QGuiApplication::clipboard(); }

    std::unique_ptr<TestEnvironment> m_env;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
};

void tst_EditCommands::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_dialogs.clear();
    m_window = m_env->startMainWindow(m_dialogs);
    QVERIFY(m_window);
    clipboard()->setText(u"before"_s);
}

void tst_EditCommands::cleanup()
{
    m_window.reset();
    m_env.reset();
}

bool tst_EditCommands::openDocument(const QByteArray& bytes, bool textView)
{
    QAction* view = textView ? ui().mnuViewmnuLVText : ui().mnuViewmnuLVList;
    if (!view->isChecked())
        view->trigger();
    m_dialogs.openAnswers << m_env->writeFile(u"server/bin/edit.cfg"_s, bytes);
    ui().mnuFileOpen->trigger();
    m_dialogs.clear();
    return state().DocumentOpen && !state().DocumentChanged;
}

void tst_EditCommands::select(int anchor, int position)
{
    QTextCursor cursor = ui().txtTextBox->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    ui().txtTextBox->setTextCursor(cursor);
}

// Each command runs from the menu, the toolbar or its key in the focused text view, with the
// same result every way.
void tst_EditCommands::clipboardCommands_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("command"); // action name, or "key:" and a key sequence
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QString>("expectedClipboard");
    QTest::addColumn<bool>("changed");

    const QByteArray doc = "AB 1\r\nCD 2";
    for (const QString& copy : {u"mnuEditCopy"_s, u"FlatBttn(5)"_s, u"key:Ctrl+C"_s}) {
        QTest::addRow("%s, nothing selected", qPrintable(copy))
            << doc << copy << 3 << 3 << u"AB 1\r\nCD 2"_s << QString() << false;
        QTest::addRow("%s, across a line", qPrintable(copy))
            << doc << copy << 3 << 6 << u"AB 1\r\nCD 2"_s << u"1\nC"_s << false;
    }
    for (const QString& cut : {u"mnuEditCut"_s, u"FlatBttn(4)"_s, u"key:Ctrl+X"_s}) {
        QTest::addRow("%s, nothing selected", qPrintable(cut))
            << doc << cut << 3 << 3 << u"AB 1\r\nCD 2"_s << QString() << true;
        QTest::addRow("%s, across a line", qPrintable(cut))
            << doc << cut << 6 << 3 << u"AB D 2"_s << u"1\nC"_s << true;
    }
    for (const QString& paste : {u"mnuEditPaste"_s, u"FlatBttn(6)"_s, u"key:Ctrl+V"_s}) {
        QTest::addRow("%s at the caret", qPrintable(paste))
            << doc << paste << 2 << 2 << u"ABbefore 1\r\nCD 2"_s << u"before"_s << true;
        QTest::addRow("%s over a selection", qPrintable(paste))
            << doc << paste << 1 << 7 << u"Abefore 2"_s << u"before"_s << true;
    }
    QTest::newRow("no-break space survives a cut")
        << QByteArray("AB 1\r\nX\xA0Y 2") << u"key:Ctrl+X"_s << 5 << 10 << u"AB 1\r\n"_s
        << u"X\u00A0Y 2"_s << true;
}

void tst_EditCommands::clipboardCommands()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, command);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, expectedText);
    QFETCH(QString, expectedClipboard);
    QFETCH(bool, changed);
    QVERIFY(openDocument(document, true));
    select(anchor, position);

    if (command.startsWith(u"key:")) {
        ui().txtTextBox->setFocus();
        QTest::keySequence(ui().txtTextBox, QKeySequence(command.mid(4)));
    } else {
        QAction* action = m_window->findChild<QAction*>(command);
        QVERIFY(action && action->isEnabled());
        action->trigger();
    }

    QCOMPARE(ctx().document->text(), expectedText);
    QCOMPARE(clipboard()->text(), expectedClipboard);
    QCOMPARE(state().DocumentChanged, changed);
}

void tst_EditCommands::pasteTurnsEveryLineBreakIntoOne_data()
{
    QTest::addColumn<QString>("clipboardText");
    QTest::newRow("CR LF") << u"X 1\r\nY 2\r\n"_s;
    QTest::newRow("LF") << u"X 1\nY 2\n"_s;
    QTest::newRow("lone CR") << u"X 1\rY 2\r"_s;
}

void tst_EditCommands::pasteTurnsEveryLineBreakIntoOne()
{
    QFETCH(QString, clipboardText);
    QVERIFY(openDocument("AB 1", true));
    select(0, 0);
    clipboard()->setText(clipboardText);
    ui().mnuEditPaste->trigger();
    QCOMPARE(ctx().document->text(), u"X 1\r\nY 2\r\nAB 1"_s);
    QCOMPARE(ui().txtTextBox->blockCount(), 3);
}

void tst_EditCommands::clipboardCommandsNeedTheTextView_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("cut") << u"cut"_s;
    QTest::newRow("copy") << u"copy"_s;
    QTest::newRow("paste") << u"paste"_s;
}

void tst_EditCommands::clipboardCommandsNeedTheTextView()
{
    QFETCH(QString, command);
    QVERIFY(openDocument("AB 1\r\nCD 2\r\n", false));
    for (QAction* textOnly :
         {ui().mnuEditCut, ui().mnuEditCopy, ui().mnuEditPaste, ui().mnuEditSelectAll,
          ui().FlatBttn[Button::Cut], ui().FlatBttn[Button::Copy], ui().FlatBttn[Button::Paste]})
        QVERIFY2(!textOnly->isEnabled(), qPrintable(textOnly->objectName()));

    // Reached directly, as a stale shortcut might, each command still leaves everything alone.
    ui().txtTextBox->selectAll();
    EditCommands& edit = *ctx().edit;
    if (command == u"cut")
        edit.Cut();
    else if (command == u"copy")
        edit.Copy();
    else
        edit.Paste();
    QCOMPARE(clipboard()->text(), u"before"_s);
    QVERIFY(!state().DocumentChanged);
    ctx().document->LinesFromRows();
    QCOMPARE(ctx().document->LineArray, (QStringList{u"AB 1"_s, u"CD 2"_s}));
}

void tst_EditCommands::selectAllSelectsTheWholeText()
{
    QVERIFY(openDocument("AB 1\r\nCD 2\r\n", true));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    ui().tvTreeView->setFocus();
    select(2, 2);

    QVERIFY(ui().mnuEditSelectAll->isEnabled());
    ui().mnuEditSelectAll->trigger();
    QVERIFY(ui().txtTextBox->hasFocus());
    const QTextCursor cursor = ui().txtTextBox->textCursor();
    QCOMPARE(cursor.selectionStart(), 0);
    QCOMPARE(cursor.selectionEnd(), ui().txtTextBox->document()->characterCount() - 1);
}

void tst_EditCommands::printsTheDocumentTextInTheTextViewFont_data()
{
    QTest::addColumn<bool>("fromTextView");
    QTest::newRow("text view") << true;
    QTest::newRow("list view") << false;
}

void tst_EditCommands::printsTheDocumentTextInTheTextViewFont()
{
    QFETCH(bool, fromTextView);
    // The list renders its rows: the comment and the setting come back in their written form.
    const QByteArray file = "MAXCONNECTIONS   64\r\n;note\r\n\r\nLOGLEVEL INFO\r\n";
    QVERIFY(openDocument(file, true));
    const QString shownInTextView = [&] {
        ui().mnuViewmnuLVList->trigger();
        ui().mnuViewmnuLVText->trigger();
        return ctx().document->text();
    }();
    if (!fromTextView)
        ui().mnuViewmnuLVList->trigger();
    state().DocumentChanged = false;
    const QFont font(u"Monospace"_s, 13, QFont::Bold, true);
    ui().txtTextBox->setFont(font);

    const QString pdf = m_env->path(u"printed.pdf"_s);
    m_dialogs.printAnswers << pdf;
    QVERIFY(ui().mnuFilemnuPrint->isEnabled());
    ui().mnuFilemnuPrint->trigger();

    QCOMPARE(m_dialogs.count(u"print"_s), 1);
    QCOMPARE(m_dialogs.last(u"print"_s).title, u"Print"_s);
    const QTextDocument& printed = ctx().edit->PrintBuffer();
    QCOMPARE(printed.toPlainText(), QString(shownInTextView).replace(u"\r\n"_s, u"\n"_s));
    QCOMPARE(printed.defaultFont(), font);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(ctx().views->IsTextView(), fromTextView);
    QVERIFY(!state().DocumentChanged);
    QCOMPARE(m_dialogs.count(u"message"_s), 0);
}

void tst_EditCommands::cancelledPrintPrintsNothing()
{
    QVERIFY(openDocument("AB 1\r\n", true));
    m_dialogs.printAnswers << QString();
    ui().FlatBttn[Button::Print]->trigger();
    QCOMPARE(m_dialogs.count(u"print"_s), 1);
    QCOMPARE(m_dialogs.calls.size(), 1);
    QVERIFY(QDir(m_env->path(QString())).entryList({u"*.pdf"_s}, QDir::Files).isEmpty());
}

QTEST_MAIN(tst_EditCommands)
#include "tst_editcommands.moc"
