#pragma once

#include "ui/WindowState.h"
#include "ui/MainWidgets.h"

#include <QObject>
#include <QString>

class ApplyEdit;
class CatalogueTable;
class ConfigDocument;
class Dialogs;
class DocumentViews;
class EditCommands;
class FileCommands;
class FindCommands;
class HelpPane;
class MainLayout;
class Preferences;
class RowModel;
class RowOperations;
class SettingsExplorer;
class ValueEditor;
class VersionMenu;

// What the main window shares with its components: the controls, the window-wide flags, the
// catalogue, the document and the components themselves, so that one command can call another's
// operation (a row deletion resets the value editor, a file load sets the command states, ...).
struct MainContext {
    MainContext(Dialogs& dialogs, CatalogueTable& catalogue, QString programDir)
        : dialogs(dialogs), catalogue(catalogue), programDir(std::move(programDir))
    {}

    MainWidgets ui;
    WindowState state;
    Dialogs& dialogs;
    CatalogueTable& catalogue;
    QString programDir; // where DraCFG.mdb, DraCFG.ini and DraCFG.html live

    RowModel* rows = nullptr;
    ConfigDocument* document = nullptr;

    DocumentViews* views = nullptr;
    FileCommands* files = nullptr;
    ValueEditor* valueEditor = nullptr;
    ApplyEdit* applyEdit = nullptr;
    RowOperations* rowOperations = nullptr;
    SettingsExplorer* explorer = nullptr;
    HelpPane* help = nullptr;
    MainLayout* layout = nullptr;
    Preferences* preferences = nullptr;
    FindCommands* find = nullptr;
    EditCommands* edit = nullptr;
    VersionMenu* versions = nullptr;
};

// Base of the main window's components: each owns some commands and connects their triggers
// in its constructor.
class Component : public QObject {
public:
    explicit Component(MainContext& context) : QObject(nullptr), ctx(context) {}

protected:
    MainContext& ctx;
    MainWidgets& ui() { return ctx.ui; }
    WindowState& state() { return ctx.state; }
};
