// Registration with the host: the classic form, as node-gyp builds it, under the name
// and ABI version of the Node.js the module is built against.
#include "WindowControlNode.h"

NODE_MODULE(NODE_GYP_MODULE_NAME, WindowControlNode::WindowControl::Init)
