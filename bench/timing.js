'use strict';
// What the benches share: order statistics, and the lateness of a coarse Qt timer
// served by the shell.

function stats(values) {
  const v = Float64Array.from(values).sort();
  const at = (q) => v[Math.min(v.length - 1, Math.floor(q * v.length))];
  return { n: v.length, median: at(0.5), p99: at(0.99), min: v[0], max: v[v.length - 1] };
}

const sleep = (t) => new Promise((resolve) => setTimeout(resolve, t));

// Against the timer's own schedule: each tick is due one interval after the last due
// time; a tick that fell a whole interval behind restarts the schedule from itself.
async function qtTimerLateness(measure, interval, seconds) {
  const id = measure.startTimer(interval, 'coarse');
  await sleep(seconds * 1000);
  const r = measure.stopTimer(id);
  const lateness = [];
  let due = r.start + interval;
  for (const t of r.ticks) {
    lateness.push(t - due);
    due += interval;
    if (due <= t) due = t + interval;
  }
  return { lateness: stats(lateness), foreign: r.foreignThreadTicks };
}

module.exports = { stats, sleep, qtTimerLateness };
