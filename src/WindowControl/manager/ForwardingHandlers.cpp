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
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->changePlayMode(args.iType);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetLanguageType(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetLanguageTypeArgs args = readSetLanguageTypeArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setLanguageType(args.strType);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetTranslateFile(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetTranslateFileArgs args = readSetTranslateFileArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setTranslateFile(args.strLanguage);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SwitchToSimple(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SwitchToSimpleArgs args = readSwitchToSimpleArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->switchToSimple(args.iSimple);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetFirstDayOfWeek(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetFirstDayOfWeekArgs args = readSetFirstDayOfWeekArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setFirstDayOfWeek(args.iFirstDay);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetDragMode(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetDragModeArgs args = readSetDragModeArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setDragMode(args.iDrag);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetNumberOfWindows(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetNumberOfWindowsArgs args = readSetNumberOfWindowsArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setNumberOfWindows(args.iNumber);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

void WindowControlManager::SetLocalConfig(const QString &config)
{
    // Not parsed: every component gets the text exactly as the script gave it.
    const QStringList keys = m_mapWindows.keys();
    for (const QString &key : keys) {
        if (WindowControl *pHost = findWindow(key)) {
            // TODO: pHost->setLocalConfig(config);
            Q_UNUSED(pHost)
            Q_UNUSED(config)
        }
    }
}
