#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

// Another program changes the open document's file: the reload question while it is open,
// the overwrite question at Save.
class tst_ExternalChanges : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> m;

    QString path() { return m->bin("doc.cfg"); }
    void edit() { m->ui().txtTextBox->appendPlainText("MINE 1"); }
    // Another program writes the file, or writes a new one and renames it over the old.
    void writeElsewhere(const QByteArray& bytes, bool replace = false)
    {
        const QString written = replace ? path() + ".new" : path();
        QVERIFY(WriteBytes(written, bytes));
        if (replace)
            QVERIFY(QFile::remove(path()) && QFile::rename(written, path()));
    }

private slots:
    void init()
    {
        QVERIFY(m.emplace().window);
        QVERIFY(m->open("A 1", false, "doc.cfg"));
    }

    // Edited here, replaced by a rename, reloaded (Yes) or not.
    void reloadQuestion_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Yes", "No", "edited, No", "edited, Yes", "renamed, Yes"})
            QTest::newRow(how) << QString(how);
    }
    void reloadQuestion()
    {
        QFETCH(QString, how);
        const bool changed = how.startsWith("edited"), replace = how.startsWith("renamed");
        const auto answer = how.endsWith("Yes") ? QMessageBox::Yes : QMessageBox::No;
        if (changed)
            edit();
        m->dialogs.messageAnswers << answer;

        writeElsewhere("B 2\r\n", replace);

        QTRY_COMPARE(m->dialogs.count("message"), 1);
        const FakeDialogs::Call asked = m->dialogs.last("message");
        QCOMPARE(asked.text, path() + (changed ? " was changed by another program. Reload it and "
                                                 "lose the changes made here?"
                                               : " was changed by another program. Reload it?"));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m->document().text(), answer == QMessageBox::Yes ? "B 2\r\n"
                                       : changed                  ? "A 1\r\nMINE 1"
                                                                  : "A 1");
        QCOMPARE(m->document().DocumentChanged(), changed && answer == QMessageBox::No);

        // Still watched after the answer (and after a rename); a declined state is not asked
        // about twice, a further change is.
        writeElsewhere("C 3\r\n", replace);
        QTRY_COMPARE(m->dialogs.count("message"), 2);
        QTest::qWait(100);
        QCOMPARE(m->dialogs.count("message"), 2);
    }

    // The editor's own save and a rewrite with the same bytes ask nothing.
    void ownWritesAskNothing()
    {
        edit();
        m->trigger("mnuFilemnuSave");
        QCOMPARE(ReadBytes(path()), "A 1\r\nMINE 1\r\n");
        writeElsewhere("A 1\r\nMINE 1\r\n", true);
        QTest::qWait(300);
        QCOMPARE(m->dialogs.calls.size(), 0);
    }

    // Save asks before it writes over a file changed since; Save As elsewhere does not.
    void overwriteQuestionAtSave_data()
    {
        QTest::addColumn<QByteArray>("onDisk"); // empty: the file was deleted
        QTest::addColumn<QString>("saveAs");    // the name saved to; empty: Save
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QByteArray>("file");
        const QByteArray mine = "A 1\r\nMINE 1\r\n", theirs = "B 2\r\n";
        QTest::newRow("changed, overwrite")
            << theirs << QString() << QMessageBox::Yes << true << mine;
        QTest::newRow("changed, keep theirs")
            << theirs << QString() << QMessageBox::No << true << theirs;
        QTest::newRow("deleted: written again")
            << QByteArray() << QString() << QMessageBox::No << false << mine;
        QTest::newRow("changed, Save As elsewhere")
            << theirs << u"copy.cfg"_s << QMessageBox::No << false << mine;
    }
    void overwriteQuestionAtSave()
    {
        QFETCH(QByteArray, onDisk);
        QFETCH(QString, saveAs);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, asked);
        edit();
        if (onDisk.isEmpty())
            QVERIFY(QFile::remove(path()));
        else
            writeElsewhere(onDisk);
        if (answer == QMessageBox::Yes)
            m->dialogs.messageAnswers << answer; // No is left to the default button
        if (!saveAs.isEmpty())
            m->dialogs.saveAnswers << m->bin(saveAs);

        // Before the watcher is heard.
        m->trigger(saveAs.isEmpty() ? "mnuFilemnuSave" : "mnuFilemnuSaveAs");

        QCOMPARE(m->dialogs.count("message"), asked ? 1 : 0);
        if (asked) {
            const FakeDialogs::Call question = m->dialogs.last("message");
            QCOMPARE(question.text, path() + " was changed by another program since it was "
                                             "opened. Overwrite it?");
            QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(question.icon, QMessageBox::Warning);
        }
        QTEST(ReadBytes(saveAs.isEmpty() ? path() : m->bin(saveAs)), "file");
        QCOMPARE(m->document().DocumentChanged(), answer == QMessageBox::No && asked);
    }
};

QTEST_MAIN(tst_ExternalChanges)
#include "tst_externalchanges.moc"
