#include "ui/FileCommands.h"

#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/ServerInstall.h"
#include "core/TextCheck.h"
#include "core/Version.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QWidget>

namespace {

const QString UntitledFileName = QStringLiteral("Untitled.txt");
const QString FileFilter = QStringLiteral("Dravane config files (*.cfg*);;All files (*.*)");
const QString OpenTitle = QStringLiteral("Open Dravane config file");
const QString SaveTitle = QStringLiteral("Save Dravane config file");
const QString DefaultSuffix = QStringLiteral("cfg");

QString dialogFolder()
{
    return ServerInstall::GetServerInstallPath() + QStringLiteral("/bin");
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

FileCommands::FileCommands(ConfigDocument& document, Dialogs& dialogs, QWidget* window,
                           QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_window(window)
{
    const auto showCaption = [this] { m_window->setWindowTitle(m_document.caption()); };
    connect(&m_document, &ConfigDocument::openChanged, m_window, showCaption);
    connect(&m_document, &ConfigDocument::pathChanged, m_window, showCaption);
    showCaption();
}

void FileCommands::NewDocument()
{
    if (!maySetDocumentAside())
        return;
    m_document.newDocument();
    emit documentCreated();
}

void FileCommands::OpenDocument()
{
    if (!maySetDocumentAside())
        return;
    const QString path = m_dialogs.openFileName(m_window, OpenTitle, dialogFolder(), FileFilter);
    if (!path.isEmpty())
        openChosenFile(path);
}

void FileCommands::openRecent(const QString& path)
{
    if (maySetDocumentAside())
        openChosenFile(path);
}

bool FileCommands::openChosenFile(const QString& path)
{
    // Read, not asked its size, which a /proc file reports as none; a pipe is not waited on.
    // Without bytes the load reports what is wrong.
    const std::optional<QByteArray> bytes = ConfigFile::readWholeFile(path);
    if (bytes && bytes->size() > ConfigFile::MaxFileBytes) {
        const QLocale numbers;
        const qint64 size = QFileInfo(path).size();
        const QString limit = numbers.toString(ConfigFile::MaxFileBytes);
        const QString has = size > ConfigFile::MaxFileBytes
                                ? numbers.toString(size)
                                : QStringLiteral("more than %1").arg(limit);
        m_dialogs.messageWithDetails(
            m_window, ProductName, QStringLiteral("The file is too large to open."),
            QStringLiteral("%1 has %2 bytes; a configuration file may have at most %3.")
                .arg(QDir::toNativeSeparators(path), has, limit),
            QMessageBox::NoIcon);
        return false;
    }
    if (bytes && !mayOpenAsText(path, *bytes))
        return false;
    return LoadDocument(path);
}

void FileCommands::SaveDocument()
{
    if (!m_document.DocumentOpen())
        return;
    const QString path = m_document.isUntitled() ? AskSavePath(QString()) : m_document.path();
    if (!path.isEmpty())
        WriteDocument(path);
}

void FileCommands::SaveDocumentAs()
{
    if (m_document.DocumentOpen())
        saveAs();
}

bool FileCommands::saveAs()
{
    const QString path =
        AskSavePath(m_document.isUntitled() ? UntitledFileName : m_document.path());
    return !path.isEmpty() && WriteDocument(path);
}

void FileCommands::closeCommand()
{
    if (maySetDocumentAside())
        CloseDocument();
}

bool FileCommands::maySetDocumentAside()
{
    if (!m_document.DocumentOpen() || !m_document.DocumentChanged())
        return true;
    const auto answer = m_dialogs.message(
        m_window, ProductName, QStringLiteral("Save changes to ") + m_document.name() + u'?',
        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // Without a written file the changes would be lost: the command stops instead.
        return saveAs();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

// A file that is not text would come out mangled in the views and, once saved, on disk.
bool FileCommands::mayOpenAsText(const QString& path, const QByteArray& bytes)
{
    if (TextCheck::looksLikeText(bytes))
        return true;
    const auto answer = m_dialogs.message(
        m_window, ProductName,
        QDir::toNativeSeparators(path) +
            QStringLiteral(" does not look like a configuration file. Open it anyway?"),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool FileCommands::LoadDocument(const QString& path)
{
    bool loaded = false;
    {
        const WaitCursor busy;
        loaded = m_document.loadFile(path);
    }
    if (!loaded) {
        tell(QStringLiteral("Can't open file: ") + path, QMessageBox::NoIcon);
        return false;
    }
    emit fileUsed(path);
    return true;
}

bool FileCommands::WriteDocument(const QString& path)
{
    if (m_writeGuard && !m_writeGuard(path))
        return false;
    QString failure;
    {
        const WaitCursor busy;
        failure = m_document.saveAs(path);
    }
    if (!failure.isEmpty()) {
        tell(failure, QMessageBox::Warning);
        return false;
    }
    emit fileUsed(path);
    return true;
}

QString FileCommands::AskSavePath(const QString& suggestedName)
{
    return m_dialogs.saveFileName(m_window, SaveTitle, dialogFolder(), suggestedName, FileFilter,
                                  DefaultSuffix);
}

void FileCommands::documentReplaced()
{
    if (m_document.isUntitled())
        emit documentCreated();
    else
        emit fileUsed(m_document.path());
}

void FileCommands::CloseDocument()
{
    m_document.close();
    emit documentClosed();
}

void FileCommands::tell(const QString& text, QMessageBox::Icon icon)
{
    m_dialogs.message(m_window, ProductName, text, icon, QMessageBox::Ok);
}
