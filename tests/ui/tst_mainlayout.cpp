#include "app/PreferenceStore.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainLayout.h"
#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

bool Trigger(QAction* action)
{
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

QString AccessibleName(QObject* object)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// True when some pixel of the picture is not transparent.
bool HasInk(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

} // namespace

class TestMainLayout : public QObject {
    Q_OBJECT

private:
    FakeDialogs dialogs;
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<MainWindow> window;

    MainWidgets& ui() { return window->widgets(); }
    int px(double twips) { return Twips::toPixels(twips, window.get()); }

    // The list's rectangle in the title strip's coordinates.
    QRect ListInStrip()
    {
        const QPoint topLeft = ui().lvListView->mapTo(window.get(), QPoint(0, 0));
        return QRect(ui().picTitles->mapFrom(window.get(), topLeft), ui().lvListView->size());
    }

    // Room for the whole editor strip over the list.
    bool Widen()
    {
        const int width = px(10000);
        window->resize(width, window->height());
        return QTest::qWaitFor([&] { return window->width() == width; });
    }

    int ExpectedParameterWidth()
    {
        const QTreeView* list = ui().lvListView;
        return std::max(list->header()->minimumSectionSize(),
                        list->viewport()->width() - list->header()->sectionSize(0) - px(100));
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        {
            const auto store = PreferenceStore::Open();
            PreferenceStore::WriteBool(*store, u"ShowTextBox"_s, false);
        }
        window = env->startMainWindow(dialogs);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        env.reset();
        dialogs.clear();
    }

    void windowIsNeverNarrowerThan3000Twips_data()
    {
        QTest::addColumn<double>("requested");
        QTest::addColumn<double>("expected");
        QTest::newRow("2000") << 2000.0 << 3000.0;
        QTest::newRow("2985") << 2985.0 << 3000.0;
        QTest::newRow("3000") << 3000.0 << 3000.0;
        QTest::newRow("4500") << 4500.0 << 4500.0;
    }

    void windowIsNeverNarrowerThan3000Twips()
    {
        QFETCH(double, requested);
        QFETCH(double, expected);
        const int frameWidth = window->frameGeometry().width() - window->width();

        window->resize(px(requested) - frameWidth, window->height());

        QTRY_COMPARE(window->frameGeometry().width(), px(expected));
    }

    void hiddenHelpPaneStaysCollapsed_data()
    {
        QTest::addColumn<bool>("toggleInProgress");
        QTest::addColumn<bool>("collapsed");
        QTest::newRow("marked hidden") << false << true;
        QTest::newRow("while Show/Hide runs") << true << false;
    }

    void hiddenHelpPaneStaysCollapsed()
    {
        QFETCH(bool, toggleInProgress);
        QFETCH(bool, collapsed);
        QSplitter* split = ui().vbuSplitterHoriz;
        QVERIFY(Trigger(ui().mnuViewmnuShowHelp));
        QVERIFY(!ui().mnuViewmnuShowHelp->isChecked());
        QTRY_COMPARE(split->sizes().value(1), 0);
        // The user drags the split up a little while the pane is marked hidden.
        const int total = split->sizes().value(0);
        split->setSizes({total - 80, 80});
        QCOMPARE(split->sizes().value(1), 80);
        window->state().HelpToggleInProgress = toggleInProgress;

        const int taller = window->height() + 40;
        window->resize(window->width(), taller);

        QTRY_COMPARE(window->height(), taller);
        QTRY_COMPARE(split->sizes().value(1) == 0, collapsed);
        if (collapsed) // the document area takes the whole height
            QCOMPARE(split->sizes().value(0), split->height() - split->handleWidth());
        window->state().HelpToggleInProgress = false;
    }

    void parameterColumnTakesTheSpareWidth_data()
    {
        QTest::addColumn<int>("growth");
        QTest::newRow("wider") << 150;
        QTest::newRow("narrower") << -60;
    }

    void parameterColumnTakesTheSpareWidth()
    {
        QFETCH(int, growth);
        QVERIFY(Widen());
        QHeaderView* header = ui().lvListView->header();
        QVERIFY(ui().lvListView->isVisible());
        QTRY_COMPARE(header->sectionSize(1), ExpectedParameterWidth());
        const int setting = header->sectionSize(0);
        const int parameter = header->sectionSize(1);

        window->resize(window->width() + growth, window->height());

        QTRY_COMPARE(header->sectionSize(1), parameter + growth);
        QCOMPARE(header->sectionSize(1), ExpectedParameterWidth());
        QCOMPARE(header->sectionSize(0), setting);
    }

    void parameterColumnIsNeverNegative()
    {
        QHeaderView* header = ui().lvListView->header();
        header->resizeSection(0, ui().lvListView->viewport()->width() + 50);

        window->resize(window->width() - 20, window->height());

        QTRY_COMPARE(header->sectionSize(1), header->minimumSectionSize());
    }

    void editorStripFollowsTheLayoutTable_data()
    {
        QTest::addColumn<bool>("choices");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("ok");
        QTest::newRow("choices and value") << true << true << true;
        QTest::newRow("choices only") << true << false << true;
        QTest::newRow("value only") << false << true << true;
        QTest::newRow("neither, OK shown") << false << false << true;
        QTest::newRow("neither, OK hidden") << false << false << false;
    }

    void editorStripFollowsTheLayoutTable()
    {
        QFETCH(bool, choices);
        QFETCH(bool, value);
        QFETCH(bool, ok);
        QVERIFY(Widen());
        MainWidgets& ui = this->ui();
        ui.cboParam->setVisible(choices);
        ui.txtParam->setVisible(value);
        ui.cmdOK->setVisible(ok);
        ui.cmdCancel->setVisible(value);
        ui.cboParam->resize(120, ui.cboParam->height());
        ui.txtParam->resize(90, ui.txtParam->height());
        ui.cmdOK->resize(40, ui.cmdOK->height());
        ui.cmdCancel->resize(50, ui.cmdCancel->height());
        ui.cmdCancel->move(7, ui.cmdCancel->y());

        window->context().layout->TitleStripLayout();

        const QRect list = ListInStrip();
        const int x = list.left() + px(20);
        const int gap = px(10);
        int okLeft = x;
        int cancelLeft = 7;
        int descriptionLeft = x;
        int descriptionWidth = list.width() - px(20);
        if (choices && value) {
            QCOMPARE(ui.txtParam->x(), x + 120 + gap);
            okLeft = x + 120 + gap + 90 + gap;
            cancelLeft = okLeft + 40;
            descriptionLeft = cancelLeft + 50 + gap;
            descriptionWidth = list.width() - (120 + 90 + 40 + 50) - px(50);
        } else if (choices) {
            okLeft = x + 120 + gap;
            descriptionLeft = okLeft + 40 + gap;
            descriptionWidth = list.width() - (120 + 40) - px(50);
        } else if (value) {
            QCOMPARE(ui.txtParam->x(), x);
            okLeft = x + 90 + gap;
            cancelLeft = okLeft + 40;
            descriptionLeft = cancelLeft + 50 + gap;
            descriptionWidth = list.width() - (90 + 40 + 50) - px(50);
        } else if (ok) {
            descriptionLeft = x + 40 + px(20);
            descriptionWidth = list.width() - 40 - px(50);
        }
        QCOMPARE(ui.cboParam->x(), x);
        QCOMPARE(ui.cmdOK->x(), okLeft);
        QCOMPARE(ui.cmdCancel->x(), cancelLeft);
        QCOMPARE(ui.lblTitle[1]->x(), descriptionLeft);
        QCOMPARE(ui.lblTitle[1]->width(), descriptionWidth);

        const int middle = ui.picTitles->height() / 2;
        for (QWidget* control :
             std::initializer_list<QWidget*>{ui.cboParam, ui.txtParam, ui.cmdOK, ui.cmdCancel,
                                             ui.lblTitle[0], ui.lblTitle[1]}) {
            QVERIFY2(std::abs(control->geometry().center().y() - middle) <= 1,
                     qPrintable(control->objectName()));
            QVERIFY2(control->height() >= control->sizeHint().height(),
                     qPrintable(control->objectName()));
            QVERIFY2(control->geometry().bottom() < ui.picTitles->height(),
                     qPrintable(control->objectName()));
        }
    }

    void editorStripFollowsTheVerticalSplitter()
    {
        MainWidgets& ui = this->ui();
        ui.cboParam->show();

        ui.vbuSplitterVert->setSizes({px(2000), 400});

        QTRY_COMPARE(ui.tvTreeView->width(), px(2000));
        QCOMPARE(ui.lvListView->geometry(), ui.documentPane->rect());
        QCOMPARE(ui.cboParam->x(), ListInStrip().left() + px(20));
        QCOMPARE(ui.lblTitle[0]->width(), px(2000) - px(50));
    }

    void toolbarFitsTheDefaultWindowLeftToRight()
    {
        const QStringList expected{u"New"_s,
                                   u"Open"_s,
                                   u"Save"_s,
                                   u"Print"_s,
                                   u"|"_s,
                                   u"Cut"_s,
                                   u"Copy"_s,
                                   u"Paste"_s,
                                   u"Delete"_s,
                                   u"|"_s,
                                   u"Find"_s,
                                   u"|"_s,
                                   u"List Settings Alphabetically"_s,
                                   u"List Settings Categorically"_s,
                                   u"|"_s,
                                   u"Text View"_s,
                                   u"List View"_s,
                                   u"|"_s,
                                   u"Show/Hide Help Window"_s,
                                   u"|"_s,
                                   u"Move Up"_s,
                                   u"Move Down"_s,
                                   u"|"_s,
                                   u"Add/Remove Comment"_s};
        QToolBar* toolbar = ui().CoolBar1;
        QStringList actual;
        int previousRight = -1;
        for (QAction* action : toolbar->actions()) {
            actual.append(action->isSeparator() ? u"|"_s : action->toolTip());
            const QWidget* button = toolbar->widgetForAction(action);
            QVERIFY(button && button->isVisible());
            QVERIFY2(button->x() >= previousRight, qPrintable(action->toolTip()));
            previousRight = button->x() + button->width();
        }
        QCOMPARE(actual, expected);
    }

    void everyToolbarButtonHasAnIcon()
    {
        for (QAction* button : ui().FlatBttn) {
            QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
            QVERIFY2(HasInk(button->icon().pixmap(24, 24)), qPrintable(button->objectName()));
        }
        for (QAction* item :
             {ui().mnuFileNew, ui().mnuFileOpen, ui().mnuFilemnuSave, ui().mnuFilemnuPrint,
              ui().mnuEditCut, ui().mnuEditCopy, ui().mnuEditPaste, ui().mnuEditDelete,
              ui().mnuFind, ui().mnu_PopUpLV_MoveUp, ui().mnu_PopUpLV_MoveDown,
              ui().mnu_PopUpLV_Delete, ui().mnu_PopUpLV_Comment})
            QVERIFY2(!item->icon().isNull(), qPrintable(item->objectName()));
    }

    void everyBundledIconDraws()
    {
        const QStringList files = QDir(u":/icons"_s).entryList();
        QCOMPARE(files.size(), 17);
        for (const QString& file : files) {
            const QIcon icon(u":/icons/"_s + file);
            QVERIFY2(HasInk(icon.pixmap(24, 24)), qPrintable(file));
        }
    }

    void everyControlHasAnAccessibleName()
    {
        const MainWidgets& ui = this->ui();
        for (QWidget* control : std::initializer_list<QWidget*>{
                 ui.frmMain,        ui.CoolBar1,         ui.picTitles,
                 ui.cboParam,       ui.txtParam,         ui.cmdOK,
                 ui.cmdCancel,      ui.vbuSplitterHoriz, ui.vbuSplitterVert,
                 ui.tvTreeView,     ui.documentPane,     ui.txtTextBox,
                 ui.lvListView,     ui.helpPane,         ui.fraBrowser,
                 ui.brwHelpBrowser, ui.mnuFile,          ui.mnuFilemnuSelectVersion,
                 ui.mnuEdit,        ui.mnuView,          ui.mnuTools,
                 ui.mnuHelp,        ui.mnuPopUpLV,       ui.mnuPopUpTV})
            QVERIFY2(!AccessibleName(control).isEmpty(), qPrintable(control->objectName()));
        for (QAction* button : ui.FlatBttn)
            QCOMPARE(AccessibleName(ui.CoolBar1->widgetForAction(button)), button->toolTip());
        // The title labels announce what they show.
        ui.lblTitle[1]->setText(u"Largest number of connections"_s);
        QCOMPARE(AccessibleName(ui.lblTitle[1]), u"Largest number of connections"_s);
    }
};

QTEST_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
