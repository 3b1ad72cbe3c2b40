// qt.*: plain Qt objects and widgets of the probes' own, for checking how the shell serves
// Qt, and an application of their own, as a desktop shell that embeds the add-on has one.
//   createObject() -> id                 postEvent(id)        received(id) -> n | -1 (gone)
//   deleteLater(id)                      exists(id) -> bool
//   showWidget(title, rect) -> { id, handle }   (handle: winId() as decimal text)
//   geometry(id) -> the widget's geometry as Qt sees it, or null
//   createPipe() -> id    writePipe(id, text[, delayMs])   (with a delay: from another thread)
//   pipeReceived(id) -> text read by the pipe's socket notifier so far, or null
//   runNestedLoop() -> exit code of a QEventLoop::exec() run from here
//   makeApplication(platform) -> platform: a QApplication ("offscreen" or "minimal") with
//     Qt's own event dispatcher, which nothing here runs; null when one exists already

#include "EventProbe.h"
#include "JsValues.h"
#include "PipeProbe.h"
#include "Probes.h"

#include <QApplication>
#include <QEventLoop>
#include <QWidget>

namespace {

using js::Args;

template <typename T>
T *find(const Args &info)
{
    return qobject_cast<T *>(kept(info.env, info[0]));
}

void showWidget(Args &info)
{
    napi_env env = info.env;
    QString strTitle;
    QRect rc;
    if (!js::argString(info, 0, &strTitle, "showWidget")
        || !js::checkArg(info, 1, js::toRect(env, info[1], &rc), "showWidget", "{x, y, width, height}")
        || !requireRunning(env, "showWidget"))
        return;
    auto *pWidget = new QWidget;
    pWidget->setWindowTitle(strTitle);
    pWidget->setGeometry(rc);
    pWidget->show();
    info.result = js::object(env);
    js::set(env, info.result, "id", js::num(env, keep(pWidget)));
    js::set(env, info.result, "handle", js::str(env, QString::number(quintptr(pWidget->winId()))));
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
    auto *pPipe = find<PipeProbe>(info);
    QString text;
    int iDelay = -1;
    if (!js::checkArg(info, 0, pPipe, "writePipe", "a pipe") || !js::argString(info, 1, &text, "writePipe")
        || !js::checkArg(info, 2, js::isUndefined(env, info[2]) || (js::toInt(env, info[2], &iDelay) && iDelay >= 0 && iDelay <= 60000),
                         "writePipe", "a delay of 0 to 60000 ms"))
        return;
    if (iDelay < 0)
        pPipe->write(text.toUtf8());
    else
        pPipe->writeFromThread(text.toUtf8(), iDelay);
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
    js::setMethod(env, object, "createObject", [](Args &info) {
        if (requireRunning(info.env, "createObject"))
            info.result = js::num(info.env, keep(new EventProbe));
    });
    js::setMethod(env, object, "postEvent", [](Args &info) {
        if (auto *pProbe = find<EventProbe>(info))
            pProbe->post();
        else
            js::throwTypeError(info.env, QStringLiteral("postEvent: no such object"));
    });
    js::setMethod(env, object, "received", [](Args &info) {
        auto *pProbe = find<EventProbe>(info);
        info.result = js::num(info.env, pProbe ? pProbe->received() : -1);
    });
    js::setMethod(env, object, "deleteLater", [](Args &info) {
        if (QObject *pObject = find<QObject>(info))
            pObject->deleteLater();
    });
    js::setMethod(env, object, "exists", [](Args &info) { info.result = js::boolean(info.env, find<QObject>(info)); });
    js::setMethod(env, object, "showWidget", showWidget);
    js::setMethod(env, object, "geometry", [](Args &info) {
        auto *pWidget = find<QWidget>(info);
        info.result = pWidget ? js::rect(info.env, pWidget->geometry()) : js::null(info.env);
    });
    js::setMethod(env, object, "createPipe", createPipe);
    js::setMethod(env, object, "writePipe", writePipe);
    js::setMethod(env, object, "pipeReceived", [](Args &info) {
        auto *pPipe = find<PipeProbe>(info);
        info.result = pPipe ? js::str(info.env, QString::fromUtf8(pPipe->received())) : js::null(info.env);
    });
    js::setMethod(env, object, "runNestedLoop", [](Args &info) {
        if (!requireRunning(info.env, "runNestedLoop"))
            return;
        QEventLoop loop;
        info.result = js::num(info.env, loop.exec());
    });
    js::setMethod(env, object, "makeApplication", makeApplication);
    return object;
}
