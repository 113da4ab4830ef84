// Encoding choice, line reading, parse and render of arbitrary file bytes.
#include "FuzzCheck.h"
#include "core/Codepage.h"
#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/ConfigText.h"

#include <QByteArray>
#include <QCoreApplication>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The document's text form wants an application object.
    static int applicationArgc = 1;
    static char name[] = "fuzz_document";
    static char* applicationArgv[] = {name, nullptr};
    new QCoreApplication(applicationArgc, applicationArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // Every byte survives the code page both ways.
    const QString text = Codepage::decodeWindows1252(bytes);
    const auto encoded = Codepage::encodeWindows1252(text);
    FUZZ_CHECK(encoded.has_value() && *encoded == bytes);

    // Whatever encoding is chosen for the bytes gives them back exactly.
    const ConfigFile::Decoded decoded = ConfigFile::decode(bytes);
    const ConfigFile::Encoded written = ConfigFile::encode(decoded.text, decoded.format);
    FUZZ_CHECK(written.bytes.has_value() && *written.bytes == bytes);

    // A second parse and render changes nothing.
    const QStringList lines = ConfigText::ReadFileLines(decoded.text);
    const QStringList once = ConfigText::renderRows(ConfigText::parseLines(lines));
    const QStringList twice = ConfigText::renderRows(ConfigText::parseLines(once));
    FUZZ_CHECK(once == twice);
    FUZZ_CHECK(once.size() == lines.size());

    // The text form carries the same lines back.
    FUZZ_CHECK(ConfigText::LinesFromText(ConfigText::TextFromLines(once)) == once);

    // Opened and saved from either view, unedited, the file is written back as it was, but for
    // a break after a last line that had none.
    if (bytes.size() <= ConfigFile::MaxFileBytes) {
        QByteArray expected = written.bytes.value();
        if (!decoded.text.isEmpty() && !decoded.text.endsWith(u'\n') &&
            !decoded.text.endsWith(u'\r'))
            expected +=
                ConfigText::commonestBreak(ConfigText::ReadLineBreaks(decoded.text)).toLatin1();
        for (const auto view : {ConfigDocument::View::List, ConfigDocument::View::Text}) {
            ConfigDocument document;
            document.setView(view);
            document.load(QString(), decoded.text, decoded.format);
            FUZZ_CHECK(document.bytesToWrite().bytes == expected);
            view == ConfigDocument::View::List ? document.showText() : document.showList();
            FUZZ_CHECK(document.bytesToWrite().bytes == expected);
        }
    }
    return 0;
}
