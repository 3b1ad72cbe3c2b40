'use strict';
// Video requests from the script down to the stand-in component (read from its journal),
// and heat-map results back up to the script's callback.
const test = require('node:test');
const assert = require('node:assert/strict');
const { WindowControl, shell } = require('../../lib');

const { desktop, component } = shell;
const wc = new WindowControl();
const notes = [];
wc.SetCallback((text) => notes.push(JSON.parse(text)));

const send = (method, uuid, fields = {}) =>
  JSON.parse(wc[method](JSON.stringify({ sequence: 's', uuid, ...fields })));
const page = desktop.createWindow({ rect: [0, 0, 800, 600], title: 'page' });
assert.equal(send('CreateWnd', 'v1', { parentWnd: page, rect: { width: 400, height: 300 } }).errorCode, 0);

// What one request made the component do.
function callsOf(method, fields, uuid = 'v1') {
  component.clearJournal(uuid);
  assert.deepEqual(send(method, uuid, fields), { errorCode: 0, errorModule: 0, sequence: 's', uuid });
  return component.journalLines(uuid);
}

test('the login document arrives byte for byte, texts through the UTF-8 round trip', () => {
  assert.deepEqual(callsOf('SetHubToken', { token: 'x' }, 'nobody'), []);
  callsOf('InitLoginInfo', { hubAddress: 'héb&<x>', hubPort: 8443, sessionID: 'a"b' });
  const [entry] = component.journal('v1');
  assert.equal(entry.args[0], '<?xml version="1.0" encoding="UTF-8"?>\n<device>\n'
    + ' <lpHUBAddress>héb&amp;&lt;x></lpHUBAddress>\n <lPort>8443</lPort>\n <lpSessionID>a"b</lpSessionID>\n'
    + ' <lpLoginModel>0</lpLoginModel>\n <lpUserType></lpUserType>\n <lpNetworkType></lpNetworkType>\n</device>\n');
});

test('a preset is read back as the component\'s single-precision value', () => {
  component.setPresetAnswer(0.1, -3, 2);
  const reply = send('GetFishEyePTZPreset', 'v1', { wndIndex: 1 });
  assert.deepEqual(reply.presetInfo, { posX: Math.fround(0.1), posY: -3, zoom: 2 });
  assert.deepEqual(send('GetFishEyePTZPreset', 'nobody').presetInfo, { posX: 0, posY: 0, zoom: 0 });
});

test('heat-map results reach the callback later, each with its query\'s guid', async () => {
  component.setHeatMapDelay(0);
  notes.length = 0;
  const query = (guid, siteID) => send('StartDownloadCameraHeatValue', 'v1',
    { param: { guid, siteID, cameraID: 4, minValue: 1, maxValue: 9, startTime: '2024-01-02 03:04:05' } });
  query('g1', 3);
  query('g2', '3');
  assert.deepEqual(notes, []);
  // Node's own timer holds the loop while Qt's (unreferenced) one brings the results.
  for (let i = 0; i < 200 && notes.length < 2; ++i) await new Promise((r) => setTimeout(r, 10));
  assert.deepEqual(notes, [
    { cmd: 'window.heatMap', uuid: 'v1', errorCode: 0, errorModule: 0, guid: 'g1',
      data: 'heat:3:4:1704164645:-1:0:0', max: 9, min: 1 },
    { cmd: 'window.heatMap', uuid: 'v1', errorCode: 0, errorModule: 0, guid: 'g2',
      data: 'heat:0:4:1704164645:-1:0:0', max: 9, min: 1 },
  ]);
});
