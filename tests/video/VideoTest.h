// Hosts made through CreateWnd inside a plain desktop window ("parentWnd"), each with
// the stand-in component; what reached the component is read from its journal.
#pragma once

#include "host/WindowControl.h"
#include "manager/WindowControlManager.h"

#include <VarAvozov/Control.h>

#include <gtest/gtest.h>

#include <QJsonObject>
#include <QString>
#include <QStringList>

class VideoTest : public ::testing::Test
{
public:
    using Handler = QString (WindowControlManager::*)(const QString &);

protected:
    void SetUp() override;
    void TearDown() override;

    static WindowControlManager *manager() { return WindowControlManager::GetInstance(); }
    // Registers a host under uuid; false when CreateWnd gave no host.
    bool createHost(const QString &uuid);
    // Sends a request with "sequence" "s" and this "uuid"; the parsed reply.
    static QJsonObject send(Handler handler, const QJsonObject &fields, const QString &uuid = "w1");
    static QJsonObject json(const char *text);
    // Journal lines since the host was made (construction and set-up left out).
    static QStringList calls(const QString &uuid = "w1") { return varavozov::journalLines(uuid); }
    static varavozov::JournalEntry lastCall(const QString &uuid = "w1");
    // Debug lines written while f runs.
    template <typename F> static QStringList logOf(F f) { captureLog(true); f(); return captureLog(false); }
    // Starts capturing (and clears), or stops and hands back what was captured.
    static QStringList captureLog(bool bOn);

private:
    HWND m_hPage = nullptr;
};
