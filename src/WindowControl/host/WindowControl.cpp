#include "WindowControl.h"
#include "NotificationSignals.h"

#include "ui_WindowControl.h"

#include "utils/ConfigLocations.h"

#include <Integration/IntegrationExports.h>
#include <VarAvozov/WebClientComponents.h>

#include <QDebug>
#include <QLibrary>

#include <limits>
#include <new>

WindowControl::WindowControl(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::WindowControl)
    , m_hRenderWnd(nullptr)
    , m_hD3DWnd(nullptr)
    , m_hFrameTab(nullptr)
    , m_hTabWindow(nullptr)
    , m_hParentHwnd(nullptr)
    , m_hTrayWnd(nullptr)
    , m_hSecondaryTrayWnd(nullptr)
    , m_hWnd(nullptr)
    , m_rcWnd(QPoint(0, 0), QPoint(0, 0))
    , m_rcCover(QPoint(0, 0), QPoint(0, 0))
    , m_ptSlice(0, 0)
    , m_pWebClient(nullptr)
    , m_bEmbed(true)
    , m_bTopMost(false)
    , m_bBrowserActive(false)
    , m_iMoveSettleCount(-1)
    , m_bParentMoving(false)
    , m_rcParentLast{0, 0, 0, 0}
    , m_bParentChange(false)
    , m_bFullScreen(false)
    , m_bHiddenByParentDestroy(false)
    , m_bActiveXParent(false)
    , m_iParentLeft(0)
    , m_iParentTop(0)
    , m_bCoverMonitor(false)
    , m_iZOrderTick(0)
    , m_pIntegrationWnd(nullptr)
    , m_pIntegrationLib(nullptr)
    , m_rcIntegrationWnd(0, 0, 0, 0)
    , m_hBrowserHooks{nullptr, nullptr, nullptr}
    , m_hWatchedWnd(nullptr)
    , m_bInBrowserEvent(false)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose, true);
    installEventFilter(this);

    m_hTrayWnd = FindWindowW(L"Shell_TrayWnd", nullptr);
    m_hSecondaryTrayWnd = FindWindowW(L"Shell_SecondaryTrayWnd", nullptr);
    // Asking for the handle makes the native window exist from now on.
    m_hWnd = reinterpret_cast<HWND>(winId());

    m_mapLastTimestamp.insert(QStringLiteral("setWndGeometry"), QStringLiteral("0"));
}

WindowControl::~WindowControl()
{
    unwatchBrowser();
    // Geometry may have hidden the taskbars while the browser filled its monitor; a host
    // that never showed anything never touched them.
    if (m_pWebClient || m_pIntegrationWnd) {
        if (!IsWindowVisible(m_hTrayWnd)) {
            ShowWindow(m_hTrayWnd, SW_SHOW);
            ShowWindow(FindWindowW(L"Button", nullptr), SW_SHOW);
        }
        if (m_hSecondaryTrayWnd && !IsWindowVisible(m_hSecondaryTrayWnd))
            ShowWindow(m_hSecondaryTrayWnd, SW_SHOW);
        delete m_pWebClient;
        m_pWebClient = nullptr;
        // The integration library destroys its own window (ConnectClose asks it to).
        m_pIntegrationWnd = nullptr;
    }
    delete ui;
}

int WindowControl::createWnd(const QString &uuid, const QString &className, bool embed,
                             QString parentWnd, int workMode, int splitType,
                             const QString &languageType, int wndMode, unsigned int wndNum)
{
    m_strUUID = uuid;
    m_bEmbed = embed;
    if (!parentWnd.isEmpty())
        m_bActiveXParent = true;
    qDebug().noquote().nospace() << "m_bEmbed = " << m_bEmbed;

    bool bCreated;
    if (m_pIntegrationLib) {
        bCreated = createIntegrationWnd();
    } else {
        qDebug().noquote().nospace() << "iWorkMode = " << workMode << ", iSplitType = " << splitType;
        bCreated = createWebClient(uuid, workMode, splitType, languageType, wndMode, wndNum);
    }

    if (!parentWnd.isEmpty()) {
        // A handle given by the page is always embedded in; no window search is made.
        m_bEmbed = true;
        bool bNumber = false;
        const qulonglong handle = parentWnd.toULongLong(&bNumber, 10);
        m_hParentHwnd = (bNumber && handle <= std::numeric_limits<quintptr>::max())
                            ? reinterpret_cast<HWND>(static_cast<quintptr>(handle))
                            : nullptr;
        SetParent(m_hWnd, m_hParentHwnd);
        watchBrowser();
    } else {
        findParentWnd(uuid, className);
    }
    qDebug().noquote().nospace() << "m_hParentHwnd = " << m_hParentHwnd;

    if (!m_hParentHwnd)
        return 5001;
    return bCreated ? 0 : 5000;
}

bool WindowControl::createIntegrationWnd()
{
    auto pfnCreateWnd = reinterpret_cast<PFN_createWnd>(m_pIntegrationLib->resolve(INTEGRATION_EXPORT_CREATE_WND));
    if (pfnCreateWnd)
        m_pIntegrationWnd = pfnCreateWnd(m_hWnd);
    else
        qDebug().noquote() << "createWnd export failed.";
    if (!m_pIntegrationWnd) {
        qDebug().noquote() << "createWnd call failed.";
        return false;
    }
    return true;
}

bool WindowControl::createWebClient(const QString &uuid, int workMode, int splitType,
                                    const QString &languageType, int wndMode, unsigned int wndNum)
{
    try {
        m_pWebClient = new WebClientComponents(this, workMode, static_cast<ComponentSplitType>(splitType),
                                               languageType, static_cast<WndMode>(wndMode), wndNum);
    } catch (const std::bad_alloc &) {
        // The component library reports a component it cannot make this way.
        m_pWebClient = nullptr;
        return false;
    }
    m_pWebClient->SetWebUUID(uuid);
    connectWebClient();
    m_pWebClient->SetConfigXmlPath(QString::fromUtf8(configXmlDir().c_str()),
                                   QString::fromUtf8(serviceDataDir().c_str()));
    return true;
}

void WindowControl::connectWebClient()
{
#define CONNECT_SLOT(componentSignal, hostSlot) \
    connect(m_pWebClient, &WebClientComponents::componentSignal, this, &WindowControl::hostSlot);
#define CONNECT_NOTIFYING_SLOT(componentSignal, hostSlot, notification) CONNECT_SLOT(componentSignal, hostSlot)
#define NO_COMPONENT_SIGNAL(notification)
    WINDOWCONTROL_NOTIFICATIONS(CONNECT_NOTIFYING_SLOT, CONNECT_SLOT, NO_COMPONENT_SIGNAL)
#undef NO_COMPONENT_SIGNAL
#undef CONNECT_NOTIFYING_SLOT
#undef CONNECT_SLOT
}

void WindowControl::setIntegrationLibrary(QLibrary *pLibrary)
{
    if (!m_pIntegrationLib)
        m_pIntegrationLib = pLibrary;
}

void WindowControl::mousePressEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
}
