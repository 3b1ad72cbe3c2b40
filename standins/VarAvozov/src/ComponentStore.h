#ifndef VARAVOZOV_COMPONENT_STORE_H
#define VARAVOZOV_COMPONENT_STORE_H

#include <VarAvozov/Control.h>

#include <QList>
#include <QMap>
#include <QString>

namespace varavozov {

// Process-wide state of the stand-in: live instances, journals by window key, the
// answers tests set, and the class-wide counters. GUI thread only.
struct ComponentStore
{
    QList<WebClientComponents *> listLive;
    QMap<QString, QList<JournalEntry>> mapKeyJournals;
    int iNextSerial = 1;
    int iInitCount = 0;
    int iUninitCount = 0;
    int iFailConstructions = 0;

    float fPresetPosX = 0.0f;
    float fPresetPosY = 0.0f;
    int iPresetZoom = 0;
    int iHeatMapDelay = 30;
    QString strHeatMapData;     // null: built from the query
    int iHeatMapMax = 0;
    int iHeatMapMin = 0;
    QString strHandleRequestAnswer; // null: echo

    void resetAnswers();
};

ComponentStore &componentStore();

} // namespace varavozov

#endif // VARAVOZOV_COMPONENT_STORE_H
