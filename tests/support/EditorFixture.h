#pragma once

// A main window on the small catalogue, or the one given, driven as a person drives it.

#include "core/ConfigDocument.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "ui/FindCommands.h"
#include "ui/ListSelection.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

struct EditorFixture {
    explicit EditorFixture(const QList<FixtureSetting>& catalogue = {})
    {
        if (!catalogue.isEmpty())
            env.writeCatalogue(catalogue, {1.0});
        window = env.startMainWindow(dialogs);
    }
    WindowControls ui() { return Controls(*window); }
    ConfigDocument& document() { return window->document(); }
    RowModel& rows() { return window->document().rows(); }

    // Opens a file of these lines in the list or the text view, chosen first so that the rows
    // are exactly the file's lines.
    bool openDocument(const QStringList& lines, bool listView = true)
    {
        if (!window)
            return false;
        window->resize(1100, 700); // wide enough for every editor beside the list
        if (ui().lvListView->isHidden() == listView)
            (listView ? ui().mnuViewmnuLVList : ui().mnuViewmnuLVText)->trigger();
        const QString text = lines.isEmpty() ? QString() : lines.join("\r\n") + "\r\n";
        dialogs.openAnswers << env.writeFile("server/bin/test.cfg", text.toLatin1());
        ui().mnuFileOpen->trigger();
        return document().DocumentOpen() && !document().DocumentChanged() &&
               (!listView || rows().count() == lines.size());
    }
    bool clickRow(int row)
    {
        QTreeView* list = ui().lvListView;
        const QModelIndex index = list->model()->index(row, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        return SelectedRow(list) == row;
    }
    // Selects the node as the keyboard would; only a click hands it to the editor.
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

    TestEnvironment env;
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};
