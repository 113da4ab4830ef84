#include "core/Version.h"

#include "VersionNumbers.h"

QString versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(DRACFG_VERSION_MAJOR)
        .arg(DRACFG_VERSION_MINOR)
        .arg(DRACFG_VERSION_PATCH);
}

QString serverVersionText(float version)
{
    // Fixed notation: 'g' would write 10 as "1e+01".
    constexpr int MostDecimals = 9;
    for (int decimals = 0; decimals < MostDecimals; ++decimals) {
        const QString text = QString::number(static_cast<double>(version), 'f', decimals);
        if (text.toFloat() == version)
            return text;
    }
    return QString::number(static_cast<double>(version), 'g', MostDecimals);
}
