// desktop.*: the simulated desktop's control face for scripts. Window handles cross as
// decimal texts (as the page passes them); rectangles as { x, y, width, height } (arrays
// [x, y, width, height] are read too); a missing handle reads back as null.

#include "Bindings.h"
#include "JsValues.h"

#include <win32sim/Desktop.h>

#include <QBuffer>
#include <QGuiApplication>


#include <cstdlib>
#include <utility>

namespace {

using js::Args;

napi_value handle(napi_env env, HWND hWnd)
{
    if (!hWnd)
        return js::null(env);
    return js::str(env, QString::number(quintptr(hWnd)));
}

// Decimal text or a whole number; null/undefined/"0" only where a null handle is allowed.
bool toHandle(napi_env env, napi_value value, HWND *phWnd, bool bAllowNull)
{
    if (js::isNullOrUndefined(env, value)) {
        *phWnd = nullptr;
        return bAllowNull;
    }
    quintptr uValue = 0;
    if (js::isString(env, value)) {
        bool bOk = false;
        uValue = js::toQString(env, value).toULongLong(&bOk, 10);
        if (!bOk)
            return false;
    } else if (js::isNumber(env, value)) {
        const double d = js::numberValue(env, value);
        if (!(d >= 0 && d <= 9007199254740991.0) || double(quintptr(d)) != d)
            return false;
        uValue = quintptr(d);
    } else {
        return false;
    }
    *phWnd = reinterpret_cast<HWND>(uValue);
    return *phWnd || bAllowNull;
}

napi_value handles(napi_env env, const QVector<HWND> &list)
{
    napi_value array = js::array(env, size_t(list.size()));
    for (int i = 0; i < list.size(); ++i)
        js::setIndex(env, array, uint32_t(i), handle(env, list.at(i)));
    return array;
}

bool argHandle(Args &info, int iIndex, HWND *phWnd, const char *pszName)
{
    return js::checkArg(info, iIndex, toHandle(info.env, info[iIndex], phWnd, false), pszName,
                        "a window handle (decimal text)");
}

bool argRect(Args &info, int iIndex, QRect *pRect, const char *pszName)
{
    return js::checkArg(info, iIndex, js::toRect(info.env, info[iIndex], pRect), pszName,
                        "a rectangle {x, y, width, height}");
}

bool optionalBool(napi_env env, napi_value value, bool bDefault)
{
    return js::isUndefined(env, value) ? bDefault : js::truthy(env, value);
}

// ---- making windows -------------------------------------------------------------------

// createWindow({ rect, className?, title?, framed?, parent?, owner?, visible?, topmost?,
//                tool?, extraStyle?, colour? }) -> handle
void createWindow(Args &info)
{
    napi_env env = info.env;
    if (!js::isObject(env, info[0]))
        return js::throwTypeError(env, QStringLiteral("createWindow: expects { rect, ... }"));
    napi_value desc = info[0];
    win32sim::NewWindow window;
    auto fail = [env](const char *pszField) {
        js::throwTypeError(env, QStringLiteral("createWindow: bad %1").arg(QLatin1String(pszField)));
    };
    if (!js::toRect(env, js::get(env, desc, "rect"), &window.rect))
        return fail("rect");
    napi_value value = js::get(env, desc, "className");
    if (!js::isUndefined(env, value) && !js::toString(env, value, &window.className))
        return fail("className");
    value = js::get(env, desc, "title");
    if (!js::isUndefined(env, value) && !js::toString(env, value, &window.title))
        return fail("title");
    if (!toHandle(env, js::get(env, desc, "parent"), &window.parent, true))
        return fail("parent");
    if (!toHandle(env, js::get(env, desc, "owner"), &window.owner, true))
        return fail("owner");
    window.framed = optionalBool(env, js::get(env, desc, "framed"), false);
    window.visible = optionalBool(env, js::get(env, desc, "visible"), true);
    window.topmost = optionalBool(env, js::get(env, desc, "topmost"), false);
    window.tool = optionalBool(env, js::get(env, desc, "tool"), false);
    value = js::get(env, desc, "extraStyle");
    if (!js::isUndefined(env, value)) {
        const double d = js::isNumber(env, value) ? js::numberValue(env, value) : -1;
        if (!(d >= 0 && d <= 4294967295.0) || double(DWORD(d)) != d)
            return fail("extraStyle");
        window.extraStyle = DWORD(d);
    }
    value = js::get(env, desc, "colour");
    if (!js::isUndefined(env, value)) {
        QString name;
        if (!js::toString(env, value, &name) || !QColor::isValidColor(name))
            return fail("colour");
        window.colour = QColor(name);
    }
    info.result = handle(env, win32sim::createWindow(window));
}

// createChrome(title, rect[, stripHeight]) -> { frame, render, compositor }
void createChrome(Args &info)
{
    napi_env env = info.env;
    QString title;
    QRect rc;
    int iStrip = 80;
    if (!js::argString(info, 0, &title, "createChrome") || !argRect(info, 1, &rc, "createChrome"))
        return;
    if (!js::isUndefined(env, info[2]) && (!js::argInt(info, 2, &iStrip, "createChrome")))
        return;
    const win32sim::ChromeWindow chrome = win32sim::createChrome(title, rc, iStrip);
    napi_value result = js::object(env);
    js::set(env, result, "frame", handle(env, chrome.frame));
    js::set(env, result, "render", handle(env, chrome.render));
    js::set(env, result, "compositor", handle(env, chrome.compositor));
    info.result = result;
}

// createIe11(frameTitle, rect, tabTitles) -> { frame, frameTabs, tabWindows }
void createIe11(Args &info)
{
    napi_env env = info.env;
    QString title;
    QRect rc;
    if (!js::argString(info, 0, &title, "createIe11") || !argRect(info, 1, &rc, "createIe11"))
        return;
    QVariant tabs;
    if (!js::isArray(env, info[2]) || !js::toVariant(env, info[2], &tabs))
        return js::throwTypeError(env, QStringLiteral("createIe11: argument 3 must be an array of tab titles"));
    QStringList tabTitles;
    for (const QVariant &tab : tabs.toList()) {
        if (tab.userType() != QMetaType::QString)
            return js::throwTypeError(env, QStringLiteral("createIe11: tab titles must be strings"));
        tabTitles.append(tab.toString());
    }
    const win32sim::IeWindow ie = win32sim::createIe11(title, rc, tabTitles);
    napi_value result = js::object(env);
    js::set(env, result, "frame", handle(env, ie.frame));
    js::set(env, result, "frameTabs", handles(env, ie.frameTabs));
    js::set(env, result, "tabWindows", handles(env, ie.tabWindows));
    info.result = result;
}

// ---- what a user does -----------------------------------------------------------------

void moveWindow(Args &info)
{
    HWND hWnd;
    QRect rc;
    if (argHandle(info, 0, &hWnd, "moveWindow") && argRect(info, 1, &rc, "moveWindow"))
        win32sim::moveWindow(hWnd, rc);
}

void setTitle(Args &info)
{
    HWND hWnd;
    QString title;
    if (argHandle(info, 0, &hWnd, "setTitle") && js::argString(info, 1, &title, "setTitle"))
        win32sim::setTitle(hWnd, title);
}

template <void (*Fn)(HWND)>
void onWindow(Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        Fn(hWnd);
}

void moveTab(Args &info)
{
    HWND hTab, hFrameTab;
    if (argHandle(info, 0, &hTab, "moveTab") && argHandle(info, 1, &hFrameTab, "moveTab"))
        win32sim::moveTab(hTab, hFrameTab);
}

// click(x, y[, doubleClick]), wheel(x, y, delta): screen coordinates
void click(Args &info)
{
    int x, y;
    if (js::argInt(info, 0, &x, "click") && js::argInt(info, 1, &y, "click"))
        win32sim::click(QPoint(x, y), optionalBool(info.env, info[2], false));
}

void wheel(Args &info)
{
    int x, y, iDelta;
    if (js::argInt(info, 0, &x, "wheel") && js::argInt(info, 1, &y, "wheel") && js::argInt(info, 2, &iDelta, "wheel"))
        win32sim::wheel(QPoint(x, y), iDelta);
}

// ---- reading the state back -----------------------------------------------------------

void topLevelOrder(Args &info)
{
    info.result = handles(info.env, win32sim::topLevelOrder());
}

void childOrder(Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "childOrder"))
        info.result = handles(info.env, win32sim::childOrder(hWnd));
}

template <HWND (*Fn)(HWND)>
void handleOf(Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.result = handle(info.env, Fn(hWnd));
}

template <QString (*Fn)(HWND)>
void textOf(Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.result = js::str(info.env, Fn(hWnd));
}

template <QRect (*Fn)(HWND)>
void rectOf(Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.result = js::rect(info.env, Fn(hWnd));
}

template <bool (*Fn)(HWND)>
void flagOf(Args &info)
{
    HWND hWnd;
    if (argHandle(info, 0, &hWnd, "desktop"))
        info.result = js::boolean(info.env, Fn(hWnd));
}

// region(hwnd) -> rectangles in window coordinates
void region(Args &info)
{
    napi_env env = info.env;
    HWND hWnd;
    if (!argHandle(info, 0, &hWnd, "region"))
        return;
    const QRegion rgn = win32sim::region(hWnd);
    napi_value array = js::array(env, size_t(rgn.rectCount()));
    uint32_t i = 0;
    for (const QRect &rc : rgn)
        js::setIndex(env, array, i++, js::rect(env, rc));
    info.result = array;
}

// regionContains(hwnd, x, y): the point, in window coordinates, lies in the window's region
void regionContains(Args &info)
{
    HWND hWnd;
    int x, y;
    if (argHandle(info, 0, &hWnd, "regionContains") && js::argInt(info, 1, &x, "regionContains")
        && js::argInt(info, 2, &y, "regionContains"))
        info.result = js::boolean(info.env, win32sim::region(hWnd).contains(QPoint(x, y)));
}

template <HWND (*Fn)()>
void globalHandle(Args &info)
{
    info.result = handle(info.env, Fn());
}

void dump(Args &info)
{
    info.result = js::str(info.env, win32sim::dump());
}

// postedMessages([hwnd]) -> [{ hwnd, message, wParam, lParam }]
void postedMessages(Args &info)
{
    napi_env env = info.env;
    HWND hWnd = nullptr;
    if (!toHandle(env, info[0], &hWnd, true))
        return js::throwTypeError(env, QStringLiteral("postedMessages: argument 1 must be a window handle or absent"));
    const QVector<win32sim::PostedMessage> list = win32sim::postedMessages(hWnd);
    napi_value array = js::array(env, size_t(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        const win32sim::PostedMessage &msg = list.at(i);
        napi_value item = js::object(env);
        js::set(env, item, "hwnd", handle(env, msg.hwnd));
        js::set(env, item, "message", js::num(env, msg.message));
        js::set(env, item, "wParam", js::num(env, double(msg.wParam)));
        js::set(env, item, "lParam", js::num(env, double(msg.lParam)));
        js::setIndex(env, array, uint32_t(i), item);
    }
    info.result = array;
}

void clearPostedMessages(Args &)
{
    win32sim::clearPostedMessages();
}

// setMonitors([{ rect, work?, primary? }, ...]): exactly one primary
void setMonitors(Args &info)
{
    napi_env env = info.env;
    auto fail = [env] {
        js::throwTypeError(env, QStringLiteral("setMonitors: expects [{ rect, work?, primary? }] with exactly one primary"));
    };
    if (!js::isArray(env, info[0]))
        return fail();
    napi_value array = info[0];
    const uint32_t uCount = js::arrayLength(env, array);
    if (uCount == 0 || uCount > 16)
        return fail();
    QVector<win32sim::Monitor> list;
    int iPrimary = 0;
    for (uint32_t i = 0; i < uCount; ++i) {
        napi_value item = js::at(env, array, i);
        if (!js::isObject(env, item))
            return fail();
        win32sim::Monitor monitor;
        if (!js::toRect(env, js::get(env, item, "rect"), &monitor.rect)
            || monitor.rect.isEmpty())
            return fail();
        napi_value work = js::get(env, item, "work");
        if (!js::isUndefined(env, work) && !js::toRect(env, work, &monitor.work))
            return fail();
        monitor.primary = optionalBool(env, js::get(env, item, "primary"), false);
        iPrimary += monitor.primary ? 1 : 0;
        list.append(monitor);
    }
    if (iPrimary != 1)
        return fail();
    win32sim::setMonitors(list);
}

void monitors(Args &info)
{
    napi_env env = info.env;
    const QVector<win32sim::Monitor> list = win32sim::monitors();
    napi_value array = js::array(env, size_t(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        napi_value item = js::object(env);
        js::set(env, item, "rect", js::rect(env, list.at(i).rect));
        js::set(env, item, "work", js::rect(env, list.at(i).work));
        js::set(env, item, "primary", js::boolean(env, list.at(i).primary));
        js::setIndex(env, array, uint32_t(i), item);
    }
    info.result = array;
}

void reset(Args &)
{
    win32sim::reset();
}

// winEvents([on]) -> whether WinEvents are raised and delivered; with an argument, sets it first
void winEvents(Args &info)
{
    if (!js::isUndefined(info.env, info[0]))
        win32sim::setWinEventsEnabled(js::truthy(info.env, info[0]));
    info.result = js::boolean(info.env, win32sim::winEventsEnabled());
}

// can(ability) -> whether this desktop does it: "screenPixels", "setMonitors", "queueWake",
// "switchWinEvents" (a real desktop cannot do all of them); false for any other name
void can(Args &info)
{
    static const std::pair<const char *, win32sim::Ability> abilities[] = {
        {"screenPixels", win32sim::Ability::ScreenPixels},
        {"setMonitors", win32sim::Ability::SetMonitors},
        {"queueWake", win32sim::Ability::QueueWake},
        {"switchWinEvents", win32sim::Ability::SwitchWinEvents},
    };
    QString name;
    if (!js::argString(info, 0, &name, "can"))
        return;
    bool bCan = false;
    for (const auto &ability : abilities)
        if (name == QLatin1String(ability.first))
            bCan = win32sim::can(ability.second);
    info.result = js::boolean(info.env, bCan);
}

// picture() -> Buffer holding the whole virtual screen as PNG
bool requirePainting(Args &info, const char *pszName)
{
    if (qGuiApp) // text and images are drawn with Qt's fonts
        return true;
    js::throwError(info.env, QStringLiteral("%1: the Qt application is not running").arg(QLatin1String(pszName)));
    return false;
}

void picture(Args &info)
{
    if (!requirePainting(info, "picture"))
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    win32sim::picture().save(&buffer, "PNG");
    napi_value result;
    if (napi_create_buffer_copy(info.env, size_t(png.size()), png.constData(), nullptr, &result) == napi_ok)
        info.result = result;
}

void savePicture(Args &info)
{
    QString path;
    if (js::argString(info, 0, &path, "savePicture") && requirePainting(info, "savePicture"))
        info.result = js::boolean(info.env, win32sim::savePicture(path));
}

} // namespace

napi_value makeDesktopBinding(napi_env env)
{
    napi_value object = js::object(env);
    js::setMethod(env, object, "createWindow", createWindow);
    js::setMethod(env, object, "createChrome", createChrome);
    js::setMethod(env, object, "createIe11", createIe11);
    js::setMethod(env, object, "moveWindow", moveWindow);
    js::setMethod(env, object, "setTitle", setTitle);
    js::setMethod(env, object, "show", onWindow<win32sim::show>);
    js::setMethod(env, object, "hide", onWindow<win32sim::hide>);
    js::setMethod(env, object, "activate", onWindow<win32sim::activate>);
    js::setMethod(env, object, "destroy", onWindow<win32sim::destroy>);
    js::setMethod(env, object, "moveTab", moveTab);
    js::setMethod(env, object, "click", click);
    js::setMethod(env, object, "wheel", wheel);
    js::setMethod(env, object, "topLevelOrder", topLevelOrder);
    js::setMethod(env, object, "childOrder", childOrder);
    js::setMethod(env, object, "parentOf", handleOf<win32sim::parentOf>);
    js::setMethod(env, object, "ownerOf", handleOf<win32sim::ownerOf>);
    js::setMethod(env, object, "className", textOf<win32sim::className>);
    js::setMethod(env, object, "title", textOf<win32sim::title>);
    js::setMethod(env, object, "describe", textOf<win32sim::describe>);
    js::setMethod(env, object, "windowRect", rectOf<win32sim::windowRect>);
    js::setMethod(env, object, "clientRect", rectOf<win32sim::clientRect>);
    js::setMethod(env, object, "isVisible", flagOf<win32sim::isVisible>);
    js::setMethod(env, object, "isTopmost", flagOf<win32sim::isTopmost>);
    js::setMethod(env, object, "hasRegion", flagOf<win32sim::hasRegion>);
    js::setMethod(env, object, "region", region);
    js::setMethod(env, object, "regionContains", regionContains);
    js::setMethod(env, object, "foreground", globalHandle<win32sim::foreground>);
    js::setMethod(env, object, "dump", dump);
    js::setMethod(env, object, "trayWnd", globalHandle<win32sim::trayWnd>);
    js::setMethod(env, object, "secondaryTrayWnd", globalHandle<win32sim::secondaryTrayWnd>);
    js::setMethod(env, object, "startButton", globalHandle<win32sim::startButton>);
    js::setMethod(env, object, "postedMessages", postedMessages);
    js::setMethod(env, object, "clearPostedMessages", clearPostedMessages);
    js::setMethod(env, object, "setMonitors", setMonitors);
    js::setMethod(env, object, "monitors", monitors);
    js::setMethod(env, object, "reset", reset);
    js::setMethod(env, object, "winEvents", winEvents);
    js::setMethod(env, object, "can", can);
    js::setMethod(env, object, "picture", picture);
    js::setMethod(env, object, "savePicture", savePicture);
    return object;
}
