#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reading and writing configuration files as whole byte arrays.
namespace ConfigFile {

// Larger files are refused; CR LF breaks keep such a file within 32,767 lines.
inline constexpr qint64 MaxFileBytes = 65000;

// Only regular files; nothing when the file cannot be read.
std::optional<QByteArray> readWholeFile(const QString& path);

// Replaces the file only once the new content is complete, so a failure leaves it as it was.
// Returns the platform's description of a failure, or an empty text.
QString writeWholeFile(const QString& path, const QByteArray& bytes);

// The text in the configuration files' code page, or the sentence that names the first
// character the code page cannot hold and its line.
struct Encoded {
    std::optional<QByteArray> bytes;
    QString error;
};
Encoded encode(const QString& text);

} // namespace ConfigFile
