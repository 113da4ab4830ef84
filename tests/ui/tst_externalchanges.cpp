#include "support/EditorFixture.h"
#include "support/FileBytes.h"

using namespace std::chrono_literals;

// Another program changes the open document's file: the reload question while it is open,
// the overwrite question at Save.
class tst_ExternalChanges : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> m;

    QString path() { return m->bin("doc.cfg"); }
    void edit() { m->ui().txtTextBox->appendPlainText("MINE 1"); }
    // Another program writes the file; renamed over it as many programs save.
    void writeElsewhere(const QByteArray& bytes, bool replace = false)
    {
        if (!replace) {
            QVERIFY(WriteBytes(path(), bytes));
            return;
        }
        const QString temporary = path() + ".new";
        QVERIFY(WriteBytes(temporary, bytes));
        QVERIFY(QFile::remove(path()));
        QVERIFY(QFile::rename(temporary, path()));
    }
    QString reloadQuestion(bool changed)
    {
        return path() + (changed ? " was changed by another program. Reload it and lose the "
                                   "changes made here?"
                                 : " was changed by another program. Reload it?");
    }

private slots:
    void init()
    {
        QVERIFY(m.emplace().window);
        QVERIFY(m->open("A 1", false, "doc.cfg"));
    }

    void reloadQuestion_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("text");
        QTest::newRow("unchanged, reload") << false << false << QMessageBox::Yes << "B 2\r\n";
        QTest::newRow("unchanged, keep") << false << false << QMessageBox::No << "A 1";
        QTest::newRow("changed, keep mine") << true << false << QMessageBox::No << "A 1\r\nMINE 1";
        QTest::newRow("changed, reload") << true << false << QMessageBox::Yes << "B 2\r\n";
        QTest::newRow("replaced by rename") << false << true << QMessageBox::Yes << "B 2\r\n";
    }
    void reloadQuestion()
    {
        QFETCH(bool, changed);
        QFETCH(bool, replace);
        QFETCH(QMessageBox::StandardButton, answer);
        if (changed)
            edit();
        m->dialogs.messageAnswers << answer;

        writeElsewhere("B 2\r\n", replace);

        QTRY_COMPARE(m->dialogs.count("message"), 1);
        const FakeDialogs::Call asked = m->dialogs.last("message");
        QCOMPARE(asked.text, reloadQuestion(changed));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QTEST(m->document().text(), "text");
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

    void overwriteQuestionAtSave_data()
    {
        QTest::addColumn<QString>("onDisk"); // "deleted", "touched" or the bytes written
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("changed, overwrite")
            << "B 2\r\n"
            << QMessageBox::Yes << true << QByteArray("A 1\r\nMINE 1\r\n");
        QTest::newRow("changed, keep theirs") << "B 2\r\n"
                                              << QMessageBox::No << true << QByteArray("B 2\r\n");
        QTest::newRow("same size, other bytes") << "A 2\r\n"
                                                << QMessageBox::No << true << QByteArray("A 2\r\n");
        QTest::newRow("deleted: written again")
            << "deleted" << QMessageBox::No << false << QByteArray("A 1\r\nMINE 1\r\n");
        QTest::newRow("touched: same bytes")
            << "touched" << QMessageBox::No << false << QByteArray("A 1\r\nMINE 1\r\n");
    }
    void overwriteQuestionAtSave()
    {
        QFETCH(QString, onDisk);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, asked);
        edit();
        if (onDisk == "deleted") {
            QVERIFY(QFile::remove(path()));
        } else if (onDisk == "touched") {
            QFile file(path());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                     QFileDevice::FileModificationTime));
        } else {
            writeElsewhere(onDisk.toLatin1());
        }
        if (answer == QMessageBox::Yes)
            m->dialogs.messageAnswers << answer; // No is left to the default button

        m->trigger("mnuFilemnuSave"); // before the watcher is heard

        QCOMPARE(m->dialogs.count("message"), asked ? 1 : 0);
        if (asked) {
            const FakeDialogs::Call question = m->dialogs.last("message");
            QCOMPARE(question.text, path() + " was changed by another program since it was "
                                             "opened. Overwrite it?");
            QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(question.icon, QMessageBox::Warning);
        }
        QTEST(ReadBytes(path()), "file");
        QCOMPARE(m->document().DocumentChanged(), answer == QMessageBox::No && asked);
    }

    void saveAsElsewhereAsksNothing()
    {
        edit();
        writeElsewhere("B 2\r\n");
        m->dialogs.saveAnswers << m->bin("copy.cfg");
        m->trigger("mnuFilemnuSaveAs");
        QCOMPARE(m->dialogs.count("message"), 0);
        QCOMPARE(ReadBytes(m->bin("copy.cfg")), "A 1\r\nMINE 1\r\n");
    }
};

QTEST_MAIN(tst_ExternalChanges)
#include "tst_externalchanges.moc"
