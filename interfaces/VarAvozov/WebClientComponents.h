#ifndef VARAVOZOV_WEB_CLIENT_COMPONENTS_H
#define VARAVOZOV_WEB_CLIENT_COMPONENTS_H

#include "VarAvozovExport.h"
#include "ComponentTypes.h"

#include <QString>
#include <QWidget>

#include <vector>

class WebClientComponentsPrivate;

// Live-view and playback widget: a grid of video panes.
// All calls on the GUI thread; signals are emitted on it.
class VARAVOZOV_EXPORT WebClientComponents : public QWidget
{
    Q_OBJECT

public:
    WebClientComponents(QWidget *parent, int iWorkMode, ComponentSplitType iSplitType,
                        const QString &languageType, WndMode wndMode, unsigned int wndNum);
    ~WebClientComponents() override;

    // Process-wide set-up of the streaming client, once before the first component
    // and once after the last.
    static void InitStreamClient();
    static void UninitStreamClient();

    void SetWebUUID(const QString &uuid);
    void SetConfigXmlPath(const QString &configXmlDir, const QString &serviceDataDir);
    QString GetComponentGuid();
    QString HandleRequest(const QString &request);

    // Settings
    void OnChangePlayMode(unsigned int mode);
    void SetLanguageType(const QString &languageType);
    bool SetTranslateFile(const QString &language);
    void SwitchToSimple(int simple);
    void SetFirstDayOfWeek(clientframework::FirstDayOfWeek firstDay);
    void OnSetDragMode(int drag);
    void SetNumberOfWindows(int number);
    bool SetLocalConfig(const QString &config);

    // Login and access data
    bool InitLoginInfo(const QString &xml);
    bool SetHubToken(QString token);
    bool SetVanePlayInfo(QString guid, QString protocal, QString session, QString token,
                         QString ip, int port, QString accessPath, QString uuid);

    // Play and stop
    void OnPlay(const QString &siteID, const QString &url, const QString &userName,
                const QString &password, const QString &areaName, const QString &cameraName,
                const QString &permission, const QString &secretKey, int multiStreamProto,
                int dualStream, const clientframework::WebCameraStruct &camera, int wndIndex,
                int reserved);
    void OnStopPlay(int wndIndex);
    void OnStopTotal();
    void OnShowErrorInfoInFullScreen(const QString &text, int type);

    // PTZ and fisheye
    bool ControlFishEyePTZ(unsigned int command, bool stop, unsigned int speed, int wndIndex);
    void ControlFishEyeParol(unsigned int command,
                             std::vector<ResourceManager::CruisePointStruct> &cruisePoints,
                             int wndIndex);
    bool GetFishEyePTZPreset(ResourceManager::PresetStruct &preset, int wndIndex);
    void SetFishEyePTZPreset(unsigned int command, ResourceManager::PresetStruct &preset,
                             int wndIndex);
    void OpenPtzWnd(unsigned int wndIndex, bool open);
    void SetWndAutoPanState(unsigned int wndIndex, bool open);
    void OnSetPreview3DPosition(int open);

    // Heat map: the result arrives later as SignalHeatMap with the query's guid.
    bool StartDownloadCameraHeatValue(const clientframework::HeatMapDownloaderParam &param);

signals:
    void SignalSetSelectedWnd(unsigned int wndIndex, unsigned int cameraID, const QString &siteID,
                              bool openedFisheye);
    void SignalOpenPTZ(unsigned int cameraID, const QString &siteID);
    void SignaleUpdateCameraIcon(unsigned int cameraID, int playing, const QString &siteID);
    void SignalTalkUrlEmpty(unsigned int cameraID);
    void SignalGotoPlayback(unsigned int cameraID, const QString &siteID);
    void SignalPreviewWnd3DPostion(int xStart, int yStart, int xEnd, int yEnd);
    void SignalAllStop();
    void SignalWheelEvent(int delta);
    void SignalQuitedFullScreen(const QString &guid);
    void SignalEnteredFullScreen(const QString &guid);
    void SignalManuallyClose(unsigned int cameraID, const QString &siteID, unsigned int wndIndex);
    void SignalFisheyeExpandChanged(int cameraID, QString siteID, int wndIndex, bool open);
    void SignalGetVanePlayInfo(QString siteID, QString guid);
    void SignalMousePressed();
    void SignalWndPTZControl(unsigned int wndIndex, unsigned int cameraID, unsigned int command,
                             unsigned int speed, bool open);
    void SignalHeatMap(QString data, int max, int min, QString guid);
    void SignalUpdate3DState(unsigned int wndIndex, QString siteID, unsigned int cameraID,
                             bool opened);
    void SignalSendMessage(QString message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    WebClientComponentsPrivate *m_pPrivate;
    friend class WebClientComponentsPrivate;
};

#endif // VARAVOZOV_WEB_CLIENT_COMPONENTS_H
