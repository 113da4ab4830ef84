#include "support/EditorFixture.h"
#include "ui/HelpPane.h"

using namespace Qt::StringLiterals;

class tst_HelpPane : public QObject {
    Q_OBJECT

private slots:
    void showAndHide()
    {
        EditorFixture w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        QSplitter* split = w.ui().vbuSplitterHoriz;
        QAction* menu = w.ui().mnuViewmnuShowHelp;
        QAction* button = w.ui().FlatBttn[Button::ShowHelp];
        // Each hides and shows the pane, the menu's mark and the button agreeing.
        for (QAction* hide : {menu, button}) {
            hide->trigger();
            QVERIFY(!menu->isChecked() && !button->isChecked());
            QTRY_COMPARE(split->sizes().value(1), 0);

            (hide == menu ? button : menu)->trigger();
            QVERIFY(menu->isChecked() && button->isChecked());
            QTRY_VERIFY(qAbs(split->sizes().value(0) - w.window->frameGeometry().height() / 2) <=
                        1);
        }
    }
    void pageAndLinks()
    {
        EditorFixture w;
        const QString page = w.env.writeFile(
            u"page.htm"_s,
            "<a name=T></a><a href='https://a.example/'>OUT</a> <a href=#F>IN</a><p><a name=F>F");
        const auto at = [&](const QString& anchor) {
            return QUrl(QUrl::fromLocalFile(page).toString() + u'#' + anchor);
        };
        QTextBrowser* browser = w.ui().brwHelpBrowser;
        QCOMPARE(w.ui().helpPane->currentWidget(), w.ui().fraBrowser); // blank at start-up
        w.window->findChild<HelpPane*>()->showHelpPage(page + u"#T"_s);
        QCOMPARE(w.ui().helpPane->currentWidget(), browser);
        QCOMPARE(browser->source(), at(u"T"_s));

        // An external link goes to the desktop; an in-page one moves the pane.
        QTRY_VERIFY(browser->viewport()->height() > 0);
        for (const QString& link : {u"OUT"_s, u"IN"_s}) {
            QTextCursor cursor = browser->document()->find(link);
            cursor.setPosition(cursor.selectionStart() + 1);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                              browser->cursorRect(cursor).center());
            QCOMPARE(browser->source(), at(link == u"IN" ? u"F"_s : u"T"_s));
        }
        QCOMPARE(w.dialogs.count(u"url"_s), 1);
        QCOMPARE(w.dialogs.last(u"url"_s).url, QUrl(u"https://a.example/"_s));
    }
    void helpContentsAndF1OpenTheGuide()
    {
        EditorFixture w;
        const QUrl guide = QUrl::fromLocalFile(w.env.programDir() + u"/DraCFG.html"_s);
        w.ui().mnuHelpContents->trigger();
        QCOMPARE(w.dialogs.last(u"url"_s).url, guide);
        QVERIFY(w.activate());
        QTest::keyClick(w.ui().tvTreeView, Qt::Key_F1);
        QCOMPARE(w.dialogs.count(u"url"_s), 2);
        QCOMPARE(w.dialogs.last(u"url"_s).url, guide);
    }
};

QTEST_MAIN(tst_HelpPane)
#include "tst_helppane.moc"
