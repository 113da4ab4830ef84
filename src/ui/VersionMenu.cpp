#include "ui/VersionMenu.h"

#include "core/CatalogueDatabase.h"
#include "core/CatalogueTable.h"
#include "core/Version.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QSet>

namespace {

// Each caption is marked at the first of its digits, else of its letters, that no earlier
// caption took, so that the keyboard reaches every version: "v8" shows as v8 with 8 underlined.
QStringList withMnemonics(const QStringList& captions)
{
    QSet<QChar> taken;
    QStringList marked;
    for (const QString& caption : captions) {
        qsizetype at = -1;
        for (const bool digits : {true, false}) {
            for (qsizetype i = 0; i < caption.size() && at < 0; ++i) {
                const QChar c = caption.at(i).toLower();
                if ((digits ? c.isDigit() : c.isLetter()) && !taken.contains(c))
                    at = i;
            }
        }
        QString text;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            if (i == at)
                text += u'&';
            text += caption.at(i);
            if (caption.at(i) == u'&')
                text += u'&'; // shown as it is, not taken for a mark
        }
        if (at >= 0)
            taken.insert(caption.at(at).toLower());
        marked.append(text);
    }
    return marked;
}

} // namespace

VersionMenu::VersionMenu(const Items& items, CatalogueTable& catalogue, Dialogs& dialogs,
                         QWidget* window, QString programDir, QObject* parent)
    : QObject(parent), m_items(items), m_catalogue(catalogue), m_dialogs(dialogs), m_window(window),
      m_programDir(std::move(programDir))
{}

QString VersionMenu::databasePath() const
{
    return CatalogueDatabase::GetCatalogueDatabasePath(m_programDir);
}

bool VersionMenu::BuildVersionMenu(QString* error)
{
    QStringList captions;
    if (!CatalogueDatabase::readVersionCaptions(databasePath(), captions, error))
        return false;
    const int count = std::min<int>(static_cast<int>(captions.size()), m_items.size());
    captions = withMnemonics(captions);
    for (int p = 0; p < count; ++p) {
        QAction* item = m_items[static_cast<size_t>(p)];
        item->setVisible(true);
        item->setText(captions[p]);
    }
    return true;
}

void VersionMenu::setCheckedIndex(int index)
{
    m_loaded = index;
    for (int p = 0; p < static_cast<int>(m_items.size()); ++p)
        m_items[static_cast<size_t>(p)]->setChecked(p == index);
}

int VersionMenu::checkedIndex() const
{
    for (int p = 0; p < static_cast<int>(m_items.size()); ++p) {
        if (m_items[static_cast<size_t>(p)]->isChecked())
            return p;
    }
    return -1;
}

void VersionMenu::versionChosen(int index)
{
    const int previous = m_loaded;
    setCheckedIndex(index);

    QString error;
    const QString path = databasePath();
    const float version = CatalogueDatabase::GetVersionNumber(path, index, &error);
    if (error.isEmpty())
        CatalogueDatabase::LoadCatalogue(path, version, m_catalogue, &error);
    if (!error.isEmpty()) {
        // The catalogue stays as it was, and so does the version it belongs to.
        setCheckedIndex(previous);
        m_dialogs.message(m_window, ProductName, error, QMessageBox::Warning);
        return;
    }
    emit catalogueReloaded();
}
