#include "ComponentPrivate.h"
#include "ComponentStore.h"

#include <limits>

using varavozov::componentStore;

WebClientComponentsPrivate::WebClientComponentsPrivate(WebClientComponents *q)
    : m_pQ(q), m_iSerial(componentStore().iNextSerial++)
{
    m_strGuid = QStringLiteral("{5a1d0000-0000-4000-8000-%1}")
                    .arg(m_iSerial, 12, 10, QLatin1Char('0'));
    m_timerPattern.setInterval(100);
    QObject::connect(&m_timerPattern, &QTimer::timeout, q, [this]() {
        ++m_iPhase;
        m_pQ->update();
    });
}

WebClientComponentsPrivate *WebClientComponentsPrivate::ofLive(const WebClientComponents *q)
{
    if (!q || !componentStore().listLive.contains(const_cast<WebClientComponents *>(q)))
        return nullptr;
    return q->m_pPrivate;
}

void WebClientComponentsPrivate::record(const varavozov::CallBuilder &call)
{
    varavozov::JournalEntry entry;
    entry.strComponentGuid = m_strGuid;
    entry.strUUID = m_strUUID;
    entry.strOperation = call.operation();
    entry.args = call.args();
    entry.strLine = call.line();
    m_listJournal.append(entry);
    if (!m_strUUID.isEmpty())
        componentStore().mapKeyJournals[m_strUUID].append(entry);
}

void WebClientComponentsPrivate::setKey(const QString &uuid)
{
    if (uuid == m_strUUID)
        return;
    m_strUUID = uuid;
    // The key's journal starts with this instance's construction.
    if (!uuid.isEmpty())
        componentStore().mapKeyJournals[uuid].append(m_listJournal);
}

void WebClientComponentsPrivate::setGrid(int iColumns, int iPaneCount)
{
    m_iColumns = iColumns;
    m_vecPanes.resize(iPaneCount);
    if (m_iSelected >= iPaneCount)
        m_iSelected = 0;
    if (m_iFullScreenPane >= iPaneCount)
        m_iFullScreenPane = 0;
    playingChanged();
}

QRect WebClientComponentsPrivate::paneRect(int pane) const
{
    if (!validPane(pane))
        return QRect();
    const QRect rcAll = m_pQ->rect();
    if (m_bFullScreen)
        return pane == m_iFullScreenPane ? rcAll : QRect();
    const int iRows = (m_vecPanes.size() + m_iColumns - 1) / m_iColumns;
    const int iCol = pane % m_iColumns;
    const int iRow = pane / m_iColumns;
    const int x0 = rcAll.width() * iCol / m_iColumns;
    const int x1 = rcAll.width() * (iCol + 1) / m_iColumns;
    const int y0 = rcAll.height() * iRow / iRows;
    const int y1 = rcAll.height() * (iRow + 1) / iRows;
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

int WebClientComponentsPrivate::paneAt(const QPoint &point) const
{
    for (int i = 0; i < m_vecPanes.size(); ++i) {
        if (paneRect(i).contains(point))
            return i;
    }
    return -1;
}

void WebClientComponentsPrivate::playingChanged()
{
    bool bAny = false;
    for (const ComponentPane &pane : m_vecPanes)
        bAny = bAny || pane.bPlaying;
    if (bAny && !m_timerPattern.isActive())
        m_timerPattern.start();
    else if (!bAny)
        m_timerPattern.stop();
    m_pQ->update();
}

static bool isAsciiDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

unsigned int cameraIDFromUrl(const QString &url)
{
    int iEnd = url.size();
    while (iEnd > 0 && !isAsciiDigit(url.at(iEnd - 1)))
        --iEnd;
    int iBegin = iEnd;
    while (iBegin > 0 && isAsciiDigit(url.at(iBegin - 1)))
        --iBegin;
    unsigned long long ullValue = 0;
    for (int i = iBegin; i < iEnd; ++i) {
        ullValue = ullValue * 10 + static_cast<unsigned int>(url.at(i).unicode() - '0');
        if (ullValue > std::numeric_limits<unsigned int>::max())
            return std::numeric_limits<unsigned int>::max();
    }
    return static_cast<unsigned int>(ullValue);
}
