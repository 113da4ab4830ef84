#include "ui/HelpKey.h"

#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/EditingState.h"
#include "core/ServerInstall.h"
#include "core/SettingLookup.h"
#include "ui/ListSelection.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTreeView>

HelpKey::HelpKey(const ConfigDocument& document, const EditingState& state, QString programDir,
                 QPlainTextEdit* text, QTreeView* list)
    : QObject(text), m_document(document), m_state(state), m_programDir(std::move(programDir)),
      m_text(text), m_list(list)
{
    text->installEventFilter(this);
    list->installEventFilter(this);
}

void HelpKey::showHelp(bool inText)
{
    QString setting;
    if (inText) {
        setting = ConfigText::parseLine(m_text->textCursor().block().text(), 1).Setting;
    } else if (const int row = selectedRow(m_list); row >= 0) {
        setting = m_document.rows().row(row).Setting;
    }
    const QString name = SettingLookup::nameForRow(setting);
    // The page the value editor would show for it: that of the entry it arranges for.
    const CatalogueRow* page = nullptr;
    if (!setting.isEmpty() && name != SettingLookup::CommentEntry) {
        for (const CatalogueRow* entry : SettingLookup::candidates(m_state.catalogue(), name)) {
            page = entry;
            if (SettingLookup::kindOf(entry->ValueType()) != SettingLookup::Kind::Unknown)
                break;
        }
    }
    if (page)
        emit helpPageRequested(ServerInstall::GetHelpLocation(m_programDir) + page->HelpLink());
    else
        emit guideRequested();
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    const bool ours =
        event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (!ours || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // Taken from the window's F1 here, so that the key itself arrives.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        showHelp(watched == m_text);
    return event->type() == QEvent::KeyPress;
}
