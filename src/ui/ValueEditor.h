#pragma once

#include "core/RowEdits.h"

#include <QPersistentModelIndex>
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
    void setFocusAfterReset(QWidget* widget) { m_focusAfterReset = widget; }

    // The tree's and the list's rectangles in the strip's coordinates: the name goes over the
    // tree, the editor over the list.
    void layOut(const QRect& tree, const QRect& list);

    // The width, in pixels, that the widest arrangement takes from the list's left edge, with
    // room for a short description after it.
    int widestArrangementWidth() const;

    std::array<QLabel*, 2> lblTitle{};
    QComboBox* cboParam = nullptr;
    QLineEdit* txtParam = nullptr;
    QToolButton* cmdOK = nullptr;
    QToolButton* cmdCancel = nullptr;
    QToolButton* cmdDefault = nullptr; // shows for a number with a default

signals:
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
    void blankStrip();
    void arrange(const CatalogueRow& entry, const SettingLookup::Arrangement& arrangement);
    void arrangeUnknownRow(const QString& name);
    void settle(SettingLookup::Kind kind, const QString& rowName, const QString& stem);
    void fillValueBox(const QString& value, const QString& caption);
    void fillChoiceBox(const SettingLookup::Arrangement& arrangement, double width);
    void showChoice(const QString& text);
    QList<QWidget*> controlsOf(SettingLookup::Kind kind) const;
    // Shows the controls of the arrangement, hides the rest; Unknown hides them all.
    void showControls(SettingLookup::Kind kind);
    void centreControls();
    void place();

    int twips(double value) const;

    const ConfigDocument& m_document;
    const CatalogueTable& m_catalogue;
    QString m_programDir;
    QWidget* m_focusAfterReset = nullptr;
    QPointer<QWidget> m_focusOrigin; // where Escape in the value box returns the focus
    bool m_takesFocus = true;        // whether the arrangement being made may take the focus
    QRect m_list;
    QPersistentModelIndex m_row; // the list row the strip was last set up from
    // What the strip is arranged for; its kind is Unknown while OK is hidden.
    RowEdits::ValueEdit m_setUp;
    QString m_default; // what Default puts in the value box
};
