#pragma once

#include <QSettings>
#include <QString>
#include <array>
#include <memory>
#include <optional>

// The per-user preference store: organisation and application "DraCFG Editor", group
// "Settings", every value kept as text. A stored text that does not convert to the key's type
// reads as the key's default.
namespace PreferenceStore {

enum class Type { Text, Bool, Single, Int16, Int };

// One preference: its stored name, type and default, and for numbers the range a stored value
// must lie in. A value outside it is damage, not a user's choice, and reads as the default.
struct Key {
    const char* name;
    Type type;
    double defaultValue = 0; // a boolean's is 0 or 1
    double low = 0;
    double high = 0;
    const char* defaultText = "";
};

// Measures are in twips, the font size in points.
namespace Keys {
inline constexpr double MaxMeasure = 1'000'000; // twips, some 66,000 pixels
inline constexpr double MinWindowSize = 1440;   // an inch
inline constexpr double MinColumnWidth = 150;   // a narrower column cannot be found again
inline constexpr Key MainLeft{"MainLeft", Type::Single, 1000, -MaxMeasure, MaxMeasure};
inline constexpr Key MainTop{"MainTop", Type::Single, 1000, -MaxMeasure, MaxMeasure};
inline constexpr Key MainWidth{"MainWidth", Type::Single, 6500, MinWindowSize, MaxMeasure};
inline constexpr Key MainHeight{"MainHeight", Type::Single, 8970, MinWindowSize, MaxMeasure};
inline constexpr Key SplitterTop{"SplitterTop", Type::Int16, 3000, 0, 32767};
inline constexpr Key SplitterLeft{"SplitterLeft", Type::Int16, 3000, 0, 32767};
inline constexpr Key LvCol1{"LvCol1", Type::Single, 2500.15f, MinColumnWidth, MaxMeasure};
inline constexpr Key LvCol2{"LvCol2", Type::Single, 3500.22f, MinColumnWidth, MaxMeasure};
inline constexpr Key ShowHelp{"ShowHelp", Type::Bool, 1};
inline constexpr Key ShowTextBox{"ShowTextBox", Type::Bool, 1};
inline constexpr Key ListByCategory{"ListByCategory", Type::Bool, 1};
inline constexpr Key ConfirmDelete{"ConfirmDelete", Type::Bool, 1};
inline constexpr Key ShowProblems{"ShowProblems", Type::Bool, 1};
inline constexpr Key FontName{"FontName", Type::Text, 0, 0, 0, "MS Sans Serif"};
inline constexpr Key FontSize{"FontSize", Type::Single, 10, 1, 500};
inline constexpr Key FontBold{"FontBold", Type::Bool, 0};
inline constexpr Key FontItalic{"FontItalic", Type::Bool, 0};
inline constexpr Key DravaneVersion{"DravaneVersion", Type::Int, 0, 0, 9};
// The list's display mode, always the details mode.
inline constexpr Key ViewMode{"ViewMode", Type::Int, 3, 3, 3};
// The files last opened or saved, newest first, one absolute path a line (see RecentFiles).
inline constexpr Key RecentFiles{"RecentFiles", Type::Text};
} // namespace Keys

// Every preference, in the order the store lists them.
inline constexpr std::array<Key, 20> AllKeys{
    Keys::MainLeft,       Keys::MainTop,      Keys::MainWidth,      Keys::MainHeight,
    Keys::SplitterTop,    Keys::SplitterLeft, Keys::LvCol1,         Keys::LvCol2,
    Keys::ShowHelp,       Keys::ShowTextBox,  Keys::ListByCategory, Keys::ConfirmDelete,
    Keys::FontName,       Keys::FontSize,     Keys::FontBold,       Keys::FontItalic,
    Keys::DravaneVersion, Keys::ViewMode,     Keys::RecentFiles,    Keys::ShowProblems};

std::unique_ptr<QSettings> open();

// Reads through the table: the key's default for a missing, unreadable or out-of-range value.
QString read(QSettings& store, const Key& key, QString*);
bool read(QSettings& store, const Key& key, bool*);
float read(QSettings& store, const Key& key, float*);
qint16 read(QSettings& store, const Key& key, qint16*);
template <typename T> T read(QSettings& store, const Key& key)
{
    return read(store, key, static_cast<T*>(nullptr));
}

void write(QSettings& store, const Key& key, const QString& value);
void write(QSettings& store, const Key& key, bool value);
void write(QSettings& store, const Key& key, float value);
void write(QSettings& store, const Key& key, qint32 value);

QString readText(QSettings& store, const QString& key, const QString& defaultValue);
bool readBool(QSettings& store, const QString& key, bool defaultValue);
float readSingle(QSettings& store, const QString& key, float defaultValue);
qint16 readInt16(QSettings& store, const QString& key, qint16 defaultValue);

void writeText(QSettings& store, const QString& key, const QString& value);
void writeBool(QSettings& store, const QString& key, bool value);
void writeSingle(QSettings& store, const QString& key, float value);
void writeInt(QSettings& store, const QString& key, qint32 value);

// Conversions of stored texts, exposed for the readers above and their tests.
std::optional<bool> toBool(const QString& text);
std::optional<float> toSingle(const QString& text);
std::optional<qint16> toInt16(const QString& text);

// The stored server version index "DravaneVersion": a whole number from 0 to 9, else 0.
int storedVersionIndex();

} // namespace PreferenceStore
