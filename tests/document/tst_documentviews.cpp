#include "document/ConfigDocument.h"
#include "document/DocumentViews.h"
#include "document/RowModel.h"
#include "files/FileCommands.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class tst_DocumentViews : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartShowsTheTextView();
    void switchSetsMarksAndCommands_data();
    void switchSetsMarksAndCommands();
    void choosingTheShownViewOnlyPressesItsButton_data();
    void choosingTheShownViewOnlyPressesItsButton();
    void listToTextShowsTheRenderedRows_data();
    void listToTextShowsTheRenderedRows();
    void textToListRebuildsEveryRow();
    void textChangeMarksTheDocumentChanged_data();
    void textChangeMarksTheDocumentChanged();
    void textViewFocusLeavesTheTree();
    void switchWithoutDocumentLeavesBothViews_data();
    void switchWithoutDocumentLeavesBothViews();

private:
    MainWidgets& ui() { return m_window->widgets(); }
    WindowState& state() { return m_window->state(); }
    MainContext& ctx() { return m_window->context(); }
    QAction* action(const QString& name) { return m_window->findChild<QAction*>(name); }
    // Loads a file of these bytes with the given view showing; the document is then unchanged.
    bool load(const QByteArray& bytes, bool textView);

    std::unique_ptr<TestEnvironment> m_env;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
};

void tst_DocumentViews::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_dialogs.clear();
    m_window = m_env->startMainWindow(m_dialogs);
    QVERIFY(m_window);
}

void tst_DocumentViews::cleanup()
{
    m_window.reset();
    m_env.reset();
}

bool tst_DocumentViews::load(const QByteArray& bytes, bool textView)
{
    ctx().views->SetView(textView);
    return ctx().files->LoadDocument(m_env->writeFile(u"server/bin/views.cfg"_s, bytes)) &&
           !state().DocumentChanged;
}

void tst_DocumentViews::firstStartShowsTheTextView()
{
    QVERIFY(ctx().views->IsTextView());
    QVERIFY(ui().txtTextBox->isVisible());
    QVERIFY(!ui().lvListView->isVisible());
    QVERIFY(ui().mnuViewmnuLVText->isChecked());
    QVERIFY(!ui().mnuViewmnuLVList->isChecked());
    QVERIFY(ui().FlatBttn[Button::TextView]->isChecked());
    QVERIFY(!ui().FlatBttn[Button::ListView]->isChecked());
    QVERIFY(!ui().mnuToolsFonts->isEnabled());
}

void tst_DocumentViews::switchSetsMarksAndCommands_data()
{
    QTest::addColumn<bool>("startInText");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("endInText");

    QTest::newRow("View menu Text View") << false << u"mnuViewmnuLVText"_s << true;
    QTest::newRow("toolbar button 11") << false << u"FlatBttn(11)"_s << true;
    QTest::newRow("list pop-up Switch to Text View") << false << u"mnu_PopUpLV_TextView"_s << true;
    QTest::newRow("View menu List View") << true << u"mnuViewmnuLVList"_s << false;
    QTest::newRow("toolbar button 12") << true << u"FlatBttn(12)"_s << false;
}

void tst_DocumentViews::switchSetsMarksAndCommands()
{
    QFETCH(bool, startInText);
    QFETCH(QString, trigger);
    QFETCH(bool, endInText);
    QVERIFY(load("NAME 1\r\n", startInText));

    QAction* command = action(trigger);
    QVERIFY(command && command->isEnabled());
    command->trigger();

    QCOMPARE(ctx().views->IsTextView(), endInText);
    QCOMPARE(ui().txtTextBox->isVisible(), endInText);
    QCOMPARE(ui().lvListView->isVisible(), !endInText);
    QCOMPARE(ui().mnuViewmnuLVText->isChecked(), endInText);
    QCOMPARE(ui().mnuViewmnuLVList->isChecked(), !endInText);
    QCOMPARE(ui().FlatBttn[Button::TextView]->isChecked(), endInText);
    QCOMPARE(ui().FlatBttn[Button::ListView]->isChecked(), !endInText);

    QCOMPARE(ui().mnuToolsFonts->isEnabled(), endInText);
    for (QAction* textOnly :
         {ui().mnuEditCut, ui().mnuEditCopy, ui().mnuEditPaste, ui().mnuEditSelectAll,
          ui().FlatBttn[Button::Cut], ui().FlatBttn[Button::Copy], ui().FlatBttn[Button::Paste]})
        QVERIFY2(textOnly->isEnabled() == endInText, qPrintable(textOnly->objectName()));
    for (QAction* listOnly : {ui().FlatBttn[Button::MoveUp], ui().FlatBttn[Button::MoveDown]})
        QVERIFY2(listOnly->isEnabled() == !endInText, qPrintable(listOnly->objectName()));
    for (QAction* both : {ui().mnuEditDelete, ui().FlatBttn[Button::Delete]})
        QVERIFY2(both->isEnabled(), qPrintable(both->objectName()));
}

void tst_DocumentViews::choosingTheShownViewOnlyPressesItsButton_data()
{
    QTest::addColumn<bool>("textView");
    QTest::addColumn<QString>("trigger");

    QTest::newRow("Text View from the menu") << true << u"mnuViewmnuLVText"_s;
    QTest::newRow("Text View from button 11") << true << u"FlatBttn(11)"_s;
    QTest::newRow("List View from the menu") << false << u"mnuViewmnuLVList"_s;
    QTest::newRow("List View from button 12") << false << u"FlatBttn(12)"_s;
}

void tst_DocumentViews::choosingTheShownViewOnlyPressesItsButton()
{
    QFETCH(bool, textView);
    QFETCH(QString, trigger);
    // Leading spaces would be lost by a conversion in either direction.
    QVERIFY(load("  NAME 1\r\nFLAG", textView));
    const QString text = ctx().document->text();
    QSignalSpy textChanges(ui().txtTextBox, &QPlainTextEdit::textChanged);
    QSignalSpy resets(ctx().rows, &RowModel::modelReset);

    action(trigger)->trigger();

    QCOMPARE(ui().FlatBttn[Button::TextView]->isChecked(), textView);
    QCOMPARE(ui().FlatBttn[Button::ListView]->isChecked(), !textView);
    QCOMPARE(ui().mnuViewmnuLVText->isChecked(), textView);
    QCOMPARE(ui().mnuViewmnuLVList->isChecked(), !textView);
    QCOMPARE(ctx().views->IsTextView(), textView);
    QCOMPARE(ctx().document->text(), text);
    QCOMPARE(textChanges.size(), 0);
    QCOMPARE(resets.size(), 0);
    QVERIFY(!state().DocumentChanged);
}

void tst_DocumentViews::listToTextShowsTheRenderedRows_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changed");

    QTest::newRow("leading spaces dropped, missing value gains a space")
        << QByteArray("  NAME 1\r\nFLAG\r\n\r\n; note") << u"NAME 1\r\nFLAG \r\n \r\n; note"_s
        << true;
    QTest::newRow("already in rendered form")
        << QByteArray("NAME 1\r\n; x") << u"NAME 1\r\n; x"_s << false;
}

void tst_DocumentViews::listToTextShowsTheRenderedRows()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QFETCH(bool, changed);
    QVERIFY(load(file, false));

    ui().mnuViewmnuLVText->trigger();

    QCOMPARE(ctx().document->text(), text);
    QCOMPARE(state().DocumentChanged, changed);
}

void tst_DocumentViews::textToListRebuildsEveryRow()
{
    QVERIFY(load("OLD 1", true));
    ctx().document->setText(u"  A 1\r\n\r\n;C x \nD"_s);
    QTemporaryDir workingFolder;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workingFolder.path()));

    ui().FlatBttn[Button::ListView]->trigger();

    QVERIFY(QDir::setCurrent(previous));
    const QList<Row> expected = {{u"K1"_s, u"A"_s, u"1"_s},
                                 {u"KB2"_s, QString(), QString()},
                                 {u"K3"_s, u";C"_s, u"x "_s},
                                 {u"K4"_s, u"D"_s, QString()}};
    QCOMPARE(ctx().rows->rows(), expected);
    QCOMPARE(QDir(workingFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

void tst_DocumentViews::textChangeMarksTheDocumentChanged_data()
{
    QTest::addColumn<bool>("typed");
    QTest::newRow("typed") << true;
    QTest::newRow("set by a command") << false;
}

void tst_DocumentViews::textChangeMarksTheDocumentChanged()
{
    QFETCH(bool, typed);
    QVERIFY(load("NAME 1", true));

    if (typed)
        QTest::keyClicks(ui().txtTextBox, u"X"_s);
    else
        ctx().document->setText(u"NAME 2"_s);

    QVERIFY(state().DocumentChanged);
}

void tst_DocumentViews::textViewFocusLeavesTheTree()
{
    QVERIFY(load("NAME 1", true));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    ui().tvTreeView->setFocus();
    state().LastFocusInTree = true;

    ui().txtTextBox->setFocus();

    QTRY_VERIFY(!state().LastFocusInTree);
}

void tst_DocumentViews::switchWithoutDocumentLeavesBothViews_data()
{
    QTest::addColumn<bool>("startInText");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("list to text renders the rows")
        << false << u"mnuViewmnuLVText"_s << QStringList{u"LEFT alone"_s};
    QTest::newRow("text to list reads the text")
        << true << u"mnuViewmnuLVList"_s << QStringList{u"kept"_s, QString()};
}

void tst_DocumentViews::switchWithoutDocumentLeavesBothViews()
{
    QFETCH(bool, startInText);
    QFETCH(QString, trigger);
    QFETCH(QStringList, lines);
    ctx().views->SetView(startInText);
    const QList<Row> rows = {{u"K1"_s, u"LEFT"_s, u"alone"_s}};
    ctx().rows->resetRows(rows);
    ctx().document->setText(u"kept\r\n"_s);

    action(trigger)->trigger();

    QCOMPARE(ctx().views->IsTextView(), !startInText);
    QCOMPARE(ctx().document->LineArray, lines);
    QCOMPARE(ctx().rows->rows(), rows);
    QCOMPARE(ctx().document->text(), u"kept\r\n"_s);
    QVERIFY(!ui().mnuToolsFonts->isEnabled());
}

QTEST_MAIN(tst_DocumentViews)
#include "tst_documentviews.moc"
