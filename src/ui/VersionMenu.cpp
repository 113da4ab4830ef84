#include "ui/VersionMenu.h"

#include "core/CatalogueDatabase.h"
#include "core/CatalogueTable.h"
#include "ui/SettingsExplorer.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QMainWindow>

VersionMenu::VersionMenu(MainContext& context) : Component(context)
{
    for (int i = 0; i < static_cast<int>(ui().mnuDVVersion.size()); ++i) {
        connect(ui().mnuDVVersion[static_cast<size_t>(i)], &QAction::triggered, this,
                [this, i] { VersionChosen(i); });
    }
}

QString VersionMenu::DatabasePath() const
{
    return CatalogueDatabase::GetCatalogueDatabasePath(ctx.programDir);
}

bool VersionMenu::BuildVersionMenu(QString* error)
{
    QStringList captions;
    if (!CatalogueDatabase::ReadVersionCaptions(DatabasePath(), captions, error))
        return false;
    const int count = std::min<int>(static_cast<int>(captions.size()), ui().mnuDVVersion.size());
    for (int p = 0; p < count; ++p) {
        QAction* item = ui().mnuDVVersion[static_cast<size_t>(p)];
        item->setVisible(true);
        item->setText(captions[p]);
    }
    return true;
}

void VersionMenu::SetCheckedIndex(int index)
{
    for (int p = 0; p < static_cast<int>(ui().mnuDVVersion.size()); ++p)
        ui().mnuDVVersion[static_cast<size_t>(p)]->setChecked(p == index);
}

int VersionMenu::CheckedIndex() const
{
    for (int p = 0; p < static_cast<int>(ctx.ui.mnuDVVersion.size()); ++p) {
        if (ctx.ui.mnuDVVersion[static_cast<size_t>(p)]->isChecked())
            return p;
    }
    return -1;
}

void VersionMenu::VersionChosen(int index)
{
    const int previous = CheckedIndex();
    SetCheckedIndex(index);

    QString error;
    const QString path = DatabasePath();
    const float version = CatalogueDatabase::GetVersionNumber(path, index, &error);
    if (error.isEmpty())
        CatalogueDatabase::LoadCatalogue(path, version, ctx.catalogue, &error);
    if (!error.isEmpty()) {
        // The catalogue stays as it was, and so does the version it belongs to.
        SetCheckedIndex(previous);
        ctx.dialogs.message(ui().frmMain, QStringLiteral("DraCFG Editor"), error,
                            QMessageBox::Warning);
        return;
    }
    ctx.explorer->BuildSettingsTree(ui().mnuViewmnuListCat->isChecked());
}
