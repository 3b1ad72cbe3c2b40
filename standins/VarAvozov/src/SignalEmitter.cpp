// Emitting the component's signals by name, for tests and the shell.
#include "ComponentPrivate.h"

#include <QMetaMethod>

#include <cmath>
#include <functional>
#include <limits>

namespace varavozov {

namespace {

QList<QMetaMethod> componentSignals()
{
    QList<QMetaMethod> methods;
    const QMetaObject &meta = WebClientComponents::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == QMetaMethod::Signal)
            methods.append(method);
    }
    return methods;
}

bool fail(QString *pError, const QString &reason)
{
    if (pError)
        *pError = reason;
    return false;
}

// Whole numbers: unsigned parameters also take negative ints, which wrap as they do
// when a caller passes an int.
bool integerInRange(long long llValue, int iType, QVariant &out)
{
    const long long llMin = std::numeric_limits<int>::min();
    const long long llMax = iType == QMetaType::UInt ? std::numeric_limits<unsigned int>::max()
                                                     : std::numeric_limits<int>::max();
    if (llValue < llMin || llValue > llMax)
        return false;
    if (iType == QMetaType::UInt)
        out = QVariant(static_cast<unsigned int>(llValue));
    else
        out = QVariant(static_cast<int>(llValue));
    return true;
}

bool fromText(const QString &text, int iType, QVariant &out)
{
    switch (iType) {
    case QMetaType::QString:
        out = text;
        return true;
    case QMetaType::Bool:
        if (text == QLatin1String("true") || text == QLatin1String("1"))
            out = true;
        else if (text == QLatin1String("false") || text == QLatin1String("0"))
            out = false;
        else
            return false;
        return true;
    case QMetaType::Int:
    case QMetaType::UInt: {
        bool bOk = false;
        const long long llValue = text.trimmed().toLongLong(&bOk, 10);
        return bOk && integerInRange(llValue, iType, out);
    }
    default:
        return false;
    }
}

bool fromVariant(const QVariant &value, int iType, QVariant &out)
{
    const int iFrom = value.userType();
    if (iFrom == QMetaType::QString || iFrom == QMetaType::QByteArray)
        return fromText(value.toString(), iType, out);
    if (!value.isValid())
        return false;
    if (iType == QMetaType::QString || iType == QMetaType::Bool) {
        out = value;
        return out.convert(iType);
    }
    bool bOk = false;
    const double dValue = value.toDouble(&bOk);
    if (!bOk || !std::isfinite(dValue) || std::floor(dValue) != dValue)
        return false;
    if (std::fabs(dValue) > 1e18)
        return false;
    return integerInRange(static_cast<long long>(dValue), iType, out);
}

bool emitConverted(WebClientComponents *component, const QString &name, int iCount,
                   QString *pError,
                   const std::function<bool(int, int, QVariant &)> &convert)
{
    if (!WebClientComponentsPrivate::ofLive(component))
        return fail(pError, QStringLiteral("no such component"));
    for (const QMetaMethod &method : componentSignals()) {
        if (QString::fromLatin1(method.name()) != name)
            continue;
        if (method.parameterCount() != iCount) {
            return fail(pError, QStringLiteral("%1 takes %2 arguments, not %3")
                                    .arg(name)
                                    .arg(method.parameterCount())
                                    .arg(iCount));
        }
        QVariant values[10];
        QGenericArgument args[10];
        for (int i = 0; i < iCount; ++i) {
            const int iType = method.parameterType(i);
            if (!convert(i, iType, values[i])) {
                return fail(pError, QStringLiteral("argument %1 of %2 is not a %3")
                                        .arg(i + 1)
                                        .arg(name, QString::fromLatin1(QMetaType::typeName(iType))));
            }
            args[i] = QGenericArgument(QMetaType::typeName(iType), values[i].constData());
        }
        const bool bInvoked = method.invoke(component, Qt::DirectConnection, args[0], args[1],
                                            args[2], args[3], args[4], args[5], args[6],
                                            args[7], args[8], args[9]);
        return bInvoked || fail(pError, QStringLiteral("%1 could not be emitted").arg(name));
    }
    return fail(pError, QStringLiteral("no signal %1").arg(name));
}

} // namespace

QStringList signalNames()
{
    QStringList names;
    for (const QMetaMethod &method : componentSignals())
        names.append(QString::fromLatin1(method.name()));
    return names;
}

bool emitSignal(WebClientComponents *component, const QString &name, const QVariantList &args,
                QString *pError)
{
    return emitConverted(component, name, args.size(), pError,
                         [&args](int i, int iType, QVariant &out) {
                             return fromVariant(args.at(i), iType, out);
                         });
}

bool emitSignal(const QString &uuid, const QString &name, const QVariantList &args,
                QString *pError)
{
    WebClientComponents *pComponent = findComponent(uuid);
    if (!pComponent)
        return fail(pError, QStringLiteral("no component for key %1").arg(uuid));
    return emitSignal(pComponent, name, args, pError);
}

bool emitSignalText(WebClientComponents *component, const QString &name,
                    const QStringList &args, QString *pError)
{
    return emitConverted(component, name, args.size(), pError,
                         [&args](int i, int iType, QVariant &out) {
                             return fromText(args.at(i), iType, out);
                         });
}

bool emitSignalText(const QString &uuid, const QString &name, const QStringList &args,
                    QString *pError)
{
    WebClientComponents *pComponent = findComponent(uuid);
    if (!pComponent)
        return fail(pError, QStringLiteral("no component for key %1").arg(uuid));
    return emitSignalText(pComponent, name, args, pError);
}

} // namespace varavozov
