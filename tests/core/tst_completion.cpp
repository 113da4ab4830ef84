#include "core/Completion.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

CatalogueTable Catalogue()
{
    QList<CatalogueRow> rows;
    for (const auto& [category, name, type, choices, note, description] :
         std::initializer_list<std::array<const char*, 6>>{
             {"Logging", "LOGLEVEL", "combo", "ERROR|WARNING|INFO", "", "Detail of the log. More."},
             {"Logging", "LOGFILE", "string", "", "", "Path"},
             {"Logging", "TRACE", "boolean", "ON|OFF", "", ""},
             {"Memory", "CACHESIZE", "multiple", "_DATA|_INDEX", "", "MB"},
             {"Memory", "LOCKMEMORY", "null", "", "", "Keep"},
             {"Network", "PORT", "number", "", "1 to 65535, default 7420", "Port. Listened on."},
             {"Other", "LOGLEVEL", "combo", "A|B", "", "Same name again"},
             {"Editing", " COMMENT(;)", "string", "", "", "Comment line"}})
        rows.append(CatalogueRow{{QString::fromLatin1(category), QString::fromLatin1(name), u"1"_s,
                                  u"#"_s, QString::fromLatin1(type), QString::fromLatin1(choices),
                                  QString::fromLatin1(note), QString::fromLatin1(description)}});
    CatalogueTable table;
    table.replace(rows);
    return table;
}

} // namespace

class tst_Completion : public QObject {
    Q_OBJECT

private slots:
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
        const CatalogueTable catalogue = Catalogue();
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
        const CatalogueTable catalogue = Catalogue();
        QCOMPARE(Completion::describe(catalogue.at(5), 8.5f),
                 u"PORT (number): 1 to 65535, default 7420\nIntroduced in version 8.5\nPort."_s);
        QCOMPARE(Completion::describe(catalogue.at(0), 0),
                 u"LOGLEVEL (combo): ERROR, WARNING or INFO\nDetail of the log."_s);
        VersionedCatalogue every{catalogue, {1, 2, 3, 4, 5, 6, 0.5f, 1}};
        QCOMPARE(Completion::introducedIn(every, u"LOGLEVEL"_s), 0.5f);
        QCOMPARE(Completion::introducedIn(every, u"NOSUCH"_s), 0.0f);
    }
};

QTEST_GUILESS_MAIN(tst_Completion)
#include "tst_completion.moc"
