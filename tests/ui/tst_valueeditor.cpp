#include "support/EditorFixture.h"

namespace {

const auto Lines =
    QString("BUFFERS 16|CACHESIZE_INDEX 5|loglevel  INFO |LOCKMEMORY|; a remark||QQQ 2")
        .split(u'|');

// The editor controls shown, left to right, the boxes with their widths in pixels at 96 dpi.
QString Shown(EditorFixture& f)
{
    QStringList shown;
    for (QWidget* w : QWidgetList{f.ui().cboParam, f.ui().txtParam, f.ui().cmdOK, f.ui().cmdCancel,
                                  Control<QToolButton>(*f.window, "cmdDefault")})
        if (!w->isHidden())
            shown << w->objectName() + (qobject_cast<QToolButton*>(w)
                                            ? QString()
                                            : ':' + QString::number(w->width()));
    return shown.join(u' ');
}

bool HelpBlank(EditorFixture& f)
{
    return f.ui().helpPane->currentWidget() == f.ui().fraBrowser;
}

// A set-up from list row `row`, or (row -1) from tree node `node`, and the strip it leaves;
// `tip` is the caption's tooltip. Without a document a click sets the labels and the help only.
struct Strip {
    int row;
    QString node, title, shown, choice, value, caption, tip;
    bool valueFocused, helpBlank, document = true;
};

} // namespace

Q_DECLARE_METATYPE(Strip)

class tst_ValueEditor : public QObject {
    Q_OBJECT

private slots:
    void stripFollowsTheSetting_data()
    {
        QTest::addColumn<Strip>("s");
        const QString V = "txtParam:177 cmdOK cmdCancel", C = "cboParam:177 cmdOK",
                      B = "cboParam:133 txtParam:88 cmdOK cmdCancel",
                      conn = " connections (1 to 4096)", unknown = "Unknown setting QQQ.";
        const auto row = [](const char* tag, const Strip& strip) { QTest::newRow(tag) << strip; };
        row("number node",
            {-1, "MAXCONNECTIONS", "MAXCONNECTIONS", V, "", "", conn, conn, true, false});
        row("number row, a default", {0, "", "BUFFERS", V + " cmdDefault", "", "16",
                                      " n (default 64)", " n (default 64)", true, false});
        row("combo row", {2, "", "LOGLEVEL", C, "INFO", "", "", "", false, false});
        row("null node", {-1, " BLANK LINE", " BLANK LINE", "cmdOK", "", "", "", "", false, true});
        row("multiple row", {1, "", "CACHESIZE_INDEX", B, "_INDEX", "5", "", "", true, false});
        // The caption goes, but its tooltip stays.
        row("comment row",
            {4, "", " COMMENT(;)", V, "", "a remark", "", " Comment line", true, true});
        // Not in the catalogue: edited as itself, the problem as its description; the help pane
        // keeps the page it had.
        row("unknown row", {6, "", "QQQ", V, "", "2", unknown, unknown, true, false});
        row("blank row", {5, "", "", "", "", "", "", "", false, true});
        row("category", {-1, "Memory", "", "", "", "", "", "", false, true});
        row("no document",
            {-1, "MAXCONNECTIONS", "MAXCONNECTIONS", "", "", "", "", "", false, false, false});
        row("no document, pseudo-setting",
            {-1, " COMMENT(;)", " COMMENT(;)", "", "", "", "", "", false, true, false});
    }
    void stripFollowsTheSetting()
    {
        QFETCH(Strip, s);
        EditorFixture f;
        QVERIFY(!s.document || f.openDocument(Lines));
        // The set-up before comes from the other source and leaves a value, a caption and help.
        QVERIFY(s.row >= 0 || !s.document ? f.clickNode("LOGFILE") : f.clickRow(0));
        QTest::keyClicks(f.ui().txtParam, "stale");
        f.ui().lblTitle[1]->setText("stale");
        QVERIFY(s.row >= 0 ? f.clickRow(s.row) : f.clickNode(s.node));
        const WindowControls ui = f.ui();
        QCOMPARE(ui.lblTitle[0]->text(), s.title);
        QCOMPARE(Shown(f), s.shown);
        QCOMPARE(ui.cboParam->currentText(), s.choice);
        QCOMPARE(ui.frmMain->focusWidget() == ui.txtParam, s.valueFocused);
        QCOMPARE(ui.lblTitle[1]->text(), s.caption);
        QCOMPARE(HelpBlank(f), s.helpBlank);
        if (!s.shown.isEmpty()) { // a bare strip offers nothing to edit
            QCOMPARE(ui.txtParam->text(), s.value);
            QCOMPARE(ui.lblTitle[1]->toolTip(), s.tip);
        }
        if (s.shown.contains("cmdDefault")) {
            QTest::mouseClick(Control<QToolButton>(*f.window, "cmdDefault"), Qt::LeftButton);
            QCOMPARE(ui.txtParam->text(), "64");
        }
    }
};

QTEST_MAIN(tst_ValueEditor)
#include "tst_valueeditor.moc"
