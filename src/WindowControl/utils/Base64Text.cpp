#include "Base64Text.h"

#include <OwlBase/Encrypt.h>

#include <string>

QString decodeBase64Text(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::string decoded;
    Owl::Base::Encrypt::Base64Decode(decoded, std::string(utf8.constData(), size_t(utf8.size())));
    return QString::fromUtf8(decoded.data(), int(decoded.size()));
}
