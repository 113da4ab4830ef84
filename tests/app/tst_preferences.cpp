#include "app/PreferenceStore.h"
#include "app/Preferences.h"
#include "catalogue/CatalogueTable.h"
#include "catalogue/VersionMenu.h"
#include "document/DocumentViews.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainWindow.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The twelve keys SavePreferences writes, and the four font keys.
const QStringList WindowKeys{u"MainLeft"_s,    u"MainTop"_s,      u"MainWidth"_s,
                             u"MainHeight"_s,  u"ShowTextBox"_s,  u"ListByCategory"_s,
                             u"SplitterTop"_s, u"SplitterLeft"_s, u"LvCol1"_s,
                             u"LvCol2"_s,      u"ShowHelp"_s,     u"ConfirmDelete"_s};

void Store(const QString& key, const QString& text)
{
    const auto store = PreferenceStore::Open();
    store->setValue(u"Settings/"_s + key, text);
    store->sync();
}

// The stored text as a new reader of the store's file sees it; empty when the key is absent.
QString Stored(const QString& key)
{
    const QString file = PreferenceStore::Open()->fileName();
    const QSettings fresh(file, QSettings::IniFormat);
    return fresh.value(u"Settings/"_s + key).toString();
}

double TwipsPerPixel(const QWidget* widget)
{
    return Twips::fromPixels(1, widget);
}

int SplitPosition(const QSplitter* splitter)
{
    return splitter->sizes().value(0);
}

bool Trigger(QAction* action)
{
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

private:
    FakeDialogs dialogs;
    std::unique_ptr<TestEnvironment> env;

    // A main window built and given its preferences, never shown: geometry and column widths
    // stay as loaded.
    std::unique_ptr<MainWindow> LoadedWindow()
    {
        auto window = std::make_unique<MainWindow>(dialogs, env->programDir(), CatalogueTable());
        window->context().preferences->LoadPreferences();
        window->context().preferences->LoadFontPreferences();
        return window;
    }

    // What a freshly started window shows of `key`: twips for measures, the check mark or
    // enabled state for booleans, the font's properties for the font keys.
    QVariant Observe(const QString& key)
    {
        if (key.startsWith(u"Splitter")) {
            const auto window = env->startMainWindow(dialogs);
            const MainWidgets& ui = window->widgets();
            const QSplitter* splitter =
                key == u"SplitterTop" ? ui.vbuSplitterHoriz : ui.vbuSplitterVert;
            return SplitPosition(splitter) * TwipsPerPixel(window.get());
        }
        const auto window = LoadedWindow();
        const MainWidgets& ui = window->widgets();
        const QRect frame = window->frameGeometry();
        const double twips = TwipsPerPixel(window.get());
        const QFont font = ui.txtTextBox->font();
        if (key == u"MainLeft")
            return frame.left() * twips;
        if (key == u"MainTop")
            return frame.top() * twips;
        if (key == u"MainWidth")
            return frame.width() * twips;
        if (key == u"MainHeight")
            return frame.height() * twips;
        if (key == u"ShowHelp")
            return ui.mnuViewmnuShowHelp->isChecked();
        if (key == u"ConfirmDelete")
            return ui.mnuToolsConfirmDelete->isChecked();
        if (key == u"ShowTextBox")
            return ui.mnuToolsFonts->isEnabled();
        if (key == u"DravaneVersion")
            return window->context().versions->CheckedIndex();
        if (key == u"LvCol1")
            return ui.lvListView->header()->sectionSize(0) * twips;
        if (key == u"LvCol2")
            return ui.lvListView->header()->sectionSize(1) * twips;
        if (key == u"FontName")
            return font.family();
        if (key == u"FontSize")
            return font.pointSizeF();
        if (key == u"FontBold")
            return font.bold();
        if (key == u"FontItalic")
            return font.italic();
        return {};
    }

    // Measures agree to the pixel.
    static bool SameObservation(const QVariant& actual, const QVariant& expected)
    {
        if (actual.typeId() == QMetaType::Double && expected.typeId() == QMetaType::Double)
            return std::abs(actual.toDouble() - expected.toDouble()) <= 15.0;
        return actual == expected;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        dialogs.clear();
    }

    void cleanup()
    {
        env.reset();
        dialogs.clear();
    }

    void emptyStoreGivesTheDefaults()
    {
        const auto window = LoadedWindow();
        const MainWidgets& ui = window->widgets();
        const double twips = TwipsPerPixel(window.get());
        const QRect frame = window->frameGeometry();

        QCOMPARE(qRound(frame.left() * twips / 15), qRound(1000.0 / 15));
        QCOMPARE(qRound(frame.top() * twips / 15), qRound(1000.0 / 15));
        QCOMPARE(frame.width(), Twips::toPixels(6500, window.get()));
        QCOMPARE(frame.height(), Twips::toPixels(8970, window.get()));
        QVERIFY(ui.mnuViewmnuShowHelp->isChecked());
        QVERIFY(ui.FlatBttn[Button::ShowHelp]->isChecked());
        QVERIFY(ui.mnuToolsConfirmDelete->isChecked());
        QCOMPARE(window->context().versions->CheckedIndex(), 0);
        QVERIFY(ui.mnuToolsFonts->isEnabled());
        QCOMPARE(ui.lvListView->header()->sectionSize(0), Twips::toPixels(2500.15, window.get()));
        QCOMPARE(ui.lvListView->header()->sectionSize(1), Twips::toPixels(3500.22, window.get()));

        const QFont font = ui.txtTextBox->font();
        QCOMPARE(font.family(), u"MS Sans Serif"_s);
        QCOMPARE(font.pointSizeF(), 10.0);
        QVERIFY(!font.bold());
        QVERIFY(!font.italic());

        QVERIFY(ui.lblTitle[0]->text().isEmpty());
        QVERIFY(ui.lblTitle[1]->text().isEmpty());
        for (const QWidget* control : std::initializer_list<const QWidget*>{
                 ui.cboParam, ui.txtParam, ui.cmdOK, ui.cmdCancel})
            QVERIFY2(control->isHidden(), qPrintable(control->objectName()));
    }

    void emptyStoreSplitsAt3000Twips()
    {
        const auto window = env->startMainWindow(dialogs);
        QVERIFY(window);
        const int expected = Twips::toPixels(3000, window.get());
        QCOMPARE(SplitPosition(window->widgets().vbuSplitterHoriz), expected);
        QCOMPARE(SplitPosition(window->widgets().vbuSplitterVert), expected);
    }

    void storedValuesAreApplied_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("MainLeft") << u"MainLeft"_s << u"1500"_s << QVariant(1500.0);
        QTest::newRow("MainTop, a fraction") << u"MainTop"_s << u"1200.5"_s << QVariant(1200.5);
        QTest::newRow("MainWidth") << u"MainWidth"_s << u"7000"_s << QVariant(7000.0);
        QTest::newRow("MainHeight") << u"MainHeight"_s << u"6000"_s << QVariant(6000.0);
        QTest::newRow("SplitterTop") << u"SplitterTop"_s << u"2400"_s << QVariant(2400.0);
        QTest::newRow("SplitterLeft") << u"SplitterLeft"_s << u"1800"_s << QVariant(1800.0);
        QTest::newRow("ShowHelp") << u"ShowHelp"_s << u"False"_s << QVariant(false);
        QTest::newRow("ConfirmDelete") << u"ConfirmDelete"_s << u"False"_s << QVariant(false);
        QTest::newRow("ShowTextBox disables Fonts")
            << u"ShowTextBox"_s << u"False"_s << QVariant(false);
        QTest::newRow("DravaneVersion") << u"DravaneVersion"_s << u"2"_s << QVariant(2);
        QTest::newRow("LvCol1") << u"LvCol1"_s << u"1800.5"_s << QVariant(1800.5);
        QTest::newRow("LvCol2") << u"LvCol2"_s << u"4200"_s << QVariant(4200.0);
        QTest::newRow("FontName") << u"FontName"_s << u"DejaVu Serif"_s
                                  << QVariant(u"DejaVu Serif"_s);
        QTest::newRow("FontSize") << u"FontSize"_s << u"13.5"_s << QVariant(13.5);
        QTest::newRow("FontBold") << u"FontBold"_s << u"True"_s << QVariant(true);
        QTest::newRow("FontItalic") << u"FontItalic"_s << u"True"_s << QVariant(true);
    }

    void storedValuesAreApplied()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QVariant, expected);
        Store(key, text);

        const QVariant actual = Observe(key);

        QVERIFY2(SameObservation(actual, expected),
                 qPrintable(u"%1 read as %2"_s.arg(key, actual.toString())));
    }

    void unreadableValuesReadAsTheDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");

        QTest::newRow("MainLeft, a word") << u"MainLeft"_s << u"left"_s;
        QTest::newRow("MainLeft, beyond any screen size") << u"MainLeft"_s << u"1e30"_s;
        QTest::newRow("MainTop, empty") << u"MainTop"_s << QString();
        QTest::newRow("MainWidth, a word") << u"MainWidth"_s << u"wide"_s;
        QTest::newRow("MainWidth, negative") << u"MainWidth"_s << u"-6500"_s;
        QTest::newRow("MainWidth, absurdly small") << u"MainWidth"_s << u"3"_s;
        QTest::newRow("MainHeight, not a number") << u"MainHeight"_s << u"NaN"_s;
        QTest::newRow("MainHeight, infinite") << u"MainHeight"_s << u"inf"_s;
        QTest::newRow("SplitterTop, beyond 16 bits") << u"SplitterTop"_s << u"40000"_s;
        QTest::newRow("SplitterTop, negative") << u"SplitterTop"_s << u"-1"_s;
        QTest::newRow("SplitterLeft, a word") << u"SplitterLeft"_s << u"left"_s;
        QTest::newRow("ShowHelp, maybe") << u"ShowHelp"_s << u"maybe"_s;
        QTest::newRow("ConfirmDelete, maybe") << u"ConfirmDelete"_s << u"maybe"_s;
        QTest::newRow("ShowTextBox, maybe") << u"ShowTextBox"_s << u"maybe"_s;
        QTest::newRow("DravaneVersion, a word") << u"DravaneVersion"_s << u"x"_s;
        QTest::newRow("DravaneVersion, past the menu") << u"DravaneVersion"_s << u"12"_s;
        QTest::newRow("LvCol1, a word") << u"LvCol1"_s << u"abc"_s;
        QTest::newRow("LvCol1, negative") << u"LvCol1"_s << u"-100"_s;
        QTest::newRow("LvCol2, zero") << u"LvCol2"_s << u"0"_s;
        QTest::newRow("FontName, empty") << u"FontName"_s << u"  "_s;
        QTest::newRow("FontSize, a word") << u"FontSize"_s << u"big"_s;
        QTest::newRow("FontSize, negative") << u"FontSize"_s << u"-3"_s;
        QTest::newRow("FontSize, zero") << u"FontSize"_s << u"0"_s;
        QTest::newRow("FontSize, absurd") << u"FontSize"_s << u"100000"_s;
        QTest::newRow("FontBold, maybe") << u"FontBold"_s << u"maybe"_s;
        QTest::newRow("FontItalic, a word") << u"FontItalic"_s << u"slanted"_s;
    }

    void unreadableValuesReadAsTheDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        const QVariant expected = Observe(key);
        Store(key, text);

        const QVariant actual = Observe(key);

        QVERIFY2(SameObservation(actual, expected),
                 qPrintable(u"%1 read as %2 instead of %3"_s.arg(key, actual.toString(),
                                                                 expected.toString())));
    }

    void unreadableStoreIsRewrittenSoundAtClose()
    {
        for (const QString& key : WindowKeys)
            Store(key, u"garbage"_s);
        Store(u"SplitterTop"_s, u"99999"_s);
        Store(u"LvCol1"_s, u"-5"_s);

        auto window = env->startMainWindow(dialogs);
        QVERIFY(window);
        QVERIFY(window->close());

        for (const QString& key : {u"MainLeft"_s, u"MainTop"_s, u"MainWidth"_s, u"MainHeight"_s,
                                   u"LvCol1"_s, u"LvCol2"_s})
            QVERIFY2(PreferenceStore::ToSingle(Stored(key)).value_or(-1) >= 0, qPrintable(key));
        for (const QString& key : {u"SplitterTop"_s, u"SplitterLeft"_s})
            QVERIFY2(PreferenceStore::ToInt16(Stored(key)).value_or(-1) >= 0, qPrintable(key));
        for (const QString& key :
             {u"ShowTextBox"_s, u"ListByCategory"_s, u"ShowHelp"_s, u"ConfirmDelete"_s})
            QVERIFY2(Stored(key) == u"True" || Stored(key) == u"False", qPrintable(key));
        QCOMPARE(Stored(u"ConfirmDelete"_s), u"True"_s);
    }

    void roundTripThroughTheStore_data()
    {
        QTest::addColumn<bool>("helpShown");
        QTest::newRow("help shown") << true;
        QTest::newRow("help hidden") << false;
    }

    void roundTripThroughTheStore()
    {
        QFETCH(bool, helpShown);
        QRect frame;
        int columnOne = 0;
        int columnTwo = 0;
        {
            auto window = env->startMainWindow(dialogs);
            QVERIFY(window);
            MainWidgets& ui = window->widgets();
            window->move(Twips::toPixels(1500, window.get()), Twips::toPixels(1200, window.get()));
            window->resize(Twips::toPixels(7200, window.get()),
                           Twips::toPixels(7800, window.get()));
            QTRY_COMPARE(window->width(), Twips::toPixels(7200, window.get()));
            ui.vbuSplitterHoriz->setSizes({Twips::toPixels(2400, window.get()), 100});
            ui.vbuSplitterVert->setSizes({Twips::toPixels(1800, window.get()), 300});
            ui.lvListView->header()->resizeSection(0, Twips::toPixels(2800, window.get()));
            ui.mnuViewmnuShowHelp->setChecked(helpShown);
            QVERIFY(Trigger(ui.mnuToolsConfirmDelete));
            ui.mnuViewmnuListCat->setChecked(false);
            ui.mnuViewmnuListAlpha->setChecked(true);
            window->context().views->SetView(false);
            frame = window->frameGeometry();
            columnOne = ui.lvListView->header()->sectionSize(0);
            columnTwo = ui.lvListView->header()->sectionSize(1);

            window->context().preferences->SavePreferences();
        }

        const double twips = Twips::fromPixels(1, nullptr);
        QCOMPARE(Stored(u"MainLeft"_s).toDouble(), frame.left() * twips);
        QCOMPARE(Stored(u"MainTop"_s).toDouble(), frame.top() * twips);
        QCOMPARE(Stored(u"MainWidth"_s).toDouble(), frame.width() * twips);
        QCOMPARE(Stored(u"MainHeight"_s).toDouble(), frame.height() * twips);
        QCOMPARE(Stored(u"ShowTextBox"_s), u"False"_s);
        QCOMPARE(Stored(u"ListByCategory"_s), u"False"_s);
        QCOMPARE(Stored(u"SplitterTop"_s), u"2400"_s);
        QCOMPARE(Stored(u"SplitterLeft"_s), u"1800"_s);
        QCOMPARE(Stored(u"LvCol1"_s).toDouble(), columnOne * twips);
        QCOMPARE(Stored(u"LvCol2"_s).toDouble(), columnTwo * twips);
        QCOMPARE(Stored(u"ShowHelp"_s), helpShown ? u"True"_s : u"False"_s);
        QCOMPARE(Stored(u"ConfirmDelete"_s), u"False"_s);

        const auto window = env->startMainWindow(dialogs);
        QVERIFY(window);
        const MainWidgets& ui = window->widgets();
        QCOMPARE(window->frameGeometry(), frame);
        QCOMPARE(SplitPosition(ui.vbuSplitterVert), Twips::toPixels(1800, window.get()));
        if (helpShown)
            QCOMPARE(SplitPosition(ui.vbuSplitterHoriz), Twips::toPixels(2400, window.get()));
        else
            QTRY_COMPARE(ui.vbuSplitterHoriz->sizes().value(1), 0);
        QCOMPARE(ui.mnuViewmnuShowHelp->isChecked(), helpShown);
        QCOMPARE(ui.FlatBttn[Button::ShowHelp]->isChecked(), helpShown);
        QVERIFY(!ui.mnuToolsConfirmDelete->isChecked());
        QVERIFY(!window->context().views->IsTextView());
        QVERIFY(ui.mnuViewmnuListAlpha->isChecked());
        QCOMPARE(ui.lvListView->header()->sectionSize(0), columnOne);
        QCOMPARE(LoadedWindow()->widgets().lvListView->header()->sectionSize(1), columnTwo);
    }

    void closingWhileMinimisedKeepsTheStoredPreferences_data()
    {
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<QString>("confirmDelete");
        QTest::newRow("normal") << false << u"False"_s;
        QTest::newRow("minimised") << true << QString();
    }

    void closingWhileMinimisedKeepsTheStoredPreferences()
    {
        QFETCH(bool, minimised);
        QFETCH(QString, confirmDelete);
        auto window = env->startMainWindow(dialogs);
        QVERIFY(window);
        QVERIFY(Trigger(window->widgets().mnuToolsConfirmDelete));
        QVERIFY(!window->widgets().mnuToolsConfirmDelete->isChecked());
        QCOMPARE(Stored(u"ConfirmDelete"_s), QString()); // written only at shutdown
        if (minimised) {
            window->showMinimized();
            QTRY_VERIFY(window->isMinimized());
        }

        QVERIFY(window->close());

        QCOMPARE(Stored(u"ConfirmDelete"_s), confirmDelete);
        QCOMPARE(Stored(u"MainWidth"_s).isEmpty(), minimised);
    }

    void cancelledFontDialogChangesNothing()
    {
        auto window = env->startMainWindow(dialogs);
        QVERIFY(window);
        QVERIFY(Trigger(window->widgets().mnuFileNew));
        const QFont before = window->widgets().txtTextBox->font();
        dialogs.fontAnswers = {std::nullopt};

        QVERIFY(Trigger(window->widgets().mnuToolsFonts));

        QCOMPARE(dialogs.count(u"font"_s), 1);
        QCOMPARE(window->widgets().txtTextBox->font(), before);
        for (const QString& key : {u"FontName"_s, u"FontSize"_s, u"FontBold"_s, u"FontItalic"_s})
            QCOMPARE(Stored(key), QString());
    }

    void fontDialogOpensWithItsLastChoice()
    {
        auto window = env->startMainWindow(dialogs);
        QVERIFY(window);
        const MainWidgets& ui = window->widgets();
        QVERIFY(Trigger(ui.mnuFileNew));
        QFont choice(u"DejaVu Serif"_s);
        choice.setPointSizeF(13.5);
        choice.setBold(true);
        choice.setItalic(true);
        dialogs.fontAnswers = {choice, std::nullopt, std::nullopt};
        const QFont before = ui.txtTextBox->font();

        QVERIFY(Trigger(ui.mnuToolsFonts));
        QCOMPARE(dialogs.last(u"font"_s).font, before);
        const QFont applied = ui.txtTextBox->font();
        QCOMPARE(applied.family(), u"DejaVu Serif"_s);
        QCOMPARE(applied.pointSizeF(), 13.5);
        QVERIFY(applied.bold());
        QVERIFY(applied.italic());
        QCOMPARE(Stored(u"FontName"_s), u"DejaVu Serif"_s);
        QCOMPARE(Stored(u"FontSize"_s), u"13.5"_s);
        QCOMPARE(Stored(u"FontBold"_s), u"True"_s);
        QCOMPARE(Stored(u"FontItalic"_s), u"True"_s);

        // The dialog is not preset with the text view's font, even after it changed.
        Store(u"FontName"_s, u"Nimbus Sans"_s);
        window->context().preferences->LoadFontPreferences();
        QVERIFY(Trigger(ui.mnuToolsFonts));
        QCOMPARE(dialogs.last(u"font"_s).font.family(), u"DejaVu Serif"_s);
        QCOMPARE(dialogs.last(u"font"_s).font.pointSizeF(), 13.5);
        QVERIFY(Trigger(ui.mnuToolsFonts));
        QCOMPARE(dialogs.last(u"font"_s).font.family(), u"DejaVu Serif"_s);
    }

    void missingFamilyShowsSansSerifButIsKept_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("default") << u"MS Sans Serif"_s;
        QTest::newRow("unknown") << u"No Such Family 4711"_s;
    }

    void missingFamilyShowsSansSerifButIsKept()
    {
        QFETCH(QString, family);
        QVERIFY(!QFontDatabase::families().contains(family));
        Store(u"FontName"_s, family);

        const auto window = LoadedWindow();
        const QFont font = window->widgets().txtTextBox->font();
        QCOMPARE(font.family(), family);
        const QString shown = QFontInfo(font).family();
        QVERIFY2(QFontDatabase::families().contains(shown), qPrintable(shown));
        QVERIFY2(shown.contains(u"Sans"_s) && !shown.contains(u"Mono"_s), qPrintable(shown));

        window->context().preferences->SaveFontPreferences();
        QCOMPARE(Stored(u"FontName"_s), family);
    }

    void offScreenWindowComesBackOntoThePrimaryScreen_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<bool>("moved");
        QTest::newRow("on screen") << 1500.0 << 1200.0 << false;
        QTest::newRow("partly off the left edge") << -3000.0 << 1000.0 << false;
        QTest::newRow("far right") << 200000.0 << 1000.0 << true;
        QTest::newRow("far left") << -200000.0 << 1000.0 << true;
        QTest::newRow("far below") << 1000.0 << 200000.0 << true;
        QTest::newRow("above and left") << -50000.0 << -50000.0 << true;
    }

    void offScreenWindowComesBackOntoThePrimaryScreen()
    {
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(bool, moved);
        Store(u"MainLeft"_s, QString::number(left));
        Store(u"MainTop"_s, QString::number(top));

        const auto window = LoadedWindow();
        const QRect frame = window->frameGeometry();

        QVERIFY(QGuiApplication::primaryScreen()->geometry().intersects(frame));
        QCOMPARE(frame.size(),
                 QSize(Twips::toPixels(6500, window.get()), Twips::toPixels(8970, window.get())));
        if (!moved)
            QCOMPARE(frame.topLeft(), QPoint(Twips::toPixels(left, window.get()),
                                             Twips::toPixels(top, window.get())));
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
