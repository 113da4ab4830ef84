// Line reading, parse and render of arbitrary file bytes.
#include "FuzzCheck.h"
#include "core/ConfigText.h"
#include "core/Codepage.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // Every byte survives the code page both ways.
    const QString text = Codepage::DecodeWindows1252(bytes);
    const auto encoded = Codepage::EncodeWindows1252(text);
    FUZZ_CHECK(encoded.has_value() && *encoded == bytes);

    // A second parse and render changes nothing.
    const QStringList lines = ConfigText::ReadFileLines(text);
    const QStringList once = ConfigText::RenderRows(ConfigText::ParseLines(lines));
    const QStringList twice = ConfigText::RenderRows(ConfigText::ParseLines(once));
    FUZZ_CHECK(once == twice);
    FUZZ_CHECK(once.size() == lines.size());

    // The text form carries the same lines back.
    if (!once.isEmpty())
        FUZZ_CHECK(ConfigText::LinesFromText(ConfigText::TextFromLines(once)) == once);
    return 0;
}
