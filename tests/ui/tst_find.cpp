#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

class tst_Find : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(f.emplace().window); }
    void dialogAndTreeSearchWithoutADocument()
    {
        f->window->setGeometry(60, 40, 640, 420);
        openFind(QString());
        QStringList texts{dialog()->windowTitle(),
                          dialog()->findChild<QGroupBox*>("frmView")->title()};
        for (const char* name : {"Label1", "optTV", "optEditor", "FBFind", "FBCancel"})
            texts << dialog()->findChild<QWidget*>(name)->property("text").toString();
        QCOMPARE(texts, (QStringList{u"Find"_s, u"Look at"_s, u"Fi&nd What:"_s,
                                     u"Settings Explorer"_s, u"Editor"_s, u"Find"_s, u"Cancel"_s}));
        QVERIFY(button("optTV")->isChecked() && !button("optEditor")->isEnabled());
        QCOMPARE(dialog()->y() - f->window->y(), f->window->frameGeometry().height() / 2);
        for (QAction* again : {ui().mnuFind, ui().FlatBttn[Button::Find]})
            again->trigger();
        QCOMPARE(f->window->findChildren<QDialog*>(u"frmFind"_s).size(), 1);

        // The Settings Explorer adds the category nodes first, then the settings under them.
        QTest::keyClicks(txtFind(), u"log"_s);
        for (const QString& node : {u"PLogging"_s, u"CLOGLEVEL"_s, u"CLOGFILE"_s}) {
            pressFind();
            QCOMPARE(ui().tvTreeView->currentItem()->data(0, SettingsTree::NodeKeyRole).toString(),
                     node);
        }
    }
    void searchesAndClosingResets()
    {
        QVERIFY(f->open("AAAA\r\nAA"));
        ui().tvTreeView->setFocus();
        QTRY_VERIFY(f->window->find().LastFocusInTree());
        ui().txtTextBox->setFocus();
        QTRY_VERIFY(!f->window->find().LastFocusInTree());
        openFind(u"aa"_s); // the focus last in a view: the editor is the default target
        QVERIFY(button("optEditor")->isChecked());
        // The last match lies past a line break, which is one position in the text view.
        for (int start : {0, 1, 2, 5}) {
            pressFind();
            QCOMPARE(qMakePair(cursor().anchor(), cursor().position()),
                     qMakePair(start, start + 2));
        }
        pressFind();
        QCOMPARE(f->dialogs.last(u"message"_s).text, u"String not found."_s);
        QTest::mouseClick(button("FBCancel"), Qt::LeftButton);
        QTRY_VERIFY(!dialog());
        QCOMPARE(f->window->find().FindTextOffset, 0);

        QVERIFY(f->open("LOG 1\r\n; cache\r\n\r\nCACHESIZE _DATA\r\nLOG 2\r\nCACHESIZE x", true));
        ui().tvTreeView->setFocus();
        QTRY_VERIFY(f->window->find().LastFocusInTree());
        openFind(u"cachesize"_s); // the new dialog starts empty: this is the whole key
        QVERIFY(button("optTV")->isChecked());
        button("optEditor")->setChecked(true);
        for (int row : {3, 5}) {
            QCOMPARE(pressFind(), u"Find Next"_s);
            QCOMPARE(selectedRow(ui().lvListView), row);
        }
        pressFind();
        QCOMPARE(f->dialogs.count(u"message"_s), 1); // the earlier one went with the first document
        const FakeDialogs::Call message = f->dialogs.last(u"message"_s);
        QCOMPARE(QStringList({message.title, message.text}),
                 QStringList({u"DraCFG Editor"_s, u"String not found."_s}));
        QCOMPARE(message.icon, QMessageBox::NoIcon);
        QCOMPARE(selectedRow(ui().lvListView), 5);
        QTest::keyClick(txtFind(), Qt::Key_Backspace); // an edited key starts from the top
        pressFind();
        QCOMPARE(selectedRow(ui().lvListView), 3);
    }

private:
    WindowControls ui() { return f->ui(); }
    QDialog* dialog() { return f->window->findChild<QDialog*>(u"frmFind"_s); }
    QAbstractButton* button(const char* id) { return dialog()->findChild<QAbstractButton*>(id); }
    QLineEdit* txtFind() { return dialog()->findChild<QLineEdit*>(u"txtFind"_s); }
    void openFind(const QString& key)
    {
        ui().mnuFind->trigger();
        QTest::keyClicks(txtFind(), key);
    }
    QString pressFind() // returns the button's caption afterwards
    {
        QTest::mouseClick(button("FBFind"), Qt::LeftButton);
        return button("FBFind")->text();
    }
    QTextCursor cursor() { return ui().txtTextBox->textCursor(); }

    std::optional<EditorFixture> f;
};

QTEST_MAIN(tst_Find)
#include "tst_find.moc"
