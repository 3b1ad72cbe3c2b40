#include "WindowControl.h"

#include "ui_WindowControl.h"

#include <VarAvozov/WebClientComponents.h>

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

void WindowControl::setIntegrationLibrary(QLibrary *pLibrary)
{
    if (!m_pIntegrationLib)
        m_pIntegrationLib = pLibrary;
}

void WindowControl::mousePressEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
}
