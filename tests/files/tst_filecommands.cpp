#include "app/Version.h"
#include "document/ConfigDocument.h"
#include "document/DocumentViews.h"
#include "document/ListSelection.h"
#include "document/RowModel.h"
#include "files/FileCommands.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString Filter = u"Dravane config files (*.cfg*);;All files (*.*)"_s;
const QString SaveQuestion = u"Save changes to %1?"_s;

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Root reads and writes regardless of permissions, so those cases cannot fail for it.
bool PermissionsApply()
{
    return geteuid() != 0;
}

// A full disk, as far as this process can tell: writes beyond `bytes` fail. Root is bound too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

} // namespace

class tst_FileCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sizeLimit_data();
    void sizeLimit();
    void openOfUnreadableNameChangesNothing_data();
    void openOfUnreadableNameChangesNothing();
    void saveDialogs_data();
    void saveDialogs();
    void captionNamesTheDocument_data();
    void captionNamesTheDocument();
    void newDocumentHasOneBlankRow();
    void closeLeavesNoDocument();
    void saveQuestion_data();
    void saveQuestion();
    void failedWriteKeepsFileAndDocument_data();
    void failedWriteKeepsFileAndDocument();
    void unencodableCharacterIsNamed_data();
    void unencodableCharacterIsNamed();
    void everyByteSurvivesOpenAndSave();
    void lineBreaksAndWrittenForm_data();
    void lineBreaksAndWrittenForm();
    void moreLinesThanSixteenBitsAllow();

private:
    MainWidgets& ui() { return m_window->widgets(); }
    WindowState& state() { return m_window->state(); }
    MainContext& ctx() { return m_window->context(); }
    FileCommands& files() { return *ctx().files; }
    ConfigDocument& document() { return *ctx().document; }
    QString caption() const { return m_window->windowTitle(); }
    QString file(const QString& name, const QByteArray& bytes)
    {
        return m_env->writeFile(u"server/bin/"_s + name, bytes);
    }
    // Opens through File > Open with the given view showing.
    bool open(const QString& path, bool textView = true);
    bool trigger(QAction* command);
    // Loads ORIGINAL, then edits the text view: an open, changed, titled document.
    QString openChangedDocument();

    std::unique_ptr<TestEnvironment> m_env;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_lockedFolders;
};

void tst_FileCommands::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_dialogs.clear();
    m_window = m_env->startMainWindow(m_dialogs);
    QVERIFY(m_window);
}

void tst_FileCommands::cleanup()
{
    for (const QString& folder : std::as_const(m_lockedFolders))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_lockedFolders.clear();
    m_window.reset();
    m_env.reset();
}

bool tst_FileCommands::trigger(QAction* command)
{
    if (!command->isEnabled())
        return false;
    command->trigger();
    return true;
}

bool tst_FileCommands::open(const QString& path, bool textView)
{
    ctx().views->SetView(textView);
    m_dialogs.openAnswers << path;
    const bool opened = trigger(ui().mnuFileOpen) && caption() == ProductName + " [" + path + "]";
    m_dialogs.calls.clear();
    return opened && !state().DocumentChanged;
}

QString tst_FileCommands::openChangedDocument()
{
    const QString path = file(u"original.cfg"_s, "ORIGINAL 1\r\n");
    if (!open(path))
        return {};
    QTest::keyClicks(ui().txtTextBox, u"X"_s);
    return state().DocumentChanged ? path : QString();
}

void tst_FileCommands::sizeLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("opens");
    QTest::newRow("65,000 bytes") << 65000 << true;
    QTest::newRow("65,001 bytes") << 65001 << false;
}

void tst_FileCommands::sizeLimit()
{
    QFETCH(int, size);
    QFETCH(bool, opens);
    const QString path = file(u"big.cfg"_s, QByteArray(size, 'x'));
    m_dialogs.openAnswers << path;

    QVERIFY(trigger(ui().mnuFileOpen));

    QCOMPARE(state().DocumentOpen, opens);
    QCOMPARE(caption(), opens ? ProductName + " [" + path + "]" : ProductName);
    QCOMPARE(m_dialogs.count(u"message"_s), opens ? 0 : 1);
    if (!opens) {
        const FakeDialogs::Call message = m_dialogs.last(u"message"_s);
        QCOMPARE(message.text, u"The file is too large to open."_s);
        QCOMPARE(message.title, ProductName);
        QCOMPARE(message.icon, QMessageBox::NoIcon);
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    const FakeDialogs::Call dialog = m_dialogs.last(u"open"_s);
    QCOMPARE(dialog.title, u"Open Dravane config file"_s);
    QCOMPARE(dialog.folder, m_env->serverDir() + "/bin");
    QCOMPARE(dialog.filter, Filter);
}

void tst_FileCommands::openOfUnreadableNameChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("vanished") << u"vanished"_s;
    QTest::newRow("folder") << u"folder"_s;
    QTest::newRow("no read permission") << u"unreadable"_s;
}

void tst_FileCommands::openOfUnreadableNameChangesNothing()
{
    QFETCH(QString, kind);
    const QString kept = file(u"kept.cfg"_s, "  KEPT 1");
    QVERIFY(open(kept, false));
    QString path = m_env->path(u"server/bin/"_s + kind);
    if (kind == u"folder")
        QVERIFY(QDir().mkpath(path));
    if (kind == u"unreadable") {
        if (!PermissionsApply())
            QSKIP("permissions do not bind this user");
        path = file(kind, "NAME 1");
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    }
    m_dialogs.openAnswers << path;

    QVERIFY(trigger(ui().mnuFileOpen));

    const FakeDialogs::Call message = m_dialogs.last(u"message"_s);
    QCOMPARE(message.text, "Can't open file: " + path);
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QCOMPARE(caption(), ProductName + " [" + kept + "]");
    QCOMPARE(document().text(), u"  KEPT 1"_s);
    QCOMPARE(ctx().rows->rows(), QList<Row>({{u"K1"_s, u"KEPT"_s, u"1"_s}}));
    QVERIFY(!state().DocumentChanged);
}

void tst_FileCommands::saveDialogs_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QString>("suggested"); // "<path>" stands for the document's path

    QTest::newRow("Save, untitled") << u"mnuFilemnuSave"_s << false << true << QString();
    QTest::newRow("Save, titled") << u"mnuFilemnuSave"_s << true << false << QString();
    QTest::newRow("toolbar Save, titled") << u"FlatBttn(2)"_s << true << false << QString();
    QTest::newRow("Save As, untitled")
        << u"mnuFilemnuSaveAs"_s << false << true << u"Untitled.txt"_s;
    QTest::newRow("Save As, titled") << u"mnuFilemnuSaveAs"_s << true << true << u"<path>"_s;
}

void tst_FileCommands::saveDialogs()
{
    QFETCH(QString, command);
    QFETCH(bool, titled);
    QFETCH(bool, dialog);
    QFETCH(QString, suggested);
    const QString path = file(u"doc.cfg"_s, "OLD 1");
    if (titled)
        QVERIFY(open(path));
    else
        QVERIFY(trigger(ui().mnuFileNew));
    document().setText(u"NEW 2"_s);

    QVERIFY(trigger(m_window->findChild<QAction*>(command)));

    QCOMPARE(m_dialogs.count(u"save"_s), dialog ? 1 : 0);
    if (dialog) {
        const FakeDialogs::Call call = m_dialogs.last(u"save"_s);
        QCOMPARE(call.suggestedName, suggested == u"<path>" ? path : suggested);
        QCOMPARE(call.title, u"Save Dravane config file"_s);
        QCOMPARE(call.folder, m_env->serverDir() + "/bin");
        QCOMPARE(call.filter, Filter);
        QCOMPARE(call.defaultSuffix, u"cfg"_s);
    }
    // A cancelled dialog writes nothing; without a dialog the file is written at once.
    QCOMPARE(ReadBytes(path), dialog ? QByteArray("OLD 1") : QByteArray("NEW 2\r\n"));
    QCOMPARE(state().DocumentChanged, dialog);
}

void tst_FileCommands::captionNamesTheDocument_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("untitled") << u"new"_s;
    QTest::newRow("opened") << u"open"_s;
    QTest::newRow("untitled, then written") << u"write"_s;
}

void tst_FileCommands::captionNamesTheDocument()
{
    QFETCH(QString, step);
    const QString path = file(u"named [1].cfg"_s, "NAME 1");
    if (step == u"open") {
        QVERIFY(open(path));
    } else {
        QVERIFY(trigger(ui().mnuFileNew));
    }
    if (step == u"write") {
        m_dialogs.saveAnswers << path;
        QVERIFY(trigger(ui().mnuFilemnuSave));
    }
    const QString name = step == u"new" ? u"Untitled"_s : path;

    QCOMPARE(caption(), ProductName + " [" + name + "]");
    QCOMPARE(files().DocumentName(), name);
    QVERIFY(state().DocumentOpen);
    QVERIFY(!state().DocumentChanged);
}

void tst_FileCommands::newDocumentHasOneBlankRow()
{
    ctx().views->SetView(false);
    QVERIFY(trigger(ui().FlatBttn[Button::New]));

    QCOMPARE(ctx().rows->rows(), QList<Row>({{u"K1"_s, QString(), QString()}}));
    QCOMPARE(SelectedRow(ui().lvListView), 0);
    QCOMPARE(document().text(), QString());
    QCOMPARE(document().LineArray, QStringList{u" "_s});
    QVERIFY(ui().lvListView->isEnabled());
    QCOMPARE(ui().lvListView->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
    QVERIFY(ui().mnuEdit->menuAction()->isVisible());
}

void tst_FileCommands::closeLeavesNoDocument()
{
    QVERIFY(!openChangedDocument().isEmpty());
    m_dialogs.messageAnswers << QMessageBox::No;

    QVERIFY(trigger(ui().mnuFileClose));

    QCOMPARE(caption(), ProductName);
    QVERIFY(!state().DocumentOpen);
    QVERIFY(!state().DocumentChanged);
    QCOMPARE(document().text(), QString());
    QCOMPARE(ctx().rows->count(), 0);
    for (QAction* item :
         {ui().mnuFilemnuSave, ui().mnuFilemnuSaveAs, ui().mnuFilemnuPrint, ui().mnuFileClose,
          ui().mnuToolsFonts, ui().FlatBttn[Button::Save], ui().FlatBttn[Button::Print],
          ui().FlatBttn[Button::Cut], ui().FlatBttn[Button::Copy], ui().FlatBttn[Button::Paste],
          ui().FlatBttn[Button::Delete], ui().FlatBttn[Button::MoveUp],
          ui().FlatBttn[Button::MoveDown], ui().FlatBttn[Button::Comment]})
        QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
    QVERIFY(ui().mnuFileNew->isEnabled() && ui().mnuFileOpen->isEnabled());
    QVERIFY(!ui().mnuEdit->menuAction()->isVisible());
    for (QWidget* view :
         {static_cast<QWidget*>(ui().txtTextBox), static_cast<QWidget*>(ui().lvListView)}) {
        QVERIFY(!view->isEnabled());
        QCOMPARE(view->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Button));
    }
    QCOMPARE(ui().lblTitle[0]->text(), QString());
    QCOMPARE(ui().lblTitle[1]->text(), QString());
}

void tst_FileCommands::saveQuestion_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");     // NoButton: the document is unchanged, nothing is asked
    QTest::addColumn<QString>("saveAs"); // the Save As answer: a name, "folder" or "" (cancel)
    QTest::addColumn<bool>("goesOn");

    const int none = QMessageBox::NoButton;
    for (const QString& command : {u"new"_s, u"open"_s, u"close"_s, u"window close"_s}) {
        const QByteArray utf8 = command.toUtf8();
        const char* name = utf8.constData();
        QTest::addRow("%s, unchanged", name) << command << none << QString() << true;
        QTest::addRow("%s, Yes, saved", name)
            << command << int(QMessageBox::Yes) << u"saved.cfg"_s << true;
        QTest::addRow("%s, Yes, Save As cancelled", name)
            << command << int(QMessageBox::Yes) << QString() << false;
        QTest::addRow("%s, Yes, Save As failed", name)
            << command << int(QMessageBox::Yes) << u"folder"_s << false;
        QTest::addRow("%s, No", name) << command << int(QMessageBox::No) << QString() << true;
        QTest::addRow("%s, Cancel", name)
            << command << int(QMessageBox::Cancel) << QString() << false;
    }
}

void tst_FileCommands::saveQuestion()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, goesOn);
    const QString original = file(u"original.cfg"_s, "ORIGINAL 1\r\n");
    QVERIFY(open(original));
    if (answer != QMessageBox::NoButton)
        QTest::keyClicks(ui().txtTextBox, u"X"_s);
    const QString text = document().text();
    const QString other = file(u"other.cfg"_s, "OTHER 3");
    const QString target = saveAs.isEmpty() ? QString() : m_env->path(saveAs);
    QDir().mkpath(m_env->path(u"folder"_s));
    if (answer != QMessageBox::NoButton)
        m_dialogs.messageAnswers << QMessageBox::StandardButton(answer);
    m_dialogs.saveAnswers << target;
    m_dialogs.openAnswers << other;

    if (command == u"new")
        QVERIFY(trigger(ui().mnuFileNew));
    else if (command == u"open")
        QVERIFY(trigger(ui().FlatBttn[Button::Open]));
    else if (command == u"close")
        QVERIFY(trigger(ui().mnuFileClose));
    else
        QCOMPARE(m_window->close(), goesOn);

    const bool asked = answer != QMessageBox::NoButton;
    QCOMPARE(m_dialogs.count(u"message"_s) > 0, asked);
    if (asked) {
        const FakeDialogs::Call question = m_dialogs.calls.constFirst();
        QCOMPARE(question.text, SaveQuestion.arg(original));
        QCOMPARE(question.title, ProductName);
        QCOMPARE(question.icon, QMessageBox::Warning);
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(question.defaultButton, QMessageBox::Yes);
    }
    QCOMPARE(m_dialogs.count(u"save"_s), answer == QMessageBox::Yes ? 1 : 0);
    QCOMPARE(ReadBytes(original), QByteArray("ORIGINAL 1\r\n"));
    if (saveAs == u"saved.cfg")
        QCOMPARE(ReadBytes(target), (text + "\r\n").toLatin1());

    if (!goesOn) {
        QCOMPARE(caption(), ProductName + " [" + original + "]");
        QCOMPARE(document().text(), text);
        QVERIFY(state().DocumentChanged);
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_dialogs.count(u"open"_s), 0);
        return;
    }
    const QString expected = command == u"new"    ? ProductName + " [Untitled]"
                             : command == u"open" ? ProductName + " [" + other + "]"
                                                  : ProductName;
    QCOMPARE(caption(), expected);
    QCOMPARE(m_window->isVisible(), command != u"window close");
}

void tst_FileCommands::failedWriteKeepsFileAndDocument_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("Save with the disk full") << u"full"_s;
    QTest::newRow("Save As onto a folder") << u"folder"_s;
    QTest::newRow("Save As into a missing folder") << u"missing"_s;
    QTest::newRow("Save As into a folder without write permission") << u"locked"_s;
    QTest::newRow("Save beside it in a folder without write permission") << u"locked save"_s;
}

void tst_FileCommands::failedWriteKeepsFileAndDocument()
{
    QFETCH(QString, kind);
    if (kind.startsWith(u"locked") && !PermissionsApply())
        QSKIP("permissions do not bind this user");
    const QString folder = m_env->path(u"target"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString existing = m_env->writeFile(u"target/doc.cfg"_s, "OLD 1\r\n");
    QVERIFY(open(existing));
    QTest::keyClicks(ui().txtTextBox, u"X"_s);
    QString target = existing;
    if (kind == u"folder")
        target = folder;
    else if (kind == u"missing")
        target = m_env->path(u"missing/doc.cfg"_s);
    if (kind.startsWith(u"locked")) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        m_lockedFolders << folder;
    }

    if (kind == u"full") {
        document().setText(u"NEW "_s + QString(100, u'x'));
        const FileSizeLimit full(4);
        QVERIFY(trigger(ui().mnuFilemnuSave));
    } else if (kind == u"locked save") {
        QVERIFY(trigger(ui().mnuFilemnuSave));
    } else {
        m_dialogs.saveAnswers << target;
        QVERIFY(trigger(ui().mnuFilemnuSaveAs));
    }

    QCOMPARE(m_dialogs.count(u"message"_s), 1);
    const FakeDialogs::Call warning = m_dialogs.last(u"message"_s);
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QCOMPARE(warning.title, ProductName);
    QVERIFY(!warning.text.isEmpty());
    QCOMPARE(ReadBytes(existing), QByteArray("OLD 1\r\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{u"doc.cfg"_s});
    QVERIFY(!QFile::exists(m_env->path(u"missing"_s)));
    QCOMPARE(caption(), ProductName + " [" + existing + "]");
    QVERIFY(state().DocumentChanged);
}

void tst_FileCommands::unencodableCharacterIsNamed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("listView");
    QTest::addColumn<QString>("named"); // the character, its code and its line

    QTest::newRow("check mark on line 2")
        << u"A 1\r\nB \u2713"_s << false << u"\"\u2713\" (U+2713) on line 2"_s;
    QTest::newRow("first of two, after lone CR and LF")
        << u"A\rB\nC \u0100 \u2713"_s << false << u"\"\u0100\" (U+0100) on line 3"_s;
    QTest::newRow("beyond 16 bits")
        << u"A\r\n\r\nB \U0001F600"_s << false << u"\"\U0001F600\" (U+1F600) on line 3"_s;
    QTest::newRow("written from the list view")
        << u"  A 1\r\nB \u2713"_s << true << u"\"\u2713\" (U+2713) on line 2"_s;
}

void tst_FileCommands::unencodableCharacterIsNamed()
{
    QFETCH(QString, text);
    QFETCH(bool, listView);
    QFETCH(QString, named);
    const QString path = file(u"doc.cfg"_s, "OLD 1\r\n");
    QVERIFY(open(path));
    document().setText(text);
    if (listView)
        QVERIFY(trigger(ui().mnuViewmnuLVList));

    QVERIFY(trigger(ui().mnuFilemnuSave));

    const FakeDialogs::Call warning = m_dialogs.last(u"message"_s);
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QVERIFY2(warning.text.contains(named), qPrintable(warning.text));
    QCOMPARE(ReadBytes(path), QByteArray("OLD 1\r\n"));
    QCOMPARE(caption(), ProductName + " [" + path + "]");
    QVERIFY(state().DocumentChanged);
}

void tst_FileCommands::everyByteSurvivesOpenAndSave()
{
    QByteArray bytes;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            bytes.append(char(byte));
    }
    const QString path = file(u"bytes.cfg"_s, bytes);
    QVERIFY(open(path, true));

    QVERIFY(trigger(ui().mnuFilemnuSave));

    QCOMPARE(m_dialogs.count(u"message"_s), 0);
    QCOMPARE(ReadBytes(path), bytes + "\r\n");
    QVERIFY(!state().DocumentChanged);
}

void tst_FileCommands::lineBreaksAndWrittenForm_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("listView");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("LF only, text view")
        << QByteArray("A 1\nB 2\n\nC 3") << false << 4 << QByteArray("A 1\r\nB 2\r\n\r\nC 3\r\n");
    QTest::newRow("CR only, text view")
        << QByteArray("A 1\rB 2") << false << 2 << QByteArray("A 1\r\nB 2\r\n");
    QTest::newRow("mixed, text view keeps leading spaces")
        << QByteArray("  A 1\r\nB\nC\rD") << false << 4 << QByteArray("  A 1\r\nB\r\nC\r\nD\r\n");
    QTest::newRow("single letter") << QByteArray("A") << false << 1 << QByteArray("A\r\n");
    QTest::newRow("list view writes the rendered rows")
        << QByteArray("  NAME 5\r\nFLAG\n\r\n; note  two ") << true << 4
        << QByteArray("NAME 5\r\nFLAG \r\n \r\n; note  two \r\n");
    QTest::newRow("list view without rows") << QByteArray() << true << 0 << QByteArray("\r\n");
}

void tst_FileCommands::lineBreaksAndWrittenForm()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, listView);
    QFETCH(int, rows);
    QFETCH(QByteArray, written);
    const QString path = this->file(u"breaks.cfg"_s, file);
    QVERIFY(open(path, !listView));
    QCOMPARE(ctx().rows->count(), rows);

    QVERIFY(trigger(ui().mnuFilemnuSave));

    QCOMPARE(ReadBytes(path), written);
}

void tst_FileCommands::moreLinesThanSixteenBitsAllow()
{
    const QByteArray bytes =
        QByteArray("NAME 1\n").repeated(5000) + QByteArray("\n").repeated(30000);
    const QString path = file(u"long.cfg"_s, bytes);
    QVERIFY(open(path, false));
    QCOMPARE(ctx().rows->count(), 35000);
    QCOMPARE(ctx().rows->row(34999).Key, u"KB35000"_s);

    QVERIFY(trigger(ui().mnuViewmnuLVText));
    QCOMPARE(ui().txtTextBox->document()->blockCount(), 35000);
    QVERIFY(trigger(ui().mnuViewmnuLVList));
    QCOMPARE(ctx().rows->count(), 35000);
    QVERIFY(trigger(ui().mnuFilemnuSave));

    const QByteArray expected =
        QByteArray("NAME 1\r\n").repeated(5000) + QByteArray(" \r\n").repeated(30000);
    QCOMPARE(ReadBytes(path), expected);
}

QTEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"
