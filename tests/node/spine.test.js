'use strict';
// The script class over the built add-on: registration, the 42 methods, the reply frame
// seen from the script. (Texts both ways, NULs and surrogates: stress.test.js.)
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');

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
const REPLY_METHODS = METHODS.filter((m) => !NO_REPLY.includes(m));
// StartService loads a library even for an unknown window: it has tests of its own.
const WINDOW_REQUESTS = REPLY_METHODS.filter((m) => m !== 'StartService');

const expected = (method, fields) => ({ ...fields, ...(EXTRA[method] || {}) });

const wc = new WindowControl();

test('the exports hold the class, constructed with or without new', () => {
  assert.strictEqual(typeof WindowControl, 'function');
  assert.strictEqual(WindowControl.name, 'WindowControl');
  const plain = WindowControl('ignored');
  assert.ok(wc instanceof WindowControl);
  assert.ok(plain instanceof WindowControl);
  assert.deepStrictEqual(
    Object.getOwnPropertyNames(WindowControl.prototype).filter((n) => n !== 'constructor'), METHODS);
  for (const name of METHODS) assert.strictEqual(typeof plain[name], 'function', name);
});

// The fuzzer takes the request a seed names on its first line, and skips a seed that
// names none (tests/fuzz/make-corpus.js writes them again from the table).
test('the fuzzer\'s seeds name requests of the table', () => {
  const corpus = path.join(__dirname, '..', 'fuzz', 'corpus');
  const names = TABLE.filter((m) => m.kind !== 'callback').map((m) => m.name);
  for (const file of fs.readdirSync(corpus)) {
    const name = fs.readFileSync(path.join(corpus, file), 'latin1').split('\n', 1)[0];
    assert.ok(names.includes(name), `${file} names ${name}`);
  }
});

test('methods refuse a receiver that is not a WindowControl', () => {
  for (const name of ['StopPlay', 'SetCallback', 'ConnectClose']) {
    assert.throws(() => WindowControl.prototype[name].call({}, '{}'), TypeError, name);
  }
});

test('SetCallback, SetLocalConfig and ConnectClose return undefined', () => {
  for (const name of NO_REPLY) {
    for (const arg of [undefined, 'x', '{"uuid":"w"}', 42, {}]) {
      assert.strictEqual(wc[name](arg), undefined, `${name}(${String(arg)})`);
    }
    assert.strictEqual(wc[name](), undefined);
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

test('an array reads nothing, an unknown window is answered as success', () => {
  // CreateWnd makes a window: an unknown key is the browser it searches for (5001 when none).
  for (const method of WINDOW_REQUESTS.filter((m) => m !== 'CreateWnd')) {
    assert.deepStrictEqual(JSON.parse(wc[method]('[]')),
      expected(method, { errorCode: 0, errorModule: 0, sequence: '', uuid: '' }), method);
    const request = JSON.stringify({ sequence: 'q1', uuid: 'no-such-window', rect: { width: 5 }, wndIndex: 2 });
    assert.deepStrictEqual(JSON.parse(wc[method](request)),
      expected(method, { errorCode: 0, errorModule: 0, sequence: 'q1', uuid: 'no-such-window' }), method);
  }
  assert.strictEqual(wc.ShowWnd('{"sequence":"7","uuid":"w1"}'),
    '{"errorCode":0,"errorModule":0,"sequence":"7","uuid":"w1"}');
  assert.strictEqual(wc.StopPlay('{"sequence":7,"uuid":"w1"}'),
    '{"errorCode":0,"errorModule":0,"sequence":"","uuid":"w1"}');
});

test('extra keys take their sorted places in the reply text', () => {
  const request = '{"sequence":"s","uuid":"u"}';
  assert.strictEqual(wc.GetFishEyePTZPreset(request),
    '{"errorCode":0,"errorModule":0,"presetInfo":{"posX":0,"posY":0,"zoom":0},"sequence":"s","uuid":"u"}');
  assert.strictEqual(wc.HandleRequest(request),
    '{"errorCode":0,"errorModule":0,"message":"","sequence":"s","uuid":"u"}');
  assert.strictEqual(wc.RequestInterface(request),
    '{"errorCode":0,"errorModule":0,"responseMsg":{},"sequence":"s","uuid":"u"}');
  assert.strictEqual(wc.GetFishEyePTZPreset(''),
    '{"errorCode":1,"errorModule":3,"presetInfo":{"posX":0,"posY":0,"zoom":0},"sequence":"","uuid":""}');
});

test('StartService answers 4 for a library that cannot be loaded', () => {
  assert.deepStrictEqual(JSON.parse(wc.StartService('[]')),
    { errorCode: 4, errorModule: 5, sequence: '', uuid: '' });
  assert.deepStrictEqual(
    JSON.parse(wc.StartService('{"sequence":"1","uuid":"w","options":{"dllPath":"no/such/library.so"}}')),
    { errorCode: 4, errorModule: 5, sequence: '1', uuid: 'w' });
});
