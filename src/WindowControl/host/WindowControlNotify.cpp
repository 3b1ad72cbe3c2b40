// What happens inside the component, turned into JSON notifications for the page, and
// the component's full-screen and mouse-press signals.
#include "WindowControl.h"

#include <VarAvozov/WebClientComponents.h>

#include <QDebug>
#include <QJsonDocument>

namespace {

QString unsignedText(unsigned int value)
{
    return QString::number(value);
}

QString signedText(int value)
{
    return QString::number(value);
}

// The page reads these as numbers of the signed range; a value past it reads as 0,
// as the decimal text of the unsigned does when read back as a signed int.
int signedNumber(unsigned int value)
{
    bool bOk = false;
    const int number = QString::number(value).toInt(&bOk, 10);
    return bOk ? number : 0;
}

} // namespace

void WindowControl::notify(void (WindowControl::*signal)(QString), const QString &cmd, QJsonObject payload)
{
    payload.insert(QLatin1String("uuid"), m_strUUID);
    payload.insert(QLatin1String("errorModule"), 0);
    payload.insert(QLatin1String("errorCode"), 0);
    payload.insert(QLatin1String("cmd"), cmd);
    // Compact, keys in ascending order (QJsonObject keeps them sorted).
    const QString text = QString::fromUtf8(QJsonDocument(payload).toJson(QJsonDocument::Compact));
    emit (this->*signal)(text);
}

void WindowControl::onSetSelectWnd(unsigned int wndIndex, unsigned int cameraID, const QString &siteID,
                                   bool openedFisheye)
{
    notify(&WindowControl::setSelectWnd, QStringLiteral("window.selectWnd"),
           {{QLatin1String("wndIndex"), unsignedText(wndIndex)},
            {QLatin1String("cameraID"), unsignedText(cameraID)},
            {QLatin1String("siteID"), siteID},
            {QLatin1String("opendFisheye"), openedFisheye}});
}

void WindowControl::onOpenPTZ(unsigned int cameraID, const QString &siteID)
{
    notify(&WindowControl::togglePTZ, QStringLiteral("window.togglePTZ"),
           {{QLatin1String("cameraID"), unsignedText(cameraID)}, {QLatin1String("siteID"), siteID}});
}

void WindowControl::onUpdateCameraIcon(unsigned int cameraID, int playing, const QString &siteID)
{
    notify(&WindowControl::updateCameraIcon, QStringLiteral("play.updateCameraIcon"),
           {{QLatin1String("cameraID"), unsignedText(cameraID)},
            {QLatin1String("playing"), signedText(playing)},
            {QLatin1String("siteID"), siteID}});
}

void WindowControl::onTalkUrlEmpty(unsigned int cameraID)
{
    notify(&WindowControl::talkUrlEmpty, QStringLiteral("play.talkUrlEmpty"),
           {{QLatin1String("cameraID"), unsignedText(cameraID)}});
}

void WindowControl::onGotoPlayback(unsigned int cameraID, const QString &siteID)
{
    notify(&WindowControl::gotoPlayback, QStringLiteral("play.gotoPlayback"),
           {{QLatin1String("cameraID"), unsignedText(cameraID)}, {QLatin1String("siteID"), siteID}});
}

void WindowControl::onPreviewWnd3DPostion(int xStart, int yStart, int xEnd, int yEnd)
{
    notify(&WindowControl::previewWnd3DPostion, QStringLiteral("play.previewWnd3DPostion"),
           {{QLatin1String("startX"), signedText(xStart)},
            {QLatin1String("startY"), signedText(yStart)},
            {QLatin1String("endX"), signedText(xEnd)},
            {QLatin1String("endY"), signedText(yEnd)}});
}

void WindowControl::onStopPlayAll()
{
    notify(&WindowControl::stopPlayAll, QStringLiteral("play.stopPlayAll"), {});
}

void WindowControl::onWheelEvent(int delta)
{
    notify(&WindowControl::wheelEvent, QStringLiteral("play.wheelEvent"),
           {{QLatin1String("delta"), signedText(delta)}});
}

void WindowControl::onManuallyClose(unsigned int cameraID, const QString &siteID, unsigned int wndIndex)
{
    notify(&WindowControl::manuallyClose, QStringLiteral("play.manuallyClose"),
           {{QLatin1String("wndIndex"), unsignedText(wndIndex)},
            {QLatin1String("cameraID"), unsignedText(cameraID)},
            {QLatin1String("siteID"), siteID}});
}

void WindowControl::onFisheyeExpandChanged(int cameraID, QString siteID, int wndIndex, bool open)
{
    notify(&WindowControl::fisheyeExpandChanged, QStringLiteral("play.fisheyeExpandChanged"),
           {{QLatin1String("wndIndex"), signedText(wndIndex)},
            {QLatin1String("cameraID"), signedText(cameraID)},
            {QLatin1String("siteID"), siteID},
            {QLatin1String("open"), open}});
}

void WindowControl::onGetVanePlayInfo(QString siteID, QString guid)
{
    notify(&WindowControl::getVanePlayInfo, QStringLiteral("play.getVanePlayInfo"),
           {{QLatin1String("siteID"), siteID}, {QLatin1String("guid"), guid}});
}

void WindowControl::onWndPtzControl(unsigned int wndIndex, unsigned int cameraID, unsigned int command,
                                    unsigned int speed, bool open)
{
    notify(&WindowControl::wndPtzControl, QStringLiteral("play.wndPtzControl"),
           {{QLatin1String("wndIndex"), unsignedText(wndIndex)},
            {QLatin1String("cameraID"), unsignedText(cameraID)},
            {QLatin1String("command"), signedNumber(command)},
            {QLatin1String("speed"), signedNumber(speed)},
            {QLatin1String("stop"), open ? 0 : 1}});
}

void WindowControl::onHeatMap(QString data, int max, int min, QString guid)
{
    notify(&WindowControl::heatMap, QStringLiteral("window.heatMap"),
           {{QLatin1String("guid"), guid},
            {QLatin1String("data"), data},
            {QLatin1String("max"), max},
            {QLatin1String("min"), min}});
}

void WindowControl::onUpdate3DState(unsigned int wndIndex, QString siteID, unsigned int cameraID, bool opened)
{
    notify(&WindowControl::update3DState, QStringLiteral("play.update3DState"),
           {{QLatin1String("wndIndex"), unsignedText(wndIndex)},
            {QLatin1String("siteID"), siteID},
            {QLatin1String("cameraID"), unsignedText(cameraID)},
            {QLatin1String("opend"), opened}});
}

void WindowControl::onSendMessage(QString message)
{
    notify(&WindowControl::sendMessage, QStringLiteral("window.sendMessage"),
           {{QLatin1String("message"), message}});
}

void WindowControl::onEnteredFullScreen(QString strGuid)
{
    if (!m_pWebClient || m_pWebClient->GetComponentGuid() != strGuid)
        return;
    qDebug().noquote() << "Entered FullScreen";
    m_bFullScreen = true;
}

void WindowControl::onQuitedFullScreen(QString strGuid)
{
    if (!m_pWebClient || m_pWebClient->GetComponentGuid() != strGuid)
        return;
    qDebug().noquote() << "Quited FullScreen";
    m_bFullScreen = false;
    if (m_bEmbed) {
        // The child moves with the browser; it only needs to count as active again.
        m_bBrowserActive = true;
        return;
    }
    updateTopMost(true);
    SetForegroundWindow(m_hParentHwnd);
    notify(&WindowControl::quitedFullScreen, QStringLiteral("window.quitedFullScreen"), {});
}

void WindowControl::onMousePressed()
{
    if (m_bBrowserActive)
        return;
    // A click into the video of an inactive browser: the browser first, then the keys
    // go to the video.
    qDebug().noquote().nospace() << m_strUUID << "MousePressed Activate";
    SetForegroundWindow(m_hParentHwnd);
    if (m_pWebClient)
        SetForegroundWindow(reinterpret_cast<HWND>(m_pWebClient->winId()));
}
