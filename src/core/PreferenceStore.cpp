#include "core/PreferenceStore.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace PreferenceStore {

namespace {

const QString Group = QStringLiteral("Settings/");

QString storedText(QSettings& store, const QString& key, bool* present)
{
    const QVariant value = store.value(Group + key);
    *present = value.isValid();
    return value.toString().trimmed();
}

std::optional<double> toNumber(const QString& text)
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

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("DraCFG Editor"),
                                       QStringLiteral("DraCFG Editor"));
}

std::optional<bool> toBool(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    // Numbers convert as the original store did: zero is false, anything else true.
    if (const auto number = toNumber(text))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<float> toSingle(const QString& text)
{
    const auto number = toNumber(text);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*number);
}

std::optional<qint16> toInt16(const QString& text)
{
    const auto number = toNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // halves to even
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString readText(QSettings& store, const QString& key, const QString& defaultValue)
{
    const QVariant value = store.value(Group + key);
    return value.isValid() ? value.toString() : defaultValue;
}

bool readBool(QSettings& store, const QString& key, bool defaultValue)
{
    bool present = false;
    const QString text = storedText(store, key, &present);
    return present ? toBool(text).value_or(defaultValue) : defaultValue;
}

float readSingle(QSettings& store, const QString& key, float defaultValue)
{
    bool present = false;
    const QString text = storedText(store, key, &present);
    return present ? toSingle(text).value_or(defaultValue) : defaultValue;
}

qint16 readInt16(QSettings& store, const QString& key, qint16 defaultValue)
{
    bool present = false;
    const QString text = storedText(store, key, &present);
    return present ? toInt16(text).value_or(defaultValue) : defaultValue;
}

void writeText(QSettings& store, const QString& key, const QString& value)
{
    store.setValue(Group + key, value);
}

void writeBool(QSettings& store, const QString& key, bool value)
{
    store.setValue(Group + key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void writeSingle(QSettings& store, const QString& key, float value)
{
    store.setValue(Group + key,
                   QLocale::c().toString(value, 'g', std::numeric_limits<float>::digits10 + 1));
}

void writeInt(QSettings& store, const QString& key, qint32 value)
{
    store.setValue(Group + key, QString::number(value));
}

int storedVersionIndex()
{
    const auto store = open();
    const Key& key = Keys::DravaneVersion;
    bool present = false;
    const QString text = storedText(*store, QLatin1String(key.name), &present);
    bool ok = false;
    const int index = text.toInt(&ok);
    return ok && index >= key.low && index <= key.high ? index : int(key.defaultValue);
}

namespace {

template <typename T> T inRange(T value, const Key& key)
{
    return value >= key.low && value <= key.high ? value : static_cast<T>(key.defaultValue);
}

} // namespace

QString read(QSettings& store, const Key& key, QString*)
{
    return readText(store, QLatin1String(key.name), QLatin1String(key.defaultText));
}

bool read(QSettings& store, const Key& key, bool*)
{
    return readBool(store, QLatin1String(key.name), key.defaultValue != 0);
}

float read(QSettings& store, const Key& key, float*)
{
    const auto defaultValue = static_cast<float>(key.defaultValue);
    return inRange(readSingle(store, QLatin1String(key.name), defaultValue), key);
}

qint16 read(QSettings& store, const Key& key, qint16*)
{
    const auto defaultValue = static_cast<qint16>(key.defaultValue);
    return inRange(readInt16(store, QLatin1String(key.name), defaultValue), key);
}

void write(QSettings& store, const Key& key, const QString& value)
{
    writeText(store, QLatin1String(key.name), value);
}

void write(QSettings& store, const Key& key, bool value)
{
    writeBool(store, QLatin1String(key.name), value);
}

void write(QSettings& store, const Key& key, float value)
{
    writeSingle(store, QLatin1String(key.name), value);
}

void write(QSettings& store, const Key& key, qint32 value)
{
    writeInt(store, QLatin1String(key.name), value);
}

} // namespace PreferenceStore
