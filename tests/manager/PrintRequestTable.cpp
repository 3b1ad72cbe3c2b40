// Writes the request table to the file named by the first argument, as JSON for the Node
// tests and tests/fuzz/make-corpus.js: an array of {"name", "kind", "module", "extraKey"}
// in table order; "extraKey" is null for requests whose replies add no key.
#include "manager/RequestTable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString kindText(RequestKind kind)
{
    switch (kind) {
    case RequestKind::Reply: return QStringLiteral("reply");
    case RequestKind::Callback: return QStringLiteral("callback");
    case RequestKind::Config: return QStringLiteral("config");
    case RequestKind::Close: return QStringLiteral("close");
    }
    return QString();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    QJsonArray table;
    for (const RequestEntry &entry : kRequestTable) {
        table.append(QJsonObject{
            {"name", entry.pszName},
            {"kind", kindText(entry.kind)},
            {"module", entry.iModule},
            {"extraKey", entry.pszExtraKey ? QJsonValue(entry.pszExtraKey) : QJsonValue()},
        });
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    return file.write(QJsonDocument(table).toJson()) > 0 ? 0 : 1;
}
