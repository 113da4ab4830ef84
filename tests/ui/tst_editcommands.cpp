#include "support/EditorFixture.h"
#include "ui/EditCommands.h"

using namespace Qt::StringLiterals;

class tst_EditCommands : public QObject {
    Q_OBJECT

private slots:
    // By menu, toolbar or key: the view's own keys would drop no-break spaces, double CR LFs.
    void clipboardCommands_data()
    {
        QTest::addColumn<QString>("command"); // an action run at the start, or a key run over all
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("changed");
        const QString same = u"A1\r\nB\u00A0C"_s, all = u"A1\nB\u00A0C"_s, clip = u"X\r\nY"_s;
        QTest::newRow("copy nothing") << u"mnuEditCopy"_s << same << QString() << false;
        QTest::newRow("copy") << u"Ctrl+C"_s << same << all << false;
        QTest::newRow("cut nothing") << u"FlatBttn(4)"_s << same << QString() << false;
        QTest::newRow("cut") << u"Ctrl+X"_s << QString() << all << true;
        QTest::newRow("paste") << u"FlatBttn(6)"_s << clip + same << clip << true;
        QTest::newRow("paste over") << u"Ctrl+V"_s << clip << clip << true;
    }
    void clipboardCommands()
    {
        QFETCH(QString, command);
        QGuiApplication::clipboard()->setText(u"X\r\nY"_s); // the rows' "clip"
        EditorFixture f;
        QVERIFY(f.open("A1\r\nB\240C"));
        f.ui().txtTextBox->setFocus(); // else a menu shortcut would run it twice
        if (QAction* action = f.window->findChild<QAction*>(command)) {
            action->trigger();
        } else {
            f.ui().mnuEditSelectAll->trigger();
            QTest::keySequence(f.ui().txtTextBox, QKeySequence(command));
        }
        QTEST(f.document().text(), "text");
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
        QTEST(f.document().DocumentChanged(), "changed");
    }
    void printing()
    {
        EditorFixture f;
        QVERIFY(f.open("MAXCONNECTIONS   64\r\n;note\r\n\r\nLOGLEVEL INFO\r\n"));
        WindowControls ui = f.ui();
        ui.FlatBttn[Button::Print]->trigger(); // the fake has no printer to give: cancelled
        QCOMPARE(f.dialogs.calls.last().title, u"Print"_s); // and nothing is said after it
        ui.txtTextBox->setFont(QFont(u"Monospace"_s, 13, QFont::Bold, true));
        ui.mnuViewmnuLVList->trigger();
        QVERIFY(!ui.mnuEditSelectAll->isEnabled() && !ui.FlatBttn[Button::Copy]->isEnabled());
        f.dialogs.printAnswers << f.env.path(u"printed.pdf"_s);
        ui.mnuFilemnuPrint->trigger();
        QVERIFY(QFileInfo(f.env.path(u"printed.pdf"_s)).size() > 0);
        ui.mnuViewmnuLVText->trigger(); // shows the rows in the form the list wrote them
        const QTextDocument& printed = f.window->editCommands().printBuffer();
        QCOMPARE(printed.toPlainText(), ui.txtTextBox->toPlainText());
        QCOMPARE(printed.defaultFont(), ui.txtTextBox->font());
    }
};

QTEST_MAIN(tst_EditCommands)
#include "tst_editcommands.moc"
