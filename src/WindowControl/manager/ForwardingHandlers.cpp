// Settings passed on unchanged to the video component of one window, or of all.
#include "WindowControlManager.h"

#include "ForwardingArgs.h"
#include "RequestEnvelope.h"
#include "host/WindowControl.h"

QString WindowControlManager::ChangePlayMode(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const ChangePlayModeArgs args = readChangePlayModeArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->changePlayMode(args.iType);
    }
    return envelope.reply();
}

QString WindowControlManager::SetLanguageType(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetLanguageTypeArgs args = readSetLanguageTypeArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setLanguageType(args.strType);
    }
    return envelope.reply();
}

QString WindowControlManager::SetTranslateFile(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetTranslateFileArgs args = readSetTranslateFileArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setTranslateFile(args.strLanguage);
    }
    return envelope.reply();
}

QString WindowControlManager::SwitchToSimple(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SwitchToSimpleArgs args = readSwitchToSimpleArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->switchToSimple(args.iSimple);
    }
    return envelope.reply();
}

QString WindowControlManager::SetFirstDayOfWeek(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetFirstDayOfWeekArgs args = readSetFirstDayOfWeekArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setFirstDayOfWeek(args.iFirstDay);
    }
    return envelope.reply();
}

QString WindowControlManager::SetDragMode(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetDragModeArgs args = readSetDragModeArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setDragMode(args.iDrag);
    }
    return envelope.reply();
}

QString WindowControlManager::SetNumberOfWindows(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetNumberOfWindowsArgs args = readSetNumberOfWindowsArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setNumberOfWindows(args.iNumber);
    }
    return envelope.reply();
}

void WindowControlManager::SetLocalConfig(const QString &config)
{
    // Not parsed: every component gets the text exactly as the script gave it.
    // Each key is looked up again, so a host that went away meanwhile is skipped.
    const QStringList keys = m_mapWindows.keys();
    for (const QString &key : keys) {
        if (WindowControl *pHost = findWindow(key))
            pHost->setLocalConfig(config);
    }
}
