#include "core/Codepage.h"

#include <algorithm>
#include <array>

namespace Codepage {
namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr std::array<char16_t, 256> makeDecodeTable()
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<char16_t>(byte);
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = HighControlRange[i];
    return table;
}

constexpr std::array<char16_t, 256> DecodeTable = makeDecodeTable();

struct ReverseEntry {
    char16_t unicode;
    char byte;
};

constexpr std::array<ReverseEntry, 32> makeReverseTable()
{
    std::array<ReverseEntry, 32> table{};
    for (int i = 0; i < 32; ++i)
        table[i] = {HighControlRange[i], static_cast<char>(0x80 + i)};
    std::sort(table.begin(), table.end(),
              [](const ReverseEntry& a, const ReverseEntry& b) { return a.unicode < b.unicode; });
    return table;
}

constexpr std::array<ReverseEntry, 32> ReverseTable = makeReverseTable();

std::optional<char> encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    const auto found = std::lower_bound(
        ReverseTable.begin(), ReverseTable.end(), c,
        [](const ReverseEntry& entry, char16_t value) { return entry.unicode < value; });
    if (found != ReverseTable.end() && found->unicode == c)
        return found->byte;
    return std::nullopt;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : bytes)
        *out++ = DecodeTable[static_cast<unsigned char>(byte)];
    return text;
}

std::optional<QByteArray> encodeWindows1252(QStringView text, qsizetype* badIndex)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    const char16_t* in = text.utf16();
    // Nearly every character is its own byte. Each block is copied by a loop without branches,
    // which the compiler vectorises, and redone a character at a time only when it holds
    // another: a character at a time throughout, encoding took longer than writing the file.
    constexpr qsizetype Block = 64;
    for (qsizetype start = 0; start < text.size(); start += Block) {
        const qsizetype end = std::min(start + Block, text.size());
        unsigned others = 0;
        for (qsizetype i = start; i < end; ++i) {
            const char16_t c = in[i];
            out[i] = static_cast<char>(c);
            // Bitwise, not logical: a branch here would stop the vectorising.
            others |= unsigned(c > 0xFF) | unsigned(static_cast<char16_t>(c - 0x80) < 0x20);
        }
        if (others == 0)
            continue;
        for (qsizetype i = start; i < end; ++i) {
            const std::optional<char> byte = encodeChar(in[i]);
            if (!byte) {
                if (badIndex)
                    *badIndex = i;
                return std::nullopt;
            }
            out[i] = *byte;
        }
    }
    return bytes;
}

} // namespace Codepage
