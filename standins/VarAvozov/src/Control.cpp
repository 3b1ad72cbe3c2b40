#include "ComponentPrivate.h"
#include "ComponentStore.h"

namespace varavozov {

QList<WebClientComponents *> liveComponents()
{
    return componentStore().listLive;
}

WebClientComponents *findComponent(const QString &uuid)
{
    const QList<WebClientComponents *> &listLive = componentStore().listLive;
    for (int i = listLive.size() - 1; i >= 0; --i) {
        if (WebClientComponentsPrivate::ofLive(listLive.at(i))->m_strUUID == uuid)
            return listLive.at(i);
    }
    return nullptr;
}

QStringList liveKeys()
{
    QStringList keys;
    for (WebClientComponents *pComponent : componentStore().listLive) {
        const QString &strKey = WebClientComponentsPrivate::ofLive(pComponent)->m_strUUID;
        if (!strKey.isEmpty())
            keys.append(strKey);
    }
    return keys;
}

QString componentGuid(const WebClientComponents *component)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d ? d->m_strGuid : QString();
}

QString componentKey(const WebClientComponents *component)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d ? d->m_strUUID : QString();
}

QList<JournalEntry> journal(const WebClientComponents *component)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d ? d->m_listJournal : QList<JournalEntry>();
}

QList<JournalEntry> journal(const QString &uuid)
{
    return componentStore().mapKeyJournals.value(uuid);
}

static QStringList linesOf(const QList<JournalEntry> &entries)
{
    QStringList lines;
    for (const JournalEntry &entry : entries)
        lines.append(entry.strLine);
    return lines;
}

QStringList journalLines(const WebClientComponents *component)
{
    return linesOf(journal(component));
}

QStringList journalLines(const QString &uuid)
{
    return linesOf(journal(uuid));
}

void clearJournal(const WebClientComponents *component)
{
    if (WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component))
        d->m_listJournal.clear();
}

void clearJournal(const QString &uuid)
{
    componentStore().mapKeyJournals.remove(uuid);
}

void clearAllJournals()
{
    ComponentStore &store = componentStore();
    store.mapKeyJournals.clear();
    for (WebClientComponents *pComponent : store.listLive)
        WebClientComponentsPrivate::ofLive(pComponent)->m_listJournal.clear();
}

void setPresetAnswer(float fPosX, float fPosY, int iZoom)
{
    ComponentStore &store = componentStore();
    store.fPresetPosX = fPosX;
    store.fPresetPosY = fPosY;
    store.iPresetZoom = iZoom;
}

void setHeatMapDelay(int iMilliseconds)
{
    componentStore().iHeatMapDelay = iMilliseconds;
}

int heatMapDelay()
{
    return componentStore().iHeatMapDelay;
}

void setHeatMapAnswer(const QString &data, int max, int min)
{
    ComponentStore &store = componentStore();
    store.strHeatMapData = data;
    store.iHeatMapMax = max;
    store.iHeatMapMin = min;
}

void setHandleRequestAnswer(const QString &answer)
{
    componentStore().strHandleRequestAnswer = answer;
}

void failNextConstruction(int count)
{
    componentStore().iFailConstructions = qMax(0, count);
}

int pendingConstructionFailures()
{
    return componentStore().iFailConstructions;
}

int initStreamClientCount()
{
    return componentStore().iInitCount;
}

int uninitStreamClientCount()
{
    return componentStore().iUninitCount;
}

void reset()
{
    ComponentStore &store = componentStore();
    clearAllJournals();
    store.iInitCount = 0;
    store.iUninitCount = 0;
    store.iFailConstructions = 0;
    store.resetAnswers();
}

int paneCount(const WebClientComponents *component)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d ? d->m_vecPanes.size() : 0;
}

int selectedPane(const WebClientComponents *component)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d ? d->m_iSelected : -1;
}

QRect paneRect(const WebClientComponents *component, int pane)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d ? d->paneRect(pane) : QRect();
}

bool isPanePlaying(const WebClientComponents *component, int pane)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d && d->validPane(pane) && d->m_vecPanes.at(pane).bPlaying;
}

bool isFullScreen(const WebClientComponents *component)
{
    const WebClientComponentsPrivate *d = WebClientComponentsPrivate::ofLive(component);
    return d && d->m_bFullScreen;
}

} // namespace varavozov
