#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

namespace {

// The view shows, is ticked in the View menu and pressed on the toolbar; the other is not.
bool Shows(const WindowControls& ui, bool text)
{
    return ui.txtTextBox->isVisible() == text && ui.lvListView->isVisible() != text &&
           ui.mnuViewmnuLVText->isChecked() == text && ui.mnuViewmnuLVList->isChecked() != text &&
           ui.FlatBttn[Button::TextView]->isChecked() == text &&
           ui.FlatBttn[Button::ListView]->isChecked() != text;
}

} // namespace

class tst_DocumentViews : public QObject {
    Q_OBJECT

private slots:
    void switchView_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("fromText");
        QTest::addColumn<bool>("toText");
        QTest::newRow("View menu Text View") << u"mnuViewmnuLVText"_s << false << true;
        QTest::newRow("toolbar Text View") << u"FlatBttn(11)"_s << false << true;
        QTest::newRow("list pop-up") << u"mnu_PopUpLV_TextView"_s << false << true;
        QTest::newRow("View menu List View") << u"mnuViewmnuLVList"_s << true << false;
        QTest::newRow("toolbar List View") << u"FlatBttn(12)"_s << true << false;
        QTest::newRow("View menu, view shown") << u"mnuViewmnuLVText"_s << true << true;
        QTest::newRow("toolbar, view shown") << u"FlatBttn(12)"_s << false << false;
    }

    void switchView()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, fromText);
        QFETCH(bool, toText);
        EditorFixture f;
        QVERIFY(Shows(f.ui(), true)); // as at every first start
        QVERIFY(f.openDocument({u"  NAME 1"_s, u"FLAG"_s}, !fromText));
        // The two forms now differ, so each result shows which form a switch read.
        f.document().setText(u"  EDIT 2"_s);
        f.ui().mnuFilemnuSave->trigger(); // writes the form that shows, leaving the other
        QVERIFY(!f.document().DocumentChanged());

        f.trigger(trigger);

        QVERIFY(Shows(f.ui(), toText));
        QCOMPARE(QList<bool>({f.ui().mnuEditCut->isEnabled(),
                              f.ui().FlatBttn[Button::Paste]->isEnabled(),
                              f.ui().FlatBttn[Button::MoveDown]->isEnabled()}),
                 QList<bool>({toText, toText, !toText}));
        if (fromText != toText) // Fonts follows the view at a switch only
            QCOMPARE(f.ui().mnuToolsFonts->isEnabled(), toText);
        // Choosing the shown view converts nothing: it only presses its button again.
        const bool rendered = !fromText && toText;
        QCOMPARE(f.rows().row(0).Setting, fromText && !toText ? u"EDIT"_s : u"NAME"_s);
        QCOMPARE(f.document().text(), rendered ? u"NAME 1\r\nFLAG \r\n"_s : u"  EDIT 2"_s);
        QCOMPARE(f.document().DocumentChanged(), rendered);
    }
};

QTEST_MAIN(tst_DocumentViews)
#include "tst_documentviews.moc"
