'use strict';
// Lateness of a 15 ms coarse Qt timer served from Node's event loop by the shell,
// against Node's own setInterval(15) measured in the same run.
// Usage: node bench/timer-lateness.js [seconds=10]      (WC_BUILD_DIR picks the build)
const { shell, start } = require('../lib/shell');
const { stats, sleep, qtTimerLateness } = require('./timing');
const { measure } = require('../tests/probes');

const seconds = Number(process.argv[2]) || 10;
const INTERVAL = 15;

const ms = (x) => `${x.toFixed(3)} ms`;

const qtTimer = () => qtTimerLateness(measure, INTERVAL, seconds);

// Node re-arms an interval from when its callback runs: lateness per interval.
async function nodeInterval() {
  const ticks = [];
  const timer = setInterval(() => ticks.push(measure.now()), INTERVAL);
  await sleep(seconds * 1000);
  clearInterval(timer);
  return stats(ticks.slice(1).map((t, i) => t - ticks[i] - INTERVAL));
}

(async () => {
  start();
  console.log(`timer-lateness: ${INTERVAL} ms coarse Qt timer on Node's loop (platform ${shell.platform()}), ${seconds} s each`);
  const qt = await qtTimer();
  const node = await nodeInterval();
  console.log(`  qt   ${qt.lateness.n} ticks, lateness median ${ms(qt.lateness.median)}, p99 ${ms(qt.lateness.p99)},`
    + ` min ${ms(qt.lateness.min)}, max ${ms(qt.lateness.max)}, ticks off the script thread ${qt.foreign}`);
  console.log(`  node setInterval(${INTERVAL}) ${node.n} intervals, lateness median ${ms(node.median)}, p99 ${ms(node.p99)}`);
  console.log(`  ratio qt/node: median ${(qt.lateness.median / node.median).toFixed(2)}, p99 ${(qt.lateness.p99 / node.p99).toFixed(2)}`);
  const met = qt.lateness.median < 1 && qt.lateness.p99 < 3;
  console.log(`  target (median < 1 ms, p99 < 3 ms): ${met ? 'met' : 'NOT met'}`);
})();
