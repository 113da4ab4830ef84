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
             {"BUFFERS", "number", "", "8 to 1024, default 64", " n "},
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
    // As the value editor looks a setting up: the first candidate of a known type is arranged
    // for. A row: setting, its value ("~": a tree node, nothing to edit), then the entry
    // arranged for, caption, choices (comma-separated), choice box text ("~": the first choice
    // stays) and value box text.
    void arrangement_data()
    {
        QTest::addColumn<QString>("row");
        const auto row = [](const char* tag, const char* texts) {
            QTest::newRow(tag) << QString(texts);
        };
        row("number node, note", "MAXCONNECTIONS|~|MAXCONNECTIONS| connections (1 to 4096)||~|");
        row("number row, description n: the default alone",
            "buffers|16|BUFFERS|  n  (default 64)||~|16");
        row("string: no note", "SERVERNAME|a b|SERVERNAME| Name||~|a b");
        row("commented out: the first contained entry", ";LOGLEVEL|7|LOG| size||~|7");
        row("unknown type passed over", "ZIPCODE|1|ZIP| code||~|1");
        row("combo row: exact before contained, blanks trimmed",
            "loglevel| INFO |LOGLEVEL||ERROR,WARNING,INFO|INFO|");
        row("combo node", "LOGLEVEL|~|LOGLEVEL||ERROR,WARNING,INFO|~|");
        row("boolean, blanks only trimmed", "TRACE|\tON |TRACE||ON,OFF|\tON|");
        row("combo without choices", "MODE|x|MODE|||x|");
        row("null", "LOCKMEMORY||LOCKMEMORY|||~|");
        row("multiple row, suffix", "WATERMARKHIGH|5|WATERMARK||LOW,HIGH,HIGHEST|HIGH|5");
        row("multiple row, the last contained choice",
            "WATERMARKHIGHEST|6|WATERMARK||LOW,HIGH,HIGHEST|HIGHEST|6");
        row("multiple row, unlisted suffix",
            "WATERMARKLOWER|5|WATERMARK||LOW,HIGH,HIGHEST|LOWER|5");
        row("multiple row, commented out", ";WATERMARKHIGH|5|WATERMARK||LOW,HIGH,HIGHEST|HIGH|5");
        row("multiple row, bare name", "WATERMARK|7|WATERMARK||LOW,HIGH,HIGHEST||7");
        row("multiple node", "WATERMARK|~|WATERMARK||LOW,HIGH,HIGHEST|~|");
        row("comment row", ";|a remark| COMMENT(;)| Comment line||~|a remark");
        row("nothing else contained: the nameless entry", "OTHER|5|| anything||~|5");
    }
    void arrangement()
    {
        QFETCH(QString, row);
        const QStringList texts = row.split(u'|');
        const CatalogueTable catalogue = Catalogue();
        const bool editingRow = texts[1] != u"~";
        const QString name = editingRow ? nameForRow(texts[0]) : texts[0];
        const auto [arranged, arrangement] =
            choose(candidates(catalogue, name), name, editingRow, texts[1]);
        QVERIFY(arranged);
        const QString choiceText = arrangement.setChoiceText ? arrangement.choiceText : u"~"_s;
        QCOMPARE(QStringList({arranged->SettingName(), arrangement.caption,
                              arrangement.choices.join(u','), choiceText, arrangement.value}),
                 texts.mid(2));
        // OK puts a row's name back together from the two.
        if (arrangement.kind == Kind::Multiple && editingRow)
            QCOMPARE(arrangement.stem + arrangement.choiceText, name);
    }

    void defaultOf_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("value");
        for (const auto& [note, value] : std::initializer_list<std::array<const char*, 2>>{
                 {"1 to 65535, default 7420", "7420"},
                 {"0 to 86400, default 0 (never)", "0"},
                 {"-10 to 10,default +07", "7"},
                 {"default -3", "-3"},
                 {"1 to 4096", ""},
                 {"8 to 1024, default 2048", ""}, // outside its own range
                 {"1 to 10, default 1234567890123456789", ""},
                 {"1 to 10 or default 5", ""}})
            QTest::newRow(note) << QString(note) << QString(value);
    }
    void defaultOf()
    {
        QFETCH(QString, note);
        QTEST(SettingLookup::defaultOf(note), "value");
    }

    // The index answers exactly as the walk over the catalogue does, order included.
    void indexMatchesWalk()
    {
        // Names set twice, as a damaged catalogue may have them, keep their catalogue order.
        QList<CatalogueRow> rows = Catalogue().rows();
        rows.append(rows.at(1)); // LOGLEVEL
        rows.append(rows.at(0)); // LOG
        rows.append(rows.at(1));
        CatalogueTable catalogue;
        catalogue.replace(rows);
        const CandidateIndex index(catalogue);
        for (const QString name : {"LOG", "LOGLEVEL", "ZIPCODE", "WATERMARKHIGHEST", "XLOGZIPX", "",
                                   "NOSUCH", "L", " COMMENT(;)", "LOGLOGLEVEL"}) {
            QList<const CatalogueRow*> indexed;
            for (const int entry : index.candidates(name))
                indexed.append(&catalogue.at(entry));
            QVERIFY2(indexed == candidates(catalogue, name), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(tst_SettingLookup)
#include "tst_settinglookup.moc"
