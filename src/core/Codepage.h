#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// Windows-1252, the code page of configuration files. Decoding is lossless for every byte:
// the five bytes the code page leaves unassigned map to the C1 controls of the same value.
namespace Codepage {

QString decodeWindows1252(QByteArrayView bytes);

// Returns std::nullopt when a character has no byte in the code page; *badIndex then holds
// that character's index in text (the first code unit of a surrogate pair).
std::optional<QByteArray> encodeWindows1252(QStringView text, qsizetype* badIndex = nullptr);

} // namespace Codepage
