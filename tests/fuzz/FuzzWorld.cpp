#include "FuzzWorld.h"

#include "host/WindowControl.h"
#include "manager/WindowControlManager.h"

#include <VarAvozov/Control.h>
#include <win32sim/Desktop.h>
#include <win32sim/QpaImport.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {

struct KnownHost
{
    QString uuid;
    QJsonObject fields;     // CreateWnd fields besides "sequence" and "uuid"
};

QVector<KnownHost> s_hosts;

QJsonObject pageRect(int left, int top, int width, int height)
{
    return {{"left", left}, {"top", top}, {"width", width}, {"height", height}};
}

QString handleText(HWND hWnd)
{
    return QString::number(reinterpret_cast<quintptr>(hWnd));
}

void createKnown(const KnownHost &known)
{
    QJsonObject request = known.fields;
    request.insert("sequence", "fuzz");
    request.insert("uuid", known.uuid);
    WindowControlManager::GetInstance()->CreateWnd(QString::fromUtf8(QJsonDocument(request).toJson()));
}

// The fuzzer's requests print a great deal (file names with NULs, ...): only
// critical messages stay (all of them with FUZZ_TRACE set).
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    static const bool s_bTrace = qEnvironmentVariableIsSet("FUZZ_TRACE");
    if (!s_bTrace && (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg))
        return;
    fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

void startApplication(const char *pszProgram)
{
    static int argc = 3;
    static QByteArray program(pszProgram);
    static char arg1[] = "-platform", arg2[] = "win32sim";
    static char *argv[] = {program.data(), arg1, arg2, nullptr};
    qInstallMessageHandler(quietMessages);
    qputenv("USERPROFILE", "C:\\Users\\fuzz");
    new QApplication(argc, argv);
    win32sim::reset();
}

void initialise()
{
    startApplication("request_fuzzer");
    // Two plain application windows handed over as explicit parents, two Chrome pages
    // (one host embedded, one kept above as a tool window) and an IE11 frame.
    const HWND hPageA = win32sim::createWindow({"FuzzPage", "page A", QRect(40, 40, 900, 700), true});
    const HWND hPageB = win32sim::createWindow({"FuzzPage", "page B", QRect(300, 200, 640, 480)});
    win32sim::createChrome("chrome c1 page", QRect(100, 50, 1000, 700));
    win32sim::createChrome("chrome c2 page", QRect(0, 0, 1920, 1080));
    win32sim::createIe11("ie", QRect(200, 100, 900, 700), {"tab i1", "other tab"});

    s_hosts = {
        {"d1", {{"parentWnd", handleText(hPageA)}, {"rect", pageRect(10, 10, 320, 240)}}},
        {"d2", {{"parentWnd", handleText(hPageB)}, {"embed", false}, {"rect", pageRect(0, 0, 200, 150)}}},
        {"c1", {{"className", "Chrome"}, {"rect", pageRect(20, 30, 400, 300)}}},
        {"c2", {{"className", "Chrome"}, {"embed", false}, {"rect", pageRect(0, 0, 640, 360)}, {"splitType", 3}}},
        {"i1", {{"className", "IEFrame"}, {"rect", pageRect(5, 5, 300, 200)}}},
    };
    for (const KnownHost &known : s_hosts)
        createKnown(known);
    if (qEnvironmentVariableIsSet("FUZZ_PRINT_HANDLES"))
        fprintf(stderr, "page A %s, page B %s\n", qPrintable(handleText(hPageA)), qPrintable(handleText(hPageB)));
}

void settle()
{
    // Page numbers are bounded: no host's native window is larger than the screen, so
    // none wants a backing store of gigabytes.
    WindowControlManager *pManager = WindowControlManager::GetInstance();
    const QSize screen(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    for (const QString &key : pManager->windowKeys()) {
        const WindowControl *pHost = pManager->findWindow(key);
        const QRect rc = pHost ? pHost->geometry() : QRect();
        if (rc.width() > screen.width() || rc.height() > screen.height()) {
            fprintf(stderr, "host %s is %dx%d, larger than the screen\n", qPrintable(key), rc.width(), rc.height());
            abort();
        }
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    for (const QString &key : pManager->windowKeys()) {
        if (std::none_of(s_hosts.cbegin(), s_hosts.cend(), [&](const KnownHost &host) { return host.uuid == key; }))
            pManager->DestroyWnd(QString::fromUtf8(QJsonDocument(QJsonObject{{"uuid", key}}).toJson()));
    }
    for (const KnownHost &host : s_hosts) {
        if (!pManager->findWindow(host.uuid))
            createKnown(host);
    }
    varavozov::clearAllJournals();
    win32sim::clearPostedMessages();
}

} // namespace fuzz
