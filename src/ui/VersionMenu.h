#pragma once

#include <QObject>
#include <array>

class EditingState;
class QAction;

// The File menu's list of server versions: its captions and marks follow the editing state,
// and a choice sets it.
class VersionMenu : public QObject {
    Q_OBJECT
public:
    using Items = std::array<QAction*, 10>;

    VersionMenu(const Items& items, EditingState& state, QObject* parent = nullptr);

    // Fills the captions from the version list of the loaded catalogue.
    void BuildVersionMenu();
    // The user chose the item at `index`: the settings of that version are offered from now on.
    void versionChosen(int index);

signals:
    void catalogueReloaded();

private:
    void showChosen(int index);

    Items m_items;
    EditingState& m_state;
};
