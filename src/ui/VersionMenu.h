#pragma once

#include <QObject>
#include <array>

class CatalogueTable;
class Dialogs;
class QAction;
class QWidget;

// The File menu's list of server versions and the catalogue reload a choice brings.
class VersionMenu : public QObject {
    Q_OBJECT
public:
    using Items = std::array<QAction*, 10>;

    VersionMenu(const Items& items, CatalogueTable& catalogue, Dialogs& dialogs, QWidget* window,
                QString programDir, QObject* parent = nullptr);

    // Fills the captions from DV_Version; false with *error when the catalogue cannot be read.
    bool BuildVersionMenu(QString* error = nullptr);
    void setCheckedIndex(int index);
    // Position of the checked item, -1 when none is checked.
    int checkedIndex() const;
    // The user chose the item at `index`: check it and reload the catalogue.
    void versionChosen(int index);

signals:
    void catalogueReloaded();

private:
    QString databasePath() const;

    Items m_items;
    CatalogueTable& m_catalogue;
    Dialogs& m_dialogs;
    QWidget* m_window;
    QString m_programDir;
    // The item whose catalogue is loaded; Qt toggles an item's mark before its command runs.
    int m_loaded = -1;
};
