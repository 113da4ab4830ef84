// The INI reader over arbitrary file bytes.
#include "FuzzCheck.h"
#include "core/ServerInstall.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString value =
        ServerInstall::parseIniValue(bytes, QStringLiteral("Default"), QStringLiteral("HelpPath"));
    FUZZ_CHECK(value.size() <= ServerInstall::IniValueMaxLength);
    // The reader trims blanks and tabs, and only those.
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    FUZZ_CHECK(value.isEmpty() || (!isBlank(value.front()) && !isBlank(value.back())));
    return 0;
}
