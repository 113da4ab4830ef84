#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The per-user preference store: organisation and application "DraCFG Editor", group
// "Settings", every value kept as text. A stored text that does not convert to the key's type
// reads as the key's default.
namespace PreferenceStore {

std::unique_ptr<QSettings> Open();

QString ReadText(QSettings& store, const QString& key, const QString& defaultValue);
bool ReadBool(QSettings& store, const QString& key, bool defaultValue);
float ReadSingle(QSettings& store, const QString& key, float defaultValue);
qint16 ReadInt16(QSettings& store, const QString& key, qint16 defaultValue);

void WriteText(QSettings& store, const QString& key, const QString& value);
void WriteBool(QSettings& store, const QString& key, bool value);
void WriteSingle(QSettings& store, const QString& key, float value);
void WriteInt(QSettings& store, const QString& key, qint32 value);

// Conversions of stored texts, exposed for the readers above and their tests.
std::optional<bool> ToBool(const QString& text);
std::optional<float> ToSingle(const QString& text);
std::optional<qint16> ToInt16(const QString& text);

// The stored server version index "DravaneVersion": a whole number from 0 to 9, else 0.
int StoredVersionIndex();

} // namespace PreferenceStore
