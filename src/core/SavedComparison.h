#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class ConfigDocument;

// What Save would change: the document as it would be written against the file on disk.
namespace SavedComparison {

// The bytes Save writes for the document as it stands; nothing, with *error set, when the text
// cannot be written. The one place that says how a document becomes its file's bytes here.
std::optional<QByteArray> bytesToWrite(const ConfigDocument& document, QString* error);

// A unified difference from the file at the document's path (nothing when it is missing or
// untitled) to what Save would write; empty when they are the same. Nothing, with *error set,
// when the document cannot be written.
std::optional<QString> differenceFromSaved(const ConfigDocument& document, QString* error);

} // namespace SavedComparison
