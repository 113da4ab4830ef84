#include "core/Completion.h"
#include "core/SettingLookup.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace SettingLookup;

namespace {

// Rows of category, name, value type, choices, number note and description, all of version 1.
CatalogueTable Table(std::initializer_list<std::array<const char*, 6>> rows)
{
    QList<CatalogueRow> list;
    for (const auto& [category, name, type, choices, note, description] : rows)
        list.append(CatalogueRow{{QString::fromLatin1(category), QString::fromLatin1(name), u"1"_s,
                                  u"#"_s, QString::fromLatin1(type), QString::fromLatin1(choices),
                                  QString::fromLatin1(note), QString::fromLatin1(description)}});
    CatalogueTable table;
    table.replace(list);
    return table;
}

// LOG is contained in names that have an exact entry after it; ZIPCODE's type is no type word;
// the nameless entry, last, is contained in every name.
CatalogueTable Catalogue()
{
    return Table({{"Test", "LOG", "number", "", "", "size"},
                  {"Test", "LOGLEVEL", "combo", "ERROR|WARNING|INFO", "", "Detail"},
                  {"Test", "ZIPCODE", "Number", "", "", ""},
                  {"Test", "ZIP", "string", "", "", "code"},
                  {"Test", "WATERMARK", "multiple", "LOW|HIGH|HIGHEST", "", ""},
                  {"Test", "MAXCONNECTIONS", "number", "", "1 to 4096", "connections"},
                  {"Test", "BUFFERS", "number", "", "8 to 1024, default 64", " n "},
                  {"Test", "SERVERNAME", "string", "", "up to 15", "Name"},
                  {"Test", "TRACE", "boolean", "ON|OFF", "", ""},
                  {"Test", "MODE", "combo", "", "", ""},
                  {"Test", "LOCKMEMORY", "null", "", "", "Keep"},
                  {"Test", " COMMENT(;)", "string", "", "", "Comment line"},
                  {"Test", "", "string", "", "", "anything"}});
}

CatalogueTable CompletionCatalogue()
{
    return Table(
        {{"Logging", "LOGLEVEL", "combo", "ERROR|WARNING|INFO", "", "Detail of the log. More."},
         {"Logging", "LOGFILE", "string", "", "", "Path"},
         {"Logging", "TRACE", "boolean", "ON|OFF", "", ""},
         {"Memory", "CACHESIZE", "multiple", "_DATA|_INDEX", "", "MB"},
         {"Memory", "LOCKMEMORY", "null", "", "", "Keep"},
         {"Network", "PORT", "number", "", "1 to 65535, default 7420", "Port. Listened on."},
         {"Other", "LOGLEVEL", "combo", "A|B", "", "Same name again"},
         {"Editing", " COMMENT(;)", "string", "", "", "Comment line"}});
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

    // Completion in the text view, from the same look-up.
    // "|" marks the caret. offered: each entry's text as inserted, over columns from..to.
    void offer_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("from");

        const auto row = [](const char* name, const char* line, QStringList offered, int from) {
            QTest::newRow(name) << QString::fromLatin1(line) << offered << from;
        };
        row("prefix, any case", "  lo|", {u"LOCKMEMORY"_s, u"LOGFILE "_s, u"LOGLEVEL "_s}, 2);
        row("suffixed forms", "CACHE|", {u"CACHESIZE_DATA "_s, u"CACHESIZE_INDEX "_s}, 0);
        row("empty line offers all", "|", {}, 0); // checked by count below
        row("name before a value", "LOGL| INFO", {u"LOGLEVEL"_s}, 0);
        row("inside a name", "LO|GLEVEL", {}, 0);
        row("comment", ";LO|", {}, 0);
        row("choices after a space", "LOGLEVEL |", {u"ERROR"_s, u"WARNING"_s, u"INFO"_s}, 9);
        row("choices by prefix", "loglevel in|", {u"INFO"_s}, 9);
        row("boolean", "TRACE o|", {u"ON"_s, u"OFF"_s}, 6);
        row("suffix joins the name", "CACHESIZE _I|", {u"_INDEX "_s}, 9);
        row("inside a value", "TRACE O|N", {}, 0);
        row("after a value and a space", "TRACE ON |", {}, 0);
        row("number takes no choices", "PORT |", {}, 0);
        row("unknown setting", "NOSUCH |", {}, 0);
        row("before the name", "|  LOG", {}, 0);
    }
    void offer()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, offered);
        QFETCH(int, from);
        const CatalogueTable catalogue = CompletionCatalogue();
        const Completion::Index index(catalogue);
        const int caret = static_cast<int>(line.indexOf(u'|'));
        const Completion::Offer offer = index.offerAt(line.remove(caret, 1), caret);
        QStringList inserted;
        for (const Completion::Entry& entry : offer.entries)
            inserted.append(entry.insert);
        if (QByteArray(QTest::currentDataTag()) == "empty line offers all") {
            QCOMPARE(inserted.size(), 7); // each name once, both suffixed forms, no pseudo-setting
            QCOMPARE(offer.entries.first().detail, u"Memory, multiple"_s);
            return;
        }
        QCOMPARE(inserted, offered);
        if (!offered.isEmpty()) {
            QCOMPARE(offer.from, from);
            QCOMPARE(offer.to, caret);
        }
    }

    void describe()
    {
        const CatalogueTable catalogue = CompletionCatalogue();
        QCOMPARE(Completion::describe(catalogue.at(5), 8.5f),
                 u"PORT (number): 1 to 65535, default 7420\nIntroduced in version 8.5\nPort."_s);
        QCOMPARE(Completion::describe(catalogue.at(0), 0),
                 u"LOGLEVEL (combo): ERROR, WARNING or INFO\nDetail of the log."_s);
        VersionedCatalogue every{catalogue, {1, 2, 3, 4, 5, 6, 0.5f, 1}};
        QCOMPARE(Completion::introducedIn(every, u"LOGLEVEL"_s), 0.5f);
        QCOMPARE(Completion::introducedIn(every, u"NOSUCH"_s), 0.0f);
    }
};

QTEST_GUILESS_MAIN(tst_SettingLookup)
#include "tst_settinglookup.moc"
