// Settings passed on unchanged to the video component of one window, or of all.
#include "WindowControlManager.h"

#include "ForwardingArgs.h"
#include "RequestTable.h"
#include "host/WindowControl.h"

QString WindowControlManager::ChangePlayMode(const QString &request)
{
    return forward<&WindowControlManager::ChangePlayMode>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        pHost->changePlayMode(readChangePlayModeArgs(fields).iType);
    });
}

QString WindowControlManager::SetLanguageType(const QString &request)
{
    return forward<&WindowControlManager::SetLanguageType>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            pHost->setLanguageType(readSetLanguageTypeArgs(fields).strType);
        });
}

QString WindowControlManager::SetTranslateFile(const QString &request)
{
    return forward<&WindowControlManager::SetTranslateFile>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            pHost->setTranslateFile(readSetTranslateFileArgs(fields).strLanguage);
        });
}

QString WindowControlManager::SwitchToSimple(const QString &request)
{
    return forward<&WindowControlManager::SwitchToSimple>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        pHost->switchToSimple(readSwitchToSimpleArgs(fields).iSimple);
    });
}

QString WindowControlManager::SetFirstDayOfWeek(const QString &request)
{
    return forward<&WindowControlManager::SetFirstDayOfWeek>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            pHost->setFirstDayOfWeek(readSetFirstDayOfWeekArgs(fields).iFirstDay);
        });
}

QString WindowControlManager::SetDragMode(const QString &request)
{
    return forward<&WindowControlManager::SetDragMode>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        pHost->setDragMode(readSetDragModeArgs(fields).iDrag);
    });
}

QString WindowControlManager::SetNumberOfWindows(const QString &request)
{
    return forward<&WindowControlManager::SetNumberOfWindows>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            pHost->setNumberOfWindows(readSetNumberOfWindowsArgs(fields).iNumber);
        });
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
