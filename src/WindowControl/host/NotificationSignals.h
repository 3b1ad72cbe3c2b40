#pragma once

// The way of every notification to the script, as signal and slot names: the host wires
// the component's signals to its slots from this table, the manager relays the host's
// signals from it, and each script object connects to the manager's signals from it.
// Each walks its rows in table order, which is the order its connections are made in.

// The component's signals, the host's slots and the host's signals, in one order that is
// both the host's order of connecting the component and the manager's of relaying a host:
//   FROM_COMPONENT(componentSignal, hostSlot, notification)
//       the slot turns the component's signal into the host signal `notification`, which
//       the manager relays as its own signal of the same name
//   COMPONENT_ONLY(componentSignal, hostSlot)
//       the slot acts on the host itself and notifies nobody
//   HOST_ONLY(notification)
//       a host signal that no component signal leads to (the picture, sendMessage2Web;
//       getLastError and showDisplayInfo are never emitted), relayed all the same
#define WINDOWCONTROL_NOTIFICATIONS(FROM_COMPONENT, COMPONENT_ONLY, HOST_ONLY)             \
    FROM_COMPONENT(SignalSetSelectedWnd, onSetSelectWnd, setSelectWnd)                     \
    FROM_COMPONENT(SignalOpenPTZ, onOpenPTZ, togglePTZ)                                    \
    FROM_COMPONENT(SignaleUpdateCameraIcon, onUpdateCameraIcon, updateCameraIcon)          \
    HOST_ONLY(getLastError)                                                                \
    FROM_COMPONENT(SignalTalkUrlEmpty, onTalkUrlEmpty, talkUrlEmpty)                       \
    FROM_COMPONENT(SignalGotoPlayback, onGotoPlayback, gotoPlayback)                       \
    FROM_COMPONENT(SignalPreviewWnd3DPostion, onPreviewWnd3DPostion, previewWnd3DPostion)  \
    HOST_ONLY(showDisplayInfo)                                                             \
    FROM_COMPONENT(SignalAllStop, onStopPlayAll, stopPlayAll)                              \
    FROM_COMPONENT(SignalWheelEvent, onWheelEvent, wheelEvent)                             \
    FROM_COMPONENT(SignalQuitedFullScreen, onQuitedFullScreen, quitedFullScreen)           \
    COMPONENT_ONLY(SignalEnteredFullScreen, onEnteredFullScreen)                           \
    FROM_COMPONENT(SignalManuallyClose, onManuallyClose, manuallyClose)                    \
    FROM_COMPONENT(SignalFisheyeExpandChanged, onFisheyeExpandChanged, fisheyeExpandChanged) \
    FROM_COMPONENT(SignalGetVanePlayInfo, onGetVanePlayInfo, getVanePlayInfo)              \
    COMPONENT_ONLY(SignalMousePressed, onMousePressed)                                     \
    FROM_COMPONENT(SignalWndPTZControl, onWndPtzControl, wndPtzControl)                    \
    FROM_COMPONENT(SignalHeatMap, onHeatMap, heatMap)                                      \
    FROM_COMPONENT(SignalUpdate3DState, onUpdate3DState, update3DState)                    \
    FROM_COMPONENT(SignalSendMessage, onSendMessage, sendMessage)                          \
    HOST_ONLY(sendMessage2Web)

// The manager's 20 notification signals in the order a script object connects them: the
// 19 it relays from the hosts, and integrationCallBack, its own for integration libraries.
#define WINDOWCONTROL_SCRIPT_NOTIFICATIONS(NOTIFICATION) \
    NOTIFICATION(setSelectWnd)                           \
    NOTIFICATION(togglePTZ)                              \
    NOTIFICATION(quitedFullScreen)                       \
    NOTIFICATION(integrationCallBack)                    \
    NOTIFICATION(updateCameraIcon)                       \
    NOTIFICATION(getLastError)                           \
    NOTIFICATION(talkUrlEmpty)                           \
    NOTIFICATION(previewWnd3DPostion)                    \
    NOTIFICATION(showDisplayInfo)                        \
    NOTIFICATION(gotoPlayback)                           \
    NOTIFICATION(stopPlayAll)                            \
    NOTIFICATION(wheelEvent)                             \
    NOTIFICATION(manuallyClose)                          \
    NOTIFICATION(fisheyeExpandChanged)                   \
    NOTIFICATION(getVanePlayInfo)                        \
    NOTIFICATION(wndPtzControl)                          \
    NOTIFICATION(heatMap)                                \
    NOTIFICATION(update3DState)                          \
    NOTIFICATION(sendMessage)                            \
    NOTIFICATION(sendMessage2Web)
