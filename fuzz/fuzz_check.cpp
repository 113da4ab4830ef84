// The problem check over arbitrary documents against the demo catalogue: never a crash, every
// problem on a line of the document that is neither blank nor a comment, and the look-up index
// answering as the value editor's walk does.
#include "FuzzCheck.h"
#include "core/CatalogueDatabase.h"
#include "core/CatalogueTable.h"
#include "core/Codepage.h"
#include "core/ConfigText.h"
#include "core/ProblemCheck.h"
#include "core/SettingLookup.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

namespace {
int applicationArgc = 1;
char applicationName[] = "fuzz_check";
char* applicationArgv[] = {applicationName, nullptr};
VersionedCatalogue* catalogue = nullptr;
QList<float> versions;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Qt loads the SQLite driver plugin only with an application object.
    new QCoreApplication(applicationArgc, applicationArgv);
    const QString path = QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb");
    catalogue = new VersionedCatalogue;
    QStringList captions;
    if (!CatalogueDatabase::loadEveryVersion(path, *catalogue) ||
        !CatalogueDatabase::readVersionCaptions(path, captions) || captions.isEmpty()) {
        std::fprintf(stderr, "the demo catalogue %s cannot be read\n", qPrintable(path));
        std::abort();
    }
    for (const QString& caption : std::as_const(captions))
        versions.append(caption.mid(1).toFloat());
    return 0;
}

// The first byte picks the server version; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const float version = versions.at(data[0] % versions.size());
    const QByteArrayView bytes(reinterpret_cast<const char*>(data + 1),
                               static_cast<qsizetype>(size - 1));
    const QStringList lines = ConfigText::ReadFileLines(Codepage::decodeWindows1252(bytes));

    const QList<ProblemCheck::Problem> problems = ProblemCheck::check(lines, *catalogue, version);
    int previous = 0;
    for (const ProblemCheck::Problem& problem : problems) {
        FUZZ_CHECK(problem.line >= 1 && problem.line <= lines.size());
        FUZZ_CHECK(problem.line >= previous);
        previous = problem.line;
        FUZZ_CHECK(!problem.code.isEmpty() && !problem.message.isEmpty());
        const Row row = ConfigText::parseLine(lines.at(problem.line - 1), problem.line);
        FUZZ_CHECK(!row.Setting.isEmpty() && !row.Setting.startsWith(u';'));
    }

    const SettingLookup::CandidateIndex index(catalogue->settings);
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 8); ++i) {
        const QString name =
            SettingLookup::nameForRow(ConfigText::parseLine(lines.at(i), i + 1).Setting);
        const QList<const CatalogueRow*> walked =
            SettingLookup::candidates(catalogue->settings, name);
        const QList<int> indexed = index.candidates(name);
        FUZZ_CHECK(walked.size() == indexed.size());
        for (qsizetype k = 0; k < walked.size(); ++k)
            FUZZ_CHECK(walked.at(k) == &catalogue->settings.at(indexed.at(k)));
    }
    return 0;
}
