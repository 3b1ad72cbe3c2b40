// The envelope's own JSON writer against QJsonDocument::toJson(Compact), which wrote the
// replies before: every UTF-16 code unit, surrogates in every arrangement, numbers at the
// edges of what Qt keeps as integers, and whole replies with random values.
#include "manager/RequestEnvelope.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>

// Failures show the texts, not their code units.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *os) { *os << text.toUtf8().constData(); }
QT_END_NAMESPACE

namespace {

// Qt's text of one value: the inside of a one-element array.
QString qtText(const QJsonValue &value)
{
    const QByteArray json = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

QString ownText(const QJsonValue &value)
{
    QString text;
    appendJsonValue(text, value);
    return text;
}

QString randomText(std::mt19937 &random, int maxLength)
{
    // Mostly the code units that need care: controls, quotes, surrogates, the edges.
    static const ushort kSpecial[] = {0, 1, 0x1f, 0x20, '"', '\\', '/', 0x7f, 0x80, 0x7ff, 0x800,
                                      0xd7ff, 0xd800, 0xdbff, 0xdc00, 0xdfff, 0xe000, 0xfffe, 0xffff};
    QString text;
    const int length = int(random() % unsigned(maxLength + 1));
    for (int i = 0; i < length; ++i) {
        const unsigned pick = random() % 4;
        text += QChar(ushort(pick == 0 ? random() : pick == 1 ? 'a' + random() % 26
                                                              : kSpecial[random() % (sizeof(kSpecial) / 2)]));
    }
    return text;
}

QJsonValue randomValue(std::mt19937 &random, int depth)
{
    switch (random() % (depth > 0 ? 7 : 5)) {
    case 0: return QJsonValue();
    case 1: return bool(random() % 2);
    case 2: {
        double d;
        const quint64 bits = (quint64(random()) << 32) | random();
        std::memcpy(&d, &bits, sizeof d);
        return random() % 2 ? d : double(qint64(bits) >> (random() % 64));
    }
    case 3: return double(float(random()) / float(random() | 1)) * (random() % 2 ? 1 : -1);
    case 4: return randomText(random, 12);
    case 5: {
        QJsonArray array;
        for (unsigned n = random() % 4; n; --n)
            array.append(randomValue(random, depth - 1));
        return array;
    }
    default: {
        QJsonObject object;
        for (unsigned n = random() % 4; n; --n)
            object.insert(randomText(random, 6), randomValue(random, depth - 1));
        return object;
    }
    }
}

} // namespace

TEST(ReplyText, EveryCodeUnitAndSurrogateArrangement)
{
    for (uint u = 0; u <= 0xffff; ++u) {
        const QString text = QString(QChar(ushort(u)));
        ASSERT_EQ(ownText(text), qtText(text)) << "U+" << std::hex << u;
    }
    const QChar high(ushort(0xd83d)), low(ushort(0xde00));
    for (const QString &text : {QString() + high + low, QString() + low + high, QString() + high + high + low,
                                QString() + high, QString() + 'a' + high, QString() + high + 'a' + low + low})
        EXPECT_EQ(ownText(text), qtText(text));
}

TEST(ReplyText, NumbersAsQtKeepsThem)
{
    const double kMax = std::numeric_limits<double>::max();
    const double values[] = {0.0, -0.0, 1, -1, 0.5, 0.1, double(0.1f), 1e-7, 1e21, 9007199254740992.0,
                             9007199254740994.0, -9007199254740992.0, 9223372036854775808.0,
                             -9223372036854775808.0, 123456789012345678.0, kMax, -kMax,
                             std::numeric_limits<double>::denorm_min(), std::nan(""), INFINITY, -INFINITY};
    for (double d : values)
        EXPECT_EQ(ownText(d), qtText(d)) << d;
    for (qint64 n : {qint64(0), qint64(-1), std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()})
        EXPECT_EQ(ownText(n), qtText(n)) << n;
}

TEST(ReplyText, WholeRepliesAsQtWroteThem)
{
    std::mt19937 random(7);
    const char *kExtras[] = {"message", "presetInfo", "responseMsg"};
    for (int i = 0; i < 3000; ++i) {
        QJsonObject request{{"sequence", randomText(random, 8)}, {"uuid", randomText(random, 8)}};
        if (i % 5 == 0)
            request.insert("sequence", randomValue(random, 1));
        const bool bUnparsable = i % 11 == 0;
        const QString text = bUnparsable ? QStringLiteral("{") : i % 7 == 0 ? QStringLiteral("[1]")
                             : QString::fromUtf8(QJsonDocument(request).toJson());
        RequestEnvelope envelope(text, i % 2 ? 3 : 5);
        QJsonObject expected;
        if (i % 3) {
            const char *key = kExtras[random() % 3];
            const QJsonValue extra = randomValue(random, 2);
            envelope.setExtra(QLatin1String(key), extra);
            expected.insert(key, extra);
        }
        if (i % 13 == 0)
            envelope.fail(5001);
        // The frame as it was built before: the extra keys, then the four of every reply.
        expected.insert("sequence", envelope.sequence());
        expected.insert("uuid", envelope.uuid());
        expected.insert("errorModule", i % 13 == 0 || bUnparsable ? (i % 2 ? 3 : 5) : 0);
        expected.insert("errorCode", i % 13 == 0 ? 5001 : bUnparsable ? 1 : 0);
        ASSERT_EQ(envelope.reply(), QString::fromUtf8(QJsonDocument(expected).toJson(QJsonDocument::Compact)))
            << qPrintable(text);
    }
}
