// Hosts made through the manager's requests, over browser windows of a fresh desktop.
#pragma once

#include "host/WindowControl.h"
#include "manager/WindowControlManager.h"

#include <VarAvozov/Control.h>
#include <win32sim/Desktop.h>

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

class HostTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override { WindowControlManager::DeleteInstance(); }   // hosts before their windows

    static WindowControlManager *manager() { return WindowControlManager::GetInstance(); }
    static WindowControl *host(const QString &uuid) { return manager()->findWindow(uuid); }
    static HWND hwndOf(const QWidget *w) { return reinterpret_cast<HWND>(w->winId()); }
    static QRect hostRect(const QString &uuid) { return win32sim::windowRect(hwndOf(host(uuid))); }
    static QJsonObject rect(int left, int top, int width, int height)
    {
        return {{"left", left}, {"top", top}, {"width", width}, {"height", height}};
    }
    static QString request(const QString &uuid, QJsonObject fields)
    {
        fields.insert("sequence", "s");
        fields.insert("uuid", uuid);
        return QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact));
    }
    // CreateWnd; the reply's errorCode.
    static int create(const QString &uuid, const QJsonObject &fields)
    {
        const QString reply = manager()->CreateWnd(request(uuid, fields));
        return QJsonDocument::fromJson(reply.toUtf8()).object().value("errorCode").toInt(-1);
    }
    // A browser in full screen: no frame, its page at the top edge of the monitor.
    static HWND fullScreenBrowser(const QString &className, const QString &title, const QRect &monitor)
    {
        const HWND hFrame = win32sim::createWindow({className, title, monitor});
        win32sim::createWindow({"Chrome_RenderWidgetHostHWND", "", QRect(QPoint(0, 0), monitor.size()), false, hFrame});
        return hFrame;
    }
    // The debug lines written while fn runs.
    static QStringList logOf(const std::function<void()> &fn)
    {
        static QStringList s_log;
        s_log.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &, const QString &text) {
                if (type == QtDebugMsg)
                    s_log << text;
            });
        fn();
        qInstallMessageHandler(previous);
        return s_log;
    }
};
