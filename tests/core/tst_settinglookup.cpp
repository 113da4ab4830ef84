#include "core/SettingLookup.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace SettingLookup;

namespace {

// LOG is contained in names that have an exact entry after it; ZIPCODE's type is no type word;
// the nameless entry, last, is contained in every name.
CatalogueTable Catalogue()
{
    QList<CatalogueRow> rows;
    for (const auto& [name, type, choices, note, description] :
         std::initializer_list<std::array<const char*, 5>>{
             {"LOG", "number", "", "", "size"},
             {"LOGLEVEL", "combo", "ERROR|WARNING|INFO", "", "Detail"},
             {"ZIPCODE", "Number", "", "", ""},
             {"ZIP", "string", "", "", "code"},
             {"WATERMARK", "multiple", "LOW|HIGH|HIGHEST", "", ""},
             {"MAXCONNECTIONS", "number", "", "1 to 4096", "connections"},
             {"BUFFERS", "number", "", "8 to 1024", " n "},
             {"SERVERNAME", "string", "", "up to 15", "Name"},
             {"TRACE", "boolean", "ON|OFF", "", ""},
             {"MODE", "combo", "", "", ""},
             {"LOCKMEMORY", "null", "", "", "Keep"},
             {" COMMENT(;)", "string", "", "", "Comment line"},
             {"", "string", "", "", "anything"}})
        rows.append(CatalogueRow{{u"Test"_s, QString::fromLatin1(name), u"1"_s, u"#"_s,
                                  QString::fromLatin1(type), QString::fromLatin1(choices),
                                  QString::fromLatin1(note), QString::fromLatin1(description)}});
    CatalogueTable table;
    table.replace(rows);
    return table;
}

} // namespace

class tst_SettingLookup : public QObject {
    Q_OBJECT

private slots:
    // As the value editor looks a setting up: the first candidate of a known type is arranged for.
    void arrangement_data()
    {
        QTest::addColumn<QString>("setting");  // a list row's setting, or a tree node's name
        QTest::addColumn<QString>("rowValue"); // null: a tree node, nothing to edit
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("choiceText"); // null: the first choice stays
        QTest::addColumn<QString>("value");
        const auto row = [](const char* tag, const QString& setting, const QString& rowValue,
                            const QString& entry, const QString& caption,
                            const QStringList& choices, const QString& choiceText,
                            const QString& value) {
            QTest::newRow(tag) << setting << rowValue << entry << caption << choices << choiceText
                               << value;
        };
        const QString node;
        const QStringList levels{u"ERROR"_s, u"WARNING"_s, u"INFO"_s};
        const QStringList marks{u"LOW"_s, u"HIGH"_s, u"HIGHEST"_s};
        row("number node, note", u"MAXCONNECTIONS"_s, node, u"MAXCONNECTIONS"_s,
            u" connections (1 to 4096)"_s, {}, {}, {});
        row("number row, description n: no note", u"buffers"_s, u"16"_s, u"BUFFERS"_s, u"  n "_s,
            {}, {}, u"16"_s);
        row("string: no note", u"SERVERNAME"_s, u"a b"_s, u"SERVERNAME"_s, u" Name"_s, {}, {},
            u"a b"_s);
        row("commented out: the first contained entry", u";LOGLEVEL"_s, u"7"_s, u"LOG"_s,
            u" size"_s, {}, {}, u"7"_s);
        row("unknown type passed over", u"ZIPCODE"_s, u"1"_s, u"ZIP"_s, u" code"_s, {}, {}, u"1"_s);
        row("combo row: exact before contained, blanks trimmed", u"loglevel"_s, u" INFO "_s,
            u"LOGLEVEL"_s, {}, levels, u"INFO"_s, {});
        row("combo node", u"LOGLEVEL"_s, node, u"LOGLEVEL"_s, {}, levels, {}, {});
        row("boolean, blanks only trimmed", u"TRACE"_s, u"\tON "_s, u"TRACE"_s, {},
            {u"ON"_s, u"OFF"_s}, u"\tON"_s, {});
        row("combo without choices", u"MODE"_s, u"x"_s, u"MODE"_s, {}, {}, u"x"_s, {});
        row("null", u"LOCKMEMORY"_s, u""_s, u"LOCKMEMORY"_s, {}, {}, {}, {});
        row("multiple row, suffix", u"WATERMARKHIGH"_s, u"5"_s, u"WATERMARK"_s, {}, marks,
            u"HIGH"_s, u"5"_s);
        row("multiple row, the last contained choice", u"WATERMARKHIGHEST"_s, u"6"_s,
            u"WATERMARK"_s, {}, marks, u"HIGHEST"_s, u"6"_s);
        row("multiple row, unlisted suffix", u"WATERMARKLOWER"_s, u"5"_s, u"WATERMARK"_s, {}, marks,
            u"LOWER"_s, u"5"_s);
        row("multiple row, commented out", u";WATERMARKHIGH"_s, u"5"_s, u"WATERMARK"_s, {}, marks,
            u"HIGH"_s, u"5"_s);
        row("multiple row, bare name", u"WATERMARK"_s, u"7"_s, u"WATERMARK"_s, {}, marks, u""_s,
            u"7"_s);
        row("multiple node", u"WATERMARK"_s, node, u"WATERMARK"_s, {}, marks, {}, {});
        row("comment row", u";"_s, u"a remark"_s, u" COMMENT(;)"_s, u" Comment line"_s, {}, {},
            u"a remark"_s);
        row("nothing else contained: the nameless entry", u"OTHER"_s, u"5"_s, u""_s, u" anything"_s,
            {}, {}, u"5"_s);
    }
    void arrangement()
    {
        QFETCH(QString, setting);
        QFETCH(QString, rowValue);
        QFETCH(QString, choiceText);
        const CatalogueTable catalogue = Catalogue();
        const bool editingRow = !rowValue.isNull();
        const QString name = editingRow ? nameForRow(setting) : setting;
        const CatalogueRow* arranged = nullptr;
        Arrangement arrangement;
        for (const CatalogueRow* entry : candidates(catalogue, name)) {
            arrangement = arrange(*entry, name, editingRow, rowValue);
            if (arrangement.kind != Kind::Unknown) {
                arranged = entry;
                break;
            }
        }
        QVERIFY(arranged);
        QTEST(arranged->SettingName(), "entry");
        QTEST(arrangement.caption, "caption");
        QTEST(arrangement.choices, "choices");
        QCOMPARE(arrangement.setChoiceText, !choiceText.isNull());
        QCOMPARE(arrangement.choiceText, choiceText.isNull() ? QString() : choiceText);
        QTEST(arrangement.value, "value");
        // OK puts a row's name back together from the two.
        if (arrangement.kind == Kind::Multiple && editingRow)
            QCOMPARE(arrangement.stem + arrangement.choiceText, name);
    }

    // The index answers exactly as the walk over the catalogue does, order included.
    void indexMatchesWalk_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"LOG", "LOGLEVEL", "ZIPCODE", "WATERMARKHIGHEST", "XLOGZIPX", "",
                                 "NOSUCH", "L", " COMMENT(;)", "LOGLOGLEVEL"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void indexMatchesWalk()
    {
        QFETCH(QString, name);
        // Names set twice, as a damaged catalogue may have them, keep their catalogue order.
        QList<CatalogueRow> rows = Catalogue().rows();
        rows.append(rows.at(1)); // LOGLEVEL
        rows.append(rows.at(0)); // LOG
        rows.append(rows.at(1));
        CatalogueTable catalogue;
        catalogue.replace(rows);
        QList<const CatalogueRow*> indexed;
        for (const int entry : CandidateIndex(catalogue).candidates(name))
            indexed.append(&catalogue.at(entry));
        QCOMPARE(indexed, candidates(catalogue, name));
    }
};

QTEST_GUILESS_MAIN(tst_SettingLookup)
#include "tst_settinglookup.moc"
