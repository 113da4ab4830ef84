#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/HelpPane.h"
#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QAction>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A reference page long enough to scroll, with a link of every kind near its top.
QByteArray LongPage()
{
    QByteArray page = "<html><body><h1>Reference</h1>"
                      "<p><a href=\"https://dravane.example/docs\">WEBLINK</a></p>"
                      "<p><a href=\"http://dravane.example/\">PLAINLINK</a></p>"
                      "<p><a href=\"mailto:admin@dravane.example\">MAILLINK</a></p>"
                      "<p><a href=\"#FAR\">INPAGELINK</a></p>"
                      "<p><a href=\"other.htm#ELSEWHERE\">FILELINK</a></p>";
    for (int i = 0; i < 300; ++i)
        page += "<p>Filler paragraph " + QByteArray::number(i) + "</p>";
    page += "<a name=\"FAR\"></a><h2>FAR</h2><p>The far setting.</p>";
    for (int i = 0; i < 50; ++i)
        page += "<p>More filler</p>";
    return page + "</body></html>";
}

QUrl PageUrl(const QString& file, const QString& fragment)
{
    QUrl url = QUrl::fromLocalFile(file);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

} // namespace

class TestHelpPane : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void blankFaceAtStartUp();
    void showHelpPageOpensTheAnchor_data();
    void showHelpPageOpensTheAnchor();
    void pageShownWhileCollapsedScrollsWhenShown();
    void hideThenShowSplitsAtHalfTheHeight_data();
    void hideThenShowSplitsAtHalfTheHeight();
    void shownSplitRoundsHalvesToEven_data();
    void shownSplitRoundsHalvesToEven();
    void hiddenPaneStaysCollapsedInATallerWindow();
    void linksInAPage_data();
    void linksInAPage();
    void helpContentsOpensTheGuide_data();
    void helpContentsOpensTheGuide();

private:
    MainWidgets& ui() { return m_window->widgets(); }
    HelpPane& help() { return *m_window->context().help; }
    bool pageFace() { return ui().helpPane->currentWidget() == ui().brwHelpBrowser; }
    QSplitter* split() { return ui().vbuSplitterHoriz; }
    QString longPage() { return m_env->path("server/Docs/techref/TRCFG/long.htm"); }

    std::unique_ptr<TestEnvironment> m_env;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
};

void TestHelpPane::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_env->writeFile("server/Docs/techref/TRCFG/long.htm", LongPage());
    m_env->writeFile("server/Docs/techref/TRCFG/other.htm",
                     "<html><body><a name=\"ELSEWHERE\"></a>Elsewhere</body></html>");
    m_window = m_env->startMainWindow(m_dialogs);
    QVERIFY(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestHelpPane::cleanup()
{
    m_window.reset();
    m_env.reset();
    m_dialogs.clear();
}

void TestHelpPane::blankFaceAtStartUp()
{
    QCOMPARE(ui().helpPane->currentWidget(), ui().fraBrowser);
    QVERIFY(ui().brwHelpBrowser->source().isEmpty());
}

void TestHelpPane::showHelpPageOpensTheAnchor_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("anchor far down") << "#FAR"
                                     << "FAR" << true;
    QTest::newRow("no anchor") << ""
                               << "" << false;
    QTest::newRow("empty anchor") << "#"
                                  << "" << false;
}

void TestHelpPane::showHelpPageOpensTheAnchor()
{
    QFETCH(QString, link);
    QFETCH(QString, fragment);
    QFETCH(bool, scrolled);
    if (!help().IsHelpShown())
        help().ToggleHelpWindow();

    help().ShowHelpPage(longPage() + link);

    const QUrl source = ui().brwHelpBrowser->source();
    QVERIFY(source.isLocalFile());
    QCOMPARE(source.toLocalFile(), longPage());
    QCOMPARE(source.fragment(), fragment);
    QVERIFY(pageFace());
    QVERIFY(ui().brwHelpBrowser->toPlainText().contains("The far setting."));
    if (scrolled)
        QTRY_VERIFY(ui().brwHelpBrowser->verticalScrollBar()->value() > 0);
    else
        QCOMPARE(ui().brwHelpBrowser->verticalScrollBar()->value(), 0);
}

void TestHelpPane::pageShownWhileCollapsedScrollsWhenShown()
{
    if (help().IsHelpShown())
        help().ToggleHelpWindow();
    QTRY_COMPARE(split()->sizes().value(1), 0);

    help().ShowHelpPage(longPage() + "#FAR");
    help().ToggleHelpWindow();

    QTRY_VERIFY(ui().brwHelpBrowser->height() > 0);
    QTRY_VERIFY(ui().brwHelpBrowser->verticalScrollBar()->value() > 0);
}

void TestHelpPane::hideThenShowSplitsAtHalfTheHeight_data()
{
    QTest::addColumn<QString>("hideWith");
    QTest::addColumn<QString>("showWith");
    QTest::newRow("menu, menu") << "mnuViewmnuShowHelp"
                                << "mnuViewmnuShowHelp";
    QTest::newRow("button, button") << "FlatBttn(16)"
                                    << "FlatBttn(16)";
    QTest::newRow("menu, button") << "mnuViewmnuShowHelp"
                                  << "FlatBttn(16)";
    QTest::newRow("button, menu") << "FlatBttn(16)"
                                  << "mnuViewmnuShowHelp";
}

void TestHelpPane::hideThenShowSplitsAtHalfTheHeight()
{
    QFETCH(QString, hideWith);
    QFETCH(QString, showWith);
    QVERIFY(help().IsHelpShown());
    QAction* showHelpItem = ui().mnuViewmnuShowHelp;
    QAction* button = ui().FlatBttn[Button::ShowHelp];
    split()->setSizes({50, split()->height() - 50}); // where the user dragged it

    m_window->findChild<QAction*>(hideWith)->trigger();

    QVERIFY(!showHelpItem->isChecked());
    QVERIFY(!button->isChecked());
    QVERIFY(!m_window->state().HelpToggleInProgress);
    QTRY_COMPARE(split()->sizes().value(1), 0);

    m_window->findChild<QAction*>(showWith)->trigger();

    QVERIFY(showHelpItem->isChecked());
    QVERIFY(button->isChecked());
    QVERIFY(!m_window->state().HelpToggleInProgress);
    const int outer = m_window->frameGeometry().height();
    QTRY_VERIFY(qAbs(split()->sizes().value(0) - outer / 2) <= 1);
    QVERIFY(split()->sizes().value(1) > 0);
}

void TestHelpPane::shownSplitRoundsHalvesToEven_data()
{
    QTest::addColumn<int>("outerPixels");
    QTest::addColumn<int>("upperPixels");
    // At 15 twips a pixel: 603 px = 9045 twips, half 4522.5 -> 4522 -> 301 px (not 302).
    QTest::newRow("half twip rounds down to even") << 603 << 301;
    // 601 px = 9015 twips, half 4507.5 -> 4508 -> 301 px.
    QTest::newRow("half twip rounds up to even") << 601 << 301;
    QTest::newRow("whole") << 600 << 300;
}

void TestHelpPane::shownSplitRoundsHalvesToEven()
{
    QFETCH(int, outerPixels);
    QFETCH(int, upperPixels);
    if (m_window->logicalDpiX() != 96)
        QSKIP("The figures assume 96 dots per inch.");
    const int frame = m_window->frameGeometry().height() - m_window->height();
    m_window->resize(m_window->width(), outerPixels - frame);
    QTRY_COMPARE(m_window->frameGeometry().height(), outerPixels);

    help().ToggleHelpWindow();
    help().ToggleHelpWindow();

    QTRY_COMPARE(split()->sizes().value(0), upperPixels);
}

void TestHelpPane::hiddenPaneStaysCollapsedInATallerWindow()
{
    help().ToggleHelpWindow();
    QVERIFY(!help().IsHelpShown());
    QTRY_COMPARE(split()->sizes().value(1), 0);

    m_window->resize(m_window->width(), m_window->height() + 200);

    QTRY_VERIFY(split()->height() > 0);
    QTRY_COMPARE(split()->sizes().value(1), 0);
}

void TestHelpPane::linksInAPage_data()
{
    QTest::addColumn<QString>("linkText");
    QTest::addColumn<QUrl>("opened");  // handed to the desktop; empty when none
    QTest::addColumn<QString>("file"); // the pane's page afterwards, relative to TRCFG
    QTest::addColumn<QString>("fragment");

    QTest::newRow("https") << "WEBLINK" << QUrl("https://dravane.example/docs") << "long.htm"
                           << "";
    QTest::newRow("http") << "PLAINLINK" << QUrl("http://dravane.example/") << "long.htm"
                          << "";
    QTest::newRow("mailto") << "MAILLINK" << QUrl("mailto:admin@dravane.example") << "long.htm"
                            << "";
    QTest::newRow("in-page") << "INPAGELINK" << QUrl() << "long.htm"
                             << "FAR";
    QTest::newRow("another page") << "FILELINK" << QUrl() << "other.htm"
                                  << "ELSEWHERE";
}

void TestHelpPane::linksInAPage()
{
    QFETCH(QString, linkText);
    QFETCH(QUrl, opened);
    QFETCH(QString, file);
    QFETCH(QString, fragment);
    if (!help().IsHelpShown())
        help().ToggleHelpWindow();
    QTextBrowser* browser = ui().brwHelpBrowser;
    help().ShowHelpPage(longPage());
    QTRY_VERIFY(browser->viewport()->height() > 0);

    QTextCursor cursor = browser->document()->find(linkText);
    QVERIFY(!cursor.isNull());
    cursor.setPosition(cursor.selectionStart() + 1);
    const QPoint onLink = browser->cursorRect(cursor).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, onLink);

    QCOMPARE(m_dialogs.count("url"), opened.isEmpty() ? 0 : 1);
    if (!opened.isEmpty())
        QCOMPARE(m_dialogs.last("url").url, opened);
    const QString folder = m_env->path("server/Docs/techref/TRCFG/");
    QCOMPARE(browser->source(), PageUrl(folder + file, fragment));
    QVERIFY(pageFace());
}

void TestHelpPane::helpContentsOpensTheGuide_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Help > Contents") << "menu";
    QTest::newRow("F1 on the window") << "window";
    QTest::newRow("F1 in the tree") << "tree";
}

void TestHelpPane::helpContentsOpensTheGuide()
{
    QFETCH(QString, how);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

    if (how == "menu")
        ui().mnuHelpContents->trigger();
    else if (how == "window")
        QTest::keyClick(m_window.get(), Qt::Key_F1);
    else
        QTest::keyClick(ui().tvTreeView, Qt::Key_F1);

    QCOMPARE(m_dialogs.count("url"), 1);
    QCOMPARE(m_dialogs.last("url").url, QUrl::fromLocalFile(m_env->programDir() + "/DraCFG.html"));
}

QTEST_MAIN(TestHelpPane)
#include "tst_helppane.moc"
