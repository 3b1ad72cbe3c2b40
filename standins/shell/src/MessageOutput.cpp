#include "MessageOutput.h"

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
