#include "EditorFixture.h"

#include "document/ListSelection.h"
#include "document/ValueEditor.h"

#include <QSignalSpy>

namespace {

// Rows 0 to 9 of the document most tests open.
const QStringList Lines = {
    QStringLiteral("MAXCONNECTIONS 100"), QStringLiteral("SERVERNAME alpha beta"),
    QStringLiteral("LOGLEVEL  INFO "),    QStringLiteral("TRACE  maybe "),
    QStringLiteral("LOCKMEMORY"),         QStringLiteral("CACHESIZE_INDEX 64"),
    QStringLiteral("; a remark"),         QString(),
    QStringLiteral("unknownsetting 1"),   QStringLiteral("BUFFERS 16"),
};
constexpr int BlankRow = 7;
constexpr int UnknownRow = 8;

enum class Source { List, Tree };

// Catalogue for the lookup tests: entries contained in other entries' names, an exact entry
// standing after a contained one, and an entry whose type is no type word.
QList<FixtureSetting> LookupCatalogue()
{
    return {Entry(QStringLiteral("LOG"), QStringLiteral("number")),
            Entry(QStringLiteral("LOGLEVEL"), QStringLiteral("combo"), QStringLiteral("A|B")),
            Entry(QStringLiteral("LEVEL"), QStringLiteral("string")),
            Entry(QStringLiteral("ODD"), QStringLiteral("Number")),
            Entry(QStringLiteral("D"), QStringLiteral("string"))};
}

QList<FixtureSetting> EmptyNameFirstCatalogue()
{
    return {Entry(QString(), QStringLiteral("string")),
            Entry(QStringLiteral("MAXCONN"), QStringLiteral("number"))};
}

} // namespace

Q_DECLARE_METATYPE(Source)

class ValueEditorTest : public QObject {
    Q_OBJECT

private:
    // Sets the editor up from row `row` of the open document or from the node named `text`.
    static bool setUp(EditorFixture& f, Source source, int row, const QString& text)
    {
        if (source == Source::Tree)
            return f.clickNode(text);
        f.clickRow(row);
        return SelectedRow(f.ui().lvListView) == row;
    }

private slots:
    void editorsFollowTheValueType_data();
    void editorsFollowTheValueType();
    void controlsArePlacedFromTheHomePosition_data();
    void controlsArePlacedFromTheHomePosition();
    void lookupPrefersExactNames_data();
    void lookupPrefersExactNames();
    void multipleRecognisesTheSuffix_data();
    void multipleRecognisesTheSuffix();
    void numberCaptionCarriesTheNote_data();
    void numberCaptionCarriesTheNote();
    void commentBlanksHelpAndCaption_data();
    void commentBlanksHelpAndCaption();
    void withoutDocumentOnlyHelpAndLabels_data();
    void withoutDocumentOnlyHelpAndLabels();
    void blankRowAndCategoryLeaveTheStripBare_data();
    void blankRowAndCategoryLeaveTheStripBare();
    void unknownNameKeepsTheStrip();
    void cancelEmptiesOnlyTheValueBox();
    void resetHidesTheControls();
    void listKeysSetTheEditorUp_data();
    void listKeysSetTheEditorUp();
    void selectionWithoutKeyOrClickDoesNotSetUp();
    void editorKeysPressTheButtons_data();
    void editorKeysPressTheButtons();
};

void ValueEditorTest::editorsFollowTheValueType_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("choiceWidth");
    QTest::addColumn<double>("valueWidth");
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QString>("choiceText");
    QTest::addColumn<QString>("valueText");
    QTest::addColumn<bool>("valueFocused");
    QTest::addColumn<QString>("caption");

    const QString valueOnly = QStringLiteral("txtParam cmdOK cmdCancel");
    const QString choiceOnly = QStringLiteral("cboParam cmdOK");
    const QString both = QStringLiteral("cboParam txtParam cmdOK cmdCancel");
    const QStringList levels = {"ERROR", "WARNING", "INFO", "DEBUG"};
    const QStringList onOff = {"ON", "OFF"};
    const QStringList suffixes = {"_DATA", "_INDEX", "_TEMP"};
    const QString connections = QStringLiteral(" connections (1 to 4096)");

    QTest::newRow("number, row") << Source::List << 0 << QString() << "MAXCONNECTIONS" << valueOnly
                                 << 0.0 << 2655.0 << QStringList() << ""
                                 << "100" << true << connections;
    QTest::newRow("number, node") << Source::Tree << -1 << "MAXCONNECTIONS"
                                  << "MAXCONNECTIONS" << valueOnly << 0.0 << 2655.0 << QStringList()
                                  << ""
                                  << "" << true << connections;
    QTest::newRow("string, row") << Source::List << 1 << QString() << "SERVERNAME" << valueOnly
                                 << 0.0 << 2655.0 << QStringList() << ""
                                 << "alpha beta" << true << " Name of the server";
    QTest::newRow("string, node") << Source::Tree << -1 << "SERVERNAME"
                                  << "SERVERNAME" << valueOnly << 0.0 << 2655.0 << QStringList()
                                  << ""
                                  << "" << true << " Name of the server";
    QTest::newRow("combo, row trimmed") << Source::List << 2 << QString() << "LOGLEVEL"
                                        << choiceOnly << 2655.0 << 0.0 << levels << "INFO"
                                        << "" << false << "";
    QTest::newRow("combo, node") << Source::Tree << -1 << "LOGLEVEL"
                                 << "LOGLEVEL" << choiceOnly << 2655.0 << 0.0 << levels << "ERROR"
                                 << "" << false << "";
    QTest::newRow("boolean, row not a choice") << Source::List << 3 << QString() << "TRACE"
                                               << choiceOnly << 2655.0 << 0.0 << onOff << "maybe"
                                               << "" << false << "";
    QTest::newRow("boolean, node") << Source::Tree << -1 << "TRACE"
                                   << "TRACE" << choiceOnly << 2655.0 << 0.0 << onOff << "ON"
                                   << "" << false << "";
    QTest::newRow("null, row") << Source::List << 4 << QString() << "LOCKMEMORY"
                               << "cmdOK" << 0.0 << 0.0 << QStringList() << ""
                               << "" << false << "";
    QTest::newRow("null, node") << Source::Tree << -1 << " BLANK LINE"
                                << " BLANK LINE"
                                << "cmdOK" << 0.0 << 0.0 << QStringList() << ""
                                << "" << false << "";
    QTest::newRow("multiple, row") << Source::List << 5 << QString() << "CACHESIZE_INDEX" << both
                                   << 2000.0 << 1326.0 << suffixes << "_INDEX"
                                   << "64" << true << "";
    QTest::newRow("multiple, node")
        << Source::Tree << -1 << "CACHESIZE"
        << "CACHESIZE" << both << 2000.0 << 1326.0 << suffixes << "_DATA"
        << "" << true << "";
}

void ValueEditorTest::editorsFollowTheValueType()
{
    QFETCH(Source, source);
    QFETCH(int, row);
    QFETCH(QString, node);
    QFETCH(QString, title);
    QFETCH(QString, shown);
    QFETCH(double, choiceWidth);
    QFETCH(double, valueWidth);
    QFETCH(QStringList, choices);
    QFETCH(QString, choiceText);
    QFETCH(QString, valueText);
    QFETCH(bool, valueFocused);
    QFETCH(QString, caption);

    EditorFixture f;
    QVERIFY(f.started());
    QVERIFY(f.openDocument(Lines));
    // A value left over from an earlier editor must not survive the set-up.
    f.ui().txtParam->setText(QStringLiteral("stale"));
    QVERIFY(setUp(f, source, row, node));
    const MainWidgets& ui = f.ui();

    QCOMPARE(f.state().EditingExistingRow, source == Source::List);
    QCOMPARE(ui.lblTitle[0]->text(), title);
    QCOMPARE(f.shownControls(), shown);
    if (choiceWidth > 0)
        QVERIFY2(f.near(f.width(ui.cboParam), choiceWidth, ui.cboParam),
                 qPrintable(QString::number(f.width(ui.cboParam))));
    if (valueWidth > 0)
        QVERIFY2(f.near(f.width(ui.txtParam), valueWidth, ui.txtParam),
                 qPrintable(QString::number(f.width(ui.txtParam))));
    QStringList items;
    for (int i = 0; i < ui.cboParam->count(); ++i)
        items << ui.cboParam->itemText(i);
    QCOMPARE(items, choices);
    QCOMPARE(ui.cboParam->currentText(), choiceText);
    QCOMPARE(ui.txtParam->text(), valueText);
    QCOMPARE(ui.frmMain->focusWidget() == ui.txtParam, valueFocused);
    QCOMPARE(ui.lblTitle[1]->text(), caption);
    QCOMPARE(ui.lblTitle[1]->toolTip(), caption);
    QVERIFY(!ui.lblTitle[1]->isHidden());
}

void ValueEditorTest::controlsArePlacedFromTheHomePosition_data()
{
    // Each control's left is given by the control before it (or the home position) and a gap.
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("valueAfter");
    QTest::addColumn<double>("valueGap");
    QTest::addColumn<QString>("okAfter");
    QTest::addColumn<double>("okGap");
    QTest::addColumn<QString>("descriptionAfter");
    QTest::addColumn<double>("descriptionGap");

    QTest::newRow("number") << "MAXCONNECTIONS"
                            << "home" << 0.0 << "home" << 2665.0 << "cmdCancel" << 20.0;
    QTest::newRow("string") << "SERVERNAME"
                            << "home" << 0.0 << "txtParam" << 10.0 << "cmdCancel" << 10.0;
    QTest::newRow("combo") << "LOGLEVEL"
                           << "" << 0.0 << "home" << 2665.0 << "cmdOK" << 10.0;
    QTest::newRow("null") << "LOCKMEMORY"
                          << "" << 0.0 << "home" << 0.0 << "cmdOK" << 20.0;
    QTest::newRow("multiple") << "CACHESIZE"
                              << "cboParam" << 10.0 << "txtParam" << 10.0 << "cmdCancel" << 10.0;
}

void ValueEditorTest::controlsArePlacedFromTheHomePosition()
{
    QFETCH(QString, node);
    QFETCH(QString, valueAfter);
    QFETCH(double, valueGap);
    QFETCH(QString, okAfter);
    QFETCH(double, okGap);
    QFETCH(QString, descriptionAfter);
    QFETCH(double, descriptionGap);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(f.clickNode(node));
    const MainWidgets& ui = f.ui();
    QWidget* strip = ui.picTitles;
    const double home = qRound(f.left(ui.cboParam));
    const auto edgeOf = [&](const QString& name) {
        return name == QLatin1String("home") ? home : f.right(strip->findChild<QWidget*>(name));
    };

    if (!valueAfter.isEmpty())
        QVERIFY(f.near(f.left(ui.txtParam), edgeOf(valueAfter) + valueGap, strip));
    QVERIFY2(f.near(f.left(ui.cmdOK), edgeOf(okAfter) + okGap, strip),
             qPrintable(QStringLiteral("OK at %1, home %2").arg(f.left(ui.cmdOK)).arg(home)));
    if (!ui.cmdCancel->isHidden())
        QVERIFY(f.near(f.left(ui.cmdCancel), f.right(ui.cmdOK), strip));

    QLabel* description = ui.lblTitle[1];
    QVERIFY(f.near(f.left(description), edgeOf(descriptionAfter) + descriptionGap, strip));
    double controlsWidth = 0;
    for (const QWidget* control :
         std::initializer_list<const QWidget*>{ui.cboParam, ui.txtParam, ui.cmdOK, ui.cmdCancel}) {
        if (!control->isHidden())
            controlsWidth += f.width(control);
    }
    QVERIFY(f.near(f.width(description), f.width(ui.lvListView) - controlsWidth - 50, strip));
}

void ValueEditorTest::lookupPrefersExactNames_data()
{
    QTest::addColumn<bool>("emptyNameFirst");
    QTest::addColumn<Source>("source");
    QTest::addColumn<QString>("text"); // the document line, or the node
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("shown");

    const QString valueOnly = QStringLiteral("txtParam cmdOK cmdCancel");
    const QString choiceOnly = QStringLiteral("cboParam cmdOK");
    QTest::newRow("exact after a contained entry") << false << Source::List << "LOGLEVEL A"
                                                   << "LOGLEVEL"
                                                   << "LOGLEVEL" << choiceOnly;
    QTest::newRow("lower case row upper-cased") << false << Source::List << "loglevel A"
                                                << "LOGLEVEL"
                                                << "LOGLEVEL" << choiceOnly;
    QTest::newRow("commented-out row through the first contained entry")
        << false << Source::List << ";LOGLEVEL A"
        << ";LOGLEVEL"
        << "LOG" << valueOnly;
    QTest::newRow("contained only in a later entry") << false << Source::List << "XLEVEL 1"
                                                     << "XLEVEL"
                                                     << "LEVEL" << valueOnly;
    QTest::newRow("entry without a type word passed over") << false << Source::List << "ODD 1"
                                                           << "ODD"
                                                           << "D" << valueOnly;
    QTest::newRow("node text used unchanged") << false << Source::Tree << "LEVEL"
                                              << "LEVEL"
                                              << "LEVEL" << valueOnly;
    QTest::newRow("empty name matches what has no exact entry") << true << Source::List << "OTHER 5"
                                                                << "OTHER"
                                                                << "" << valueOnly;
    QTest::newRow("exact entry beats the empty name") << true << Source::List << "MAXCONN 5"
                                                      << "MAXCONN"
                                                      << "MAXCONN" << valueOnly;
}

void ValueEditorTest::lookupPrefersExactNames()
{
    QFETCH(bool, emptyNameFirst);
    QFETCH(Source, source);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, anchor);
    QFETCH(QString, shown);

    EditorFixture f(emptyNameFirst ? EmptyNameFirstCatalogue() : LookupCatalogue());
    QVERIFY(f.started());
    QVERIFY(f.openDocument({source == Source::List ? text : QStringLiteral("X 1")}));
    QVERIFY(setUp(f, source, 0, text));

    QCOMPARE(f.ui().lblTitle[0]->text(), title);
    QVERIFY(!f.helpIsBlank());
    QCOMPARE(f.helpAnchor(), anchor);
    QCOMPARE(f.shownControls(), shown);
}

void ValueEditorTest::multipleRecognisesTheSuffix_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("choiceText");
    QTest::addColumn<QString>("valueText");

    QTest::newRow("row with suffix") << Source::List << "WATERMARK_HIGH 5" << 2 << "HIGH"
                                     << "5";
    QTest::newRow("row without suffix") << Source::List << "WATERMARK_ 7" << 2 << ""
                                        << "7";
    QTest::newRow("later choice wins") << Source::List << "WATERMARK_HIGHLOW 3" << 2 << "HIGH"
                                       << "3";
    QTest::newRow("node") << Source::Tree << "WATERMARK_" << 2 << "LOW"
                          << "";
    QTest::newRow("no choices, row") << Source::List << "NOCHOICE 4" << 0 << ""
                                     << "4";
    QTest::newRow("no choices, node") << Source::Tree << "NOCHOICE" << 0 << ""
                                      << "";
}

void ValueEditorTest::multipleRecognisesTheSuffix()
{
    QFETCH(Source, source);
    QFETCH(QString, text);
    QFETCH(int, items);
    QFETCH(QString, choiceText);
    QFETCH(QString, valueText);

    EditorFixture f({Entry(QStringLiteral("WATERMARK_"), QStringLiteral("multiple"),
                           QStringLiteral("LOW|HIGH")),
                     Entry(QStringLiteral("NOCHOICE"), QStringLiteral("multiple"))});
    QVERIFY(f.openDocument({source == Source::List ? text : QStringLiteral("X 1")}));
    QVERIFY(setUp(f, source, 0, text));

    const MainWidgets& ui = f.ui();
    QCOMPARE(f.shownControls(), QStringLiteral("cboParam txtParam cmdOK cmdCancel"));
    QCOMPARE(ui.cboParam->count(), items);
    QCOMPARE(ui.cboParam->currentText(), choiceText);
    QCOMPARE(ui.txtParam->text(), valueText);
}

void ValueEditorTest::numberCaptionCarriesTheNote_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("caption");

    QTest::newRow("with note") << "NOTED"
                               << " count (1 to 9)";
    QTest::newRow("without note") << "PLAIN"
                                  << " size";
    QTest::newRow("description n") << "NEE"
                                   << " n";
    QTest::newRow("description n in blanks") << "NEEBLANKS"
                                             << "  n ";
    QTest::newRow("string ignores the note") << "TEXTY"
                                             << " words";
}

void ValueEditorTest::numberCaptionCarriesTheNote()
{
    QFETCH(QString, node);
    QFETCH(QString, caption);

    const QString number = QStringLiteral("number");
    EditorFixture f({Entry(QStringLiteral("NOTED"), number, {}, "1 to 9", "count"),
                     Entry(QStringLiteral("PLAIN"), number, {}, {}, "size"),
                     Entry(QStringLiteral("NEE"), number, {}, "8 to 16", "n"),
                     Entry(QStringLiteral("NEEBLANKS"), number, {}, "8 to 16", " n "),
                     Entry(QStringLiteral("TEXTY"), QStringLiteral("string"), {}, "x", "words")});
    QVERIFY(f.openDocument({QStringLiteral("X 1")}));
    QVERIFY(f.clickNode(node));

    QCOMPARE(f.ui().lblTitle[1]->text(), caption);
    QCOMPARE(f.ui().lblTitle[1]->toolTip(), caption);
}

void ValueEditorTest::commentBlanksHelpAndCaption_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<QString>("valueText");

    QTest::newRow("comment row") << Source::List << "a remark";
    QTest::newRow("comment node") << Source::Tree << "";
}

void ValueEditorTest::commentBlanksHelpAndCaption()
{
    QFETCH(Source, source);
    QFETCH(QString, valueText);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(f.clickNode(QStringLiteral("MAXCONNECTIONS")));
    QVERIFY(!f.helpIsBlank());
    QVERIFY(setUp(f, source, 6, QStringLiteral(" COMMENT(;)")));

    const MainWidgets& ui = f.ui();
    QCOMPARE(ui.lblTitle[0]->text(), QStringLiteral(" COMMENT(;)"));
    QVERIFY(f.helpIsBlank());
    QCOMPARE(ui.lblTitle[1]->text(), QString());
    QCOMPARE(ui.lblTitle[1]->toolTip(), QStringLiteral(" Comment line"));
    QCOMPARE(f.shownControls(), QStringLiteral("txtParam cmdOK cmdCancel"));
    QCOMPARE(ui.txtParam->text(), valueText);
}

void ValueEditorTest::withoutDocumentOnlyHelpAndLabels_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("anchor"); // empty: the help pane is blank

    QTest::newRow("number") << "MAXCONNECTIONS"
                            << "MAXCONNECTIONS";
    QTest::newRow("multiple") << "CACHESIZE"
                              << "CACHESIZE";
    QTest::newRow("blank line") << " BLANK LINE"
                                << "";
    QTest::newRow("comment") << " COMMENT(;)"
                             << "";
}

void ValueEditorTest::withoutDocumentOnlyHelpAndLabels()
{
    QFETCH(QString, node);
    QFETCH(QString, anchor);

    EditorFixture f;
    QVERIFY(!f.state().DocumentOpen);
    QVERIFY(f.clickNode(QStringLiteral("LOGLEVEL")));
    QVERIFY(!f.helpIsBlank());
    f.ui().lblTitle[1]->setText(QStringLiteral("old"));
    QVERIFY(f.clickNode(node));

    const MainWidgets& ui = f.ui();
    QCOMPARE(ui.lblTitle[0]->text(), node);
    QCOMPARE(ui.lblTitle[1]->text(), QString());
    QCOMPARE(f.helpAnchor(), anchor);
    QCOMPARE(f.helpIsBlank(), anchor.isEmpty());
    QCOMPARE(f.shownControls(), QString());
    QCOMPARE(ui.cboParam->count(), 0);
}

void ValueEditorTest::blankRowAndCategoryLeaveTheStripBare_data()
{
    QTest::addColumn<Source>("firstSource"); // the set-up before
    QTest::addColumn<Source>("source");
    QTest::addColumn<bool>("atHome"); // the description label starts at the home position

    QTest::newRow("blank row after a row") << Source::List << Source::List << true;
    QTest::newRow("blank row after a node") << Source::Tree << Source::List << true;
    QTest::newRow("category after a row") << Source::List << Source::Tree << false;
    QTest::newRow("category after a node") << Source::Tree << Source::Tree << false;
}

void ValueEditorTest::blankRowAndCategoryLeaveTheStripBare()
{
    QFETCH(Source, firstSource);
    QFETCH(Source, source);
    QFETCH(bool, atHome);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(setUp(f, firstSource, 5, QStringLiteral("CACHESIZE")));
    QVERIFY(!f.helpIsBlank());
    QVERIFY(setUp(f, source, BlankRow, QStringLiteral("Memory")));

    const MainWidgets& ui = f.ui();
    QCOMPARE(f.state().EditingExistingRow, firstSource == Source::List);
    QCOMPARE(f.shownControls(), QString());
    QCOMPARE(ui.lblTitle[0]->text(), QString());
    QCOMPARE(ui.lblTitle[1]->text(), QString());
    QVERIFY(f.helpIsBlank());
    QLabel* description = ui.lblTitle[1];
    const double home = qRound(f.left(ui.cboParam));
    const QPoint listInStrip = ui.picTitles->mapFromGlobal(ui.lvListView->mapToGlobal(QPoint()));
    const double expectedLeft =
        atHome ? home : Twips::fromPixels(listInStrip.x(), ui.picTitles) + 20;
    QVERIFY(f.near(f.left(description), expectedLeft, description));
    QVERIFY(f.near(f.width(description), f.width(ui.lvListView) - 50, description));
}

void ValueEditorTest::unknownNameKeepsTheStrip()
{
    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(f.clickNode(QStringLiteral("MAXCONNECTIONS")));
    QTest::keyClicks(f.ui().txtParam, QStringLiteral("42"));
    f.clickRow(UnknownRow);

    const MainWidgets& ui = f.ui();
    QVERIFY(f.state().EditingExistingRow);
    QCOMPARE(ui.lblTitle[0]->text(), QStringLiteral("MAXCONNECTIONS"));
    QCOMPARE(f.shownControls(), QStringLiteral("txtParam cmdOK cmdCancel"));
    QCOMPARE(ui.txtParam->text(), QStringLiteral("42"));
    QCOMPARE(f.helpAnchor(), QStringLiteral("MAXCONNECTIONS"));
    QCOMPARE(ui.lblTitle[1]->toolTip(), ui.lblTitle[1]->text());
}

void ValueEditorTest::cancelEmptiesOnlyTheValueBox()
{
    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    f.clickRow(5);
    const MainWidgets& ui = f.ui();
    ui.cboParam->setCurrentIndex(2);
    QTest::keyClicks(ui.txtParam, QStringLiteral("8"));
    const QList<Row> before = f.rows().rows();

    QTest::mouseClick(ui.cmdCancel, Qt::LeftButton);

    QCOMPARE(ui.txtParam->text(), QString());
    QCOMPARE(ui.cboParam->currentText(), QStringLiteral("_TEMP"));
    QCOMPARE(f.shownControls(), QStringLiteral("cboParam txtParam cmdOK cmdCancel"));
    QCOMPARE(f.rows().rows(), before);
    QVERIFY(!f.state().DocumentChanged);
    QVERIFY(f.state().EditingExistingRow);
}

void ValueEditorTest::resetHidesTheControls()
{
    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(f.clickNode(QStringLiteral("MAXCONNECTIONS")));
    f.ui().txtParam->setFocus();

    f.ctx().valueEditor->ResetValueEditor();

    const MainWidgets& ui = f.ui();
    QCOMPARE(f.shownControls(), QString());
    QCOMPARE(ui.lblTitle[0]->text(), QStringLiteral("MAXCONNECTIONS"));
    QCOMPARE(ui.lblTitle[1]->text(), QString());
    QCOMPARE(f.helpAnchor(), QStringLiteral("MAXCONNECTIONS"));
    QCOMPARE(ui.frmMain->focusWidget(), ui.tvTreeView);
    QVERIFY(f.near(f.width(ui.lblTitle[1]), f.width(ui.lvListView) - 40, ui.picTitles));
}

void ValueEditorTest::listKeysSetTheEditorUp_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("title");

    QTest::newRow("down") << 0 << int(Qt::Key_Down) << 1 << "SERVERNAME";
    QTest::newRow("up") << 2 << int(Qt::Key_Up) << 1 << "SERVERNAME";
    QTest::newRow("home") << 3 << int(Qt::Key_Home) << 0 << "MAXCONNECTIONS";
    QTest::newRow("end") << 0 << int(Qt::Key_End) << 9 << "BUFFERS";
    QTest::newRow("page up") << 4 << int(Qt::Key_PageUp) << 0 << "MAXCONNECTIONS";
    QTest::newRow("page down") << 5 << int(Qt::Key_PageDown) << 9 << "BUFFERS";
    QTest::newRow("down onto a blank line") << 6 << int(Qt::Key_Down) << BlankRow << "";
}

void ValueEditorTest::listKeysSetTheEditorUp()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, row);
    QFETCH(QString, title);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(f.clickNode(QStringLiteral("LOGLEVEL")));
    SelectRow(f.ui().lvListView, start);
    f.ui().lvListView->setFocus();

    QTest::keyClick(f.ui().lvListView, Qt::Key(key));

    QCOMPARE(SelectedRow(f.ui().lvListView), row);
    QCOMPARE(f.ui().lblTitle[0]->text(), title);
    QCOMPARE(f.state().EditingExistingRow, row != BlankRow);
}

void ValueEditorTest::selectionWithoutKeyOrClickDoesNotSetUp()
{
    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    f.clickRow(0);
    QTest::keyClicks(f.ui().txtParam, QStringLiteral("5"));
    QTreeView* list = f.ui().lvListView;

    SelectRow(list, 1);
    QTest::keyClick(list, Qt::Key_Home); // moves back to row 0: a set-up
    QCOMPARE(f.ui().txtParam->text(), QStringLiteral("100"));
    QTest::keyClicks(f.ui().txtParam, QStringLiteral("5"));
    QTest::keyClick(list, Qt::Key_Up); // already at the top: nothing moves
    SelectRow(list, 3);

    QCOMPARE(f.ui().lblTitle[0]->text(), QStringLiteral("MAXCONNECTIONS"));
    QCOMPARE(f.ui().txtParam->text(), QStringLiteral("1005"));
}

void ValueEditorTest::editorKeysPressTheButtons_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("added"); // rows added to the document
    QTest::addColumn<QString>("choiceText");

    QTest::newRow("return in the value box") << "MAXCONNECTIONS"
                                             << "txtParam" << int(Qt::Key_Return) << 1 << "";
    QTest::newRow("enter in the value box") << "SERVERNAME"
                                            << "txtParam" << int(Qt::Key_Enter) << 1 << "";
    QTest::newRow("return in the choice box") << "LOGLEVEL"
                                              << "cboParam" << int(Qt::Key_Return) << 1 << "ERROR";
    QTest::newRow("return in the suffix box") << "CACHESIZE"
                                              << "cboParam" << int(Qt::Key_Return) << 1 << "_DATA";
    QTest::newRow("escape in the value box") << "MAXCONNECTIONS"
                                             << "txtParam" << int(Qt::Key_Escape) << 0 << "";
    QTest::newRow("escape in the suffix box") << "CACHESIZE"
                                              << "cboParam" << int(Qt::Key_Escape) << 0 << "_DATA";
}

void ValueEditorTest::editorKeysPressTheButtons()
{
    QFETCH(QString, node);
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(int, added);
    QFETCH(QString, choiceText);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(f.clickNode(node));
    QSignalSpy okClicks(f.ui().cmdOK, &QToolButton::clicked);
    if (!f.ui().txtParam->isHidden())
        QTest::keyClicks(f.ui().txtParam, QStringLiteral("12"));
    QWidget* target = f.ui().picTitles->findChild<QWidget*>(box);
    target->setFocus();

    QTest::keyClick(target, Qt::Key(key));

    QCOMPARE(okClicks.count(), added);
    QCOMPARE(f.rows().count(), Lines.size() + added);
    QCOMPARE(f.ui().txtParam->text(), QString());
    QCOMPARE(f.ui().cboParam->currentText(), choiceText);
    QVERIFY(f.dialogs.calls.isEmpty());
}

QTEST_MAIN(ValueEditorTest)
#include "tst_valueeditor.moc"
