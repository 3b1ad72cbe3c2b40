'use strict';
// Writes the fuzzer's seed corpus: well-formed requests of every kind for the keys the
// fuzz scene registers. Each file is one byte naming the handler ('@' + its place in the
// fuzzer's table) followed by the request text. Run again after changing the table.
// Usage: node tests/fuzz/make-corpus.js [page-A-handle]
//   (the handle of the scene's first page window, as
//    FUZZ_PRINT_HANDLES=1 build-fuzz/tests/fuzz/request_fuzzer -runs=0 prints it)
const fs = require('fs');
const path = require('path');

const HANDLERS = [
  'StartService', 'StopService', 'RequestInterface', 'CreateWnd', 'ShowWnd', 'HideWnd', 'DestroyWnd',
  'SetWndGeometry', 'SetWndCover', 'ChangePlayMode', 'SetLanguageType', 'InitLoginInfo', 'SetTranslateFile',
  'SwitchToSimple', 'UpdateParentWnd', 'CuttingPartWindow', 'RepairPartWindow', 'SetFirstDayOfWeek',
  'SetHubToken', 'StartPlay', 'StopPlay', 'SetPreview3DPosition', 'StopTotal', 'SetDragMode',
  'ShowErrorInfoInFullScreen', 'SetNumberOfWindows', 'GetFishEyePTZPreset', 'SetFishEyePTZPreset',
  'ControlFishEyePTZ', 'ControlFishEyeParol', 'SetVanePlayInfo', 'SetWndAutoPanState',
  'StartDownloadCameraHeatValue', 'OpenPtzWnd', 'HandleRequest', 'TriggerMouseEvent', 'GrabOpen', 'RestoreWnd',
  'SimMouseClickEvent', 'SetLocalConfig', 'ConnectClose',
];
const pageA = process.argv[2] || '0';
const rect = (left, top, width, height) => ({ left, top, width, height });
const preset = { posX: 0.25, posY: -0.5, zoom: 3 };
const b64 = (text) => Buffer.from(text, 'utf8').toString('base64');

// Per request: the fields of one or more requests (each also sent for every key below).
const FIELDS = {
  StartService: [{ options: { dllPath: '../host/host_plugin.so' } }, { options: { dllPath: '../spine/spine_plugin.so' } },
    { options: { dllPath: 'missing.so' } }],
  StopService: [{ type: 'window' }],
  RequestInterface: [{ requestParams: { cmd: 'status', list: [1, 'a', null] } }],
  CreateWnd: [{ className: 'Chrome', rect: rect(10, 20, 300, 200), embed: true, workMode: 1, splitType: 2,
    languageType: 'en', wndMode: 0, wndNum: 16 },
  { className: 'Chrome', embed: false, rect: rect(0, 0, 1920, 1080) },
  { parentWnd: pageA, activeXParentWnd: true, rect: rect(5, 5, 100, 100) },
  { className: 'IEFrame', rect: rect(0, 0, 200, 100) }],
  ShowWnd: [{}], HideWnd: [{}], DestroyWnd: [{}], UpdateParentWnd: [{}], StopTotal: [{}],
  TriggerMouseEvent: [{}], GrabOpen: [{}], RestoreWnd: [{}],
  SetWndGeometry: [{ timestamp: '5', rect: rect(30, 40, 500, 300) }, { rect: rect(-10, -10, 0, 0) }],
  SetWndCover: [{ position: 'left', size: 20 }, { position: 'top', size: 10 }, { position: 'right', size: 5 },
    { position: 'bottom', size: 8 }],
  ChangePlayMode: [{ type: 1 }], SetLanguageType: [{ type: 'zh_CN' }], SetTranslateFile: [{ language: 'en' }],
  SwitchToSimple: [{ simple: 1 }], SetFirstDayOfWeek: [{ firstDay: 1 }], SetDragMode: [{ drag: 1 }],
  SetNumberOfWindows: [{ number: 9 }],
  InitLoginInfo: [{ hubAddress: '10.0.0.1', hubPort: 8443, sessionID: 's1', loginModel: 1, userType: 'admin',
    networkType: 'lan' }],
  CuttingPartWindow: [{ rect: rect(10, 10, 50, 40), round: 8 }],
  RepairPartWindow: [{ rect: rect(10, 10, 50, 40), round: 8 }],
  SetHubToken: [{ token: 'tok' }],
  StartPlay: [{ url: 'rtsp://cam/17', password: 'pw', username: 'u', siteID: '3', areaName: b64('hall'),
    cameraName: b64('caméra'), wndIndex: 1,
    permission: { liveView: 1, playback: 1, videoSearch: 0, manualRecording: 1, twoWayAudio: 0, ptzControl: 1,
      capturePrint: 1, volume: 1 },
    options: { secretKey: 'k', multiStreamProto: 1, dualStream: 1, fecPlaceType: 2, abilityType: [1, 2, 3],
      timeZoneInfo: { id: 1, utcBias: -60, dst: true, daylightBias: 60, dstStartMonth: 3, dstEndMonth: 10,
        dstStartWeek: 5, dstEndWeek: 5, dstStartDay: 0, dstEndDay: 0, dstStartHour: 2, dstEndHour: 3,
        dstStartMinute: 0, dstEndMinute: 0, orbitTimeType: 1 } } }],
  StopPlay: [{ wndIndex: 1 }], SetPreview3DPosition: [{ open: 1 }],
  ShowErrorInfoInFullScreen: [{ error: b64('no signal'), type: 2 }],
  GetFishEyePTZPreset: [{ wndIndex: 0 }],
  SetFishEyePTZPreset: [{ command: 1, wndIndex: 0, presetInfo: preset }],
  ControlFishEyePTZ: [{ command: 4, stop: false, speed: 5, wndIndex: 0 }],
  ControlFishEyeParol: [{ command: 1, wndIndex: 0, cruisePointList: [
    { sequence: 1, presetNo: 2, staySeconds: 5, speed: 3, presetInfo: preset }, { sequence: 2, presetInfo: {} }] }],
  SetVanePlayInfo: [{ guid: 'g', protocal: 'rtsp', session: 's', token: 't', ip: '10.0.0.2', port: 554,
    accessPath: '/live' }],
  SetWndAutoPanState: [{ wndIndex: 0, open: true }],
  StartDownloadCameraHeatValue: [{ param: { startTime: '2024-01-02 03:04:05', endTime: '2024-01-03 00:00:00',
    queryType: 1, heatMapType: 2, siteID: 3, cameraID: 4, minValue: 0, maxValue: 100, guid: 'hm1' } }],
  OpenPtzWnd: [{ wndIndex: 0, open: true }],
  HandleRequest: [{ message: '{"cmd":"menu"}' }],
  SimMouseClickEvent: [{ pointX: 10, pointY: 20 }],
};
const KEYS = ['d1', 'd2', 'c1', 'c2', 'i1'];

const dir = path.join(__dirname, 'corpus');
fs.mkdirSync(dir, { recursive: true });
for (const f of fs.readdirSync(dir)) fs.unlinkSync(path.join(dir, f));
let count = 0;
const write = (name, handler, text) => {
  const index = HANDLERS.indexOf(handler);
  if (index < 0) throw new Error(handler);
  fs.writeFileSync(path.join(dir, name), Buffer.concat([Buffer.from([64 + index]), Buffer.from(text, 'utf8')]));
  ++count;
};
for (const [handler, list] of Object.entries(FIELDS)) {
  list.forEach((fields, i) => {
    for (const uuid of KEYS) write(`${handler}-${i}-${uuid}`, handler, JSON.stringify({ sequence: `${count}`, uuid, ...fields }));
  });
}
// The same requests with every number at the ends of the int range, for two windows.
const extreme = (value, n) => (typeof value === 'number' ? n
  : Array.isArray(value) ? value.map((v) => extreme(v, n))
    : value && typeof value === 'object' ? Object.fromEntries(Object.entries(value).map(([k, v]) => [k, extreme(v, n)]))
      : value);
for (const [handler, list] of Object.entries(FIELDS)) {
  if (!Object.keys(list[0]).length) continue;
  for (const [name, n] of [['max', 2147483647], ['min', -2147483648]]) {
    for (const uuid of ['c1', 'd2']) write(`${handler}-${name}-${uuid}`, handler, JSON.stringify({ sequence: name, uuid, ...extreme(list[0], n) }));
  }
}
write('SetLocalConfig-0', 'SetLocalConfig', '<config><volume>3</volume></config>');
for (const uuid of KEYS) write(`ConnectClose-${uuid}`, 'ConnectClose', uuid);
for (const handler of HANDLERS.slice(0, 39)) {
  if (!FIELDS[handler]) throw new Error(`no seed for ${handler}`);
}
console.log(`${count} seeds in ${dir}`);
