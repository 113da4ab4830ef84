#pragma once

#include "core/CatalogueTable.h"
#include "ui/MainContext.h"

#include <QMainWindow>
#include <memory>
#include <vector>

class ConfigDocument;
class Dialogs;

// frmMain: builds the controls, menus and toolbar, creates the components that own the
// commands, and runs the load and close steps. It computes nothing itself.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Dialogs& dialogs, QString programDir, CatalogueTable catalogue,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    MainContext& context() { return *m_context; }
    MainWidgets& widgets() { return m_context->ui; }
    WindowState& state() { return m_context->state; }
    CatalogueTable& catalogue() { return m_catalogue; }
    ConfigDocument& document() { return *m_document; }
    FileCommands& files() { return *m_context->files; }
    DocumentViews& views() { return *m_context->views; }
    SettingsExplorer& explorer() { return *m_context->explorer; }

    // The load step: no document, caption, preferences, view, tree, font.
    void Load();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenus();
    void BuildPopUpMenus();
    void BuildToolbar();
    void BuildWorkArea();
    void CreateComponents();
    void SaveShutdownState();

    CatalogueTable m_catalogue;
    std::unique_ptr<MainContext> m_context;
    std::unique_ptr<ConfigDocument> m_document;
    std::vector<std::unique_ptr<QObject>> m_components;
};
