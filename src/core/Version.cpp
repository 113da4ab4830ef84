#include "core/Version.h"

#include "VersionNumbers.h"

QString versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(DRACFG_VERSION_MAJOR)
        .arg(DRACFG_VERSION_MINOR)
        .arg(DRACFG_VERSION_PATCH);
}
