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

bool requireRunning(v8::Isolate *pIsolate, const char *pszName)
{
    if (applicationRunning())
        return true;
    js::throwError(pIsolate, QStringLiteral("%1: the Qt application is not running").arg(QLatin1String(pszName)));
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

QObject *find(const Args &info)
{
    int iId = 0;
    if (!js::toInt(info[0], &iId))
        return nullptr;
    auto it = objects().find(iId);
    return it == objects().end() ? nullptr : it->second.data();
}

void createObject(const Args &info)
{
    if (requireRunning(info.GetIsolate(), "createObject"))
        info.GetReturnValue().Set(keep(new EventProbe));
}

void postEvent(const Args &info)
{
    auto *pProbe = qobject_cast<EventProbe *>(find(info));
    if (!pProbe)
        return js::throwTypeError(info.GetIsolate(), QStringLiteral("postEvent: no such object"));
    pProbe->post();
}

void received(const Args &info)
{
    auto *pProbe = qobject_cast<EventProbe *>(find(info));
    info.GetReturnValue().Set(pProbe ? pProbe->received() : -1);
}

void deleteLater(const Args &info)
{
    if (QObject *pObject = find(info))
        pObject->deleteLater();
}

void exists(const Args &info)
{
    info.GetReturnValue().Set(find(info) != nullptr);
}

void showWidget(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QString strTitle;
    QRect rc;
    if (!js::toString(pIsolate, info[0], &strTitle) || !js::toRect(pIsolate, info[1], &rc))
        return js::throwTypeError(pIsolate, QStringLiteral("showWidget(title, rect): a string and {x, y, width, height}"));
    if (!requireRunning(pIsolate, "showWidget"))
        return;
    auto *pWidget = new QWidget;
    pWidget->setWindowTitle(strTitle);
    pWidget->setGeometry(rc);
    pWidget->show();
    v8::Local<v8::Object> result = v8::Object::New(pIsolate);
    js::set(pIsolate, result, "id", v8::Integer::New(pIsolate, keep(pWidget)));
    js::set(pIsolate, result, "handle", js::str(pIsolate, QString::number(quintptr(pWidget->winId()))));
    info.GetReturnValue().Set(result);
}

void geometry(const Args &info)
{
    auto *pWidget = qobject_cast<QWidget *>(find(info));
    if (!pWidget)
        return info.GetReturnValue().SetNull();
    info.GetReturnValue().Set(js::rect(info.GetIsolate(), pWidget->geometry()));
}

void createPipe(const Args &info)
{
    if (!requireRunning(info.GetIsolate(), "createPipe"))
        return;
    auto *pPipe = new PipeProbe;
    if (!pPipe->isValid()) {
        delete pPipe;
        return js::throwError(info.GetIsolate(), QStringLiteral("createPipe: no pipe"));
    }
    info.GetReturnValue().Set(keep(pPipe));
}

void writePipe(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    auto *pPipe = qobject_cast<PipeProbe *>(find(info));
    QString text;
    int iDelay = -1;
    if (!pPipe || !js::toString(pIsolate, info[1], &text)
        || (!info[2]->IsUndefined() && (!js::toInt(info[2], &iDelay) || iDelay < 0 || iDelay > 60000)))
        return js::throwTypeError(pIsolate, QStringLiteral("writePipe(id, text[, delayMs]): no such pipe or bad arguments"));
    if (iDelay < 0)
        pPipe->write(text.toUtf8());
    else
        pPipe->writeFromThread(text.toUtf8(), iDelay);
}

void pipeReceived(const Args &info)
{
    auto *pPipe = qobject_cast<PipeProbe *>(find(info));
    if (!pPipe)
        return info.GetReturnValue().SetNull();
    info.GetReturnValue().Set(js::str(info.GetIsolate(), QString::fromUtf8(pPipe->received())));
}

void runNestedLoop(const Args &info)
{
    if (!requireRunning(info.GetIsolate(), "runNestedLoop"))
        return;
    QEventLoop loop;
    info.GetReturnValue().Set(loop.exec());
}

void makeApplication(const Args &info)
{
    static int s_argc = 3;
    static char s_arg0[] = "node", s_arg1[] = "-platform", s_arg2[16] = {};
    static char *s_argv[] = {s_arg0, s_arg1, s_arg2, nullptr};
    QString strPlatform;
    if (!js::argString(info, 0, &strPlatform, "makeApplication", "\"offscreen\" or \"minimal\"")
        || !js::checkArg(info, 0, strPlatform == QLatin1String("offscreen") || strPlatform == QLatin1String("minimal"),
                         "makeApplication", "\"offscreen\" or \"minimal\""))
        return;
    if (QCoreApplication::instance())
        return info.GetReturnValue().SetNull();
    qstrncpy(s_arg2, strPlatform.toLatin1().constData(), sizeof(s_arg2));
    new QApplication(s_argc, s_argv); // kept for the life of the process, as a shell keeps its own
    info.GetReturnValue().Set(js::str(info.GetIsolate(), QGuiApplication::platformName()));
}

} // namespace

v8::Local<v8::Object> makeQtObjectsBinding(v8::Isolate *pIsolate)
{
    v8::Local<v8::Object> object = v8::Object::New(pIsolate);
    js::setMethod(pIsolate, object, "createObject", createObject);
    js::setMethod(pIsolate, object, "postEvent", postEvent);
    js::setMethod(pIsolate, object, "received", received);
    js::setMethod(pIsolate, object, "deleteLater", deleteLater);
    js::setMethod(pIsolate, object, "exists", exists);
    js::setMethod(pIsolate, object, "showWidget", showWidget);
    js::setMethod(pIsolate, object, "geometry", geometry);
    js::setMethod(pIsolate, object, "createPipe", createPipe);
    js::setMethod(pIsolate, object, "writePipe", writePipe);
    js::setMethod(pIsolate, object, "pipeReceived", pipeReceived);
    js::setMethod(pIsolate, object, "runNestedLoop", runNestedLoop);
    js::setMethod(pIsolate, object, "makeApplication", makeApplication);
    return object;
}
