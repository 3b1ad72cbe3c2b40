// component.*: the stand-in video component's test control for scripts. Components are
// named by their window key (the text given with SetWebUUID).

#include "Bindings.h"
#include "JsValues.h"

#include <VarAvozov/Control.h>

namespace {

using js::Args;

v8::Local<v8::Array> strings(v8::Isolate *pIsolate, const QStringList &list)
{
    v8::Local<v8::Array> array = v8::Array::New(pIsolate, list.size());
    for (int i = 0; i < list.size(); ++i)
        array->Set(pIsolate->GetCurrentContext(), uint32_t(i), js::str(pIsolate, list.at(i))).Check();
    return array;
}

bool argKey(const Args &info, int iIndex, QString *pKey, const char *pszName)
{
    return js::argString(info, iIndex, pKey, pszName, "a window key (string)");
}

// Null text (back to the default answer) for null or undefined.
bool argNullableText(const Args &info, int iIndex, QString *pText, const char *pszName)
{
    if (info[iIndex]->IsNullOrUndefined()) {
        *pText = QString();
        return true;
    }
    return js::argString(info, iIndex, pText, pszName, "a string or null");
}

void liveKeys(const Args &info)
{
    info.GetReturnValue().Set(strings(info.GetIsolate(), varavozov::liveKeys()));
}

// journal(key) -> [{ component, uuid, operation, args, line }]
void journal(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QString key;
    if (!argKey(info, 0, &key, "journal"))
        return;
    const QList<varavozov::JournalEntry> entries = varavozov::journal(key);
    v8::Local<v8::Array> array = v8::Array::New(pIsolate, entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        const varavozov::JournalEntry &entry = entries.at(i);
        v8::Local<v8::Object> item = v8::Object::New(pIsolate);
        js::set(pIsolate, item, "component", js::str(pIsolate, entry.strComponentGuid));
        js::set(pIsolate, item, "uuid", js::str(pIsolate, entry.strUUID));
        js::set(pIsolate, item, "operation", js::str(pIsolate, entry.strOperation));
        js::set(pIsolate, item, "args", js::fromVariant(pIsolate, entry.args));
        js::set(pIsolate, item, "line", js::str(pIsolate, entry.strLine));
        array->Set(pIsolate->GetCurrentContext(), uint32_t(i), item).Check();
    }
    info.GetReturnValue().Set(array);
}

void journalLines(const Args &info)
{
    QString key;
    if (argKey(info, 0, &key, "journalLines"))
        info.GetReturnValue().Set(strings(info.GetIsolate(), varavozov::journalLines(key)));
}

// clearJournal([key]): one key's journal, or every journal
void clearJournal(const Args &info)
{
    if (info[0]->IsUndefined())
        return varavozov::clearAllJournals();
    QString key;
    if (argKey(info, 0, &key, "clearJournal"))
        varavozov::clearJournal(key);
}

void signalNames(const Args &info)
{
    info.GetReturnValue().Set(strings(info.GetIsolate(), varavozov::signalNames()));
}

// emitSignal(key, name[, args]) -> true; throws with the component's reason
void emitSignal(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QString key, name;
    if (!argKey(info, 0, &key, "emitSignal"))
        return;
    if (!js::toString(pIsolate, info[1], &name))
        return js::throwTypeError(pIsolate, QStringLiteral("emitSignal: argument 2 must be a signal name"));
    QVariant args = QVariantList();
    if (!info[2]->IsUndefined() && (!info[2]->IsArray() || !js::toVariant(pIsolate, info[2], &args)))
        return js::throwTypeError(pIsolate, QStringLiteral("emitSignal: argument 3 must be an array of strings, numbers, booleans"));
    QString error;
    if (!varavozov::emitSignal(key, name, args.toList(), &error))
        return js::throwError(pIsolate, QStringLiteral("emitSignal: ") + error);
    info.GetReturnValue().Set(true);
}

void failNextConstruction(const Args &info)
{
    int iCount = 1;
    if (!info[0]->IsUndefined() && !js::argInt(info, 0, &iCount, "failNextConstruction"))
        return;
    if (iCount < 0 || iCount > 1000000)
        return js::throwTypeError(info.GetIsolate(), QStringLiteral("failNextConstruction: count out of range"));
    varavozov::failNextConstruction(iCount);
}

void pendingConstructionFailures(const Args &info)
{
    info.GetReturnValue().Set(varavozov::pendingConstructionFailures());
}

// setPresetAnswer(posX, posY, zoom)
void setPresetAnswer(const Args &info)
{
    int iZoom = 0;
    if (!info[0]->IsNumber() || !info[1]->IsNumber() || !js::argInt(info, 2, &iZoom, "setPresetAnswer"))
        return js::throwTypeError(info.GetIsolate(), QStringLiteral("setPresetAnswer(posX, posY, zoom): numbers"));
    varavozov::setPresetAnswer(float(info[0].As<v8::Number>()->Value()),
                               float(info[1].As<v8::Number>()->Value()), iZoom);
}

void setHeatMapDelay(const Args &info)
{
    int iMs = 0;
    if (js::argInt(info, 0, &iMs, "setHeatMapDelay"))
        varavozov::setHeatMapDelay(iMs);
}

void heatMapDelay(const Args &info)
{
    info.GetReturnValue().Set(varavozov::heatMapDelay());
}

// setHeatMapAnswer(data | null, max, min)
void setHeatMapAnswer(const Args &info)
{
    QString data;
    int iMax = 0, iMin = 0;
    if (argNullableText(info, 0, &data, "setHeatMapAnswer")
        && (data.isNull() || (js::argInt(info, 1, &iMax, "setHeatMapAnswer") && js::argInt(info, 2, &iMin, "setHeatMapAnswer"))))
        varavozov::setHeatMapAnswer(data, iMax, iMin);
}

void setHandleRequestAnswer(const Args &info)
{
    QString answer;
    if (argNullableText(info, 0, &answer, "setHandleRequestAnswer"))
        varavozov::setHandleRequestAnswer(answer);
}

void initStreamClientCount(const Args &info)
{
    info.GetReturnValue().Set(varavozov::initStreamClientCount());
}

void uninitStreamClientCount(const Args &info)
{
    info.GetReturnValue().Set(varavozov::uninitStreamClientCount());
}

void reset(const Args &)
{
    varavozov::reset();
}

// What the live component of a key shows; null when there is none.
WebClientComponents *argComponent(const Args &info, const char *pszName, bool *pbOk)
{
    QString key;
    *pbOk = argKey(info, 0, &key, pszName);
    return *pbOk ? varavozov::findComponent(key) : nullptr;
}

void componentGuid(const Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "componentGuid", &bOk);
    if (!bOk)
        return;
    if (!pComponent)
        return info.GetReturnValue().SetNull();
    info.GetReturnValue().Set(js::str(info.GetIsolate(), varavozov::componentGuid(pComponent)));
}

void paneCount(const Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "paneCount", &bOk);
    if (bOk)
        info.GetReturnValue().Set(varavozov::paneCount(pComponent));
}

void selectedPane(const Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "selectedPane", &bOk);
    if (bOk)
        info.GetReturnValue().Set(varavozov::selectedPane(pComponent));
}

void isFullScreen(const Args &info)
{
    bool bOk;
    WebClientComponents *pComponent = argComponent(info, "isFullScreen", &bOk);
    if (bOk)
        info.GetReturnValue().Set(varavozov::isFullScreen(pComponent));
}

// paneRect(key, pane) -> rectangle in the component's coordinates
void paneRect(const Args &info)
{
    bool bOk;
    int iPane = 0;
    WebClientComponents *pComponent = argComponent(info, "paneRect", &bOk);
    if (bOk && js::argInt(info, 1, &iPane, "paneRect"))
        info.GetReturnValue().Set(js::rect(info.GetIsolate(), varavozov::paneRect(pComponent, iPane)));
}

void isPanePlaying(const Args &info)
{
    bool bOk;
    int iPane = 0;
    WebClientComponents *pComponent = argComponent(info, "isPanePlaying", &bOk);
    if (bOk && js::argInt(info, 1, &iPane, "isPanePlaying"))
        info.GetReturnValue().Set(varavozov::isPanePlaying(pComponent, iPane));
}

} // namespace

v8::Local<v8::Object> makeComponentBinding(v8::Isolate *pIsolate)
{
    v8::Local<v8::Object> object = v8::Object::New(pIsolate);
    js::setMethod(pIsolate, object, "liveKeys", liveKeys);
    js::setMethod(pIsolate, object, "journal", journal);
    js::setMethod(pIsolate, object, "journalLines", journalLines);
    js::setMethod(pIsolate, object, "clearJournal", clearJournal);
    js::setMethod(pIsolate, object, "signalNames", signalNames);
    js::setMethod(pIsolate, object, "emitSignal", emitSignal);
    js::setMethod(pIsolate, object, "failNextConstruction", failNextConstruction);
    js::setMethod(pIsolate, object, "pendingConstructionFailures", pendingConstructionFailures);
    js::setMethod(pIsolate, object, "setPresetAnswer", setPresetAnswer);
    js::setMethod(pIsolate, object, "setHeatMapDelay", setHeatMapDelay);
    js::setMethod(pIsolate, object, "heatMapDelay", heatMapDelay);
    js::setMethod(pIsolate, object, "setHeatMapAnswer", setHeatMapAnswer);
    js::setMethod(pIsolate, object, "setHandleRequestAnswer", setHandleRequestAnswer);
    js::setMethod(pIsolate, object, "initStreamClientCount", initStreamClientCount);
    js::setMethod(pIsolate, object, "uninitStreamClientCount", uninitStreamClientCount);
    js::setMethod(pIsolate, object, "reset", reset);
    js::setMethod(pIsolate, object, "componentGuid", componentGuid);
    js::setMethod(pIsolate, object, "paneCount", paneCount);
    js::setMethod(pIsolate, object, "selectedPane", selectedPane);
    js::setMethod(pIsolate, object, "isFullScreen", isFullScreen);
    js::setMethod(pIsolate, object, "paneRect", paneRect);
    js::setMethod(pIsolate, object, "isPanePlaying", isPanePlaying);
    return object;
}
