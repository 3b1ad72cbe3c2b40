#include "SampleAnswers.h"

#include "CallbackBurst.h"
#include "SampleState.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace sample {

namespace {

const int kMaxBurst = 1000000;
const int kMaxInterval = 1000;   // ms

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

void pushNow(HWND hWnd, const QString &strKind, int iCount)
{
    if (strKind == QLatin1String("now"))
        push(hWnd, compact({{"event", "pushed"}, {"count", iCount}}).constData());
    else if (strKind == QLatin1String("text"))
        push(hWnd, "pushed text, not JSON");
    else if (strKind == QLatin1String("nobody"))
        push(nullptr, compact({{"event", "nobody"}}).constData());
}

} // namespace

Answer answerRequest(HWND hWnd, const char *pszParams)
{
    const QJsonObject params = QJsonDocument::fromJson(QByteArray(pszParams ? pszParams : "")).object();
    const int iCount = countRequest(hWnd);

    pushNow(hWnd, params.value(QLatin1String("push")).toString(), iCount);

    QJsonObject answer{{"count", iCount}, {"echo", params}, {"title", "Sample plug-in"}};
    if (params.contains(QLatin1String("burst")) && iCount > 0) {
        const int iBurst = std::clamp(params.value(QLatin1String("burst")).toInt(), 0, kMaxBurst);
        const int iInterval = std::clamp(params.value(QLatin1String("interval")).toInt(), 0, kMaxInterval);
        answer.insert(QStringLiteral("burst"), bursts().start(hWnd, iBurst, iInterval));
    }
    answer.insert(QStringLiteral("library"), stats());

    const QString strKind = params.value(QLatin1String("answer")).toString();
    if (strKind == QLatin1String("array"))
        return {false, "[\"sample\",1]"};
    if (strKind == QLatin1String("text"))
        return {false, "sample answer, not JSON"};
    if (strKind == QLatin1String("string"))
        return {false, "\"sample\""};
    if (strKind == QLatin1String("none"))
        return {true, QByteArray()};
    return {false, compact(answer)};
}

} // namespace sample
