#include "core/PreferenceStore.h"

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
};

QTEST_GUILESS_MAIN(tst_PreferenceStore)
#include "tst_preferencestore.moc"
