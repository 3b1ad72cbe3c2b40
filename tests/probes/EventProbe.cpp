#include "EventProbe.h"

#include <QCoreApplication>

void EventProbe::post()
{
    QCoreApplication::postEvent(this, new QEvent(kProbeEvent));
}

void EventProbe::customEvent(QEvent *pEvent)
{
    if (pEvent->type() == kProbeEvent)
        ++m_iReceived;
}
