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

// Positions and widths are kept in twips; the widgets are moved in pixels.
double leftOf(const QWidget* widget)
{
    return Twips::fromPixels(widget->x(), widget);
}

double widthOf(const QWidget* widget)
{
    return Twips::fromPixels(widget->width(), widget);
}

double rightOf(const QWidget* widget)
{
    return leftOf(widget) + widthOf(widget);
}

void setLeft(QWidget* widget, double twips)
{
    widget->move(Twips::toPixels(twips, widget), widget->y());
}

// A very narrow list leaves no room: the width stops at zero.
void setWidth(QWidget* widget, double twips)
{
    widget->resize(std::max(0, Twips::toPixels(twips, widget)), widget->height());
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
    for (QToolButton* button : {cmdOK, cmdCancel}) {
        button->setAccessibleName(button->text());
        button->resize(std::max(button->sizeHint().width(), twips(MinimumButtonWidth)),
                       button->sizeHint().height());
    }
    hideControls();

    int needed = 0;
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             cboParam, txtParam, cmdOK, cmdCancel, lblTitle[0], lblTitle[1]})
        needed = std::max(needed, control->sizeHint().height());
    setFixedHeight(std::max(twips(StripHeight), needed + twips(StripPadding)));
    centreControls();

    connect(cmdOK, &QToolButton::clicked, this, &ValueEditor::acceptEdit);
    connect(cmdCancel, &QToolButton::clicked, this, &ValueEditor::cancelEdit);
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
        if (cmdOK->isHidden())
            return false;
        cmdOK->click();
        return true;
    case Qt::Key_Escape:
        if (!cmdCancel->isHidden())
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
    if (cmdOK->isHidden())
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
    RowEdits::ValueEdit edit;
    // A row keeps the catalogue name the strip was set up for, whatever the tree shows.
    if (m_editingExistingRow) {
        edit.name = m_setUpSettingName;
        edit.stem = m_stem;
    }
    edit.choice = cboParam->currentText();
    edit.value = txtParam->text();
    edit.multiple = !cboParam->isHidden() && !txtParam->isHidden();
    edit.needsValue = !txtParam->isHidden();
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
    if (!txtParam->isHidden())
        takeFocus(txtParam);
    else if (!cboParam->isHidden())
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
        blankStrip(home(), listWidth() - 50);
        return;
    }
    m_row = row;
    m_editingExistingRow = true;
    SetUpValueEditor(SettingLookup::nameForRow(setting));
}

void ValueEditor::treeClicked(const QString& name)
{
    m_editingExistingRow = false;
    SetUpValueEditor(name);
}

void ValueEditor::categoryClicked()
{
    blankStrip(listLeft() + 20, listWidth() - 50);
}

// Nothing to edit: a blank line of the document or a category of the tree.
void ValueEditor::blankStrip(double descriptionLeft, double descriptionWidth)
{
    hideControls();
    emit helpBlankRequested();
    lblTitle[0]->setText(QString());
    lblTitle[1]->setText(QString());
    placeDescription(descriptionLeft, descriptionWidth);
    lblTitle[1]->show();
}

void ValueEditor::SetUpValueEditor(const QString& name)
{
    const double homeLeft = home();
    const QString helpLocation = ServerInstall::GetHelpLocation(m_programDir);
    QLabel* description = lblTitle[1];

    bool arranged = false;
    for (const CatalogueRow* entry : SettingLookup::candidates(m_catalogue, name)) {
        emit helpPageRequested(helpLocation + entry->HelpLink());
        lblTitle[0]->setText(name);
        description->setText(QString());
        description->show();
        if (!m_document.DocumentOpen()) {
            if (name == SettingLookup::BlankLineEntry || name == SettingLookup::CommentEntry)
                emit helpBlankRequested();
            return;
        }
        arranged = arrange(*entry, name, homeLeft);
        if (arranged)
            break;
    }
    // A row the catalogue has no editor for is still edited as itself: left as it was, the
    // strip would write the setting shown before over it.
    if (!arranged && m_editingExistingRow && m_document.DocumentOpen())
        arrangeUnknownRow(name, homeLeft);

    description->setToolTip(description->text());
    if (name == SettingLookup::CommentEntry || SettingLookup::trimBlanks(name) == u";") {
        emit helpBlankRequested();
        description->setText(QString());
    }
}

bool ValueEditor::arrange(const CatalogueRow& entry, const QString& name, double home)
{
    const QString rowValue = m_document.rows().row(m_row).Parameter;
    const SettingLookup::Arrangement arrangement =
        SettingLookup::arrange(entry, name, m_editingExistingRow, rowValue);
    QLabel* description = lblTitle[1];

    switch (arrangement.kind) {
    case Kind::Unknown:
        return false;
    case Kind::Number:
        showValueBox(home, arrangement.value);
        showOkAndCancel(home + ButtonOffset);
        description->setText(arrangement.caption);
        placeDescription(rightOf(cmdCancel) + 20,
                         listWidth() -
                             (widthOf(cmdCancel) + widthOf(cmdOK) + widthOf(txtParam) + 50));
        description->show();
        break;
    case Kind::String:
        showPlainEditor(home, arrangement.value, arrangement.caption);
        break;
    case Kind::Choice:
        txtParam->hide();
        txtParam->setText(QString());
        clearChoiceBox(cboParam);
        cboParam->show();
        cboParam->addItems(arrangement.choices);
        cboParam->setCurrentIndex(0);
        setWidth(cboParam, ValueWidth);
        if (arrangement.setChoiceText)
            showChoice(arrangement.choiceText);
        setLeft(cmdOK, home + ButtonOffset);
        cmdOK->show();
        cmdCancel->hide();
        placeDescription(rightOf(cmdOK) + 10,
                         listWidth() - (widthOf(cmdOK) + widthOf(cboParam) + 50));
        break;
    case Kind::Null:
        cboParam->hide();
        clearChoiceBox(cboParam);
        txtParam->setText(QString());
        txtParam->hide();
        setLeft(cmdOK, home);
        cmdOK->show();
        cmdCancel->hide();
        emit helpBlankRequested();
        placeDescription(rightOf(cmdOK) + 20, listWidth() - widthOf(cmdOK) - 50);
        break;
    case Kind::Multiple:
        txtParam->setText(arrangement.value);
        txtParam->show();
        clearChoiceBox(cboParam);
        cboParam->show();
        cboParam->addItems(arrangement.choices);
        cboParam->setCurrentIndex(0);
        setWidth(txtParam, SuffixValueWidth);
        setWidth(cboParam, SuffixWidth);
        setLeft(txtParam, home + widthOf(cboParam) + 10);
        if (arrangement.setChoiceText)
            showChoice(arrangement.choiceText);
        showOkAndCancel(rightOf(txtParam) + 10);
        takeFocus(txtParam);
        placeDescription(rightOf(cmdCancel) + 10,
                         listWidth() - (widthOf(cboParam) + widthOf(txtParam) + widthOf(cmdOK) +
                                        widthOf(cmdCancel) + 50));
        break;
    }
    m_setUpSettingName = entry.SettingName();
    m_stem = arrangement.stem;
    return true;
}

// The value box with the row's value and the problem the check finds in the row as its
// description. The help pane keeps what it showed.
void ValueEditor::arrangeUnknownRow(const QString& name, double home)
{
    const Row& row = m_document.rows().row(m_row);
    const VersionedCatalogue catalogue{m_catalogue, QList<float>(m_catalogue.size(), 0.0F)};
    const QList<ProblemCheck::Problem> problems =
        ProblemCheck::check({ConfigText::renderRow(row)}, catalogue, 0.0F);
    lblTitle[0]->setText(name);
    showPlainEditor(home, row.Parameter, problems.isEmpty() ? QString() : problems.first().message);
    m_setUpSettingName = name;
    m_stem.clear();
}

// The "string" arrangement: the value box, OK and Cancel, the caption after them.
void ValueEditor::showPlainEditor(double home, const QString& value, const QString& caption)
{
    showValueBox(home, value);
    showOkAndCancel(rightOf(txtParam) + 10);
    lblTitle[1]->setText(caption);
    placeDescription(rightOf(cmdCancel) + 10,
                     listWidth() - (widthOf(cmdCancel) + widthOf(cmdOK) + widthOf(txtParam) + 50));
    lblTitle[1]->show();
}

// A listed choice is picked; any other text stands in the box as if typed.
void ValueEditor::showChoice(const QString& text)
{
    const int listed = cboParam->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (listed >= 0)
        cboParam->setCurrentIndex(listed);
    cboParam->setEditText(text);
}

// The value box alone at the home position.
void ValueEditor::showValueBox(double home, const QString& value)
{
    cboParam->hide();
    clearChoiceBox(cboParam);
    txtParam->setText(value);
    txtParam->show();
    takeFocus(txtParam);
    setWidth(txtParam, ValueWidth);
    setLeft(txtParam, home);
}

void ValueEditor::showOkAndCancel(double okLeft)
{
    setLeft(cmdOK, okLeft);
    setLeft(cmdCancel, rightOf(cmdOK));
    cmdOK->show();
    cmdCancel->show();
}

void ValueEditor::placeDescription(double left, double width)
{
    setLeft(lblTitle[1], left);
    setWidth(lblTitle[1], width);
}

void ValueEditor::clearStrip(bool keepTitle)
{
    hideControls();
    txtParam->clear();
    clearChoiceBox(cboParam);
    if (!keepTitle)
        lblTitle[0]->clear();
    lblTitle[1]->clear();
    placeControls();
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

void ValueEditor::hideControls()
{
    for (QWidget* control : std::initializer_list<QWidget*>{cboParam, txtParam, cmdOK, cmdCancel})
        control->hide();
}

// The left edge of the choice box, which the layout keeps over the list.
int ValueEditor::widestArrangementWidth() const
{
    const int buttons = cmdOK->width() + cmdCancel->width();
    const int number = twips(ButtonOffset) + buttons;
    const int multiple = twips(SuffixWidth + Gap + SuffixValueWidth + Gap) + buttons;
    return twips(StripIndent) + std::max(number, multiple) + twips(WideGap) +
           twips(ShortDescriptionWidth);
}

double ValueEditor::home() const
{
    return qRound(leftOf(cboParam));
}

double ValueEditor::listLeft() const
{
    return Twips::fromPixels(m_list.left(), this);
}

double ValueEditor::listWidth() const
{
    return Twips::fromPixels(m_list.width(), this);
}

void ValueEditor::layOut(const QRect& tree, const QRect& list)
{
    m_list = list;
    centreControls();
    lblTitle[0]->setGeometry(tree.left() + twips(StripIndent), 0,
                             std::max(0, tree.width() - twips(TitleMargin)), height());
    placeControls();
}

// Every control keeps its natural height, centred in the strip, shown or not: an arrangement
// moves and widens them but leaves their heights alone.
void ValueEditor::centreControls()
{
    for (QWidget* control : std::initializer_list<QWidget*>{cboParam, txtParam, cmdOK, cmdCancel}) {
        const int controlHeight = std::min(control->sizeHint().height(), height());
        control->setGeometry(control->x(), (height() - controlHeight) / 2, control->width(),
                             controlHeight);
    }
}

// The shown controls side by side from the list's left edge, the description after them.
void ValueEditor::placeControls()
{
    const int x = m_list.left() + twips(StripIndent);
    const int listWidth = m_list.width();
    const auto place = [](QWidget* control, int left) { control->move(left, control->y()); };
    const auto width = [](const QWidget* control) { return control->width(); };
    const bool choicesShown = cboParam->isVisibleTo(this);
    const bool valueShown = txtParam->isVisibleTo(this);

    place(cboParam, x);
    int descriptionLeft = x;
    int descriptionWidth = listWidth - twips(BareDescriptionMargin);
    if (choicesShown && valueShown) {
        place(txtParam, rightEdge(cboParam) + twips(Gap));
        place(cmdOK, rightEdge(txtParam) + twips(Gap));
        place(cmdCancel, rightEdge(cmdOK));
        descriptionLeft = rightEdge(cmdCancel) + twips(Gap);
        descriptionWidth = listWidth -
                           (width(cboParam) + width(txtParam) + width(cmdOK) + width(cmdCancel)) -
                           twips(DescriptionMargin);
    } else if (choicesShown) {
        place(cmdOK, rightEdge(cboParam) + twips(Gap));
        descriptionLeft = rightEdge(cmdOK) + twips(Gap);
        descriptionWidth = listWidth - (width(cboParam) + width(cmdOK)) - twips(DescriptionMargin);
    } else if (valueShown) {
        place(txtParam, x);
        place(cmdOK, rightEdge(txtParam) + twips(Gap));
        place(cmdCancel, rightEdge(cmdOK));
        descriptionLeft = rightEdge(cmdCancel) + twips(Gap);
        descriptionWidth = listWidth - (width(txtParam) + width(cmdOK) + width(cmdCancel)) -
                           twips(DescriptionMargin);
    } else {
        place(cmdOK, x);
        if (cmdOK->isVisibleTo(this)) {
            descriptionLeft = rightEdge(cmdOK) + twips(WideGap);
            descriptionWidth = listWidth - width(cmdOK) - twips(DescriptionMargin);
        }
    }
    lblTitle[1]->setGeometry(descriptionLeft, 0, std::max(0, descriptionWidth), height());
}
