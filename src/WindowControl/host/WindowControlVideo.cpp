// Video operations of a host: settings, login and access data, play and stop, PTZ and
// fisheye, heat maps and pass-through requests, each forwarded to the component. A host
// in integration mode has no component; then each of them does nothing.
#include "WindowControl.h"
#include "StartPlayArgs.h"

#include <VarAvozov/WebClientComponents.h>

#include <QDebug>
#include <QDomDocument>
#include <QPair>
#include <QVector>

namespace {

using XmlChildren = QVector<QPair<QString, QString>>;

// The small XML texts the component reads: a declaration, one root, children with one
// text node each, written at indent 1. The writer escapes what XML reserves.
QString xmlDocument(const QString &root, const XmlChildren &children)
{
    QDomDocument document;
    document.appendChild(document.createProcessingInstruction(
        QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement rootElement = document.createElement(root);
    document.appendChild(rootElement);
    QVector<QDomElement> elements;
    elements.reserve(children.size());
    for (const auto &child : children) {
        QDomElement element = document.createElement(child.first);
        element.appendChild(document.createTextNode(child.second));
        elements.append(element);
    }
    for (QDomElement &element : elements)
        rootElement.appendChild(element);
    return document.toString(1);
}

QString permissionDocument(const PlayPermission &permission)
{
    return xmlDocument(QStringLiteral("Permission"), {
        {QStringLiteral("LiveView"), QString::number(permission.iLiveView)},
        {QStringLiteral("Playback"), QString::number(permission.iPlayback)},
        {QStringLiteral("VideoSearch"), QString::number(permission.iVideoSearch)},
        {QStringLiteral("ManualRecording"), QString::number(permission.iManualRecording)},
        {QStringLiteral("TwoWayAudio"), QString::number(permission.iTwoWayAudio)},
        {QStringLiteral("PTZControl"), QString::number(permission.iPtzControl)},
        {QStringLiteral("CapturePrint"), QString::number(permission.iCapturePrint)},
        {QStringLiteral("Volume"), QString::number(permission.iVolume)},
    });
}

} // namespace

// Settings ------------------------------------------------------------------------------

void WindowControl::changePlayMode(int type)
{
    // Negative modes reach the component as their unsigned images (-1: 4294967295).
    if (m_pWebClient)
        m_pWebClient->OnChangePlayMode(static_cast<unsigned int>(type));
}

void WindowControl::setLanguageType(const QString &type)
{
    if (m_pWebClient)
        m_pWebClient->SetLanguageType(type);
}

void WindowControl::setTranslateFile(const QString &language)
{
    if (!m_pWebClient)
        return;
    const bool bRet = m_pWebClient->SetTranslateFile(language);
    qDebug().noquote() << "SetTranslateFile:" << bRet;
}

void WindowControl::switchToSimple(int simple)
{
    if (m_pWebClient)
        m_pWebClient->SwitchToSimple(simple);
}

void WindowControl::setFirstDayOfWeek(int firstDay)
{
    // Every int is a value of the enumeration (fixed underlying type); no range check.
    if (m_pWebClient)
        m_pWebClient->SetFirstDayOfWeek(static_cast<clientframework::FirstDayOfWeek>(firstDay));
}

void WindowControl::setDragMode(int drag)
{
    if (m_pWebClient)
        m_pWebClient->OnSetDragMode(drag);
}

void WindowControl::setNumberOfWindows(int number)
{
    if (m_pWebClient)
        m_pWebClient->SetNumberOfWindows(number);
}

void WindowControl::setLocalConfig(const QString &config)
{
    if (m_pWebClient)
        m_pWebClient->SetLocalConfig(config);
}

// Login and access data -----------------------------------------------------------------

void WindowControl::initLoginInfo(const QString &hubAddress, int hubPort, const QString &sessionID,
                                  int loginModel, const QString &userType,
                                  const QString &networkType)
{
    if (!m_pWebClient)
        return;
    const QString strXml = xmlDocument(QStringLiteral("device"), {
        {QStringLiteral("lpHUBAddress"), hubAddress},
        {QStringLiteral("lPort"), QString::number(hubPort)},
        {QStringLiteral("lpSessionID"), sessionID},
        {QStringLiteral("lpLoginModel"), QString::number(loginModel)},
        {QStringLiteral("lpUserType"), userType},
        {QStringLiteral("lpNetworkType"), networkType},
    });
    qDebug().noquote().nospace() << "InitLoginInfo: " << strXml;
    const bool bRet = m_pWebClient->InitLoginInfo(strXml);
    qDebug().nospace() << "InitLoginInfo: " << bRet;
}

void WindowControl::setHubToken(const QString &token)
{
    if (!m_pWebClient)
        return;
    const bool bRet = m_pWebClient->SetHubToken(token);
    qDebug().nospace() << "SetHubToken: " << bRet;
}

void WindowControl::setVanePlayInfo(const QString &guid, const QString &protocal,
                                    const QString &session, const QString &token,
                                    const QString &ip, int port, const QString &accessPath,
                                    const QString &uuid)
{
    if (m_pWebClient)
        m_pWebClient->SetVanePlayInfo(guid, protocal, session, token, ip, port, accessPath, uuid);
}

// Play and stop -------------------------------------------------------------------------

void WindowControl::startPlay(const StartPlayArgs &play)
{
    if (!m_pWebClient)
        return;
    const QString strPermission = permissionDocument(play.permission);
    // The last argument has no use on this side and is always 0.
    m_pWebClient->OnPlay(play.strSiteID, play.strUrl, play.strUserName, play.strPassword,
                         play.strAreaName, play.strCameraName, strPermission, play.strSecretKey,
                         play.iMultiStreamProto, play.iDualStream, play.camera, play.iWndIndex, 0);
}

void WindowControl::stopPlay(int wndIndex)
{
    if (m_pWebClient)
        m_pWebClient->OnStopPlay(wndIndex);
}

void WindowControl::stopTotal()
{
    if (m_pWebClient)
        m_pWebClient->OnStopTotal();
}

void WindowControl::showErrorInfoInFullScreen(const QString &error, int type)
{
    if (m_pWebClient)
        m_pWebClient->OnShowErrorInfoInFullScreen(error, type);
}

// PTZ and fisheye -----------------------------------------------------------------------
// Commands, speeds and some pane numbers are unsigned on the component's side: the
// request's whole numbers go through unchanged, so -1 arrives as 4294967295.

void WindowControl::controlFishEyePTZ(int command, bool stop, int speed, int wndIndex)
{
    if (m_pWebClient)
        m_pWebClient->ControlFishEyePTZ(static_cast<unsigned int>(command), stop,
                                        static_cast<unsigned int>(speed), wndIndex);
}

void WindowControl::controlFishEyeParol(int command,
                                        std::vector<ResourceManager::CruisePointStruct> &route,
                                        int wndIndex)
{
    if (m_pWebClient)
        m_pWebClient->ControlFishEyeParol(static_cast<unsigned int>(command), route, wndIndex);
}

void WindowControl::getFishEyePTZPreset(ResourceManager::PresetStruct &preset, int wndIndex)
{
    if (m_pWebClient)
        m_pWebClient->GetFishEyePTZPreset(preset, wndIndex);
}

void WindowControl::setFishEyePTZPreset(int command, ResourceManager::PresetStruct &preset,
                                        int wndIndex)
{
    if (m_pWebClient)
        m_pWebClient->SetFishEyePTZPreset(static_cast<unsigned int>(command), preset, wndIndex);
}

void WindowControl::openPtzWnd(int wndIndex, bool open)
{
    if (m_pWebClient)
        m_pWebClient->OpenPtzWnd(static_cast<unsigned int>(wndIndex), open);
}

void WindowControl::setWndAutoPanState(int wndIndex, bool open)
{
    if (m_pWebClient)
        m_pWebClient->SetWndAutoPanState(static_cast<unsigned int>(wndIndex), open);
}

void WindowControl::setPreview3DPosition(int open)
{
    if (m_pWebClient)
        m_pWebClient->OnSetPreview3DPosition(open);
}

// Heat map and pass-through -------------------------------------------------------------

void WindowControl::startDownloadCameraHeatValue(const clientframework::HeatMapDownloaderParam &param)
{
    // The result comes later through SignalHeatMap, matched by the query's guid.
    if (m_pWebClient)
        m_pWebClient->StartDownloadCameraHeatValue(param);
}

QString WindowControl::handleRequest(const QString &message)
{
    QString strAnswer;
    if (m_pWebClient)
        strAnswer = m_pWebClient->HandleRequest(message);
    return strAnswer;
}
