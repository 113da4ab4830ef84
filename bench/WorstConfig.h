#pragma once

#include <QString>
#include <array>

// The file every action is timed on: exactly targetBytes Windows-1252 bytes with CR LF breaks,
// in which every line is a problem for the demo catalogue's newest version, and every kind
// comes up in each run of five lines: a misspelt name that gets a suggestion, the same setting
// again (every fifth line), a value out of range, a value that is not one of the choices, an
// unknown name without a suggestion. Names differ from line to line, so the check cannot answer
// one line from the line before. The same size always gives the same text.
inline QString GenerateWorstConfigText(int targetBytes)
{
    // Known names, misspelt by dropping one letter: each is within the suggestion distance.
    static const std::array<const char*, 12> known = {
        "LISTENPORT", "MAXCONNECTIONS", "CONNECTTIMEOUT", "LOGLEVEL", "DATADIR",    "TEMPDIR",
        "SORTMEMORY", "HASHMEMORY",     "FILEGROWTH",     "LOGFILE",  "AUTHMETHOD", "SSLMODE"};
    struct Ranged {
        const char* name;
        const char* outside;
    };
    static const std::array<Ranged, 6> ranged = {{{"LISTENPORT", "70000"},
                                                  {"CONNECTTIMEOUT", "0"},
                                                  {"BUFFERPOOLS", "999"},
                                                  {"MEMORYWARNING", "12"},
                                                  {"LOGKEEP", "1000"},
                                                  {"FREESPACE", "75"}}};
    static const std::array<const char*, 6> choices = {"PROTOCOL UDP",      "LOGLEVEL VERBOSE",
                                                       "KEEPALIVE MAYBE",   "PAGESIZE 1000",
                                                       "CHECKSUMS PARTIAL", "SSLMODE SOMETIMES"};

    auto line = [&](int index) -> QString {
        const int round = index / 5;
        switch (index % 5) {
        case 0:
            return QStringLiteral("MAXMEMORY ") + QString::number(2048 + round);
        case 1: {
            const QString name = QString::fromLatin1(known[round % known.size()]);
            return QString(name).remove((round / int(known.size())) % name.size(), 1) +
                   QStringLiteral(" 1");
        }
        case 2: {
            const Ranged& setting = ranged[round % ranged.size()];
            return QString::fromLatin1(setting.name) + u' ' + QString::fromLatin1(setting.outside);
        }
        case 3:
            return QString::fromLatin1(choices[round % choices.size()]);
        default:
            return QStringLiteral("QZX_UNHEARD_OF_%1 %1").arg(round);
        }
    };

    const QString lineBreak = QStringLiteral("\r\n");
    if (targetBytes < 3)
        return QString(qMax(targetBytes, 0), u' ');
    QString text;
    text.reserve(targetBytes);
    int index = 0;
    for (QString candidate = line(index); text.size() + candidate.size() + 2 <= targetBytes - 3;
         candidate = line(++index))
        text += candidate + lineBreak;
    // One last unknown name fills the text to the exact size.
    text += QString(targetBytes - text.size() - 3, u'Q') + u' ' + lineBreak;
    return text;
}
