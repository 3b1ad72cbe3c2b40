'use strict';
// Idle CPU of a Node process with the WindowControl module loaded and one WindowControl
// created (its manager's 15 ms and 100 ms coarse timers run), against, in the same run, a
// bare Node process idling and one running Node's own setInterval at the same periods.
// Each is a child process measured with process.cpuUsage().
// Without WindowControl.node in the build, the shell alone runs two probe timers of
// the same periods instead (and says so).
// Usage: node bench/idle-cpu.js [seconds=10]      (WC_BUILD_DIR picks the build)
const { spawn } = require('child_process');
const fs = require('fs');
const path = require('path');

const seconds = Number(process.argv[2]) || 10;

function child(kind) {
  const { buildDir, start, shell } = require('../lib/shell');
  let label = 'bare node';
  if (kind === 'intervals') {
    setInterval(() => {}, 15);
    setInterval(() => {}, 100);
    label = 'node setInterval 15 ms + 100 ms';
  } else if (kind === 'subject') {
    if (fs.existsSync(path.join(buildDir, 'WindowControl.node'))) {
      const { WindowControl } = require('../lib');
      globalThis.keep = new WindowControl();
      label = 'WindowControl module + one WindowControl';
    } else {
      start();
      const { measure } = require('../tests/probes');
      measure.startTimer(15, 'coarse');
      measure.startTimer(100, 'coarse');
      label = 'shell only (no WindowControl.node): 15 ms + 100 ms coarse Qt timers';
    }
  }
  const cpu0 = process.cpuUsage();
  const t0 = process.hrtime.bigint();
  setTimeout(() => {
    const cpu = process.cpuUsage(cpu0);
    const wallUs = Number(process.hrtime.bigint() - t0) / 1000;
    const line = JSON.stringify({ label, percent: (100 * (cpu.user + cpu.system)) / wallUs });
    process.stdout.write(line, () => process.exit(0)); // intervals would keep it alive
  }, seconds * 1000);
}

function run(kind) {
  return new Promise((resolve, reject) => {
    const p = spawn(process.execPath, [__filename, String(seconds), '--child', kind], { stdio: ['ignore', 'pipe', 'inherit'] });
    let out = '';
    p.stdout.on('data', (d) => { out += d; });
    p.on('exit', (code) => (code === 0 ? resolve(JSON.parse(out)) : reject(new Error(`${kind} exited ${code}`))));
  });
}

if (process.argv[3] === '--child') {
  child(process.argv[4]);
} else {
  (async () => {
    const [subject, bare, intervals] = await Promise.all([run('subject'), run('bare'), run('intervals')]);
    console.log(`idle-cpu: ${seconds} s, CPU as % of one core`);
    for (const r of [subject, bare, intervals]) console.log(`  ${r.label}: ${r.percent.toFixed(3)} %`);
    console.log(`  ratio to node setInterval at the same periods: ${(subject.percent / Math.max(intervals.percent, 1e-6)).toFixed(2)}`);
    console.log(`  target (< 1 % of a core): ${subject.percent < 1 ? 'met' : 'NOT met'}`);
  })().catch((e) => { console.error(e.message); process.exit(1); });
}
