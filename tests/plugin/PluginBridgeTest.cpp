// The integration bridge with the sample library, on Qt's own event loop: messages that
// the library pushes from threads of its own while the script thread creates and closes
// windows reach the receiver on the script thread, each with its window's key; and a
// page that closes windows from a message the library sends inside one of its calls.
#include "manager/WindowControlManager.h"

#include <VarAvozov/Control.h>
#include <win32sim/Desktop.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <functional>

namespace {
QJsonObject parse(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

QString request(const QString &uuid, QJsonObject fields)
{
    fields.insert("sequence", "s");
    fields.insert("uuid", uuid);
    return QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact));
}

class PluginBridge : public ::testing::Test
{
protected:
    void SetUp() override
    {
        win32sim::reset();
        varavozov::reset();
        qputenv("USERPROFILE", "C:\\Users\\op");
        // Received as a script object receives them: an automatic connection to an
        // object of the script thread.
        QObject::connect(manager(), &WindowControlManager::integrationCallBack, &m_receiver,
                         [this](const QString &text) {
                             if (QThread::currentThread() != m_receiver.thread())
                                 ++m_iOffThread;
                             m_messages.append(parse(text));
                             if (m_onMessage)
                                 m_onMessage(m_messages.last().value("responseMsg").toObject());
                         });
    }
    void TearDown() override { WindowControlManager::DeleteInstance(); }

    static WindowControlManager *manager() { return WindowControlManager::GetInstance(); }
    // "dllPath" is relative to the application folder.
    static QString dllPath() { return QDir(QCoreApplication::applicationDirPath()).relativeFilePath(SAMPLE_PLUGIN_FILE); }

    static int open(const QString &uuid, bool bPlugin)
    {
        if (bPlugin)
            manager()->StartService(request(uuid, {{"options", QJsonObject{{"dllPath", dllPath()}}}}));
        win32sim::createChrome("page " + uuid, QRect(20, 20, 640, 480));
        return parse(manager()->CreateWnd(request(uuid, {{"className", "Chrome"}}))).value("errorCode").toInt(-1);
    }
    static QJsonObject ask(const QString &uuid, const QJsonObject &params)
    {
        return parse(manager()->RequestInterface(request(uuid, {{"requestParams", params}})))
            .value("responseMsg")
            .toObject();
    }
    QVector<QJsonObject> messagesOf(const QString &uuid) const
    {
        QVector<QJsonObject> list;
        for (const QJsonObject &message : m_messages) {
            if (message.value("uuid").toString() == uuid)
                list.append(message.value("responseMsg").toObject());
        }
        return list;
    }
    // Gives up only after iMs without a new message: a slow machine (sanitizers, load)
    // takes longer, a stuck bridge stops delivering.
    bool waitFor(const std::function<bool()> &done, int iMs = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        int iSeen = m_messages.size();
        while (!done() && timer.elapsed() < iMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
            if (m_messages.size() != iSeen) {
                iSeen = m_messages.size();
                timer.restart();
            }
        }
        return done();
    }

    QObject m_receiver;
    QVector<QJsonObject> m_messages;
    int m_iOffThread = 0;
    std::function<void(const QJsonObject &)> m_onMessage;   // what the page does on a message
};

} // namespace

TEST_F(PluginBridge, BurstsWhileWindowsComeAndGo)
{
    const int N = 5000;
    ASSERT_EQ(open("burst", true), 0) << qPrintable(dllPath());
    ASSERT_EQ(open("cut", true), 0);
    ASSERT_GT(ask("burst", {{"burst", N}}).value("burst").toInt(), 0);
    ask("cut", {{"burst", 1000000}});

    QStringList churn;
    for (int i = 0; i < 30; ++i) {
        const QString uuid = QString("churn%1").arg(i);
        churn.append(uuid);
        const bool bPlugin = i % 2 == 0;
        ASSERT_EQ(open(uuid, bPlugin), 0) << i;
        if (bPlugin)
            ask(uuid, {{"push", "now"}, {"burst", 20}});
        if (i == 15)
            manager()->ConnectClose("cut");
        QCoreApplication::processEvents();
        if (i % 3 == 0)
            manager()->DestroyWnd(request(uuid, {}));
        else
            manager()->ConnectClose(uuid);
        if (bPlugin)
            manager()->StopService(request(uuid, {}));
    }
    QCoreApplication::processEvents();
    const int iCut = messagesOf("cut").size();
    ASSERT_TRUE(waitFor([&] { return messagesOf("burst").size() >= N; })) << messagesOf("burst").size();
    QThread::msleep(20);
    QCoreApplication::processEvents();

    EXPECT_EQ(m_iOffThread, 0);
    const QVector<QJsonObject> burst = messagesOf("burst");
    ASSERT_EQ(burst.size(), N);
    for (int i = 0; i < N; ++i)
        ASSERT_EQ(burst.at(i).value("index").toInt(), i + 1);
    // Closing stopped the other burst: nothing came for it afterwards.
    EXPECT_GT(iCut, 0);
    EXPECT_EQ(messagesOf("cut").size(), iCut);
    // Every message kept its own window's key (the library's greeting names none).
    for (const QJsonObject &message : m_messages) {
        const QString uuid = message.value("uuid").toString();
        const bool bGreeting = uuid.isEmpty() && message.value("responseMsg").toObject().value("event") == "loaded";
        EXPECT_TRUE(bGreeting || uuid == "burst" || uuid == "cut" || churn.contains(uuid)) << qPrintable(uuid);
    }
    manager()->ConnectClose("burst");
    EXPECT_EQ(messagesOf("").last().value("event").toString(), "cleanup");
}

TEST_F(PluginBridge, PageClosesTheWindowFromWithinTheLibrarysCall)
{
    // A message pushed inside requestInterface closes the window and stops its service
    // before the answer is released.
    ASSERT_EQ(open("r", true), 0);
    m_onMessage = [](const QJsonObject &message) {
        if (message.value("event") == "pushed")
            manager()->ConnectClose("r");
    };
    EXPECT_EQ(ask("r", {{"push", "now"}}).value("count").toInt(), 1);
    EXPECT_EQ(manager()->findWindow("r"), nullptr);
    EXPECT_EQ(messagesOf("").last().value("event").toString(), "cleanup");
    m_onMessage = nullptr;
    // That answer still went back through freeMsgBuffer.
    ASSERT_EQ(open("r2", true), 0);
    EXPECT_EQ(ask("r2", {}).value("library").toObject().value("outstanding").toInt(-1), 0);
    manager()->ConnectClose("r2");

    // The goodbye of cleanup closes a window whose service is stopping: cleaned up once.
    ASSERT_EQ(open("s", true), 0);
    m_messages.clear();
    m_onMessage = [](const QJsonObject &message) {
        if (message.value("event") == "cleanup")
            manager()->ConnectClose("s");
    };
    manager()->StopService(request("s", {}));
    EXPECT_EQ(manager()->findWindow("s"), nullptr);
    EXPECT_EQ(messagesOf("").size(), 1);
    m_onMessage = nullptr;
}
