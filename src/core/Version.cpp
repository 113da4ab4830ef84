#include "core/Version.h"

#include "VersionNumbers.h"

QString VersionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(DRACFG_VERSION_MAJOR)
        .arg(DRACFG_VERSION_MINOR)
        .arg(DRACFG_VERSION_PATCH);
}
