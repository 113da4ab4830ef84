// The catalogue loader over mutated database files: a catalogue or one sentence, never a crash.
#include "FuzzCheck.h"
#include "core/CatalogueDatabase.h"
#include "core/CatalogueTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {
// Kept for the whole process: the application must outlive every database connection, and its
// argc must outlive the application.
int applicationArgc = 1;
char applicationName[] = "fuzz_catalogue";
char* applicationArgv[] = {applicationName, nullptr};
QTemporaryDir* folder = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Qt loads the SQLite driver plugin only with an application object.
    new QCoreApplication(applicationArgc, applicationArgv);
    folder = new QTemporaryDir;
    std::atexit([] { delete folder; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("DraCFG.mdb"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    QString error;
    VersionedCatalogue catalogue;
    QList<CatalogueDatabase::VersionEntry> versions;
    const bool loaded = CatalogueDatabase::loadEverything(path, catalogue, versions, &error);
    FUZZ_CHECK(loaded == error.isEmpty());
    FUZZ_CHECK(loaded || catalogue.settings.isEmpty());
    FUZZ_CHECK(catalogue.settings.size() == catalogue.introduced.size() && versions.size() <= 10);

    QStringList captions;
    const bool listed = CatalogueDatabase::readVersionCaptions(path, captions, &error);
    FUZZ_CHECK(listed == error.isEmpty());
    FUZZ_CHECK(captions.size() <= 10);
    return 0;
}
