// Opens every file up to the size limit under the folders given, as the editor would, and saves
// copies: unchanged from each view, then with one value changed in each view. Prints what a save
// changed beyond what the user did; exits 1 when anything did.
//
//   realfiles /etc /usr/share
#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/ConfigText.h"
#include "core/LineDiff.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <cstdio>

namespace {

// Lines removed and added between two files.
qsizetype changedLines(const QByteArray& before, const QByteArray& after)
{
    qsizetype changed = 0;
    for (const LineDiff::Line& line :
         LineDiff::diff(ConfigText::linesWithBreaks(QString::fromLatin1(before)),
                        ConfigText::linesWithBreaks(QString::fromLatin1(after))))
        changed += line.kind != LineDiff::Line::Kind::Same;
    return changed;
}

struct Counts {
    qsizetype files = 0;
    qsizetype lines = 0;
    qsizetype unchangedSavesDiffering = 0;
    qsizetype editedSavesDiffering = 0;
    qsizetype linesBeyondTheEdit = 0;
    qsizetype refused = 0;
};

// The first row with a value: the one a user changes.
int rowToEdit(const ConfigDocument& document)
{
    const QList<Row>& rows = document.rows().rows();
    for (int i = 0; i < rows.size(); ++i) {
        if (!rows[i].Setting.isEmpty() && !rows[i].Setting.startsWith(u';') &&
            !rows[i].Parameter.isEmpty())
            return i;
    }
    return -1;
}

void tryFile(const QString& path, const QString& copy, Counts& counts)
{
    const std::optional<QByteArray> bytes = ConfigFile::readWholeFile(path);
    if (!bytes || bytes->size() > ConfigFile::MaxFileBytes)
        return;
    ++counts.files;
    for (const auto view : {ConfigDocument::View::List, ConfigDocument::View::Text}) {
        ConfigDocument document;
        document.setView(view);
        const ConfigFile::Decoded decoded = ConfigFile::decode(*bytes);
        document.load(copy, decoded.text, decoded.format);
        if (view == ConfigDocument::View::List)
            counts.lines += document.rows().count();
        QByteArray expected = *bytes;
        if (!bytes->isEmpty() && !bytes->endsWith('\n') && !bytes->endsWith('\r'))
            expected += document.lineBreak().toLatin1();
        if (!document.saveAs(copy).isEmpty()) {
            ++counts.refused;
            continue;
        }
        const QByteArray unchanged = ConfigFile::readWholeFile(copy).value_or(QByteArray());
        if (unchanged != expected) {
            ++counts.unchangedSavesDiffering;
            std::printf("unchanged save differs (%s view): %s\n",
                        view == ConfigDocument::View::List ? "list" : "text", qPrintable(path));
        }

        const int row = rowToEdit(document);
        if (row < 0)
            continue;
        if (view == ConfigDocument::View::List) {
            const Row& edited = document.rows().row(row);
            document.rows().setRowTexts(row, edited.Setting, edited.Parameter + u'1');
        } else {
            QTextCursor end(document.textDocument().findBlockByNumber(row));
            end.movePosition(QTextCursor::EndOfBlock);
            end.insertText(QStringLiteral("1"));
        }
        if (!document.saveAs(copy).isEmpty()) {
            ++counts.refused;
            continue;
        }
        const qsizetype changed =
            changedLines(unchanged, ConfigFile::readWholeFile(copy).value_or(QByteArray()));
        if (changed != 2) {
            ++counts.editedSavesDiffering;
            counts.linesBeyondTheEdit += qMax<qsizetype>(0, changed - 2);
            std::printf("edit changed %lld lines (%s view): %s\n", qlonglong(changed),
                        view == ConfigDocument::View::List ? "list" : "text", qPrintable(path));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Findings show as they come on a long run.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList folders = application.arguments().mid(1);
    if (folders.isEmpty()) {
        std::fprintf(stderr, "usage: realfiles FOLDER...\n");
        return 2;
    }
    QTemporaryDir work;
    const QString copy = work.filePath(QStringLiteral("copy.cfg"));
    Counts counts;
    for (const QString& folder : folders) {
        QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                           QDirIterator::Subdirectories);
        while (files.hasNext())
            tryFile(files.next(), copy, counts);
    }
    std::printf("files %lld, lines %lld, unchanged saves that differ %lld, edited saves that "
                "differ beyond the edit %lld (lines %lld), refused saves %lld\n",
                qlonglong(counts.files), qlonglong(counts.lines),
                qlonglong(counts.unchangedSavesDiffering), qlonglong(counts.editedSavesDiffering),
                qlonglong(counts.linesBeyondTheEdit), qlonglong(counts.refused));
    return counts.unchangedSavesDiffering + counts.editedSavesDiffering > 0 ? 1 : 0;
}
