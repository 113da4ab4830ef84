// Saves killed at random moments: the file keeps its old or its new content, or the old one
// can be put back from the copy the save kept, and no file the user would see is left beside it.

#include "core/SafeSave.h"
#include "support/FileBytes.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int RunsPerFile = 60;
constexpr gid_t Group = 4242;
constexpr uid_t Nobody = 65534;

struct stat statOf(const QString& path)
{
    struct stat status {};
    stat(QFile::encodeName(path).constData(), &status);
    return status;
}

} // namespace

class tst_SaveCrash : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QRandomGenerator m_random;
    int m_runs = 0, m_old = 0, m_new = 0, m_recovered = 0;
    // A longer and a shorter content, so that a save both grows and shrinks the file.
    const QByteArray m_contents[2] = {QByteArray("OLD 1\r\n").repeated(6000),
                                      QByteArray("NEW 22\r\n").repeated(40)};

    QString contentFile(int which) const { return m_dir.filePath(u"content%1"_s.arg(which)); }

private slots:
    void initTestCase()
    {
        const quint32 seed = qEnvironmentVariableIsSet("DRACFG_CRASH_SEED")
                                 ? quint32(qEnvironmentVariable("DRACFG_CRASH_SEED").toUInt())
                                 : QRandomGenerator::system()->generate();
        qInfo("seed %u (DRACFG_CRASH_SEED=%u repeats it)", seed, seed);
        m_random.seed(seed);
        QVERIFY(chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        for (int which : {0, 1})
            QVERIFY(WriteBytes(contentFile(which), m_contents[which]));
    }
    void cleanupTestCase()
    {
        qInfo("%d runs killed: %d old, %d new, %d put back from the copy", m_runs, m_old, m_new,
              m_recovered);
    }

    void killedWhileSaving_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("plain file") << u"plain"_s;
        QTest::newRow("symbolic link") << u"symlink"_s;
        QTest::newRow("hard link") << u"hardlink"_s;
        QTest::newRow("in place, folder not writable") << u"inplace"_s;
    }
    void killedWhileSaving()
    {
        QFETCH(QString, kind);
        const QString folder = m_dir.filePath(kind), data = folder + u".data"_s;
        const QString file = folder + u"/x.cfg"_s;
        const QString target = kind == u"symlink" ? folder + u"/real.cfg"_s : file;
        QStringList visible{u"x.cfg"_s};
        QVERIFY(WriteBytes(target, m_contents[0]) && QDir().mkpath(data));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data)); // where this and the child keep copies
        QString program = QStringLiteral(DRACFG_SAVE_LOOP);
        QStringList arguments{QCoreApplication::applicationName(), file};
        if (kind == u"symlink") {
            QVERIFY(QFile::link(target, file));
            visible.prepend(u"real.cfg"_s);
        } else if (kind == u"hardlink") {
            QVERIFY(link(QFile::encodeName(file).constData(),
                         QFile::encodeName(folder + u"/y.cfg"_s).constData()) == 0);
            visible.append(u"y.cfg"_s);
        } else if (kind == u"inplace") {
            const QByteArray native = QFile::encodeName(file);
            if (geteuid() == 0) { // a group member, as the folder's mode binds no administrator
                QVERIFY(chown(native.constData(), 0, Group) == 0 &&
                        chmod(native.constData(), 0664) == 0 &&
                        chown(QFile::encodeName(data).constData(), Nobody, Nobody) == 0);
                arguments = QStringList{u"--reuid=%1"_s.arg(Nobody), u"--regid=%1"_s.arg(Nobody),
                                        u"--groups=%1"_s.arg(Group), program} +
                            arguments;
                program = u"setpriv"_s;
            }
            QVERIFY(chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        }
        const struct stat before = statOf(target);

        for (int run = 0; run < RunsPerFile; ++run) {
            const int was = ReadBytes(target) == m_contents[0] ? 0 : 1;
            QProcess child;
            child.start(program, arguments + QStringList{contentFile(1 - was), contentFile(was)});
            QVERIFY2(child.waitForReadyRead(10000), child.readAllStandardError().constData());
            QThread::usleep(m_random.bounded(20000));
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(10000));
            QVERIFY2(child.exitStatus() == QProcess::CrashExit,
                     child.readAllStandardError().constData());
            ++m_runs;

            const QByteArray now = ReadBytes(target);
            const QList<SafeSave::LeftoverSave> leftovers = SafeSave::leftoverSaves();
            if (now == m_contents[was] || now == m_contents[1 - was]) {
                ++(now == m_contents[was] ? m_old : m_new);
                QCOMPARE(leftovers, QList<SafeSave::LeftoverSave>());
            } else {
                QCOMPARE(leftovers.size(), 1);
                QCOMPARE(leftovers[0].filePath, target);
                QCOMPARE(SafeSave::restoreLeftover(leftovers[0]), QString());
                QVERIFY(ReadBytes(target) == m_contents[0] || ReadBytes(target) == m_contents[1]);
                ++m_recovered;
            }
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                     visible);
            const struct stat after = statOf(target);
            QCOMPARE(
                QList<quint64>({after.st_uid, after.st_gid, after.st_mode, after.st_nlink}),
                QList<quint64>({before.st_uid, before.st_gid, before.st_mode, before.st_nlink}));
            if (kind == u"hardlink")
                QCOMPARE(statOf(folder + u"/y.cfg"_s).st_ino, after.st_ino);
        }
        QVERIFY(chmod(QFile::encodeName(folder).constData(), 0755) == 0);
    }
};

QTEST_GUILESS_MAIN(tst_SaveCrash)
#include "tst_savecrash.moc"
