#include "support/EditorFixture.h"
#include "ui/MainLayout.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

class tst_MainLayout : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> f;

    WindowControls ui() { return f->ui(); }
    MainWindow* window() { return f->window.get(); }
    int px(double twips) { return Twips::toPixels(twips, window()); }

    // Where the editor's controls start: the list's left edge in the title strip, indented.
    int home()
    {
        const QPoint list = ui().lvListView->mapTo(window(), QPoint(0, 0));
        return ui().picTitles->mapFrom(window(), list).x() + px(20);
    }

private slots:
    void init()
    {
        QVERIFY(f.emplace().window);
        ui().mnuViewmnuLVList->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }
    void cleanup() { f.reset(); }

    void resizing()
    {
        // The editor's strip follows the vertical splitter.
        ui().vbuSplitterVert->setSizes({px(2000), 400});
        QTRY_COMPARE(ui().tvTreeView->width(), px(2000));
        QCOMPARE(ui().cboParam->x(), home());
        QCOMPARE(ui().lblTitle[0]->width(), px(2000) - px(50));
        QHeaderView* header = ui().lvListView->header();
        const int setting = header->sectionSize(0), parameter = header->sectionSize(1);
        QSplitter* split = ui().vbuSplitterHoriz;
        ui().mnuViewmnuShowHelp->trigger();
        QTRY_COMPARE(split->sizes().value(1), 0);
        split->setSizes({split->sizes().value(0) - 80, 80}); // dragged open a little
        window()->resize(window()->width() + 150, window()->height() + 40);
        QTRY_COMPARE(header->sectionSize(1), parameter + 150); // the Parameter column takes it
        QCOMPARE(header->sectionSize(0), setting);
        QTRY_COMPARE(split->sizes().value(1), 0); // the hidden help pane stays collapsed
        QCOMPARE(split->sizes().value(0), split->height() - split->handleWidth());
        const int frame = window()->frameGeometry().width() - window()->width();
        window()->resize(px(2000) - frame, window()->height());
        QTRY_COMPARE(window()->frameGeometry().width(), px(3000)); // never narrower
    }

    // Left edges from home of the choices, value, OK, Cancel and description, then how much
    // narrower the description is than the list; in pixels at 96 dpi, where gaps of 10 and 20
    // twips are a pixel and the 50-twip margin three. Cancel starts 5 pixels left of home.
    void editorStrip_data()
    {
        QTest::addColumn<QString>("setting"); // arranges the editor
        QTest::addColumn<QString>("expected");
        QTest::newRow("both boxes") << u"CACHESIZE"_s << u"0 121 212 252 303 303"_s;
        QTest::newRow("choices") << u"LOGLEVEL"_s << u"0 0 121 -5 162 163"_s;
        QTest::newRow("value") << u"MAXCONNECTIONS"_s << u"0 0 91 131 182 183"_s;
        QTest::newRow("OK") << u" BLANK LINE"_s << u"0 0 0 -5 41 43"_s;
        QTest::newRow("nothing") << u"Memory"_s << u"0 0 0 -5 0 1"_s;
    }
    void editorStrip()
    {
        QFETCH(QString, setting);
        QFETCH(QString, expected);
        window()->resize(px(10000), window()->height()); // room for the whole strip
        QTRY_COMPARE(window()->width(), px(10000));
        ui().mnuFileNew->trigger();
        QVERIFY(f->clickNode(setting));
        WindowControls ui = this->ui();
        const QList<QWidget*> controls{ui.cboParam, ui.txtParam, ui.cmdOK, ui.cmdCancel,
                                       ui.lblTitle[1]};
        const int widths[] = {120, 90, 40, 50};
        for (int i = 0; i < 4; ++i)
            controls[i]->setGeometry(home(), controls[i]->y(), widths[i], controls[i]->height());
        ui.cmdCancel->move(home() - 5, ui.cmdCancel->y());
        window()->layout().titleStripLayout();
        QStringList actual;
        for (QWidget* control : controls)
            actual.append(QString::number(control->x() - home()));
        actual.append(QString::number(ui.lvListView->width() - ui.lblTitle[1]->width()));
        QCOMPARE(actual.join(u' '), expected);
    }

    // At the first start every arrangement of the editor fits beside the tree: OK, Cancel and
    // some of the description can be seen, and the window fits the screen.
    void firstStartFitsTheEditor_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::newRow("value") << u"SERVERNAME"_s;
        QTest::newRow("choice") << u"LOGLEVEL"_s;
        QTest::newRow("name and suffix") << u"CACHESIZE"_s;
    }
    void firstStartFitsTheEditor()
    {
        QFETCH(QString, setting);
        QVERIFY(f->activate());
        ui().mnuFileNew->trigger();
        QVERIFY(f->clickNode(setting));
        QCOMPARE(ui().lblTitle[0]->text(), setting);
        const QRect strip = ui().picTitles->rect();
        for (QWidget* control :
             QWidgetList{ui().cboParam, ui().txtParam, ui().cmdOK, ui().cmdCancel}) {
            if (control->isVisibleTo(ui().picTitles))
                QVERIFY2(strip.contains(control->geometry()), qPrintable(control->objectName()));
        }
        QLabel* description = ui().lblTitle[1];
        QVERIFY(description->width() >= px(1000));
        QVERIFY(description->x() + px(1000) <= strip.right());
        const QScreen* screen = window()->screen();
        QVERIFY(screen->availableGeometry().contains(window()->frameGeometry()));
    }

    // Every button shows, each with an icon, and is named by its tooltip (every other control's
    // name is read through the accessibility bus: tests/accessibility). Right-clicking the
    // toolbar, a button or the menu bar opens no menu of Qt's own.
    void toolbar()
    {
        QVERIFY(f->activate());
        for (QAction* action : ui().CoolBar1->actions()) {
            QWidget* button = ui().CoolBar1->widgetForAction(action);
            QVERIFY(button->isVisible());
            QVERIFY(action->isSeparator() || !action->icon().pixmap(24).isNull());
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                     action->toolTip());
        }
        QWidget* button = ui().CoolBar1->widgetForAction(ui().FlatBttn[Button::Find]);
        for (QWidget* target : {static_cast<QWidget*>(ui().CoolBar1), button,
                                static_cast<QWidget*>(window()->menuBar())}) {
            const QPoint at(target->width() - 2, target->height() / 2);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
            QApplication::sendEvent(target, &event);
            for (QWidget* top : QApplication::topLevelWidgets())
                QVERIFY2(!(qobject_cast<QMenu*>(top) && top->isVisible()),
                         qPrintable(target->objectName()));
        }
    }
};

QTEST_MAIN(tst_MainLayout)
#include "tst_mainlayout.moc"
