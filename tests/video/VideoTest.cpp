#include "VideoTest.h"

#include <QApplication>
#include <QJsonDocument>

#include <win32sim/Desktop.h>

namespace {
QStringList g_log;
QtMessageHandler g_pfnPrevious = nullptr;

void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg)
        g_log.append(message);
    else if (g_pfnPrevious)
        g_pfnPrevious(type, context, message);
}

} // namespace

void VideoTest::SetUp()
{
    win32sim::reset();
    varavozov::reset();
    win32sim::NewWindow page;
    page.title = QStringLiteral("page");
    page.rect = QRect(100, 100, 800, 600);
    m_hPage = win32sim::createWindow(page);
    ASSERT_TRUE(createHost("w1"));
}

void VideoTest::TearDown()
{
    // The hosts go with the manager, before their desktop windows do.
    WindowControlManager::DeleteInstance();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool VideoTest::createHost(const QString &uuid)
{
    const QJsonObject fields{{"parentWnd", QString::number(quintptr(m_hPage))},
                             {"rect", QJsonObject{{"width", 400}, {"height", 300}}}};
    send(&WindowControlManager::CreateWnd, fields, uuid);
    varavozov::clearJournal(uuid);
    return manager()->findWindow(uuid) != nullptr && varavozov::findComponent(uuid) != nullptr;
}

QJsonObject VideoTest::send(Handler handler, const QJsonObject &fields, const QString &uuid)
{
    QJsonObject request = fields;
    request.insert("sequence", "s");
    request.insert("uuid", uuid);
    const QString reply = (manager()->*handler)(QJsonDocument(request).toJson(QJsonDocument::Compact));
    return QJsonDocument::fromJson(reply.toUtf8()).object();
}

QJsonObject VideoTest::json(const char *text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

varavozov::JournalEntry VideoTest::lastCall(const QString &uuid)
{
    const QList<varavozov::JournalEntry> entries = varavozov::journal(uuid);
    return entries.isEmpty() ? varavozov::JournalEntry() : entries.last();
}

QStringList VideoTest::captureLog(bool bOn)
{
    if (bOn) {
        g_log.clear();
        g_pfnPrevious = qInstallMessageHandler(collect);
        return {};
    }
    qInstallMessageHandler(g_pfnPrevious);
    return g_log;
}
