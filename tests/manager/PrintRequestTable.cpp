// Writes the request table to the file named by the first argument, as JSON for the Node
// tests and tests/fuzz/make-corpus.js: an array of {"name", "kind", "module", "extraKey"}
// in table order; "extraKey" is null for requests whose replies add no key.
#include "manager/RequestTable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

int main(int argc, char **argv)
{
    const char *const kKinds[] = {"reply", "callback", "config", "close"};   // RequestKind's order
    QJsonArray table;
    for (const RequestEntry &entry : kRequestTable) {
        table.append(QJsonObject{{"name", entry.pszName},
                                 {"kind", kKinds[int(entry.kind)]},
                                 {"module", entry.iModule},
                                 {"extraKey", entry.pszExtraKey ? QJsonValue(entry.pszExtraKey) : QJsonValue()}});
    }
    QFile file(argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(QJsonDocument(table).toJson()) > 0 ? 0 : 1;
}
