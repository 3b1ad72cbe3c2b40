// What the component shows and how it answers the mouse.
#include "ComponentPrivate.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

namespace {

void paintTestPattern(QPainter &painter, const QRect &rc, int iPhase)
{
    static const QColor s_bars[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green,
                                    Qt::magenta, Qt::red, Qt::blue};
    const int iBars = int(sizeof s_bars / sizeof s_bars[0]);
    const int iBarWidth = qMax(1, rc.width() / iBars);
    const int iShift = (iPhase * 4) % (iBarWidth * iBars);
    painter.save();
    painter.setClipRect(rc);
    for (int i = -1; i <= iBars; ++i) {
        const int x = rc.left() + i * iBarWidth + iShift % iBarWidth;
        const QColor &color = s_bars[((i - iShift / iBarWidth) % iBars + iBars) % iBars];
        painter.fillRect(QRect(x, rc.top(), iBarWidth, rc.height()), color.darker(130));
    }
    // A square that runs along the bottom shows that the picture moves.
    const int iSide = qMax(4, rc.height() / 8);
    const int iTrack = qMax(1, rc.width() - iSide);
    painter.fillRect(QRect(rc.left() + (iPhase * 6) % iTrack, rc.bottom() - iSide, iSide, iSide),
                     Qt::black);
    painter.restore();
}

} // namespace

void WebClientComponents::paintEvent(QPaintEvent *)
{
    const WebClientComponentsPrivate *d = m_pPrivate;
    QPainter painter(this);
    painter.fillRect(rect(), QColor(24, 24, 28));
    for (int i = 0; i < d->m_vecPanes.size(); ++i) {
        const QRect rc = d->paneRect(i);
        if (rc.isEmpty())
            continue;
        const ComponentPane &pane = d->m_vecPanes.at(i);
        const QRect rcInner = rc.adjusted(1, 1, -1, -1);
        if (pane.bPlaying) {
            paintTestPattern(painter, rcInner, d->m_iPhase);
            painter.setPen(Qt::white);
            const QString strCaption = QStringLiteral("%1 / %2\ncamera %3")
                                           .arg(pane.strCameraName, pane.strAreaName)
                                           .arg(pane.uCameraID);
            painter.fillRect(QRect(rcInner.topLeft(), QSize(rcInner.width(), 36)),
                             QColor(0, 0, 0, 160));
            painter.drawText(rcInner.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop,
                             strCaption);
        } else {
            painter.fillRect(rcInner, QColor(40, 40, 46));
            painter.setPen(QColor(150, 150, 160));
            painter.drawText(rcInner, Qt::AlignCenter, QString::number(i + 1));
        }
        const bool bSelected = i == d->m_iSelected;
        painter.setPen(QPen(bSelected ? QColor(255, 200, 0) : QColor(80, 80, 90),
                            bSelected ? 2 : 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rc.adjusted(0, 0, -1, -1));
    }
}

void WebClientComponents::mousePressEvent(QMouseEvent *event)
{
    QPointer<WebClientComponents> guard(this);
    emit SignalMousePressed();
    if (!guard || event->button() != Qt::LeftButton)
        return;
    const int iPane = m_pPrivate->paneAt(event->pos());
    if (iPane < 0)
        return;
    m_pPrivate->m_iSelected = iPane;
    update();
    const ComponentPane pane = m_pPrivate->m_vecPanes.at(iPane);
    emit SignalSetSelectedWnd(static_cast<unsigned int>(iPane), pane.uCameraID, pane.strSiteID,
                              false);
}

void WebClientComponents::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    WebClientComponentsPrivate *d = m_pPrivate;
    const QString strGuid = d->m_strGuid; // a receiver may delete the component
    if (d->m_bFullScreen) {
        d->m_bFullScreen = false;
        update();
        emit SignalQuitedFullScreen(strGuid);
        return;
    }
    const int iPane = d->paneAt(event->pos());
    if (iPane < 0)
        return;
    d->m_bFullScreen = true;
    d->m_iFullScreenPane = iPane;
    update();
    emit SignalEnteredFullScreen(strGuid);
}

void WebClientComponents::wheelEvent(QWheelEvent *event)
{
    event->accept();
    emit SignalWheelEvent(event->angleDelta().y());
}
