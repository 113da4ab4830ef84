#pragma once

#include "core/RowEdits.h"

#include <QPointer>
#include <QWidget>
#include <array>

class CatalogueTable;
class ConfigDocument;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
struct CatalogueRow;

// picTitles, the strip above the list: the chosen setting's name over the tree, and beside it
// the value editor arranged for one setting at a time, from a list row or a tree node, in the
// form the setting's value type calls for. OK hands the edit on; the strip changes nothing.
class ValueEditor : public QWidget {
    Q_OBJECT
public:
    ValueEditor(const ConfigDocument& document, const CatalogueTable& catalogue, QString programDir,
                QWidget* parent);

    // Set up from the list's selected row, or from a setting or category node of the tree. A
    // click hands the keyboard focus to the value box; a selection made any other way (keys,
    // a drag, the program) leaves the focus where it is.
    void listClicked(int row);
    void treeClicked(const QString& name);
    void categoryClicked();
    // -1: no row is selected, and the strip is emptied.
    void listSelected(int row);
    void treeSelected(const QString& name);
    // Enter or F2 in the list or the tree: typing goes to the value box; Escape there returns
    // the focus to where it came from.
    void focusValueBox();
    void SetUpValueEditor(const QString& name);

    // Hides the controls and empties the description; the setting's name stays. The focus
    // goes to `focusAfterReset`.
    void ResetValueEditor();
    // Hides the controls and empties every text.
    void clear();
    // Hides the choice box, the value box, OK and Cancel (no document open).
    void hideControls();
    void setFocusAfterReset(QWidget* widget) { m_focusAfterReset = widget; }

    // The tree's and the list's rectangles in the strip's coordinates: the name goes over the
    // tree, the editor over the list.
    void layOut(const QRect& tree, const QRect& list);

    // The width, in pixels, that the widest arrangement takes from the list's left edge, with
    // room for a short description after it.
    int widestArrangementWidth() const;

    bool EditingExistingRow() const { return m_editingExistingRow; }
    // The catalogue name of the setting the strip is arranged for (a row's own name when the
    // catalogue has none); empty before the first arrangement. An edit of an existing row is
    // named with it, whatever the tree shows.
    const QString& setUpSettingName() const { return m_setUpSettingName; }

    std::array<QLabel*, 2> lblTitle{};
    QComboBox* cboParam = nullptr;
    QLineEdit* txtParam = nullptr;
    QToolButton* cmdOK = nullptr;
    QToolButton* cmdCancel = nullptr;

signals:
    // The edit's name is set when it changes an existing row.
    void okPressed(const RowEdits::ValueEdit& edit);
    void helpPageRequested(const QString& address);
    void helpBlankRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void acceptEdit();
    void cancelEdit();
    void takeFocus(QWidget* box);
    void returnFocus();
    RowEdits::ValueEdit currentEdit() const;
    void clearStrip(bool keepTitle);
    void blankStrip(double descriptionLeft, double descriptionWidth);
    bool arrange(const CatalogueRow& entry, const QString& name, double home);
    void arrangeUnknownRow(const QString& name, double home);
    void showPlainEditor(double home, const QString& value, const QString& caption);
    void showChoice(const QString& text);
    void showValueBox(double home, const QString& value);
    void showOkAndCancel(double okLeft);
    void placeDescription(double left, double width);
    void centreControls();
    void placeControls();

    double home() const;
    double listLeft() const;
    double listWidth() const;
    int twips(double value) const;

    const ConfigDocument& m_document;
    const CatalogueTable& m_catalogue;
    QString m_programDir;
    QWidget* m_focusAfterReset = nullptr;
    QPointer<QWidget> m_focusOrigin; // where Escape in the value box returns the focus
    bool m_takesFocus = true;        // whether the arrangement being made may take the focus
    QRect m_list;
    int m_row = -1; // the list row the strip was set up from
    bool m_editingExistingRow = false;
    QString m_setUpSettingName;
    QString m_stem; // of the "multiple" row set up: its name before the suffix
};
