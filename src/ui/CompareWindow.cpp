#include "ui/CompareWindow.h"

#include "core/ConfigDocument.h"
#include "core/SavedComparison.h"
#include "core/Version.h"
#include "ui/Dialogs.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

const QString NoDifference =
    QStringLiteral("No difference: Save would write what the file already holds.");

void colourLines(QPlainTextEdit* view)
{
    QTextDocument* text = view->document();
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        QColor background;
        if (line.startsWith(u"@@"))
            background = QColor(0xdd, 0xe8, 0xf6);
        else if (line.startsWith(u"---") || line.startsWith(u"+++"))
            continue;
        else if (line.startsWith(u'-'))
            background = QColor(0xfb, 0xd8, 0xd8);
        else if (line.startsWith(u'+'))
            background = QColor(0xd6, 0xf5, 0xd6);
        else
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setBackground(background);
        cursor.setBlockFormat(format);
    }
}

} // namespace

CompareWindow::CompareWindow(const QString& difference, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(QStringLiteral("Compare with Saved"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    txtCompare = new QPlainTextEdit(this);
    txtCompare->setObjectName(QStringLiteral("txtCompare"));
    txtCompare->setReadOnly(true);
    txtCompare->setAccessibleName(QStringLiteral("Difference"));
    txtCompare->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtCompare->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The diff's own last line break would show as an empty line.
    txtCompare->setPlainText(difference.isEmpty() ? NoDifference : difference.chopped(1));
    colourLines(txtCompare);
    column->addWidget(txtCompare);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    column->addWidget(buttons);
    resize(720, 480);
}

CompareWindow* CompareWindow::showFor(const ConfigDocument& document, Dialogs& dialogs,
                                      QWidget* window)
{
    QString error;
    const std::optional<QString> difference =
        SavedComparison::differenceFromSaved(document, &error);
    if (!difference) {
        dialogs.message(window, ProductName, error, QMessageBox::Warning, QMessageBox::Ok);
        return nullptr;
    }
    auto* shown = new CompareWindow(*difference, window);
    shown->show();
    return shown;
}
