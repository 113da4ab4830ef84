#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

// A document is written as its lines, comma-separated, the selected one in brackets; rows read
// back as "Setting|Parameter".
class tst_RowOperations : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> f;

    WindowControls ui() { return f->ui(); }
    QTreeView* list() { return ui().lvListView; }
    bool Changed() { return f->document().DocumentChanged(); }

    // Opens the lines in the list view and clicks the bracketed one.
    bool open(const QString& lines)
    {
        const QString text = QString(lines).remove(u'[').remove(u']').replace(u',', u"\r\n"_s);
        return f->open(text.toLatin1(), true) &&
               f->clickRow(lines.first(lines.indexOf(u'[')).count(u',')) && !Changed();
    }

    QString RowTexts()
    {
        QStringList texts;
        for (const Row& row : f->rows().rows())
            texts.append(row.Setting + u'|' + row.Parameter);
        if (const int selected = selectedRow(list()); selected >= 0)
            texts[selected] = u'[' + texts[selected] + u']';
        return texts.join(u',');
    }

private slots:
    void init() { QVERIFY(f.emplace().window && f->activate()); }
    void cleanup() { f.reset(); }

    void deleteAsksWhenConfirmDeleteIsOn()
    {
        QVERIFY(open(u"[SERVERNAME alpha],,TRACE ON"_s));
        QVERIFY(ui().cmdOK->isVisibleTo(ui().picTitles)); // the value editor is set up
        f->dialogs.messageAnswers = {QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
        ui().mnuEditDelete->trigger();
        const FakeDialogs::Call asked = f->dialogs.last(u"message"_s);
        QCOMPARE(asked.title, u"Delete Item"_s);
        QCOMPARE(asked.text, u"Are you sure you want to delete the item SERVERNAME ?"_s);
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(RowTexts(), u"[SERVERNAME|alpha],|,TRACE|ON"_s);
        QVERIFY(!Changed()); // a refused deletion changes nothing
        // and the editor is arranged again for the row still selected
        QVERIFY(ui().cmdOK->isVisibleTo(ui().picTitles));
        QCOMPARE(ui().lblTitle[0]->text(), u"SERVERNAME"_s);
        ui().mnuEditDelete->trigger();
        QCOMPARE(RowTexts(), u"[|],TRACE|ON"_s);
        ui().mnuEditDelete->trigger();
        QCOMPARE(f->dialogs.last(u"message"_s).text,
                 u"Are you sure you want to delete the item  ?"_s);
    }

    // Every trigger, Confirm Delete off. After a removal the row now in its place is selected.
    void listCommands_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Edit Delete") << u"mnuEditDelete"_s << u"A 1,[B 2],C 3"_s << u"A|1,[C|3]"_s;
        QTest::newRow("toolbar Delete") << u"FlatBttn(7)"_s << u"A 1,[B 2]"_s << u"[A|1]"_s;
        QTest::newRow("pop-up Delete") << u"mnu_PopUpLV_Delete"_s << u"[A 1],B 2"_s << u"[B|2]"_s;
        QTest::newRow("double-click") << u"double-click"_s << u"A 1,[B 2],C 3"_s << u"A|1,[C|3]"_s;
        QTest::newRow("Delete key") << u"Del"_s << u"A 1,[B 2],C 3"_s << u"A|1,[C|3]"_s;
        QTest::newRow("toolbar Up")
            << u"FlatBttn(13)"_s << u"A 1,[B 2],C 3"_s << u"[B|2],A|1,C|3"_s;
        QTest::newRow("pop-up Up") << u"mnu_PopUpLV_MoveUp"_s << u"[A 1],B 2"_s << u"[A|1],B|2"_s;
        QTest::newRow("Ctrl+Up") << u"Ctrl+Up"_s << u"A 1,B 2,[C 3]"_s << u"A|1,[C|3],B|2"_s;
        QTest::newRow("toolbar Down")
            << u"FlatBttn(14)"_s << u"A 1,[B 2],C 3"_s << u"A|1,C|3,[B|2]"_s;
        QTest::newRow("pop-up Down") << u"mnu_PopUpLV_MoveDown"_s << u"A,[B]"_s << u"A|,[B|]"_s;
        QTest::newRow("Ctrl+Down") << u"Ctrl+Down"_s << u"[A 1],B 2"_s << u"B|2,[A|1]"_s;
        QTest::newRow("pop-up Comment") << u"mnu_PopUpLV_Comment"_s << u"[N 5]"_s << u"[;|N 5]"_s;
        QTest::newRow("toolbar Comment")
            << u"FlatBttn(15)"_s << u"A,[; NAME 5]"_s << u"A|,[NAME|5]"_s;
    }
    void listCommands()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        QVERIFY(open(lines));
        const QString before = RowTexts();
        ui().mnuToolsConfirmDelete->trigger();
        ui().tvTreeView->setFocus();
        QTRY_VERIFY(f->window->find().LastFocusInTree());
        const QPoint selected = list()->visualRect(list()->currentIndex()).center();
        if (trigger == u"double-click")
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, selected);
        else if (auto* action = f->window->findChild<QAction*>(trigger))
            action->trigger();
        else
            QTest::keySequence(list(), QKeySequence(trigger));
        QCOMPARE(RowTexts(), expected);
        QCOMPARE(Changed(), expected != before);
        QCOMPARE(f->dialogs.count(u"message"_s), 0);
        QTRY_VERIFY(list()->hasFocus()); // so that keys go on working row after row
        QVERIFY(!f->window->find().LastFocusInTree());
    }
};

QTEST_MAIN(tst_RowOperations)
#include "tst_rowoperations.moc"
