#pragma once

#include "ui/MainContext.h"

// The File menu's list of server versions and the catalogue reload a choice brings.
class VersionMenu : public Component {
    Q_OBJECT
public:
    explicit VersionMenu(MainContext& context);

    // Fills the captions from DV_Version; false with *error when the catalogue cannot be read.
    bool BuildVersionMenu(QString* error = nullptr);
    void SetCheckedIndex(int index);
    // Position of the checked item, -1 when none is checked.
    int CheckedIndex() const;
    // The user chose the item at `index`: check it, reload the catalogue, rebuild the tree.
    void VersionChosen(int index);

    QString DatabasePath() const;
};
