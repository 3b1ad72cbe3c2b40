'use strict';
// Notifications on their way to the script: one call per live WindowControl object, the
// one module-wide callback, the picture of a window, which arrives before the GrabOpen
// reply, and where an exception thrown by the callback goes. (Silence after a
// collection: lifetime.test.js.)
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { WindowControl, shell, buildDir } = require('../../lib');
const { samplePlugin } = require('../../examples/plugin/samplePlugin');

const { desktop, component } = shell;
const skip = !(desktop && component) && 'no desktop in this build';
const first = new WindowControl();
const second = new WindowControl();
let third;   // kept alive: a collection anywhere silences every object
const call = (method, uuid, fields = {}) => JSON.parse(first[method](JSON.stringify({ sequence: 's7', uuid, ...fields })));

// Width and height from the frame header of a JPEG file.
function jpegSize(bytes) {
  if (bytes.length < 4 || bytes.readUInt16BE(0) !== 0xffd8) return null;
  for (let i = 2; i + 9 < bytes.length; i += 2 + bytes.readUInt16BE(i + 2)) {
    const marker = bytes.readUInt16BE(i);
    if (marker >= 0xffc0 && marker <= 0xffc3) return { width: bytes.readUInt16BE(i + 7), height: bytes.readUInt16BE(i + 5) };
  }
  return null;
}

test('each live object calls the one callback; SetCallback replaces it', { skip }, () => {
  desktop.reset();
  desktop.createWindow({ className: 'Shell', title: 'page n1', rect: [0, 0, 800, 600], framed: true });
  assert.equal(call('CreateWnd', 'n1', { className: 'Shell', rect: { left: 0, top: 0, width: 320, height: 180 } }).errorCode, 0);
  component.emitSignal('n1', 'SignalAllStop');   // no callback yet: dropped

  const calls = [];
  first.SetCallback((text) => calls.push(['f', text]));
  second.SetCallback(function g(text) { calls.push(['g', text, this === globalThis]); });
  component.emitSignal('n1', 'SignalSendMessage', ['héllo ✓ 𝄞']);
  const text = '{"cmd":"window.sendMessage","errorCode":0,"errorModule":0,"message":"héllo ✓ 𝄞","uuid":"n1"}';
  assert.deepEqual(calls, [['g', text, true], ['g', text, true]]);

  third = new WindowControl();
  calls.length = 0;
  component.emitSignal('n1', 'SignalAllStop');
  assert.equal(calls.length, 3);

  for (const value of [42, {}, undefined]) {   // no function: dropped quietly
    second.SetCallback(value);
    assert.doesNotThrow(() => component.emitSignal('n1', 'SignalWheelEvent', [120]));
  }
});

test('GrabOpen: the picture of the window comes before the reply', { skip }, () => {
  const events = [];
  first.SetCallback((text) => events.push(JSON.parse(text)));
  events.push(call('GrabOpen', 'n1'));
  const [picture] = events;
  const picture3 = Array(3).fill('window.messageCallBack');   // one per live object
  assert.deepEqual(events.map((e) => e.cmd || 'reply'), [...picture3, 'reply']);
  assert.deepEqual(events.at(-1), { errorCode: 0, errorModule: 0, sequence: 's7', uuid: 'n1' });
  assert.deepEqual({ ...picture, data: { ...picture.data, message: Object.keys(picture.data.message) } },
    { cmd: 'window.messageCallBack', data: { message: ['image'], type: 'menuOpen' }, sequence: '', uuid: 'n1' });
  assert.deepEqual(jpegSize(Buffer.from(picture.data.message.image, 'base64')), { width: 320, height: 180 });

  events.length = 0;
  call('GrabOpen', 'nobody');
  assert.deepEqual(events, []);
});

test('a throw during a request reaches its caller; the request\'s later notifications follow', { skip }, async () => {
  // Three live objects: the picture is delivered three times, the first call throws.
  const seen = [];
  first.SetCallback((text) => {
    seen.push(JSON.parse(text).cmd);
    if (seen.length === 1) throw new Error('first picture');
  });
  assert.throws(() => call('GrabOpen', 'n1'), /^Error: first picture$/);
  // No script ran while the exception was on its way; raised after the request, at once.
  assert.deepEqual(seen, ['window.messageCallBack']);
  component.emitSignal('n1', 'SignalAllStop');
  assert.equal(seen.length, 4);
  // The other two pictures come from the event loop, none lost.
  for (let i = 0; i < 200 && seen.length < 6; ++i) await new Promise((resolve) => setTimeout(resolve, 5));
  assert.deepEqual(seen.slice(4), ['window.messageCallBack', 'window.messageCallBack']);
});

test('a throw outside a method call goes to uncaught-exception handling; the event ends as usual', { skip }, () => {
  const fixture = path.join(__dirname, 'fixtures', 'throwing-callback.js');
  const sources = [   // [source, command, selected pane at the end]
    ['click', 'window.selectWnd', 2], ['timer', 'window.heatMap', 0], ['control', 'play.wheelEvent', 0],
    ['nested', 'window.selectWnd', 2],
    ...(samplePlugin(buildDir).built ? [['thread', 'window.integrationCallBack', 0]] : []),
  ];
  for (const [source, cmd, selectedPane] of sources) {
    for (const handling of ['handled', 'unhandled']) {
      const child = spawnSync(process.execPath, [fixture, source, handling], {
        env: { ...process.env, WC_BUILD_DIR: buildDir }, encoding: 'utf8', timeout: 60000,
      });
      const what = `${source} ${handling}: ${child.signal || ''} ${child.stderr}`;
      const summary = JSON.parse(child.stdout.trim().split('\n').pop() || 'null');
      if (handling === 'unhandled') {
        // Node's own report and exit code; its exit listeners ran.
        assert.equal(child.status, 1, what);
        assert.match(child.stderr.replace(/\r\n/g, '\n'), new RegExp(`\\nError: thrown by ${source}\\n[^]*\\nNode\\.js v`), what);
        assert.equal(summary.code, 1, what);
        assert.equal(summary.notes.at(-1), cmd, what);
        continue;
      }
      assert.equal(child.status, 0, what);
      assert.equal(child.stderr, '', what);
      assert.deepEqual(summary.errors, [`thrown by ${source}`], what);
      // Both objects got both rounds; the desktop and Qt went on: the second click selected.
      assert.deepEqual(summary.notes.filter((n) => n === cmd), Array(4).fill(cmd), what);
      assert.deepEqual(summary.state, { selectedPane, reply: 0, visible: true }, what);
      if (source === 'nested') {
        // The request that ran Qt's queue went on too: its second picture came, it returned.
        const round = ['picture', cmd, cmd, 'picture'];
        assert.deepEqual([summary.notes, summary.requests], [[...round, ...round], [0, 0]], what);
      }
    }
  }
});
