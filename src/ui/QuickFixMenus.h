#pragma once

#include "core/ProblemCheck.h"
#include "core/QuickFixes.h"
#include "ui/DocumentWidgets.h"

#include <QList>
#include <QObject>
#include <QPoint>

class ConfigDocument;
class EditingState;
class ProblemsPane;
class QAction;
class QMenu;
class QAbstractItemView;
class QModelIndex;

// The quick fixes of the problems found, offered where a problem shows: the problems pane's
// pop-up menu and Ctrl+. there, and the list's and the text view's pop-up menus on a marked
// line. A fix is one step of the history; the check then runs again at once.
class QuickFixMenus : public QObject {
    Q_OBJECT
public:
    // problems: lvProblems; listPopUp: the list's pop-up menu, which gains the selected row's
    // fixes while it shows.
    QuickFixMenus(ConfigDocument& document, const EditingState& state, ProblemsPane& pane,
                  const DocumentWidgets& views, QAbstractItemView* problems, QMenu* listPopUp,
                  QObject* parent = nullptr);

signals:
    // A list row's "Edit value...": the value editor is set up on it as a click would.
    void editValueRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The fixes of problems, and "Fix all of this kind" where one applies, as menu items.
    QList<QAction*> fixActions(QObject* owner, const QList<ProblemCheck::Problem>& problems);
    void popUpPaneMenu(const QModelIndex& index, QPoint globalPos);
    void popUpTextMenu(QPoint pos);
    void extendListMenu();
    void apply(const QuickFixes::Fix& fix);

    ConfigDocument& m_document;
    const EditingState& m_state;
    ProblemsPane& m_pane;
    DocumentWidgets m_views;
    QAbstractItemView* m_problems;
    QMenu* m_listPopUp;
    QList<QAction*> m_listFixes; // what the list's pop-up gained while it shows
};
