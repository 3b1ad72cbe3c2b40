#include "ComponentStore.h"

namespace varavozov {

void ComponentStore::resetAnswers()
{
    fPresetPosX = 0.0f;
    fPresetPosY = 0.0f;
    iPresetZoom = 0;
    iHeatMapDelay = 30;
    strHeatMapData = QString();
    iHeatMapMax = 0;
    iHeatMapMin = 0;
    strHandleRequestAnswer = QString();
}

ComponentStore &componentStore()
{
    // Never destroyed: components deleted late at exit still find it.
    static ComponentStore *s_pStore = new ComponentStore;
    return *s_pStore;
}

} // namespace varavozov
