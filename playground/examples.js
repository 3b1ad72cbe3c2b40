'use strict';
// An example for each of the 42 methods, for the playground's scenes: the browser titles
// carry the keys cam1 and cam2. kind: "reply" for a JSON request, "callback" for
// SetCallback (the playground's own log), "text" for the two methods that take bare text.
const b64 = (text) => Buffer.from(text, 'utf8').toString('base64');
const uuid = 'cam1';
const rect = (left, top, width, height) => ({ left, top, width, height });
const preset = { posX: 0.25, posY: -0.5, zoom: 3 };

const FIELDS = {
  StartService: { options: { dllPath: 'examples/libsample_plugin.so' } },
  StopService: {},
  RequestInterface: { requestParams: { cmd: 'status' } },
  CreateWnd: { className: 'Chrome', embed: true, rect: rect(24, 64, 640, 360), splitType: 2, wndNum: 4,
    languageType: 'en' },
  ShowWnd: {}, HideWnd: {}, DestroyWnd: {},
  SetWndGeometry: { timestamp: '', rect: rect(24, 64, 800, 450) },
  SetWndCover: { position: 'right', size: 120 },
  ChangePlayMode: { type: 1 },
  SetLanguageType: { type: 'en' },
  InitLoginInfo: { hubAddress: 'hub.example.net', hubPort: 8443, sessionID: 'S-41f0c2', loginModel: 1,
    userType: 'operator', networkType: 'lan' },
  SetTranslateFile: { language: 'en' },
  SwitchToSimple: { simple: 1 },
  UpdateParentWnd: {},
  CuttingPartWindow: { rect: rect(40, 20, 200, 120), round: 12 },
  RepairPartWindow: { rect: rect(40, 20, 200, 120), round: 12 },
  SetFirstDayOfWeek: { firstDay: 1 },
  SetHubToken: { token: 'tok-8d1e5b0a' },
  StartPlay: { wndIndex: 0, siteID: 'hq', url: 'rtsp://10.0.4.21/live/101', username: 'viewer', password: 'secret',
    areaName: b64('Lobby'), cameraName: b64('Entrance east'),
    permission: { liveView: 1, playback: 1, videoSearch: 1, manualRecording: 0, twoWayAudio: 0, ptzControl: 1,
      capturePrint: 1, volume: 1 },
    options: { multiStreamProto: 1, dualStream: 1 } },
  StopPlay: { wndIndex: 0 },
  SetPreview3DPosition: { open: 1 },
  StopTotal: {},
  SetDragMode: { drag: 1 },
  ShowErrorInfoInFullScreen: { error: b64('No signal'), type: 1 },
  SetNumberOfWindows: { number: 9 },
  GetFishEyePTZPreset: { wndIndex: 0 },
  SetFishEyePTZPreset: { command: 1, wndIndex: 0, presetInfo: preset },
  ControlFishEyePTZ: { command: 4, stop: false, speed: 5, wndIndex: 0 },
  ControlFishEyeParol: { command: 1, wndIndex: 0,
    cruisePointList: [{ presetNo: 1, sequence: 1, staySeconds: 5, speed: 3, presetInfo: preset }] },
  SetVanePlayInfo: { guid: 'g-1', protocal: 'rtsp', session: 's', token: 't', ip: '10.0.0.2', port: 554,
    accessPath: '/live' },
  SetWndAutoPanState: { wndIndex: 0, open: true },
  StartDownloadCameraHeatValue: { param: { startTime: '2024-01-02 03:04:05', endTime: '2024-01-03 00:00:00',
    queryType: 1, heatMapType: 2, siteID: 3, cameraID: 4, minValue: 0, maxValue: 100, guid: 'hm1' } },
  OpenPtzWnd: { wndIndex: 0, open: true },
  HandleRequest: { message: '{"cmd":"menu"}' },
  TriggerMouseEvent: {},
  GrabOpen: {},
  RestoreWnd: {},
  SimMouseClickEvent: { pointX: 10, pointY: 20 },
};

const TEXTS = { SetLocalConfig: '<config/>', ConnectClose: uuid };

// methods: the class's own, in its order; fields: fields that replace an example's, by method.
function examples(methods, fields = {}) {
  return methods.map((name) => {
    if (name === 'SetCallback') return { name, kind: 'callback', example: '' };
    if (name in TEXTS) return { name, kind: 'text', example: TEXTS[name] };
    const request = { sequence: '1', uuid, ...(FIELDS[name] || {}), ...(fields[name] || {}) };
    return { name, kind: 'reply', example: JSON.stringify(request, null, 1) };
  });
}

module.exports = { FIELDS, examples };
