#include "ui/MainLayout.h"

#include "ui/HelpPane.h"
#include "ui/ToolbarIcons.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

namespace {

// Measures of the layout, in twips.
constexpr double MinimumWindowWidth = 3000;
constexpr double ToolbarButtonSize = 300;
constexpr double TitleStripHeight = 300;
constexpr double TitleStripPadding = 60;
constexpr double MinimumButtonWidth = 600;
constexpr double ColumnSlack = 100;
constexpr double StripIndent = 20;
constexpr double Gap = 10;
constexpr double WideGap = 20;
constexpr double TreeTitleMargin = 50;
constexpr double DescriptionMargin = 50;
constexpr double BareDescriptionMargin = 20;

int RightEdge(const QWidget* widget)
{
    return widget->x() + widget->width();
}

// The rectangle of `widget` in the coordinates of `target`, a widget of the same window.
QRect RectIn(const QWidget* widget, const QWidget* target)
{
    const QWidget* window = widget->window();
    return QRect(target->mapFrom(window, widget->mapTo(window, QPoint(0, 0))), widget->size());
}

QString WithoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&')).trimmed();
}

} // namespace

MainLayout::MainLayout(MainContext& context) : Component(context)
{
    MainWidgets& ui = this->ui();
    SetToolbarIcons(ui);
    SizeToolbarButtons();
    SetAccessibleNames();

    // The split position is the height of the upper pane: it holds when the window is
    // resized and the help pane takes the change.
    ui.vbuSplitterHoriz->setStretchFactor(0, 0);
    ui.vbuSplitterHoriz->setStretchFactor(1, 1);

    for (QToolButton* button : {ui.cmdOK, ui.cmdCancel})
        button->resize(std::max(button->sizeHint().width(), twips(MinimumButtonWidth)),
                       button->sizeHint().height());
    SizeTitleStrip();
    CentreStripControls();
    ui.frmMain->setMinimumWidth(twips(MinimumWindowWidth));

    connect(ui.vbuSplitterVert, &QSplitter::splitterMoved, this, &MainLayout::TitleStripLayout);
    ui.frmMain->installEventFilter(this);
    ui.documentPane->installEventFilter(this);
    ui.lvListView->viewport()->installEventFilter(this);
}

int MainLayout::twips(double value) const
{
    return Twips::toPixels(value, ctx.ui.frmMain);
}

bool MainLayout::eventFilter(QObject* watched, QEvent* event)
{
    const MainWidgets& ui = this->ui();
    const auto type = event->type();
    if (watched == ui.frmMain && type == QEvent::Show)
        TitleStripLayout();
    else if (watched == ui.documentPane && (type == QEvent::Resize || type == QEvent::Move))
        TitleStripLayout();
    else if (watched == ui.lvListView->viewport() && type == QEvent::Resize)
        FitParameterColumn();
    return false;
}

// Compact buttons keep the whole row visible in the default window.
void MainLayout::SizeToolbarButtons()
{
    const MainWidgets& ui = this->ui();
    const int side = twips(ToolbarButtonSize);
    for (QAction* button : ui.FlatBttn) {
        if (QWidget* widget = ui.CoolBar1->widgetForAction(button))
            widget->setFixedSize(side, side);
    }
}

void MainLayout::SetAccessibleNames()
{
    MainWidgets& ui = this->ui();
    const std::pair<QWidget*, const char*> names[] = {
        {ui.CoolBar1, "Toolbar"},
        {ui.picTitles, "Value editor"},
        {ui.cboParam, "Value choices"},
        {ui.txtParam, "Value"},
        {ui.vbuSplitterHoriz, "Document and help"},
        {ui.vbuSplitterVert, "Settings Explorer and document"},
        {ui.tvTreeView, "Settings Explorer"},
        {ui.documentPane, "Document"},
        {ui.txtTextBox, "Text View"},
        {ui.lvListView, "List View"},
        {ui.helpPane, "Help Window"},
        {ui.fraBrowser, "Blank help page"},
        {ui.brwHelpBrowser, "Help page"},
        {ui.mnuPopUpLV, "List commands"},
        {ui.mnuPopUpTV, "Settings Explorer commands"},
    };
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(QLatin1String(name));
    for (QToolButton* button : {ui.cmdOK, ui.cmdCancel})
        button->setAccessibleName(button->text());
    // The title labels keep their captions as their names: that is what they announce.

    for (QMenu* menu :
         {ui.mnuFile, ui.mnuFilemnuSelectVersion, ui.mnuEdit, ui.mnuView, ui.mnuTools, ui.mnuHelp})
        menu->setAccessibleName(WithoutMnemonic(menu->title()));
    for (QAction* button : ui.FlatBttn) {
        if (QWidget* widget = ui.CoolBar1->widgetForAction(button))
            widget->setAccessibleName(button->toolTip());
    }
}

void MainLayout::SizeTitleStrip()
{
    MainWidgets& ui = this->ui();
    int needed = 0;
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             ui.cboParam, ui.txtParam, ui.cmdOK, ui.cmdCancel, ui.lblTitle[0], ui.lblTitle[1]})
        needed = std::max(needed, control->sizeHint().height());
    ui.picTitles->setFixedHeight(
        std::max(twips(TitleStripHeight), needed + twips(TitleStripPadding)));
}

void MainLayout::ResizeLayout()
{
    KeepMinimumWidth();
    if (!state().HelpToggleInProgress && !ctx.help->IsHelpShown())
        KeepHelpPaneCollapsed();
    FitParameterColumn();
    TitleStripLayout();
}

void MainLayout::KeepMinimumWidth()
{
    QMainWindow* window = ui().frmMain;
    // The limit is on the outer width; Qt's minimum is on the inner one.
    const int frameWidth = window->frameGeometry().width() - window->width();
    const int minimum = std::max(0, twips(MinimumWindowWidth) - frameWidth);
    if (window->minimumWidth() != minimum)
        window->setMinimumWidth(minimum);
}

void MainLayout::KeepHelpPaneCollapsed()
{
    QSplitter* splitter = ui().vbuSplitterHoriz;
    const QList<int> sizes = splitter->sizes();
    if (sizes.size() < 2 || sizes[1] == 0)
        return;
    splitter->setSizes({sizes[0] + sizes[1], 0});
}

void MainLayout::FitParameterColumn()
{
    const QTreeView* list = ui().lvListView;
    QHeaderView* header = list->header();
    if (header->count() < 2)
        return;
    const int spare = list->viewport()->width() - header->sectionSize(0) - twips(ColumnSlack);
    header->resizeSection(1, std::max(header->minimumSectionSize(), spare));
}

void MainLayout::TitleStripLayout()
{
    MainWidgets& ui = this->ui();
    const int stripHeight = ui.picTitles->height();
    // The list is always given the document pane's rectangle, shown or not.
    const QRect list = RectIn(ui.documentPane, ui.picTitles);
    const QRect tree = RectIn(ui.tvTreeView, ui.picTitles);

    CentreStripControls();
    ui.lblTitle[0]->setGeometry(tree.left() + twips(StripIndent), 0,
                                std::max(0, tree.width() - twips(TreeTitleMargin)), stripHeight);
    PlaceEditorControls(list.left() + twips(StripIndent), list.width());
}

// Every control keeps its natural height, centred in the strip, shown or not: the value
// editor moves and widens them but leaves their heights alone.
void MainLayout::CentreStripControls()
{
    MainWidgets& ui = this->ui();
    const int stripHeight = ui.picTitles->height();
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui.cboParam, ui.txtParam, ui.cmdOK, ui.cmdCancel}) {
        const int height = std::min(control->sizeHint().height(), stripHeight);
        control->setGeometry(control->x(), (stripHeight - height) / 2, control->width(), height);
    }
}

void MainLayout::PlaceEditorControls(int x, int listWidth)
{
    MainWidgets& ui = this->ui();
    const int stripHeight = ui.picTitles->height();
    const auto place = [](QWidget* control, int left) { control->move(left, control->y()); };
    const auto width = [](const QWidget* control) { return control->width(); };

    QComboBox* choices = ui.cboParam;
    QLineEdit* value = ui.txtParam;
    QToolButton* ok = ui.cmdOK;
    QToolButton* cancel = ui.cmdCancel;
    const bool choicesShown = choices->isVisibleTo(ui.picTitles);
    const bool valueShown = value->isVisibleTo(ui.picTitles);

    place(choices, x);
    int descriptionLeft = x;
    int descriptionWidth = listWidth - twips(BareDescriptionMargin);
    if (choicesShown && valueShown) {
        place(value, RightEdge(choices) + twips(Gap));
        place(ok, RightEdge(value) + twips(Gap));
        place(cancel, RightEdge(ok));
        descriptionLeft = RightEdge(cancel) + twips(Gap);
        descriptionWidth = listWidth - (width(choices) + width(value) + width(ok) + width(cancel)) -
                           twips(DescriptionMargin);
    } else if (choicesShown) {
        place(ok, RightEdge(choices) + twips(Gap));
        descriptionLeft = RightEdge(ok) + twips(Gap);
        descriptionWidth = listWidth - (width(choices) + width(ok)) - twips(DescriptionMargin);
    } else if (valueShown) {
        place(value, x);
        place(ok, RightEdge(value) + twips(Gap));
        place(cancel, RightEdge(ok));
        descriptionLeft = RightEdge(cancel) + twips(Gap);
        descriptionWidth =
            listWidth - (width(value) + width(ok) + width(cancel)) - twips(DescriptionMargin);
    } else {
        place(ok, x);
        if (ok->isVisibleTo(ui.picTitles)) {
            descriptionLeft = RightEdge(ok) + twips(WideGap);
            descriptionWidth = listWidth - width(ok) - twips(DescriptionMargin);
        }
    }
    ui.lblTitle[1]->setGeometry(descriptionLeft, 0, std::max(0, descriptionWidth), stripHeight);
}
