#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/FileIdentity.h"
#include "core/SafeSave.h"
#include "support/FileBytes.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct stat statOf(const QString& path)
{
    struct stat status {};
    lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

QStringList everything(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

} // namespace

class tst_SaveFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_data; // the user's data folder, where the copies of old content go
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString doc() const { return path(u"doc.cfg"_s); }
    bool writeDoc(const QByteArray& bytes, const QDateTime& time = {})
    {
        QFile file(doc());
        return WriteBytes(doc(), bytes) &&
               (!time.isValid() || (file.open(QIODevice::ReadWrite) &&
                                    file.setFileTime(time, QFileDevice::FileModificationTime)));
    }
    QString copies() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/saves"_L1;
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path())); }
    void init()
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        SafeSave::setWriteHookForTesting({});
    }
    // No copy outlives its save.
    void cleanup() { QCOMPARE(everything(copies()), QStringList()); }

    // A pipe or a device is never replaced by a file, whether named or reached through a link.
    void notARegularFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("linked");
        QTest::newRow("pipe") << path(u"pipe"_s) << false;
        QTest::newRow("link to a pipe") << path(u"pipe"_s) << true;
        QTest::newRow("link to a device") << u"/dev/null"_s << true;
        QTest::newRow("folder") << path(u"folder"_s) << false;
    }
    void notARegularFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, linked);
        QVERIFY(mkfifo(QFile::encodeName(path(u"pipe"_s)).constData(), 0600) == 0);
        QVERIFY(QDir().mkdir(path(u"folder"_s)));
        const QString file = linked ? path(u"x.cfg"_s) : target;
        if (linked)
            QVERIFY(QFile::link(target, file));
        const mode_t kind = statOf(target).st_mode & S_IFMT;

        ConfigDocument document;
        document.load(QString(), u"A 1"_s);
        QCOMPARE(document.saveAs(file), u"Could not save %1: it is not a regular file"_s.arg(file));
        QCOMPARE(statOf(target).st_mode & S_IFMT, kind);
        QCOMPARE(everything(m_dir.path()).size(), linked ? 3 : 2);
    }

    // A /proc file reports no size: what is read stops past the limit, and Open refuses it.
    void readsNoMoreThanTheLimit()
    {
        const QString big = u"/proc/kallsyms"_s;
        const std::optional<QByteArray> bytes = ConfigFile::readWholeFile(big);
        if (!bytes || bytes->size() <= ConfigFile::MaxFileBytes)
            QSKIP("no large file under /proc to read");
        QCOMPARE(bytes->size(), ConfigFile::MaxFileBytes + 1);
        ConfigDocument document;
        QVERIFY(!document.loadFile(big));
        QVERIFY(!document.DocumentOpen());
    }

    // Another account saves a root-owned file, mode 664, in place where its folder will not take
    // a new file like it; one that may not write the file is refused with the reason.
    void savedByAnotherAccount_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<bool>("member");
        QTest::addColumn<QString>("failure");
        QTest::newRow("group member, folder only root may write") << 0755 << true << QString();
        QTest::newRow("group member, owner cannot be kept") << 0777 << true << QString();
        QTest::newRow("not a member") << 0777 << false << u"Permission denied"_s;
    }
    void savedByAnotherAccount()
    {
        QFETCH(int, folderMode);
        QFETCH(bool, member);
        if (geteuid() != 0)
            QSKIP("needs an administrator to act as another account");
        constexpr gid_t Group = 4242;
        constexpr uid_t Nobody = 65534;
        const QString folder = path(u"etc"_s), home = path(u"home"_s);
        const QString file = folder + u"/server.cfg"_s;
        QVERIFY(chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        QVERIFY(QDir().mkdir(home) &&
                chown(QFile::encodeName(home).constData(), Nobody, Nobody) == 0);
        QVERIFY(WriteBytes(file, "OLD 1\r\n"));
        QVERIFY(chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)) == 0);
        QVERIFY(chown(QFile::encodeName(file).constData(), 0, Group) == 0 &&
                chmod(QFile::encodeName(file).constData(), 0664) == 0);
        const struct stat before = statOf(file);

        const QString reported = home + u"/failure"_s; // where the child says how it went
        const pid_t child = fork();
        if (child == 0) {
            const gid_t groups[] = {Group};
            qputenv("XDG_DATA_HOME", QFile::encodeName(home));
            const bool dropped = setgroups(member ? 1 : 0, groups) == 0 && setgid(Nobody) == 0 &&
                                 setuid(Nobody) == 0;
            _exit(WriteBytes(reported, dropped ? SafeSave::write(file, "NEW 22\r\n").toUtf8()
                                               : "(could not become another account)")
                      ? 0
                      : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const QByteArray failure = ReadBytes(reported);
        QTEST(QString::fromUtf8(failure), "failure");
        QCOMPARE(ReadBytes(file), failure.isEmpty() ? "NEW 22\r\n" : "OLD 1\r\n");
        const struct stat after = statOf(file);
        QCOMPARE(QList<quint64>({after.st_ino, after.st_uid, after.st_gid, after.st_mode}),
                 QList<quint64>({before.st_ino, before.st_uid, before.st_gid, before.st_mode}));
        QCOMPARE(everything(folder), QStringList{u"server.cfg"_s});
        QCOMPARE(everything(home + u"/tst_savefile/saves"_s), QStringList());
    }

    // A write that fails in the middle of an in-place save: the old content goes back, or, when
    // that fails too, stays in a copy that can be put back or let go.
    void failedWriteInPlace_data()
    {
        QTest::addColumn<int>("failFrom"); // 1: the copy, 2: its content, 3: the file, 4: back
        QTest::addColumn<int>("failures");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("then"); // for a copy left over
        const QString copyFailed =
            u"no copy of its content can be kept in %1 (Input/output error)"_s;
        QTest::newRow("copy not written") << 1 << 1 << copyFailed << QString();
        QTest::newRow("copy's content not written") << 2 << 1 << copyFailed << QString();
        QTest::newRow("put back") << 3 << 1
                                  << u"Input/output error; the file was put back as it was"_s
                                  << QString();
        const QString kept = u"Input/output error; the file could not be put back as it was: its "
                             u"old content is in %2"_s;
        QTest::newRow("not put back, then restored") << 3 << 2 << kept << u"restore"_s;
        QTest::newRow("not put back, then discarded") << 3 << 2 << kept << u"discard"_s;
        QTest::newRow("not put back, nothing lost") << 3 << 2 << kept << u"intact"_s;
    }
    void failedWriteInPlace()
    {
        QFETCH(int, failFrom);
        QFETCH(int, failures);
        QFETCH(QString, failure);
        QFETCH(QString, then);
        const QString file = path(u"server.cfg"_s), other = path(u"other.cfg"_s);
        QVERIFY(WriteBytes(file, "OLD 1\r\n") && QFile::link(file, other + u".lnk"_s) &&
                link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()) ==
                    0);

        SafeSave::setWriteHookForTesting([=](int number, qsizetype size) {
            return number >= failFrom && number < failFrom + failures ? 0 : size;
        });
        const QString reported = ConfigFile::writeWholeFile(other + u".lnk"_s, "NEW 22\r\n");
        SafeSave::setWriteHookForTesting({});
        const QStringList left = everything(copies());
        const QString copy = left.isEmpty() ? QString() : copies() + u'/' + left[0];
        QCOMPARE(reported, QString(failure).replace(u"%1"_s, copies()).replace(u"%2"_s, copy));
        QCOMPARE(ReadBytes(other), "OLD 1\r\n");
        QCOMPARE(statOf(file).st_nlink, nlink_t(2));
        if (then.isEmpty())
            return;

        if (then != u"intact") { // as a failing disk might have left it
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.write("NEW") == 3);
        }
        const QList<SafeSave::LeftoverSave> leftovers = SafeSave::leftoverSaves();
        const QList<SafeSave::LeftoverSave> expected{{file, copy, QFileInfo(copy).lastModified()}};
        QCOMPARE(leftovers, then == u"intact" ? QList<SafeSave::LeftoverSave>() : expected);
        if (then == u"restore") {
            QCOMPARE(SafeSave::restoreLeftover(leftovers[0]), QString());
            QCOMPARE(ReadBytes(other), "OLD 1\r\n");
        } else if (then == u"discard") {
            SafeSave::discardLeftover(leftovers[0]);
            QCOMPARE(ReadBytes(other), "NEW 1\r\n");
        }
        QCOMPARE(SafeSave::leftoverSaves(), QList<SafeSave::LeftoverSave>());
        QCOMPARE(statOf(file).st_nlink, nlink_t(2));
    }

    // A save's temporary file is hidden and matches no "*.cfg*"; those that saves of the same
    // file killed half-way left go with its next save.
    void temporaryFiles()
    {
        const QString file = path(u"x.cfg"_s);
        QVERIFY(WriteBytes(file, "OLD 1\r\n"));
        const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
        const QStringList stale{u".x.cfg.dracfg-AbCd12"_s},
            kept{
                u".x.cfg.dracfg-AbCd123"_s, // not a name of ours
                u".y.cfg.dracfg-AbCd12"_s,  // another file's
                u".x.cfg.dracfg-Later1"_s,  // a save running now, in another program
            };
        for (const QString& name : stale + kept) {
            QFile made(path(name));
            QVERIFY(made.open(QIODevice::WriteOnly));
            QVERIFY(made.setFileTime(name.endsWith(u"Later1") ? hourAgo.addSecs(7200) : hourAgo,
                                     QFileDevice::FileModificationTime));
        }
        const mode_t mask = umask(022);
        QCOMPARE(SafeSave::write(file, "NEW 22\r\n"), QString());
        QCOMPARE(SafeSave::write(path(u"new.cfg"_s), "NEW 1\r\n"), QString());
        umask(mask);
        QCOMPARE(statOf(path(u"new.cfg"_s)).st_mode & 07777, mode_t(0644));
        QStringList expected = kept + QStringList{u"new.cfg"_s, u"x.cfg"_s};
        expected.sort();
        QCOMPARE(everything(m_dir.path()), expected);
    }

    // Whether the file was changed by another program since it was read or written.
    void changedOnDisk_data()
    {
        QTest::addColumn<QByteArray>("recorded"); // "(none)": nothing was recorded
        QTest::addColumn<QByteArray>("now");      // "(none)": the file is gone
        QTest::addColumn<int>("nowSecond");
        QTest::addColumn<bool>("changed");
        const QByteArray big(FileIdentity::MaxComparedBytes + 1, 'x');
        QByteArray bigOther = big;
        bigOther[0] = 'y';
        const auto row = [](const char* tag, const QByteArray& recorded, const QByteArray& now,
                            int nowSecond, bool changed) {
            QTest::newRow(tag) << recorded << now << nowSecond << changed;
        };
        row("untouched", "A 1\r\n", "A 1\r\n", 0, false);
        row("same bytes, new time", "A 1\r\n", "A 1\r\n", 30, false);
        row("longer", "A 1\r\n", "A 10\r\n", 30, true);
        row("same size and time, other bytes", "A 1\r\n", "A 2\r\n", 0, true);
        row("gone", "A 1\r\n", "(none)", 0, false);
        row("nothing recorded", "(none)", "A 1\r\n", 0, true);
        row("too large to hash, same time", big, bigOther, 0, false);
        row("too large to hash, new time", big, bigOther, 30, true);
    }
    void changedOnDisk()
    {
        QFETCH(QByteArray, recorded);
        QFETCH(QByteArray, now);
        QFETCH(int, nowSecond);
        const QDateTime base = QDateTime::currentDateTime().addDays(-1);
        QFile::remove(doc());

        if (recorded != "(none)")
            QVERIFY(writeDoc(recorded, base));
        const FileIdentity before = FileIdentity::of(doc());
        QCOMPARE(before.exists, recorded != "(none)");
        // Recorded from the bytes just written, as a save does, instead of read back.
        const FileIdentity written = FileIdentity::of(doc(), recorded);
        QFile::remove(doc());
        if (now != "(none)")
            QVERIFY(writeDoc(now, base.addSecs(nowSecond)));

        QTEST(::changedOnDisk(before, FileIdentity::of(doc())), "changed");
        QTEST(::changedOnDisk(written, FileIdentity::of(doc())), "changed");
    }
};

QTEST_GUILESS_MAIN(tst_SaveFile)
#include "tst_savefile.moc"
