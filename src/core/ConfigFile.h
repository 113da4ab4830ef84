#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Reading and writing configuration files as whole byte arrays, in the encoding each file had.
namespace ConfigFile {

// Larger files are refused, on Open and on Save alike; CR LF breaks keep such a file within
// 32,767 lines.
inline constexpr qint64 MaxFileBytes = 65000;

enum class Encoding { Windows1252, Utf8 };
enum class LineEnds { None, CrLf, Lf, Cr, Mixed };

// How a file was stored. A new document is Windows-1252 without a byte-order mark.
struct Format {
    Encoding encoding = Encoding::Windows1252;
    bool byteOrderMark = false;
    LineEnds lineEnds = LineEnds::None;

    friend bool operator==(const Format&, const Format&) = default;
};

// "UTF-8 | CR LF": what the status bar shows of a file.
QString describe(const Format& format);

struct Decoded {
    QString text;
    Format format;
};
// UTF-8 when the bytes start with its byte-order mark (which is not part of the text), or when
// they hold a non-ASCII character and come back byte for byte from the decoded text; every
// other file is Windows-1252, which holds any byte. Either way encode() gives the bytes back.
Decoded decode(QByteArrayView bytes);

// Only regular files, and of them at most MaxFileBytes + 1 bytes, so that a caller tells a file
// that is too large whatever size it reports; nothing when the file cannot be read.
std::optional<QByteArray> readWholeFile(const QString& path);

// A save through SafeSave::write: a failure or a crash leaves the file as it was, or its old
// content recoverable. An existing file keeps its owner, group, mode and extended attributes
// (access control lists among them); a symbolic link is written through, and a file with other
// hard links is rewritten in place so that the links keep sharing it. Returns the reason of a
// failure, or an empty text.
QString writeWholeFile(const QString& path, const QByteArray& bytes);

// The text in the file's encoding, or the sentence that names the first character the encoding
// cannot hold and its line.
struct Encoded {
    std::optional<QByteArray> bytes;
    QString error;
};
Encoded encode(const QString& text, const Format& format = {});

// The refusal of a save that would write more than MaxFileBytes, or an empty text.
QString sizeRefusal(qsizetype bytes);

} // namespace ConfigFile
