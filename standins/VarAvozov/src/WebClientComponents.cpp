#include "ComponentPrivate.h"
#include "ComponentStore.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <new>

using varavozov::CallBuilder;
using varavozov::componentStore;

WebClientComponents::WebClientComponents(QWidget *parent, int iWorkMode,
                                         ComponentSplitType iSplitType,
                                         const QString &languageType, WndMode wndMode,
                                         unsigned int wndNum)
    : QWidget(parent), m_pPrivate(nullptr)
{
    varavozov::ComponentStore &store = componentStore();
    if (store.iFailConstructions > 0) {
        --store.iFailConstructions;
        throw std::bad_alloc();
    }
    m_pPrivate = new WebClientComponentsPrivate(this);
    store.listLive.append(this);

    const int iColumns = std::clamp(static_cast<int>(iSplitType), 1, 8);
    int iPanes = iColumns * iColumns;
    if (wndNum != 0 && wndNum < static_cast<unsigned int>(iPanes))
        iPanes = static_cast<int>(wndNum);
    m_pPrivate->setGrid(iColumns, iPanes);

    m_pPrivate->record(CallBuilder(QStringLiteral("WebClientComponents"))
                           .arg(iWorkMode)
                           .arg(static_cast<int>(iSplitType))
                           .arg(languageType)
                           .arg(static_cast<int>(wndMode))
                           .arg(wndNum));
}

WebClientComponents::~WebClientComponents()
{
    m_pPrivate->record(CallBuilder(QStringLiteral("~WebClientComponents")));
    componentStore().listLive.removeAll(this);
    delete m_pPrivate;
}

void WebClientComponents::InitStreamClient()
{
    ++componentStore().iInitCount;
}

void WebClientComponents::UninitStreamClient()
{
    ++componentStore().iUninitCount;
}

void WebClientComponents::SetWebUUID(const QString &uuid)
{
    m_pPrivate->setKey(uuid);
    m_pPrivate->record(CallBuilder(QStringLiteral("SetWebUUID")).arg(uuid));
}

void WebClientComponents::SetConfigXmlPath(const QString &configXmlDir,
                                           const QString &serviceDataDir)
{
    m_pPrivate->record(
        CallBuilder(QStringLiteral("SetConfigXmlPath")).arg(configXmlDir).arg(serviceDataDir));
}

QString WebClientComponents::GetComponentGuid()
{
    m_pPrivate->record(CallBuilder(QStringLiteral("GetComponentGuid")));
    return m_pPrivate->m_strGuid;
}

QString WebClientComponents::HandleRequest(const QString &request)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("HandleRequest")).arg(request));
    const QString &answer = componentStore().strHandleRequestAnswer;
    if (!answer.isNull())
        return answer;
    const QJsonObject echo{{QStringLiteral("request"), request},
                           {QStringLiteral("uuid"), m_pPrivate->m_strUUID}};
    return QString::fromUtf8(QJsonDocument(echo).toJson(QJsonDocument::Compact));
}

void WebClientComponents::OnChangePlayMode(unsigned int mode)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("OnChangePlayMode")).arg(mode));
}

void WebClientComponents::SetLanguageType(const QString &languageType)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SetLanguageType")).arg(languageType));
}

bool WebClientComponents::SetTranslateFile(const QString &language)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SetTranslateFile")).arg(language));
    return true;
}

void WebClientComponents::SwitchToSimple(int simple)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SwitchToSimple")).arg(simple));
}

void WebClientComponents::SetFirstDayOfWeek(clientframework::FirstDayOfWeek firstDay)
{
    m_pPrivate->record(
        CallBuilder(QStringLiteral("SetFirstDayOfWeek")).arg(static_cast<int>(firstDay)));
}

void WebClientComponents::OnSetDragMode(int drag)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("OnSetDragMode")).arg(drag));
}

void WebClientComponents::SetNumberOfWindows(int number)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SetNumberOfWindows")).arg(number));
    if (number <= 0)
        return;
    const int iPanes = std::min(number, 64);
    int iColumns = 1;
    while (iColumns * iColumns < iPanes)
        ++iColumns;
    m_pPrivate->setGrid(iColumns, iPanes);
}

bool WebClientComponents::SetLocalConfig(const QString &config)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SetLocalConfig")).arg(config));
    return true;
}

bool WebClientComponents::InitLoginInfo(const QString &xml)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("InitLoginInfo")).arg(xml));
    return true;
}

bool WebClientComponents::SetHubToken(QString token)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SetHubToken")).arg(token));
    return true;
}

bool WebClientComponents::SetVanePlayInfo(QString guid, QString protocal, QString session,
                                          QString token, QString ip, int port,
                                          QString accessPath, QString uuid)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SetVanePlayInfo"))
                           .arg(guid)
                           .arg(protocal)
                           .arg(session)
                           .arg(token)
                           .arg(ip)
                           .arg(port)
                           .arg(accessPath)
                           .arg(uuid));
    return true;
}

void WebClientComponents::OnPlay(const QString &siteID, const QString &url,
                                 const QString &userName, const QString &password,
                                 const QString &areaName, const QString &cameraName,
                                 const QString &permission, const QString &secretKey,
                                 int multiStreamProto, int dualStream,
                                 const clientframework::WebCameraStruct &camera, int wndIndex,
                                 int reserved)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("OnPlay"))
                           .arg(siteID)
                           .arg(url)
                           .arg(userName)
                           .arg(password)
                           .arg(areaName)
                           .arg(cameraName)
                           .arg(permission)
                           .arg(secretKey)
                           .arg(multiStreamProto)
                           .arg(dualStream)
                           .arg(camera)
                           .arg(wndIndex)
                           .arg(reserved));
    if (!m_pPrivate->validPane(wndIndex))
        return;
    ComponentPane &pane = m_pPrivate->m_vecPanes[wndIndex];
    pane.bPlaying = true;
    pane.strSiteID = siteID;
    pane.strUrl = url;
    pane.strAreaName = areaName;
    pane.strCameraName = cameraName;
    pane.uCameraID = cameraIDFromUrl(url);
    m_pPrivate->playingChanged();
}

void WebClientComponents::OnStopPlay(int wndIndex)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("OnStopPlay")).arg(wndIndex));
    if (!m_pPrivate->validPane(wndIndex))
        return;
    m_pPrivate->m_vecPanes[wndIndex] = ComponentPane();
    m_pPrivate->playingChanged();
}

void WebClientComponents::OnStopTotal()
{
    m_pPrivate->record(CallBuilder(QStringLiteral("OnStopTotal")));
    for (ComponentPane &pane : m_pPrivate->m_vecPanes)
        pane = ComponentPane();
    m_pPrivate->playingChanged();
}

void WebClientComponents::OnShowErrorInfoInFullScreen(const QString &text, int type)
{
    m_pPrivate->record(
        CallBuilder(QStringLiteral("OnShowErrorInfoInFullScreen")).arg(text).arg(type));
}

bool WebClientComponents::ControlFishEyePTZ(unsigned int command, bool stop, unsigned int speed,
                                            int wndIndex)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("ControlFishEyePTZ"))
                           .arg(command)
                           .arg(stop)
                           .arg(speed)
                           .arg(wndIndex));
    return true;
}

void WebClientComponents::ControlFishEyeParol(
    unsigned int command, std::vector<ResourceManager::CruisePointStruct> &cruisePoints,
    int wndIndex)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("ControlFishEyeParol"))
                           .arg(command)
                           .arg(cruisePoints)
                           .arg(wndIndex));
}

bool WebClientComponents::GetFishEyePTZPreset(ResourceManager::PresetStruct &preset, int wndIndex)
{
    m_pPrivate->record(
        CallBuilder(QStringLiteral("GetFishEyePTZPreset")).arg(preset).arg(wndIndex));
    const varavozov::ComponentStore &store = componentStore();
    preset.fPosX = store.fPresetPosX;
    preset.fPosY = store.fPresetPosY;
    preset.iZoom = store.iPresetZoom;
    return true;
}

void WebClientComponents::SetFishEyePTZPreset(unsigned int command,
                                              ResourceManager::PresetStruct &preset, int wndIndex)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("SetFishEyePTZPreset"))
                           .arg(command)
                           .arg(preset)
                           .arg(wndIndex));
}

void WebClientComponents::OpenPtzWnd(unsigned int wndIndex, bool open)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("OpenPtzWnd")).arg(wndIndex).arg(open));
}

void WebClientComponents::SetWndAutoPanState(unsigned int wndIndex, bool open)
{
    m_pPrivate->record(
        CallBuilder(QStringLiteral("SetWndAutoPanState")).arg(wndIndex).arg(open));
}

void WebClientComponents::OnSetPreview3DPosition(int open)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("OnSetPreview3DPosition")).arg(open));
}

bool WebClientComponents::StartDownloadCameraHeatValue(
    const clientframework::HeatMapDownloaderParam &param)
{
    m_pPrivate->record(CallBuilder(QStringLiteral("StartDownloadCameraHeatValue")).arg(param));

    const varavozov::ComponentStore &store = componentStore();
    if (store.iHeatMapDelay < 0)
        return true;
    QString strData = store.strHeatMapData;
    int iMax = store.iHeatMapMax;
    int iMin = store.iHeatMapMin;
    if (strData.isNull()) {
        strData = QStringLiteral("heat:%1:%2:%3:%4:%5:%6")
                      .arg(param.iSiteID)
                      .arg(param.iCameraID)
                      .arg(param.llStartTime)
                      .arg(param.llEndTime)
                      .arg(param.iHeatMapType)
                      .arg(param.iQueryType);
        iMax = param.iMaxValue;
        iMin = param.iMinValue;
    }
    const QString strGuid = param.strGuid;
    // The context object drops the answer when the component goes first.
    QTimer::singleShot(store.iHeatMapDelay, this, [this, strData, iMax, iMin, strGuid]() {
        emit SignalHeatMap(strData, iMax, iMin, strGuid);
    });
    return true;
}
