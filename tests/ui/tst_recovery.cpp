#include "app/TerminationSignals.h"
#include "core/ConfigFile.h"
#include "core/RecoveryStore.h"
#include "core/SafeSave.h"
#include "support/EditorFixture.h"
#include "ui/Recovery.h"

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// No process has this id: kill() refuses it as it refuses any id above the system's limit.
constexpr qint64 GoneProcess = 2147483647;

QStringList copiesIn(const RecoveryStore& store)
{
    return QDir(store.folder()).entryList(QDir::Files);
}

// A copy an ended session left of path ("": untitled).
QString leaveCopy(const QString& path, const QByteArray& bytes, bool textView,
                  const QDateTime& time = QDateTime::currentDateTimeUtc())
{
    const RecoveryStore::Copy copy{path, bytes, textView, time, GoneProcess, {}, {}};
    const QString name = RecoveryStore::fileName(GoneProcess, path);
    return RecoveryStore().write(name, copy).isEmpty() ? name : QString();
}

} // namespace

class tst_Recovery : public QObject {
    Q_OBJECT

private slots:
    // The program's own folder, so that this process and a started editor share it.
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(u"DraCFG Editor"_s);
        QCoreApplication::setApplicationName(u"DraCFG Editor"_s);
    }

    // A change gets a copy once it settles, holding what a save would write; whatever ends the
    // unsaved changes without a crash removes it.
    void copyFollowsTheChanges_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("textView");
        QTest::newRow("Save") << u"mnuFilemnuSave"_s << true;
        QTest::newRow("Close, No") << u"mnuFileClose"_s << false;
        QTest::newRow("Exit, No") << u"mnuFilemnuExit"_s << true;
    }
    void copyFollowsTheChanges()
    {
        QFETCH(QString, end);
        QFETCH(bool, textView);
        EditorFixture f;
        QVERIFY(f.open("\xEF\xBB\xBFNAME=\xC3\xA9\nB=1\n", !textView));
        if (textView) {
            f.ui().txtTextBox->setFocus();
            QTest::keyClicks(f.ui().txtTextBox, u"X=2 "_s);
        } else {
            QVERIFY(f.clickRow(1));
            f.trigger(u"mnuEditDelete"_s);
        }
        QVERIFY(f.document().DocumentChanged());
        const RecoveryStore store;
        QVERIFY(copiesIn(store).isEmpty()); // not at once

        QTRY_COMPARE(copiesIn(store).size(), 1);
        const auto copy =
            RecoveryStore::parse(ReadBytes(store.folder() + u'/' + copiesIn(store)[0]));
        QVERIFY(copy);
        QCOMPARE(copy->path, f.bin(u"test.cfg"_s));
        QCOMPARE(copy->bytes, *f.document().bytesToWrite().bytes);
        QCOMPARE(copy->textView, textView);
        QVERIFY(store.leftovers().isEmpty()); // this editor still runs

        f.dialogs.messageAnswers << QMessageBox::No;
        f.trigger(end);
        QVERIFY(!f.document().DocumentChanged());
        QCOMPARE(copiesIn(store), QStringList());
    }

    // A file whose rewrite in place failed half way, leaving its old content in a copy, is
    // offered back first: Yes puts that content back, No leaves the file as it is.
    void interruptedSaveOffered_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("Yes") << QMessageBox::Yes;
        QTest::newRow("No") << QMessageBox::No;
    }
    void interruptedSaveOffered()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        TestEnvironment env;
        const QString file = env.writeFile(u"server/bin/a.cfg"_s, "OLD 1\r\n");
        // A second name: the file is rewritten in place.
        QVERIFY(link(QFile::encodeName(file).constData(),
                     QFile::encodeName(file + u"2"_s).constData()) == 0);
        // The write of the new content fails, and so does putting the old one back.
        SafeSave::setWriteHookForTesting(
            [](int number, qsizetype size) { return number == 3 || number == 4 ? 0 : size; });
        QVERIFY(!ConfigFile::writeWholeFile(file, "NEW 22\r\n").isEmpty());
        SafeSave::setWriteHookForTesting({});
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.write("NEW") == 3);
        damaged.close();
        FakeDialogs dialogs;
        dialogs.messageAnswers << answer;

        const auto window = env.startMainWindow(dialogs);

        QVERIFY(window);
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].text, u"DraCFG Editor ended while saving "_s + file +
                                            u", which may now be incomplete. Put back the content "
                                            u"it had before that save?"_s);
        QCOMPARE(ReadBytes(file), answer == QMessageBox::Yes ? "OLD 1\r\n" : "NEW 1\r\n");
        QCOMPARE(SafeSave::leftoverSaves(), QList<SafeSave::LeftoverSave>());
    }

    // Each copy is offered once: Yes brings its text back as unsaved changes to its file, No
    // discards it.
    void offeredAtStart_data()
    {
        QTest::addColumn<QString>("original"); // "": untitled; "gone.cfg" does not exist
        QTest::addColumn<bool>("textView");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("Yes, list") << u"a.cfg"_s << false << QMessageBox::Yes;
        QTest::newRow("Yes, text") << u"a.cfg"_s << true << QMessageBox::Yes;
        QTest::newRow("Yes, file gone") << u"gone.cfg"_s << true << QMessageBox::Yes;
        QTest::newRow("Yes, untitled") << QString() << false << QMessageBox::Yes;
        QTest::newRow("No") << u"a.cfg"_s << true << QMessageBox::No;
    }
    void offeredAtStart()
    {
        QFETCH(QString, original);
        QFETCH(bool, textView);
        QFETCH(QMessageBox::StandardButton, answer);
        TestEnvironment env;
        const QString path = original.isEmpty() ? QString() : env.path(u"server/bin/"_s + original);
        if (original == u"a.cfg")
            env.writeFile(u"server/bin/a.cfg"_s, "NAME=old\n");
        // UTF-8; in the text view, a line the list would write otherwise.
        const QByteArray bytes = textView ? "NAME \xC3\xA9t\xC3\xA9\r\n  B   1\r\n"
                                          : "NAME \xC3\xA9t\xC3\xA9\r\nB 1\r\n";
        const QString left = leaveCopy(path, bytes, textView);
        QVERIFY(!left.isEmpty());
        FakeDialogs dialogs;
        dialogs.messageAnswers << answer;

        const auto window = env.startMainWindow(dialogs);

        QVERIFY(window);
        QCOMPARE(dialogs.calls.size(), 1);
        const QString name = path.isEmpty() ? u"Untitled"_s : path;
        QCOMPARE(dialogs.calls[0].text,
                 u"DraCFG Editor ended while "_s + name + u" had unsaved changes. Recover them?"_s);
        QCOMPARE(dialogs.calls[0].buttons, QMessageBox::Yes | QMessageBox::No);
        const ConfigDocument& document = window->document();
        const QStringList copies = copiesIn(RecoveryStore());
        QVERIFY(!copies.contains(left));
        if (original == u"a.cfg")
            QCOMPARE(ReadBytes(path), QByteArray("NAME=old\n"));
        QCOMPARE(document.DocumentOpen(), answer == QMessageBox::Yes);
        QCOMPARE(copies.size(), document.DocumentOpen() ? 1 : 0); // this session's own
        if (answer == QMessageBox::No)
            return;
        QCOMPARE(document.path(), path);
        QVERIFY(document.DocumentChanged());
        QCOMPARE(WindowControls(*window).txtTextBox->isVisible(), textView);
        QCOMPARE(*document.bytesToWrite().bytes, bytes);
        QCOMPARE(window->windowTitle(), u"DraCFG Editor ["_s + name + u']');
    }

    // With a recovered document changed already, the next Yes asks the save question first;
    // Cancel keeps both the document and the second copy.
    void secondRecoveryAsksToSaveFirst()
    {
        TestEnvironment env;
        const QString first = env.path(u"server/bin/first.cfg"_s);
        // Copies are offered oldest first; two written within a millisecond would tie.
        QVERIFY(!leaveCopy(first, "A=1\r\n", false, QDateTime::currentDateTimeUtc().addSecs(-1))
                     .isEmpty());
        const QString second = leaveCopy(env.path(u"server/bin/second.cfg"_s), "B=2\r\n", false);
        QVERIFY(!second.isEmpty());
        FakeDialogs dialogs;
        dialogs.messageAnswers << QMessageBox::Yes << QMessageBox::Yes << QMessageBox::Cancel;

        const auto window = env.startMainWindow(dialogs);

        QVERIFY(window);
        QCOMPARE(dialogs.calls.size(), 3);
        QCOMPARE(dialogs.calls[2].text, u"Save changes to "_s + first + u'?');
        QCOMPARE(window->document().path(), first);
        QVERIFY(window->document().DocumentChanged());
        QVERIFY(copiesIn(RecoveryStore()).contains(second));
    }

    // The real program, ended by a signal: at once, without an error, keeping a copy only of
    // unsaved changes; a copy it was about to offer stays for the next start.
    void endedBySignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("leftover");
        QTest::newRow("SIGTERM, nothing unsaved") << int(SIGTERM) << false;
        QTest::newRow("SIGHUP during the offer") << int(SIGHUP) << true;
    }
    void endedBySignal()
    {
        QFETCH(int, signal);
        QFETCH(bool, leftover);
        TestEnvironment env;
        const QString file = env.writeFile(u"server/bin/a.cfg"_s, "A=1\r\n");
        const QString left = leftover ? leaveCopy(file, "A=2\r\n", false) : QString();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, env.path(u"config"_s));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(DRACFG_EDITOR_PROGRAM), {file});
        QVERIFY(editor.waitForStarted());
        // The opened file goes to the recent list once the window shows, just before the offer.
        const QString preferences = env.path(u"config/DraCFG Editor/DraCFG Editor.conf"_s);
        QTRY_VERIFY_WITH_TIMEOUT(ReadBytes(preferences).contains("a.cfg"), 15000);

        QCOMPARE(::kill(pid_t(editor.processId()), signal), 0);

        QVERIFY(editor.waitForFinished(5000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
        const RecoveryStore store;
        QCOMPARE(copiesIn(store), leftover ? QStringList{left} : QStringList());
        QCOMPARE(store.leftovers().size(), leftover ? 1 : 0); // offered at the next start
        QCOMPARE(ReadBytes(file), QByteArray("A=1\r\n"));
    }

    // A termination signal writes the copy at once, and ending the program keeps it.
    void signalKeepsTheCopy()
    {
        std::optional<EditorFixture> f(std::in_place);
        QVERIFY(f->open("A 1\r\n"));
        QTest::keyClicks(f->ui().txtTextBox, u"B 2\r"_s);
        TerminationSignals termination;
        connect(&termination, &TerminationSignals::arrived, &f->window->recovery(),
                &Recovery::endSession);

        QCOMPARE(::raise(SIGTERM), 0);

        QTRY_VERIFY(termination.received());
        const RecoveryStore store;
        QCOMPARE(copiesIn(store).size(), 1);
        const QByteArray copy = ReadBytes(store.folder() + u'/' + copiesIn(store)[0]);
        QCOMPARE(RecoveryStore::parse(copy).value().bytes, *f->document().bytesToWrite().bytes);
        f->window.reset();
        QCOMPARE(ReadBytes(store.folder() + u'/' + copiesIn(store).value(0)), copy);
    }
};

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
