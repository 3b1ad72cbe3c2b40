// Integration library bridge: load and release libraries, pass requests to their
// windows, turn their messages into notifications.
#include "WindowControlManager.h"

#include "IntegrationArgs.h"
#include "RequestTable.h"
#include "host/WindowControl.h"

#include <Integration/IntegrationExports.h>

#include <QCoreApplication>
#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>

#include <cstdlib>

namespace {

// A library's answer or message: its JSON object, or an empty one for anything else.
QJsonObject objectFromText(const char *pszJson)
{
    if (!pszJson)
        return QJsonObject();
    return QJsonDocument::fromJson(QByteArray(pszJson)).object();
}

} // namespace

QString WindowControlManager::StartService(const QString &request)
{
    m_bIntegration = true;
    RequestEnvelope envelope(request, moduleOf<&WindowControlManager::StartService>());
    if (!envelope.isParsed()) {
        m_bIntegration = false;
        return envelope.reply();
    }
    const StartServiceArgs args = readStartServiceArgs(envelope.object());
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + args.strDllPath;

    // A library already loaded for another window serves this one too; its callback
    // is already set.
    for (auto it = m_mapIntegrationLibs.cbegin(); it != m_mapIntegrationLibs.cend(); ++it) {
        if (it.value() && it.value()->fileName() == path) {
            QLibrary *pShared = it.value();
            m_mapIntegrationLibs.insert(envelope.uuid(), pShared);
            return envelope.reply();
        }
    }

    // A name with a NUL in it names no file; asking Qt would only log a warning.
    QLibrary *pLibrary = path.contains(QChar(u'\0')) ? nullptr : new QLibrary(path);
    if (!pLibrary || !pLibrary->load()) {
        delete pLibrary;
        m_bIntegration = false;
        envelope.fail(ErrorCode::LibraryNotLoaded);
        return envelope.reply();
    }
    m_mapIntegrationLibs.insert(envelope.uuid(), pLibrary);
    if (auto pfnSetCallBack = reinterpret_cast<PFN_setIntegrationCallBack>(
            pLibrary->resolve(INTEGRATION_EXPORT_SET_CALLBACK)))
        pfnSetCallBack(&WindowControlManager::onIntegrationCallBack);
    return envelope.reply();
}

QString WindowControlManager::StopService(const QString &request)
{
    RequestEnvelope envelope(request, moduleOf<&WindowControlManager::StopService>());
    if (!envelope.isParsed())
        return envelope.reply();
    // Out of the table before the library hears of it: a message it sends from cleanup
    // may reach a page that stops this service again, which must then find nothing.
    QLibrary *pLibrary = m_mapIntegrationLibs.take(envelope.uuid());
    // The last window using the library lets it clean up; the module itself stays
    // mapped, as its windows' code may still be running.
    if (pLibrary && integrationLibKeys(pLibrary).isEmpty()) {
        if (auto pfnCleanup = reinterpret_cast<PFN_cleanup>(pLibrary->resolve(INTEGRATION_EXPORT_CLEANUP))) {
            qDebug().noquote() << "cleanup defined";
            pfnCleanup();
        } else {
            qDebug().noquote() << "cleanup undefined";
        }
        delete pLibrary;
    }
    return envelope.reply();
}

QString WindowControlManager::RequestInterface(const QString &request)
{
    RequestEnvelope envelope(request, moduleOf<&WindowControlManager::RequestInterface>());
    if (!envelope.isParsed()) {
        envelope.setExtra(QLatin1String("responseMsg"), QJsonObject());
        return envelope.reply();
    }
    const RequestInterfaceArgs args = readRequestInterfaceArgs(envelope.object());
    const QByteArray params = QJsonDocument(args.requestParams).toJson();

    const QString &uuid = envelope.uuid();
    const HWND hWnd = integrationWnd(uuid);
    QLibrary *pLibrary = m_mapIntegrationLibs.value(uuid, nullptr);
    // Entries decide, not handles: a window registered without a parent may hold a null
    // library window. (The script thread only reads here; its reads need no lock.)
    const bool bReachable = m_mapIntegrationWnds.contains(uuid) && pLibrary;
    char *pszAnswer = nullptr;
    PFN_freeMsgBuffer pfnFree = nullptr;
    if (bReachable) {
        // Both exports are taken before the call: a message the library sends from
        // inside it may reach a page that stops the service, and then the library object
        // is gone when the call returns (its module stays mapped).
        pfnFree = reinterpret_cast<PFN_freeMsgBuffer>(pLibrary->resolve(INTEGRATION_EXPORT_FREE_MSG_BUFFER));
        if (auto pfnRequest = reinterpret_cast<PFN_requestInterface>(
                pLibrary->resolve(INTEGRATION_EXPORT_REQUEST_INTERFACE)))
            pszAnswer = pfnRequest(hWnd, params.constData());
    }
    envelope.setExtra(QLatin1String("responseMsg"), objectFromText(pszAnswer));

    if (bReachable) {
        if (pfnFree) {
            qDebug().noquote() << "freeMsgBuffer defined";
            pfnFree(hWnd, pszAnswer);
        } else {
            qDebug().noquote() << "freeMsgBuffer undefined";
            // Without the export the answer must come from the shared C runtime heap.
            if (pszAnswer)
                std::free(pszAnswer);
        }
    }
    return envelope.reply();
}

void WindowControlManager::ConnectClose(QString uuid)
{
    qDebug().noquote() << "connectClose";
    if (!m_mapWindows.contains(uuid))
        return;
    const HWND hWnd = integrationWnd(uuid);
    QLibrary *pLibrary = m_mapIntegrationLibs.value(uuid, nullptr);
    if (m_mapIntegrationWnds.contains(uuid) && pLibrary) {
        if (auto pfnDestroy = reinterpret_cast<PFN_destroyWnd>(pLibrary->resolve(INTEGRATION_EXPORT_DESTROY_WND))) {
            qDebug().noquote() << "destroyWnd defined";
            pfnDestroy(hWnd);
        } else {
            qDebug().noquote() << "destroyWnd undefined";
        }
    }
    destroyWindow(uuid);

    QJsonObject stop;
    stop.insert(QLatin1String("sequence"), QString());
    stop.insert(QLatin1String("type"), QStringLiteral("window"));
    stop.insert(QLatin1String("uuid"), uuid);
    StopService(QString::fromUtf8(QJsonDocument(stop).toJson(QJsonDocument::Compact)));
}

void WindowControlManager::onIntegrationCallBack(HWND hWnd, const char *pszJson)
{
    // A library that calls after the module was unloaded finds no manager, and must
    // not make one on its own thread.
    withInstanceFromAnyThread([hWnd, pszJson](WindowControlManager *pManager) {
        QJsonObject message;
        message.insert(QLatin1String("sequence"), QString());
        message.insert(QLatin1String("uuid"), pManager->integrationWndKey(hWnd));
        message.insert(QLatin1String("cmd"), QStringLiteral("window.integrationCallBack"));
        message.insert(QLatin1String("responseMsg"), objectFromText(pszJson));
        // Emitted on the library's thread when it calls from its own: the connections
        // to the script objects then queue the text to the script thread.
        emit pManager->integrationCallBack(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    });
}
