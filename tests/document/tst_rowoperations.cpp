#include "app/PreferenceStore.h"
#include "document/ConfigDocument.h"
#include "document/DocumentViews.h"
#include "document/ListSelection.h"
#include "document/RowModel.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray ThreeRows = "A 1\r\nB 2\r\nC 3";
const QByteArray KnownSettings = "MAXCONNECTIONS 100\r\nSERVERNAME alpha\r\nLOGLEVEL INFO";

// Each row as "Setting|Parameter".
QStringList RowTexts(const RowModel& rows)
{
    QStringList texts;
    for (const Row& row : rows.rows())
        texts.append(row.Setting + u'|' + row.Parameter);
    return texts;
}

bool Trigger(QAction* action)
{
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

} // namespace

class TestRowOperations : public QObject {
    Q_OBJECT

private:
    FakeDialogs dialogs;
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<MainWindow> window;

    MainWidgets& ui() { return window->widgets(); }
    WindowState& state() { return window->state(); }
    MainContext& ctx() { return window->context(); }
    RowModel& rows() { return *ctx().rows; }
    QTreeView* list() { return ui().lvListView; }

    // Opens `content` as a file; the window starts in the list view.
    bool OpenDocument(const QByteArray& content)
    {
        const QString path = env->writeFile(u"server/bin/sample.cfg"_s, content);
        dialogs.openAnswers = {path};
        if (!Trigger(ui().mnuFileOpen) || !state().DocumentOpen || ctx().views->IsTextView())
            return false;
        state().DocumentChanged = false;
        dialogs.clear();
        return true;
    }

    bool OpenInTextView(const QString& text)
    {
        if (!OpenDocument(ThreeRows) || !Trigger(ui().mnuViewmnuLVText))
            return false;
        ctx().document->setText(text);
        state().DocumentChanged = false;
        return ctx().views->IsTextView();
    }

    QPoint RowCentre(int row) { return list()->visualRect(rows().index(row, 0)).center(); }

    void ClickRow(int row)
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, RowCentre(row));
    }

    void PutCaret(int textPosition, int selectionEnd = -1)
    {
        QTextCursor cursor = ui().txtTextBox->textCursor();
        cursor.setPosition(ctx().document->cursorPositionFromText(textPosition));
        if (selectionEnd >= 0)
            cursor.setPosition(ctx().document->cursorPositionFromText(selectionEnd),
                               QTextCursor::KeepAnchor);
        ui().txtTextBox->setTextCursor(cursor);
    }

    bool ActivateWindow()
    {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        {
            const auto store = PreferenceStore::Open();
            PreferenceStore::WriteBool(*store, u"ShowTextBox"_s, false);
        }
        window = env->startMainWindow(dialogs);
        QVERIFY(window);
        dialogs.clear();
    }

    void cleanup()
    {
        window.reset();
        env.reset();
        dialogs.clear();
    }

    void deleteAsksWhenConfirmDeleteIsOn_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QStringList>("expected");

        const QStringList all{u"MAXCONNECTIONS|100"_s, u"SERVERNAME|alpha"_s, u"LOGLEVEL|INFO"_s};
        const QStringList removed{u"MAXCONNECTIONS|100"_s, u"LOGLEVEL|INFO"_s};
        QTest::newRow("confirm off") << false << QMessageBox::NoButton << removed;
        QTest::newRow("answer Yes") << true << QMessageBox::Yes << removed;
        QTest::newRow("answer No") << true << QMessageBox::No << all;
    }

    void deleteAsksWhenConfirmDeleteIsOn()
    {
        QFETCH(bool, confirm);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QStringList, expected);
        QVERIFY(OpenDocument(KnownSettings));
        if (!confirm)
            QVERIFY(Trigger(ui().mnuToolsConfirmDelete));
        QCOMPARE(ui().mnuToolsConfirmDelete->isChecked(), confirm);
        ClickRow(1);
        QVERIFY(ui().cmdOK->isVisibleTo(ui().picTitles)); // the editor is set up for the row
        dialogs.messageAnswers = {answer};

        QVERIFY(Trigger(ui().mnuEditDelete));

        QCOMPARE(dialogs.count(u"message"_s), confirm ? 1 : 0);
        if (confirm) {
            const FakeDialogs::Call question = dialogs.last(u"message"_s);
            QCOMPARE(question.title, u"Delete Item"_s);
            QCOMPARE(question.text, u"Are you sure you want to delete the item SERVERNAME ?"_s);
            QCOMPARE(question.icon, QMessageBox::NoIcon);
            QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(question.defaultButton, QMessageBox::Yes);
        }
        QCOMPARE(RowTexts(rows()), expected);
        QVERIFY(state().DocumentChanged);
        QVERIFY(!ui().cmdOK->isVisibleTo(ui().picTitles));
        QVERIFY(!ui().txtParam->isVisibleTo(ui().picTitles));
    }

    void deleteQuestionNamesTheSetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("question");
        QTest::newRow("setting") << u"B"_s << u"Are you sure you want to delete the item B ?"_s;
        QTest::newRow("comment") << u";"_s << u"Are you sure you want to delete the item ; ?"_s;
        QTest::newRow("blank line")
            << QString() << u"Are you sure you want to delete the item  ?"_s;
    }

    void deleteQuestionNamesTheSetting()
    {
        QFETCH(QString, setting);
        QFETCH(QString, question);
        QVERIFY(OpenDocument(ThreeRows));
        rows().setSetting(1, setting);
        SelectRow(list(), 1);

        QVERIFY(Trigger(ui().FlatBttn[Button::Delete]));

        QCOMPARE(dialogs.last(u"message"_s).text, question);
    }

    void deleteWithoutSelectionDoesNothing()
    {
        QVERIFY(OpenDocument(ThreeRows));
        SelectRow(list(), -1);

        QVERIFY(Trigger(ui().mnuEditDelete));

        QCOMPARE(dialogs.count(u"message"_s), 0);
        QCOMPARE(rows().count(), 3);
        QVERIFY(!state().DocumentChanged);
    }

    void deleteInTextViewRemovesTheSelectionOnly_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("expected");
        QTest::newRow("within a line") << 0 << 2 << u"AA 1\r\nBB 2\r\nCC 3"_s;
        QTest::newRow("across a line break") << 4 << 9 << u"AAAAB 2\r\nCC 3"_s;
        QTest::newRow("a whole word") << 8 << 10 << u"AAAA 1\r\n 2\r\nCC 3"_s;
        QTest::newRow("no selection") << 3 << -1 << u"AAAA 1\r\nBB 2\r\nCC 3"_s;
    }

    void deleteInTextViewRemovesTheSelectionOnly()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, expected);
        QVERIFY(OpenInTextView(u"AAAA 1\r\nBB 2\r\nCC 3"_s));
        PutCaret(start, end);

        QVERIFY(Trigger(ui().mnuEditDelete));

        QCOMPARE(ctx().document->text(), expected);
        QVERIFY(state().DocumentChanged);
        QCOMPARE(dialogs.count(u"message"_s), 0);
    }

    void moveRow_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<bool>("changed");

        const QStringList same{u"A|1"_s, u"B|2"_s, u"C|3"_s};
        QTest::newRow("up from the middle")
            << true << 1 << QStringList{u"B|2"_s, u"A|1"_s, u"C|3"_s} << 0 << true;
        QTest::newRow("up from the end")
            << true << 2 << QStringList{u"A|1"_s, u"C|3"_s, u"B|2"_s} << 1 << true;
        QTest::newRow("up from the top") << true << 0 << same << 0 << false;
        QTest::newRow("down from the top")
            << false << 0 << QStringList{u"B|2"_s, u"A|1"_s, u"C|3"_s} << 1 << true;
        QTest::newRow("down from the middle")
            << false << 1 << QStringList{u"A|1"_s, u"C|3"_s, u"B|2"_s} << 2 << true;
        QTest::newRow("down from the end") << false << 2 << same << 2 << false;
        QTest::newRow("up, nothing selected") << true << -1 << same << -1 << false;
        QTest::newRow("down, nothing selected") << false << -1 << same << -1 << false;
    }

    void moveRow()
    {
        QFETCH(bool, up);
        QFETCH(int, selected);
        QFETCH(QStringList, expected);
        QFETCH(int, selectedAfter);
        QFETCH(bool, changed);
        QVERIFY(OpenDocument(ThreeRows));
        SelectRow(list(), selected);

        QVERIFY(Trigger(up ? ui().mnu_PopUpLV_MoveUp : ui().mnu_PopUpLV_MoveDown));

        QCOMPARE(RowTexts(rows()), expected);
        QCOMPARE(SelectedRow(list()), selectedAfter);
        QCOMPARE(state().DocumentChanged, changed);
    }

    void toggleCommentInList_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<QString>("expected");

        QTest::newRow("comment a setting") << u"NAME"_s << u"5"_s << u";|NAME 5"_s;
        QTest::newRow("uncomment a setting") << u";"_s << u"NAME 5"_s << u"NAME|5"_s;
        QTest::newRow("setting glued to the mark") << u";NAME"_s << u"5"_s << u";|;NAME 5"_s;
        QTest::newRow("comment a blank line") << QString() << QString() << u";| "_s;
        QTest::newRow("uncomment a commented blank line") << u";"_s << u" "_s << u"|"_s;
        QTest::newRow("uncomment an empty comment") << u";"_s << QString() << u"|"_s;
        QTest::newRow("uncomment a leading space") << u";"_s << u" NAME 5"_s << u"|NAME 5"_s;
        QTest::newRow("uncomment a single word") << u";"_s << u"NAME"_s << u"NAME|"_s;
    }

    void toggleCommentInList()
    {
        QFETCH(QString, setting);
        QFETCH(QString, parameter);
        QFETCH(QString, expected);
        QVERIFY(OpenDocument(ThreeRows));
        rows().setRowTexts(1, setting, parameter);
        SelectRow(list(), 1);

        QVERIFY(Trigger(ui().mnu_PopUpLV_Comment));

        QCOMPARE(RowTexts(rows()).at(1), expected);
        QCOMPARE(rows().count(), 3);
        QCOMPARE(SelectedRow(list()), 1);
        QVERIFY(state().DocumentChanged);
    }

    void toggleCommentInText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("expected");

        QTest::newRow("comment, leading spaces kept") << u"  NAME 5"_s << 4 << u";  NAME 5"_s;
        QTest::newRow("uncomment the mark in front") << u";  NAME 5"_s << 0 << u"  NAME 5"_s;
        QTest::newRow("uncomment after spaces") << u"  ; NAME 5"_s << 10 << u"   NAME 5"_s;
        QTest::newRow("middle line") << u"A 1\r\nB 2\r\nC 3"_s << 6 << u"A 1\r\n;B 2\r\nC 3"_s;
        QTest::newRow("caret at a line start")
            << u"A 1\r\nB 2\r\nC 3"_s << 5 << u"A 1\r\n;B 2\r\nC 3"_s;
        QTest::newRow("caret at a line end")
            << u"A 1\r\nB 2\r\nC 3"_s << 3 << u";A 1\r\nB 2\r\nC 3"_s;
        QTest::newRow("last line") << u"A 1\r\nB 2\r\n;C 3"_s << 13 << u"A 1\r\nB 2\r\nC 3"_s;
        QTest::newRow("empty line") << u"A 1\r\n\r\nC 3"_s << 5 << u"A 1\r\n;\r\nC 3"_s;
        QTest::newRow("after a final line break")
            << u"A 1\r\nB 2\r\n"_s << 10 << u"A 1\r\nB 2\r\n;"_s;
        QTest::newRow("empty text") << QString() << 0 << u";"_s;
    }

    void toggleCommentInText()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, expected);
        QVERIFY(OpenInTextView(text));
        PutCaret(caret);

        QVERIFY(Trigger(ui().FlatBttn[Button::Comment]));

        QCOMPARE(ctx().document->text(), expected);
        const int caretAfter =
            ctx().document->textPositionFromCursor(ui().txtTextBox->textCursor().position());
        QCOMPARE(caretAfter, std::min(caret, int(expected.size())));
        QVERIFY(state().DocumentChanged);
    }

    void everyTriggerRunsItsCommand_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QStringList>("expected");

        const QStringList deleted{u"A|1"_s, u"C|3"_s};
        const QStringList movedUp{u"B|2"_s, u"A|1"_s, u"C|3"_s};
        const QStringList movedDown{u"A|1"_s, u"C|3"_s, u"B|2"_s};
        const QStringList commented{u"A|1"_s, u";|B 2"_s, u"C|3"_s};
        QTest::newRow("Edit > Delete") << u"mnuEditDelete"_s << deleted;
        QTest::newRow("toolbar Delete") << u"FlatBttn(7)"_s << deleted;
        QTest::newRow("pop-up Delete") << u"mnu_PopUpLV_Delete"_s << deleted;
        QTest::newRow("double-click") << u"double-click"_s << deleted;
        QTest::newRow("Delete key") << u"Delete"_s << deleted;
        QTest::newRow("pop-up Move Up") << u"mnu_PopUpLV_MoveUp"_s << movedUp;
        QTest::newRow("toolbar Move Up") << u"FlatBttn(13)"_s << movedUp;
        QTest::newRow("Ctrl+Up") << u"Ctrl+Up"_s << movedUp;
        QTest::newRow("pop-up Move Down") << u"mnu_PopUpLV_MoveDown"_s << movedDown;
        QTest::newRow("toolbar Move Down") << u"FlatBttn(14)"_s << movedDown;
        QTest::newRow("Ctrl+Down") << u"Ctrl+Down"_s << movedDown;
        QTest::newRow("pop-up Comment") << u"mnu_PopUpLV_Comment"_s << commented;
        QTest::newRow("toolbar Comment") << u"FlatBttn(15)"_s << commented;
    }

    void everyTriggerRunsItsCommand()
    {
        QFETCH(QString, trigger);
        QFETCH(QStringList, expected);
        QVERIFY(OpenDocument(ThreeRows));
        ClickRow(1);
        QCOMPARE(SelectedRow(list()), 1);

        if (trigger == u"double-click") {
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, RowCentre(1));
        } else if (trigger == u"Delete") {
            QTest::keyClick(list(), Qt::Key_Delete);
        } else if (trigger.startsWith(u"Ctrl+")) {
            QTest::keyClick(list(), trigger.endsWith(u"Up") ? Qt::Key_Up : Qt::Key_Down,
                            Qt::ControlModifier);
        } else {
            auto* action = window->findChild<QAction*>(trigger);
            QVERIFY(action);
            QVERIFY(Trigger(action));
        }

        QCOMPARE(RowTexts(rows()), expected);
        QVERIFY(state().DocumentChanged);
    }

    void rightButtonOpensThePopUpOverTheSelectedRow()
    {
        QVERIFY(OpenDocument(ThreeRows));
        SelectRow(list(), 0);

        QTest::mousePress(list()->viewport(), Qt::RightButton, {}, RowCentre(2));

        QTRY_VERIFY(ui().mnuPopUpLV->isVisible());
        QCOMPARE(SelectedRow(list()), 0);
        ui().mnuPopUpLV->hide();
    }

    void listTakingTheFocusClearsLastFocusInTree()
    {
        QVERIFY(OpenDocument(ThreeRows));
        QVERIFY(ActivateWindow());
        ui().tvTreeView->setFocus();
        state().LastFocusInTree = true;

        list()->setFocus();

        QTRY_VERIFY(!state().LastFocusInTree);
    }

    void removalSelectsTheNextRow_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("first") << ThreeRows << 0 << 0;
        QTest::newRow("middle") << ThreeRows << 1 << 1;
        QTest::newRow("last") << ThreeRows << 2 << 1;
        QTest::newRow("only row") << QByteArray("A 1") << 0 << -1;
    }

    void removalSelectsTheNextRow()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, removed);
        QFETCH(int, selectedAfter);
        QVERIFY(OpenDocument(content));
        QVERIFY(Trigger(ui().mnuToolsConfirmDelete));
        SelectRow(list(), removed);

        QVERIFY(Trigger(ui().mnuEditDelete));

        QCOMPARE(SelectedRow(list()), selectedAfter);
    }

    void deleteKeyKeepsWorkingRowAfterRow()
    {
        QVERIFY(OpenDocument(ThreeRows));
        QVERIFY(ActivateWindow());
        QVERIFY(Trigger(ui().mnuToolsConfirmDelete));
        ClickRow(0);

        QTest::keyClick(list(), Qt::Key_Delete);
        QTRY_VERIFY(list()->hasFocus());
        QTest::keyClick(list(), Qt::Key_Delete);

        QCOMPARE(RowTexts(rows()), QStringList{u"C|3"_s});
        QCOMPARE(SelectedRow(list()), 0);
    }
};

QTEST_MAIN(TestRowOperations)
#include "tst_rowoperations.moc"
