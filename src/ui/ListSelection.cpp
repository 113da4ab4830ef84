#include "ui/ListSelection.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

int selectedRow(const QAbstractItemView* view)
{
    const QItemSelectionModel* selection = view ? view->selectionModel() : nullptr;
    if (!selection || !selection->hasSelection())
        return -1;
    return selection->selection().constFirst().top();
}

void selectRow(QAbstractItemView* view, int row)
{
    QItemSelectionModel* selection = view ? view->selectionModel() : nullptr;
    if (!selection)
        return;
    const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
    if (!index.isValid()) {
        selection->clear();
        return;
    }
    // A visible view scrolls to a new current index by itself while auto-scroll is on.
    const bool autoScroll = view->hasAutoScroll();
    view->setAutoScroll(false);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->setAutoScroll(autoScroll);
}
