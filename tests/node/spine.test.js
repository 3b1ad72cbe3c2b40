'use strict';
// The script class over the built add-on: registration, the 42 methods, the reply frame
// seen from the script. (Texts both ways, NULs and surrogates: stress.test.js.)
const test = require('node:test');
const assert = require('node:assert');

const { WindowControl } = require('../../lib');
const { TABLE, METHODS } = require('./fixtures/requests');

// The module a failed request names, written out here rather than read from the table:
// 3 for the video requests, 5 for the others.
const VIDEO = new Set(['SetHubToken', 'StartPlay', 'StopPlay', 'SetPreview3DPosition', 'StopTotal', 'SetDragMode',
  'ShowErrorInfoInFullScreen', 'SetNumberOfWindows', 'GetFishEyePTZPreset', 'SetFishEyePTZPreset', 'ControlFishEyePTZ',
  'ControlFishEyeParol', 'SetVanePlayInfo', 'SetWndAutoPanState', 'StartDownloadCameraHeatValue', 'OpenPtzWnd']);
const moduleOf = (method) => (VIDEO.has(method) ? 3 : 5);

const NO_REPLY = TABLE.filter((m) => m.kind !== 'reply').map((m) => m.name);
const EXTRA = {
  GetFishEyePTZPreset: { presetInfo: { posX: 0, posY: 0, zoom: 0 } },
  HandleRequest: { message: '' },
  RequestInterface: { responseMsg: {} },
};
// StartService loads a library even for an unknown window: plugin.test.js.
const REPLY_METHODS = METHODS.filter((m) => !NO_REPLY.includes(m) && m !== 'StartService');
const expected = (method, fields) => ({ ...fields, ...(EXTRA[method] || {}) });

const wc = new WindowControl();

test('the class: constructed with or without new, its methods, their receivers', () => {
  assert.strictEqual(WindowControl.name, 'WindowControl');
  assert.ok(wc instanceof WindowControl && WindowControl('ignored') instanceof WindowControl);
  assert.deepStrictEqual(
    Object.getOwnPropertyNames(WindowControl.prototype).filter((n) => n !== 'constructor'), METHODS);
  for (const name of ['StopPlay', 'SetCallback', 'ConnectClose']) {
    assert.throws(() => WindowControl.prototype[name].call({}, '{}'), TypeError, name);
  }
  for (const name of NO_REPLY) {
    for (const arg of [undefined, 'x', '{"uuid":"w"}', 42, {}]) {
      assert.strictEqual(wc[name](arg), undefined, `${name}(${String(arg)})`);
    }
  }
  wc.SetCallback(null);
});

test('text that does not parse gives code 1 with the request\'s module, and the extra keys', () => {
  const badInputs = [undefined, '', '{', 42, null, {}, '{"a":1,}', Symbol('s'), { toString() { throw new Error('no'); } }];
  for (const method of REPLY_METHODS) {
    const want = expected(method, { errorCode: 1, errorModule: moduleOf(method), sequence: '', uuid: '' });
    assert.deepStrictEqual(JSON.parse(wc[method]()), want, `${method}()`);
    badInputs.forEach((input, i) => {
      assert.deepStrictEqual(JSON.parse(wc[method](input)), want, `${method}, input ${i}`);
    });
  }
});

test('an array reads nothing, an unknown window is answered as success, extra keys in their sorted places', () => {
  // CreateWnd makes a window: an unknown key is the browser it searches for (5001 when none).
  for (const method of REPLY_METHODS.filter((m) => m !== 'CreateWnd')) {
    assert.deepStrictEqual(JSON.parse(wc[method]('[]')),
      expected(method, { errorCode: 0, errorModule: 0, sequence: '', uuid: '' }), method);
    const request = JSON.stringify({ sequence: 'q1', uuid: 'no-such-window', rect: { width: 5 }, wndIndex: 2 });
    assert.deepStrictEqual(JSON.parse(wc[method](request)),
      expected(method, { errorCode: 0, errorModule: 0, sequence: 'q1', uuid: 'no-such-window' }), method);
  }
  const frame = (code, module, extra, sequence) => `{"errorCode":${code},"errorModule":${module},${extra}"sequence":"${sequence}","uuid":"u"}`;
  for (const [method, text, reply] of [
    ['StopPlay', '{"sequence":7,"uuid":"u"}', frame(0, 0, '', '')],
    ['GetFishEyePTZPreset', '{"sequence":"s","uuid":"u"}', frame(0, 0, '"presetInfo":{"posX":0,"posY":0,"zoom":0},', 's')],
    ['HandleRequest', '{"sequence":"s","uuid":"u"}', frame(0, 0, '"message":"",', 's')],
    ['RequestInterface', '{"sequence":"s","uuid":"u"}', frame(0, 0, '"responseMsg":{},', 's')],
    ['GetFishEyePTZPreset', '{"uuid":"u"', '{"errorCode":1,"errorModule":3,"presetInfo":{"posX":0,"posY":0,"zoom":0},"sequence":"","uuid":""}'],
  ]) {
    assert.strictEqual(wc[method](text), reply, method);
  }
});
