#include "support/EditorFixture.h"
#include "ui/HelpPane.h"
#include "ui/PageSections.h"

#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

// Clicks the link whose text is `link`.
void ClickLink(QTextBrowser* browser, const QString& link)
{
    QTextCursor cursor = browser->document()->find(link);
    cursor.setPosition(cursor.selectionStart() + 1);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                      browser->cursorRect(cursor).center());
}

} // namespace

class tst_HelpPane : public QObject {
    Q_OBJECT

private slots:
    // A long page is read ahead a section at a time into the very document a whole parse makes;
    // a page whose structure leaves any doubt is read whole.
    void sectionsMakeTheWholePage_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("cut");
        QFile demo(u"" DRACFG_DEMO_SERVER_DIR "/Docs/techref/TRCFG/homecfgl.htm"_s);
        QVERIFY(demo.open(QIODevice::ReadOnly));
        QTest::newRow("the demo reference page") << QString::fromUtf8(demo.readAll()) << true;
        QString body;
        for (int i = 0; i < 12; ++i) {
            body += u"<h2 style='color:#336'><a name=s%1></a>Section&nbsp;%1</h2>\n"
                    "<p>Text <b>bold</b> <code>CODE</code><br>next line</p><!-- <p> -->\n"
                    "<table border=1><tr><td>a</td><td>b</td></tr></table>\n"
                    "<ul><li>one</li><li>two</li></ul><hr>\n"
                    "<p align=right>Back <a href='#top'>to the top</a></p>\n"_s.arg(i);
        }
        const QString head = u"<html><head><title>T</title><style>h2 { font-size: 20pt; }"
                             "</style></head><body bgcolor='#ffffee' style='font-size:9pt'>"_s;
        QTest::newRow("styles, tables, lists, rules") << head + body + u"</body></html>"_s << true;
        QTest::newRow("paragraphs left open") << u"<body><p>one<p>two"_s.repeated(40) << false;
        QTest::newRow("a script") << head + body + u"<script>x<y</script>"_s + body << false;
        QTest::newRow("a stray angle") << head + u"<p>a < b</p>"_s + body << false;
        QTest::newRow("no body tag") << body << false;
        QTest::newRow("white space kept") << u"<html><head><style>body { white-space: pre }"
                                             "</style></head><body>"_s +
                                                 body
                                          << false;
    }
    void sectionsMakeTheWholePage()
    {
        QFETCH(QString, html);
        QFETCH(bool, cut);
        QCOMPARE(PageSections::sections(html, 256).size() > 1, cut);
        QTextDocument whole;
        whole.setHtml(html);
        QTextDocument sections;
        PageSections::setHtml(sections, html, 256);
        QCOMPARE(sections.toHtml(), whole.toHtml());
        QVERIFY(sections.isUndoRedoEnabled());
        QCOMPARE(sections.availableUndoSteps(), 0);
    }

    // The pane is blank, and skipped by Tab, until a page is asked for. A resize reflows the
    // page; the pane stays at the section it was asked for, until the user scrolls it elsewhere
    // or follows an in-page link; an external link goes to the desktop. The reference page itself
    // is read ahead while the window is idle and shown from its own index of anchors; any other
    // page is read on the click.
    void sectionShownAndKept_data()
    {
        QTest::addColumn<bool>("preloaded");
        QTest::newRow("reference page, read ahead") << true;
        QTest::newRow("another page, read on the click") << false;
    }
    void sectionShownAndKept()
    {
        QFETCH(bool, preloaded);
        QByteArray html = "<a href=#S50>TO50</a> <a href='https://a.example/'>OUT</a>";
        for (int i = 0; i < 60; ++i)
            html += "<h3><a name=S" + QByteArray::number(i) + "></a>Section " +
                    QByteArray::number(i) + "</h3><p>" +
                    QByteArray(400, 'w').replace("w", "word ") + "</p>";
        QString page;
        EditorFixture w([&](TestEnvironment& env) {
            page = preloaded ? env.writeFile(u"server/Docs/techref/TRCFG/homecfgl.htm"_s, html)
                             : env.writeFile(u"long.htm"_s, html);
        });
        QVERIFY(w.window);
        w.window->resize(900, 600);
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        auto* pane = w.window->findChild<HelpPane*>();
        QTRY_COMPARE(pane->isPageReady(), preloaded);
        QTextBrowser* browser = w.ui().brwHelpBrowser;
        const auto sectionTop = [browser](int section) {
            return browser->cursorRect(browser->document()->find(u"Section %1"_s.arg(section)))
                .top();
        };
        QCOMPARE(w.ui().helpPane->currentWidget(), w.ui().fraBrowser);
        QCOMPARE(browser->focusPolicy(), Qt::NoFocus);
        pane->showHelpPage(page + u"#S40"_s);
        QCOMPARE(w.ui().helpPane->currentWidget(), browser);
        QVERIFY(browser->focusPolicy() != Qt::NoFocus);
        QTRY_VERIFY(qAbs(sectionTop(40)) < 30);
        for (int width : {500, 1200, 700}) {
            w.window->resize(width, 600);
            QTRY_VERIFY2(qAbs(sectionTop(40)) < 30, qPrintable(QString::number(sectionTop(40))));
        }
        pane->showHelpPage(page + u"#S0"_s);
        QTRY_VERIFY(qAbs(sectionTop(0)) < 30);
        ClickLink(browser, u"OUT"_s);
        QCOMPARE(w.dialogs.count(u"url"_s), 1);
        QCOMPARE(w.dialogs.last(u"url"_s).url, QUrl(u"https://a.example/"_s));
        QVERIFY(qAbs(sectionTop(0)) < 30);
        ClickLink(browser, u"TO50"_s);
        QTRY_VERIFY(qAbs(sectionTop(50)) < 30);
        browser->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        w.window->resize(900, 600);
        QTRY_COMPARE(w.window->width(), 900);
        QCoreApplication::processEvents();
        QVERIFY(qAbs(sectionTop(50)) >= 30);
    }

    // A section asked for while a large reference page is still being read, even before the
    // window shows, comes up at once from a slice of the page; the whole page takes over at the
    // same section once it is ready.
    void sectionShownWhileReadAhead()
    {
        QByteArray html = "<html><body><h1>Top</h1>\n";
        for (int i = 0; i < 2600; ++i)
            html += "<h3><a name=\"S" + QByteArray::number(i) + "\"></a>Section " +
                    QByteArray::number(i) + "</h3>\n<p>" + QByteArray(200, 'w') + "</p>\n";
        QString page;
        EditorFixture w([&](TestEnvironment& env) {
            page = env.writeFile(u"server/Docs/techref/TRCFG/homecfgl.htm"_s, html);
        });
        QVERIFY(w.window);
        auto* pane = w.window->findChild<HelpPane*>();
        QTextBrowser* browser = w.ui().brwHelpBrowser;
        pane->showHelpPage(page + u"#S2500"_s);
        QVERIFY(!pane->isPageReady());
        QPointer<QTextBrowser> glance;
        for (QTextBrowser* b : pane->findChildren<QTextBrowser*>()) {
            if (b != browser && !b->isHidden())
                glance = b;
        }
        QVERIFY(glance);
        QVERIFY(glance->document()->firstBlock().text().startsWith(u"Section 2500"_s));
        QTRY_VERIFY_WITH_TIMEOUT(pane->isPageReady(), 120'000);
        QVERIFY(!glance || glance->isHidden());
        QCOMPARE(pane->currentWidget(), browser);
        const QRect section = browser->cursorRect(browser->document()->find(u"Section 2500"_s));
        QVERIFY2(qAbs(section.top()) < 30, qPrintable(QString::number(section.top())));
    }

    // The menu item and the button each hide and show the pane. The guide shows in a window of
    // the program: in-page links move it with Back and Forward; an address the desktop cannot
    // open is shown in a message instead of being lost.
    void helpContentsShowTheGuide()
    {
        EditorFixture w;
        const QString guide = w.env.writeFile(
            u"program/DraCFG.html"_s,
            "<a name=top></a><a href=#end>END</a> <a href='mailto:help@a.example'>MAIL</a> "
            "<a href='https://a.example/x'>WEB</a>" +
                QByteArray(3000, '\n').replace("\n", "<p>x</p>") + "<a name=end></a>E");
        QVERIFY(w.activate());
        QSplitter* split = w.ui().vbuSplitterHoriz;
        QAction* menu = w.ui().mnuViewmnuShowHelp;
        QAction* button = w.ui().FlatBttn[Button::ShowHelp];
        button->trigger();
        QVERIFY(!menu->isChecked() && !button->isChecked());
        QTRY_COMPARE(split->sizes().value(1), 0);
        menu->trigger();
        QVERIFY(menu->isChecked() && button->isChecked());
        QTRY_VERIFY(qAbs(split->sizes().value(0) - w.window->frameGeometry().height() / 2) <= 1);
        QTest::keyClick(w.ui().tvTreeView, Qt::Key_F1); // the Help > Contents key
        auto* window = w.window->findChild<QWidget*>(u"frmHelpContents"_s);
        QVERIFY(window && window->isVisible());
        auto* browser = window->findChild<QTextBrowser*>(u"brwContents"_s);
        auto* back = window->findChild<QToolButton*>(u"cmdBack"_s);
        auto* forward = window->findChild<QToolButton*>(u"cmdForward"_s);
        QCOMPARE(browser->source(), QUrl::fromLocalFile(guide));
        QVERIFY(!back->isEnabled() && !forward->isEnabled());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        ClickLink(browser, u"END"_s);
        QCOMPARE(browser->source().fragment(), u"end"_s);
        QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(browser->source(), QUrl::fromLocalFile(guide));
        QVERIFY(forward->isEnabled());
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"end"_s);
        QTest::mouseClick(back, Qt::LeftButton);
        w.dialogs.urlOpens = false;
        ClickLink(browser, u"MAIL"_s);
        ClickLink(browser, u"WEB"_s);
        QCOMPARE(w.dialogs.count(u"url"_s), 2);
        QCOMPARE(w.dialogs.count(u"message"_s), 2);
        QVERIFY(w.dialogs.calls.at(1).text.endsWith(u"help@a.example"_s));
        QVERIFY(w.dialogs.last(u"message"_s).text.endsWith(u"https://a.example/x"_s));
        QCOMPARE(browser->source(), QUrl::fromLocalFile(guide)); // the guide stays where it was
        w.ui().mnuHelpContents->trigger(); // the open window comes forward, no second one
        QCOMPARE(w.window->findChildren<QWidget*>(u"frmHelpContents"_s).size(), 1);
        QTest::keyClick(browser, Qt::Key_Escape);
        QTRY_VERIFY(!w.window->findChild<QWidget*>(u"frmHelpContents"_s));
    }
};

QTEST_MAIN(tst_HelpPane)
#include "tst_helppane.moc"
