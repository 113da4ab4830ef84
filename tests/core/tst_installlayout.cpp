#include "core/InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_InstallLayout : public QObject {
    Q_OBJECT

private slots:
    void dataDirectory_data()
    {
        QTest::addColumn<QStringList>("catalogues"); // folders below the prefix holding one
        QTest::addColumn<QString>("chosen");
        QTest::newRow("build tree: beside the program") << QStringList{u"bin"_s} << u"bin"_s;
        QTest::newRow("installed")
            << QStringList{u"share/dracfg-editor"_s} << u"share/dracfg-editor"_s;
        QTest::newRow("beside wins") << QStringList{u"bin"_s, u"share/dracfg-editor"_s} << u"bin"_s;
        QTest::newRow("nowhere: the program's own, to be reported") << QStringList{} << u"bin"_s;
        QTest::newRow("a folder of that name is no catalogue")
            << QStringList{u"share/dracfg-editor/DraCFG.mdb"_s} << u"bin"_s;
    }
    void dataDirectory()
    {
        QFETCH(QStringList, catalogues);
        QFETCH(QString, chosen);
        QTemporaryDir prefix;
        QDir(prefix.path()).mkpath(u"bin"_s);
        for (const QString& folder : catalogues) {
            QDir(prefix.path()).mkpath(folder);
            QVERIFY(folder.endsWith(u".mdb"_s) ||
                    QFile(prefix.filePath(folder + u"/DraCFG.mdb"_s)).open(QIODevice::WriteOnly));
        }
        QCOMPARE(InstallLayout::dataDirectory(prefix.filePath(u"bin"_s)), prefix.filePath(chosen));
    }
};

QTEST_GUILESS_MAIN(tst_InstallLayout)
#include "tst_installlayout.moc"
