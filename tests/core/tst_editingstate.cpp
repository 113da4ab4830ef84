#include "core/EditingState.h"
#include "support/CatalogueFixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

FixtureSetting Setting(const QString& name, double version)
{
    return {"X", name, version, "", "", "", "", ""};
}

class tst_EditingState : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString path() const { return folder.filePath(u"DraCFG.mdb"_s); }

    QStringList names(const EditingState& state) const
    {
        QStringList names;
        for (const CatalogueRow& row : state.catalogue().rows())
            names.append(row.SettingName());
        return names;
    }

private slots:
    void init()
    {
        QVERIFY(WriteFixtureCatalogue(
            path(), {Setting("A", 1), Setting("B", 1), Setting("C", 2.1), Setting("D", 3)},
            {3, 2.1, 1, 0.5}));
    }

    // Choices after the load come from memory: the database is gone by then.
    void versionChoice_data()
    {
        QTest::addColumn<int>("before"); // chosen before the load
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("version");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("changes");
        const auto row = [](const char* tag, int before, const QList<int>& choices, int index,
                            float version, const QStringList& settings, int changes) {
            QTest::newRow(tag) << before << choices << index << version << settings << changes;
        };
        const QStringList all{"A", "B", "C", "D"}, first{"A", "B"};
        row("the first", 0, {}, 0, 3.0f, all, 0);
        row("an earlier one", 0, {2}, 2, 1.0f, first, 1);
        row("the same again", 0, {2, 2}, 2, 1.0f, first, 1);
        row("one offering none keeps the last", 0, {2, 3}, 3, 0.5f, first, 2);
        row("a position no row has: version 0", 0, {2, 7}, 7, 0.0f, first, 2);
        row("out of range: the first", 0, {2, 10, -1}, 0, 3.0f, all, 2);
        // Both sides in single precision: in double, the stored 2.1 would exceed 2.1f.
        row("stored before the load", 1, {}, 1, 2.1f, {"A", "B", "C"}, 0);
        row("stored, no row: nothing offered", 8, {}, 8, 0.0f, {}, 0);
    }
    void versionChoice()
    {
        QFETCH(int, before);
        QFETCH(QList<int>, choices);
        EditingState state;
        state.chooseVersion(before);
        QString error;
        QVERIFY(state.load(path(), &error));
        QVERIFY(error.isEmpty() && state.isLoaded());
        QCOMPARE(state.versionCaptions(), (QStringList{"v3", "v2.1", "v1", "v0.5"}));
        QCOMPARE(state.everyVersion().settings.size(), 4);
        QVERIFY(QFile::remove(path()));
        QSignalSpy changes(&state, &EditingState::versionChanged);
        for (int choice : choices)
            state.chooseVersion(choice);
        QTEST(state.versionIndex(), "index");
        QTEST(state.serverVersion(), "version");
        QTEST(names(state), "settings");
        QTEST(int(changes.size()), "changes");
    }

    void flagSignalsOnlyARealChange_data()
    {
        QTest::addColumn<QByteArray>("flag"); // set<Flag>(bool), signal <flag>Changed(bool)
        for (const char* flag : {"ListByCategory", "ConfirmDelete", "HelpShown", "ProblemsShown"})
            QTest::newRow(flag) << QByteArray(flag);
    }
    void flagSignalsOnlyARealChange()
    {
        QFETCH(QByteArray, flag);
        EditingState state;
        const QByteArray changed = flag.left(1).toLower() + flag.mid(1) + "Changed(bool)";
        QSignalSpy spy(&state, QByteArray(QT_STRINGIFY(QSIGNAL_CODE)) + changed);
        // True at first, as with an empty preference store.
        for (bool value : {true, false, false, true})
            QVERIFY(
                QMetaObject::invokeMethod(&state, ("set" + flag).constData(), Q_ARG(bool, value)));
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
    }
};

QTEST_GUILESS_MAIN(tst_EditingState)
#include "tst_editingstate.moc"
