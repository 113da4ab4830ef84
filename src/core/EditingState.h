#pragma once

#include "core/CatalogueDatabase.h"
#include "core/CatalogueTable.h"

#include <QObject>
#include <QStringList>
#include <memory>

// What the user has chosen to edit with and how the window shows it: the catalogue of every
// server version (read once), the chosen version with the settings it offers, the listing mode
// and the view flags. Each property signals only a real change, so the marks that follow it
// can set it back without a loop.
class EditingState : public QObject {
    Q_OBJECT
public:
    // Positions in the version list.
    static constexpr int VersionCount = 10;

    explicit EditingState(QObject* parent = nullptr);

    // A state with the catalogue at dbPath read; loadError() tells when it could not be.
    static std::unique_ptr<EditingState> read(const QString& dbPath);

    // Reads every version's settings and the version list in one go. On failure the state keeps
    // what it had and the answer is false with *error set.
    bool load(const QString& dbPath, QString* error = nullptr);
    // The same in two steps, the reading free to run on another thread.
    struct Reading {
        VersionedCatalogue everyVersion;
        QList<CatalogueDatabase::VersionEntry> versions;
        bool read = false;
        QString problem;
    };
    static Reading readCatalogue(const QString& dbPath);
    bool take(Reading reading, QString* error = nullptr);
    // Why the last load failed; before any load, that there was none.
    const QString& loadError() const { return m_loadError; }
    bool isLoaded() const { return m_loadError.isEmpty(); }

    const VersionedCatalogue& everyVersion() const { return m_everyVersion; }
    QStringList versionCaptions() const;

    // The chosen position in the version list, 0 to 9.
    int versionIndex() const { return m_versionIndex; }
    // The chosen version's number; 0 when no row of the list has its position.
    float serverVersion() const { return m_serverVersion; }
    // The settings of the chosen version. A version that offers none keeps the settings of the
    // version before, as the explorer must always have something to list.
    const CatalogueTable& catalogue() const { return m_catalogue; }

    bool listByCategory() const { return m_listByCategory; }
    bool confirmDelete() const { return m_confirmDelete; }
    bool helpShown() const { return m_helpShown; }
    bool problemsShown() const { return m_problemsShown; }

public slots:
    // A position outside the list chooses the first.
    void chooseVersion(int index);
    void setListByCategory(bool byCategory);
    void setConfirmDelete(bool confirm);
    void setHelpShown(bool shown);
    void setProblemsShown(bool shown);

signals:
    void catalogueLoaded();
    void versionChanged(int index);
    void listByCategoryChanged(bool byCategory);
    void confirmDeleteChanged(bool confirm);
    void helpShownChanged(bool shown);
    void problemsShownChanged(bool shown);

private:
    void deriveCatalogue(bool keepWhenNone);

    VersionedCatalogue m_everyVersion;
    QList<CatalogueDatabase::VersionEntry> m_versions;
    QString m_loadError;
    int m_versionIndex = 0;
    float m_serverVersion = 0;
    CatalogueTable m_catalogue;
    bool m_listByCategory = true;
    bool m_confirmDelete = true;
    bool m_helpShown = true;
    bool m_problemsShown = true;
};
