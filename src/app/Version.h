#pragma once

#include <QString>

// "Version " followed by major.minor.revision, plain decimals.
inline QString VersionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(DRACFG_VERSION_MAJOR)
        .arg(DRACFG_VERSION_MINOR)
        .arg(DRACFG_VERSION_PATCH);
}

inline const QString ProductName = QStringLiteral("DraCFG Editor");
