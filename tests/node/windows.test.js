'use strict';
// Windows over a simulated browser, end to end through the script class: creation and its
// reply codes, placement and cut-outs on the desktop, each method's request and a
// component's answer, notifications, destruction.
const test = require('node:test');
const assert = require('node:assert/strict');
const { WindowControl, shell } = require('../../lib');
const { isQtWindow } = require('../../lib/qtWindows');
const { FIELDS } = require('./fixtures/requests');

const { desktop, component } = shell;
const skip = !(desktop && component) && 'no desktop in this build';
const wc = new WindowControl();
const call = (method, fields) => JSON.parse(wc[method](JSON.stringify({ sequence: 's', ...fields })));
const ok = (uuid) => ({ errorCode: 0, errorModule: 0, sequence: 's', uuid });
const hostOf = (frame) => desktop.childOrder(frame).find((h) => isQtWindow(desktop, h));

test('a window over a Chrome page: placed, cut, told, destroyed', { skip }, () => {
  desktop.reset();
  const chrome = desktop.createChrome('page w1', { x: 100, y: 50, width: 1000, height: 700 });
  const render = desktop.windowRect(chrome.render);
  const rect = { left: 10, top: 20, width: 640, height: 360 };
  assert.deepEqual(call('CreateWnd', { uuid: 'w1', className: 'Chrome', rect }), ok('w1'));
  const hHost = hostOf(chrome.frame);
  assert.ok(hHost, desktop.dump());
  assert.deepEqual(desktop.windowRect(hHost), { x: render.x + 10, y: render.y + 20, width: 640, height: 360 });
  assert.equal(component.journalLines('w1')[1], 'SetWebUUID("w1")');
  // The component's preset comes back as its single-precision value.
  component.setPresetAnswer(0.1, -3, 2);
  assert.deepEqual(call('GetFishEyePTZPreset', { uuid: 'w1' }).presetInfo, { posX: Math.fround(0.1), posY: -3, zoom: 2 });

  call('SetWndGeometry', { uuid: 'w1', timestamp: '2', rect: { ...rect, left: 30 } });
  call('SetWndGeometry', { uuid: 'w1', timestamp: '1', rect: { ...rect, left: 50 } });
  assert.equal(desktop.windowRect(hHost).x, render.x + 30);
  call('CuttingPartWindow', { uuid: 'w1', rect: { left: 100, top: 100, width: 50, height: 50 }, round: 0 });
  assert.deepEqual([desktop.regionContains(hHost, 120, 120), desktop.regionContains(hHost, 160, 120)], [false, true]);

  const received = [];
  wc.SetCallback((text) => received.push(JSON.parse(text)));
  component.emitSignal('w1', 'SignalWheelEvent', [-120]);
  assert.deepEqual(received, [{ cmd: 'play.wheelEvent', delta: '-120', errorCode: 0, errorModule: 0, uuid: 'w1' }]);

  // Each method reaches its own request: what the component was asked first.
  const asked = { StartPlay: 'OnPlay' };
  for (const name of 'ChangePlayMode SetDragMode StopPlay StopTotal ShowErrorInfoInFullScreen SetPreview3DPosition'.split(' ')) {
    asked[name] = `On${name}`;
  }
  for (const name of ['SetLanguageType', 'SetTranslateFile', 'SwitchToSimple', 'SetFirstDayOfWeek', 'SetNumberOfWindows',
    'SetHubToken', 'SetVanePlayInfo', 'ControlFishEyePTZ', 'OpenPtzWnd', 'SetWndAutoPanState', 'SetFishEyePTZPreset',
    'GetFishEyePTZPreset', 'ControlFishEyeParol', 'StartDownloadCameraHeatValue', 'HandleRequest', 'InitLoginInfo']) {
    asked[name] = name;
  }
  for (const [method, operation] of Object.entries(asked)) {
    component.clearJournal('w1');
    call(method, { ...FIELDS[method], uuid: 'w1' });
    assert.match(component.journalLines('w1')[0] || '', new RegExp(`^${operation}\\(`), method);
  }
  // The login data reach the component whole, as the texts of its XML document.
  component.clearJournal('w1');
  call('InitLoginInfo', { ...FIELDS.InitLoginInfo, uuid: 'w1' });
  for (const value of Object.values(FIELDS.InitLoginInfo)) assert.ok(component.journalLines('w1')[0].includes(`>${value}<`), value);

  assert.deepEqual(call('DestroyWnd', { uuid: 'w1' }), ok('w1'));
  assert.equal(hostOf(chrome.frame), undefined);
  assert.ok(!component.liveKeys().includes('w1'));
});

test('reply codes: no browser window, no component, both', { skip }, () => {
  desktop.reset();
  const chrome = desktop.createChrome('page w2', { x: 0, y: 0, width: 800, height: 600 });
  assert.deepEqual(call('CreateWnd', { uuid: 'none', className: 'Chrome' }), { ...ok('none'), errorCode: 5001, errorModule: 5 });
  component.failNextConstruction();
  assert.deepEqual(call('CreateWnd', { uuid: 'w2', className: 'Chrome' }), { ...ok('w2'), errorCode: 5000, errorModule: 5 });
  assert.equal(hostOf(chrome.frame), undefined);
  component.failNextConstruction();
  assert.equal(call('CreateWnd', { uuid: 'none', className: 'Chrome' }).errorCode, 5001);
  // a host without a parent can still be destroyed
  assert.deepEqual(call('DestroyWnd', { uuid: 'none' }), ok('none'));
});
