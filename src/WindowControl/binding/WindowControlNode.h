#pragma once

#include <node.h>
#include <node_object_wrap.h>

#include <QObject>
#include <QString>

namespace WindowControlNode {

using node::ObjectWrap;

// The class the script sees as WindowControl. It holds no state of its own: its methods
// hand their texts to the manager, and its slot hands the manager's notifications to
// the one module-wide script callback.
class WindowControl : public QObject, public ObjectWrap
{
    Q_OBJECT

public:
    // Module initialisation: puts the constructor on the exports.
    static void Init(v8::Local<v8::Object> exports);

    ~WindowControl() override;

public slots:
    void MessageProcess(QString strMessage);

private:
    WindowControl();

    static void New(const v8::FunctionCallbackInfo<v8::Value> &info);
};

} // namespace WindowControlNode
