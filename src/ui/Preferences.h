#pragma once

#include "ui/WorkArea.h"

#include <QFont>
#include <QObject>
#include <QSize>
#include <optional>

class ConfigDocument;
class Dialogs;
class QAction;
class EditingState;
class QPlainTextEdit;
class QSettings;

// The per-user preferences of the main window and the editing state: read while it is built,
// written when it closes, and Tools > Fonts, which changes them.
class Preferences : public QObject {
    Q_OBJECT
public:
    struct Parts : WorkArea {
        QPlainTextEdit* text;
        QAction* fontsItem;
    };

    Preferences(const ConfigDocument& document, EditingState& state, Dialogs& dialogs,
                const Parts& parts, QObject* parent = nullptr);

    void LoadPreferences();
    void SavePreferences();
    void LoadFontPreferences();
    void SaveFontPreferences();
    void fontsCommand();

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
    EditingState& m_state;
    Dialogs& m_dialogs;
    Parts m_parts;
    // The stored outer size, applied to the inner size until the window frame is known.
    QSize m_outerSizeToKeep;
    // What the font dialog returned last; it opens with it the next time.
    std::optional<QFont> m_lastFontChoice;
};
