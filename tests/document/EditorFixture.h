#pragma once

// A running main window with a document for the value editor and apply-edit tests, driven
// the way a person drives it: menu commands, clicks on list rows and tree nodes.

#include "document/RowModel.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainContext.h"
#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <cmath>
#include <memory>

class EditorFixture {
public:
    EditorFixture() { start(); }
    explicit EditorFixture(const QList<FixtureSetting>& catalogue)
    {
        env.writeCatalogue(catalogue, {1.0});
        start();
    }

    bool started() const { return window != nullptr; }
    MainContext& ctx() { return window->context(); }
    MainWidgets& ui() { return window->widgets(); }
    WindowState& state() { return window->state(); }
    RowModel& rows() { return *ctx().rows; }

    // Opens a file of these lines (no lines: an empty file) in the list view, or in the text
    // view. The view is chosen first so that the rows are exactly the file's lines.
    bool openDocument(const QStringList& lines, bool inListView = true)
    {
        if (inListView)
            showListView();
        else
            showTextView();
        const QByteArray bytes =
            lines.isEmpty()
                ? QByteArray()
                : (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
        dialogs.openAnswers << env.writeFile(QStringLiteral("server/bin/test.cfg"), bytes);
        ui().mnuFileOpen->trigger();
        dialogs.clear();
        return state().DocumentOpen && !state().DocumentChanged &&
               (!inListView || rows().count() == lines.size());
    }

    void showListView()
    {
        if (ui().lvListView->isHidden())
            ui().mnuViewmnuLVList->trigger();
    }

    void showTextView()
    {
        if (ui().txtTextBox->isHidden())
            ui().mnuViewmnuLVText->trigger();
    }

    void clickRow(int row)
    {
        QTreeView* list = ui().lvListView;
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }

    QTreeWidgetItem* node(const QString& text)
    {
        const QList<QTreeWidgetItem*> found =
            ui().tvTreeView->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.constFirst();
    }

    // Selects the node as the keyboard would, without the click that hands it to the editor.
    bool selectNode(const QString& text)
    {
        QTreeWidgetItem* item = node(text);
        if (!item)
            return false;
        for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
            parent->setExpanded(true);
        ui().tvTreeView->setCurrentItem(item);
        ui().tvTreeView->scrollToItem(item);
        return true;
    }

    bool clickNode(const QString& text)
    {
        if (!selectNode(text))
            return false;
        QTreeWidget* tree = ui().tvTreeView;
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(node(text)).center());
        return true;
    }

    QStringList settings() { return column(&Row::Setting); }
    QStringList parameters() { return column(&Row::Parameter); }
    QStringList keys() { return column(&Row::Key); }

    // Widths and lefts in twips, as the editor computes them.
    static double width(const QWidget* widget)
    {
        return Twips::fromPixels(widget->width(), widget);
    }
    static double left(const QWidget* widget) { return Twips::fromPixels(widget->x(), widget); }
    static double right(const QWidget* widget) { return left(widget) + width(widget); }
    // Positions are whole pixels: one pixel's worth of twips either way is the same place.
    static bool near(double actualTwips, double expectedTwips, const QWidget* widget)
    {
        return std::abs(actualTwips - expectedTwips) <= Twips::fromPixels(1, widget);
    }

    // The object names of the editor controls that show, left to right.
    QString shownControls()
    {
        QStringList names;
        for (QWidget* control : std::initializer_list<QWidget*>{ui().cboParam, ui().txtParam,
                                                                ui().cmdOK, ui().cmdCancel}) {
            if (!control->isHidden())
                names << control->objectName();
        }
        return names.join(u' ');
    }

    bool helpIsBlank() { return ui().helpPane->currentWidget() == ui().fraBrowser; }
    // The anchor of the page the help pane shows; empty while it is blank.
    QString helpAnchor()
    {
        return helpIsBlank() ? QString() : ui().brwHelpBrowser->source().fragment();
    }

    TestEnvironment env;
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window;

private:
    // Wide enough for every editor and its description beside the list.
    void start()
    {
        window = env.startMainWindow(dialogs);
        if (window)
            window->resize(1100, 700);
    }

    QStringList column(QString Row::*field)
    {
        QStringList texts;
        for (const Row& each : rows().rows())
            texts << each.*field;
        return texts;
    }
};

// Catalogue entries for fixtures: category "Test", version 1.
inline FixtureSetting Entry(const QString& name, const QString& type, const QString& choices = {},
                            const QString& note = {}, const QString& description = {})
{
    return {QStringLiteral("Test"),
            name,
            1,
            u'#' + QString(name).remove(u' '),
            type,
            choices,
            note,
            description};
}
