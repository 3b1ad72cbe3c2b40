#include "RequestEnvelope.h"

#include "JsonFields.h"

#include <QJsonDocument>
#include <QJsonParseError>

RequestEnvelope::RequestEnvelope(const QString &request, int iModule)
    : m_iModule(iModule)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(request.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        m_iErrorModule = iModule;
        m_iErrorCode = ErrorCode::Unparsable;
        return;
    }
    m_bParsed = true;
    if (document.isObject()) {
        m_object = document.object();
        m_strSequence = JsonFields::text(m_object, QLatin1String("sequence"));
        m_strUUID = JsonFields::text(m_object, QLatin1String("uuid"));
    }
}

QString RequestEnvelope::reply() const
{
    // Starting from the extra keys saves a copy; the four envelope keys are always set.
    QJsonObject reply = m_extra;
    reply.insert(QLatin1String("sequence"), m_strSequence);
    reply.insert(QLatin1String("uuid"), m_strUUID);
    reply.insert(QLatin1String("errorModule"), m_iErrorModule);
    reply.insert(QLatin1String("errorCode"), m_iErrorCode);
    return QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact));
}
