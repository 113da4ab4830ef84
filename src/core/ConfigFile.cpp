#include "core/ConfigFile.h"

#include "core/Codepage.h"
#include "core/ConfigText.h"
#include "core/RegularFile.h"
#include "core/SafeSave.h"

#include <QLocale>
#include <QStringDecoder>

namespace ConfigFile {
namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

QString unencodableMessage(const QString& text, qsizetype index, const QString& encoding)
{
    const qsizetype line = ConfigText::ReadFileLines(QStringView(text).first(index + 1)).size();
    const bool pair = text[index].isHighSurrogate() && index + 1 < text.size() &&
                      text[index + 1].isLowSurrogate();
    const QString character = text.mid(index, pair ? 2 : 1);
    const QString codePoint = QString::number(character.toUcs4().value(0), 16)
                                  .toUpper()
                                  .rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("The file was not saved: the character \"%1\" (U+%2) on line %3 cannot "
                          "be written in %4.")
        .arg(character, codePoint, QString::number(line), encoding);
}

// A surrogate without its partner has no UTF-8 form; QString::toUtf8 would write "?".
qsizetype firstLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return i;
    }
    return -1;
}

LineEnds lineEndsOf(QByteArrayView bytes)
{
    bool crlf = false, lf = false, cr = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            lf = true;
        } else if (bytes[i] == '\r') {
            const bool pair = i + 1 < bytes.size() && bytes[i + 1] == '\n';
            (pair ? crlf : cr) = true;
            i += pair;
        }
    }
    const int kinds = int(crlf) + int(lf) + int(cr);
    if (kinds > 1)
        return LineEnds::Mixed;
    return crlf ? LineEnds::CrLf : lf ? LineEnds::Lf : cr ? LineEnds::Cr : LineEnds::None;
}

bool isAscii(QByteArrayView bytes)
{
    unsigned char high = 0;
    for (const char byte : bytes)
        high |= static_cast<unsigned char>(byte);
    return high < 0x80;
}

// The bytes as UTF-8, when they are that and nothing is lost on the way back. A mark at their
// start is a character of the text: the file's own mark was taken off before.
std::optional<QString> exactUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError() || text.toUtf8() != bytes)
        return std::nullopt;
    return text;
}

} // namespace

QString describe(const Format& format)
{
    QString encoding = format.encoding == Encoding::Utf8 ? QStringLiteral("UTF-8")
                                                         : QStringLiteral("Windows-1252");
    if (format.byteOrderMark)
        encoding += QStringLiteral(" with BOM");
    QString ends;
    switch (format.lineEnds) {
    case LineEnds::Lf:
        ends = QStringLiteral("LF");
        break;
    case LineEnds::Cr:
        ends = QStringLiteral("CR");
        break;
    case LineEnds::Mixed:
        ends = QStringLiteral("Mixed line ends");
        break;
    case LineEnds::None: // a save writes CR LF
    case LineEnds::CrLf:
        ends = QStringLiteral("CR LF");
        break;
    }
    return encoding + QStringLiteral(" | ") + ends;
}

Decoded decode(QByteArrayView bytes)
{
    Decoded result;
    result.format.lineEnds = lineEndsOf(bytes);
    const bool marked = bytes.startsWith(ByteOrderMark);
    if (marked || !isAscii(bytes)) {
        if (std::optional<QString> text = exactUtf8(bytes.sliced(marked ? 3 : 0))) {
            result.text = std::move(*text);
            result.format.encoding = Encoding::Utf8;
            result.format.byteOrderMark = marked;
            return result;
        }
    }
    result.text = Codepage::decodeWindows1252(bytes);
    return result;
}

std::optional<QByteArray> readWholeFile(const QString& path)
{
    return RegularFile::read(path, MaxFileBytes + 1);
}

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    return SafeSave::write(path, bytes);
}

Encoded encode(const QString& text, const Format& format)
{
    Encoded result;
    if (format.encoding == Encoding::Utf8) {
        if (const qsizetype bad = firstLoneSurrogate(text); bad >= 0) {
            result.error = unencodableMessage(text, bad, QStringLiteral("UTF-8"));
            return result;
        }
        QByteArray bytes = text.toUtf8();
        if (format.byteOrderMark)
            bytes.prepend(ByteOrderMark.data(), ByteOrderMark.size());
        result.bytes = std::move(bytes);
        return result;
    }
    qsizetype badIndex = -1;
    result.bytes = Codepage::encodeWindows1252(text, &badIndex);
    if (!result.bytes)
        result.error = unencodableMessage(
            text, badIndex, QStringLiteral("the Windows-1252 code page of configuration files"));
    return result;
}

QString sizeRefusal(qsizetype bytes)
{
    if (bytes <= MaxFileBytes)
        return {};
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("The file was not saved: it would be %1 bytes long, and a configuration "
                          "file may have at most %2 bytes, or it cannot be opened again. Remove "
                          "comment lines or settings you do not need, then save again.")
        .arg(english.toString(qlonglong(bytes)), english.toString(MaxFileBytes));
}

} // namespace ConfigFile
