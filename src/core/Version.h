#pragma once

#include <QString>

// "Version " followed by major.minor.revision, plain decimals.
QString versionText();

// A server version as the user reads it everywhere: "8", "8.5", "5.25", never "8.0". The
// shortest decimals that read back as the same single-precision number, which is also how the
// catalogue writes its own versions.
QString serverVersionText(float version);

inline const QString ProductName = QStringLiteral("DraCFG Editor");
