#include "core/SavedComparison.h"

#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/LineDiff.h"

using namespace Qt::StringLiterals;

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
    const ConfigFile::Decoded before = ConfigFile::decode(onDisk);
    const ConfigFile::Decoded after = ConfigFile::decode(*written);
    // Lines alike but for their breaks or bytes look the same below: say what differs first.
    QString notes;
    if (!onDisk.isEmpty()) {
        const QStringList was = ConfigFile::describe(before.format).split(u" | "_s);
        const QStringList will = ConfigFile::describe(after.format).split(u" | "_s);
        const QStringList what{u"Encoding"_s, u"Line ends"_s};
        for (qsizetype i = 0; i < what.size(); ++i) {
            if (was[i] != will[i])
                notes += u"%1: %2 on disk, %3 to be saved\n"_s.arg(what[i], was[i], will[i]);
        }
    }
    return notes + LineDiff::unified(LineDiff::splitLines(before.text),
                                     LineDiff::splitLines(after.text),
                                     name + QStringLiteral(" (on disk)"),
                                     name + QStringLiteral(" (to be saved)"));
}

} // namespace SavedComparison
