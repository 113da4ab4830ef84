#include "core/RecentFiles.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// "/f1" ... "/fn"
QStringList numbered(int first, int last)
{
    QStringList paths;
    for (int i = first; i <= last; ++i)
        paths << u"/f%1"_s.arg(i);
    return paths;
}

} // namespace

class tst_RecentFiles : public QObject {
    Q_OBJECT

private slots:
    void add_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first") << QStringList{} << u"/a.cfg"_s << QStringList{u"/a.cfg"_s};
        QTest::newRow("newest first")
            << QStringList{u"/a"_s, u"/b"_s} << u"/c"_s << QStringList{u"/c"_s, u"/a"_s, u"/b"_s};
        QTest::newRow("again moves to the front")
            << QStringList{u"/a"_s, u"/b"_s, u"/c"_s} << u"/c"_s
            << QStringList{u"/c"_s, u"/a"_s, u"/b"_s};
        QTest::newRow("same file written otherwise")
            << QStringList{u"/a/b.cfg"_s, u"/c"_s} << u"/a/./x/../b.cfg"_s
            << QStringList{u"/a/b.cfg"_s, u"/c"_s};
        QTest::newRow("ninth drops the oldest")
            << numbered(1, 8) << u"/new"_s << QStringList{u"/new"_s} + numbered(1, 7);
        QTest::newRow("relative name ignored")
            << QStringList{u"/a"_s} << u"b.cfg"_s << QStringList{u"/a"_s};
        QTest::newRow("line break ignored")
            << QStringList{u"/a"_s} << u"/b\n/c"_s << QStringList{u"/a"_s};
    }
    void add()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        RecentFiles list(before);
        list.add(added);
        QTEST(list.paths(), "after");
        QCOMPARE(RecentFiles::fromStored(list.toStored()).paths(), list.paths());
    }

    void removeAndClear()
    {
        RecentFiles list({u"/a"_s, u"/b"_s, u"/c"_s});
        list.remove(u"/b"_s);
        list.remove(u"/never"_s);
        QCOMPARE(list.paths(), (QStringList{u"/a"_s, u"/c"_s}));
        list.clear();
        QVERIFY(list.isEmpty());
        QCOMPARE(list.toStored(), QString());
    }

    // What a damaged or hand-edited store holds reads as the sound part of a list.
    void fromStored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("not paths") << u"true"_s << QStringList{};
        QTest::newRow("blank lines and duplicates")
            << u"\n/a\n\n/b\n/a\n"_s << QStringList{u"/a"_s, u"/b"_s};
        QTest::newRow("relative mixed in") << u"x.cfg\n/a"_s << QStringList{u"/a"_s};
        QTest::newRow("too many") << numbered(1, 12).join(u'\n') << numbered(1, 8);
    }
    void fromStored()
    {
        QFETCH(QString, stored);
        QTEST(RecentFiles::fromStored(stored).paths(), "paths");
    }

    void menuCaption_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("plain") << 1 << u"/srv/a.cfg"_s << u"&1 /srv/a.cfg"_s;
        QTest::newRow("ampersand shown") << 8 << u"/R&D/a.cfg"_s << u"&8 /R&&D/a.cfg"_s;
    }
    void menuCaption()
    {
        QFETCH(int, number);
        QFETCH(QString, path);
        QTEST(RecentFiles::menuCaption(number, path), "caption");
    }
};

QTEST_GUILESS_MAIN(tst_RecentFiles)
#include "tst_recentfiles.moc"
