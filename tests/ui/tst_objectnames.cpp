#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"

#include <QFile>
#include <QTest>

using namespace Commands;

// Tests and the user guide find controls by their objectName: a name that changes or goes
// breaks them, so the list changes only on purpose. Qt's own helpers ("qt_...") are not ours to
// keep, nor are their "_q_..." ones (a line edit's clear button).
class tst_ObjectNames : public QObject {
    Q_OBJECT

    TestEnvironment env;
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    static QString buttonName(int index) { return QStringLiteral("FlatBttn(%1)").arg(index); }

private slots:
    void initTestCase() { QVERIFY((window = env.startMainWindow(dialogs))); }

    void mainWindowNamesAreKept()
    {
        QStringList names{window->objectName()};
        for (const QObject* child : window->findChildren<QObject*>()) {
            const QString name = child->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
                !name.startsWith(QLatin1String("_q_")))
                names << name;
        }
        names.sort();
        names.removeDuplicates();

        QFile expected(QStringLiteral(DRACFG_SOURCE_DIR "/tests/ui/objectnames.txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList known =
            QString::fromUtf8(expected.readAll()).split(u'\n', Qt::SkipEmptyParts);
        if (names != known)
            qWarning().noquote() << "The window now has these names:\n" + names.join(u'\n');
        QCOMPARE(names, known);
    }

    // Every command of the table is an item of its menu with its shortcuts and mark; exclusive
    // choices keep one mark in their group; a toolbar button follows the one placed before it.
    void commandsLandInTheirMenus_data()
    {
        QTest::addColumn<int>("row");
        for (size_t row = 0; row < table().size(); ++row) {
            if (table()[row].kind == Kind::Item)
                QTest::newRow(table()[row].name) << int(row);
        }
    }
    void commandsLandInTheirMenus()
    {
        QFETCH(int, row);
        const Command& command = table()[size_t(row)];
        QAction* item = Control(*window, QLatin1String(command.name));
        QVERIFY(item &&
                Control<QMenu>(*window, QLatin1String(command.parent))->actions().contains(item));
        QCOMPARE(QKeySequence::listToString(item->shortcuts()),
                 QLatin1String(command.shortcuts ? command.shortcuts : ""));
        QCOMPARE(item->isCheckable(), command.checkable);
        if (QActionGroup* group = item->actionGroup()) {
            QStringList peers, grouped;
            for (const Command& other : table())
                if (other.choices == command.choices)
                    peers << QLatin1String(other.name);
            item->trigger();
            int marks = 0;
            for (const QAction* choice : group->actions())
                marks += choice->isChecked();
            for (QAction* choice : group->actions())
                grouped << choice->objectName();
            QVERIFY(group->isExclusive() && marks == 1);
            QCOMPARE(grouped, peers);
        }
        QCOMPARE(item->actionGroup() != nullptr, command.choices != 0);
        const ToolbarSlot& slot = command.toolbar;
        if (slot.button < 0)
            return;
        QToolBar* bar = Control<QToolBar>(*window, QStringLiteral("CoolBar1"));
        QAction* button = Control(*window, buttonName(slot.button));
        QCOMPARE(button->toolTip(), QLatin1String(slot.tooltip));
        QCOMPARE(button->isCheckable(), command.checkable);
        const qsizetype at = bar->actions().indexOf(button);
        QCOMPARE(at > 0 && bar->actions().at(at - 1)->isSeparator(), slot.gapBefore);
        for (const Command& other : table()) {
            if (other.toolbar.button >= 0 && other.toolbar.position == slot.position - 1)
                QCOMPARE(bar->actions().at(at - (slot.gapBefore ? 2 : 1)),
                         Control(*window, buttonName(other.toolbar.button)));
        }
    }
};

QTEST_MAIN(tst_ObjectNames)
#include "tst_objectnames.moc"
