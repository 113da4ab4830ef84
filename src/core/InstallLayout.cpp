#include "core/InstallLayout.h"

#include "core/CatalogueDatabase.h"

#include <QDir>

namespace InstallLayout {

QString dataDirectory(const QString& programDir)
{
    const auto hasCatalogue = [](const QString& dir) {
        return CatalogueDatabase::catalogueDatabaseExists(
            CatalogueDatabase::GetCatalogueDatabasePath(dir));
    };
    if (hasCatalogue(programDir))
        return programDir;
    const QString shared = QDir::cleanPath(programDir + u'/' + SharedDataFromProgram);
    return hasCatalogue(shared) ? shared : programDir;
}

} // namespace InstallLayout
