#pragma once

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <QWheelEvent>

#include <gtest/gtest.h>
#include <win32sim/Desktop.h>

// A widget that paints one colour and remembers what reached it.
class Probe : public QWidget
{
public:
    explicit Probe(QWidget *parent = nullptr, Qt::WindowFlags flags = {}) : QWidget(parent, flags) {}

    QColor colour = Qt::red;
    QVector<QEvent::Type> activations;     // WindowActivate / WindowDeactivate, in order
    QVector<UINT> nativeMessages;          // "windows_generic_MSG" messages
    QVector<QPoint> presses;
    int doubleClicks = 0;
    int wheelDelta = 0;
    bool detachOnDestroy = false;          // on WM_DESTROY leave the parent and hide, as a host does

protected:
    bool event(QEvent *e) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), colour); }
    void mousePressEvent(QMouseEvent *e) override { presses.append(e->pos()); }
    void mouseDoubleClickEvent(QMouseEvent *) override { ++doubleClicks; }
    void wheelEvent(QWheelEvent *e) override { wheelDelta += e->angleDelta().y(); }
};

// Each test starts on a fresh desktop.
class QpaTest : public ::testing::Test
{
protected:
    void SetUp() override { win32sim::reset(); }
    void TearDown() override { flush(); }

    static void flush();                   // let Qt handle what the desktop reported
    static HWND hwndOf(const QWidget *w) { return reinterpret_cast<HWND>(w->winId()); }
    static QString classOf(HWND hwnd);
    static QString qtClassPrefix();        // "Qt5158" for Qt 5.15.8

};
