#include "core/CommandLine.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Action = CommandLine::Request::Action;

class tst_CommandLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << QStringList{} << Action::Run << QString();
        QTest::newRow("relative file")
            << QStringList{u"bin/a.cfg"_s} << Action::Run << u"/home/u/bin/a.cfg"_s;
        QTest::newRow("absolute file")
            << QStringList{u"/srv/x/../b.cfg"_s} << Action::Run << u"/srv/b.cfg"_s;
        QTest::newRow("dash file after --")
            << QStringList{u"--"_s, u"-odd.cfg"_s} << Action::Run << u"/home/u/-odd.cfg"_s;
        QTest::newRow("help wins over a file")
            << QStringList{u"a.cfg"_s, u"--help"_s} << Action::Help << QString();
        QTest::newRow("help wins over version")
            << QStringList{u"-v"_s, u"-h"_s} << Action::Help << QString();
        QTest::newRow("version") << QStringList{u"--version"_s} << Action::Version << QString();
        QTest::newRow("unknown option")
            << QStringList{u"--self-test"_s} << Action::Fail << QString();
        QTest::newRow("two files")
            << QStringList{u"a.cfg"_s, u"b.cfg"_s} << Action::Fail << QString();
        QTest::newRow("empty name") << QStringList{QString()} << Action::Fail << QString();
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        arguments.prepend(u"dracfg-editor"_s);
        const auto request = CommandLine::parse(arguments, u"/home/u"_s);
        QTEST(request.action, "action");
        QTEST(request.file, "file");
        QCOMPARE(request.error.isEmpty(), request.action != Action::Fail);
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
