// A page script as a page developer writes it: every method, every notification.
import {
  WindowControl, ErrorCode, ErrorModule, request, parseNotification, onNotification,
  type Notification, type Reply, type Request,
} from 'windowcontrol';

const wc = new WindowControl();
const uuid = 'a1b2';
let seq = 0;
const tag = () => String(++seq);
const b64 = (text: string) => btoa(text);
const rect = { left: 16, top: 56, width: 640, height: 360 };

function log(note: Notification): string {
  switch (note.cmd) {
    case 'window.selectWnd': return `pane ${note.wndIndex} camera ${note.cameraID} ${note.siteID} ${note.opendFisheye}`;
    case 'window.togglePTZ': return `ptz ${note.cameraID} ${note.siteID}`;
    case 'play.updateCameraIcon': return `${note.cameraID} playing ${note.playing} ${note.siteID}`;
    case 'play.talkUrlEmpty': return `no talk url ${note.cameraID}`;
    case 'play.gotoPlayback': return `playback ${note.cameraID} ${note.siteID}`;
    case 'play.previewWnd3DPostion': return `3D ${note.startX},${note.startY} ${note.endX},${note.endY}`;
    case 'play.stopPlayAll': return `all stopped in ${note.uuid}`;
    case 'play.wheelEvent': return `wheel ${Number(note.delta)}`;
    case 'window.quitedFullScreen': return `left full screen ${note.errorCode}`;
    case 'play.manuallyClose': return `closed ${note.wndIndex} ${note.cameraID} ${note.siteID}`;
    case 'play.fisheyeExpandChanged': return `fisheye ${note.wndIndex} ${note.cameraID} ${note.siteID} ${note.open}`;
    case 'play.getVanePlayInfo': {
      request(wc, 'SetVanePlayInfo', { sequence: tag(), uuid: note.uuid, guid: note.guid, protocal: 'rtsp',
        session: 's', token: 't', ip: '10.0.0.2', port: 554, accessPath: '/live' });
      return `vane ${note.siteID}`;
    }
    case 'play.wndPtzControl': return `ptz ${note.command + note.speed} stop ${note.stop === 1} ${note.wndIndex} ${note.cameraID}`;
    case 'window.heatMap': return `heat ${note.guid} ${note.data.length} ${note.max - note.min}`;
    case 'play.update3DState': return `3D ${note.wndIndex} ${note.siteID} ${note.cameraID} ${note.opend}`;
    case 'window.sendMessage': return `message ${note.message}`;
    case 'window.messageCallBack': return `picture ${note.data.type} ${note.data.message.image.length} ${note.sequence}`;
    case 'window.integrationCallBack': return `plug-in ${JSON.stringify(note.responseMsg)}`;
  }
}

wc.SetCallback((text) => console.log(log(parseNotification(text))));

// The plug-in library first, then the window.
const started = request(wc, 'StartService', { sequence: tag(), uuid, options: { dllPath: 'plugins/libsample.so' } });
if (started.errorCode === ErrorCode.LibraryNotLoaded) console.log('no plug-in');
const answer: Reply<'RequestInterface'> = request(wc, 'RequestInterface', { uuid, requestParams: { cmd: 'status' } });
console.log(answer.responseMsg.cmd);
request(wc, 'StopService', { uuid });

const created = request(wc, 'CreateWnd', { sequence: tag(), uuid, className: 'Chrome', embed: true, rect,
  parentWnd: '', activeXParentWnd: false, workMode: 0, splitType: 2, languageType: 'en', wndMode: 0, wndNum: 4 });
if (created.errorCode === ErrorCode.NoBrowserWindow) request(wc, 'UpdateParentWnd', { uuid });
if (created.errorCode === ErrorCode.WindowNotMade && created.errorModule === ErrorModule.Window) throw new Error('no window');
if (created.errorCode === ErrorCode.NotJson || created.errorCode === ErrorCode.Success) console.log(created.sequence);

// The methods take JSON texts: a page may send them itself.
const show: Request<'ShowWnd'> = { sequence: tag(), uuid };
JSON.parse(wc.ShowWnd(JSON.stringify(show)));
wc.HideWnd(JSON.stringify({ uuid }));
request(wc, 'SetWndGeometry', { uuid, timestamp: String(Date.now()), rect: { ...rect, width: 800 } });
request(wc, 'SetWndCover', { uuid, position: 'left', size: 20 });
request(wc, 'ChangePlayMode', { uuid, type: 1 });
request(wc, 'SetLanguageType', { uuid, type: 'en' });
request(wc, 'InitLoginInfo', { uuid, hubAddress: 'hub.example.net', hubPort: 8443, sessionID: 'S-1', loginModel: 1,
  userType: 'operator', networkType: 'lan' });
request(wc, 'SetTranslateFile', { uuid, language: 'en' });
request(wc, 'SwitchToSimple', { uuid, simple: 1 });
request(wc, 'CuttingPartWindow', { uuid, rect: { left: 10, top: 10, width: 50, height: 40 }, round: 8 });
request(wc, 'RepairPartWindow', { uuid, rect: { left: 10, top: 10, width: 50, height: 40 }, round: 8 });
request(wc, 'SetFirstDayOfWeek', { uuid, firstDay: 1 });
const token = request(wc, 'SetHubToken', { uuid, token: 'tok' });
if (token.errorModule === ErrorModule.Video) console.log('video request failed');
request(wc, 'StartPlay', { sequence: tag(), uuid, wndIndex: 0, siteID: 'hq', url: 'rtsp://10.0.4.21/live/101',
  username: 'viewer', password: 'secret', areaName: b64('Lobby'), cameraName: b64('Entrance'),
  permission: { liveView: 1, playback: 1, videoSearch: 0, manualRecording: 0, twoWayAudio: 0, ptzControl: 1,
    capturePrint: 1, volume: 1 },
  options: { secretKey: 'k', multiStreamProto: 1, dualStream: 1, fecPlaceType: 2, abilityType: [1, 2],
    timeZoneInfo: { id: 1, utcBias: -60, dst: true, orbitTimeType: 1 } } });
request(wc, 'StopPlay', { uuid, wndIndex: 0 });
request(wc, 'SetPreview3DPosition', { uuid, open: 1 });
request(wc, 'StopTotal', { uuid });
request(wc, 'SetDragMode', { uuid, drag: 1 });
request(wc, 'ShowErrorInfoInFullScreen', { uuid, error: b64('no signal'), type: 1 });
request(wc, 'SetNumberOfWindows', { uuid, number: 9 });
const preset = request(wc, 'GetFishEyePTZPreset', { uuid, wndIndex: 0 }).presetInfo;
request(wc, 'SetFishEyePTZPreset', { uuid, command: 1, wndIndex: 0, presetInfo: { ...preset, zoom: preset.zoom + 1 } });
request(wc, 'ControlFishEyePTZ', { uuid, command: 4, stop: false, speed: 5, wndIndex: 0 });
request(wc, 'ControlFishEyeParol', { uuid, command: 1, wndIndex: 0,
  cruisePointList: [{ presetNo: 1, sequence: 1, staySeconds: 5, speed: 3, presetInfo: preset }] });
request(wc, 'SetWndAutoPanState', { uuid, wndIndex: 0, open: true });
wc.SetLocalConfig('<config/>');
request(wc, 'StartDownloadCameraHeatValue', { uuid, param: { startTime: '2024-01-02 03:04:05',
  endTime: '2024-01-03 00:00:00', queryType: 1, heatMapType: 2, siteID: 3, cameraID: 4, minValue: 0, maxValue: 100,
  guid: 'hm1' } });
request(wc, 'OpenPtzWnd', { uuid, wndIndex: 0, open: true });
const handled: string = request(wc, 'HandleRequest', { uuid, message: '{"cmd":"menu"}' }).message;
request(wc, 'TriggerMouseEvent', { uuid });
request(wc, 'GrabOpen', { uuid });
request(wc, 'RestoreWnd', { uuid });
request(wc, 'SimMouseClickEvent', { uuid, pointX: 10, pointY: 20 });
wc.ConnectClose(uuid);
request(wc, 'DestroyWnd', { sequence: handled, uuid });

// Handlers by cmd, as a second way to take notifications.
wc.SetCallback(onNotification({
  'window.selectWnd': (note) => console.log(note.wndIndex),
  'window.messageCallBack': (note) => console.log(note.data.message.image.length),
  'window.integrationCallBack': (note) => console.log(note.responseMsg),
}));
