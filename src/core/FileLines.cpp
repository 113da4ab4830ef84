#include "core/FileLines.h"

#include "core/ConfigFile.h"
#include "core/ConfigText.h"

#include <QFileInfo>

namespace FileLines {

Read read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {std::nullopt, QStringLiteral("The file does not exist.")};
    if (!info.isFile())
        return {std::nullopt, QStringLiteral("It is not a file.")};
    if (info.size() > ConfigFile::MaxFileBytes)
        return {std::nullopt, QStringLiteral("The file is too large to open.")};
    const std::optional<QByteArray> bytes = ConfigFile::readWholeFile(path);
    if (!bytes)
        return {std::nullopt, QStringLiteral("The file cannot be read.")};
    // It may have grown since its size was asked.
    if (bytes->size() > ConfigFile::MaxFileBytes)
        return {std::nullopt, QStringLiteral("The file is too large to open.")};
    return {ConfigText::ReadFileLines(ConfigFile::decode(*bytes).text), QString()};
}

} // namespace FileLines
