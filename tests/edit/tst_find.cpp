#include "document/ConfigDocument.h"
#include "document/ListSelection.h"
#include "edit/FindCommands.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using Selection = QPair<int, int>; // cursor anchor and position in the text view

class tst_Find : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dialogControls();
    void placedHalfWayDownTheMainWindow();
    void openingAgainOnlyBringsItForward();
    void targetFollowsDocumentAndLastFocus_data();
    void targetFollowsDocumentAndLastFocus();
    void listSearchWalksMatchesThenReportsNotFound();
    void editedTextStartsFromTheTop();
    void continuedListSearchWithoutSelectionStartsAtFirstRow();
    void treeSearchVisitsNodesInInsertionOrder();
    void textSearchSelectsEachMatch_data();
    void textSearchSelectsEachMatch();
    void textSearchAfterTextShrankStartsOver();
    void enterPressesFindOnlyWhenEnabled();
    void closingResetsTheSearch_data();
    void closingResetsTheSearch();

private:
    MainWidgets& ui() { return m_window->widgets(); }
    WindowState& state() { return m_window->state(); }
    FindCommands& find() { return *m_window->context().find; }

    bool openDocument(const QByteArray& bytes, bool textView);
    QDialog* openFind();
    template <typename T> T* control(const char* name)
    {
        return m_dialog ? m_dialog->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    void typeKey(const QString& key);
    void pressFind();
    Selection textSelection() const;
    int selectedRow() { return SelectedRow(ui().lvListView); }

    std::unique_ptr<TestEnvironment> m_env;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    QPointer<QDialog> m_dialog;
};

namespace {

const QByteArray ListDocument = "MAXCONNECTIONS 64\r\n"
                                "; cache notes\r\n"
                                "\r\n"
                                "CACHESIZE _DATA\r\n"
                                "LOGLEVEL INFO\r\n"
                                "CACHESIZE _INDEX\r\n";

} // namespace

void tst_Find::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_dialogs.clear();
    m_window = m_env->startMainWindow(m_dialogs);
    QVERIFY(m_window);
}

void tst_Find::cleanup()
{
    m_window.reset();
    m_env.reset();
}

bool tst_Find::openDocument(const QByteArray& bytes, bool textView)
{
    QAction* view = textView ? ui().mnuViewmnuLVText : ui().mnuViewmnuLVList;
    if (!view->isChecked())
        view->trigger();
    m_dialogs.openAnswers << m_env->writeFile(u"server/bin/find.cfg"_s, bytes);
    ui().mnuFileOpen->trigger();
    m_dialogs.clear();
    return state().DocumentOpen;
}

QDialog* tst_Find::openFind()
{
    ui().mnuFind->trigger();
    m_dialog = m_window->findChild<QDialog*>(u"frmFind"_s);
    return m_dialog;
}

void tst_Find::typeKey(const QString& key)
{
    auto* box = control<QLineEdit>("txtFind");
    QVERIFY(box);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, key);
}

void tst_Find::pressFind()
{
    auto* button = control<QPushButton>("FBFind");
    QVERIFY(button && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

Selection tst_Find::textSelection() const
{
    const QTextCursor cursor = m_window->widgets().txtTextBox->textCursor();
    return {cursor.anchor(), cursor.position()};
}

void tst_Find::dialogControls()
{
    QVERIFY(openFind());
    QCOMPARE(m_dialog->windowTitle(), u"Find"_s);
    QCOMPARE(m_dialog->parentWidget(), ui().frmMain);
    QVERIFY(m_dialog->isWindow());
    QVERIFY(m_dialog->isVisible());
    QVERIFY(!m_dialog->isModal());
    QVERIFY(m_dialog->testAttribute(Qt::WA_DeleteOnClose));

    auto* label = control<QLabel>("Label1");
    QVERIFY(label);
    QCOMPARE(label->text(), u"Fi&nd What:"_s);
    QCOMPARE(label->buddy(), control<QLineEdit>("txtFind"));
    QVERIFY(control<QLineEdit>("txtFind")->text().isEmpty());
    QCOMPARE(control<QGroupBox>("frmView")->title(), u"Look at"_s);

    auto* tree = control<QRadioButton>("optTV");
    auto* editor = control<QRadioButton>("optEditor");
    QCOMPARE(tree->text(), u"Settings Explorer"_s);
    QCOMPARE(editor->text(), u"Editor"_s);
    QCOMPARE(tree->parentWidget(), control<QGroupBox>("frmView"));
    QVERIFY(tree->geometry().bottom() < editor->geometry().top());

    QCOMPARE(control<QPushButton>("FBFind")->text(), u"Find"_s);
    QVERIFY(!control<QPushButton>("FBFind")->isEnabled());
    QCOMPARE(control<QPushButton>("FBCancel")->text(), u"Cancel"_s);
    QVERIFY(find().FindFromStart);
    QCOMPARE(find().FindTextOffset, 0);
}

void tst_Find::placedHalfWayDownTheMainWindow()
{
    m_window->setGeometry(60, 40, 640, 420);
    QVERIFY(openFind());
    const QRect main = m_window->frameGeometry();
    QCOMPARE(m_dialog->frameGeometry().top(), main.top() + main.height() / 2);
}

void tst_Find::openingAgainOnlyBringsItForward()
{
    QVERIFY(openDocument(ListDocument, false));
    QVERIFY(openFind());
    control<QRadioButton>("optTV")->setChecked(true);
    typeKey(u"cache"_s);
    pressFind();

    for (QAction* trigger : {ui().mnuFind, ui().FlatBttn[Button::Find]}) {
        trigger->trigger();
        QCOMPARE(m_window->findChildren<QDialog*>(u"frmFind"_s).size(), 1);
        QCOMPARE(m_window->findChild<QDialog*>(u"frmFind"_s), m_dialog.data());
        QCOMPARE(control<QLineEdit>("txtFind")->text(), u"cache"_s);
        QVERIFY(control<QRadioButton>("optTV")->isChecked());
        QCOMPARE(control<QPushButton>("FBFind")->text(), u"Find Next"_s);
    }
}

void tst_Find::targetFollowsDocumentAndLastFocus_data()
{
    QTest::addColumn<bool>("documentOpen");
    QTest::addColumn<bool>("lastFocusInTree");
    QTest::addColumn<bool>("treeChosen");
    QTest::addColumn<bool>("editorEnabled");

    QTest::newRow("document, focus last in a view") << true << false << false << true;
    QTest::newRow("document, focus last in the tree") << true << true << true << true;
    QTest::newRow("no document") << false << false << true << false;
    QTest::newRow("no document, focus last in the tree") << false << true << true << false;
}

void tst_Find::targetFollowsDocumentAndLastFocus()
{
    QFETCH(bool, documentOpen);
    QFETCH(bool, lastFocusInTree);
    QFETCH(bool, treeChosen);
    QFETCH(bool, editorEnabled);
    if (documentOpen)
        QVERIFY(openDocument(ListDocument, false));
    state().LastFocusInTree = lastFocusInTree;

    QVERIFY(openFind());
    QCOMPARE(control<QRadioButton>("optTV")->isChecked(), treeChosen);
    QCOMPARE(control<QRadioButton>("optEditor")->isChecked(), !treeChosen);
    QCOMPARE(control<QRadioButton>("optEditor")->isEnabled(), editorEnabled);
    QCOMPARE(control<QPushButton>("FBFind")->text(), u"Find"_s);
}

void tst_Find::listSearchWalksMatchesThenReportsNotFound()
{
    QVERIFY(openDocument(ListDocument, false));
    QVERIFY(openFind());
    typeKey(u"cache"_s);

    for (int expected : {1, 3, 5}) {
        pressFind();
        QCOMPARE(selectedRow(), expected);
        QCOMPARE(ui().frmMain->focusWidget(), ui().lvListView);
        QVERIFY(!find().FindFromStart);
        QCOMPARE(control<QPushButton>("FBFind")->text(), u"Find Next"_s);
    }
    QCOMPARE(m_dialogs.count(u"message"_s), 0);

    for (int miss = 1; miss <= 2; ++miss) {
        pressFind();
        QCOMPARE(m_dialogs.count(u"message"_s), miss);
        const FakeDialogs::Call message = m_dialogs.last(u"message"_s);
        QCOMPARE(message.text, u"String not found."_s);
        QCOMPARE(message.title, u"DraCFG Editor"_s);
        QCOMPARE(message.icon, QMessageBox::NoIcon);
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(selectedRow(), 5);
    }
    QCOMPARE(find().FindText, u"cache"_s);
}

void tst_Find::editedTextStartsFromTheTop()
{
    QVERIFY(openDocument(ListDocument, false));
    QVERIFY(openFind());
    typeKey(u"cachesize"_s);
    pressFind();
    pressFind();
    QCOMPARE(selectedRow(), 5);

    QTest::keyClick(control<QLineEdit>("txtFind"), Qt::Key_Backspace);
    QCOMPARE(control<QPushButton>("FBFind")->text(), u"Find"_s);
    QVERIFY(!find().FindFromStart);
    pressFind();
    QCOMPARE(selectedRow(), 3);
}

void tst_Find::continuedListSearchWithoutSelectionStartsAtFirstRow()
{
    QVERIFY(openDocument(ListDocument, false));
    QVERIFY(openFind());
    typeKey(u"cachesize"_s);
    pressFind();
    pressFind();
    QCOMPARE(selectedRow(), 5);

    SelectRow(ui().lvListView, -1);
    pressFind();
    QCOMPARE(selectedRow(), 3);
    QCOMPARE(m_dialogs.count(u"message"_s), 0);
}

// The Settings Explorer adds the category nodes first, then the settings under them.
void tst_Find::treeSearchVisitsNodesInInsertionOrder()
{
    QVERIFY(openFind());
    QVERIFY(control<QRadioButton>("optTV")->isChecked());
    typeKey(u"log"_s);

    QStringList visited;
    for (int press = 0; press < 3; ++press) {
        pressFind();
        const QTreeWidgetItem* node = ui().tvTreeView->currentItem();
        QVERIFY(node && node->isSelected());
        visited << node->data(0, NodeKeyRole).toString();
    }
    QCOMPARE(visited, (QStringList{u"PLogging"_s, u"CLOGLEVEL"_s, u"CLOGFILE"_s}));
    QCOMPARE(ui().frmMain->focusWidget(), ui().tvTreeView);
    QCOMPARE(m_dialogs.count(u"message"_s), 0);

    pressFind();
    QCOMPARE(m_dialogs.last(u"message"_s).text, u"String not found."_s);
    QCOMPARE(ui().tvTreeView->currentItem()->data(0, NodeKeyRole).toString(), u"CLOGFILE"_s);
}

void tst_Find::textSearchSelectsEachMatch_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QList<Selection>>("matches");

    QTest::newRow("overlapping matches")
        << QByteArray("AAAA") << u"aa"_s << QList<Selection>{{0, 2}, {1, 3}, {2, 4}};
    QTest::newRow("matches on later lines") << QByteArray("X 1\r\nCACHE a\r\ncache b\r\n")
                                            << u"Cache"_s << QList<Selection>{{4, 9}, {12, 17}};
    QTest::newRow("match across a line break")
        << QByteArray("X 1\r\nY 2\r\n") << u"1\r\nY"_s << QList<Selection>{{2, 5}};
}

void tst_Find::textSearchSelectsEachMatch()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, key);
    QFETCH(QList<Selection>, matches);
    QVERIFY(openDocument(document, true));
    QVERIFY(openFind());
    QVERIFY(control<QRadioButton>("optEditor")->isChecked());
    control<QLineEdit>("txtFind")->setText(key);

    for (const Selection& match : matches) {
        pressFind();
        QCOMPARE(textSelection(), match);
        QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
        QVERIFY(ui().txtTextBox->hasFocus());
    }
    QCOMPARE(m_dialogs.count(u"message"_s), 0);
    pressFind();
    QCOMPARE(m_dialogs.last(u"message"_s).text, u"String not found."_s);
    QCOMPARE(textSelection(), matches.last());
    QVERIFY(!find().FindFromStart);
}

void tst_Find::textSearchAfterTextShrankStartsOver()
{
    QVERIFY(openDocument("abc abc abc xyz", true));
    QVERIFY(openFind());
    typeKey(u"xyz"_s);
    pressFind();
    QCOMPARE(textSelection(), Selection(12, 15));

    m_window->context().document->setText(u"xyz"_s);
    pressFind();
    QCOMPARE(textSelection(), Selection(0, 3));
    QCOMPARE(m_dialogs.count(u"message"_s), 0);
}

void tst_Find::enterPressesFindOnlyWhenEnabled()
{
    QVERIFY(openDocument(ListDocument, false));
    QVERIFY(openFind());
    auto* box = control<QLineEdit>("txtFind");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_dialogs.count(u"message"_s), 0);
    QCOMPARE(find().FindText, QString());

    QTest::keyClicks(box, u"loglevel"_s);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(selectedRow(), 4);
    QVERIFY(m_dialog && m_dialog->isVisible());
}

void tst_Find::closingResetsTheSearch_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << u"cancel"_s;
    QTest::newRow("Escape key") << u"escape"_s;
    QTest::newRow("window closed") << u"close"_s;
}

void tst_Find::closingResetsTheSearch()
{
    QFETCH(QString, how);
    QVERIFY(openDocument("AAAA", true));
    QVERIFY(openFind());
    typeKey(u"aa"_s);
    pressFind();
    pressFind();
    QCOMPARE(find().FindTextOffset, 2);

    if (how == u"cancel")
        QTest::mouseClick(control<QPushButton>("FBCancel"), Qt::LeftButton);
    else if (how == u"escape")
        QTest::keyClick(control<QLineEdit>("txtFind"), Qt::Key_Escape);
    else
        m_dialog->close();
    QVERIFY(!find().FindFromStart);
    QCOMPARE(find().FindTextOffset, 0);
    QCOMPARE(find().FindText, u"aa"_s);
    QTRY_VERIFY(!m_dialog);

    QVERIFY(openFind());
    QVERIFY(control<QLineEdit>("txtFind")->text().isEmpty());
    QCOMPARE(control<QPushButton>("FBFind")->text(), u"Find"_s);
    QVERIFY(find().FindFromStart);
    typeKey(u"aa"_s);
    pressFind();
    QCOMPARE(textSelection(), Selection(0, 2));
}

QTEST_MAIN(tst_Find)
#include "tst_find.moc"
