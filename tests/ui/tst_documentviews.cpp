#include "support/EditorFixture.h"
#include "ui/StatusBar.h"

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
        // Choosing the shown view converts nothing: it only presses its button again. The rows
        // give the text the lines they were read from, so the switch changes nothing either.
        const bool converted = !fromText && toText;
        QCOMPARE(f.rows().row(0).Setting, fromText && !toText ? u"EDIT"_s : u"NAME"_s);
        QCOMPARE(f.document().text(), converted ? u"  NAME 1\r\nFLAG\r\n"_s : u"  EDIT 2"_s);
        QVERIFY(!f.document().DocumentChanged());
    }

    // File > Line Ends: the mark is what the next save writes; a choice is one step.
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("marks"); // CR LF, LF: 1 marked
        QTest::addColumn<QString>("shown");
        QTest::newRow("LF") << QByteArray("A 1\nB 2\n") << u"01"_s << u"LF"_s;
        QTest::newRow("CR LF") << QByteArray("A 1\r\n") << u"10"_s << u"CR LF"_s;
        QTest::newRow("mixed") << QByteArray("A 1\nB 2\r\n") << u"00"_s << u"Mixed line ends"_s;
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, marks);
        EditorFixture f;
        QVERIFY(f.open(bytes, true));
        auto* crlf = Control(*f.window, u"mnuFileLineEndsCrLf"_s);
        auto* lf = Control(*f.window, u"mnuFileLineEndsLf"_s);
        const auto marked = [&] {
            return QString::number(crlf->isChecked()) + QString::number(lf->isChecked());
        };
        QCOMPARE(marked(), marks);
        QFETCH(QString, shown);
        QVERIFY(f.window->status().fileFormat().contains(shown));
        lf->trigger();
        QCOMPARE(marked(), u"01"_s);
        QVERIFY(f.window->status().fileFormat().contains(u"| LF |"_s));
        QCOMPARE(f.document().DocumentChanged(), marks != u"01");
        f.trigger(u"mnuEditUndo"_s);
        QCOMPARE(marked(), marks);
        crlf->trigger();
        QCOMPARE(marked(), u"10"_s);
    }
};

QTEST_MAIN(tst_DocumentViews)
#include "tst_documentviews.moc"
