#pragma once

#include "ui/MainContext.h"

// Writes what the value editor holds into the document when OK is pressed: into the list's
// rows while the list shows, as a line at the caret while the text shows.
class ApplyEdit : public Component {
    Q_OBJECT
public:
    explicit ApplyEdit(MainContext& context);

    void ApplyValueEdit();
    void OK();

private:
    struct Edit {
        QString name;
        QString choice;
        QString value;
        bool multiple = false; // name + choice is the setting, value its value
    };

    void ApplyToList(const Edit& edit);
    void ApplyToText(const Edit& edit);
    int InsertBeforeSelection(const Edit& edit);
    QString NewRowKey(const Edit& edit) const;
};
