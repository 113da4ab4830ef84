#include "core/PreferenceStore.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace PreferenceStore {

namespace {

const QString Group = QStringLiteral("Settings/");

QString StoredText(QSettings& store, const QString& key, bool* present)
{
    const QVariant value = store.value(Group + key);
    *present = value.isValid();
    return value.toString().trimmed();
}

std::optional<double> ToNumber(const QString& text)
{
    bool ok = false;
    double number = QLocale::c().toDouble(text, &ok);
    if (!ok)
        number = QLocale::system().toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

} // namespace

std::unique_ptr<QSettings> Open()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("DraCFG Editor"),
                                       QStringLiteral("DraCFG Editor"));
}

std::optional<bool> ToBool(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    // Numbers convert as the original store did: zero is false, anything else true.
    if (const auto number = ToNumber(text))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<float> ToSingle(const QString& text)
{
    const auto number = ToNumber(text);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*number);
}

std::optional<qint16> ToInt16(const QString& text)
{
    const auto number = ToNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // halves to even
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString ReadText(QSettings& store, const QString& key, const QString& defaultValue)
{
    const QVariant value = store.value(Group + key);
    return value.isValid() ? value.toString() : defaultValue;
}

bool ReadBool(QSettings& store, const QString& key, bool defaultValue)
{
    bool present = false;
    const QString text = StoredText(store, key, &present);
    return present ? ToBool(text).value_or(defaultValue) : defaultValue;
}

float ReadSingle(QSettings& store, const QString& key, float defaultValue)
{
    bool present = false;
    const QString text = StoredText(store, key, &present);
    return present ? ToSingle(text).value_or(defaultValue) : defaultValue;
}

qint16 ReadInt16(QSettings& store, const QString& key, qint16 defaultValue)
{
    bool present = false;
    const QString text = StoredText(store, key, &present);
    return present ? ToInt16(text).value_or(defaultValue) : defaultValue;
}

void WriteText(QSettings& store, const QString& key, const QString& value)
{
    store.setValue(Group + key, value);
}

void WriteBool(QSettings& store, const QString& key, bool value)
{
    store.setValue(Group + key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void WriteSingle(QSettings& store, const QString& key, float value)
{
    store.setValue(Group + key,
                   QLocale::c().toString(value, 'g', std::numeric_limits<float>::digits10 + 1));
}

void WriteInt(QSettings& store, const QString& key, qint32 value)
{
    store.setValue(Group + key, QString::number(value));
}

int StoredVersionIndex()
{
    const auto store = Open();
    const Key& key = Keys::DravaneVersion;
    bool present = false;
    const QString text = StoredText(*store, QLatin1String(key.name), &present);
    bool ok = false;
    const int index = text.toInt(&ok);
    return ok && index >= key.low && index <= key.high ? index : int(key.defaultValue);
}

namespace {

template <typename T> T InRange(T value, const Key& key)
{
    return value >= key.low && value <= key.high ? value : static_cast<T>(key.defaultValue);
}

} // namespace

QString Read(QSettings& store, const Key& key, QString*)
{
    return ReadText(store, QLatin1String(key.name), QLatin1String(key.defaultText));
}

bool Read(QSettings& store, const Key& key, bool*)
{
    return ReadBool(store, QLatin1String(key.name), key.defaultValue != 0);
}

float Read(QSettings& store, const Key& key, float*)
{
    const auto defaultValue = static_cast<float>(key.defaultValue);
    return InRange(ReadSingle(store, QLatin1String(key.name), defaultValue), key);
}

qint16 Read(QSettings& store, const Key& key, qint16*)
{
    const auto defaultValue = static_cast<qint16>(key.defaultValue);
    return InRange(ReadInt16(store, QLatin1String(key.name), defaultValue), key);
}

void Write(QSettings& store, const Key& key, const QString& value)
{
    WriteText(store, QLatin1String(key.name), value);
}

void Write(QSettings& store, const Key& key, bool value)
{
    WriteBool(store, QLatin1String(key.name), value);
}

void Write(QSettings& store, const Key& key, float value)
{
    WriteSingle(store, QLatin1String(key.name), value);
}

void Write(QSettings& store, const Key& key, qint32 value)
{
    WriteInt(store, QLatin1String(key.name), value);
}

} // namespace PreferenceStore
