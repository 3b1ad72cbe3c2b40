#include <OwlBase/Encrypt.h>
#include <OwlBase/TimeUtil.h>

#include <QByteArray>
#include <QDateTime>

#include <gtest/gtest.h>


using Owl::Base::Encrypt::Base64Decode;
using Owl::Base::TimeUtil::StrDatetime2TimeT;

namespace {

long long utcSeconds(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

} // namespace

TEST(Base64Decode, DecodesWhatQtEncodes)
{
    // Every byte value, in every position of the last group.
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    for (int iLength = 0; iLength <= 5; ++iLength) {
        for (int iStart = 0; iStart + iLength <= bytes.size(); iStart += 7) {
            const QByteArray plain = bytes.mid(iStart, iLength);
            std::string out = "previous";
            EXPECT_TRUE(Base64Decode(out, plain.toBase64().toStdString()));
            EXPECT_EQ(out, plain.toStdString());
        }
    }
    const QByteArray utf8 = QString::fromUtf8("Zürich 東京").toUtf8();
    std::string out;
    EXPECT_TRUE(Base64Decode(out, utf8.toBase64().toStdString()));
    EXPECT_EQ(out, utf8.toStdString());
}

TEST(Base64Decode, MalformedInputKeepsWhatWasValid)
{
    struct Case { const char *in; const char *out; bool ok; };
    const Case cases[] = {
        {"SGVs\r\nbG8 =", "Hello", true},   // whitespace anywhere
        {"", "", true},
        {"SGVsbG8", "Hello", false},        // padding missing
        {"SGV$bG8=", "He", false},          // stops at the first foreign character
        {"SGVsbA===", "Hell", false},        // too much padding
        {"QQ==QQ==", "A", false},           // data after padding
        {"QUJDR", "ABC", false},            // a lone digit
        {"QUJD=", "ABC", false},            // padding on a full group
        {"-_8A", "", false},                // URL-safe alphabet is not taken
    };
    for (const Case &c : cases) {
        std::string out = "previous";
        EXPECT_EQ(Base64Decode(out, c.in), c.ok) << c.in;
        EXPECT_EQ(out, c.out) << c.in;
    }
}

TEST(StrDatetime2TimeT, ReadsDatesTimesAndZones)
{
    const long long llNoon = utcSeconds(2024, 2, 29, 13, 45, 10);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29 13:45:10"), llNoon);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29T13:45:10"), llNoon);
    EXPECT_EQ(StrDatetime2TimeT("  2024-02-29 13:45:10.987\n"), llNoon);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29T13:45:10Z"), llNoon);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29T21:45:10+08:00"), llNoon);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29T08:15:10-0530"), llNoon);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29T19:45:10+05"), llNoon + 3600);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29 13:45"), llNoon - 10);
    EXPECT_EQ(StrDatetime2TimeT("2024-02-29"), utcSeconds(2024, 2, 29));
    EXPECT_EQ(StrDatetime2TimeT("1969-12-31 00:00:00"), utcSeconds(1969, 12, 31));
    EXPECT_EQ(StrDatetime2TimeT("9999-12-31 23:59:59"), utcSeconds(9999, 12, 31, 23, 59, 59));
}

TEST(StrDatetime2TimeT, UnreadableTextGivesMinusOne)
{
    const char *texts[] = {"", "   ", "yesterday", "2023-02-29 00:00:00", "2024-13-01",
                           "2024-04-31", "2024-01-01 24:00:00", "2024-01-01 10:60:00",
                           "2024-01-01 10:00:60", "2024-1-1", "2024-01-01 10:00:00 x",
                           "2024-01-01 10:00:00+24:00", "2024-01-01 10:00:00.", "0000-01-01",
                           "2024-01-01/10:00:00", "2024-01-01 10"};
    for (const char *text : texts)
        EXPECT_EQ(StrDatetime2TimeT(text), -1) << '"' << text << '"';
}
