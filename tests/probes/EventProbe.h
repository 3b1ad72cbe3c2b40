#pragma once

#include <QEvent>
#include <QObject>

// A plain Qt object that counts the events posted to it, for checking that posted
// events and deferred deletes are served from the loop.
class EventProbe : public QObject
{
    Q_OBJECT

public:
    int received() const { return m_iReceived; }
    void post();

protected:
    void customEvent(QEvent *pEvent) override;

private:
    int m_iReceived = 0;
};
