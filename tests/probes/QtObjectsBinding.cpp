// qt.*: plain Qt objects and widgets of the probes' own, for checking how the shell serves
// Qt, and an application of their own, as a desktop shell that embeds the add-on has one.
//   createObject() -> id                 postEvent(id)        received(id) -> n | -1 (gone)
//   deleteLater(id)                      exists(id) -> bool
//   showWidget(title, rect) -> { id, handle }   (handle: winId() as decimal text)
//   geometry(id) -> the widget's geometry as Qt sees it, or null
//   createPipe() -> id    writePipe(id, text[, delayMs])   (with a delay: from another thread)
//   pipeReceived(id) -> text read by the pipe's socket notifier so far
//   runNestedLoop() -> exit code of a QEventLoop::exec() run from here
//   makeApplication(platform) -> platform: a QApplication ("offscreen" or "minimal") with
//     Qt's own event dispatcher, which nothing here runs; null when one exists already

#include "EventProbe.h"
#include "JsValues.h"
#include "PipeProbe.h"
#include "Probes.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include <map>

namespace {

using js::Args;

std::map<int, QPointer<QObject>> &objects()
{
    static auto *s_pObjects = new std::map<int, QPointer<QObject>>;
    return *s_pObjects;
}
int s_iNextId = 1;
bool s_bTeardownAdded = false;

bool requireRunning(napi_env env, const char *pszName)
{
    if (applicationRunning())
        return true;
    js::throwError(env, QStringLiteral("%1: the Qt application is not running").arg(QLatin1String(pszName)));
    return false;
}

int keep(QObject *pObject)
{
    if (!s_bTeardownAdded) {
        releaseAtQuit([] {
            for (auto &entry : objects())
                if (entry.second)
                    entry.second->deleteLater();
            objects().clear();
        });
        s_bTeardownAdded = true;
    }
    const int iId = s_iNextId++;
    objects()[iId] = pObject;
    return iId;
}

QObject *find(Args &info)
{
    int iId = 0;
    if (!js::toInt(info.env, info[0], &iId))
        return nullptr;
    auto it = objects().find(iId);
    return it == objects().end() ? nullptr : it->second.data();
}

void createObject(Args &info)
{
    if (requireRunning(info.env, "createObject"))
        info.result = js::num(info.env, keep(new EventProbe));
}

void postEvent(Args &info)
{
    auto *pProbe = qobject_cast<EventProbe *>(find(info));
    if (!pProbe)
        return js::throwTypeError(info.env, QStringLiteral("postEvent: no such object"));
    pProbe->post();
}

void received(Args &info)
{
    auto *pProbe = qobject_cast<EventProbe *>(find(info));
    info.result = js::num(info.env, pProbe ? pProbe->received() : -1);
}

void deleteLater(Args &info)
{
    if (QObject *pObject = find(info))
        pObject->deleteLater();
}

void exists(Args &info)
{
    info.result = js::boolean(info.env, find(info) != nullptr);
}

void showWidget(Args &info)
{
    napi_env env = info.env;
    QString strTitle;
    QRect rc;
    if (!js::toString(env, info[0], &strTitle) || !js::toRect(env, info[1], &rc))
        return js::throwTypeError(env, QStringLiteral("showWidget(title, rect): a string and {x, y, width, height}"));
    if (!requireRunning(env, "showWidget"))
        return;
    auto *pWidget = new QWidget;
    pWidget->setWindowTitle(strTitle);
    pWidget->setGeometry(rc);
    pWidget->show();
    napi_value result = js::object(env);
    js::set(env, result, "id", js::num(env, keep(pWidget)));
    js::set(env, result, "handle", js::str(env, QString::number(quintptr(pWidget->winId()))));
    info.result = result;
}

void geometry(Args &info)
{
    auto *pWidget = qobject_cast<QWidget *>(find(info));
    if (!pWidget) {
        info.result = js::null(info.env);
        return;
    }
    info.result = js::rect(info.env, pWidget->geometry());
}

void createPipe(Args &info)
{
    if (!requireRunning(info.env, "createPipe"))
        return;
    auto *pPipe = new PipeProbe;
    if (!pPipe->isValid()) {
        delete pPipe;
        return js::throwError(info.env, QStringLiteral("createPipe: no pipe"));
    }
    info.result = js::num(info.env, keep(pPipe));
}

void writePipe(Args &info)
{
    napi_env env = info.env;
    auto *pPipe = qobject_cast<PipeProbe *>(find(info));
    QString text;
    int iDelay = -1;
    if (!pPipe || !js::toString(env, info[1], &text)
        || (!js::isUndefined(env, info[2]) && (!js::toInt(env, info[2], &iDelay) || iDelay < 0 || iDelay > 60000)))
        return js::throwTypeError(env, QStringLiteral("writePipe(id, text[, delayMs]): no such pipe or bad arguments"));
    if (iDelay < 0)
        pPipe->write(text.toUtf8());
    else
        pPipe->writeFromThread(text.toUtf8(), iDelay);
}

void pipeReceived(Args &info)
{
    auto *pPipe = qobject_cast<PipeProbe *>(find(info));
    if (!pPipe) {
        info.result = js::null(info.env);
        return;
    }
    info.result = js::str(info.env, QString::fromUtf8(pPipe->received()));
}

void runNestedLoop(Args &info)
{
    if (!requireRunning(info.env, "runNestedLoop"))
        return;
    QEventLoop loop;
    info.result = js::num(info.env, loop.exec());
}

void makeApplication(Args &info)
{
    static int s_argc = 3;
    static char s_arg0[] = "node", s_arg1[] = "-platform", s_arg2[16] = {};
    static char *s_argv[] = {s_arg0, s_arg1, s_arg2, nullptr};
    QString strPlatform;
    if (!js::argString(info, 0, &strPlatform, "makeApplication", "\"offscreen\" or \"minimal\"")
        || !js::checkArg(info, 0, strPlatform == QLatin1String("offscreen") || strPlatform == QLatin1String("minimal"),
                         "makeApplication", "\"offscreen\" or \"minimal\""))
        return;
    if (QCoreApplication::instance()) {
        info.result = js::null(info.env);
        return;
    }
    qstrncpy(s_arg2, strPlatform.toLatin1().constData(), sizeof(s_arg2));
    new QApplication(s_argc, s_argv); // kept for the life of the process, as a shell keeps its own
    info.result = js::str(info.env, QGuiApplication::platformName());
}

} // namespace

napi_value makeQtObjectsBinding(napi_env env)
{
    napi_value object = js::object(env);
    js::setMethod(env, object, "createObject", createObject);
    js::setMethod(env, object, "postEvent", postEvent);
    js::setMethod(env, object, "received", received);
    js::setMethod(env, object, "deleteLater", deleteLater);
    js::setMethod(env, object, "exists", exists);
    js::setMethod(env, object, "showWidget", showWidget);
    js::setMethod(env, object, "geometry", geometry);
    js::setMethod(env, object, "createPipe", createPipe);
    js::setMethod(env, object, "writePipe", writePipe);
    js::setMethod(env, object, "pipeReceived", pipeReceived);
    js::setMethod(env, object, "runNestedLoop", runNestedLoop);
    js::setMethod(env, object, "makeApplication", makeApplication);
    return object;
}
