// The shipped catalogue: the DraCFG.mdb that the build generates beside the program, the demo
// server's reference page and the sample configuration files: the shape the rest of the
// editor relies on (unique names and contiguous categories for the tree, value types and the
// two-pass name search for the value editor, help links with their anchors for the help pane).

#include "catalogue/CatalogueDatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace CatalogueDatabase;

namespace {

const QString kDatabase = QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb");
const QString kHelpPage = QStringLiteral(DRACFG_DEMO_SERVER_DIR "/Docs/techref/TRCFG/homecfgl.htm");
const QString kSampleFolder = QStringLiteral(DRACFG_DEMO_SERVER_DIR "/bin");
const QStringList kValueTypes{"number", "string", "combo", "boolean", "multiple", "null"};

// The value editor's lookup: an exact name first, then the
// first row whose name occurs inside the given one. -1 when nothing matches.
int findSetting(const CatalogueTable& table, const QString& name)
{
    for (int i = 0; i < table.size(); ++i) {
        if (table.at(i).SettingName() == name)
            return i;
    }
    for (int i = 0; i < table.size(); ++i) {
        if (name.contains(table.at(i).SettingName()))
            return i;
    }
    return -1;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_CatalogueData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void schema();
    void versions();
    void settingsAndCategories();
    void valueTypesAndTheirFields();
    void pseudoSettings();
    void olderVersionsLoadFewerSettings();
    void everyWrittenNameFindsItsOwnSetting();
    void helpLinksHaveAnchorsInThePage();
    void sampleFiles_data();
    void sampleFiles();
    void sampleFilesUseBothLineEnds();

private:
    CatalogueTable m_all;    // every setting: the catalogue of the newest version
    QList<float> m_versions; // DV_Version in table order
};

void tst_CatalogueData::initTestCase()
{
    QVERIFY2(QFile::exists(kDatabase), qPrintable(kDatabase));
    QString error;
    for (int index = 0; index < 10; ++index) {
        const float version = GetVersionNumber(kDatabase, index, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        if (version == 0)
            break;
        m_versions.append(version);
    }
    QVERIFY(!m_versions.isEmpty());
    QVERIFY2(LoadCatalogue(kDatabase, m_versions.constFirst(), m_all, &error), qPrintable(error));
}

void tst_CatalogueData::schema()
{
    // The layout the fixture builder of the tests writes as well.
    const QString connection = QStringLiteral("tst_cataloguedata.schema");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(kDatabase);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QVERIFY(db.open());
        QStringList fields;
        const QSqlRecord settings = db.record(QStringLiteral("CFGSettings"));
        for (int i = 0; i < settings.count(); ++i)
            fields.append(settings.fieldName(i));
        QCOMPARE(fields, (QStringList{"ID", "Category", "SettingName", "Version", "HelpLink",
                                      "ValueType", "Choices", "NumberNote", "Description"}));

        // Index = position, so the menu built by position and the lookup by Index agree.
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("Select * From DV_Version")));
        QCOMPARE(query.record().count(), 2);
        int position = 0;
        while (query.next()) {
            QCOMPARE(query.value(QStringLiteral("Index")).toInt(), position);
            ++position;
        }
        QCOMPARE(position, m_versions.size());
    }
    QSqlDatabase::removeDatabase(connection);
}

void tst_CatalogueData::versions()
{
    QVERIFY2(m_versions.size() >= 6 && m_versions.size() <= 10,
             qPrintable(QString::number(m_versions.size())));
    for (int i = 1; i < m_versions.size(); ++i)
        QVERIFY2(m_versions.at(i - 1) > m_versions.at(i),
                 "versions are listed from newest to oldest");

    QStringList captions;
    QString error;
    QVERIFY2(ReadVersionCaptions(kDatabase, captions, &error), qPrintable(error));
    QCOMPARE(captions.size(), m_versions.size());
    for (int i = 0; i < captions.size(); ++i) {
        QVERIFY2(captions.at(i).startsWith(QLatin1Char('v')), qPrintable(captions.at(i)));
        QCOMPARE(captions.at(i).mid(1).toFloat(), m_versions.at(i));
    }
}

void tst_CatalogueData::settingsAndCategories()
{
    QVERIFY2(m_all.size() >= 120, qPrintable(QString::number(m_all.size())));

    QStringList categories; // in order of first appearance
    QSet<QString> names;
    for (const CatalogueRow& row : m_all.rows()) {
        QVERIFY2(!row.Category().isEmpty(), qPrintable(row.SettingName()));
        QVERIFY2(!row.SettingName().isEmpty(), qPrintable(row.Category()));
        if (categories.isEmpty() || categories.constLast() != row.Category()) {
            QVERIFY2(!categories.contains(row.Category()),
                     qPrintable(QStringLiteral("category %1 comes back at %2")
                                    .arg(row.Category(), row.SettingName())));
            categories.append(row.Category());
        }
        QVERIFY2(!names.contains(row.SettingName()),
                 qPrintable(QStringLiteral("duplicate %1").arg(row.SettingName())));
        names.insert(row.SettingName());
        if (!row.SettingName().startsWith(
                QLatin1Char(' '))) // the list upper-cases names it looks up
            QCOMPARE(row.SettingName(), row.SettingName().toUpper());
    }
    QVERIFY2(categories.size() >= 10, qPrintable(categories.join(QStringLiteral(", "))));
}

void tst_CatalogueData::valueTypesAndTheirFields()
{
    QMap<QString, int> perType;
    for (const CatalogueRow& row : m_all.rows()) {
        const QString& type = row.ValueType();
        QVERIFY2(kValueTypes.contains(type),
                 qPrintable(row.SettingName() + QLatin1Char(' ') + type));
        ++perType[type];
        const QStringList choices =
            row.Choices().isEmpty() ? QStringList() : row.Choices().split(QLatin1Char('|'));
        const QString what = row.SettingName() + QStringLiteral(": ") + row.Choices();

        if (type == QLatin1String("multiple")) {
            // Suffixes: written directly after the name, so no blanks and never empty.
            QVERIFY2(choices.size() >= 2, qPrintable(what));
            for (const QString& suffix : choices)
                QVERIFY2(!suffix.isEmpty() && !suffix.contains(QLatin1Char(' ')) &&
                             suffix == suffix.toUpper(),
                         qPrintable(what));
        } else if (type == QLatin1String("combo")) {
            QVERIFY2(choices.size() >= 2 && !choices.contains(QString()), qPrintable(what));
        } else if (type == QLatin1String("boolean")) {
            QVERIFY2(choices.size() == 2 && !choices.contains(QString()), qPrintable(what));
        } else {
            QVERIFY2(choices.isEmpty(), qPrintable(what));
        }
        if (type == QLatin1String("number"))
            QVERIFY2(!row.NumberNote().isEmpty() || !row.Description().trimmed().isEmpty(),
                     qPrintable(row.SettingName()));
        QVERIFY2(!row.Description().isEmpty(), qPrintable(row.SettingName()));
    }
    for (const QString& type : kValueTypes)
        QVERIFY2(perType.value(type) >= 5,
                 qPrintable(QStringLiteral("%1: %2").arg(type).arg(perType.value(type))));
    // A few number settings show the bare number ("n"), which hides their note.
    int bare = 0;
    for (const CatalogueRow& row : m_all.rows())
        bare += row.ValueType() == QLatin1String("number") &&
                row.Description().trimmed() == QLatin1String("n");
    QVERIFY(bare >= 2);
}

void tst_CatalogueData::pseudoSettings()
{
    const int comment = findSetting(m_all, QStringLiteral(" COMMENT(;)"));
    const int blank = findSetting(m_all, QStringLiteral(" BLANK LINE"));
    QVERIFY(comment >= 0 && blank >= 0);
    QCOMPARE(m_all.at(comment).SettingName(), QStringLiteral(" COMMENT(;)"));
    QCOMPARE(m_all.at(comment).ValueType(), QStringLiteral("string"));
    QCOMPARE(m_all.at(blank).SettingName(), QStringLiteral(" BLANK LINE"));
    QCOMPARE(m_all.at(blank).ValueType(), QStringLiteral("null"));

    // In a category of their own, and present in every version.
    const QString category = m_all.at(comment).Category();
    QCOMPARE(m_all.at(blank).Category(), category);
    for (const CatalogueRow& row : m_all.rows())
        QVERIFY2(row.Category() != category || row.SettingName().startsWith(QLatin1Char(' ')),
                 qPrintable(row.SettingName()));
    CatalogueTable oldest;
    QVERIFY(LoadCatalogue(kDatabase, m_versions.constLast(), oldest));
    QVERIFY(findSetting(oldest, QStringLiteral(" COMMENT(;)")) >= 0);
    QVERIFY(findSetting(oldest, QStringLiteral(" BLANK LINE")) >= 0);
}

void tst_CatalogueData::olderVersionsLoadFewerSettings()
{
    // Versions are listed newest first: each older one must know fewer settings.
    int previous = 0;
    for (auto it = m_versions.crbegin(); it != m_versions.crend(); ++it) {
        CatalogueTable table;
        QVERIFY(LoadCatalogue(kDatabase, *it, table));
        QVERIFY2(table.size() > previous,
                 qPrintable(QStringLiteral("version %1 adds no setting").arg(*it)));
        previous = table.size();
    }
    CatalogueTable oldest;
    QVERIFY(LoadCatalogue(kDatabase, m_versions.constLast(), oldest));
    QVERIFY2(oldest.size() >= 40, qPrintable(QString::number(oldest.size())));
    QVERIFY(oldest.size() < m_all.size());
}

void tst_CatalogueData::everyWrittenNameFindsItsOwnSetting()
{
    // A multiple setting is written with its suffix, and any setting can be commented out as
    // ";NAME": neither has an exact entry, so the first entry whose name occurs inside it must
    // be the setting itself, not another one with a shorter name.
    for (int i = 0; i < m_all.size(); ++i) {
        const CatalogueRow& row = m_all.at(i);
        QStringList written{row.SettingName()};
        if (row.ValueType() == QLatin1String("multiple")) {
            for (const QString& suffix : row.Choices().split(QLatin1Char('|')))
                written.append(row.SettingName() + suffix);
        }
        for (const QString& name : std::as_const(written)) {
            QVERIFY2(findSetting(m_all, name) == i, qPrintable(name));
            if (!row.SettingName().startsWith(QLatin1Char(' ')))
                QVERIFY2(findSetting(m_all, QLatin1Char(';') + name) == i, qPrintable(name));
        }
    }
}

void tst_CatalogueData::helpLinksHaveAnchorsInThePage()
{
    const QString page = QString::fromUtf8(readAll(kHelpPage));
    QVERIFY2(!page.isEmpty(), qPrintable(kHelpPage));

    // The anchors as the help pane's QTextBrowser sees them after importing the HTML.
    QTextDocument document;
    document.setHtml(page);
    QSet<QString> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            for (const QString& name : it.fragment().charFormat().anchorNames())
                anchors.insert(name);
        }
    }

    static const QRegularExpression fragment(QStringLiteral("^#[A-Za-z][A-Za-z0-9_.-]*$"));
    QSet<QString> links;
    for (const CatalogueRow& row : m_all.rows()) {
        const QString& link = row.HelpLink();
        QVERIFY2(fragment.match(link).hasMatch(),
                 qPrintable(row.SettingName() + QLatin1Char(' ') + link));
        QVERIFY2(!links.contains(link), qPrintable(link));
        links.insert(link);
        QVERIFY2(page.contains(QStringLiteral("<a name=\"%1\">").arg(link.mid(1))),
                 qPrintable(link));
        QVERIFY2(anchors.contains(link.mid(1)), qPrintable(link));
    }

    // Every in-page link of the page (table of contents, "Back to the top") has its anchor.
    static const QRegularExpression href(QStringLiteral("<a href=\"#([^\"]+)\">"));
    int inPage = 0;
    for (auto it = href.globalMatch(page); it.hasNext(); ++inPage) {
        const QString target = it.next().captured(1);
        QVERIFY2(anchors.contains(target), qPrintable(target));
    }
    QVERIFY(inPage >= m_all.size());
}

void tst_CatalogueData::sampleFiles_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files =
        QDir(kSampleFolder).entryList({QStringLiteral("*.cfg")}, QDir::Files, QDir::Name);
    QVERIFY2(files.size() >= 2, qPrintable(kSampleFolder));
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << QDir(kSampleFolder).filePath(file);
}

void tst_CatalogueData::sampleFiles()
{
    // Every line that is neither empty nor a comment names a known setting of the newest
    // version and carries a value its type accepts.
    QFETCH(QString, file);
    const QByteArray bytes = readAll(file);
    QVERIFY(!bytes.isEmpty());
    QVERIFY2(bytes.size() < 4096, qPrintable(QString::number(bytes.size())));

    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = QString::fromLatin1(bytes).split(lineBreak);
    QVERIFY(lines.constFirst().startsWith(QLatin1Char(';'))); // a header comment
    int settings = 0;
    for (const QString& line : lines) {
        const QString text = line.trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
            continue;
        ++settings;
        const int space = text.indexOf(QLatin1Char(' '));
        const QString name = (space < 0 ? text : text.left(space)).toUpper();
        const QString value = space < 0 ? QString() : text.mid(space + 1);
        const int found = findSetting(m_all, name);
        QVERIFY2(found >= 0, qPrintable(line));
        const CatalogueRow& row = m_all.at(found);
        const QStringList choices = row.Choices().split(QLatin1Char('|'));
        const QString& type = row.ValueType();

        if (type == QLatin1String("multiple")) {
            QVERIFY2(name.startsWith(row.SettingName()), qPrintable(line));
            QVERIFY2(choices.contains(name.mid(row.SettingName().size())), qPrintable(line));
            QVERIFY2(!value.isEmpty(), qPrintable(line));
            continue;
        }
        QVERIFY2(name == row.SettingName(), qPrintable(line));
        if (type == QLatin1String("null")) {
            QVERIFY2(value.isEmpty(), qPrintable(line));
        } else if (type == QLatin1String("number")) {
            bool ok = false;
            value.toLongLong(&ok);
            QVERIFY2(ok, qPrintable(line));
        } else if (type == QLatin1String("combo") || type == QLatin1String("boolean")) {
            QVERIFY2(choices.contains(value), qPrintable(line));
        } else {
            QVERIFY2(!value.isEmpty(), qPrintable(line));
        }
    }
    QVERIFY(settings >= 3);
}

void tst_CatalogueData::sampleFilesUseBothLineEnds()
{
    int crlf = 0;
    int lf = 0;
    for (const QString& file :
         QDir(kSampleFolder).entryList({QStringLiteral("*.cfg")}, QDir::Files)) {
        const QByteArray bytes = readAll(QDir(kSampleFolder).filePath(file));
        if (bytes.contains("\r\n") && bytes.count('\n') == bytes.count("\r\n"))
            ++crlf;
        else if (bytes.contains('\n') && !bytes.contains('\r'))
            ++lf;
    }
    QVERIFY(crlf >= 1);
    QVERIFY(lf >= 1);
}

QTEST_MAIN(tst_CatalogueData)
#include "tst_cataloguedata.moc"
