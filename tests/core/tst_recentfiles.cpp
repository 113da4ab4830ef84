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
    // A list read from its stored form, then changed: "+path" adds, "-path" removes. What a
    // damaged or hand-edited store holds reads as the sound part of a list.
    void storedAndChanged_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QStringList>("after");
        const auto row = [](const char* tag, const QString& stored, const QStringList& moves,
                            const QStringList& after) {
            QTest::newRow(tag) << stored << moves << after;
        };
        row("first", QString(), {u"+/a.cfg"_s}, {u"/a.cfg"_s});
        row("newest first", u"/a\n/b"_s, {u"+/c"_s}, {u"/c"_s, u"/a"_s, u"/b"_s});
        row("again moves to the front", u"/a\n/b\n/c"_s, {u"+/c"_s}, {u"/c"_s, u"/a"_s, u"/b"_s});
        row("same file written otherwise", u"/a/b.cfg\n/c"_s, {u"+/a/./x/../b.cfg"_s},
            {u"/a/b.cfg"_s, u"/c"_s});
        row("ninth drops the oldest", numbered(1, 8).join(u'\n'), {u"+/new"_s},
            QStringList{u"/new"_s} + numbered(1, 7));
        row("relative name ignored", u"/a"_s, {u"+b.cfg"_s}, {u"/a"_s});
        row("line break ignored", u"/a"_s, {u"+/b\n/c"_s}, {u"/a"_s});
        row("removed, unknown ignored", u"/a\n/b\n/c"_s, {u"-/b"_s, u"-/never"_s},
            {u"/a"_s, u"/c"_s});
        row("cleared", u"/a\n/b"_s, {u"clear"_s}, {});
        row("stored: not paths", u"true"_s, {}, {});
        row("stored: blank lines and duplicates", u"\n/a\n\n/b\n/a\n"_s, {}, {u"/a"_s, u"/b"_s});
        row("stored: relative mixed in", u"x.cfg\n/a"_s, {}, {u"/a"_s});
        row("stored: too many", numbered(1, 12).join(u'\n'), {}, numbered(1, 8));
    }
    void storedAndChanged()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, moves);
        QFETCH(QStringList, after);
        RecentFiles list = RecentFiles::fromStored(stored);
        for (const QString& move : moves) {
            if (move == u"clear")
                list.clear();
            else if (move.startsWith(u'+'))
                list.add(move.mid(1));
            else
                list.remove(move.mid(1));
        }
        QCOMPARE(list.paths(), after);
        QCOMPARE(list.isEmpty(), after.isEmpty());
        QCOMPARE(list.toStored(), after.join(u'\n'));
        QCOMPARE(RecentFiles::fromStored(list.toStored()).paths(), after);
    }

    void menuCaption()
    {
        QCOMPARE(RecentFiles::menuCaption(1, u"/srv/a.cfg"_s), u"&1 /srv/a.cfg"_s);
        QCOMPARE(RecentFiles::menuCaption(8, u"/R&D/a.cfg"_s),
                 u"&8 /R&&D/a.cfg"_s); // shown, not a key
    }
};

QTEST_GUILESS_MAIN(tst_RecentFiles)
#include "tst_recentfiles.moc"
