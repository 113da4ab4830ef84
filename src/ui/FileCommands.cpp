#include "ui/FileCommands.h"

#include "core/ServerInstall.h"
#include "core/Version.h"
#include "ui/SettingsExplorer.h"
#include "ui/ConfigDocument.h"
#include "core/ConfigText.h"
#include "ui/DocumentViews.h"
#include "ui/ListSelection.h"
#include "core/RowModel.h"
#include "ui/ValueEditor.h"
#include "core/Codepage.h"
#include "ui/Dialogs.h"
#include "ui/HelpPane.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStringBuilder>
#include <QTreeView>
#include <QTreeWidget>
#include <optional>

namespace {

// Larger files are refused; CR LF breaks keep such a file within 32,767 lines.
constexpr qint64 MaxFileBytes = 65000;

const QString UntitledName = QStringLiteral("Untitled");
const QString UntitledFileName = QStringLiteral("Untitled.txt");
const QString FileFilter = QStringLiteral("Dravane config files (*.cfg*);;All files (*.*)");
const QString OpenTitle = QStringLiteral("Open Dravane config file");
const QString SaveTitle = QStringLiteral("Save Dravane config file");
const QString DefaultSuffix = QStringLiteral("cfg");
const QString LineBreak = QStringLiteral("\r\n");

QString DialogFolder()
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

// Only regular files: reading a device or a pipe to its end might never finish.
std::optional<QByteArray> ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// The file on disk is replaced only once the new content is complete, so a failure leaves
// it as it was. Returns the platform's description of a failure, or an empty text.
QString WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered: a write that fails while a buffer is flushed inside commit() goes unseen
    // there, and the short file would replace the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A short write (a full disk) reports its cause only on the next attempt.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 chunk = file.write(bytes.constData() + written, bytes.size() - written);
        if (chunk <= 0)
            return file.errorString();
        written += chunk;
    }
    return file.commit() ? QString() : file.errorString();
}

// Names the first character the code page cannot hold, with its line, so the user can find it.
QString UnencodableMessage(const QString& text, qsizetype index)
{
    const qsizetype line = ConfigText::LinesFromText(QStringView(text).first(index)).size();
    const bool pair = text[index].isHighSurrogate() && index + 1 < text.size() &&
                      text[index + 1].isLowSurrogate();
    const QString character = text.mid(index, pair ? 2 : 1);
    const QString codePoint = QString::number(character.toUcs4().value(0), 16)
                                  .toUpper()
                                  .rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("The file was not saved: the character \"%1\" (U+%2) on line %3 cannot "
                          "be written in the Windows-1252 code page of configuration files.")
        .arg(character, codePoint, QString::number(line));
}

} // namespace

FileCommands::FileCommands(MainContext& context) : Component(context)
{
    MainWidgets& ui = this->ui();
    const auto wire = [this](std::initializer_list<QAction*> triggers,
                             void (FileCommands::*command)()) {
        for (QAction* trigger : triggers)
            connect(trigger, &QAction::triggered, this, command);
    };
    wire({ui.mnuFileNew, ui.FlatBttn[Button::New]}, &FileCommands::NewDocument);
    wire({ui.mnuFileOpen, ui.FlatBttn[Button::Open]}, &FileCommands::OpenDocument);
    wire({ui.mnuFilemnuSave, ui.FlatBttn[Button::Save]}, &FileCommands::SaveDocument);
    wire({ui.mnuFilemnuSaveAs}, &FileCommands::SaveDocumentAs);
    wire({ui.mnuFileClose}, &FileCommands::CloseCommand);
}

void FileCommands::NewDocument()
{
    if (!MaySetDocumentAside())
        return;
    ctx.document->setText(QString());
    SetCaption(UntitledName);
    ctx.rows->resetRows({Row{QStringLiteral("K1"), QString(), QString()}});
    SelectRow(ui().lvListView, 0);
    ctx.document->LinesFromRows();
    state().DocumentOpen = true;
    SetDocumentCommandStates();
    state().DocumentChanged = false;
}

void FileCommands::OpenDocument()
{
    if (!MaySetDocumentAside())
        return;
    const QString path =
        ctx.dialogs.openFileName(ui().frmMain, OpenTitle, DialogFolder(), FileFilter);
    if (path.isEmpty())
        return;
    const QFileInfo file(path);
    if (file.isFile() && file.size() > MaxFileBytes) {
        Tell(QStringLiteral("The file is too large to open."), QMessageBox::NoIcon);
        return;
    }
    LoadDocument(path);
}

void FileCommands::SaveDocument()
{
    if (!state().DocumentOpen)
        return;
    const QString path = IsUntitled() ? AskSavePath(QString()) : DocumentName();
    if (!path.isEmpty())
        WriteDocument(path);
}

void FileCommands::SaveDocumentAs()
{
    if (state().DocumentOpen)
        SaveAs();
}

bool FileCommands::SaveAs()
{
    const QString name = DocumentName();
    const QString path = AskSavePath(name == UntitledName ? UntitledFileName : name);
    return !path.isEmpty() && WriteDocument(path);
}

void FileCommands::CloseCommand()
{
    if (MaySetDocumentAside())
        CloseDocument();
}

bool FileCommands::MaySetDocumentAside()
{
    if (!state().DocumentOpen || !state().DocumentChanged)
        return true;
    const auto answer = ctx.dialogs.message(
        ui().frmMain, ProductName, QStringLiteral("Save changes to ") + DocumentName() + u'?',
        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // Without a written file the changes would be lost: the command stops instead.
        return SaveAs();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool FileCommands::LoadDocument(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadWholeFile(path);
    if (!bytes) {
        Tell(QStringLiteral("Can't open file: ") + path, QMessageBox::NoIcon);
        return false;
    }
    {
        const WaitCursor busy;
        state().DocumentOpen = true;
        SetCaption(path);
        // The text view shows the file as it is; the rows hold its parse.
        const QString text = Codepage::DecodeWindows1252(*bytes);
        ctx.document->setText(text);
        ctx.document->ReadFileLines(text);
        ctx.document->RowsFromLines();
    }
    SetDocumentCommandStates();
    state().DocumentChanged = false;
    return true;
}

bool FileCommands::WriteDocument(const QString& path)
{
    const QString text = TextToWrite();
    qsizetype badIndex = -1;
    const std::optional<QByteArray> bytes = Codepage::EncodeWindows1252(text, &badIndex);
    if (!bytes) {
        Tell(UnencodableMessage(text, badIndex), QMessageBox::Warning);
        return false;
    }
    QString failure;
    {
        const WaitCursor busy;
        failure = WriteWholeFile(path, *bytes);
    }
    if (!failure.isEmpty()) {
        Tell(failure, QMessageBox::Warning);
        return false;
    }
    SetCaption(path);
    state().DocumentChanged = false;
    return true;
}

QString FileCommands::TextToWrite()
{
    if (ctx.views->IsTextView())
        return ctx.document->text() + LineBreak;
    const QList<Row>& rows = ctx.rows->rows();
    if (rows.isEmpty())
        return LineBreak;
    qsizetype size = 0;
    for (const Row& row : rows)
        size += row.Setting.size() + row.Parameter.size() + 1 + LineBreak.size();
    QString text;
    text.reserve(size);
    // Each line as ConfigText::RenderRow forms it, appended in place: no string per line.
    for (const Row& row : rows)
        text += row.Setting % u' ' % row.Parameter % LineBreak;
    return text;
}

QString FileCommands::AskSavePath(const QString& suggestedName)
{
    return ctx.dialogs.saveFileName(ui().frmMain, SaveTitle, DialogFolder(), suggestedName,
                                    FileFilter, DefaultSuffix);
}

QString FileCommands::DocumentName() const
{
    const QString caption = ctx.ui.frmMain->windowTitle();
    const qsizetype open = caption.indexOf(u'[');
    if (open < 0)
        return {};
    return caption.mid(open + 1, caption.size() - open - 2);
}

bool FileCommands::IsUntitled() const
{
    return ctx.ui.frmMain->windowTitle() ==
           ProductName + QStringLiteral(" [") + UntitledName + u']';
}

void FileCommands::SetCaption(const QString& documentName)
{
    ui().frmMain->setWindowTitle(ProductName + QStringLiteral(" [") + documentName + u']');
}

void FileCommands::CloseDocument()
{
    MainWidgets& ui = this->ui();
    ctx.document->setText(QString());
    ctx.rows->clear();
    state().DocumentChanged = false;
    state().DocumentOpen = false;
    SetDocumentCommandStates();
    if (QTreeWidgetItem* first = ctx.explorer->Node(1))
        ui.tvTreeView->setCurrentItem(first);
    ctx.help->BlankHelpPane();
    ClearTitleStrip();
    ui.frmMain->setWindowTitle(ProductName);
}

// Clears the strip's labels without a full reset of the value editor.
void FileCommands::ClearTitleStrip()
{
    MainWidgets& ui = this->ui();
    QLabel* description = ui.lblTitle[1];
    description->move(ui.cboParam->x(), description->y());
    ui.lblTitle[0]->clear();
    description->clear();
    description->resize(ui.lvListView->width() - Twips::toPixels(50, description),
                        description->height());
}

void FileCommands::SetDocumentCommandStates()
{
    MainWidgets& ui = this->ui();
    const bool open = state().DocumentOpen;
    for (QAction* needsDocument :
         {ui.mnuFilemnuSave, ui.mnuFilemnuSaveAs, ui.mnuFilemnuPrint, ui.mnuFileClose,
          ui.FlatBttn[Button::Save], ui.FlatBttn[Button::Print], ui.FlatBttn[Button::Cut],
          ui.FlatBttn[Button::Copy], ui.FlatBttn[Button::Paste], ui.FlatBttn[Button::Delete],
          ui.FlatBttn[Button::MoveUp], ui.FlatBttn[Button::MoveDown], ui.FlatBttn[Button::Comment]})
        needsDocument->setEnabled(open);
    ui.mnuEdit->menuAction()->setVisible(open);

    if (open)
        ctx.views->SetViewCommandStates(ctx.views->IsTextView());
    SetViewEnabled(ui.txtTextBox, open);
    SetViewEnabled(ui.lvListView, open);
    ui.mnuToolsFonts->setEnabled(open);
    if (!open)
        ctx.valueEditor->HideControls();
}

// A disabled view is painted in the grey of a scroll bar, an enabled one in the window
// background of text fields.
void FileCommands::SetViewEnabled(QAbstractScrollArea* view, bool enabled)
{
    view->setEnabled(enabled);
    const QPalette standard = QApplication::palette(view);
    const QColor background =
        standard.color(QPalette::Active, enabled ? QPalette::Base : QPalette::Button);
    if (view->palette().color(QPalette::Active, QPalette::Base) == background &&
        view->palette().color(QPalette::Disabled, QPalette::Base) == background)
        return;
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, background);
    view->setPalette(palette);
}

void FileCommands::Tell(const QString& text, QMessageBox::Icon icon)
{
    ctx.dialogs.message(ui().frmMain, ProductName, text, icon, QMessageBox::Ok);
}
