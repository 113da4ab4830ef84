#include "core/PreferenceStore.h"
#include "support/EditorFixture.h"
#include "ui/CompareWindow.h"

using namespace Qt::StringLiterals;

// The File menu: Open, Save, Close and their questions, dropped files, changes made by another
// program, Recent Files (kept in the preference store) and Compare with Saved, which shows what
// Save would change, coloured.
class tst_FileCommands : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> m; // a fresh installation and main window for every test

    WindowControls ui() { return m->ui(); }
    QString caption() { return m->window->windowTitle(); }
    static QString titled(const QString& name) { return "DraCFG Editor [" + name + ']'; }
    FakeDialogs::Call last(const char* kind) { return m->dialogs.last(QLatin1String(kind)); }
    QString bin(const QString& name) { return m->bin(name); }
    bool open(const QString& name, const QByteArray& bytes) { return m->open(bytes, false, name); }
    // Drags the addresses from outside onto the widget and drops them; whether it took them.
    static bool drop(QWidget* target, const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.value(0).toString());
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
        QCoreApplication::processEvents(); // the file opens once the drop is over
        return enter.isAccepted() && dropped.isAccepted();
    }

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

    QMenu* menu() { return Control<QMenu>(*m->window, "mnuFileRecent"); }
    // The captions of the file items, top to bottom.
    QStringList captions()
    {
        QStringList texts;
        for (QAction* item : menu()->actions())
            if (item->objectName().startsWith("mnuFileRecentFile("))
                texts << item->text();
        return texts;
    }
    QAction* item(int index)
    {
        return Control(*m->window, QStringLiteral("mnuFileRecentFile(%1)").arg(index));
    }
    QString stored() { return PreferenceStore::open()->value("Settings/RecentFiles").toString(); }

    // A new window over the same store.
    bool restart()
    {
        m->window.reset();
        m->window = m->env.startMainWindow(m->dialogs);
        return m->window != nullptr;
    }
    QPlainTextEdit* shown()
    {
        auto* window = m->window->findChild<CompareWindow*>("frmCompare");
        return window ? window->findChild<QPlainTextEdit*>("txtCompare") : nullptr;
    }

private slots:
    void init() { QVERIFY(m.emplace().window); }
    void cleanup()
    {
        if (auto* window = m->window->findChild<CompareWindow*>("frmCompare"))
            delete window;
    }

    // Refusals name the file, or the limit (the core tables pin which files are refused).
    void openRefusedLeavesTheDocument()
    {
        QVERIFY(open("doc.cfg", "A 1\r\n"));
        QStringList refused{bin("vanished")};
        const QString locked = m->env.writeFile("server/bin/locked.cfg", "A");
        if (QFile::setPermissions(locked, {}) && !QFile(locked).open(QFile::ReadOnly))
            refused << locked; // permissions do not bind root
        m->dialogs.openAnswers << m->env.writeFile("server/bin/big.cfg", QByteArray(65001, 'x'))
                               << refused;
        QStringList expected{"The file is too large to open."};
        for (const QString& path : std::as_const(refused))
            expected << "Can't open file: " + path;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        for (const QString& message : std::as_const(expected)) {
            ui().FlatBttn[Button::Open]->trigger();
            QCOMPARE(last("message").text, message);
        }
        QCOMPARE(m->dialogs.calls.at(1).details, // after the open dialog
                 QDir::toNativeSeparators(bin("big.cfg")) +
                     " has 65,001 bytes; a configuration file may have at most 65,000.");
        QCOMPARE(last("message").icon, QMessageBox::NoIcon);
        QCOMPARE(last("open").title, "Open Dravane config file");
        QCOMPARE(caption(), titled(bin("doc.cfg")));
        QCOMPARE(m->document().text(), "A 1\r\n");
    }

    // Bytes that are not text are opened only when the user says so; No, the default, keeps the
    // document there was. The hint over the empty view goes with the first document.
    void openingWhatIsNotText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
        QTest::addColumn<bool>("opened");
        const QByteArray binary("MZ\x90\0\x03\0\0\0", 8);
        QTest::newRow("NUL bytes, default No")
            << binary << QList<QMessageBox::StandardButton>{} << false;
        QTest::newRow("NUL bytes, Yes") << binary << QList{QMessageBox::Yes} << true;
        QTest::newRow("control characters, No")
            << QByteArray("A\x01\x02\x03 1\r\n") << QList{QMessageBox::No} << false;
        QTest::newRow("text: no question")
            << QByteArray("A 1\r\n\tB 2\r\n") << QList<QMessageBox::StandardButton>{} << true;
    }
    void openingWhatIsNotText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QMessageBox::StandardButton>, answers);
        QFETCH(bool, opened);
        QWidget* hint = m->window->findChild<QWidget*>("lblNoDocument");
        QVERIFY(hint && hint->isVisibleTo(m->window.get()));
        QVERIFY(open("first.cfg", "FIRST 1"));
        QVERIFY(!hint->isVisibleTo(m->window.get()));
        m->dialogs.messageAnswers = answers;
        m->dialogs.openAnswers << m->env.writeFile("server/bin/second.bin", bytes);
        ui().mnuFileOpen->trigger();
        const bool asked = bytes.contains('\x01') || bytes.contains('\0');
        QCOMPARE(m->dialogs.count("message"), asked ? 1 : 0);
        if (asked) {
            const FakeDialogs::Call question = last("message");
            QCOMPARE(question.text,
                     bin("second.bin") +
                         " does not look like a configuration file. Open it anyway?");
            QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        }
        QCOMPARE(caption(), titled(bin(opened ? "second.bin" : "first.cfg")));
    }

    void captionsDialogsAndClose()
    {
        QVERIFY(open("doc.cfg", "A 1"));
        ui().FlatBttn[Button::Save]->trigger(); // titled: no dialog
        QCOMPARE(m->dialogs.count("save"), 0);
        QCOMPARE(ReadBytes(bin("doc.cfg")), "A 1\r\n");

        ui().mnuFileNew->trigger(); // an unchanged document goes without a question
        QCOMPARE(caption(), "DraCFG Editor [Untitled]");
        QCOMPARE(m->document().rows().rows(), QList<Row>({{"K1", "", ""}}));
        ui().mnuFilemnuSaveAs->trigger();
        const FakeDialogs::Call save = last("save");
        QCOMPARE(
            QStringList(
                {save.title, save.folder, save.filter, save.defaultSuffix, save.suggestedName}),
            QStringList({"Save Dravane config file", m->env.serverDir() + "/bin",
                         "Dravane config files (*.cfg*);;All files (*.*)", "cfg", "Untitled.txt"}));
        m->dialogs.saveAnswers << bin("named [1].cfg");
        ui().mnuFilemnuSave->trigger(); // untitled: asks, suggesting nothing
        QCOMPARE(last("save").suggestedName, "");
        QCOMPARE(caption(), titled(bin("named [1].cfg")));
        ui().mnuFilemnuSaveAs->trigger(); // suggests the document's name, brackets and all
        QCOMPARE(last("save").suggestedName, bin("named [1].cfg"));

        ui().mnuFileClose->trigger();

        QCOMPARE(m->dialogs.count("message"), 0);
        QCOMPARE(caption(), "DraCFG Editor");
        QVERIFY(!ui().mnuEdit->menuAction()->isVisible() && !ui().mnuFilemnuSave->isEnabled() &&
                !ui().mnuToolsFonts->isEnabled() && !ui().FlatBttn[Button::Comment]->isEnabled());
        QVERIFY(!ui().txtTextBox->isEnabled() && !ui().lvListView->isEnabled());
        QVERIFY(m->window->findChild<QWidget*>("lblNoDocument")->isVisibleTo(m->window.get()));
    }

    void saveQuestion_data()
    {
        QTest::addColumn<QString>("command"); // "close()" closes the window
        QTest::addColumn<QString>("answer");  // Yes answers Save As with a name, or cancels it
        for (const char* command :
             {"mnuFileNew", "FlatBttn(1)", "mnuFileClose", "close()", "drop"}) {
            for (const char* answer : {"Yes, saved", "Yes, not saved", "No", "Cancel"})
                QTest::addRow("%s, %s", command, answer) << QString(command) << QString(answer);
        }
    }

    void saveQuestion()
    {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        // Without a written file the changes would be lost: Yes with nothing saved stops.
        const bool saved = answer == u"Yes, saved", goesOn = saved || answer == u"No";
        QVERIFY(open("original.cfg", "ORIGINAL 1"));
        QTest::keyClicks(ui().txtTextBox, "X");
        if (!answer.startsWith(u"Yes")) // Yes is the default answer
            m->dialogs.messageAnswers << (answer == u"No" ? QMessageBox::No : QMessageBox::Cancel);
        m->dialogs.saveAnswers << (saved ? bin("saved.cfg") : QString());
        m->dialogs.openAnswers << m->env.writeFile("server/bin/other.cfg", "OTHER 3");

        if (command == u"close()")
            m->window->close();
        else if (command == u"drop")
            QVERIFY(drop(ui().lvListView->viewport(), {QUrl::fromLocalFile(bin("other.cfg"))}));
        else
            m->trigger(command);

        // The question comes first: Open asks before it offers a file.
        const FakeDialogs::Call question = m->dialogs.calls.value(0);
        QCOMPARE(QStringList({question.title, question.text}),
                 QStringList({"DraCFG Editor", "Save changes to " + bin("original.cfg") + '?'}));
        QCOMPARE(question.icon, QMessageBox::Warning);
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(ReadBytes(bin("saved.cfg")), saved ? "XORIGINAL 1\r\n" : "(none)");
        QCOMPARE(caption() == titled(bin("original.cfg")), !goesOn);
        QCOMPARE(m->window->isVisible(), !goesOn || command != u"close()");
    }

    // A file dropped anywhere opens, even on the text view, which would take its address as
    // text; of several the first local one; an address that is no local file is left alone.
    void droppedFileOpens_data()
    {
        QTest::addColumn<QStringList>("dropped"); // a name in server/bin, or an address
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("opened");
        QTest::newRow("one, on the text") << QStringList{"a.cfg"} << u"txtTextBox"_s << u"a.cfg"_s;
        QTest::newRow("several, after a web address")
            << QStringList{"https://a.example/x.cfg", "b.cfg", "a.cfg"} << u"tvTreeView"_s
            << u"b.cfg"_s;
        QTest::newRow("no local file")
            << QStringList{"https://a.example/x.cfg"} << u"tvTreeView"_s << u"doc.cfg"_s;
    }
    void droppedFileOpens()
    {
        QFETCH(QStringList, dropped);
        QFETCH(QString, target);
        QFETCH(QString, opened);
        QVERIFY(open("doc.cfg", "doc.cfg 1\r\n"));
        QList<QUrl> urls;
        for (const QString& name : std::as_const(dropped))
            urls << (name.contains(':') ? QUrl(name)
                                        : QUrl::fromLocalFile(m->env.writeFile(
                                              "server/bin/" + name, name.toLatin1() + " 1\r\n")));
        auto* view = Control<QAbstractScrollArea>(*m->window, target);
        QCOMPARE(drop(view->viewport(), urls), opened != "doc.cfg");
        QCOMPARE(m->document().path(), bin(opened));
        QCOMPARE(m->document().text(), opened + " 1\r\n");
        QCOMPARE(m->dialogs.calls.size(), 0);
    }

    // A refused save warns; the document stays changed under its own name.
    void saveRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("target"); // Save As's answer; null: the text cannot be written
        QTest::newRow("unencodable") << u"mnuFilemnuSave"_s << QString();
        QTest::newRow("Save As a folder") << u"mnuFilemnuSaveAs"_s << u""_s;
    }
    void saveRefused()
    {
        QFETCH(QString, command);
        QFETCH(QString, target);
        QVERIFY(open("doc.cfg", "OLD 1\r\n"));
        ui().txtTextBox->setPlainText(target.isNull() ? "\u2713" : "A 2");
        m->dialogs.saveAnswers << bin(target);

        m->trigger(command);

        QCOMPARE(m->dialogs.count("message"), 1);
        QCOMPARE(last("message").icon, QMessageBox::Warning);
        QVERIFY(!last("message").text.isEmpty());
        QCOMPARE(caption(), titled(bin("doc.cfg")));
        QVERIFY(m->document().DocumentChanged());
    }

    // Newest first, kept across a restart; Clear List empties the menu and the store (the core
    // table pins the list's order, limit and damaged values).
    void listKeptAndCleared()
    {
        QCOMPARE(captions(), QStringList());
        QVERIFY(!Control(*m->window, "mnuFileRecentClear")->isEnabled());
        for (const char* name : {"f1.cfg", "f2.cfg", "f1.cfg"})
            QVERIFY(m->open("A 1\r\n", false, name));
        m->dialogs.saveAnswers << m->bin("saved.cfg");
        m->trigger("mnuFilemnuSaveAs");

        const QStringList expected{"&1 " + m->bin("saved.cfg"), "&2 " + m->bin("f1.cfg"),
                                   "&3 " + m->bin("f2.cfg")};
        QCOMPARE(captions(), expected);
        QCOMPARE(menu()->actions().last()->text(), "&Clear List");
        QVERIFY(restart());
        QCOMPARE(captions(), expected);

        m->trigger("mnuFileRecentClear");
        QCOMPARE(captions(), QStringList());
        QCOMPARE(stored(), QString());
        QVERIFY(!Control(*m->window, "mnuFileRecentClear")->isEnabled());
    }

    // A chosen file opens, after the question about unsaved changes, or is dropped when gone.
    void chosenFileOpensOrIsDroppedWhenGone()
    {
        QVERIFY(m->open("A 1\r\n", false, "kept.cfg"));
        QVERIFY(m->open("B 2\r\n", false, "gone.cfg"));
        QVERIFY(m->open("C 3\r\n", false, "other.cfg"));
        QVERIFY(QFile::remove(m->bin("gone.cfg")));

        item(1)->trigger(); // gone.cfg
        QCOMPARE(m->dialogs.last("message").text,
                 m->bin("gone.cfg") + " no longer exists. It was removed from the list.");
        QCOMPARE(m->document().path(), m->bin("other.cfg"));
        QCOMPARE(captions(),
                 QStringList({"&1 " + m->bin("other.cfg"), "&2 " + m->bin("kept.cfg")}));
        QVERIFY(!stored().contains("gone.cfg"));

        m->ui().txtTextBox->appendPlainText("D 4");
        m->dialogs.messageAnswers << QMessageBox::No;
        item(1)->trigger(); // kept.cfg, changes dropped
        QCOMPARE(m->dialogs.last("message").text, "Save changes to " + m->bin("other.cfg") + '?');
        QCOMPARE(ReadBytes(m->bin("other.cfg")), "C 3\r\n");
        QCOMPARE(m->document().path(), m->bin("kept.cfg"));
        QCOMPARE(m->document().text(), "A 1\r\n");
        QCOMPARE(captions().first(), "&1 " + m->bin("kept.cfg"));
    }

    void showsWhatSaveWouldChange_data()
    {
        QTest::addColumn<QByteArray>("file"); // none: a new document
        QTest::addColumn<bool>("listView");
        QTest::addColumn<QString>("typed");    // the whole text typed over, unless null
        QTest::addColumn<QString>("expected"); // %1 the file's path
        QTest::newRow("edited: B changed, D added")
            << QByteArray("A 1\r\nB 2\r\nC 3") << false << "A 1\nB 5\nD 4\nC 3"
            << "--- %1 (on disk)\n+++ %1 (to be saved)\n@@ -1,3 +1,4 @@\n A 1\n-B 2\n+B 5\n+D 4\n "
               "C 3";
        QTest::newRow("opened and not edited") << QByteArray("A 1\r\nB 2\r\n") << true << QString()
                                               << "No difference: Save would write what the file "
                                                  "already holds.";
        QTest::newRow("untitled, against nothing")
            << QByteArray() << false << "A 1"
            << "--- Untitled (on disk)\n+++ Untitled (to be saved)\n@@ -0,0 +1,1 @@\n+A 1";
    }
    void showsWhatSaveWouldChange()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, listView);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        if (file.isNull())
            m->trigger("mnuFileNew");
        else
            QVERIFY(m->open(file, listView, "doc.cfg"));
        if (!typed.isNull()) {
            QTextCursor cursor(&m->document().textDocument());
            cursor.select(QTextCursor::Document);
            cursor.insertText(typed);
        }

        m->trigger("mnuFileCompare");

        QVERIFY(shown() && shown()->isReadOnly());
        const QString path = m->bin("doc.cfg");
        QCOMPARE(shown()->toPlainText(), QString(expected).replace("%1", path));
        // Removed and added lines each in their own colour; context lines plain.
        QSet<QRgb> removed, added;
        const QStringList lines = expected.split('\n');
        for (int line = 3; line < lines.size(); ++line) {
            const QTextBlockFormat format =
                shown()->document()->findBlockByNumber(line).blockFormat();
            const QChar mark = lines[line][0];
            QCOMPARE(format.hasProperty(QTextFormat::BackgroundBrush), mark != ' ');
            if (mark != ' ')
                (mark == '-' ? removed : added) << format.background().color().rgba();
        }
        QVERIFY(removed.size() <= 1 && added.size() <= 1 && !removed.intersects(added));
        if (!file.isNull())
            QCOMPARE(ReadBytes(path), file); // nothing written
        QTest::keyClick(shown(), Qt::Key_Escape);
        QTRY_VERIFY(!shown());
    }

    // Needs a document; text the file's code page cannot hold is reported, not compared.
    void unwritableTextIsReported()
    {
        QVERIFY(!Control(*m->window, "mnuFileCompare")->isEnabled());
        QVERIFY(m->open("A 1\r\n", false, "doc.cfg"));
        QVERIFY(Control(*m->window, "mnuFileCompare")->isEnabled());
        m->ui().txtTextBox->appendPlainText(QString::fromUtf8("B \xe4\xb8\xad"));
        m->trigger("mnuFileCompare");
        QVERIFY(!shown());
        QCOMPARE(m->dialogs.count("message"), 1);
        QCOMPARE(m->dialogs.last("message").icon, QMessageBox::Warning);
    }

    // Another program changes the open document's file: the reload question while it is open,
    // the overwrite question at Save.
    // Edited here, replaced by a rename, reloaded (Yes) or not.
    void reloadQuestion_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Yes", "No", "edited, No", "edited, Yes", "renamed, Yes"})
            QTest::newRow(how) << QString(how);
    }
    void reloadQuestion()
    {
        QVERIFY(open("doc.cfg", "A 1"));
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
        QVERIFY(open("doc.cfg", "A 1"));
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
        QVERIFY(open("doc.cfg", "A 1"));
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

QTEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"
