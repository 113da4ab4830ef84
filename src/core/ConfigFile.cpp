#include "core/ConfigFile.h"

#include "core/Codepage.h"
#include "core/ConfigText.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace ConfigFile {
namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

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

// The file a save replaces: a symbolic link's final target, even a target that is missing.
QString writtenPath(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// Gives the new file, not yet in place, what the old one had. The owner first: changing it
// clears the set-user-ID and set-group-ID bits, which the mode then restores.
QString carryOver(int newFile, const QByteArray& oldPath, const struct stat& old)
{
    struct stat fresh {};
    if (fstat(newFile, &fresh) != 0)
        return systemError(errno);
    // Only when they differ: a folder that hands its group to new files needs no change, which
    // its users may not be allowed to make.
    if ((fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) &&
        fchown(newFile, old.st_uid, old.st_gid) != 0)
        return QStringLiteral("its owner and group cannot be kept (%1)").arg(systemError(errno));
    if (fchmod(newFile, old.st_mode & 07777) != 0)
        return QStringLiteral("its permissions cannot be kept (%1)").arg(systemError(errno));

    const ssize_t listSize = listxattr(oldPath.constData(), nullptr, 0);
    if (listSize <= 0)
        return {}; // none, or a file system without them
    QByteArray names(listSize, Qt::Uninitialized);
    const ssize_t namesSize = listxattr(oldPath.constData(), names.data(), names.size());
    for (const QByteArray& name : names.first(qMax<ssize_t>(namesSize, 0)).split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t size = getxattr(oldPath.constData(), name.constData(), nullptr, 0);
        if (size < 0)
            continue;
        QByteArray value(size, Qt::Uninitialized);
        const ssize_t got = getxattr(oldPath.constData(), name.constData(), value.data(), size);
        if (got < 0)
            continue;
        // An access list decides who may read the file: without it the save would change that.
        // Other attributes (a security label only an administrator may set) are kept where the
        // platform allows it.
        if (fsetxattr(newFile, name.constData(), value.constData(), size_t(got), 0) != 0 &&
            name.startsWith("system.posix_acl"))
            return QStringLiteral("its access control list cannot be kept (%1)")
                .arg(systemError(errno));
    }
    return {};
}

// A file with other hard links is rewritten where it is, so that every name keeps showing the
// same file. The space is reserved first: a full disk then stops the save before any byte of the
// file changes.
QString rewriteInPlace(const QByteArray& path, const QByteArray& bytes)
{
    const int file = ::open(path.constData(), O_WRONLY | O_CLOEXEC);
    if (file < 0)
        return systemError(errno);
    const auto fail = [file] {
        const int error = errno;
        ::close(file);
        return systemError(error);
    };
    if (!bytes.isEmpty() && fallocate(file, 0, 0, bytes.size()) != 0 && errno != EOPNOTSUPP)
        return fail();
    for (qint64 written = 0; written < bytes.size();) {
        const ssize_t chunk =
            pwrite(file, bytes.constData() + written, size_t(bytes.size() - written), written);
        if (chunk < 0 && errno == EINTR)
            continue;
        if (chunk <= 0)
            return fail();
        written += chunk;
    }
    if (ftruncate(file, bytes.size()) != 0 || fsync(file) != 0)
        return fail();
    return ::close(file) == 0 ? QString() : systemError(errno);
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
    const QString target = writtenPath(path);
    const QByteArray nativeTarget = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(nativeTarget.constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (exists && old.st_nlink > 1)
        return rewriteInPlace(nativeTarget, bytes);

    QSaveFile file(target);
    // Unbuffered: a write that fails while a buffer is flushed inside commit() goes unseen
    // there, and the short file would replace the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (exists) {
        const QString failure = carryOver(file.handle(), nativeTarget, old);
        if (!failure.isEmpty()) {
            file.cancelWriting();
            return failure;
        }
    }
    // A short write (a full disk) reports its cause only on the next attempt.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 chunk = file.write(bytes.constData() + written, bytes.size() - written);
        if (chunk <= 0)
            return file.errorString();
        written += chunk;
    }
    return file.commit() ? QString() : file.errorString();
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
