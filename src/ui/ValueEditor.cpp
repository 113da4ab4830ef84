#include "ui/ValueEditor.h"

#include "core/ServerInstall.h"
#include "core/CatalogueTable.h"
#include "ui/ApplyEdit.h"
#include "ui/ListSelection.h"
#include "core/RowModel.h"
#include "ui/HelpPane.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

namespace {

const QString CommentEntry = QStringLiteral(" COMMENT(;)");
const QString BlankLineEntry = QStringLiteral(" BLANK LINE");

// Strip measures, in twips.
constexpr double ValueWidth = 2655;
constexpr double ButtonOffset = 2665; // from the home position to OK after a full-width box
constexpr double SuffixWidth = 2000;
constexpr double SuffixValueWidth = 1326;

// Positions and widths are kept in twips; the widgets are moved in pixels.
double LeftOf(const QWidget* widget)
{
    return Twips::fromPixels(widget->x(), widget);
}

double WidthOf(const QWidget* widget)
{
    return Twips::fromPixels(widget->width(), widget);
}

double RightOf(const QWidget* widget)
{
    return LeftOf(widget) + WidthOf(widget);
}

void SetLeft(QWidget* widget, double twips)
{
    widget->move(Twips::toPixels(twips, widget), widget->y());
}

// A very narrow list leaves no room: the width stops at zero.
void SetWidth(QWidget* widget, double twips)
{
    widget->resize(std::max(0, Twips::toPixels(twips, widget)), widget->height());
}

// Blanks only, not other white space.
QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

// An empty list of choices has no pieces at all, not one empty piece.
QStringList ChoicePieces(const QString& choices)
{
    return choices.isEmpty() ? QStringList() : choices.split(u'|');
}

void ClearChoiceBox(QComboBox* box)
{
    box->clear();
    box->clearEditText();
}

bool IsListMoveKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

QTreeWidgetItem* SelectedNode(const QTreeWidget* tree)
{
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

} // namespace

ValueEditor::ValueEditor(MainContext& context) : Component(context)
{
    MainWidgets& ui = this->ui();
    connect(ui.lvListView, &QAbstractItemView::clicked, this, &ValueEditor::ListClicked);
    connect(ui.cmdOK, &QToolButton::clicked, this, [this] { ctx.applyEdit->OK(); });
    connect(ui.cmdCancel, &QToolButton::clicked, this, &ValueEditor::Cancel);
    ui.lvListView->installEventFilter(this);
    ui.txtParam->installEventFilter(this);
    ui.cboParam->installEventFilter(this);
}

bool ValueEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == ui().lvListView)
        return ListKeyPressed(key);
    if (watched == ui().txtParam || watched == ui().cboParam)
        return EditorKeyPressed(key);
    return false;
}

// Moving through the list with the keyboard sets the editor up as a click on the new row
// would; selection changes made by other commands do not.
bool ValueEditor::ListKeyPressed(QKeyEvent* key)
{
    if (!IsListMoveKey(key->key()))
        return false;
    QTreeView* list = ui().lvListView;
    const int before = SelectedRow(list);
    // The view moves first, so the row it moved to is known.
    static_cast<QObject*>(list)->event(key);
    if (SelectedRow(list) != before)
        ListClicked();
    return true;
}

bool ValueEditor::EditorKeyPressed(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ui().cmdOK->isHidden())
            return false;
        ui().cmdOK->click();
        return true;
    case Qt::Key_Escape:
        if (ui().cmdCancel->isHidden())
            return false;
        ui().cmdCancel->click();
        return true;
    default:
        return false;
    }
}

void ValueEditor::ListClicked()
{
    const int selected = SelectedRow(ui().lvListView);
    if (selected < 0)
        return;
    const QString setting = ctx.rows->row(selected).Setting;
    if (setting.isEmpty()) {
        BlankStrip(Home(), ListWidth() - 50);
        return;
    }
    const QString name = setting.toUpper();
    state().EditingExistingRow = true;
    SetUpValueEditor(name == QStringLiteral(";") ? CommentEntry : name);
}

void ValueEditor::TreeClicked()
{
    const QTreeWidgetItem* node = SelectedNode(ui().tvTreeView);
    if (!node)
        return;
    const bool byCategory = !ui().mnuViewmnuListAlpha->isChecked();
    if (byCategory && node->data(0, NodeKeyRole).toString().startsWith(u'P')) {
        BlankStrip(ListLeft() + 20, ListWidth() - 50);
        return;
    }
    state().EditingExistingRow = false;
    SetUpValueEditor(node->text(0));
}

// Nothing to edit: a blank line of the document or a category of the tree.
void ValueEditor::BlankStrip(double descriptionLeft, double descriptionWidth)
{
    HideControls();
    ctx.help->BlankHelpPane(false);
    QLabel* description = ui().lblTitle[1];
    ui().lblTitle[0]->setText(QString());
    description->setText(QString());
    SetLeft(description, descriptionLeft);
    SetWidth(description, descriptionWidth);
    description->show();
}

void ValueEditor::SetUpValueEditor(const QString& name)
{
    const double home = Home();
    const QString helpLocation = ServerInstall::GetHelpLocation(ctx.programDir);
    QLabel* description = ui().lblTitle[1];

    // An exact entry wins over one whose name is merely contained in the clicked name.
    bool arranged = false;
    for (int pass = 1; pass <= 2 && !arranged; ++pass) {
        for (const CatalogueRow& entry : ctx.catalogue.rows()) {
            const QString& setting = entry.SettingName();
            if (pass == 1 ? setting != name : !name.contains(setting))
                continue;
            ctx.help->ShowHelpPage(helpLocation + entry.HelpLink());
            ui().lblTitle[0]->setText(name);
            description->setText(QString());
            description->show();
            if (!state().DocumentOpen) {
                if (name == BlankLineEntry || name == CommentEntry)
                    ctx.help->BlankHelpPane(true);
                return;
            }
            arranged = Arrange(entry, name, home);
            if (arranged)
                break;
        }
    }

    description->setToolTip(description->text());
    if (name == CommentEntry || TrimBlanks(name) == QStringLiteral(";")) {
        ctx.help->BlankHelpPane(true);
        description->setText(QString());
    }
}

bool ValueEditor::Arrange(const CatalogueRow& entry, const QString& name, double home)
{
    const QString& type = entry.ValueType();
    if (type == QStringLiteral("number"))
        ArrangeNumber(entry, home);
    else if (type == QStringLiteral("string"))
        ArrangeString(entry, home);
    else if (type == QStringLiteral("combo") || type == QStringLiteral("boolean"))
        ArrangeChoice(entry, home);
    else if (type == QStringLiteral("null"))
        ArrangeNull(home);
    else if (type == QStringLiteral("multiple"))
        ArrangeMultiple(entry, name, home);
    else
        return false;
    m_setUpSettingName = entry.SettingName();
    return true;
}

// The value box alone at the home position, filled with the row's value when editing a row.
void ValueEditor::ShowValueBox(double home)
{
    QComboBox* choices = ui().cboParam;
    QLineEdit* value = ui().txtParam;
    choices->hide();
    ClearChoiceBox(choices);
    value->setText(QString());
    value->show();
    value->setFocus();
    SetWidth(value, ValueWidth);
    SetLeft(value, home);
    if (state().EditingExistingRow)
        value->setText(RowValue());
}

void ValueEditor::ArrangeNumber(const CatalogueRow& entry, double home)
{
    MainWidgets& ui = this->ui();
    ShowValueBox(home);
    SetLeft(ui.cmdOK, home + ButtonOffset);
    ui.cmdOK->show();
    SetLeft(ui.cmdCancel, RightOf(ui.cmdOK));
    ui.cmdCancel->show();

    QString caption = u' ' + entry.Description();
    if (!entry.NumberNote().isEmpty() && TrimBlanks(entry.Description()) != QStringLiteral("n"))
        caption += QStringLiteral(" (") + entry.NumberNote() + u')';
    QLabel* description = ui.lblTitle[1];
    description->setText(caption);
    SetLeft(description, RightOf(ui.cmdCancel) + 20);
    SetWidth(description,
             ListWidth() - (WidthOf(ui.cmdCancel) + WidthOf(ui.cmdOK) + WidthOf(ui.txtParam) + 50));
    description->show();
}

void ValueEditor::ArrangeString(const CatalogueRow& entry, double home)
{
    MainWidgets& ui = this->ui();
    ShowValueBox(home);
    SetLeft(ui.cmdOK, RightOf(ui.txtParam) + 10);
    SetLeft(ui.cmdCancel, RightOf(ui.cmdOK));
    ui.cmdOK->show();
    ui.cmdCancel->show();

    QLabel* description = ui.lblTitle[1];
    SetLeft(description, RightOf(ui.cmdCancel) + 10);
    description->setText(u' ' + entry.Description());
    SetWidth(description,
             ListWidth() - (WidthOf(ui.cmdCancel) + WidthOf(ui.cmdOK) + WidthOf(ui.txtParam) + 50));
    description->show();
}

void ValueEditor::ArrangeChoice(const CatalogueRow& entry, double home)
{
    MainWidgets& ui = this->ui();
    QComboBox* choices = ui.cboParam;
    ui.txtParam->hide();
    ui.txtParam->setText(QString());
    ClearChoiceBox(choices);
    choices->show();
    choices->addItems(ChoicePieces(entry.Choices()));
    choices->setCurrentIndex(0);
    SetWidth(choices, ValueWidth);
    if (state().EditingExistingRow)
        choices->setEditText(TrimBlanks(RowValue()));
    SetLeft(ui.cmdOK, home + ButtonOffset);
    ui.cmdOK->show();

    QLabel* description = ui.lblTitle[1];
    SetLeft(description, RightOf(ui.cmdOK) + 10);
    SetWidth(description, ListWidth() - (WidthOf(ui.cmdOK) + WidthOf(choices) + 50));
    ui.cmdCancel->hide();
}

void ValueEditor::ArrangeNull(double home)
{
    MainWidgets& ui = this->ui();
    ui.cboParam->hide();
    ClearChoiceBox(ui.cboParam);
    ui.txtParam->setText(QString());
    ui.txtParam->hide();
    SetLeft(ui.cmdOK, home);
    ui.cmdOK->show();
    ui.cmdCancel->hide();
    ctx.help->BlankHelpPane(false);

    QLabel* description = ui.lblTitle[1];
    SetLeft(description, RightOf(ui.cmdOK) + 20);
    SetWidth(description, ListWidth() - WidthOf(ui.cmdOK) - 50);
}

// The file names such a setting with one of its choices as a suffix; an existing row's suffix
// is the last choice found inside its name.
void ValueEditor::ArrangeMultiple(const CatalogueRow& entry, const QString& name, double home)
{
    MainWidgets& ui = this->ui();
    QComboBox* choices = ui.cboParam;
    QLineEdit* value = ui.txtParam;
    const bool editingRow = state().EditingExistingRow;
    value->setText(QString());
    value->show();
    ClearChoiceBox(choices);
    choices->show();

    QString suffix;
    for (const QString& piece : ChoicePieces(entry.Choices())) {
        choices->addItem(piece);
        if (editingRow && name.contains(piece))
            suffix = piece;
    }
    choices->setCurrentIndex(0);
    SetWidth(value, SuffixValueWidth);
    SetWidth(choices, SuffixWidth);
    SetLeft(value, home + WidthOf(choices) + 10);
    if (editingRow) {
        value->setText(RowValue());
        choices->setEditText(suffix);
    }

    SetLeft(ui.cmdOK, RightOf(value) + 10);
    SetLeft(ui.cmdCancel, RightOf(ui.cmdOK));
    ui.cmdOK->show();
    ui.cmdCancel->show();
    value->show();
    value->setFocus();

    QLabel* description = ui.lblTitle[1];
    SetLeft(description, RightOf(ui.cmdCancel) + 10);
    SetWidth(description, ListWidth() - (WidthOf(choices) + WidthOf(value) + WidthOf(ui.cmdOK) +
                                         WidthOf(ui.cmdCancel) + 50));
}

void ValueEditor::ResetValueEditor()
{
    HideControls();
    QLabel* description = ui().lblTitle[1];
    description->setText(QString());
    SetLeft(description, ListLeft() + 20);
    SetWidth(description, ListWidth() - 40);
    ui().tvTreeView->setFocus();
}

void ValueEditor::Cancel()
{
    ui().txtParam->setText(QString());
}

void ValueEditor::HideControls()
{
    MainWidgets& ui = this->ui();
    ui.cboParam->hide();
    ui.txtParam->hide();
    ui.cmdOK->hide();
    ui.cmdCancel->hide();
}

// The left edge of the choice box, which the window layout keeps over the list.
double ValueEditor::Home() const
{
    return qRound(LeftOf(ctx.ui.cboParam));
}

// The list's left edge in the strip's coordinates.
double ValueEditor::ListLeft() const
{
    const MainWidgets& ui = ctx.ui;
    const QPoint inWindow = ui.lvListView->mapTo(ui.frmMain, QPoint(0, 0));
    return Twips::fromPixels(ui.picTitles->mapFrom(ui.frmMain, inWindow).x(), ui.picTitles);
}

double ValueEditor::ListWidth() const
{
    return WidthOf(ctx.ui.lvListView);
}

QString ValueEditor::RowValue() const
{
    return ctx.rows->row(SelectedRow(ctx.ui.lvListView)).Parameter;
}
