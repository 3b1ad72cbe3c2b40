#include <VarAvozov/Control.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>
#include <new>

using namespace varavozov;

namespace {

class ComponentJournal : public ::testing::Test
{
protected:
    void SetUp() override { reset(); }
    static std::unique_ptr<WebClientComponents> make(const QString &uuid = QString())
    {
        auto component = std::make_unique<WebClientComponents>(
            nullptr, 0, Split2x2, QStringLiteral("en"), WndModeNormal, 64u);
        if (!uuid.isEmpty())
            component->SetWebUUID(uuid);
        return component;
    }
};

} // namespace

TEST_F(ComponentJournal, KeyJournalStartsAtConstructionAndOutlivesTheInstance)
{
    auto *pComponent = new WebClientComponents(nullptr, 3, Split3x3, QStringLiteral("en"),
                                               WndModeSingle, 4u);
    const QString strCtor = QStringLiteral("WebClientComponents(3, 3, \"en\", 1, 4)");
    EXPECT_EQ(journalLines(pComponent), QStringList{strCtor});
    EXPECT_EQ(paneCount(pComponent), 4);   // 3 x 3 capped by the window count
    EXPECT_TRUE(journal(QStringLiteral("w1")).isEmpty());

    pComponent->SetWebUUID(QStringLiteral("w1"));
    pComponent->SetConfigXmlPath(QStringLiteral("C:/cfg"), QStringLiteral("C:/svc"));
    EXPECT_EQ(findComponent(QStringLiteral("w1")), pComponent);
    EXPECT_EQ(liveKeys(), QStringList{QStringLiteral("w1")});
    const QStringList expected{strCtor, QStringLiteral("SetWebUUID(\"w1\")"),
                               QStringLiteral("SetConfigXmlPath(\"C:/cfg\", \"C:/svc\")")};
    EXPECT_EQ(journalLines(QStringLiteral("w1")), expected);
    EXPECT_EQ(journalLines(pComponent), expected);
    const QList<JournalEntry> entries = journal(QStringLiteral("w1"));
    EXPECT_EQ(entries.at(0).strUUID, QString());
    EXPECT_EQ(entries.at(2).strUUID, QStringLiteral("w1"));
    EXPECT_EQ(entries.at(2).strComponentGuid, componentGuid(pComponent));
    EXPECT_EQ(entries.at(2).args, (QVariantList{QStringLiteral("C:/cfg"), QStringLiteral("C:/svc")}));

    clearJournal(pComponent);
    EXPECT_TRUE(journal(pComponent).isEmpty());
    EXPECT_EQ(journal(QStringLiteral("w1")).size(), 3);

    delete pComponent;
    EXPECT_EQ(findComponent(QStringLiteral("w1")), nullptr);
    EXPECT_TRUE(journal(pComponent).isEmpty());  // no longer live: not read
    EXPECT_EQ(journalLines(QStringLiteral("w1")).last(), QStringLiteral("~WebClientComponents()"));
    clearJournal(QStringLiteral("w1"));
    EXPECT_TRUE(journal(QStringLiteral("w1")).isEmpty());
}

TEST_F(ComponentJournal, ClassWideCountsAndAnswers)
{
    WebClientComponents::InitStreamClient();
    WebClientComponents::InitStreamClient();
    WebClientComponents::UninitStreamClient();
    EXPECT_EQ(initStreamClientCount(), 2);
    EXPECT_EQ(uninitStreamClientCount(), 1);

    auto first = make(QStringLiteral("a"));
    auto second = make(QStringLiteral("b"));
    EXPECT_NE(first->GetComponentGuid(), second->GetComponentGuid());
    EXPECT_EQ(first->GetComponentGuid(), componentGuid(first.get()));

    const QString strRequest = QStringLiteral("{\"menu\":[1,\"x\"]}");
    const QJsonObject echo = QJsonDocument::fromJson(second->HandleRequest(strRequest).toUtf8()).object();
    EXPECT_EQ(echo.value(QStringLiteral("request")).toString(), strRequest);
    EXPECT_EQ(echo.value(QStringLiteral("uuid")).toString(), QStringLiteral("b"));
    setHandleRequestAnswer(QStringLiteral("not json"));
    EXPECT_EQ(second->HandleRequest(strRequest), QStringLiteral("not json"));
    EXPECT_TRUE(second->SetTranslateFile(QString()));

    reset();
    EXPECT_EQ(initStreamClientCount(), 0);
    EXPECT_TRUE(journal(QStringLiteral("a")).isEmpty());
    EXPECT_EQ(second->HandleRequest(QString()), QStringLiteral("{\"request\":\"\",\"uuid\":\"b\"}"));
}
