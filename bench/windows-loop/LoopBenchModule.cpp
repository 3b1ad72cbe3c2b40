// windows_loop.node: the same loop measurements inside the shell's Qt application, served
// from Node's loop. start([timerSeconds, idleSeconds, mouseMessages]) -> the run's length
// in ms; result() -> the JSON result, or "" while it runs. The script holds Node alive
// with a single timer meanwhile, so that nothing else wakes the loop. runExec(...) runs
// them under Qt's own exec() in node.exe instead (no shell), blocking Node until done.
#include "LoopBench.h"

#include <QApplication>
#include <QCoreApplication>

#include <node_api.h>

namespace {

LoopBench *s_pBench = nullptr;

int intArg(napi_env env, napi_value value, int iDefault)
{
    int32_t i = 0;
    return napi_get_value_int32(env, value, &i) == napi_ok && i >= 0 ? i : iDefault;
}

LoopBench::Options optionsFrom(napi_env env, size_t argc, const napi_value *argv)
{
    LoopBench::Options options;
    if (argc > 0)
        options.iTimerSeconds = intArg(env, argv[0], options.iTimerSeconds);
    if (argc > 1)
        options.iIdleSeconds = intArg(env, argv[1], options.iIdleSeconds);
    if (argc > 2)
        options.iMouseMessages = intArg(env, argv[2], options.iMouseMessages);
    return options;
}

napi_value start(napi_env env, napi_callback_info info)
{
    size_t argc = 3;
    napi_value argv[3];
    napi_get_cb_info(env, info, &argc, argv, nullptr, nullptr);
    if (!QCoreApplication::instance() || s_pBench) {
        napi_throw_error(env, nullptr, "windows_loop: no Qt application, or a run is on");
        return nullptr;
    }
    const LoopBench::Options options = optionsFrom(env, argc, argv);
    s_pBench = new LoopBench(options);
    s_pBench->start();
    napi_value ms;
    napi_create_int32(env, s_pBench->expectedMs(), &ms);
    return ms;
}

napi_value result(napi_env env, napi_callback_info)
{
    const QByteArray text = s_pBench && s_pBench->isDone() ? s_pBench->result().toUtf8() : QByteArray();
    if (s_pBench && s_pBench->isDone()) {
        delete s_pBench;
        s_pBench = nullptr;
    }
    napi_value value;
    napi_create_string_utf8(env, text.constData(), size_t(text.size()), &value);
    return value;
}

napi_value runExec(napi_env env, napi_callback_info info)
{
    size_t argc = 3;
    napi_value argv[3];
    napi_get_cb_info(env, info, &argc, argv, nullptr, nullptr);
    if (QCoreApplication::instance()) {
        napi_throw_error(env, nullptr, "windows_loop: a Qt application exists already");
        return nullptr;
    }
    const LoopBench::Options options = optionsFrom(env, argc, argv);
    static int s_iArgc = 1;
    static char s_name[] = "node";
    static char *s_argv[] = {s_name, nullptr};
    QByteArray text;
    {
        QApplication app(s_iArgc, s_argv);
        LoopBench bench(options);
        QObject::connect(&bench, &LoopBench::finished, &app, [&](const QString &strJson) {
            text = strJson.toUtf8();
            app.quit();
        });
        bench.start();
        app.exec();
    }
    napi_value value;
    napi_create_string_utf8(env, text.constData(), size_t(text.size()), &value);
    return value;
}

} // namespace

NAPI_MODULE_INIT()
{
    napi_value fn;
    napi_create_function(env, "start", NAPI_AUTO_LENGTH, start, nullptr, &fn);
    napi_set_named_property(env, exports, "start", fn);
    napi_create_function(env, "result", NAPI_AUTO_LENGTH, result, nullptr, &fn);
    napi_set_named_property(env, exports, "result", fn);
    napi_create_function(env, "runExec", NAPI_AUTO_LENGTH, runExec, nullptr, &fn);
    napi_set_named_property(env, exports, "runExec", fn);
    return exports;
}
