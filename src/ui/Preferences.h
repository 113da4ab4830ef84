#pragma once

#include "ui/MainContext.h"

#include <QFont>
#include <QSize>
#include <optional>

class QSettings;

// The per-user preferences of the main window: read while it is built, written when it closes,
// and the two Tools menu commands that change them (Fonts, Confirm Delete).
class Preferences : public Component {
    Q_OBJECT
public:
    explicit Preferences(MainContext& context);

    void LoadPreferences();
    void SavePreferences();
    void LoadFontPreferences();
    void SaveFontPreferences();
    void FontsCommand();
    void ConfirmDeleteCommand();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadWindowGeometry(QSettings& store);
    void LoadSplitterPositions(QSettings& store);
    void LoadColumnWidths(QSettings& store);
    void SaveWindowGeometry(QSettings& store);
    void SaveSplitterPositions(QSettings& store);
    void SaveColumnWidths(QSettings& store);
    void MakeEditorStripBare();
    void SetTextViewFont(const QString& family, double pointSize, bool bold, bool italic);

    // The stored outer size, applied to the inner size until the window frame is known.
    QSize m_outerSizeToKeep;
    // What the font dialog returned last; it opens with it the next time.
    std::optional<QFont> m_lastFontChoice;
};
