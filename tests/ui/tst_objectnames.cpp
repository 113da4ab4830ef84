#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainWindow.h"

#include <QFile>
#include <QTest>

// Tests and the user guide find controls by their objectName: a name that changes or goes
// breaks them, so the list changes only on purpose. Qt's own helpers ("qt_...") are not ours to
// keep, nor are their "_q_..." ones (a line edit's clear button).
class tst_ObjectNames : public QObject {
    Q_OBJECT

private slots:
    void mainWindowNamesAreKept();
};

void tst_ObjectNames::mainWindowNamesAreKept()
{
    TestEnvironment env;
    FakeDialogs dialogs;
    const auto window = env.startMainWindow(dialogs);
    QVERIFY(window);

    QStringList names{window->objectName()};
    for (const QObject* child : window->findChildren<QObject*>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
            !name.startsWith(QLatin1String("_q_")))
            names << name;
    }
    names.sort();
    names.removeDuplicates();

    QFile expected(QStringLiteral(DRACFG_SOURCE_DIR "/tests/ui/objectnames.txt"));
    QVERIFY(expected.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList known =
        QString::fromUtf8(expected.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (names != known)
        qWarning().noquote() << "The window now has these names:\n" + names.join(u'\n');
    QCOMPARE(names, known);
}

QTEST_MAIN(tst_ObjectNames)
#include "tst_objectnames.moc"
