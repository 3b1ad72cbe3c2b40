// The field readers: what each JSON type reads as, and the fields whose reading no
// component call shows (what reaches the component is checked in tests/video).
#include "manager/JsonFields.h"
#include "manager/WindowArgs.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

namespace {

QJsonObject json(const char *text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

} // namespace

TEST(ReadingRules, EachJsonTypeReadsAsTheRulesSay)
{
    const QJsonObject o = json(R"({"s":"x","i":7,"neg":-3,"f":2.5,"big":1e12,"t":true,"n":null,"o":{},"a":[1]})");
    using namespace JsonFields;
    EXPECT_EQ(text(o, QLatin1String("s")), "x");
    for (const char *key : {"i", "t", "n", "o", "a", "absent"})
        EXPECT_TRUE(text(o, QLatin1String(key)).isEmpty()) << key;

    EXPECT_EQ(integer(o, QLatin1String("i")), 7);
    EXPECT_EQ(integer(o, QLatin1String("neg")), -3);
    for (const char *key : {"f", "big", "s", "t", "n", "o", "a"})
        EXPECT_EQ(integer(o, QLatin1String(key), 99), 0) << key;   // present: the fallback, not the default
    EXPECT_EQ(integer(o, QLatin1String("absent"), 99), 99);

    EXPECT_TRUE(flag(o, QLatin1String("t")));
    for (const char *key : {"i", "s", "n", "absent"})
        EXPECT_FALSE(flag(o, QLatin1String(key))) << key;

    EXPECT_DOUBLE_EQ(real(o, QLatin1String("f")), 2.5);
    EXPECT_DOUBLE_EQ(real(o, QLatin1String("i")), 7.0);
    EXPECT_DOUBLE_EQ(real(o, QLatin1String("s")), 0.0);
}

TEST(CreateWndArgs, ActiveXParentFalseDiscardsTheParent)
{
    EXPECT_TRUE(readCreateWndArgs(json(R"({"parentWnd":"66","activeXParentWnd":false})")).strParentWnd.isEmpty());
    EXPECT_TRUE(readCreateWndArgs(json(R"({"parentWnd":"66","activeXParentWnd":"yes"})")).strParentWnd.isEmpty());
    EXPECT_EQ(readCreateWndArgs(json(R"({"parentWnd":"66","activeXParentWnd":true})")).strParentWnd, "66");
}

TEST(WindowArgs, TimestampCoverAndCutOut)
{
    EXPECT_EQ(readSetWndGeometryArgs(json("{}")).strTimestamp, "0");
    EXPECT_EQ(readSetWndGeometryArgs(json(R"({"timestamp":1700})")).strTimestamp, "");
    EXPECT_EQ(readSetWndGeometryArgs(json(R"({"timestamp":"1700"})")).strTimestamp, "1700");

    const CuttingPartWindowArgs cut = readCuttingPartWindowArgs(json(R"({"rect":{"left":-20,"width":100},"round":8})"));
    EXPECT_EQ(cut.rect.iLeft, -20);
    EXPECT_EQ(cut.rect.iWidth, 100);
    EXPECT_EQ(cut.iRound, 8);
    // "round" belongs to the request, not to "rect".
    EXPECT_EQ(readCuttingPartWindowArgs(json(R"({"rect":{"round":8}})")).iRound, 0);

    EXPECT_EQ(readSetWndCoverArgs(json(R"({"position":3,"size":40})")).strPosition, "");
    EXPECT_EQ(readSetWndCoverArgs(json(R"({"position":"left","size":40})")).iSize, 40);
}
