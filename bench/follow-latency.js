'use strict';
// Time from a move of the browser window on the desktop to the floating window standing
// at its new place, over many moves at random phases of the 15 ms follow timer; beside
// it, the lateness of a plain 15 ms coarse Qt timer on the same loop, in the same run.
// Usage: node bench/follow-latency.js [moves=400]      (WC_BUILD_DIR picks the build)
const { WindowControl, host } = require('../lib');
const { isQtWindow } = require('../lib/qtWindows');
const { stats, sleep, qtTimerLateness } = require('./timing');

const moves = Number(process.argv[2]) || 400;
const INTERVAL = 15;
const TARGET_P99 = 1000 / 60;   // one frame at 60 Hz

const { desktop, measure } = host;
const immediate = () => new Promise((resolve) => setImmediate(resolve));
const ms = (x) => `${x.toFixed(2)} ms`;

const timerLateness = async (seconds) => (await qtTimerLateness(measure, INTERVAL, seconds)).lateness;

(async () => {
  desktop.reset();
  const frame = { x: 200, y: 100, width: 1000, height: 700 };
  const chrome = desktop.createChrome('page bench', frame);
  const wc = new WindowControl();
  const before = desktop.topLevelOrder();
  const reply = wc.CreateWnd(JSON.stringify({ uuid: 'bench', className: 'Chrome', embed: false, rect: { left: 10, top: 20, width: 640, height: 360 } }));
  const hHost = desktop.topLevelOrder().find((h) => !before.includes(h) && isQtWindow(desktop, h));
  if (!hHost || JSON.parse(reply).errorCode !== 0) throw new Error(`no floating window was made: ${reply}`);
  await sleep(100);
  const dx = desktop.windowRect(hHost).x - frame.x;
  const dy = desktop.windowRect(hHost).y - frame.y;

  console.log(`follow-latency: ${moves} moves of the browser, floating window of 640x360 (platform ${host.platform()})`);
  const latencies = [];
  let lost = 0;
  for (let i = 0; i < moves; ++i) {
    await sleep(Math.random() * 2 * INTERVAL);   // any phase of the follow timer
    const x = frame.x + (i % 2 ? 40 : 0) + (i % 7);
    const y = frame.y + (i % 2 ? 0 : 30) + (i % 5);
    desktop.moveWindow(chrome.frame, { ...frame, x, y });
    const start = measure.now();
    const arrived = () => { const r = desktop.windowRect(hHost); return r.x === x + dx && r.y === y + dy; };
    while (!arrived() && measure.now() - start < 1000) await immediate();
    if (arrived()) latencies.push(measure.now() - start);
    else ++lost;
  }
  const follow = stats(latencies);
  const timer = await timerLateness(3);
  console.log(`  follow  median ${ms(follow.median)}, p99 ${ms(follow.p99)}, max ${ms(follow.max)}, not followed within 1 s: ${lost}`);
  console.log(`  baseline: 15 ms coarse Qt timer lateness median ${ms(timer.median)}, p99 ${ms(timer.p99)} (${timer.n} ticks)`);
  console.log(`  follow p99 / timer interval: ${(follow.p99 / INTERVAL).toFixed(2)}`);
  const met = lost === 0 && follow.p99 <= TARGET_P99;
  console.log(`  target (p99 <= ${TARGET_P99.toFixed(1)} ms): ${met ? 'met' : 'NOT met'}`);
  wc.DestroyWnd(JSON.stringify({ uuid: 'bench' }));
})();
