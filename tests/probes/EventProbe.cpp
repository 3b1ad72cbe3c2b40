#include "EventProbe.h"

#include <QCoreApplication>

namespace {
const QEvent::Type kProbeEvent = QEvent::Type(QEvent::User + 1);
}

void EventProbe::post()
{
    QCoreApplication::postEvent(this, new QEvent(kProbeEvent));
}

void EventProbe::customEvent(QEvent *pEvent)
{
    if (pEvent->type() == kProbeEvent)
        ++m_iReceived;
}
