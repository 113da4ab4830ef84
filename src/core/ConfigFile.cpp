#include "core/ConfigFile.h"

#include "core/Codepage.h"
#include "core/ConfigText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ConfigFile {
namespace {

QString unencodableMessage(const QString& text, qsizetype index)
{
    const qsizetype line = ConfigText::LinesFromText(QStringView(text).first(index)).size();
    const bool pair = text[index].isHighSurrogate() && index + 1 < text.size() &&
                      text[index + 1].isLowSurrogate();
    const QString character = text.mid(index, pair ? 2 : 1);
    const QString codePoint = QString::number(character.toUcs4().value(0), 16)
                                  .toUpper()
                                  .rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("The file was not saved: the character \"%1\" (U+%2) on line %3 cannot "
                          "be written in the Windows-1252 code page of configuration files.")
        .arg(character, codePoint, QString::number(line));
}

} // namespace

// Reading a device or a pipe to its end might never finish.
std::optional<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered: a write that fails while a buffer is flushed inside commit() goes unseen
    // there, and the short file would replace the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A short write (a full disk) reports its cause only on the next attempt.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 chunk = file.write(bytes.constData() + written, bytes.size() - written);
        if (chunk <= 0)
            return file.errorString();
        written += chunk;
    }
    return file.commit() ? QString() : file.errorString();
}

Encoded encode(const QString& text)
{
    qsizetype badIndex = -1;
    Encoded result;
    result.bytes = Codepage::encodeWindows1252(text, &badIndex);
    if (!result.bytes)
        result.error = unencodableMessage(text, badIndex);
    return result;
}

} // namespace ConfigFile
