// desktop.*: the simulated desktop's control face for scripts. Window handles cross as
// decimal texts (as the page passes them); rectangles as { x, y, width, height } (arrays
// [x, y, width, height] are read too); a missing handle reads back as null.

#include "Bindings.h"
#include "JsValues.h"

#include <win32sim/Desktop.h>

#include <QBuffer>
#include <QGuiApplication>

#include <node_buffer.h>

#include <cstdlib>

namespace {

using js::Args;

v8::Local<v8::Value> handle(v8::Isolate *pIsolate, HWND hWnd)
{
    if (!hWnd)
        return v8::Null(pIsolate);
    return js::str(pIsolate, QString::number(quintptr(hWnd)));
}

// Decimal text or a whole number; null/undefined/"0" only where a null handle is allowed.
bool toHandle(v8::Isolate *pIsolate, v8::Local<v8::Value> value, HWND *phWnd, bool bAllowNull)
{
    if (value->IsNullOrUndefined()) {
        *phWnd = nullptr;
        return bAllowNull;
    }
    quintptr uValue = 0;
    if (value->IsString()) {
        bool bOk = false;
        uValue = js::toQString(pIsolate, value).toULongLong(&bOk, 10);
        if (!bOk)
            return false;
    } else if (value->IsNumber()) {
        const double d = value.As<v8::Number>()->Value();
        if (!(d >= 0 && d <= 9007199254740991.0) || double(quintptr(d)) != d)
            return false;
        uValue = quintptr(d);
    } else {
        return false;
    }
    *phWnd = reinterpret_cast<HWND>(uValue);
    return *phWnd || bAllowNull;
}

v8::Local<v8::Array> handles(v8::Isolate *pIsolate, const QVector<HWND> &list)
{
    v8::Local<v8::Array> array = v8::Array::New(pIsolate, list.size());
    for (int i = 0; i < list.size(); ++i)
        array->Set(pIsolate->GetCurrentContext(), uint32_t(i), handle(pIsolate, list.at(i))).Check();
    return array;
}

bool argHandle(const Args &info, int iIndex, HWND *phWnd, const char *pszName)
{
    return js::checkArg(info, iIndex, toHandle(info.GetIsolate(), info[iIndex], phWnd, false), pszName,
                        "a window handle (decimal text)");
}

bool argRect(const Args &info, int iIndex, QRect *pRect, const char *pszName)
{
    return js::checkArg(info, iIndex, js::toRect(info.GetIsolate(), info[iIndex], pRect), pszName,
                        "a rectangle {x, y, width, height}");
}

bool optionalBool(v8::Isolate *pIsolate, v8::Local<v8::Value> value, bool bDefault)
{
    return value->IsUndefined() ? bDefault : value->BooleanValue(pIsolate);
}

// ---- making windows -------------------------------------------------------------------

// createWindow({ rect, className?, title?, framed?, parent?, owner?, visible?, topmost?,
//                tool?, extraStyle?, colour? }) -> handle
void createWindow(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    if (!info[0]->IsObject())
        return js::throwTypeError(pIsolate, QStringLiteral("createWindow: expects { rect, ... }"));
    v8::Local<v8::Object> desc = info[0].As<v8::Object>();
    win32sim::NewWindow window;
    auto fail = [pIsolate](const char *pszField) {
        js::throwTypeError(pIsolate, QStringLiteral("createWindow: bad %1").arg(QLatin1String(pszField)));
    };
    if (!js::toRect(pIsolate, js::get(pIsolate, desc, "rect"), &window.rect))
        return fail("rect");
    v8::Local<v8::Value> value = js::get(pIsolate, desc, "className");
    if (!value->IsUndefined() && !js::toString(pIsolate, value, &window.className))
        return fail("className");
    value = js::get(pIsolate, desc, "title");
    if (!value->IsUndefined() && !js::toString(pIsolate, value, &window.title))
        return fail("title");
    if (!toHandle(pIsolate, js::get(pIsolate, desc, "parent"), &window.parent, true))
        return fail("parent");
    if (!toHandle(pIsolate, js::get(pIsolate, desc, "owner"), &window.owner, true))
        return fail("owner");
    window.framed = optionalBool(pIsolate, js::get(pIsolate, desc, "framed"), false);
    window.visible = optionalBool(pIsolate, js::get(pIsolate, desc, "visible"), true);
    window.topmost = optionalBool(pIsolate, js::get(pIsolate, desc, "topmost"), false);
    window.tool = optionalBool(pIsolate, js::get(pIsolate, desc, "tool"), false);
    value = js::get(pIsolate, desc, "extraStyle");
    if (!value->IsUndefined()) {
        const double d = value->IsNumber() ? value.As<v8::Number>()->Value() : -1;
        if (!(d >= 0 && d <= 4294967295.0) || double(DWORD(d)) != d)
            return fail("extraStyle");
        window.extraStyle = DWORD(d);
    }
    value = js::get(pIsolate, desc, "colour");
    if (!value->IsUndefined()) {
        QString name;
        if (!js::toString(pIsolate, value, &name) || !QColor::isValidColor(name))
            return fail("colour");
        window.colour = QColor(name);
    }
    info.GetReturnValue().Set(handle(pIsolate, win32sim::createWindow(window)));
}

// createChrome(title, rect[, stripHeight]) -> { frame, render, compositor }
void createChrome(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QString title;
    QRect rc;
    int iStrip = 80;
    if (!js::argString(info, 0, &title, "createChrome") || !argRect(info, 1, &rc, "createChrome"))
        return;
    if (!info[2]->IsUndefined() && (!js::argInt(info, 2, &iStrip, "createChrome")))
        return;
    const win32sim::ChromeWindow chrome = win32sim::createChrome(title, rc, iStrip);
    v8::Local<v8::Object> result = v8::Object::New(pIsolate);
    js::set(pIsolate, result, "frame", handle(pIsolate, chrome.frame));
    js::set(pIsolate, result, "render", handle(pIsolate, chrome.render));
    js::set(pIsolate, result, "compositor", handle(pIsolate, chrome.compositor));
    info.GetReturnValue().Set(result);
}

// createIe11(frameTitle, rect, tabTitles) -> { frame, frameTabs, tabWindows }
void createIe11(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QString title;
    QRect rc;
    if (!js::argString(info, 0, &title, "createIe11") || !argRect(info, 1, &rc, "createIe11"))
        return;
    QVariant tabs;
    if (!info[2]->IsArray() || !js::toVariant(pIsolate, info[2], &tabs))
        return js::throwTypeError(pIsolate, QStringLiteral("createIe11: argument 3 must be an array of tab titles"));
    QStringList tabTitles;
    for (const QVariant &tab : tabs.toList()) {
        if (tab.userType() != QMetaType::QString)
            return js::throwTypeError(pIsolate, QStringLiteral("createIe11: tab titles must be strings"));
        tabTitles.append(tab.toString());
    }
    const win32sim::IeWindow ie = win32sim::createIe11(title, rc, tabTitles);
    v8::Local<v8::Object> result = v8::Object::New(pIsolate);
    js::set(pIsolate, result, "frame", handle(pIsolate, ie.frame));
    js::set(pIsolate, result, "frameTabs", handles(pIsolate, ie.frameTabs));
    js::set(pIsolate, result, "tabWindows", handles(pIsolate, ie.tabWindows));
    info.GetReturnValue().Set(result);
}

// ---- what a user does -----------------------------------------------------------------

void moveWindow(const Args &info)
{
    HWND hWnd;
    QRect rc;
    if (argHandle(info, 0, &hWnd, "moveWindow") && argRect(info, 1, &rc, "moveWindow"))
        win32sim::moveWindow(hWnd, rc);
}

void setTitle(const Args &info)
{
    HWND hWnd;
    QString title;
    if (argHandle(info, 0, &hWnd, "setTitle") && js::argString(info, 1, &title, "setTitle"))
        win32sim::setTitle(hWnd, title);
}

template <void (*Fn)(HWND)>
void onWindow(const Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        Fn(hWnd);
}

void moveTab(const Args &info)
{
    HWND hTab, hFrameTab;
    if (argHandle(info, 0, &hTab, "moveTab") && argHandle(info, 1, &hFrameTab, "moveTab"))
        win32sim::moveTab(hTab, hFrameTab);
}

// click(x, y[, doubleClick]), wheel(x, y, delta): screen coordinates
void click(const Args &info)
{
    int x, y;
    if (js::argInt(info, 0, &x, "click") && js::argInt(info, 1, &y, "click"))
        win32sim::click(QPoint(x, y), optionalBool(info.GetIsolate(), info[2], false));
}

void wheel(const Args &info)
{
    int x, y, iDelta;
    if (js::argInt(info, 0, &x, "wheel") && js::argInt(info, 1, &y, "wheel") && js::argInt(info, 2, &iDelta, "wheel"))
        win32sim::wheel(QPoint(x, y), iDelta);
}

// ---- reading the state back -----------------------------------------------------------

void topLevelOrder(const Args &info)
{
    info.GetReturnValue().Set(handles(info.GetIsolate(), win32sim::topLevelOrder()));
}

void childOrder(const Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "childOrder"))
        info.GetReturnValue().Set(handles(info.GetIsolate(), win32sim::childOrder(hWnd)));
}

template <HWND (*Fn)(HWND)>
void handleOf(const Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.GetReturnValue().Set(handle(info.GetIsolate(), Fn(hWnd)));
}

template <QString (*Fn)(HWND)>
void textOf(const Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.GetReturnValue().Set(js::str(info.GetIsolate(), Fn(hWnd)));
}

template <QRect (*Fn)(HWND)>
void rectOf(const Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.GetReturnValue().Set(js::rect(info.GetIsolate(), Fn(hWnd)));
}

template <bool (*Fn)(HWND)>
void flagOf(const Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.GetReturnValue().Set(Fn(hWnd));
}

// region(hwnd) -> rectangles in window coordinates
void region(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    HWND hWnd;
    if (!argHandle(info, 0, &hWnd, "region"))
        return;
    const QRegion rgn = win32sim::region(hWnd);
    v8::Local<v8::Array> array = v8::Array::New(pIsolate, rgn.rectCount());
    uint32_t i = 0;
    for (const QRect &rc : rgn)
        array->Set(pIsolate->GetCurrentContext(), i++, js::rect(pIsolate, rc)).Check();
    info.GetReturnValue().Set(array);
}

// regionContains(hwnd, x, y): the point, in window coordinates, lies in the window's region
void regionContains(const Args &info)
{
    HWND hWnd;
    int x, y;
    if (argHandle(info, 0, &hWnd, "regionContains") && js::argInt(info, 1, &x, "regionContains")
        && js::argInt(info, 2, &y, "regionContains"))
        info.GetReturnValue().Set(win32sim::region(hWnd).contains(QPoint(x, y)));
}

template <HWND (*Fn)()>
void globalHandle(const Args &info)
{
    info.GetReturnValue().Set(handle(info.GetIsolate(), Fn()));
}

void dump(const Args &info)
{
    info.GetReturnValue().Set(js::str(info.GetIsolate(), win32sim::dump()));
}

// postedMessages([hwnd]) -> [{ hwnd, message, wParam, lParam }]
void postedMessages(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    HWND hWnd = nullptr;
    if (!toHandle(pIsolate, info[0], &hWnd, true))
        return js::throwTypeError(pIsolate, QStringLiteral("postedMessages: argument 1 must be a window handle or absent"));
    const QVector<win32sim::PostedMessage> list = win32sim::postedMessages(hWnd);
    v8::Local<v8::Array> array = v8::Array::New(pIsolate, list.size());
    for (int i = 0; i < list.size(); ++i) {
        const win32sim::PostedMessage &msg = list.at(i);
        v8::Local<v8::Object> item = v8::Object::New(pIsolate);
        js::set(pIsolate, item, "hwnd", handle(pIsolate, msg.hwnd));
        js::set(pIsolate, item, "message", v8::Number::New(pIsolate, msg.message));
        js::set(pIsolate, item, "wParam", v8::Number::New(pIsolate, double(msg.wParam)));
        js::set(pIsolate, item, "lParam", v8::Number::New(pIsolate, double(msg.lParam)));
        array->Set(pIsolate->GetCurrentContext(), uint32_t(i), item).Check();
    }
    info.GetReturnValue().Set(array);
}

void clearPostedMessages(const Args &)
{
    win32sim::clearPostedMessages();
}

// setMonitors([{ rect, work?, primary? }, ...]): exactly one primary
void setMonitors(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    auto fail = [pIsolate] {
        js::throwTypeError(pIsolate, QStringLiteral("setMonitors: expects [{ rect, work?, primary? }] with exactly one primary"));
    };
    if (!info[0]->IsArray())
        return fail();
    v8::Local<v8::Array> array = info[0].As<v8::Array>();
    if (array->Length() == 0 || array->Length() > 16)
        return fail();
    QVector<win32sim::Monitor> list;
    int iPrimary = 0;
    for (uint32_t i = 0; i < array->Length(); ++i) {
        v8::Local<v8::Value> item;
        if (!array->Get(pIsolate->GetCurrentContext(), i).ToLocal(&item) || !item->IsObject())
            return fail();
        win32sim::Monitor monitor;
        if (!js::toRect(pIsolate, js::get(pIsolate, item.As<v8::Object>(), "rect"), &monitor.rect)
            || monitor.rect.isEmpty())
            return fail();
        v8::Local<v8::Value> work = js::get(pIsolate, item.As<v8::Object>(), "work");
        if (!work->IsUndefined() && !js::toRect(pIsolate, work, &monitor.work))
            return fail();
        monitor.primary = optionalBool(pIsolate, js::get(pIsolate, item.As<v8::Object>(), "primary"), false);
        iPrimary += monitor.primary ? 1 : 0;
        list.append(monitor);
    }
    if (iPrimary != 1)
        return fail();
    win32sim::setMonitors(list);
}

void monitors(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    const QVector<win32sim::Monitor> list = win32sim::monitors();
    v8::Local<v8::Array> array = v8::Array::New(pIsolate, list.size());
    for (int i = 0; i < list.size(); ++i) {
        v8::Local<v8::Object> item = v8::Object::New(pIsolate);
        js::set(pIsolate, item, "rect", js::rect(pIsolate, list.at(i).rect));
        js::set(pIsolate, item, "work", js::rect(pIsolate, list.at(i).work));
        js::set(pIsolate, item, "primary", v8::Boolean::New(pIsolate, list.at(i).primary));
        array->Set(pIsolate->GetCurrentContext(), uint32_t(i), item).Check();
    }
    info.GetReturnValue().Set(array);
}

void reset(const Args &)
{
    win32sim::reset();
}

// winEvents([on]) -> whether WinEvents are raised and delivered; with an argument, sets it first
void winEvents(const Args &info)
{
    if (!info[0]->IsUndefined())
        win32sim::setWinEventsEnabled(info[0]->BooleanValue(info.GetIsolate()));
    info.GetReturnValue().Set(win32sim::winEventsEnabled());
}

// picture() -> Buffer holding the whole virtual screen as PNG
bool requirePainting(const Args &info, const char *pszName)
{
    if (qGuiApp) // text and images are drawn with Qt's fonts
        return true;
    js::throwError(info.GetIsolate(), QStringLiteral("%1: the Qt application is not running").arg(QLatin1String(pszName)));
    return false;
}

void picture(const Args &info)
{
    if (!requirePainting(info, "picture"))
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    win32sim::picture().save(&buffer, "PNG");
    v8::Local<v8::Object> result;
    if (node::Buffer::Copy(info.GetIsolate(), png.constData(), size_t(png.size())).ToLocal(&result))
        info.GetReturnValue().Set(result);
}

void savePicture(const Args &info)
{
    QString path;
    if (js::argString(info, 0, &path, "savePicture") && requirePainting(info, "savePicture"))
        info.GetReturnValue().Set(win32sim::savePicture(path));
}

} // namespace

v8::Local<v8::Object> makeDesktopBinding(v8::Isolate *pIsolate)
{
    v8::Local<v8::Object> object = v8::Object::New(pIsolate);
    js::setMethod(pIsolate, object, "createWindow", createWindow);
    js::setMethod(pIsolate, object, "createChrome", createChrome);
    js::setMethod(pIsolate, object, "createIe11", createIe11);
    js::setMethod(pIsolate, object, "moveWindow", moveWindow);
    js::setMethod(pIsolate, object, "setTitle", setTitle);
    js::setMethod(pIsolate, object, "show", onWindow<win32sim::show>);
    js::setMethod(pIsolate, object, "hide", onWindow<win32sim::hide>);
    js::setMethod(pIsolate, object, "activate", onWindow<win32sim::activate>);
    js::setMethod(pIsolate, object, "destroy", onWindow<win32sim::destroy>);
    js::setMethod(pIsolate, object, "moveTab", moveTab);
    js::setMethod(pIsolate, object, "click", click);
    js::setMethod(pIsolate, object, "wheel", wheel);
    js::setMethod(pIsolate, object, "topLevelOrder", topLevelOrder);
    js::setMethod(pIsolate, object, "childOrder", childOrder);
    js::setMethod(pIsolate, object, "parentOf", handleOf<win32sim::parentOf>);
    js::setMethod(pIsolate, object, "ownerOf", handleOf<win32sim::ownerOf>);
    js::setMethod(pIsolate, object, "className", textOf<win32sim::className>);
    js::setMethod(pIsolate, object, "title", textOf<win32sim::title>);
    js::setMethod(pIsolate, object, "describe", textOf<win32sim::describe>);
    js::setMethod(pIsolate, object, "windowRect", rectOf<win32sim::windowRect>);
    js::setMethod(pIsolate, object, "clientRect", rectOf<win32sim::clientRect>);
    js::setMethod(pIsolate, object, "isVisible", flagOf<win32sim::isVisible>);
    js::setMethod(pIsolate, object, "isTopmost", flagOf<win32sim::isTopmost>);
    js::setMethod(pIsolate, object, "hasRegion", flagOf<win32sim::hasRegion>);
    js::setMethod(pIsolate, object, "region", region);
    js::setMethod(pIsolate, object, "regionContains", regionContains);
    js::setMethod(pIsolate, object, "foreground", globalHandle<win32sim::foreground>);
    js::setMethod(pIsolate, object, "dump", dump);
    js::setMethod(pIsolate, object, "trayWnd", globalHandle<win32sim::trayWnd>);
    js::setMethod(pIsolate, object, "secondaryTrayWnd", globalHandle<win32sim::secondaryTrayWnd>);
    js::setMethod(pIsolate, object, "startButton", globalHandle<win32sim::startButton>);
    js::setMethod(pIsolate, object, "postedMessages", postedMessages);
    js::setMethod(pIsolate, object, "clearPostedMessages", clearPostedMessages);
    js::setMethod(pIsolate, object, "setMonitors", setMonitors);
    js::setMethod(pIsolate, object, "monitors", monitors);
    js::setMethod(pIsolate, object, "reset", reset);
    js::setMethod(pIsolate, object, "winEvents", winEvents);
    js::setMethod(pIsolate, object, "picture", picture);
    js::setMethod(pIsolate, object, "savePicture", savePicture);
    return object;
}
