// Hosts made through CreateWnd inside a plain desktop window ("parentWnd"), each with
// the stand-in component; what reached the component is read from its journal.
#pragma once

#include "../host/HostTest.h"

class VideoTest : public HostTest
{
public:
    using Handler = QString (WindowControlManager::*)(const QString &);

protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_hPage = win32sim::createWindow({"Page", "page", QRect(100, 100, 800, 600)});
        ASSERT_TRUE(createHost("w1"));
    }
    // Registers a host under uuid, its journal cleared; false when CreateWnd gave no host.
    bool createHost(const QString &uuid)
    {
        create(uuid, {{"parentWnd", QString::number(quintptr(m_hPage))}, {"rect", rect(0, 0, 400, 300)}});
        varavozov::clearJournal(uuid);
        return host(uuid) && varavozov::findComponent(uuid);
    }
    // Sends a request with "sequence" "s" and this "uuid"; the parsed reply.
    static QJsonObject send(Handler handler, const QJsonObject &fields, const QString &uuid = "w1")
    {
        return QJsonDocument::fromJson((manager()->*handler)(request(uuid, fields)).toUtf8()).object();
    }
    static QJsonObject json(const char *text) { return QJsonDocument::fromJson(QByteArray(text)).object(); }
    // Journal lines since the host was made (construction and set-up left out).
    static QStringList calls(const QString &uuid = "w1") { return varavozov::journalLines(uuid); }
    static varavozov::JournalEntry lastCall(const QString &uuid = "w1")
    {
        const QList<varavozov::JournalEntry> entries = varavozov::journal(uuid);
        return entries.isEmpty() ? varavozov::JournalEntry() : entries.last();
    }

private:
    HWND m_hPage = nullptr;
};
