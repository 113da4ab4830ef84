#include "ui/VersionMenu.h"

#include "core/EditingState.h"

#include <QAction>
#include <QSet>

namespace {

// Each caption is marked at the first of its digits, else of its letters, that no earlier
// caption took, so that the keyboard reaches every version: "v8" shows as v8 with 8 underlined.
QStringList withMnemonics(const QStringList& captions)
{
    QSet<QChar> taken;
    QStringList marked;
    for (const QString& caption : captions) {
        qsizetype at = -1;
        for (const bool digits : {true, false}) {
            for (qsizetype i = 0; i < caption.size() && at < 0; ++i) {
                const QChar c = caption.at(i).toLower();
                if ((digits ? c.isDigit() : c.isLetter()) && !taken.contains(c))
                    at = i;
            }
        }
        QString text;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            if (i == at)
                text += u'&';
            text += caption.at(i);
            if (caption.at(i) == u'&')
                text += u'&'; // shown as it is, not taken for a mark
        }
        if (at >= 0)
            taken.insert(caption.at(at).toLower());
        marked.append(text);
    }
    return marked;
}

} // namespace

VersionMenu::VersionMenu(const Items& items, EditingState& state, QObject* parent)
    : QObject(parent), m_items(items), m_state(state)
{
    for (size_t p = 0; p < m_items.size(); ++p)
        connect(m_items[p], &QAction::triggered, this,
                [this, p] { versionChosen(static_cast<int>(p)); });
    connect(&m_state, &EditingState::versionChanged, this, &VersionMenu::showChosen);
    showChosen(m_state.versionIndex());
}

void VersionMenu::BuildVersionMenu()
{
    QStringList captions = m_state.versionCaptions();
    const int count = std::min<int>(static_cast<int>(captions.size()), m_items.size());
    captions = withMnemonics(captions);
    for (int p = 0; p < count; ++p) {
        QAction* item = m_items[static_cast<size_t>(p)];
        item->setVisible(true);
        item->setText(captions[p]);
    }
}

void VersionMenu::showChosen(int index)
{
    for (int p = 0; p < static_cast<int>(m_items.size()); ++p)
        m_items[static_cast<size_t>(p)]->setChecked(p == index);
}

// Choosing the version already chosen lists its settings afresh, as it always has.
void VersionMenu::versionChosen(int index)
{
    m_state.chooseVersion(index);
    emit catalogueReloaded();
}
