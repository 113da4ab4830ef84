#pragma once

// A main window in a throw-away installation, driven as a person drives it.

#include "core/ConfigDocument.h"
#include "support/FakeDialogs.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "ui/FindCommands.h"
#include "ui/ListSelection.h"
#include "ui/MainWindow.h"

#include <QtTest>
#include <QtWidgets>

// What a pause of the mouse over the point shows.
inline QString ToolTipAt(QWidget* viewport, const QPoint& point)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(a tool tip that does not go)");
    QHelpEvent help(QEvent::ToolTip, point, viewport->mapToGlobal(point));
    QApplication::sendEvent(viewport, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

struct EditorFixture {
    // Prepares the installation or the store before start-up.
    using Setup = std::function<void(TestEnvironment&)>;
    explicit EditorFixture(const Setup& setup = {})
    {
        if (setup)
            setup(env);
        window = env.startMainWindow(dialogs);
    }
    WindowControls ui() { return WindowControls(*window); }
    ConfigDocument& document() { return window->document(); }
    RowModel& rows() { return window->document().rows(); }
    QString bin(const QString& name) const
    {
        return env.path(QStringLiteral("server/bin/") + name);
    }
    void trigger(const QString& action) { Control(*window, action)->trigger(); }

    // Opens server/bin/<name> holding bytes in the list or the text view, chosen first; the
    // dialogs met so far are forgotten.
    bool open(const QByteArray& bytes, bool listView = false, const QString& name = "test.cfg")
    {
        if (!window)
            return false;
        window->resize(1100, 700); // wide enough for every editor beside the list
        if (ui().lvListView->isHidden() == listView)
            (listView ? ui().mnuViewmnuLVList : ui().mnuViewmnuLVText)->trigger();
        dialogs.openAnswers << env.writeFile(QStringLiteral("server/bin/") + name, bytes);
        ui().mnuFileOpen->trigger();
        dialogs.calls.clear();
        return document().path() == bin(name) && !document().DocumentChanged();
    }
    // The rows are exactly these lines in the list view.
    bool openDocument(const QStringList& lines, bool listView = true)
    {
        const QString text = lines.isEmpty() ? QString() : lines.join("\r\n") + "\r\n";
        return open(text.toLatin1(), listView) && (!listView || rows().count() == lines.size());
    }
    bool clickRow(int row)
    {
        QTreeView* list = ui().lvListView;
        const QModelIndex index = list->model()->index(row, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        return selectedRow(list) == row;
    }
    // Selects the node as the keyboard would, or clicks it (which also focuses the value box).
    bool selectNode(const QString& text, bool click = false)
    {
        QTreeWidget* tree = ui().tvTreeView;
        QTreeWidgetItem* node =
            tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        tree->setCurrentItem(node);
        tree->scrollToItem(node); // expands its parents
        if (node && click)
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                              tree->visualItemRect(node).center());
        return node;
    }
    bool clickNode(const QString& text) { return selectNode(text, true); }
    // Picks a choice by its index (-1: leaves it) and types the value into the emptied box.
    void fill(int choice, const QString& value)
    {
        if (choice >= 0)
            ui().cboParam->setCurrentIndex(choice);
        ui().txtParam->clear();
        QTest::keyClicks(ui().txtParam, value);
    }
    // Waits for the window to be active, so that focus changes arrive.
    bool activate()
    {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    TestEnvironment env;
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};
