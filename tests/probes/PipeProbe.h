#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// A pipe whose read end is watched by a Qt socket notifier: what is written to it shows
// up in received() once the loop has served the notifier. Writes may come from another
// thread, after a delay, to wake a sleeping loop.
class PipeProbe : public QObject
{
    Q_OBJECT

public:
    explicit PipeProbe(QObject *pParent = nullptr);
    ~PipeProbe() override;

    bool isValid() const { return m_pNotifier != nullptr; }
    void write(const QByteArray &data);
    void writeFromThread(const QByteArray &data, int iDelayMs);
    QByteArray received() const { return m_received; }
    int activations() const { return m_iActivations; }

private:
    void onReadable();

    int m_aiFds[2] = {-1, -1};
    QSocketNotifier *m_pNotifier = nullptr;
    QByteArray m_received;
    int m_iActivations = 0;
};
