#include "app/PreferenceStore.h"
#include "catalogue/SettingsExplorer.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/HelpPane.h"
#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

using Rows = QList<QPair<QString, QString>>; // (category, setting name)

QList<FixtureSetting> Catalogue(const Rows& rows, double version = 1)
{
    QList<FixtureSetting> settings;
    for (const auto& [category, name] : rows)
        settings.append({category, name, version, '#' + name, "string", "", "", "text"});
    return settings;
}

const Rows ThreeRows{{"A", "s1"}, {"A", "s2"}, {"B", "s3"}};
// Catalogue order differs from alphabetical order.
const Rows UnsortedRows{{"Net", "ZETA"}, {"Net", "ALPHA"}, {"Disk", "MID"}};

// The tree as shown, top level in display order: "A[s1,s2] B[s3]".
QString Describe(const QTreeWidget* tree)
{
    QStringList parts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* node = tree->topLevelItem(i);
        QString part = node->text(0);
        if (node->childCount() > 0) {
            QStringList children;
            for (int c = 0; c < node->childCount(); ++c)
                children.append(node->child(c)->text(0));
            part += '[' + children.join(',') + ']';
        }
        parts.append(part);
    }
    return parts.join(' ');
}

QStringList Keys(const SettingsExplorer& explorer)
{
    QStringList keys;
    for (int n = 1; n <= explorer.NodeCount(); ++n)
        keys.append(explorer.Node(n)->data(0, NodeKeyRole).toString());
    return keys;
}

QAction* Action(MainWindow& window, const QString& name)
{
    return window.findChild<QAction*>(name);
}

} // namespace

class TestSettingsExplorer : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void buildsTheTreeInEitherMode_data();
    void buildsTheTreeInEitherMode();
    void listCommandsSetEveryMark_data();
    void listCommandsSetEveryMark();
    void startingAlphabeticallyLeavesExpandItemsEnabled();
    void listCommandSelectsTheFirstNodeAdded_data();
    void listCommandSelectsTheFirstNodeAdded();
    void buildClearsTheEditorStrip();
    void expandAndCollapse_data();
    void expandAndCollapse();
    void rightButtonOpensThePopUp_data();
    void rightButtonOpensThePopUp();
    void clickHandsTheNodeToTheValueEditor();
    void navigationKeysActLikeAClick_data();
    void navigationKeysActLikeAClick();
    void focusMarksTheTreeLast();
    void versionChoiceRebuildsInTheCurrentMode_data();
    void versionChoiceRebuildsInTheCurrentMode();
    void faultyCatalogueStillBuilds_data();
    void faultyCatalogueStillBuilds();

private:
    bool start(const QList<FixtureSetting>& settings, const QList<double>& versions = {1});
    SettingsExplorer& explorer() { return *m_window->context().explorer; }
    MainWidgets& ui() { return m_window->widgets(); }
    QTreeWidget* tree() { return ui().tvTreeView; }
    bool helpIsBlank() { return ui().helpPane->currentWidget() == ui().fraBrowser; }
    void showAPage();
    void checkModeMarks(bool byCategory);

    std::unique_ptr<TestEnvironment> m_env;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
};

bool TestSettingsExplorer::start(const QList<FixtureSetting>& settings,
                                 const QList<double>& versions)
{
    m_env = std::make_unique<TestEnvironment>();
    if (!m_env->writeCatalogue(settings, versions))
        return false;
    m_window = m_env->startMainWindow(m_dialogs);
    return m_window != nullptr;
}

void TestSettingsExplorer::cleanup()
{
    m_window.reset();
    m_env.reset();
    m_dialogs.clear();
}

void TestSettingsExplorer::showAPage()
{
    m_window->context().help->ShowHelpPage(m_env->helpPage() + "#MAXCONNECTIONS");
    QVERIFY(!helpIsBlank());
}

void TestSettingsExplorer::checkModeMarks(bool byCategory)
{
    QCOMPARE(ui().mnuViewmnuListCat->isChecked(), byCategory);
    QCOMPARE(ui().mnuViewmnuListAlpha->isChecked(), !byCategory);
    QCOMPARE(ui().mnu_PopUpTV_SortCategory->isChecked(), byCategory);
    QCOMPARE(ui().mnu_PopUpTV_SortAlpha->isChecked(), !byCategory);
    QCOMPARE(ui().FlatBttn[Button::ListCat]->isChecked(), byCategory);
    QCOMPARE(ui().FlatBttn[Button::ListAlpha]->isChecked(), !byCategory);
    QCOMPARE(explorer().IsByCategory(), byCategory);
}

void TestSettingsExplorer::buildsTheTreeInEitherMode_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<bool>("byCategory");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("keysInInsertionOrder");
    QTest::addColumn<QStringList>("expanded");

    QTest::newRow("by category") << ThreeRows << true << "A[s1,s2] B[s3]"
                                 << QStringList{"PA", "PB", "Cs1", "Cs2", "Cs3"}
                                 << QStringList{"A"};
    QTest::newRow("alphabetical") << ThreeRows << false << "s1 s2 s3"
                                  << QStringList{"Cs1", "Cs2", "Cs3"} << QStringList{};
    QTest::newRow("by category keeps catalogue order")
        << UnsortedRows << true << "Net[ZETA,ALPHA] Disk[MID]"
        << QStringList{"PNet", "PDisk", "CZETA", "CALPHA", "CMID"} << QStringList{"Net"};
    QTest::newRow("alphabetical sorts, numbers keep catalogue order")
        << UnsortedRows << false << "ALPHA MID ZETA" << QStringList{"CZETA", "CALPHA", "CMID"}
        << QStringList{};
}

void TestSettingsExplorer::buildsTheTreeInEitherMode()
{
    QFETCH(Rows, rows);
    QFETCH(bool, byCategory);
    QFETCH(QString, shown);
    QFETCH(QStringList, keysInInsertionOrder);
    QFETCH(QStringList, expanded);
    QVERIFY(start(Catalogue(rows)));

    explorer().BuildSettingsTree(byCategory);

    QCOMPARE(Describe(tree()), shown);
    QCOMPARE(Keys(explorer()), keysInInsertionOrder);
    QCOMPARE(explorer().NodeCount(), keysInInsertionOrder.size());
    QVERIFY(!explorer().Node(0));
    QVERIFY(!explorer().Node(explorer().NodeCount() + 1));
    QStringList open;
    for (int n = 1; n <= explorer().NodeCount(); ++n) {
        const QTreeWidgetItem* node = explorer().Node(n);
        if (node->childCount() > 0 && node->isExpanded())
            open.append(node->text(0));
    }
    QCOMPARE(open, expanded);
    checkModeMarks(byCategory);
}

void TestSettingsExplorer::listCommandsSetEveryMark_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("byCategory");
    QTest::newRow("View, alphabetically") << "mnuViewmnuListAlpha" << false;
    QTest::newRow("toolbar, alphabetically") << "FlatBttn(9)" << false;
    QTest::newRow("pop-up, alphabetically") << "mnu_PopUpTV_SortAlpha" << false;
    QTest::newRow("View, by category") << "mnuViewmnuListCat" << true;
    QTest::newRow("toolbar, by category") << "FlatBttn(10)" << true;
    QTest::newRow("pop-up, by category") << "mnu_PopUpTV_SortCategory" << true;
}

void TestSettingsExplorer::listCommandsSetEveryMark()
{
    QFETCH(QString, trigger);
    QFETCH(bool, byCategory);
    QVERIFY(start(Catalogue(ThreeRows)));
    explorer().ListCommand(!byCategory);
    showAPage();
    ui().lblTitle[1]->setText("left over");

    QAction* action = Action(*m_window, trigger);
    QVERIFY(action);
    action->trigger();

    checkModeMarks(byCategory);
    QCOMPARE(Describe(tree()), byCategory ? "A[s1,s2] B[s3]" : "s1 s2 s3");
    for (QAction* item : {ui().mnuViewmnuExpandTV, ui().mnuViewmnuCollapseTV,
                          ui().mnu_PopUpTV_ExpandAll, ui().mnu_PopUpTV_CollapseAll})
        QCOMPARE(item->isEnabled(), byCategory);
    QVERIFY(helpIsBlank());
    QCOMPARE(ui().lblTitle[1]->text(), QString());
    QCOMPARE(ui().lblTitle[1]->x(), ui().cboParam->x());
    QCOMPARE(ui().lblTitle[1]->width(),
             std::max(0, ui().lvListView->width() - Twips::toPixels(20, ui().lblTitle[1])));
    QCOMPARE(tree()->selectedItems(), QList<QTreeWidgetItem*>{explorer().Node(1)});
}

void TestSettingsExplorer::startingAlphabeticallyLeavesExpandItemsEnabled()
{
    m_env = std::make_unique<TestEnvironment>();
    QVERIFY(m_env->writeCatalogue(Catalogue(ThreeRows), {1}));
    {
        const auto store = PreferenceStore::Open();
        PreferenceStore::WriteBool(*store, "ListByCategory", false);
    }
    m_window = m_env->startMainWindow(m_dialogs);
    QVERIFY(m_window);

    checkModeMarks(false);
    QCOMPARE(Describe(tree()), "s1 s2 s3");
    for (QAction* item : {ui().mnuViewmnuExpandTV, ui().mnuViewmnuCollapseTV,
                          ui().mnu_PopUpTV_ExpandAll, ui().mnu_PopUpTV_CollapseAll})
        QVERIFY(item->isEnabled());
}

void TestSettingsExplorer::listCommandSelectsTheFirstNodeAdded_data()
{
    QTest::addColumn<bool>("byCategory");
    QTest::addColumn<QString>("selected");
    QTest::newRow("alphabetical: first catalogue row, shown last") << false << "ZETA";
    QTest::newRow("by category: first category") << true << "Net";
}

void TestSettingsExplorer::listCommandSelectsTheFirstNodeAdded()
{
    QFETCH(bool, byCategory);
    QFETCH(QString, selected);
    QVERIFY(start(Catalogue(UnsortedRows)));

    explorer().ListCommand(byCategory);

    const QList<QTreeWidgetItem*> items = tree()->selectedItems();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first()->text(0), selected);
}

void TestSettingsExplorer::buildClearsTheEditorStrip()
{
    QVERIFY(start(Catalogue(ThreeRows)));
    ui().lblTitle[0]->setText("s1");
    ui().txtParam->setText("42");
    ui().txtParam->show();
    ui().cboParam->addItems({"ON", "OFF"});
    ui().cboParam->show();
    ui().cmdOK->show();
    ui().cmdCancel->show();

    ui().mnuDVVersion[0]->trigger(); // rebuilds without the list command

    QCOMPARE(ui().lblTitle[0]->text(), QString());
    QCOMPARE(ui().txtParam->text(), QString());
    QCOMPARE(ui().cboParam->count(), 0);
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui().txtParam, ui().cboParam, ui().cmdOK, ui().cmdCancel})
        QVERIFY2(control->isHidden(), qPrintable(control->objectName()));
}

void TestSettingsExplorer::expandAndCollapse_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("selectedKey");
    QTest::addColumn<bool>("expanded");
    QTest::addColumn<bool>("blanked");

    QTest::newRow("View Expand, category selected") << "mnuViewmnuExpandTV"
                                                    << "PB" << true << true;
    QTest::newRow("pop-up Expand, category selected") << "mnu_PopUpTV_ExpandAll"
                                                      << "PA" << true << true;
    QTest::newRow("View Expand, setting selected") << "mnuViewmnuExpandTV"
                                                   << "Cs3" << true << false;
    QTest::newRow("pop-up Expand, setting selected") << "mnu_PopUpTV_ExpandAll"
                                                     << "Cs1" << true << false;
    QTest::newRow("Expand, nothing selected") << "mnuViewmnuExpandTV"
                                              << "" << true << false;
    QTest::newRow("View Collapse, setting selected") << "mnuViewmnuCollapseTV"
                                                     << "Cs1" << false << true;
    QTest::newRow("pop-up Collapse, nothing selected") << "mnu_PopUpTV_CollapseAll"
                                                       << "" << false << true;
}

void TestSettingsExplorer::expandAndCollapse()
{
    QFETCH(QString, trigger);
    QFETCH(QString, selectedKey);
    QFETCH(bool, expanded);
    QFETCH(bool, blanked);
    QVERIFY(start(Catalogue(ThreeRows)));
    explorer().ListCommand(true);
    tree()->clearSelection();
    for (int n = 1; n <= explorer().NodeCount(); ++n) {
        if (explorer().Node(n)->data(0, NodeKeyRole).toString() == selectedKey)
            tree()->setCurrentItem(explorer().Node(n));
    }
    showAPage();

    Action(*m_window, trigger)->trigger();

    QCOMPARE(explorer().Node(1)->isExpanded(), expanded);
    QCOMPARE(explorer().Node(2)->isExpanded(), expanded);
    QCOMPARE(helpIsBlank(), blanked);
}

void TestSettingsExplorer::rightButtonOpensThePopUp_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("popUp");
    QTest::newRow("right") << Qt::RightButton << true;
    QTest::newRow("left") << Qt::LeftButton << false;
}

void TestSettingsExplorer::rightButtonOpensThePopUp()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, popUp);
    QVERIFY(start(Catalogue(ThreeRows)));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    const QModelIndex node = tree()->indexFromItem(explorer().Node(3)); // s1
    QTest::mousePress(tree()->viewport(), button, {}, tree()->visualRect(node).center());

    if (popUp)
        QTRY_VERIFY(ui().mnuPopUpTV->isVisible());
    else
        QVERIFY(!ui().mnuPopUpTV->isVisible());
    ui().mnuPopUpTV->hide();
    QTest::mouseRelease(tree()->viewport(), button, {}, tree()->visualRect(node).center());
}

void TestSettingsExplorer::clickHandsTheNodeToTheValueEditor()
{
    QVERIFY(start(Catalogue(ThreeRows)));
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    explorer().ListCommand(true);
    m_window->state().EditingExistingRow = true;
    QVERIFY(m_window->state().EditingExistingRow); // a list command's selection is no click

    const QRect rect = tree()->visualItemRect(explorer().Node(4)); // s2
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, rect.center());

    QCOMPARE(tree()->currentItem(), explorer().Node(4));
    QVERIFY(!m_window->state().EditingExistingRow);
    QCOMPARE(ui().lblTitle[0]->text(), "s2");
}

void TestSettingsExplorer::navigationKeysActLikeAClick_data()
{
    QTest::addColumn<int>("fromNode");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("toName");
    QTest::addColumn<bool>("handedOn");

    // Alphabetical: every node is a setting. Nodes 1..3 are ZETA, ALPHA, MID.
    QTest::newRow("Down") << 2 << int(Qt::Key_Down) << "MID" << true;
    QTest::newRow("Up") << 1 << int(Qt::Key_Up) << "MID" << true;
    QTest::newRow("End") << 2 << int(Qt::Key_End) << "ZETA" << true;
    QTest::newRow("Home") << 1 << int(Qt::Key_Home) << "ALPHA" << true;
    QTest::newRow("PageDown") << 2 << int(Qt::Key_PageDown) << "ZETA" << true;
    QTest::newRow("PageUp") << 1 << int(Qt::Key_PageUp) << "ALPHA" << true;
    QTest::newRow("Up at the top moves nothing") << 2 << int(Qt::Key_Up) << "ALPHA" << false;
    QTest::newRow("a letter is no navigation") << 2 << int(Qt::Key_M) << "MID" << false;
}

void TestSettingsExplorer::navigationKeysActLikeAClick()
{
    QFETCH(int, fromNode);
    QFETCH(int, key);
    QFETCH(QString, toName);
    QFETCH(bool, handedOn);
    QVERIFY(start(Catalogue(UnsortedRows)));
    explorer().ListCommand(false);
    tree()->setCurrentItem(explorer().Node(fromNode));
    m_window->state().EditingExistingRow = true;

    QTest::keyClick(tree(), Qt::Key(key));

    QCOMPARE(tree()->currentItem()->text(0), toName);
    QCOMPARE(m_window->state().EditingExistingRow, !handedOn);
}

void TestSettingsExplorer::focusMarksTheTreeLast()
{
    QVERIFY(start(Catalogue(ThreeRows)));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    tree()->clearFocus();
    QVERIFY(!tree()->hasFocus());
    m_window->state().LastFocusInTree = false;

    tree()->setFocus(Qt::MouseFocusReason);

    QTRY_VERIFY(m_window->state().LastFocusInTree);
}

void TestSettingsExplorer::versionChoiceRebuildsInTheCurrentMode_data()
{
    QTest::addColumn<bool>("byCategory");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("by category") << true << "A[s1,s2] B[s3]"
                                 << "A[s1,s2] B[s3] C[s4]";
    QTest::newRow("alphabetical") << false << "s1 s2 s3"
                                  << "s1 s2 s3 s4";
}

void TestSettingsExplorer::versionChoiceRebuildsInTheCurrentMode()
{
    QFETCH(bool, byCategory);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QList<FixtureSetting> settings = Catalogue(ThreeRows);
    settings += Catalogue({{"C", "s4"}}, 2);
    QVERIFY(start(settings, {1, 2}));
    explorer().ListCommand(byCategory);
    QCOMPARE(Describe(tree()), before);

    ui().mnuDVVersion[1]->trigger();

    QCOMPARE(Describe(tree()), after);
    checkModeMarks(byCategory);
}

void TestSettingsExplorer::faultyCatalogueStillBuilds_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("byCategory");
    QTest::addColumn<QString>("alphabetical");

    QTest::newRow("empty category")
        << Rows{{"A", "s1"}, {"", "s2"}, {"A", "s3"}, {"B", "s4"}} << "A[s1,s3] B[s4]"
        << "s1 s3 s4";
    QTest::newRow("empty category first") << Rows{{"", "s0"}, {"A", "s1"}} << "A[s1]"
                                          << "s1";
    QTest::newRow("setting name twice")
        << Rows{{"A", "s1"}, {"B", "s1"}, {"B", "s2"}} << "A[s1] B[s2]"
        << "s1 s2";
    QTest::newRow("category comes back")
        << Rows{{"A", "s1"}, {"B", "s2"}, {"A", "s3"}} << "A[s1,s3] B[s2]"
        << "s1 s2 s3";
    QTest::newRow("only empty categories") << Rows{{"", "s1"}, {"", "s2"}} << ""
                                           << "";
    QTest::newRow("empty catalogue") << Rows{} << ""
                                     << "";
}

void TestSettingsExplorer::faultyCatalogueStillBuilds()
{
    QFETCH(Rows, rows);
    QFETCH(QString, byCategory);
    QFETCH(QString, alphabetical);
    QVERIFY(start(Catalogue(rows)));
    QCOMPARE(m_dialogs.count("message"), 0);
    QCOMPARE(Describe(tree()), byCategory);

    for (const bool mode : {false, true}) {
        ui().cmdOK->show();
        explorer().ListCommand(mode);
        QCOMPARE(Describe(tree()), mode ? byCategory : alphabetical);
        checkModeMarks(mode);
        QVERIFY(ui().cmdOK->isHidden());
        QStringList keys = Keys(explorer());
        keys.removeDuplicates();
        QCOMPARE(keys.size(), explorer().NodeCount());
        QCOMPARE(explorer().NodeCount() == 0, rows.isEmpty() || byCategory.isEmpty());
        explorer().ExpandAllNodes();
        explorer().CollapseAllNodes();
    }
    QCOMPARE(m_dialogs.count("message"), 0);
}

QTEST_MAIN(TestSettingsExplorer)
#include "tst_settingsexplorer.moc"
