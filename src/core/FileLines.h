#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A configuration file's lines as the editor opens it (the size limit, the encoding, the line
// ends), for whatever reads a file without opening it as the document.
namespace FileLines {

struct Read {
    std::optional<QStringList> lines; // line 1 first
    QString error;                    // one sentence when there are no lines
};

Read read(const QString& path);

} // namespace FileLines
