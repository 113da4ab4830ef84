#include "core/FileIdentity.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_FileIdentity : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path() const { return m_dir.filePath(u"doc.cfg"_s); }
    bool write(const QByteArray& bytes, const QDateTime& time = {})
    {
        QFile file(path());
        return WriteBytes(path(), bytes) &&
               (!time.isValid() || (file.open(QIODevice::ReadWrite) &&
                                    file.setFileTime(time, QFileDevice::FileModificationTime)));
    }

private slots:
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
        QFile::remove(path());

        if (recorded != "(none)")
            QVERIFY(write(recorded, base));
        const FileIdentity before = FileIdentity::of(path());
        QCOMPARE(before.exists, recorded != "(none)");
        // Recorded from the bytes just written, as a save does, instead of read back.
        const FileIdentity written = FileIdentity::of(path(), recorded);
        QFile::remove(path());
        if (now != "(none)")
            QVERIFY(write(now, base.addSecs(nowSecond)));

        QTEST(::changedOnDisk(before, FileIdentity::of(path())), "changed");
        QTEST(::changedOnDisk(written, FileIdentity::of(path())), "changed");
    }
};

QTEST_GUILESS_MAIN(tst_FileIdentity)
#include "tst_fileidentity.moc"
