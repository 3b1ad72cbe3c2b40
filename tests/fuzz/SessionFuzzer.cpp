// libFuzzer entry: whole sessions of a page. The input decodes, a byte at a time, into a
// list of typed actions over a small world (two Chrome windows, one of them able to fill
// its monitor, an IE11 frame with two tabs, a plain page window, five window keys and one
// without a browser): requests with fields from tables of edge values, what a user does
// on the desktop, component signals, plug-in library messages, timer passes, and
// reactions armed in advance that run from inside the next notification. Every action is
// followed by the invariants of the world; a broken one aborts with the action's name.
//
// The script side is modelled at the manager's boundary as the binding reacts: script
// objects connected to the manager's notification signals, one callback for the module,
// a throw from inside a request left pending until that request returns (notifications
// meanwhile queued again), a throw from an event reported and the event going on,
// collection of an object forgetting the callback, and nothing delivered once exit began.
#include "FuzzWorld.h"
#include "ReplyCheck.h"

#include "host/NotificationSignals.h"
#include "host/WindowControl.h"
#include "manager/RequestTable.h"

#include <VarAvozov/Control.h>
#include <win32sim/Desktop.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaMethod>
#include <QPointer>
#include <QSet>
#include <QTimerEvent>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

// ---- Decoding: bytes from the front; an exhausted input reads as zeros.
struct Input
{
    const uint8_t *p;
    size_t n;
    int byte() { return n ? (--n, *p++) : 0; }
    int pick(int count) { return byte() % count; }
    bool flag() { return byte() & 1; }
};

template <typename T, size_t N>
constexpr int countOf(const T (&)[N]) { return int(N); }

// ---- Tables of values.
const char *const kKeys[] = {"k0", "k1", "k2", "k3", "k4", "zz"};
const int kEdgeInts[] = {0, 1, -1, 2, 3, 16, 64, 120, -120, 1000, 5000, 65535, 100000, -100000, INT_MAX, INT_MIN,
                         INT_MAX - 1, INT_MIN + 1};

QString hugeText() { return QString(70000, QLatin1Char('x')); }

// JSON values a field may get instead of its usual one.
const QVector<QJsonValue> &edgeValues()
{
    static const QVector<QJsonValue> s_values = [] {
        QVector<QJsonValue> values;
        for (int i : kEdgeInts)
            values << i;
        const auto rect = [](double l, double t, double w, double h) {
            return QJsonObject{{"left", l}, {"top", t}, {"width", w}, {"height", h}};
        };
        values << 2147483648.0 << -2147483649.0 << 4294967295.0 << 1e18 << 1e308 << -1e308 << 0.5 << -0.5
               << "" << "16" << "true" << "abc" << "top" << "left" << "right" << "bottom" << hugeText()
               << "Y2Ftw6lyYQ==" << "Chrome" << "IEFrame" << QString::fromUtf8("\xe2\x80\xae\0k0", 6) << true << false
               << QJsonValue() << QJsonArray() << QJsonObject() << QJsonArray{1, "a", QJsonValue()}
               << rect(INT_MAX, INT_MAX, INT_MAX, INT_MAX) << rect(INT_MIN, INT_MIN, INT_MIN, INT_MIN)
               << rect(0, 0, 0, 0) << rect(0, 0, 100000, 100000) << rect(-5000, -5000, 320, 180)
               << rect(10, 20, 320, 180) << rect(0, 0, 1920, 1080) << QJsonObject{{"left", "1"}, {"top", true}};
        return values;
    }();
    return s_values;
}

// Names a request may get besides those of its usual fields.
const char *const kExtraFields[] = {"sequence", "uuid", "rect", "embed", "className", "parentWnd", "zz", ""};
const char *const kRawRequests[] = {"", "{", "[]", "null", "\"k0\"", "{\"uuid\":5,\"sequence\":[]}",
                                    "{\"sequence\":\"1\",\"uuid\":\"k0\"", "[{\"uuid\":\"k0\"}]"};
const char *const kConfigs[] = {"", "<config><volume>3</volume></config>", "<config><volume>", "not xml"};
const char *const kPluginFiles[] = {"sample_plugin", "sample_plugin_nofree", "sample_plugin_nocleanup",
                                    "sample_plugin_nocallback", "sample_plugin_nocreate", "missing"};
const char *const kPushKinds[] = {"", "now", "text", "nobody"};
const char *const kAnswerKinds[] = {"", "array", "text", "string", "none"};

// Each request's usual fields: the request fuzzer's first seed for the key c1.
QJsonObject usualFields(const RequestEntry &entry)
{
    static QMap<QString, QJsonObject> s_fields;
    if (!s_fields.contains(entry.pszName)) {
        QFile file(QStringLiteral(WC_SOURCE_DIR "/tests/fuzz/corpus/%1-0-c1").arg(entry.pszName));
        QJsonObject object;
        if (file.open(QIODevice::ReadOnly)) {
            file.readLine();
            object = QJsonDocument::fromJson(file.readAll()).object();
        }
        object.remove("sequence");
        object.remove("uuid");
        s_fields.insert(entry.pszName, object);
    }
    return s_fields.value(entry.pszName);
}

// ---- The world of one input.
struct World
{
    win32sim::ChromeWindow chrome;   // k0, k1
    HWND hFull = nullptr;            // k2: a frameless Chrome whose page starts at its top
    win32sim::IeWindow ie;           // k3 in the first tab
    HWND hPage = nullptr;            // k4, a plain page window, also handed over as a parent
    HWND hOther = nullptr;           // another application
    QMap<QString, HWND> gone;        // keys destroyed by the last action: their host windows
    QSize largestScreen;             // a host placed on a larger screen keeps its size
    int iSequence = 0;
};
World s_world;

const QRect kChromeRect(100, 50, 1000, 700), kFullRect(200, 150, 800, 600), kIeRect(150, 100, 900, 700),
    kPageRect(300, 200, 640, 480);

void makeBrowser(int which)
{
    if (which == 0) {
        s_world.chrome = win32sim::createChrome("chrome [k0] [k1]", kChromeRect);
    } else if (which == 1) {
        s_world.hFull = win32sim::createWindow({"Chrome_WidgetWin_1", "full [k2]", kFullRect});
        win32sim::createWindow({"Chrome_RenderWidgetHostHWND", "", QRect(QPoint(), kFullRect.size()), false, s_world.hFull});
    } else if (which == 2) {
        s_world.ie = win32sim::createIe11("ie", kIeRect, {"tab [k3]", "tab two"});
    } else {
        s_world.hPage = win32sim::createWindow({"FuzzPage", "page [k4]", kPageRect, true});
    }
}

HWND browserFrame(int which)
{
    const HWND frames[] = {s_world.chrome.frame, s_world.hFull, s_world.ie.frame, s_world.hPage};
    return frames[which & 3];
}

QString handleText(HWND hWnd) { return QString::number(reinterpret_cast<quintptr>(hWnd)); }
HWND hwndOf(const QWidget *pWidget) { return reinterpret_cast<HWND>(pWidget->winId()); }

[[noreturn]] void fail(const char *pszAction, const QString &what)
{
    fprintf(stderr, "session fuzzer, after %s: %s\n%s\n", pszAction, qPrintable(what), qPrintable(win32sim::dump()));
    abort();
}

// ---- The script side, as the binding reacts.
enum class Reaction { Request, DestroyNotifying, ReplaceNotifying, Throw, Collect, Exit, ClearCallback };
struct Armed
{
    Reaction reaction;
    const RequestEntry *pEntry;
    QString text;   // the request, or the CreateWnd fields of a replacement
};

struct Script
{
    enum { None, Function, NotFunction } callback = Function;
    QList<QPointer<QObject>> objects;
    QVector<Armed> armed;
    bool bExiting = false, bCleanupPending = false, bExceptionPending = false;
    int iCallDepth = 0, iDeliveryDepth = 0, iDeliveryCallDepth = 0;
    int iDelivered = 0;
};
Script s_script;
const char *s_pszAction = "start";
// FUZZ_TRACE=1: each request and each action with the keys registered after it, for
// reading a reproducer.
const bool s_bTrace = qEnvironmentVariableIsSet("FUZZ_TRACE");

void runArmed(const Armed &armed, const QString &uuid, QObject *pObject);

void deliver(QObject *pObject, const QString &text)
{
    if (s_script.bExiting || s_script.callback == Script::None)
        return;
    if (s_script.bExceptionPending) {
        QMetaObject::invokeMethod(pObject, [pObject, text] { deliver(pObject, text); }, Qt::QueuedConnection);
        return;
    }
    if (s_script.callback == Script::NotFunction)
        return;
    const QJsonObject note = QJsonDocument::fromJson(text.toUtf8()).object();
    if (!note.value("cmd").isString() || !note.value("uuid").isString())
        fail(s_pszAction, "a notification without cmd or uuid: " + text.left(300));

    const bool bFromMethod = s_script.iCallDepth > s_script.iDeliveryCallDepth;
    const int iOuterCallDepth = s_script.iDeliveryCallDepth;
    ++s_script.iDeliveryDepth;
    s_script.iDeliveryCallDepth = s_script.iCallDepth;
    bool bThrew = false;
    ++s_script.iDelivered;
    if (!s_script.armed.isEmpty()) {
        const Armed armed = s_script.armed.takeFirst();
        bThrew = armed.reaction == Reaction::Throw;
        runArmed(armed, note.value("uuid").toString(), pObject);
    }
    s_script.iDeliveryCallDepth = iOuterCallDepth;
    --s_script.iDeliveryDepth;
    // Thrown outside a method call it goes to the process's handler; inside one it is the
    // call's to raise, and deliveries wait until the call has returned.
    if (bFromMethod)
        s_script.bExceptionPending = bThrew;
}

void newScriptObject()
{
    QObject *pObject = new QObject;
    WindowControlManager *pManager = WindowControlManager::GetInstance();
#define CONNECT_NOTIFICATION(notification) \
    QObject::connect(pManager, &WindowControlManager::notification, pObject, [pObject](QString text) { deliver(pObject, text); });
    WINDOWCONTROL_SCRIPT_NOTIFICATIONS(CONNECT_NOTIFICATION)
#undef CONNECT_NOTIFICATION
    s_script.objects << pObject;
}

void collect(QObject *pObject)
{
    s_script.objects.removeAll(pObject);
    s_script.callback = Script::None;
    delete pObject;
}

// A method of the class, as the binding calls it.
QString callMethod(const RequestEntry &entry, const QString &text)
{
    if (s_bTrace)
        fprintf(stderr, "  %s %s\n", entry.pszName, qPrintable(text.left(300)));
    ++s_script.iCallDepth;
    s_script.bExceptionPending = false;
    WindowControlManager *pManager = WindowControlManager::GetInstance();
    QString reply;
    if (entry.kind == RequestKind::Reply)
        reply = (pManager->*entry.handler)(text);
    else if (entry.kind == RequestKind::Config)
        pManager->SetLocalConfig(text);
    else if (entry.kind == RequestKind::Close)
        pManager->ConnectClose(text);
    s_script.bExceptionPending = false;
    --s_script.iCallDepth;
    if (entry.kind == RequestKind::Reply)
        fuzz::checkReply(entry, text, reply);
    return reply;
}

const RequestEntry &entryNamed(const char *pszName)
{
    for (const RequestEntry &entry : kRequestTable) {
        if (qstrcmp(entry.pszName, pszName) == 0)
            return entry;
    }
    abort();
}

QString compact(const QJsonObject &object) { return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)); }

QString requestText(const QString &uuid, QJsonObject fields)
{
    fields.insert("sequence", QString::number(++s_world.iSequence));
    fields.insert("uuid", uuid);
    return compact(fields);
}

// Destroying keys: their host windows must be gone after the action.
void noteGoing(const QString &uuid)
{
    if (WindowControlManager *pManager = WindowControlManager::ExistingInstance()) {
        if (WindowControl *pHost = pManager->findWindow(uuid))
            s_world.gone.insert(uuid, hwndOf(pHost));
    }
}

void cleanupModule()
{
    s_script.bExiting = true;
    s_script.bCleanupPending = false;
    WindowControlManager::DeleteInstance();
    s_script.callback = Script::None;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!win32sim::isVisible(win32sim::trayWnd()))
        fail(s_pszAction, "the taskbar stays hidden after the module's cleanup");
}

void runArmed(const Armed &armed, const QString &uuid, QObject *pObject)
{
    if (armed.reaction == Reaction::Request) {
        callMethod(*armed.pEntry, armed.text);
    } else if (armed.reaction == Reaction::DestroyNotifying) {
        noteGoing(uuid);
        callMethod(entryNamed("DestroyWnd"), requestText(uuid, {}));
    } else if (armed.reaction == Reaction::ReplaceNotifying) {
        callMethod(entryNamed("CreateWnd"), requestText(uuid, QJsonDocument::fromJson(armed.text.toUtf8()).object()));
    } else if (armed.reaction == Reaction::Collect) {
        collect(pObject);
    } else if (armed.reaction == Reaction::Exit) {
        // process.exit() from inside: the module's frames are on the stack, the manager
        // goes once they have returned.
        s_script.bExiting = s_script.bCleanupPending = true;
    } else if (armed.reaction == Reaction::ClearCallback) {
        s_script.callback = Script::None;
    }   // Throw: the caller takes it
}

// ---- Decoders shared by several actions.
QString pickKey(Input &in) { return kKeys[in.pick(countOf(kKeys))]; }

Armed decodeRequest(Input &in)
{
    const RequestEntry *pEntry = &kRequestTable[in.pick(countOf(kRequestTable))];
    if (pEntry->kind == RequestKind::Callback)
        pEntry = &entryNamed("CreateWnd");
    const QString uuid = pickKey(in);
    const int iMode = in.byte();
    if (pEntry->kind == RequestKind::Config)
        return {Reaction::Request, pEntry, kConfigs[iMode % countOf(kConfigs)]};
    if (pEntry->kind == RequestKind::Close)
        return {Reaction::Request, pEntry, iMode < 200 ? uuid : QString(kRawRequests[iMode % countOf(kRawRequests)])};
    if (iMode >= 240)
        return {Reaction::Request, pEntry, kRawRequests[iMode % countOf(kRawRequests)]};
    QJsonObject fields = usualFields(*pEntry);
    fields.insert("sequence", QString::number(++s_world.iSequence));
    fields.insert("uuid", uuid);
    for (int i = iMode % 4; i > 0; --i) {
        const QStringList names = fields.keys();
        const int iName = in.byte();
        const QString name = iName < 160 ? names.value(iName % names.size()) : kExtraFields[iName % countOf(kExtraFields)];
        const QJsonValue value = edgeValues().value(in.pick(edgeValues().size()));
        if (fields.value(name).isObject() && in.byte() < 160) {
            QJsonObject inner = fields.value(name).toObject();
            const QStringList innerNames = inner.keys();
            inner.insert(innerNames.isEmpty() ? "zz" : innerNames.value(in.pick(innerNames.size())), value);
            fields.insert(name, inner);
        } else {
            fields.insert(name, value);
        }
    }
    return {Reaction::Request, pEntry, compact(fields)};
}

// CreateWnd's fields: which browser, embedded or kept above, where, how many panes.
QJsonObject decodeCreate(Input &in)
{
    const int iKind = in.byte();
    QJsonObject fields{{"embed", in.flag()}, {"splitType", in.pick(10) - 1}, {"wndNum", kEdgeInts[in.pick(countOf(kEdgeInts))]}};
    const char *const classNames[] = {"Chrome", "IEFrame", "", "Chrome_WidgetWin_1"};
    fields.insert("className", classNames[iKind & 3]);
    const QString parents[] = {"", "", handleText(s_world.hPage), handleText(browserFrame(1)), "12345", "page"};
    fields.insert("parentWnd", parents[(iKind >> 2) % 6]);
    const int iRect = in.byte();
    fields.insert("rect", iRect < 128 ? QJsonObject{{"left", iRect % 40}, {"top", 20}, {"width", 320}, {"height", 180}}
                                      : edgeValues().value(iRect % edgeValues().size()));
    return fields;
}

// ---- Invariants.
bool isAddOnWindow(HWND hWnd)
{
    const QString name = win32sim::className(hWnd);
    return (name.startsWith("Qt") && name.contains("QWindow")) || name.startsWith("SamplePluginWindow");
}

void allWindows(HWND hParent, QVector<HWND> &list)
{
    for (HWND hWnd : hParent ? win32sim::childOrder(hParent) : win32sim::topLevelOrder()) {
        list << hWnd;
        allWindows(hWnd, list);
    }
}

void checkRegistry()
{
    WindowControlManager *pManager = WindowControlManager::ExistingInstance();
    QSet<HWND> hosts;
    const QSize screen = s_world.largestScreen = s_world.largestScreen.expandedTo(
        QSize(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    for (const QString &key : pManager ? pManager->windowKeys() : QStringList()) {
        const WindowControl *pHost = pManager->findWindow(key);
        hosts.insert(hwndOf(pHost));
        if (pHost->width() > screen.width() || pHost->height() > screen.height())
            fail(s_pszAction, QString("host %1 is larger than any screen of the session").arg(key));
    }
    QVector<HWND> windows;
    allWindows(nullptr, windows);
    for (HWND hWnd : windows) {
        if (!isAddOnWindow(hWnd))
            continue;
        HWND hAncestor = hWnd;
        while (hAncestor && !hosts.contains(hAncestor))
            hAncestor = win32sim::parentOf(hAncestor);
        if (!hAncestor)
            fail(s_pszAction, "an add-on window outside the registry: " + win32sim::describe(hWnd));
    }
    for (WebClientComponents *pComponent : varavozov::liveComponents()) {
        const WindowControl *pHost = pManager ? pManager->findWindow(varavozov::componentKey(pComponent)) : nullptr;
        if (!pHost || !pHost->isAncestorOf(pComponent))
            fail(s_pszAction, "a live component outside the registry, key " + varavozov::componentKey(pComponent));
    }
    for (auto it = s_world.gone.cbegin(); it != s_world.gone.cend(); ++it) {
        if (IsWindow(it.value()))
            fail(s_pszAction, "the window of destroyed key " + it.key() + " is still there");
    }
    s_world.gone.clear();
    if (pManager && QAbstractEventDispatcher::instance()->registeredTimers(pManager).size() != 2)
        fail(s_pszAction, "the manager does not run exactly its two timers");
}

// After a pass: floating hosts above their browsers, and the taskbar shown when no host is
// left. A host keeps the taskbar as its last placement left it: the page places embedded
// ones again, and the follow pass places floating ones only when the browser's corner moves
// (a resize that keeps it changes nothing), so only a session without hosts is sure of it.
void checkStacking()
{
    WindowControlManager *pManager = WindowControlManager::ExistingInstance();
    const QStringList keys = pManager ? pManager->windowKeys() : QStringList();
    const QVector<HWND> order = win32sim::topLevelOrder();
    for (const QString &key : keys) {
        const WindowControl *pHost = pManager->findWindow(key);
        const HWND hBrowser = pHost->parentHwnd() ? GetAncestor(pHost->parentHwnd(), GA_ROOT) : nullptr;
        const HWND hHost = hwndOf(pHost);
        // An empty key attaches to the foreground window, which may be the taskbar: no
        // floating host goes over the topmost band for it.
        if (hBrowser && !pHost->isEmbed() && win32sim::isVisible(hHost) && win32sim::isVisible(hBrowser)
            && !win32sim::isTopmost(hBrowser) && order.indexOf(hHost) > order.indexOf(hBrowser))
            fail(s_pszAction, QString("floating host %1 below its browser after a pass: %2").arg(key, win32sim::describe(hBrowser)));
    }
    if (keys.isEmpty() && !win32sim::isVisible(win32sim::trayWnd()))
        fail(s_pszAction, "the taskbar hidden while no host is left");
}

// A point in a key's host (or its browser when there is none), as fractions of it.
QPoint pointIn(Input &in)
{
    const QString uuid = pickKey(in);
    const int iFrame = in.byte(), iX = in.byte(), iY = in.byte();
    WindowControlManager *pManager = WindowControlManager::ExistingInstance();
    const WindowControl *pHost = pManager ? pManager->findWindow(uuid) : nullptr;
    const QRect rc = pHost ? win32sim::windowRect(hwndOf(pHost)) : win32sim::windowRect(browserFrame(iFrame));
    return rc.topLeft() + QPoint(rc.width() * iX / 256, rc.height() * iY / 256);
}

void pumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// ---- Actions. Each decodes its own fields from the input, in the order written.
struct Action
{
    const char *pszName;
    void (*run)(Input &);
};
// The order is the encoding: make-sessions.js reads the names from here.
const Action kActions[] = {
    {"request", [](Input &in) {
        const Armed request = decodeRequest(in);
        if (request.pEntry->kind == RequestKind::Close || request.pEntry->handler == &WindowControlManager::DestroyWnd)
            noteGoing(request.pEntry->kind == RequestKind::Close ? request.text
                                                                  : QJsonDocument::fromJson(request.text.toUtf8()).object().value("uuid").toString());
        callMethod(*request.pEntry, request.text);
    }},
    {"create", [](Input &in) {
        const QString uuid = pickKey(in);
        callMethod(entryNamed("CreateWnd"), requestText(uuid, decodeCreate(in)));
    }},
    {"destroy", [](Input &in) {
        const QString uuid = pickKey(in);
        noteGoing(uuid);
        if (in.flag())
            callMethod(entryNamed("ConnectClose"), uuid);
        else
            callMethod(entryNamed("DestroyWnd"), requestText(uuid, {}));
    }},
    {"click", [](Input &in) {
        const bool bDouble = in.flag();
        win32sim::click(pointIn(in), bDouble);
    }},
    {"wheel", [](Input &in) {
        const int iDelta = kEdgeInts[in.pick(countOf(kEdgeInts))];
        win32sim::wheel(pointIn(in), iDelta);
    }},
    {"moveBrowser", [](Input &in) {
        const HWND hFrame = browserFrame(in.byte());
        const QRect monitor = win32sim::monitors().value(in.pick(2), win32sim::monitors().first()).rect;
        const QRect rc = win32sim::windowRect(hFrame);
        const QRect rects[] = {monitor, rc.translated(37, -11), rc.translated(-2000, 0), QRect(-32000, -32000, 160, 28),
                               QRect(0, 0, 0, 0), kFullRect, QRect(monitor.topLeft(), QSize(monitor.width(), 500)),
                               QRect(50, 40, 1200, 800)};
        if (IsWindow(hFrame))
            win32sim::moveWindow(hFrame, rects[in.pick(countOf(rects))]);
    }},
    {"activate", [](Input &in) {
        const int iWhich = in.pick(5);
        if (iWhich < 4 && IsWindow(browserFrame(iWhich)))
            win32sim::activate(browserFrame(iWhich));
        else if (iWhich == 4 && !IsWindow(s_world.hOther))
            s_world.hOther = win32sim::createWindow({"Notepad", "other", QRect(300, 200, 600, 400), true});
        else if (iWhich == 4)
            win32sim::activate(s_world.hOther);
    }},
    {"monitors", [](Input &in) {
        const QVector<win32sim::Monitor> layouts[] = {
            {{QRect(0, 0, 1920, 1080), QRect(), true}},
            {{QRect(0, 0, 1920, 1080), QRect(), true}, {QRect(1920, 0, 1280, 1024), QRect(), false}},
            {{QRect(0, 0, 1920, 1080), QRect(), true}, {QRect(-1080, -200, 1080, 1920), QRect(), false}},
            {{QRect(0, 0, 800, 600), QRect(0, 0, 800, 560), true}},
        };
        win32sim::setMonitors(layouts[in.pick(countOf(layouts))]);
    }},
    {"ieTab", [](Input &in) {
        const int iTab = in.pick(2), iFrameTab = in.pick(2);
        const bool bMove = in.flag();
        const QVector<HWND> &tabs = s_world.ie.tabWindows, &frameTabs = s_world.ie.frameTabs;
        if (tabs.size() < 2 || !IsWindow(tabs[iTab]) || !IsWindow(frameTabs[iFrameTab]))
            return;
        if (bMove) {
            win32sim::moveTab(tabs[iTab], frameTabs[iFrameTab]);
        } else {
            win32sim::hide(frameTabs[1 - iFrameTab]);   // the user picks the other tab
            win32sim::show(frameTabs[iFrameTab]);
        }
    }},
    {"browserLife", [](Input &in) {
        const int iWhich = in.pick(4), iOperation = in.pick(4);
        const HWND hFrame = browserFrame(iWhich);
        if (!IsWindow(hFrame)) {
            if (iOperation == 0)
                makeBrowser(iWhich);
        } else if (iOperation == 0) {
            win32sim::destroy(hFrame);
        } else if (iOperation < 3) {
            iOperation == 1 ? win32sim::hide(hFrame) : win32sim::show(hFrame);
        } else {
            win32sim::setTitle(hFrame, win32sim::title(hFrame).contains("[") ? "untitled" : "again [k0] [k2] [k4]");
        }
    }},
    {"signal", [](Input &in) {
        WebClientComponents *pComponent = varavozov::findComponent(pickKey(in));
        const QStringList names = varavozov::signalNames();
        const QByteArray name = names.value(in.pick(names.size())).toLatin1();
        int values[5];   // read whatever the signal takes, so the rest decodes the same
        for (int &iValue : values)
            iValue = in.byte();
        if (!pComponent)
            return;
        const QMetaObject *pMeta = pComponent->metaObject();
        QMetaMethod method;
        for (int i = 0; i < pMeta->methodCount(); ++i) {
            if (pMeta->method(i).methodType() == QMetaMethod::Signal && pMeta->method(i).name() == name)
                method = pMeta->method(i);
        }
        QVariantList args;
        const QList<WebClientComponents *> live = varavozov::liveComponents();
        for (int i = 0; i < method.parameterCount() && i < 5; ++i) {
            const int iValue = values[i];
            if (method.parameterType(i) == QMetaType::Bool)
                args << bool(iValue & 1);
            else if (method.parameterType(i) == QMetaType::QString)
                args << (iValue < 160 ? varavozov::componentGuid(live.value(iValue % live.size()))
                                      : edgeValues().value(iValue % edgeValues().size()).toString());
            else
                args << kEdgeInts[iValue % countOf(kEdgeInts)];
        }
        varavozov::emitSignal(pComponent, QString::fromLatin1(name), args);
    }},
    {"plugin", [](Input &in) {
        const QString uuid = pickKey(in);
        const int iOperation = in.pick(3);
        if (iOperation == 0) {
            const QString dllPath = QString("../../examples/lib%1.so").arg(kPluginFiles[in.pick(countOf(kPluginFiles))]);
            callMethod(entryNamed("StartService"), requestText(uuid, {{"options", QJsonObject{{"dllPath", dllPath}}}}));
        } else if (iOperation == 1) {
            callMethod(entryNamed("StopService"), requestText(uuid, {{"type", "window"}}));
        } else {
            // Bursts stay short: their threads call in while the rest of the session runs.
            const QJsonObject params{{"push", kPushKinds[in.pick(countOf(kPushKinds))]}, {"burst", in.pick(9)},
                                     {"interval", in.pick(3)}, {"answer", kAnswerKinds[in.pick(countOf(kAnswerKinds))]}};
            callMethod(entryNamed("RequestInterface"), requestText(uuid, {{"requestParams", params}}));
        }
    }},
    // What Qt and the thread's queue hold (WinEvents), the manager's passes (the 15 ms one,
    // the 100 ms one, or both), then the invariants of a pass.
    {"pass", [](Input &in) {
        const int iWhich = in.pick(3);
        QCoreApplication::processEvents();
        pumpMessages();
        if (WindowControlManager *pManager = WindowControlManager::ExistingInstance()) {
            for (const QAbstractEventDispatcher::TimerInfo &timer : QAbstractEventDispatcher::instance()->registeredTimers(pManager)) {
                if (iWhich == 2 || (iWhich == 0) == (timer.interval < 50)) {
                    QTimerEvent event(timer.timerId);
                    QCoreApplication::sendEvent(pManager, &event);
                }
            }
        }
        pumpMessages();
        if (iWhich == 2 && !s_script.bCleanupPending)
            checkStacking();
    }},
    {"events", [](Input &in) {
        std::this_thread::sleep_for(std::chrono::milliseconds(in.pick(4)));
        QCoreApplication::processEvents();
    }},
    {"arm", [](Input &in) {
        if (s_script.armed.size() >= 8)
            return;
        Armed armed{Reaction(in.pick(7)), nullptr, QString()};
        if (armed.reaction == Reaction::Request)
            armed = decodeRequest(in);
        else if (armed.reaction == Reaction::ReplaceNotifying)
            armed.text = compact(decodeCreate(in));
        s_script.armed << armed;
    }},
    // The callback a function, not one, or none; a new script object; a collection.
    {"script", [](Input &in) {
        const int iWhat = in.pick(5);
        if (iWhat < 3)
            s_script.callback = decltype(s_script.callback)((iWhat + 1) % 3);
        else if (iWhat == 3 && s_script.objects.size() < 3 && !s_script.bExiting)
            newScriptObject();
        else if (iWhat == 4 && !s_script.objects.isEmpty())
            collect(s_script.objects.first());
    }},
    {"exit", [](Input &) {
        if (!s_script.bExiting)
            cleanupModule();
    }},
};

// Thread CPU time: the other helpers' load on the machine does not count. Under the
// sanitizers and coverage the product runs about ten times slower, so an action counts
// as over 100 ms of the thread only past a second.
const double kActionBudgetMs = 100 * 10;
double s_dSlowestMs = 0;
const char *s_pszSlowest = "";

double threadMs()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}


QString windowKeysText()
{
    WindowControlManager *pManager = WindowControlManager::ExistingInstance();
    return pManager ? pManager->windowKeys().join(',') : QStringLiteral("(no manager)");
}

void reportSlowest()
{
    fprintf(stderr, "session fuzzer: slowest action %s, %.1f ms of thread time\n", s_pszSlowest, s_dSlowestMs);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication("session_fuzzer");
    atexit(&reportSlowest);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    win32sim::reset();
    varavozov::reset();
    varavozov::setHeatMapDelay(0);
    s_world = World();
    for (int i = 0; i < 4; ++i)
        makeBrowser(i);
    s_script = Script();
    newScriptObject();

    Input in{data, size};
    for (int iStep = 0; in.n && iStep < 128; ++iStep) {
        const Action &action = kActions[in.pick(countOf(kActions))];
        s_pszAction = action.pszName;
        const double dStart = threadMs();
        action.run(in);
        if (s_bTrace)
            fprintf(stderr, "%s: keys %s, %d delivered\n", action.pszName, qPrintable(windowKeysText()), s_script.iDelivered);
        if (s_script.bCleanupPending && !s_script.iDeliveryDepth && !s_script.iCallDepth)
            cleanupModule();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        checkRegistry();
        const double dMs = threadMs() - dStart;
        if (dMs > s_dSlowestMs) {
            s_dSlowestMs = dMs;
            s_pszSlowest = action.pszName;
        }
        if (dMs > kActionBudgetMs)
            fail(action.pszName, QString("took %1 ms of the thread").arg(dMs));
    }

    // The page goes: its services stopped (their threads end), then the process exits.
    s_pszAction = "the end";
    if (WindowControlManager *pManager = WindowControlManager::ExistingInstance()) {
        for (const char *pszKey : kKeys)
            pManager->StopService(requestText(pszKey, {{"type", "window"}}));
    }
    cleanupModule();
    checkRegistry();
    for (const QPointer<QObject> &pObject : s_script.objects)
        delete pObject.data();
    QCoreApplication::processEvents();
    return 0;
}
