'use strict';
// The request path from the script: each of the 39 reply-giving requests for a window
// that does not exist, and the hot ones for a live embedded window over a Chrome page,
// against a baseline measured in the same run: JSON.parse of the same request text plus
// JSON.stringify of the same reply, in plain JS.
// Targets: an unknown-window request within 3x its baseline; SetWndGeometry on a live
// embedded window under 20 us.
// Usage: node bench/request-path.js [calls=20000]     (WC_BUILD_DIR picks the build)
// With WC_BENCH_JSON set, the last line is the rows as JSON (bench/compare-builds.js).
const { WindowControl, shell } = require('../lib');
const { FIELDS, replyMethods } = require('../tests/node/fixtures/requests');

const calls = Number(process.argv[2]) || 20000;
const { desktop, component } = shell;
const wc = new WindowControl();
const rect = (left, top, width, height) => ({ left, top, width, height });
const REQUESTS = replyMethods(WindowControl);

const text = (uuid, fields, i) => JSON.stringify({ sequence: String(i), uuid, ...fields });

// Microseconds per call of fn(i) over n calls.
function round(fn, n) {
  const t0 = process.hrtime.bigint();
  for (let i = 0; i < n; ++i) fn(i);
  return Number(process.hrtime.bigint() - t0) / 1000 / n;
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// One request: its texts (a handful, cycled, as a page varies them), the native time and
// the baseline on the same texts and replies, in alternating rounds (other processes
// share the cores), each the median of its rounds.
function measure(method, uuid, variants, n, between) {
  const texts = variants.map((fields, i) => text(uuid, fields, 1000 + i));
  const replies = texts.map((t) => JSON.parse(wc[method](t)));
  if (replies.some((r) => r.errorCode !== 0)) throw new Error(`${method}: ${JSON.stringify(replies[0])}`);
  const k = texts.length;
  let sink = 0;
  const nativeCall = (i) => { sink += wc[method](texts[i % k]).length; };
  const baselineCall = (i) => { JSON.parse(texts[i % k]); sink += JSON.stringify(replies[i % k]).length; };
  const native = [];
  const baseline = [];
  for (let r = 0; r < 7; ++r) {
    native.push(round(nativeCall, n));
    if (between) between();
    baseline.push(round(baselineCall, n));
  }
  return { method, uuid, native: median(native), baseline: median(baseline),
    ratio: median(native) / median(baseline), sink };
}

const rows = [];
for (const method of REQUESTS) {
  // StartService of a library that is not there fails with code 4, as it should;
  // CreateWnd for an unknown key makes a window: neither is measured for an unknown key.
  if (method === 'StartService' || method === 'CreateWnd') continue;
  rows.push(measure(method, 'no-such-window', [FIELDS[method]], calls));
}

// A live window embedded in a Chrome page.
const live = [];
if (desktop && component) {
  desktop.reset();
  desktop.createChrome('bench page live', { x: 100, y: 50, width: 1200, height: 800 });
  const created = JSON.parse(wc.CreateWnd(text('live', FIELDS.CreateWnd, 0)));
  if (created.errorCode !== 0) throw new Error(`CreateWnd: ${JSON.stringify(created)}`);
  const clear = () => component.clearJournal('live');
  const n = Math.max(1000, Math.floor(calls / 4));
  // Geometry and covers alternate, so that every call has something to do.
  live.push(measure('SetWndGeometry', 'live', [
    { rect: rect(30, 40, 500, 300) }, { rect: rect(32, 41, 502, 301) }], n, clear));
  live.push(measure('SetWndCover', 'live', [{ position: 'left', size: 20 }, { position: 'left', size: 22 }], n, clear));
  live.push(measure('ShowWnd', 'live', [{}], n, clear));
  live.push(measure('StartPlay', 'live', [FIELDS.StartPlay], n, clear));
  live.push(measure('GetFishEyePTZPreset', 'live', [FIELDS.GetFishEyePTZPreset], n, clear));
}

const fmt = (x, w = 8) => x.toFixed(2).padStart(w);
console.log(`request path, ${calls} calls a round, median of 7 alternating rounds (us per call)`);
console.log(`${'request'.padEnd(30)} ${'window'.padEnd(15)} ${'native'.padStart(8)} ${'baseline'.padStart(8)} ${'ratio'.padStart(8)}`);
for (const r of [...rows, ...live]) {
  console.log(`${r.method.padEnd(30)} ${r.uuid.padEnd(15)} ${fmt(r.native)} ${fmt(r.baseline)} ${fmt(r.ratio)}`);
}
const worst = rows.reduce((a, b) => (b.ratio > a.ratio ? b : a));
console.log(`unknown window: ratio median ${median(rows.map((r) => r.ratio)).toFixed(2)}, worst ${worst.ratio.toFixed(2)} (${worst.method});`
  + ` target 3x: ${worst.ratio <= 3 ? 'met' : 'NOT met'}`);
const geometry = live.find((r) => r.method === 'SetWndGeometry');
if (geometry) {
  console.log(`SetWndGeometry, live embedded window: ${geometry.native.toFixed(2)} us; target 20 us:`
    + ` ${geometry.native < 20 ? 'met' : 'NOT met'}`);
}
if (process.env.WC_BENCH_JSON) console.log(JSON.stringify({ rows, live }));
