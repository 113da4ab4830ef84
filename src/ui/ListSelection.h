#pragma once

class QAbstractItemView;

// Selection helpers for the list view (single selection of whole rows). Rows are 0-based.

// The selected row, or -1 when no row is selected (a current index alone does not count).
int selectedRow(const QAbstractItemView* view);

// Makes row current and the only selected row, without scrolling the view; -1 (or a row
// the model does not have) clears the selection and the current index.
void selectRow(QAbstractItemView* view, int row);
