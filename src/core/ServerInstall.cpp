#include "core/ServerInstall.h"

#include "core/Codepage.h"
#include "core/RegularFile.h"

#include <QFileInfo>
#include <QProcessEnvironment>

namespace ServerInstall {

namespace {

const QString DefaultHelpPage = QStringLiteral("/Docs/techref/TRCFG/homecfgl.htm");

bool isIniBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isIniBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isIniBlank(text.back()))
        text.chop(1);
    return text;
}

} // namespace

QString GetServerInstallPath()
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Only a name that is exactly KELMPATH, in any case, counts; KELMPATH2 does not.
    for (const QString& name : environment.keys()) {
        if (name.compare(QLatin1String("KELMPATH"), Qt::CaseInsensitive) == 0)
            return environment.value(name);
    }
    return {};
}

QString GetHelpLocation(const QString& programDir)
{
    const QString location = GetServerInstallPath() + DefaultHelpPage;
    if (!QFileInfo(location).isFile())
        return location;
    const QString iniPath = programDir + QStringLiteral("/DraCFG.ini");
    if (!QFileInfo(iniPath).isFile())
        return location;
    return ReadIniValue(iniPath, QStringLiteral("Default"), QStringLiteral("HelpPath"));
}

bool HelpFileExists(const QString& programDir)
{
    const QString location = GetHelpLocation(programDir);
    return !location.isEmpty() && QFileInfo(location).isFile();
}

QString ReadIniValue(const QString& iniPath, const QString& section, const QString& key)
{
    // A profile is a few lines; far more is no profile.
    constexpr qint64 MaxIniBytes = 1024 * 1024;
    const std::optional<QByteArray> bytes = RegularFile::read(iniPath, MaxIniBytes + 1);
    if (!bytes || bytes->size() > MaxIniBytes)
        return {};
    return parseIniValue(*bytes, section, key);
}

QString parseIniValue(const QByteArray& bytes, const QString& section, const QString& key)
{
    // A profile file is 8-bit text; a UTF-8 byte-order mark is not part of the first line.
    const QByteArrayView content =
        bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    const QString text = Codepage::decodeWindows1252(content);

    bool inSection = false;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = trimBlanks(QStringView(text).mid(start, end - start));
        start = end + 1;

        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QStringView name = trimBlanks(line.mid(1, close < 0 ? -1 : close - 1));
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || line.startsWith(u';'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || trimBlanks(line.left(equals)).compare(key, Qt::CaseInsensitive) != 0)
            continue;
        // The value is cut to the reader's buffer before it is trimmed.
        QStringView value = trimBlanks(line.mid(equals + 1));
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return trimBlanks(value.left(IniValueMaxLength)).toString();
    }
    return {};
}

} // namespace ServerInstall
