#include "ui/TextCompletion.h"

#include "core/DocumentEdits.h"
#include "core/EditingState.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTreeView>

#include <algorithm>

// The entries offered: the text to insert, then in a quieter colour its category and type.
class CompletionModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(QList<Completion::Entry> entries)
    {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const Completion::Entry& entry = m_entries.at(index.row());
        if (role == Qt::DisplayRole)
            return index.column() == 0 ? entry.shown : entry.detail;
        if (role == Qt::ForegroundRole && index.column() == 1)
            return QPalette().brush(QPalette::PlaceholderText);
        return {};
    }

private:
    QList<Completion::Entry> m_entries;
};

namespace {

constexpr int RowsShown = 10;

} // namespace

TextCompletion::TextCompletion(QPlainTextEdit* text, ConfigDocument& document,
                               const EditingState& state)
    : QObject(text), m_text(text), m_document(document), m_state(state),
      m_list(new QTreeView(text)), m_model(new CompletionModel(this))
{
    m_list->setObjectName(QStringLiteral("lstCompletion"));
    m_list->setAccessibleName(QStringLiteral("Completions"));
    // A window of its own that neither takes the focus nor is activated: keys stay with the text.
    m_list->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    m_list->setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setModel(m_model);
    m_list->setHeaderHidden(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->hide();
    connect(m_list, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { pick(index.row()); });

    text->installEventFilter(this);
    connect(text, &QPlainTextEdit::textChanged, this, [this] {
        if (m_typing || m_list->isVisible())
            refresh(m_asked);
    });
    connect(text, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_typing && m_list->isVisible())
            refresh(m_asked);
    });
    connect(text->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (m_list->isVisible())
            place();
    });
    const auto forget = [this] {
        close();
        m_index.reset();
    };
    connect(&state, &EditingState::versionChanged, this, forget);
    connect(&state, &EditingState::catalogueLoaded, this, forget);
}

TextCompletion::~TextCompletion() = default;

const Completion::Index& TextCompletion::index()
{
    if (!m_index)
        m_index = std::make_unique<Completion::Index>(m_state.catalogue());
    return *m_index;
}

void TextCompletion::refresh(bool asked)
{
    const QTextCursor caret = m_text->textCursor();
    if (caret.hasSelection() || m_text->isReadOnly()) {
        close();
        return;
    }
    m_offer = index().offerAt(caret.block().text(), caret.positionInBlock());
    const QList<Completion::Entry>& entries = m_offer.entries;
    // What is typed in full needs no list, and Enter then ends the line as usual.
    const bool complete = entries.size() == 1 &&
                          entries.first().shown.compare(m_offer.typed, Qt::CaseInsensitive) == 0;
    const bool wanted =
        asked || m_offer.place == Completion::Offer::Place::Value || m_offer.typed.size() >= 2;
    if (entries.isEmpty() || complete || !wanted) {
        close();
        return;
    }
    m_asked = asked;
    m_model->setEntries(entries);
    m_list->setCurrentIndex(m_model->index(0, 0));

    const QFontMetrics metrics(m_list->font());
    int shown = 0;
    int detail = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(entries.size(), 100); ++i) {
        shown = std::max(shown, metrics.horizontalAdvance(entries.at(i).shown));
        detail = std::max(detail, metrics.horizontalAdvance(entries.at(i).detail));
    }
    const int gap = metrics.horizontalAdvance(QStringLiteral("MMM"));
    m_list->setColumnWidth(0, shown + gap);
    const int rows = static_cast<int>(std::min<qsizetype>(entries.size(), RowsShown));
    const int frame = 2 * m_list->frameWidth();
    const int scrollBar =
        entries.size() > RowsShown ? m_list->verticalScrollBar()->sizeHint().width() : 0;
    m_list->resize(shown + gap + detail + gap + frame + scrollBar,
                   rows * m_list->sizeHintForRow(0) + frame);
    m_list->show();
    place();
}

// Under the caret, wherever the view has moved it.
void TextCompletion::place()
{
    const QRect at = m_text->cursorRect();
    // A caret scrolled or squeezed out of sight takes the list with it.
    if (!m_text->viewport()->rect().contains(at.center())) {
        close();
        return;
    }
    m_list->move(m_text->viewport()->mapToGlobal(at.bottomLeft() + QPoint(0, 2)));
}

void TextCompletion::close()
{
    m_asked = false;
    m_list->hide();
}

void TextCompletion::pick(int entry)
{
    if (entry < 0 || entry >= m_offer.entries.size())
        return;
    const Completion::Entry chosen = m_offer.entries.at(entry);
    QTextCursor caret = m_text->textCursor();
    const int line = caret.block().position();
    // An offer made for another text replaces nothing.
    if (m_offer.to > caret.block().length() - 1 || m_offer.from > m_offer.to)
        return;
    close();
    // As a key stroke would: recorded as typing, so Undo takes it back.
    caret.setPosition(
        DocumentEdits(m_document).type(line + m_offer.from, line + m_offer.to, chosen.insert));
    m_text->setTextCursor(caret);
    // A name picked goes straight on to its choices.
    refresh(false);
}

bool TextCompletion::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_text)
        return QObject::eventFilter(watched, event);
    const auto keyOf = [event] { return static_cast<QKeyEvent*>(event); };
    const auto isAsk = [](const QKeyEvent* key) {
        return key->key() == Qt::Key_Space && key->modifiers() == Qt::ControlModifier;
    };
    const auto isListKey = [this](const QKeyEvent* key) {
        if (!m_list->isVisible() || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Escape:
            return true;
        default:
            return false;
        }
    };
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Ahead of any window shortcut on the same key.
        if (isAsk(keyOf()) || isListKey(keyOf()))
            event->accept();
        return false;
    case QEvent::KeyPress: {
        const QKeyEvent* key = keyOf();
        if (isAsk(key)) {
            refresh(true);
            return true;
        }
        if (isListKey(key)) {
            const int current = m_list->currentIndex().row();
            const int last = m_model->rowCount() - 1;
            switch (key->key()) {
            case Qt::Key_Escape:
                close();
                break;
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown: {
                const int step =
                    key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ? 1 : RowsShown - 1;
                const int towards =
                    key->key() == Qt::Key_Up || key->key() == Qt::Key_PageUp ? -step : step;
                m_list->setCurrentIndex(m_model->index(std::clamp(current + towards, 0, last), 0));
                break;
            }
            default:
                pick(current);
                break;
            }
            return true;
        }
        // Until the key is let go: only a change it makes may open the list. A call queued to
        // end it would wake the event loop once more at every key stroke.
        if (!key->text().isEmpty() || key->key() == Qt::Key_Backspace)
            m_typing = true;
        return false;
    }
    case QEvent::KeyRelease:
        m_typing = false;
        return false;
    case QEvent::Resize:
    case QEvent::Move:
        if (m_list->isVisible())
            place();
        return false;
    case QEvent::FocusOut:
    case QEvent::Hide:
        m_typing = false;
        close();
        return false;
    default:
        return false;
    }
}
