#pragma once

#include <node_api.h>

#include <QObject>
#include <QString>

namespace WindowControlNode {

// The class the script sees as WindowControl. Its methods hand their texts to the
// manager, and its slot hands the manager's notifications to the one module-wide script
// callback. Each script object owns one (napi_wrap), which goes when the script object
// is collected; it keeps only a weak reference to its script object.
class WindowControl : public QObject
{
    Q_OBJECT

public:
    // Module initialisation: puts the constructor on the exports.
    static napi_value Init(napi_env env, napi_value exports);

    ~WindowControl() override;

public slots:
    void MessageProcess(QString strMessage);

private:
    WindowControl();

    static napi_value New(napi_env env, napi_callback_info info);
    static void Finalize(napi_env env, void *pData, void *pHint);

    napi_ref m_pScriptObject = nullptr;
};

} // namespace WindowControlNode
