#include "ui/RecentFilesMenu.h"

#include "core/PreferenceStore.h"
#include "core/Version.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu* menu, Dialogs& dialogs, QWidget* window, QObject* parent)
    : QObject(parent), m_menu(menu), m_dialogs(dialogs), m_window(window)
{
    const auto preferences = PreferenceStore::open();
    m_list = RecentFiles::fromStored(
        PreferenceStore::read<QString>(*preferences, PreferenceStore::Keys::RecentFiles));

    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuFileRecentBar0"));
    m_clear = m_menu->addAction(QStringLiteral("&Clear List"));
    m_clear->setObjectName(QStringLiteral("mnuFileRecentClear"));
    connect(m_clear, &QAction::triggered, this, &RecentFilesMenu::clearList);
    rebuild();
}

void RecentFilesMenu::fileUsed(const QString& path)
{
    const QStringList before = m_list.paths();
    m_list.add(path);
    // Saving the same file again changes nothing here: the store is not rewritten for it.
    if (m_list.paths() != before)
        store();
}

void RecentFilesMenu::clearList()
{
    m_list.clear();
    store();
}

void RecentFilesMenu::choose(const QString& path)
{
    if (QFileInfo(path).isFile()) {
        emit openRequested(path);
        return;
    }
    m_list.remove(path);
    store();
    m_dialogs.message(m_window, ProductName,
                      path + QStringLiteral(" no longer exists. It was removed from the list."),
                      QMessageBox::Warning, QMessageBox::Ok);
}

void RecentFilesMenu::store()
{
    const auto preferences = PreferenceStore::open();
    PreferenceStore::write(*preferences, PreferenceStore::Keys::RecentFiles, m_list.toStored());
    preferences->sync();
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    // An item may be the one whose trigger is running: it goes once that is over.
    for (QAction* item : std::as_const(m_items)) {
        m_menu->removeAction(item);
        item->setObjectName(QString());
        item->deleteLater();
    }
    m_items.clear();
    QAction* separator = m_menu->actions().value(0);
    int number = 0;
    for (const QString& path : m_list.paths()) {
        ++number;
        auto* item = new QAction(RecentFiles::menuCaption(number, path), m_menu);
        item->setObjectName(QStringLiteral("mnuFileRecentFile(%1)").arg(number - 1));
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { choose(path); });
        m_menu->insertAction(separator, item);
        m_items.append(item);
    }
    m_clear->setEnabled(!m_list.isEmpty());
}
