// component.*: the stand-in video component's test control for scripts. Components are
// named by their window key (the text given with SetWebUUID).

#include "Bindings.h"
#include "JsValues.h"

#include <VarAvozov/Control.h>

namespace {

using js::Args;

napi_value strings(napi_env env, const QStringList &list)
{
    napi_value array = js::array(env, size_t(list.size()));
    for (int i = 0; i < list.size(); ++i)
        js::setIndex(env, array, uint32_t(i), js::str(env, list.at(i)));
    return array;
}

bool argKey(Args &info, int iIndex, QString *pKey, const char *pszName)
{
    return js::argString(info, iIndex, pKey, pszName, "a window key (string)");
}

// Null text (back to the default answer) for null or undefined.
bool argNullableText(Args &info, int iIndex, QString *pText, const char *pszName)
{
    if (js::isNullOrUndefined(info.env, info[iIndex])) {
        *pText = QString();
        return true;
    }
    return js::argString(info, iIndex, pText, pszName, "a string or null");
}

void liveKeys(Args &info)
{
    info.result = strings(info.env, varavozov::liveKeys());
}

// journal(key) -> [{ component, uuid, operation, args, line }]
void journal(Args &info)
{
    napi_env env = info.env;
    QString key;
    if (!argKey(info, 0, &key, "journal"))
        return;
    const QList<varavozov::JournalEntry> entries = varavozov::journal(key);
    napi_value array = js::array(env, size_t(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        const varavozov::JournalEntry &entry = entries.at(i);
        napi_value item = js::object(env);
        js::set(env, item, "component", js::str(env, entry.strComponentGuid));
        js::set(env, item, "uuid", js::str(env, entry.strUUID));
        js::set(env, item, "operation", js::str(env, entry.strOperation));
        js::set(env, item, "args", js::fromVariant(env, entry.args));
        js::set(env, item, "line", js::str(env, entry.strLine));
        js::setIndex(env, array, uint32_t(i), item);
    }
    info.result = array;
}

void journalLines(Args &info)
{
    QString key;
    if (argKey(info, 0, &key, "journalLines"))
        info.result = strings(info.env, varavozov::journalLines(key));
}

// clearJournal([key]): one key's journal, or every journal
void clearJournal(Args &info)
{
    if (js::isUndefined(info.env, info[0]))
        return varavozov::clearAllJournals();
    QString key;
    if (argKey(info, 0, &key, "clearJournal"))
        varavozov::clearJournal(key);
}

void signalNames(Args &info)
{
    info.result = strings(info.env, varavozov::signalNames());
}

// emitSignal(key, name[, args]) -> true; throws with the component's reason
void emitSignal(Args &info)
{
    napi_env env = info.env;
    QString key, name;
    if (!argKey(info, 0, &key, "emitSignal"))
        return;
    if (!js::toString(env, info[1], &name))
        return js::throwTypeError(env, QStringLiteral("emitSignal: argument 2 must be a signal name"));
    QVariant args = QVariantList();
    if (!js::isUndefined(env, info[2]) && (!js::isArray(env, info[2]) || !js::toVariant(env, info[2], &args)))
        return js::throwTypeError(env, QStringLiteral("emitSignal: argument 3 must be an array of strings, numbers, booleans"));
    QString error;
    if (!varavozov::emitSignal(key, name, args.toList(), &error))
        return js::throwError(env, QStringLiteral("emitSignal: ") + error);
    info.result = js::boolean(env, true);
}

void failNextConstruction(Args &info)
{
    int iCount = 1;
    if (!js::isUndefined(info.env, info[0]) && !js::argInt(info, 0, &iCount, "failNextConstruction"))
        return;
    if (iCount < 0 || iCount > 1000000)
        return js::throwTypeError(info.env, QStringLiteral("failNextConstruction: count out of range"));
    varavozov::failNextConstruction(iCount);
}

void pendingConstructionFailures(Args &info)
{
    info.result = js::num(info.env, varavozov::pendingConstructionFailures());
}

// setPresetAnswer(posX, posY, zoom)
void setPresetAnswer(Args &info)
{
    napi_env env = info.env;
    int iZoom = 0;
    if (!js::isNumber(env, info[0]) || !js::isNumber(env, info[1]) || !js::argInt(info, 2, &iZoom, "setPresetAnswer"))
        return js::throwTypeError(info.env, QStringLiteral("setPresetAnswer(posX, posY, zoom): numbers"));
    varavozov::setPresetAnswer(float(js::numberValue(env, info[0])),
                               float(js::numberValue(env, info[1])), iZoom);
}

void setHeatMapDelay(Args &info)
{
    int iMs = 0;
    if (js::argInt(info, 0, &iMs, "setHeatMapDelay"))
        varavozov::setHeatMapDelay(iMs);
}

void heatMapDelay(Args &info)
{
    info.result = js::num(info.env, varavozov::heatMapDelay());
}

// setHeatMapAnswer(data | null, max, min)
void setHeatMapAnswer(Args &info)
{
    QString data;
    int iMax = 0, iMin = 0;
    if (argNullableText(info, 0, &data, "setHeatMapAnswer")
        && (data.isNull() || (js::argInt(info, 1, &iMax, "setHeatMapAnswer") && js::argInt(info, 2, &iMin, "setHeatMapAnswer"))))
        varavozov::setHeatMapAnswer(data, iMax, iMin);
}

void setHandleRequestAnswer(Args &info)
{
    QString answer;
    if (argNullableText(info, 0, &answer, "setHandleRequestAnswer"))
        varavozov::setHandleRequestAnswer(answer);
}

void initStreamClientCount(Args &info)
{
    info.result = js::num(info.env, varavozov::initStreamClientCount());
}

void uninitStreamClientCount(Args &info)
{
    info.result = js::num(info.env, varavozov::uninitStreamClientCount());
}

void reset(Args &)
{
    varavozov::reset();
}

// What the live component of a key shows; null when there is none.
WebClientComponents *argComponent(Args &info, const char *pszName, bool *pbOk)
{
    QString key;
    *pbOk = argKey(info, 0, &key, pszName);
    return *pbOk ? varavozov::findComponent(key) : nullptr;
}

void componentGuid(Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "componentGuid", &bOk);
    if (!bOk)
        return;
    if (!pComponent) {
        info.result = js::null(info.env);
        return;
    }
    info.result = js::str(info.env, varavozov::componentGuid(pComponent));
}

void paneCount(Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "paneCount", &bOk);
    if (bOk)
        info.result = js::num(info.env, varavozov::paneCount(pComponent));
}

void selectedPane(Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "selectedPane", &bOk);
    if (bOk)
        info.result = js::num(info.env, varavozov::selectedPane(pComponent));
}

void isFullScreen(Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "isFullScreen", &bOk);
    if (bOk)
        info.result = js::boolean(info.env, varavozov::isFullScreen(pComponent));
}

// paneRect(key, pane) -> rectangle in the component's coordinates
void paneRect(Args &info)
{
    bool bOk;
    int iPane = 0;
    WebClientComponents *pComponent = argComponent(info, "paneRect", &bOk);
    if (bOk && js::argInt(info, 1, &iPane, "paneRect"))
        info.result = js::rect(info.env, varavozov::paneRect(pComponent, iPane));
}

void isPanePlaying(Args &info)
{
    bool bOk;
    int iPane = 0;
    WebClientComponents *pComponent = argComponent(info, "isPanePlaying", &bOk);
    if (bOk && js::argInt(info, 1, &iPane, "isPanePlaying"))
        info.result = js::boolean(info.env, varavozov::isPanePlaying(pComponent, iPane));
}

} // namespace

napi_value makeComponentBinding(napi_env env)
{
    napi_value object = js::object(env);
    js::setMethod(env, object, "liveKeys", liveKeys);
    js::setMethod(env, object, "journal", journal);
    js::setMethod(env, object, "journalLines", journalLines);
    js::setMethod(env, object, "clearJournal", clearJournal);
    js::setMethod(env, object, "signalNames", signalNames);
    js::setMethod(env, object, "emitSignal", emitSignal);
    js::setMethod(env, object, "failNextConstruction", failNextConstruction);
    js::setMethod(env, object, "pendingConstructionFailures", pendingConstructionFailures);
    js::setMethod(env, object, "setPresetAnswer", setPresetAnswer);
    js::setMethod(env, object, "setHeatMapDelay", setHeatMapDelay);
    js::setMethod(env, object, "heatMapDelay", heatMapDelay);
    js::setMethod(env, object, "setHeatMapAnswer", setHeatMapAnswer);
    js::setMethod(env, object, "setHandleRequestAnswer", setHandleRequestAnswer);
    js::setMethod(env, object, "initStreamClientCount", initStreamClientCount);
    js::setMethod(env, object, "uninitStreamClientCount", uninitStreamClientCount);
    js::setMethod(env, object, "reset", reset);
    js::setMethod(env, object, "componentGuid", componentGuid);
    js::setMethod(env, object, "paneCount", paneCount);
    js::setMethod(env, object, "selectedPane", selectedPane);
    js::setMethod(env, object, "isFullScreen", isFullScreen);
    js::setMethod(env, object, "paneRect", paneRect);
    js::setMethod(env, object, "isPanePlaying", isPanePlaying);
    return object;
}
