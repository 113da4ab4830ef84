#pragma once

#include <QString>

// "Version " followed by major.minor.revision, plain decimals.
QString versionText();

inline const QString ProductName = QStringLiteral("DraCFG Editor");
