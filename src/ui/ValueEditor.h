#pragma once

#include "ui/MainContext.h"

struct CatalogueRow;
class QEvent;
class QKeyEvent;

// The editor strip above the list: set up for one setting at a time from a list row or a tree
// node, in the form the setting's catalogue value type calls for.
class ValueEditor : public Component {
    Q_OBJECT
public:
    explicit ValueEditor(MainContext& context);

    void ListClicked();
    void TreeClicked();
    void SetUpValueEditor(const QString& name);
    void ResetValueEditor();
    void Cancel();
    // Hides the choice box, the value box, OK and Cancel (no document open).
    void HideControls();

    // The catalogue name of the setting the strip is arranged for; empty before the first
    // arrangement. An edit of an existing row is named with it, whatever the tree shows.
    const QString& SetUpSettingName() const { return m_setUpSettingName; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ListKeyPressed(QKeyEvent* key);
    bool EditorKeyPressed(QKeyEvent* key);
    void BlankStrip(double descriptionLeft, double descriptionWidth);

    bool Arrange(const CatalogueRow& entry, const QString& name, double home);
    void ArrangeNumber(const CatalogueRow& entry, double home);
    void ArrangeString(const CatalogueRow& entry, double home);
    void ArrangeChoice(const CatalogueRow& entry, double home);
    void ArrangeNull(double home);
    void ArrangeMultiple(const CatalogueRow& entry, const QString& name, double home);
    void ShowValueBox(double home);

    double Home() const;
    double ListLeft() const;
    double ListWidth() const;
    QString RowValue() const;

    QString m_setUpSettingName;
};
