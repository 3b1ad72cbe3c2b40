#ifndef VARAVOZOV_COMPONENT_PRIVATE_H
#define VARAVOZOV_COMPONENT_PRIVATE_H

#include "CallFormat.h"

#include <VarAvozov/Control.h>

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QVector>

struct ComponentPane
{
    bool bPlaying = false;
    QString strSiteID;
    QString strUrl;
    QString strAreaName;
    QString strCameraName;
    unsigned int uCameraID = 0;
};

class WebClientComponentsPrivate
{
public:
    explicit WebClientComponentsPrivate(WebClientComponents *q);

    // The state of a live instance; nullptr for anything else.
    static WebClientComponentsPrivate *ofLive(const WebClientComponents *q);

    void record(const varavozov::CallBuilder &call);
    void setKey(const QString &uuid);

    // Panes
    void setGrid(int iColumns, int iPaneCount);
    QRect paneRect(int pane) const;
    int paneAt(const QPoint &point) const;
    bool validPane(int pane) const { return pane >= 0 && pane < m_vecPanes.size(); }
    void playingChanged();

    WebClientComponents *m_pQ;
    int m_iSerial;
    QString m_strGuid;
    QString m_strUUID;
    QList<varavozov::JournalEntry> m_listJournal;

    QVector<ComponentPane> m_vecPanes;
    int m_iColumns = 1;
    int m_iSelected = 0;
    bool m_bFullScreen = false;
    int m_iFullScreenPane = 0;
    QTimer m_timerPattern;
    int m_iPhase = 0;
};

// Camera id of a pane: the last run of decimal digits in its url.
unsigned int cameraIDFromUrl(const QString &url);

#endif // VARAVOZOV_COMPONENT_PRIVATE_H
