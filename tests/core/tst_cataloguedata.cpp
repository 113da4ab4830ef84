// The shipped data: the DraCFG.mdb the build generates, the demo server's reference page and
// its sample files, in the shape the tree, the value editor and the help pane rely on.

#include "core/EditingState.h"
#include "core/SettingLookup.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QString kDatabase = DRACFG_BUILD_BIN_DIR "/DraCFG.mdb";
const QString kServer = DRACFG_DEMO_SERVER_DIR;

// The entry the value editor looks up first for a name, as its index.
int findSetting(const CatalogueTable& table, const QString& name)
{
    const QList<const CatalogueRow*> found = SettingLookup::candidates(table, name);
    return found.isEmpty() ? -1 : static_cast<int>(found.first() - table.rows().constData());
}

} // namespace

class tst_CatalogueData : public QObject {
    Q_OBJECT

private slots:
    void versions()
    {
        EditingState state;
        QVERIFY(state.load(kDatabase));
        const QStringList captions = state.versionCaptions();
        QVERIFY2(captions.size() >= 6 && captions.size() <= 10, qPrintable(captions.join(' ')));
        int previous = std::numeric_limits<int>::max();
        for (int i = 0; i < captions.size(); ++i) {
            // The list is built by position and the choice goes by Index: they must agree.
            state.chooseVersion(i);
            QCOMPARE(state.serverVersion(), captions.at(i).mid(1).toFloat());
            QVERIFY2(state.catalogue().size() < previous,
                     qPrintable(captions.at(i) + " knows no fewer"));
            previous = state.catalogue().size();
        }
    }

    void everySetting()
    {
        EditingState state; // the newest version, the first, knows every setting
        QVERIFY(state.load(kDatabase));
        const CatalogueTable& all = state.catalogue();
        QVERIFY2(all.size() >= 120, qPrintable(QString::number(all.size())));
        QFile file(kServer + "/Docs/techref/TRCFG/homecfgl.htm");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        QStringList categories; // in order of first appearance
        QHash<QString, QString> types;
        for (int i = 0; i < all.size(); ++i) {
            const CatalogueRow& row = all.at(i);
            const QString& name = row.SettingName();
            QVERIFY2(!row.Category().isEmpty() && !types.contains(name), qPrintable(name));
            types.insert(name, row.ValueType());
            // The list looks names up in capitals.
            QVERIFY2(name.startsWith(' ') || name == name.toUpper(), qPrintable(name));
            if (categories.isEmpty() || categories.constLast() != row.Category()) {
                QVERIFY2(!categories.contains(row.Category()), qPrintable("back at " + name));
                categories.append(row.Category());
            }
            QVERIFY2(page.contains("<a name=\"" + row.HelpLink().mid(1) + "\">"),
                     qPrintable(row.HelpLink()));
            // Written with a suffix, or as ";NAME" to comment it out, a setting has no exact
            // entry: the first whose name occurs inside must be the setting itself.
            QStringList written{name};
            if (row.ValueType() == "multiple") {
                const QStringList suffixes = row.Choices().split('|');
                QVERIFY2(suffixes.size() >= 2 && !suffixes.contains(""), qPrintable(name));
                for (const QString& suffix : suffixes)
                    written.append(name + suffix);
            }
            for (const QString& w : std::as_const(written))
                QVERIFY2(findSetting(all, w) == i &&
                             (name.startsWith(' ') || findSetting(all, ';' + w) == i),
                         qPrintable(w));
        }
        QVERIFY2(categories.size() >= 10, qPrintable(categories.join(", ")));
        QCOMPARE(QSet<QString>(types.cbegin(), types.cend()),
                 (QSet<QString>{"number", "string", "combo", "boolean", "multiple", "null"}));
        QCOMPARE(types.value(" COMMENT(;)"), "string");
        QCOMPARE(types.value(" BLANK LINE"), "null");
    }

    void sampleFiles() { QVERIFY(QDir(kServer + "/bin").entryList({"*.cfg"}).size() >= 2); }
};

QTEST_GUILESS_MAIN(tst_CatalogueData)
#include "tst_cataloguedata.moc"
