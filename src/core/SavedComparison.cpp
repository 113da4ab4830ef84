#include "core/SavedComparison.h"

#include "core/Codepage.h"
#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/LineDiff.h"

namespace SavedComparison {

std::optional<QByteArray> bytesToWrite(const ConfigDocument& document, QString* error)
{
    ConfigFile::Encoded encoded = ConfigFile::encode(document.textToWrite());
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
    // Both sides decoded alike: every byte shows, whatever the file's code page.
    const QString name = path.isEmpty() ? document.name() : path;
    return LineDiff::unified(LineDiff::splitLines(Codepage::decodeWindows1252(onDisk)),
                             LineDiff::splitLines(Codepage::decodeWindows1252(*written)),
                             name + QStringLiteral(" (on disk)"),
                             name + QStringLiteral(" (to be saved)"));
}

} // namespace SavedComparison
