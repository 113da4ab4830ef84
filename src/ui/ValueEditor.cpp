#include "ui/ValueEditor.h"

#include "core/CatalogueTable.h"
#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/ProblemCheck.h"
#include "core/ServerInstall.h"
#include "core/SettingLookup.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QToolButton>

#include <algorithm>

using SettingLookup::Kind;

namespace {

// Strip measures, in twips.
constexpr double ValueWidth = 2655;
constexpr double ButtonOffset = 2665; // from the home position to OK after a full-width box
constexpr double SuffixWidth = 2000;
constexpr double SuffixValueWidth = 1326;
constexpr double StripHeight = 300;
constexpr double StripPadding = 60;
constexpr double MinimumButtonWidth = 600;
constexpr double StripIndent = 20;
constexpr double Gap = 10;
constexpr double WideGap = 20;
constexpr double TitleMargin = 50;
constexpr double DescriptionMargin = 50;
constexpr double BareDescriptionMargin = 20;
// What a description needs at the least beside the widest arrangement, as "1 to 4096" does.
constexpr double ShortDescriptionWidth = 1500;

void setWidth(QWidget* widget, double twips)
{
    widget->resize(Twips::toPixels(twips, widget), widget->height());
}

int rightEdge(const QWidget* widget)
{
    return widget->x() + widget->width();
}

void clearChoiceBox(QComboBox* box)
{
    box->clear();
    box->clearEditText();
}

} // namespace

ValueEditor::ValueEditor(const ConfigDocument& document, const CatalogueTable& catalogue,
                         QString programDir, QWidget* parent)
    : QWidget(parent), m_document(document), m_catalogue(catalogue),
      m_programDir(std::move(programDir))
{
    setObjectName(QStringLiteral("picTitles"));
    setAccessibleName(QStringLiteral("Value editor"));
    for (size_t i = 0; i < lblTitle.size(); ++i) {
        lblTitle[i] = new QLabel(this);
        lblTitle[i]->setObjectName(QStringLiteral("lblTitle(%1)").arg(i));
    }
    cboParam = new QComboBox(this);
    cboParam->setObjectName(QStringLiteral("cboParam"));
    cboParam->setAccessibleName(QStringLiteral("Value choices"));
    cboParam->setEditable(true);
    cboParam->setInsertPolicy(QComboBox::NoInsert);
    // What the user types is what OK writes: no inline completion from the choices.
    cboParam->setCompleter(nullptr);
    txtParam = new QLineEdit(this);
    txtParam->setObjectName(QStringLiteral("txtParam"));
    txtParam->setAccessibleName(QStringLiteral("Value"));
    cmdOK = new QToolButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setText(QStringLiteral("OK"));
    cmdCancel = new QToolButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setText(QStringLiteral("Cancel"));
    cmdDefault = new QToolButton(this);
    cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
    cmdDefault->setText(QStringLiteral("Default"));
    for (QToolButton* button : {cmdOK, cmdCancel, cmdDefault}) {
        button->setAccessibleName(button->text());
        button->resize(std::max(button->sizeHint().width(), twips(MinimumButtonWidth)),
                       button->sizeHint().height());
    }
    showControls(Kind::Unknown);

    int needed = 0;
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             cboParam, txtParam, cmdOK, cmdCancel, cmdDefault, lblTitle[0], lblTitle[1]})
        needed = std::max(needed, control->sizeHint().height());
    setFixedHeight(std::max(twips(StripHeight), needed + twips(StripPadding)));
    centreControls();

    connect(cmdOK, &QToolButton::clicked, this, &ValueEditor::acceptEdit);
    connect(cmdCancel, &QToolButton::clicked, this, &ValueEditor::cancelEdit);
    connect(cmdDefault, &QToolButton::clicked, this, [this] { txtParam->setText(m_default); });
    txtParam->installEventFilter(this);
    cboParam->installEventFilter(this);
}

int ValueEditor::twips(double value) const
{
    return Twips::toPixels(value, this);
}

// Enter presses OK and Escape Cancel while they show. The value box undoes its own typing
// first; with nothing of its own to take back, the undo keys reach the window's Undo and Redo.
bool ValueEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && watched == txtParam) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
        const bool undo = pressed == (Qt::CTRL | Qt::Key_Z);
        const bool redo =
            pressed == (Qt::CTRL | Qt::Key_Y) || pressed == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        if ((undo && !txtParam->isUndoAvailable()) || (redo && !txtParam->isRedoAvailable())) {
            key->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress || (watched != txtParam && watched != cboParam))
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_setUp.kind == Kind::Unknown)
            return false;
        cmdOK->click();
        return true;
    case Qt::Key_Escape:
        if (m_setUp.needsValue())
            cmdCancel->click();
        returnFocus();
        return true;
    default:
        return false;
    }
}

void ValueEditor::acceptEdit()
{
    // Hidden, it belongs to no arrangement: the strip shows a category or a blank row.
    if (m_setUp.kind == Kind::Unknown)
        return;
    emit okPressed(currentEdit());
    txtParam->setText(QString());
}

void ValueEditor::cancelEdit()
{
    txtParam->setText(QString());
}

RowEdits::ValueEdit ValueEditor::currentEdit() const
{
    RowEdits::ValueEdit edit = m_setUp;
    edit.row = m_setUp.fromRow ? m_row.row() : -1;
    edit.choice = cboParam->currentText();
    edit.value = txtParam->text();
    return edit;
}

void ValueEditor::takeFocus(QWidget* box)
{
    if (!m_takesFocus)
        return;
    if (QWidget* from = QApplication::focusWidget();
        from && from != txtParam && from != cboParam && !isAncestorOf(from))
        m_focusOrigin = from;
    box->setFocus();
}

void ValueEditor::returnFocus()
{
    if (m_focusOrigin)
        m_focusOrigin->setFocus();
}

void ValueEditor::focusValueBox()
{
    if (m_setUp.needsValue())
        takeFocus(txtParam);
    else if (m_setUp.kind == Kind::Choice)
        takeFocus(cboParam);
}

void ValueEditor::listSelected(int row)
{
    if (row < 0) {
        clear();
        return;
    }
    const QScopedValueRollback keep(m_takesFocus, false);
    listClicked(row);
}

void ValueEditor::treeSelected(const QString& name)
{
    const QScopedValueRollback keep(m_takesFocus, false);
    treeClicked(name);
}

void ValueEditor::listClicked(int row)
{
    if (row < 0)
        return;
    const QString setting = m_document.rows().row(row).Setting;
    if (setting.isEmpty()) {
        blankStrip();
        return;
    }
    // Followed through rows inserted, removed or moved before OK is pressed.
    m_row = m_document.rows().index(row, 0);
    m_setUp.fromRow = true;
    SetUpValueEditor(SettingLookup::nameForRow(setting));
}

void ValueEditor::treeClicked(const QString& name)
{
    m_setUp.fromRow = false;
    m_setUp.name = name;
    m_setUp.stem.clear();
    SetUpValueEditor(name);
}

void ValueEditor::categoryClicked()
{
    blankStrip();
}

// Nothing to edit: a blank line of the document or a category of the tree.
void ValueEditor::blankStrip()
{
    showControls(Kind::Unknown);
    emit helpBlankRequested();
    lblTitle[0]->setText(QString());
    lblTitle[1]->setText(QString());
    lblTitle[1]->show();
    place();
}

void ValueEditor::SetUpValueEditor(const QString& name)
{
    const QString helpLocation = ServerInstall::GetHelpLocation(m_programDir);
    QLabel* description = lblTitle[1];

    const QList<const CatalogueRow*> candidates = SettingLookup::candidates(m_catalogue, name);
    bool arranged = false;
    if (!candidates.isEmpty()) {
        lblTitle[0]->setText(name);
        description->setText(QString());
        description->show();
        if (!m_document.DocumentOpen()) {
            emit helpPageRequested(helpLocation + candidates.first()->HelpLink());
            if (name == SettingLookup::BlankLineEntry || name == SettingLookup::CommentEntry)
                emit helpBlankRequested();
            return;
        }
        const SettingLookup::Chosen chosen = SettingLookup::choose(
            candidates, name, m_setUp.fromRow, m_document.rows().row(m_row.row()).Parameter);
        // With none of a known type, the last candidate's page.
        emit helpPageRequested(helpLocation +
                               (chosen.entry ? chosen.entry : candidates.last())->HelpLink());
        arranged = chosen.entry != nullptr;
        if (arranged)
            arrange(*chosen.entry, chosen.arrangement);
    }
    // A row the catalogue has no editor for is still edited as itself: left as it was, the
    // strip would write the setting shown before over it.
    if (!arranged && m_setUp.fromRow && m_document.DocumentOpen())
        arrangeUnknownRow(name);

    description->setToolTip(description->text());
    if (name == SettingLookup::CommentEntry || SettingLookup::trimBlanks(name) == u";") {
        emit helpBlankRequested();
        description->setText(QString());
    }
}

void ValueEditor::arrange(const CatalogueRow& entry, const SettingLookup::Arrangement& arrangement)
{
    m_default = arrangement.defaultValue;
    switch (arrangement.kind) {
    case Kind::Unknown:
        return;
    case Kind::Number:
    case Kind::String:
        fillValueBox(arrangement.value, arrangement.caption);
        break;
    case Kind::Choice:
        txtParam->setText(QString());
        fillChoiceBox(arrangement, ValueWidth);
        break;
    case Kind::Null:
        clearChoiceBox(cboParam);
        txtParam->setText(QString());
        emit helpBlankRequested();
        break;
    case Kind::Multiple:
        txtParam->setText(arrangement.value);
        setWidth(txtParam, SuffixValueWidth);
        fillChoiceBox(arrangement, SuffixWidth);
        break;
    }
    settle(arrangement.kind, entry.SettingName(), arrangement.stem);
}

// The value box with the row's value and the problem the check finds in the row as its
// description. The help pane keeps what it showed.
void ValueEditor::arrangeUnknownRow(const QString& name)
{
    const Row& row = m_document.rows().row(m_row.row());
    const VersionedCatalogue catalogue{m_catalogue, QList<float>(m_catalogue.size(), 0.0F)};
    const QList<ProblemCheck::Problem> problems =
        ProblemCheck::check({ConfigText::renderRow(row)}, catalogue, 0.0F);
    lblTitle[0]->setText(name);
    m_default.clear();
    fillValueBox(row.Parameter, problems.isEmpty() ? QString() : problems.first().message);
    settle(Kind::String, name, QString());
}

// Shows the arrangement filled in and keeps what OK will hand on; a row is named as the
// catalogue names it, whatever the tree shows.
void ValueEditor::settle(Kind kind, const QString& rowName, const QString& stem)
{
    showControls(kind);
    if (m_setUp.fromRow) {
        m_setUp.name = rowName;
        m_setUp.stem = stem;
    }
    if (m_setUp.needsValue())
        takeFocus(txtParam);
    place();
}

// The value box alone, with the caption after OK and Cancel.
void ValueEditor::fillValueBox(const QString& value, const QString& caption)
{
    clearChoiceBox(cboParam);
    txtParam->setText(value);
    setWidth(txtParam, ValueWidth);
    lblTitle[1]->setText(caption);
    lblTitle[1]->show();
}

void ValueEditor::fillChoiceBox(const SettingLookup::Arrangement& arrangement, double width)
{
    clearChoiceBox(cboParam);
    cboParam->addItems(arrangement.choices);
    cboParam->setCurrentIndex(0);
    setWidth(cboParam, width);
    if (arrangement.setChoiceText)
        showChoice(arrangement.choiceText);
}

// A listed choice is picked; any other text stands in the box as if typed.
void ValueEditor::showChoice(const QString& text)
{
    const int listed = cboParam->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (listed >= 0)
        cboParam->setCurrentIndex(listed);
    cboParam->setEditText(text);
}

void ValueEditor::clearStrip(bool keepTitle)
{
    showControls(Kind::Unknown);
    txtParam->clear();
    clearChoiceBox(cboParam);
    if (!keepTitle)
        lblTitle[0]->clear();
    lblTitle[1]->clear();
    place();
}

void ValueEditor::ResetValueEditor()
{
    clearStrip(true);
    if (m_focusAfterReset)
        m_focusAfterReset->setFocus();
}

void ValueEditor::clear()
{
    clearStrip(false);
}

// The controls an arrangement shows, left to right.
QList<QWidget*> ValueEditor::controlsOf(Kind kind) const
{
    switch (kind) {
    case Kind::Number:
        if (!m_default.isEmpty())
            return {txtParam, cmdOK, cmdCancel, cmdDefault};
        return {txtParam, cmdOK, cmdCancel};
    case Kind::String:
        return {txtParam, cmdOK, cmdCancel};
    case Kind::Choice:
        return {cboParam, cmdOK};
    case Kind::Null:
        return {cmdOK};
    case Kind::Multiple:
        return {cboParam, txtParam, cmdOK, cmdCancel};
    case Kind::Unknown:
        break;
    }
    return {};
}

void ValueEditor::showControls(Kind kind)
{
    m_setUp.kind = kind;
    const QList<QWidget*> shown = controlsOf(kind);
    for (QWidget* control :
         std::initializer_list<QWidget*>{cboParam, txtParam, cmdOK, cmdCancel, cmdDefault})
        control->setVisible(shown.contains(control));
}

// The left edge of the choice box, which the layout keeps over the list.
int ValueEditor::widestArrangementWidth() const
{
    const int buttons = cmdOK->width() + cmdCancel->width();
    const int number = twips(ButtonOffset + Gap) + buttons + cmdDefault->width();
    const int multiple = twips(SuffixWidth + Gap + SuffixValueWidth + Gap) + buttons;
    return twips(StripIndent) + std::max(number, multiple) + twips(WideGap) +
           twips(ShortDescriptionWidth);
}

void ValueEditor::layOut(const QRect& tree, const QRect& list)
{
    m_list = list;
    centreControls();
    lblTitle[0]->setGeometry(tree.left() + twips(StripIndent), 0,
                             std::max(0, tree.width() - twips(TitleMargin)), height());
    place();
}

// Every control keeps its natural height, centred in the strip, shown or not: an arrangement
// moves and widens them but leaves their heights alone.
void ValueEditor::centreControls()
{
    for (QWidget* control :
         std::initializer_list<QWidget*>{cboParam, txtParam, cmdOK, cmdCancel, cmdDefault}) {
        const int controlHeight = std::min(control->sizeHint().height(), height());
        control->setGeometry(control->x(), (height() - controlHeight) / 2, control->width(),
                             controlHeight);
    }
}

// The arranged controls side by side from the list's left edge, the description after them in
// what the list leaves.
void ValueEditor::place()
{
    const int home = m_list.left() + twips(StripIndent);
    // The choice box and OK wait at home while hidden.
    for (QWidget* control : std::initializer_list<QWidget*>{cboParam, cmdOK})
        control->move(home, control->y());
    int left = home;
    int used = 0;
    const QWidget* previous = nullptr;
    for (QWidget* control : controlsOf(m_setUp.kind)) {
        // Cancel sits against OK.
        if (previous)
            left = rightEdge(previous) + (previous == cmdOK ? 0 : twips(Gap));
        control->move(left, control->y());
        used += control->width();
        previous = control;
    }
    int margin = twips(BareDescriptionMargin);
    if (previous) {
        left = rightEdge(previous) + twips(m_setUp.kind == Kind::Null ? WideGap : Gap);
        margin = twips(DescriptionMargin);
    }
    lblTitle[1]->setGeometry(left, 0, std::max(0, m_list.width() - used - margin), height());
}
