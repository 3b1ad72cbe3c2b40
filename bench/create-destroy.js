'use strict';
// Windows created and destroyed over and over with their components playing: resident
// memory after a warm-up and at the end, and what the cycles cost. Each cycle creates a
// window over a Chrome page (embedded or floating, in turn), plays two panes, moves and
// cuts it, lets the component report (a selection, a wheel turn) and destroys it; every
// 25th cycle ends with ConnectClose instead and the event loop gets a turn.
// The stand-in component keeps a journal of every call per window key; it is emptied as
// the run goes, so that what grows is the product's and not the stand-in's.
// Usage: node --expose-gc bench/create-destroy.js [cycles=10000]   (WC_BUILD_DIR picks the build)
const { WindowControl, shell } = require('../lib');

const cycles = Number(process.argv[2]) || 10000;
const { desktop, component } = shell;
if (!desktop || !component) throw new Error('this build has no simulated desktop');
const gc = global.gc || (() => {});
const MiB = 1024 * 1024;
const turn = () => new Promise((resolve) => setImmediate(resolve));
const keys = Array.from({ length: 8 }, (_, i) => `cd${i}`);
desktop.createChrome(`bench create-destroy ${keys.join(' ')}`, { x: 0, y: 0, width: 1400, height: 900 });

const wc = new WindowControl();
let notes = 0;
wc.SetCallback(() => { ++notes; });
const send = (method, uuid, fields = {}) => JSON.parse(wc[method](JSON.stringify({ sequence: 'b', uuid, ...fields })));

function cycle(i) {
  const uuid = keys[i % keys.length];
  const created = send('CreateWnd', uuid, { className: 'Chrome', embed: i % 2 === 0,
    rect: { left: 20 + (i % 50), top: 30, width: 480, height: 270 }, splitType: 2 });
  if (created.errorCode !== 0) throw new Error(`cycle ${i}: CreateWnd ${created.errorCode}`);
  for (const wndIndex of [0, 1]) send('StartPlay', uuid, { url: `rtsp://cam/${i}`, siteID: '1', wndIndex });
  send('SetWndGeometry', uuid, { rect: { left: 40, top: 40, width: 500, height: 300 } });
  send('CuttingPartWindow', uuid, { rect: { left: 10, top: 10, width: 40, height: 40 }, round: 6 });
  component.emitSignal(uuid, 'SignalSetSelectedWnd', [1, i, '1', false]);
  component.emitSignal(uuid, 'SignalWheelEvent', [120]);
  if (i % 25 === 24) wc.ConnectClose(uuid);
  else send('DestroyWnd', uuid);
  component.clearJournal(uuid);
}

function resident() {
  gc();
  const { rss, heapUsed } = process.memoryUsage();
  return { rss: rss / MiB, heap: heapUsed / MiB };
}

async function main() {
  const warmup = Math.min(500, Math.floor(cycles / 10));
  for (let i = 0; i < warmup; ++i) cycle(i);
  await turn();
  const before = resident();
  const t0 = process.hrtime.bigint();
  const samples = [];
  for (let i = warmup; i < cycles; ++i) {
    cycle(i);
    if (i % 25 === 24) await turn();
    if ((i - warmup) % 2000 === 1999) samples.push(resident().rss.toFixed(1));
  }
  const seconds = Number(process.hrtime.bigint() - t0) / 1e9;
  await turn();
  const after = resident();
  const measured = cycles - warmup;
  console.log(`create-destroy: ${cycles} cycles (${warmup} of warm-up), ${notes} notifications,`
    + ` ${(seconds * 1e6 / measured).toFixed(0)} us per cycle`);
  console.log(`resident memory after warm-up ${before.rss.toFixed(1)} MiB, at the end ${after.rss.toFixed(1)} MiB`
    + ` (${(after.rss - before.rss).toFixed(1)} MiB, ${((after.rss - before.rss) * 1024 / measured).toFixed(2)} KiB per cycle);`
    + ` script heap ${before.heap.toFixed(1)} -> ${after.heap.toFixed(1)} MiB`);
  if (samples.length) console.log(`resident memory every 2000 cycles (MiB): ${samples.join(', ')}`);
  console.log(`live components at the end: ${component.liveKeys().length}`);
}

main();
