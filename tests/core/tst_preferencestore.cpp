#include "core/PreferenceStore.h"
#include "core/RecentFiles.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

template <typename T> QString Shown(std::optional<T> value)
{
    if (!value)
        return u"-"_s;
    if constexpr (std::is_same_v<T, bool>)
        return *value ? u"true"_s : u"false"_s;
    else
        return QString::number(*value);
}

// The reader's answer, or nothing when it fell back to its default: two defaults tell them apart.
template <typename T>
std::optional<T> readBack(T (*reader)(QSettings&, const QString&, T), T one, T other)
{
    const auto store = PreferenceStore::open();
    const T first = reader(*store, u"DravaneVersion"_s, one);
    return first == reader(*store, u"DravaneVersion"_s, other) ? std::optional(first)
                                                               : std::nullopt;
}

// "/f1" ... "/fn"
QStringList numbered(int first, int last)
{
    QStringList paths;
    for (int i = first; i <= last; ++i)
        paths << u"/f%1"_s.arg(i);
    return paths;
}

} // namespace

class tst_PreferenceStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_configHome;

private slots:
    void initTestCase()
    {
        // Run by hand rather than by ctest, keep away from the user's own preferences.
        if (!qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
            qputenv("XDG_CONFIG_HOME", m_configHome.path().toLocal8Bit());
        // Moving the file would lose every user's stored preferences.
        QCOMPARE(PreferenceStore::open()->fileName(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + u"/DraCFG Editor/DraCFG Editor.conf"_s);
    }
    void init() { PreferenceStore::open()->clear(); }

    // Each reader answers as its conversion of the trimmed stored text, or with its default.
    void storedText_data()
    {
        QTest::addColumn<QString>("text"); // null: not stored
        QTest::addColumn<QString>("read"); // bool|single|int16|version index; "-": the default

        QTest::newRow("True") << u"True"_s << u"true|-|-|0"_s;
        QTest::newRow("false in any case, padded") << u" fALSE "_s << u"false|-|-|0"_s;
        QTest::newRow("zero") << u"0"_s << u"false|0|0|0"_s;
        QTest::newRow("minus one") << u"-1"_s << u"true|-1|-1|0"_s;
        QTest::newRow("last version, padded") << u" 9 "_s << u"true|9|9|9"_s;
        QTest::newRow("past the version menu") << u"10"_s << u"true|10|10|0"_s;
        QTest::newRow("2.5, half to even") << u"2.5"_s << u"true|2.5|2|0"_s;
        QTest::newRow("-3.5, half to even") << u"-3.5"_s << u"true|-3.5|-4|0"_s;
        QTest::newRow("rounds onto 16 bits") << u"32767.4"_s << u"true|32767.4|32767|0"_s;
        QTest::newRow("rounds past 16 bits") << u"32767.5"_s << u"true|32767.5|-|0"_s;
        QTest::newRow("16-bit bottom") << u"-32768"_s << u"true|-32768|-32768|0"_s;
        QTest::newRow("beyond 16 bits") << u"40000"_s << u"true|40000|-|0"_s;
        QTest::newRow("beyond a single") << u"1e39"_s << u"true|-|-|0"_s;
        QTest::newRow("not a number") << u"NaN"_s << u"-|-|-|0"_s;
        QTest::newRow("infinite") << u"-inf"_s << u"-|-|-|0"_s;
        QTest::newRow("a word") << u"maybe"_s << u"-|-|-|0"_s;
        QTest::newRow("empty") << u""_s << u"-|-|-|0"_s;
        QTest::newRow("absent") << QString() << u"-|-|-|0"_s;
    }
    void storedText()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        using namespace PreferenceStore;

        // Under the version index's key, so that every reader reads the one text.
        if (!text.isNull())
            open()->setValue(u"Settings/DravaneVersion"_s, text);
        QCOMPARE(Shown(readBack<bool>(readBool, false, true)) + u'|' +
                     Shown(readBack<float>(readSingle, -0.5f, 0.5f)) + u'|' +
                     Shown(readBack<qint16>(readInt16, -7, 7)) + u'|' +
                     QString::number(storedVersionIndex()),
                 read);
    }

    void writtenTextsAsANewReaderSeesThem()
    {
        {
            using namespace PreferenceStore;
            const auto store = open();
            writeBool(*store, u"A"_s, true);
            writeBool(*store, u"B"_s, false);
            writeSingle(*store, u"C"_s, 1234.5678f); // seven significant digits, a point
            writeSingle(*store, u"D"_s, -3000.0f);
            writeInt(*store, u"E"_s, 40000);
            writeText(*store, u"F"_s, u" padded "_s);
        } // written out as the store goes
        const QSettings fresh(PreferenceStore::open()->fileName(), QSettings::IniFormat);
        QStringList stored;
        for (const QString& key : fresh.allKeys())
            stored += key + u'=' + fresh.value(key).toString();
        QCOMPARE(stored.join(u';'), u"Settings/A=True;Settings/B=False;Settings/C=1234.568;"
                                    u"Settings/D=-3000;Settings/E=40000;Settings/F= padded "_s);
        const auto store = PreferenceStore::open();
        QCOMPARE(PreferenceStore::readText(*store, u"F"_s, {}), u" padded "_s);
        QCOMPARE(PreferenceStore::readText(*store, u"G"_s, u"default"_s), u"default"_s);
    }

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

QTEST_GUILESS_MAIN(tst_PreferenceStore)
#include "tst_preferencestore.moc"
