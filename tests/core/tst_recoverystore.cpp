#include "core/RecoveryStore.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// No process has this id: kill() refuses it as it refuses any id above the system's limit.
constexpr qint64 GoneProcess = 2147483647;

RecoveryStore::Copy copyOf(const QString& path, const QByteArray& bytes, qint64 processId,
                           int ageSeconds = 0)
{
    RecoveryStore::Copy copy = RecoveryStore::fromThisProcess();
    copy.path = path;
    copy.bytes = bytes;
    copy.time = copy.time.addSecs(-ageSeconds);
    if (processId != copy.processId) {
        copy.processId = processId;
        copy.process.clear();
    }
    return copy;
}

int modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

} // namespace

class tst_RecoveryStore : public QObject {
    Q_OBJECT

private slots:
    // Written, found again as written (oldest first), removed; readable by the user alone.
    void roundTrip()
    {
        QTemporaryDir root;
        const RecoveryStore store(root.filePath(u"data/app/recovery"_s));
        RecoveryStore::Copy named = copyOf(u"/srv/a b\n.cfg"_s, "first", GoneProcess);
        named.textView = true;
        const RecoveryStore::Copy untitled = copyOf(QString(), QByteArray(), GoneProcess, 60);
        const QString namedFile = RecoveryStore::fileName(GoneProcess, named.path);
        const QString untitledFile = RecoveryStore::fileName(GoneProcess, u"untitled 1"_s);
        QCOMPARE(store.write(namedFile, named), QString());
        QCOMPARE(store.write(untitledFile, untitled), QString());
        named.bytes.clear();
        for (int b = 255; b >= 0; --b)
            named.bytes += char(b);
        QCOMPARE(store.write(namedFile, named), QString()); // replaces the first

        const QList<RecoveryStore::Copy> found = store.leftovers();
        QCOMPARE(found.size(), 2);
        QCOMPARE(found[0].file, untitledFile);
        QCOMPARE(RecoveryStore::serialize(found[0]), RecoveryStore::serialize(untitled));
        QCOMPARE(found[1].file, namedFile);
        QVERIFY(found[1].textView);
        QCOMPARE(RecoveryStore::serialize(found[1]), RecoveryStore::serialize(named));
        QCOMPARE(modeOf(store.folder()), 0700);
        QCOMPARE(modeOf(store.folder() + u'/' + namedFile), 0600);

        store.remove(namedFile);
        store.remove(untitledFile);
        QVERIFY(QDir(store.folder()).isEmpty()); // no part of a write either
    }

    // A damaged copy is removed; a part of an unfinished write goes once its writer has.
    void malformedRemoved_data()
    {
        QTest::addColumn<QByteArray>("stored"); // a whole copy of "/a.cfg" holding "x=1\r\n"
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<bool>("kept");
        const QByteArray whole =
            RecoveryStore::serialize(copyOf(u"/a.cfg"_s, "x=1\r\n", GoneProcess));
        const auto row = [](const char* tag, const QByteArray& stored, const QString& name,
                            bool offered,
                            bool kept) { QTest::newRow(tag) << stored << name << offered << kept; };
        const auto damaged = [&](const char* tag, const QByteArray& stored) {
            row(tag, stored, u"7-ab.recovery"_s, false, false);
        };
        row("whole", whole, u"7-ab.recovery"_s, true, true);
        damaged("truncated", whole.chopped(1));
        damaged("longer", whole + "y");
        damaged("empty", QByteArray());
        damaged("other format", QByteArray(whole).replace("recovery 1", "recovery 9"));
        damaged("no header", QByteArray("DraCFG recovery 1\n"));
        damaged("header not JSON", QByteArray(whole).replace("{\"", "{"));
        damaged("unknown view", QByteArray(whole).replace("\"list\"", "\"grid\""));
        damaged("no process", QByteArray(whole).replace("\"pid\"", "\"pod\""));
        row("unfinished write, writer gone", whole, u"2147483647-ab.recovery.part"_s, false, false);
        row("unfinished write, writer alive", whole,
            u"%1-ab.recovery.part"_s.arg(QCoreApplication::applicationPid()), false, true);
        row("another program's file", whole, u"notes.txt"_s, false, true);
    }
    void malformedRemoved()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, name);
        QTemporaryDir root;
        const RecoveryStore store(root.filePath(u"recovery"_s));
        QVERIFY(
            QDir().mkdir(store.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(WriteBytes(store.folder() + u'/' + name, stored));
        QFile::setPermissions(store.folder() + u'/' + name, QFile::ReadOwner | QFile::WriteOwner);

        const QList<RecoveryStore::Copy> found = store.leftovers();

        QTEST(found.size() == 1, "offered");
        if (!found.isEmpty())
            QCOMPARE(found[0].bytes, QByteArray("x=1\r\n"));
        QTEST(QFile::exists(store.folder() + u'/' + name), "kept");
    }

    // Another editor still running keeps its copy to itself; a process id reused since, or
    // from before a restart, does not keep one. What others may read or have written is
    // neither offered nor removed, nor written to.
    void offered_data()
    {
        QTest::addColumn<qint64>("processId");
        QTest::addColumn<QString>("process"); // "this": this process's identity
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("offered");
        const qint64 self = QCoreApplication::applicationPid();
        QTest::newRow("this process") << self << u"this"_s << 0700 << 0600 << false;
        QTest::newRow("identity unknown") << self << QString() << 0700 << 0600 << false;
        QTest::newRow("id reused") << self << u"00000000-0000/1"_s << 0700 << 0600 << true;
        QTest::newRow("gone") << GoneProcess << QString() << 0700 << 0600 << true;
        QTest::newRow("parent of all") << qint64(1) << QString() << 0700 << 0600 << false;
        QTest::newRow("folder readable by all")
            << GoneProcess << QString() << 0755 << 0600 << false;
        QTest::newRow("folder writable by the group")
            << GoneProcess << QString() << 0770 << 0600 << false;
        QTest::newRow("file readable by the group")
            << GoneProcess << QString() << 0700 << 0640 << false;
    }
    void offered()
    {
        QFETCH(qint64, processId);
        QFETCH(QString, process);
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QTemporaryDir root;
        const RecoveryStore store(root.filePath(u"recovery"_s));
        RecoveryStore::Copy copy = copyOf(u"/a.cfg"_s, "x", processId);
        copy.process = process == u"this" ? RecoveryStore::fromThisProcess().process : process;
        if (process == u"this")
            QVERIFY(!copy.process.isEmpty());
        const QString name = RecoveryStore::fileName(processId, copy.path);
        QCOMPARE(store.write(name, copy), QString());
        const QByteArray folder = QFile::encodeName(store.folder());
        QCOMPARE(::chmod(folder.constData(), mode_t(folderMode)), 0);
        QCOMPARE(::chmod(folder + '/' + QFile::encodeName(name), mode_t(fileMode)), 0);

        QTEST(!store.leftovers().isEmpty(), "offered");
        QVERIFY(QFile::exists(store.folder() + u'/' + name));
        if (folderMode != 0700)
            QVERIFY(!store.write(u"other.recovery"_s, copyOf({}, "y", GoneProcess)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_RecoveryStore)
#include "tst_recoverystore.moc"
