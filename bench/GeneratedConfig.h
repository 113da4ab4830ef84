#pragma once

#include <QString>
#include <array>
#include <cstdint>

// A realistic configuration text of exactly targetBytes Windows-1252 bytes (one byte per
// character), with CR LF breaks: settings with numbers, paths and several words, comments,
// commented-out settings, blank lines, indented lines, names without a value and a few
// characters beyond ASCII. The same size always gives the same text.
inline QString GenerateConfigText(int targetBytes)
{
    static const std::array<const char*, 12> names = {
        "CACHE_PAGES",    "LOCK_TIMEOUT",  "TEMP_DIRECTORY", "SERVER_NAME",
        "MAX_USERS",      "LOG_FILE",      "SORT_MEMORY",    "CHECKPOINT_INTERVAL",
        "NETWORK_BUFFER", "DEADLOCK_SCAN", "PAGE_SIZE",      "AUDIT_LEVEL"};
    static const std::array<const char*, 8> words = {"main",    "archive", "nightly", "primary",
                                                     "replica", "reports", "staging", "backup"};
    static const std::array<QString, 4> comments = {
        QStringLiteral("; Memory and cache settings"),
        QStringLiteral("; Größe der Sortierpuffer – nur für Version 7 €"),
        QStringLiteral("; ------------------------------------------------"),
        QStringLiteral(";   Network settings: keep the buffer a multiple of 4096")};

    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    auto name = [&] { return QString::fromLatin1(names[next(names.size())]); };
    auto word = [&] { return QString::fromLatin1(words[next(words.size())]); };

    auto line = [&]() -> QString {
        switch (next(12)) {
        case 0:
            return comments[next(comments.size())];
        case 1:
            return QString(); // blank line
        case 2:
            return u';' + name() + u' ' + QString::number(next(100000));
        case 3:
            return QStringLiteral("   ") + name() + u' ' + QString::number(next(600));
        case 4:
            return name(); // a switch without a value
        case 5:
            return name() + QStringLiteral(" /var/lib/dravane/") + word() + QStringLiteral("/tmp");
        case 6:
            return name() + u' ' + word() + QStringLiteral("  ") + word() + u' ' + word() + u' ';
        case 7:
            return name() + u'\t' + QString::number(next(64));
        default:
            return name() + u' ' + QString::number(next(1u << 20));
        }
    };

    const QString lineBreak = QStringLiteral("\r\n");
    if (targetBytes < 3)
        return QString(qMax(targetBytes, 0), u' ');
    QString text;
    text.reserve(targetBytes);
    for (QString candidate = line(); text.size() + candidate.size() + 2 <= targetBytes - 3;
         candidate = line())
        text += candidate + lineBreak;
    // One last comment fills the text to the exact size.
    text += u';' + QString(targetBytes - text.size() - 3, u'-') + lineBreak;
    return text;
}
