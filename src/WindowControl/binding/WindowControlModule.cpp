// Registration with the host: Node-API's, so that the one build loads into every Node.js
// (and Electron) from the Node-API version it targets on.
#include "WindowControlNode.h"

NAPI_MODULE(NODE_GYP_MODULE_NAME, WindowControlNode::WindowControl::Init)
