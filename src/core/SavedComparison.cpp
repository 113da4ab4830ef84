#include "core/SavedComparison.h"

#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/LineDiff.h"

namespace SavedComparison {

std::optional<QByteArray> bytesToWrite(const ConfigDocument& document, QString* error)
{
    ConfigFile::Encoded encoded = document.bytesToWrite();
    if (!encoded.bytes && error)
        *error = encoded.error;
    return encoded.bytes;
}

std::optional<QString> differenceFromSaved(const ConfigDocument& document, QString* error)
{
    const std::optional<QByteArray> written = bytesToWrite(document, error);
    if (!written)
        return std::nullopt;
    const QString path = document.path();
    const QByteArray onDisk =
        path.isEmpty() ? QByteArray() : ConfigFile::readWholeFile(path).value_or(QByteArray());
    // Each side read as Open reads a file: UTF-8 shows as such, any other byte in the code page.
    const QString name = path.isEmpty() ? document.name() : path;
    return LineDiff::unified(LineDiff::splitLines(ConfigFile::decode(onDisk).text),
                             LineDiff::splitLines(ConfigFile::decode(*written).text),
                             name + QStringLiteral(" (on disk)"),
                             name + QStringLiteral(" (to be saved)"));
}

} // namespace SavedComparison
