'use strict';
// Writes the session fuzzer's seeds (tests/fuzz/sessions): the demo's session and the
// sequences of the tests that found faults before, in the fuzzer's byte encoding. The
// action names and the request order are read from the sources, so a seed stays what it
// says as long as each action decodes its fields as written below (SessionFuzzer.cpp).
// Usage: node tests/fuzz/make-sessions.js
const fs = require('fs');
const path = require('path');

const root = path.join(__dirname, '..', '..');
const ACTIONS = [...fs.readFileSync(path.join(__dirname, 'SessionFuzzer.cpp'), 'utf8')
  .matchAll(/^ {4}\{"(\w+)", \[\]\(Input &/gm)].map((m) => m[1]);
const METHODS = [...fs.readFileSync(path.join(root, 'src/WindowControl/manager/RequestTable.h'), 'utf8')
  .matchAll(/\{"(\w+)",\s+RequestKind::/g)].map((m) => m[1]);
const KEYS = ['k0', 'k1', 'k2', 'k3', 'k4', 'zz'];
const SIGNALS = ['SignalSetSelectedWnd', 'SignalOpenPTZ', 'SignaleUpdateCameraIcon', 'SignalTalkUrlEmpty',
  'SignalGotoPlayback', 'SignalPreviewWnd3DPostion', 'SignalAllStop', 'SignalWheelEvent', 'SignalQuitedFullScreen',
  'SignalEnteredFullScreen', 'SignalManuallyClose', 'SignalFisheyeExpandChanged', 'SignalGetVanePlayInfo',
  'SignalMousePressed', 'SignalWndPTZControl', 'SignalHeatMap', 'SignalUpdate3DState', 'SignalSendMessage'];
const BROWSERS = { chrome: 0, full: 1, ie: 2, page: 3 };
const REACTIONS = ['request', 'destroyNotifying', 'replaceNotifying', 'throw', 'collect', 'exit', 'clearCallback'];
const PLUGINS = ['sample_plugin', 'sample_plugin_nofree', 'sample_plugin_nocleanup', 'sample_plugin_nocallback',
  'sample_plugin_nocreate', 'missing'];

const index = (list, name) => {
  const i = list.indexOf(name);
  if (i < 0) throw new Error(`unknown ${name}`);
  return i;
};
const key = (k) => index(KEYS, k);
const request = (method, k) => [index(METHODS, method), key(k), 0];
// CreateWnd fields: class 0 Chrome, 1 IEFrame, 2 none, 3 Chrome's window class; parent 0 none,
// 2 the page window, 3 the full-screen browser.
const createFields = ({ cls = 0, parent = 0, embed = true, split = 2, rectLeft = 10 }) =>
  [cls | (parent << 2), embed ? 1 : 0, split + 1, 0, rectLeft];

const act = {
  request: (method, k) => request(method, k),
  create: (k, fields = {}) => [key(k), ...createFields(fields)],
  destroy: (k, close = false) => [key(k), close ? 1 : 0],
  click: (k, double = false, x = 128, y = 128) => [double ? 1 : 0, key(k), 0, x, y],
  wheel: (k) => [7 /* 120 */, key(k), 0, 128, 128],
  moveBrowser: (browser, rect) => [BROWSERS[browser], 0,
    index(['monitor', 'nudge', 'offscreen', 'minimised', 'empty', 'full', 'wide', 'large'], rect)],
  activate: (which) => [which === 'other' ? 4 : BROWSERS[which]],
  monitors: (layout) => [layout],
  ieTab: (tab, frameTab, move) => [tab, frameTab, move ? 1 : 0],
  browserLife: (browser, op) => [BROWSERS[browser], index(['destroyOrMake', 'hide', 'show', 'retitle'], op)],
  signal: (k, name, ...values) => [key(k), index(SIGNALS, name), ...[0, 0, 0, 0, 0].map((v, i) => values[i] ?? v)],
  plugin: (k, op, ...rest) => [key(k), index(['start', 'stop', 'request'], op), ...rest],
  pass: (which = 2) => [which],
  events: (ms = 1) => [ms],
  arm: (reaction, ...rest) => [index(REACTIONS, reaction), ...rest],
  script: (op) => [index(['function', 'notFunction', 'none', 'newObject', 'collect'], op)],
  exit: () => [],
};
const encode = (steps) => Buffer.from(steps.flatMap(([name, ...args]) => [index(ACTIONS, name), ...act[name](...args)]));

const SESSIONS = {
  // The demo: an embedded and a floating window over Chrome, live view, covers and cut-outs,
  // a drag, another application and back, a full monitor, clicks and the wheel, pictures,
  // the sample plug-in, and everything closed.
  demo: [
    ['create', 'k0', {}], ['create', 'k1', { embed: false }], ['request', 'InitLoginInfo', 'k0'],
    ['request', 'StartPlay', 'k0'], ['request', 'StartPlay', 'k1'], ['request', 'SetWndCover', 'k1'],
    ['request', 'CuttingPartWindow', 'k0'], ['moveBrowser', 'chrome', 'nudge'], ['pass'], ['activate', 'other'],
    ['pass'], ['activate', 'chrome'], ['pass'], ['create', 'k2', { embed: false }], ['moveBrowser', 'full', 'monitor'],
    ['pass'], ['click', 'k0'], ['click', 'k0', true], ['wheel', 'k0'], ['request', 'GrabOpen', 'k1'], ['events'],
    ['plugin', 'k4', 'start', 0], ['create', 'k4', { cls: 2 }], ['plugin', 'k4', 'request', 1, 3, 1, 0], ['events', 3],
    ['request', 'RepairPartWindow', 'k0'], ['destroy', 'k4', true], ['destroy', 'k0'], ['destroy', 'k1'],
    ['destroy', 'k2'], ['pass'],
  ],
  // A callback that throws inside a request, with two script objects: the second call comes later.
  throwInRequest: [['script', 'newObject'], ['create', 'k1', { embed: false }], ['arm', 'throw'],
    ['request', 'GrabOpen', 'k1'], ['events'], ['request', 'GrabOpen', 'k1'], ['events']],
  // process.exit() from inside a notification, then the event loop and a library's threads.
  exitInCallback: [['plugin', 'k4', 'start', 0], ['create', 'k4', { cls: 2 }], ['create', 'k1', { embed: false }],
    ['plugin', 'k4', 'request', 0, 8, 2, 0], ['arm', 'exit'], ['request', 'GrabOpen', 'k1'], ['pass'], ['events', 3],
    ['click', 'k1']],
  exitAtTheEnd: [['create', 'k2', { embed: false }], ['moveBrowser', 'full', 'monitor'], ['pass'], ['exit'],
    ['events'], ['create', 'k0', {}], ['pass']],
  // The script object collected inside its own callback, while another one listens.
  collectInCallback: [['create', 'k0', {}], ['script', 'newObject'], ['arm', 'collect'], ['click', 'k0'],
    ['signal', 'k0', 'SignalSetSelectedWnd', 1, 2, 0, 0], ['script', 'function'], ['wheel', 'k0']],
  // The notifying window destroyed or replaced from inside its notification.
  destroyInCallback: [['create', 'k1', { embed: false }], ['arm', 'destroyNotifying'], ['click', 'k1'], ['pass'],
    ['create', 'k0', {}], ['arm', 'destroyNotifying'], ['wheel', 'k0'], ['arm', 'destroyNotifying'],
    ['request', 'GrabOpen', 'k0']],
  replaceInCallback: [['create', 'k0', {}], ['arm', 'replaceNotifying', ...createFields({ embed: false })],
    ['wheel', 'k0'], ['pass'], ['arm', 'replaceNotifying', ...createFields({ cls: 1 })],
    ['request', 'StartDownloadCameraHeatValue', 'k0'], ['events']],
  nestedRequest: [['create', 'k0', {}], ['arm', 'request', ...request('DestroyWnd', 'k0')],
    ['signal', 'k0', 'SignalHeatMap', 0, 0, 0, 0], ['create', 'k1', { embed: false }],
    ['arm', 'request', ...request('SetWndGeometry', 'k1')], ['request', 'GrabOpen', 'k1'], ['pass']],
  // Full screen by the component and by the browser, taskbars, two monitors.
  fullScreen: [['create', 'k2', { embed: false }], ['moveBrowser', 'full', 'monitor'], ['pass'],
    ['click', 'k2', true], ['signal', 'k2', 'SignalQuitedFullScreen', 0], ['moveBrowser', 'full', 'wide'], ['pass'],
    ['moveBrowser', 'full', 'monitor'], ['pass'], ['browserLife', 'full', 'destroyOrMake'], ['pass']],
  embeddedFullScreen: [['create', 'k2', { embed: true }], ['moveBrowser', 'full', 'monitor'], ['pass'],
    ['moveBrowser', 'full', 'large'], ['pass'], ['pass']],
  monitors: [['monitors', 1], ['create', 'k2', { embed: false }], ['moveBrowser', 'full', 'monitor'], ['pass'],
    ['monitors', 2], ['pass'], ['monitors', 3], ['pass'], ['monitors', 0], ['pass']],
  // IE11: the tab moved to another frame tab, the other tab picked.
  ieTabs: [['create', 'k3', { cls: 1 }], ['create', 'k1', { embed: false }], ['ieTab', 0, 1, true], ['pass'],
    ['ieTab', 0, 1, false], ['pass'], ['ieTab', 0, 0, false], ['pass'], ['request', 'UpdateParentWnd', 'k3'], ['pass']],
  // The browser goes under its windows and comes back.
  browserGone: [['create', 'k0', {}], ['create', 'k1', { embed: false }], ['browserLife', 'chrome', 'destroyOrMake'],
    ['pass'], ['browserLife', 'chrome', 'destroyOrMake'], ['request', 'UpdateParentWnd', 'k0'], ['pass'],
    ['browserLife', 'chrome', 'hide'], ['pass'], ['browserLife', 'chrome', 'show'], ['pass'],
    ['browserLife', 'chrome', 'retitle'], ['pass']],
  parents: [['create', 'k4', { cls: 2, parent: 2 }], ['create', 'k1', { embed: false, parent: 2 }],
    ['create', 'zz', {}], ['moveBrowser', 'page', 'nudge'], ['pass'], ['activate', 'page'], ['pass']],
  plugin: [['plugin', 'k4', 'start', 0], ['create', 'k4', { cls: 2 }], ['plugin', 'k4', 'request', 1, 0, 0, 0],
    ['plugin', 'k4', 'request', 3, 2, 0, 1], ['events', 2], ['plugin', 'k0', 'start', 1], ['create', 'k0', {}],
    ['plugin', 'k0', 'request', 0, 0, 0, 4], ['request', 'ConnectClose', 'k4'], ['plugin', 'k0', 'stop'], ['events']],
};
// Every method once, on a window of each kind.
SESSIONS.everyRequest = [['create', 'k0', {}], ['create', 'k1', { embed: false }],
  ...METHODS.filter((m) => m !== 'SetCallback' && m !== 'DestroyWnd' && m !== 'ConnectClose')
    .flatMap((m) => [['request', m, 'k0'], ['request', m, 'k1']]), ['pass']];

const dir = path.join(__dirname, 'sessions');
fs.mkdirSync(dir, { recursive: true });
// Inputs the fuzzer found (found-*) stay as they were found: each is a regression seed.
for (const f of fs.readdirSync(dir)) if (!f.startsWith('found-')) fs.unlinkSync(path.join(dir, f));
for (const [name, steps] of Object.entries(SESSIONS)) fs.writeFileSync(path.join(dir, name), encode(steps));
console.log(`${Object.keys(SESSIONS).length} sessions in ${dir} (${ACTIONS.length} actions, ${METHODS.length} methods)`);
