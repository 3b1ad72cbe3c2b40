'use strict';
// Plug-in windows end to end through the script class, with the sample integration
// library (examples/plugin): loading and sharing it, its window inside the host on the
// desktop, its answers, its messages from the script thread, and closing it all again.
// (Sharing one library, bursts from the library's own threads: tests/manager, tests/plugin.)
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { WindowControl, shell, buildDir } = require('../../lib');
const { isQtWindow } = require('../../lib/qtWindows');
const { samplePlugin } = require('../../examples/plugin/samplePlugin');

const { desktop, component } = shell;
const full = samplePlugin(buildDir);
const skip = (!desktop || !component || !full.built) && 'no desktop or no sample plug-in in this build';
const PLUGIN_CLASS = 'SamplePluginWindow';

const wc = new WindowControl();
const call = (method, fields) => JSON.parse(wc[method](JSON.stringify({ sequence: 's', ...fields })));
const ok = (uuid) => ({ errorCode: 0, errorModule: 0, sequence: 's', uuid });

// Every notification, parsed; a test takes the ones that arrived since it began.
let received = [];
wc.SetCallback((text) => received.push(JSON.parse(text)));
const messages = (uuid) => received.filter((m) => m.uuid === uuid).map((m) => m.responseMsg);

const below = (parent) => desktop.childOrder(parent).flatMap((h) => [h, ...below(h)]);
const hostOf = (frame) => desktop.childOrder(frame).find((h) => isQtWindow(desktop, h));
// Each build of the sample has a window class of its own, named after this one.
const pluginWindows = () => desktop.topLevelOrder().flatMap((h) => [h, ...below(h)]).filter((h) => desktop.className(h).startsWith(PLUGIN_CLASS));

const start = (uuid, dllPath = full.dllPath) => call('StartService', { uuid, options: { dllPath } });

// A browser page with a plug-in window over it.
function openPluginWindow(uuid, dllPath = full.dllPath) {
  const chrome = desktop.createChrome(`page ${uuid}`, { x: 50, y: 40, width: 900, height: 600 });
  assert.deepEqual(start(uuid, dllPath), ok(uuid));
  const reply = call('CreateWnd', { uuid, className: 'Chrome', rect: { left: 10, top: 20, width: 320, height: 180 } });
  return { chrome, reply, host: hostOf(chrome.frame) };
}

const request = (uuid, requestParams) => call('RequestInterface', { uuid, requestParams }).responseMsg;

test('one plug-in window: created in the host, asked, heard, closed with its service', { skip }, () => {
  desktop.reset();
  received = [];
  const { chrome, reply, host: hHost } = openPluginWindow('p1');
  assert.deepEqual(reply, ok('p1'));
  assert.deepEqual(received.map((m) => [m.uuid, m.responseMsg]), [['', { event: 'loaded' }]]);

  // The library's window is a child of the host, filling it; no component was made.
  const [hPlugin] = desktop.childOrder(hHost);
  assert.deepEqual([desktop.className(hPlugin), desktop.title(hPlugin), desktop.isVisible(hPlugin), desktop.windowRect(hHost).width],
    [PLUGIN_CLASS, 'Sample plug-in', true, 320]);
  assert.deepEqual(desktop.windowRect(hPlugin), desktop.windowRect(hHost));
  assert.ok(!component.liveKeys().includes('p1'));
  call('SetWndGeometry', { uuid: 'p1', timestamp: '5', rect: { left: 0, top: 0, width: 200, height: 100 } });
  assert.deepEqual(desktop.windowRect(hPlugin), desktop.windowRect(hHost));

  const params = { text: 'caf\u00e9 \u65e5\u672c', nested: { list: [1, 2] } };
  const first = request('p1', params);
  assert.deepEqual([first.count, first.echo, first.title], [1, params, 'Sample plug-in']);
  // The second answer counts again and finds the first one given back.
  const second = request('p1', {});
  assert.deepEqual([second.count, second.library.outstanding, second.library.foreignFrees], [2, 0, 0]);

  // Pushed on the script thread: delivered within the request, with the window's key
  // (or none), the text read as an object (or {}).
  received = [];
  for (const push of ['now', 'nobody', 'text']) request('p1', { push });
  assert.deepEqual(received, [
    { cmd: 'window.integrationCallBack', responseMsg: { count: 3, event: 'pushed' }, sequence: '', uuid: 'p1' },
    { cmd: 'window.integrationCallBack', responseMsg: { event: 'nobody' }, sequence: '', uuid: '' },
    { cmd: 'window.integrationCallBack', responseMsg: {}, sequence: '', uuid: 'p1' },
  ]);

  received = [];
  assert.equal(wc.ConnectClose('p1'), undefined);
  assert.deepEqual(pluginWindows(), []);
  assert.equal(hostOf(chrome.frame), undefined);
  assert.deepEqual(messages(''), [{ event: 'cleanup' }]);
  assert.deepEqual(request('p1', {}), {});
  // Stopped: the next start is a fresh load that hands the callback over again.
  received = [];
  assert.deepEqual(start('p1'), ok('p1'));
  assert.deepEqual(messages(''), [{ event: 'loaded' }]);
  call('StopService', { uuid: 'p1' });
});

test('DestroyWnd leaves the library alone; ConnectClose of an unknown key does nothing', { skip }, () => {
  desktop.reset();
  openPluginWindow('d');
  received = [];
  wc.ConnectClose('{"uuid":"d"}');
  wc.ConnectClose('nobody');
  assert.equal(pluginWindows().length, 1);
  assert.deepEqual(call('DestroyWnd', { uuid: 'd' }), ok('d'));
  // Its window went with the host, but the service still runs: no cleanup.
  assert.deepEqual(pluginWindows(), []);
  assert.deepEqual(received, []);
  call('StopService', { uuid: 'd' });
  assert.deepEqual(messages(''), [{ event: 'cleanup' }]);
});

test('a library that cannot be loaded: 5/4, and the next CreateWnd makes a component', { skip }, () => {
  desktop.reset();
  const fail = { errorCode: 4, errorModule: 5 };
  // Always below the application folder: an absolute path, with or without a drive
  // letter, is prefixed too.
  for (const dllPath of ['no/such/library.so', 'C:/plugins/sample_plugin.dll', 'C:\\plugins\\sample_plugin.dll', full.file, '']) {
    assert.deepEqual(start('q', dllPath), { ...ok('q'), ...fail }, dllPath);
  }
  assert.deepEqual(JSON.parse(wc.StartService('[]')), { ...fail, sequence: '', uuid: '' });

  // q1 has its library, but the failure after it cleared integration mode.
  const chrome = desktop.createChrome('page q1', { x: 0, y: 0, width: 800, height: 600 });
  assert.deepEqual(start('q1'), ok('q1'));
  assert.deepEqual(start('q2', 'missing.so'), { ...ok('q2'), ...fail });
  assert.deepEqual(call('CreateWnd', { uuid: 'q1', className: 'Chrome' }), ok('q1'));
  assert.deepEqual([component.liveKeys().includes('q1'), pluginWindows(), Boolean(hostOf(chrome.frame))], [true, [], true]);
  assert.deepEqual(request('q1', { push: 'now' }), {});
  call('DestroyWnd', { uuid: 'q1' });
  call('StopService', { uuid: 'q1' });
});

test('builds without an optional export', { skip }, () => {
  desktop.reset();
  // No createWnd: the host gets no window and is not kept.
  const noCreate = openPluginWindow('v1', samplePlugin(buildDir, 'noCreateWnd').dllPath);
  assert.deepEqual(noCreate.reply, { ...ok('v1'), errorCode: 5000, errorModule: 5 });
  assert.equal(hostOf(noCreate.chrome.frame), undefined);
  call('StopService', { uuid: 'v1' });
  // ...unless no browser window is found either: 5001 wins and the window is kept with
  // an entry but no library window, and the library is still asked (about no window).
  start('v3', samplePlugin(buildDir, 'noCreateWnd').dllPath);
  assert.deepEqual(call('CreateWnd', { uuid: 'v3', className: 'Chrome' }), { ...ok('v3'), errorCode: 5001, errorModule: 5 });
  assert.deepEqual(request('v3', { k: 1 }).echo, { k: 1 });
  wc.ConnectClose('v3');

  // No setIntegrationCallBack: loaded and working, but unheard.
  received = [];
  const noCallBack = openPluginWindow('v2', samplePlugin(buildDir, 'noCallBack').dllPath);
  assert.deepEqual(noCallBack.reply, ok('v2'));
  assert.equal(request('v2', { push: 'now' }).count, 1);
  assert.deepEqual(received, []);
  wc.ConnectClose('v2');

  // No freeMsgBuffer, no cleanup: seen in the debug lines of a process of their own.
  const script = `
    const { WindowControl, shell } = require(${JSON.stringify(path.join(__dirname, '../../lib'))});
    const { samplePlugin } = require(${JSON.stringify(path.join(__dirname, '../../examples/plugin/samplePlugin'))});
    const wc = new WindowControl();
    const out = [];
    wc.SetCallback((t) => out.push(JSON.parse(t).responseMsg));
    shell.desktop.createChrome('page x', { x: 0, y: 0, width: 640, height: 480 });
    for (const variant of ['noFreeMsgBuffer', 'noCleanup']) {
      const dllPath = samplePlugin(${JSON.stringify(buildDir)}, variant).dllPath;
      out.push(JSON.parse(wc.StartService(JSON.stringify({ uuid: 'x', options: { dllPath } }))).errorCode);
      out.push(JSON.parse(wc.CreateWnd(JSON.stringify({ uuid: 'x', className: 'Chrome' }))).errorCode);
      for (const answer of ['object', 'array']) {
        out.push(JSON.parse(wc.RequestInterface(JSON.stringify({ uuid: 'x', requestParams: { answer } }))).responseMsg.count);
      }
      console.error('-- closing', variant);
      wc.ConnectClose('x');
    }
    console.log(JSON.stringify(out));`;
  const child = spawnSync(process.execPath, ['-e', script], {
    env: { ...process.env, WC_BUILD_DIR: buildDir, NODE_DEBUG: 'windowcontrol' }, encoding: 'utf8', timeout: 30000,
  });
  assert.equal(child.status, 0, child.stderr);
  const loaded = { event: 'loaded' };
  assert.deepEqual(JSON.parse(child.stdout), [loaded, 0, 0, 1, null, { event: 'cleanup' }, loaded, 0, 0, 1, null]);
  const lines = child.stderr.split('\n').filter((l) => /^(freeMsgBuffer|cleanup|destroyWnd) |^-- /.test(l));
  assert.deepEqual(lines, [
    'freeMsgBuffer undefined', 'freeMsgBuffer undefined', '-- closing noFreeMsgBuffer', 'destroyWnd defined', 'cleanup defined',
    'freeMsgBuffer defined', 'freeMsgBuffer defined', '-- closing noCleanup', 'destroyWnd defined', 'cleanup undefined',
  ]);
});
