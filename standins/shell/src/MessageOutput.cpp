#include "MessageOutput.h"

#include <QByteArray>
#include <QtGlobal>

#include <atomic>

namespace {

// Messages come from any thread (a plug-in library's, Qt's own).
std::atomic<bool> s_bDebug{false};
std::atomic<QtMessageHandler> s_pfnNext{nullptr};

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type == QtDebugMsg || type == QtInfoMsg) && !s_bDebug.load(std::memory_order_relaxed))
        return;
    if (QtMessageHandler pfnNext = s_pfnNext.load())
        pfnNext(type, context, message);
}

} // namespace

namespace MessageOutput {

void install()
{
    if (s_pfnNext.load())
        return;
#ifdef _WIN32
    // Qt on Windows writes to stderr only when a console window is attached, and to the
    // debugger otherwise; a script's stderr is where its output goes, console or not.
    if (!qEnvironmentVariableIsSet("QT_FORCE_STDERR_LOGGING"))
        qputenv("QT_FORCE_STDERR_LOGGING", QByteArrayLiteral("1"));
#endif
    // Qt hands back its default handler when none was installed.
    s_pfnNext.store(qInstallMessageHandler(filterMessage));
}

void setDebugEnabled(bool bEnabled)
{
    s_bDebug.store(bEnabled);
}

bool debugEnabled()
{
    return s_bDebug.load();
}

} // namespace MessageOutput
