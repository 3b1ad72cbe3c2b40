#ifndef VARAVOZOV_CALL_FORMAT_H
#define VARAVOZOV_CALL_FORMAT_H

#include <VarAvozov/ComponentTypes.h>

#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>
#include <vector>

namespace varavozov {

// One argument as the journal keeps it: the value for structured readers and its text.
struct CallValue
{
    QVariant value;
    QString strText;
};

CallValue callValue(int value);
CallValue callValue(unsigned int value);
CallValue callValue(long long value);
CallValue callValue(bool value);
CallValue callValue(float value);
CallValue callValue(const QString &value);
CallValue callValue(const std::string &value);
CallValue callValue(const std::vector<int> &values);
CallValue callValue(const clientframework::TimeZoneInfo &value);
CallValue callValue(const clientframework::WebCameraStruct &value);
CallValue callValue(const clientframework::HeatMapDownloaderParam &value);
CallValue callValue(const ResourceManager::PresetStruct &value);
CallValue callValue(const ResourceManager::CruisePointStruct &value);
CallValue callValue(const std::vector<ResourceManager::CruisePointStruct> &values);

QString quotedText(const QString &text);

// Collects a call: operation name and arguments in order.
class CallBuilder
{
public:
    explicit CallBuilder(const QString &operation) : m_strOperation(operation) {}

    template <typename T>
    CallBuilder &arg(const T &value)
    {
        CallValue cv = callValue(value);
        m_listArgs.append(cv.value);
        m_listTexts.append(cv.strText);
        return *this;
    }

    QString operation() const { return m_strOperation; }
    QVariantList args() const { return m_listArgs; }
    QString line() const;

private:
    QString m_strOperation;
    QVariantList m_listArgs;
    QStringList m_listTexts;
};

} // namespace varavozov

#endif // VARAVOZOV_CALL_FORMAT_H
