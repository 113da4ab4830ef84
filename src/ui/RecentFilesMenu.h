#pragma once

#include "core/RecentFiles.h"

#include <QList>
#include <QObject>

class Dialogs;
class QAction;
class QMenu;
class QWidget;

// File > Recent Files: one numbered item per recent file, then "Clear List". The list lives in
// the preference store and is written at every change, so another start sees it.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu* menu, Dialogs& dialogs, QWidget* window, QObject* parent = nullptr);

    const RecentFiles& list() const { return m_list; }

public slots:
    // A file was opened or saved.
    void fileUsed(const QString& path);
    void clearList();

signals:
    // An item was chosen and its file still exists.
    void openRequested(const QString& path);

private:
    void choose(const QString& path);
    void store();
    void rebuild();

    QMenu* m_menu;
    Dialogs& m_dialogs;
    QWidget* m_window;
    RecentFiles m_list;
    QList<QAction*> m_items;
    QAction* m_clear = nullptr;
};
