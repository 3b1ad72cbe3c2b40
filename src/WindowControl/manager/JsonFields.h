#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>

// Reading rules shared by every request. A field of the wrong JSON type never fails a
// request: it reads as the empty text, 0, false or an empty container.
namespace JsonFields {

// A JSON string gives its text; anything else the empty text.
inline QString text(const QJsonObject &object, QLatin1String key)
{
    return object.value(key).toString();
}

// A JSON number with an integral value in the int range gives that value; a fraction,
// a string, a bool or null gives 0; an absent key gives iAbsent.
inline int integer(const QJsonObject &object, QLatin1String key, int iAbsent = 0)
{
    const QJsonValue value = object.value(key);
    return value.isUndefined() ? iAbsent : value.toInt(0);
}

// Only JSON true is true.
inline bool flag(const QJsonObject &object, QLatin1String key)
{
    return object.value(key).toBool(false);
}

// Any JSON number; anything else 0.0.
inline double real(const QJsonObject &object, QLatin1String key)
{
    return object.value(key).toDouble(0.0);
}

// A JSON object, or an empty one.
inline QJsonObject object(const QJsonObject &object, QLatin1String key)
{
    return object.value(key).toObject();
}

// A JSON array, or an empty one.
inline QJsonArray array(const QJsonObject &object, QLatin1String key)
{
    return object.value(key).toArray();
}

} // namespace JsonFields
