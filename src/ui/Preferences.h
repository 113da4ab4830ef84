#pragma once

#include "ui/WorkArea.h"

#include <QFont>
#include <QObject>
#include <QSize>
#include <optional>

class ConfigDocument;
class Dialogs;
class QPlainTextEdit;
class QSettings;

// The per-user preferences of the main window: read while it is built, written when it closes,
// and the two Tools menu commands that change them (Fonts, Confirm Delete).
class Preferences : public QObject {
    Q_OBJECT
public:
    struct Parts : WorkArea {
        QPlainTextEdit* text;
        QAction* confirmDelete;
        QAction* fontsItem;
        QAction* listByCategoryItem;
        QAction* problemsItem;
    };

    Preferences(const ConfigDocument& document, Dialogs& dialogs, const Parts& parts,
                QObject* parent = nullptr);

    void LoadPreferences();
    void SavePreferences();
    void LoadFontPreferences();
    void SaveFontPreferences();
    void fontsCommand();
    void confirmDeleteCommand();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadWindowGeometry(QSettings& store);
    float firstStartWidth(QSettings& store) const;
    void loadSplitterPositions(QSettings& store);
    void loadColumnWidths(QSettings& store);
    void saveWindowGeometry(QSettings& store);
    void saveSplitterPositions(QSettings& store);
    void saveColumnWidths(QSettings& store);
    void setTextViewFont(const QString& family, double pointSize, bool bold, bool italic);

    const ConfigDocument& m_document;
    Dialogs& m_dialogs;
    Parts m_parts;
    // The stored outer size, applied to the inner size until the window frame is known.
    QSize m_outerSizeToKeep;
    // What the font dialog returned last; it opens with it the next time.
    std::optional<QFont> m_lastFontChoice;
};
