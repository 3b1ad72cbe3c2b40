'use strict';
// Writes the fuzzer's seed corpus: well-formed requests of every kind for the keys the
// fuzz scene registers. Each file is the request's name (as the request table has it),
// a newline, then the request text. Run again after adding a request or changing the
// typical fields. The table is read from the build (<build>/tests/requests.json).
// Usage: node tests/fuzz/make-corpus.js [page-A-handle]
//   (the handle of the scene's first page window, as
//    FUZZ_PRINT_HANDLES=1 build-fuzz/tests/fuzz/request_fuzzer -runs=0 prints it)
// With --dict <file> it writes the request fuzzer's dictionary instead (scripts/fuzz):
// the values of requests.dict and every key the seeds hold, so the keys cannot drift.
const fs = require('fs');
const path = require('path');

const dir = path.join(__dirname, 'corpus');
if (process.argv[2] === '--dict') {
  const keys = new Set();
  const collect = (value) => {
    if (!value || typeof value !== 'object') return;
    if (!Array.isArray(value)) Object.keys(value).forEach((k) => keys.add(k));
    Object.values(value).forEach(collect);
  };
  for (const f of fs.readdirSync(dir)) {
    const text = fs.readFileSync(path.join(dir, f), 'utf8');
    try { collect(JSON.parse(text.slice(text.indexOf('\n') + 1))); } catch { /* no JSON, no keys */ }
  }
  const entries = [...keys].sort().map((k) => JSON.stringify(`"${k}":`));
  fs.writeFileSync(process.argv[3], `${fs.readFileSync(path.join(__dirname, 'requests.dict'), 'utf8')}${entries.join('\n')}\n`);
  process.exit(0);
}
const { TABLE, FIELDS: TYPICAL } = require('../node/fixtures/requests');

const pageA = process.argv[2] || '0';
const rect = (left, top, width, height) => ({ left, top, width, height });
const b64 = (text) => Buffer.from(text, 'utf8').toString('base64');

// Per request: the typical fields the tests send, then variants of the fuzzer's own
// (each also sent for every key below).
const VARIANTS = {
  StartService: [{ options: { dllPath: '../host/host_plugin.so' } }, { options: { dllPath: '../manager/manager_plugin.so' } },
    { options: { dllPath: 'missing.so' } }],
  RequestInterface: [{ requestParams: { cmd: 'status', list: [1, 'a', null] } }],
  CreateWnd: [{ className: 'Chrome', rect: rect(10, 20, 300, 200), embed: true, workMode: 1, splitType: 2,
    languageType: 'en', wndMode: 0, wndNum: 16 },
  { className: 'Chrome', embed: false, rect: rect(0, 0, 1920, 1080) },
  { parentWnd: pageA, activeXParentWnd: true, rect: rect(5, 5, 100, 100) },
  { className: 'IEFrame', rect: rect(0, 0, 200, 100) }],
  SetWndGeometry: [{ rect: rect(-10, -10, 0, 0) }],
  SetWndCover: [{ position: 'top', size: 10 }, { position: 'right', size: 5 }, { position: 'bottom', size: 8 }],
  SetLanguageType: [{ type: 'zh_CN' }],
  StartPlay: [{ ...TYPICAL.StartPlay, cameraName: b64('caméra') }],
  ControlFishEyeParol: [{ command: 1, wndIndex: 0, cruisePointList: [{ sequence: 2, presetInfo: {} }] }],
};
const FIELDS = Object.fromEntries(Object.entries(TYPICAL).map(([handler, fields]) => [handler, [fields, ...(VARIANTS[handler] || [])]]));
const KEYS = ['d1', 'd2', 'c1', 'c2', 'i1'];

fs.mkdirSync(dir, { recursive: true });
for (const f of fs.readdirSync(dir)) fs.unlinkSync(path.join(dir, f));
let count = 0;
const write = (name, handler, text) => {
  if (!TABLE.some((m) => m.name === handler && m.kind !== 'callback')) throw new Error(`no request ${handler}`);
  fs.writeFileSync(path.join(dir, name), `${handler}\n${text}`);
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
for (const { name } of TABLE.filter((m) => m.kind === 'reply')) {
  if (!FIELDS[name]) throw new Error(`no seed for ${name}`);
}
console.log(`${count} seeds in ${dir}`);
