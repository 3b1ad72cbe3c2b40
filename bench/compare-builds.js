'use strict';
// The request-path bench over two builds side by side, in child processes run alternately
// (other processes share the cores): for each request the median over the runs of each
// build's time per call, and of its ratio to the plain-JS baseline of the same run.
// Usage: node bench/compare-builds.js <buildA> <buildB> [runs=3] [calls=20000]
const path = require('path');
const { execFileSync } = require('child_process');

const [dirA, dirB, runsArg, callsArg] = process.argv.slice(2);
if (!dirA || !dirB) {
  console.error('usage: node bench/compare-builds.js <buildA> <buildB> [runs=3] [calls=20000]');
  process.exit(2);
}
const runs = Number(runsArg) || 3;
const calls = String(Number(callsArg) || 20000);
const builds = [dirA, dirB].map((dir) => ({ dir: path.resolve(dir), results: [] }));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

for (let r = 0; r < runs; ++r) {
  for (const build of builds) {
    const out = execFileSync(process.execPath, [path.join(__dirname, 'request-path.js'), calls], {
      env: { ...process.env, WC_BUILD_DIR: build.dir, WC_BENCH_JSON: '1' }, encoding: 'utf8', maxBuffer: 1 << 24,
    });
    build.results.push(JSON.parse(out.trim().split('\n').pop()));
  }
}

// Per request and build: the medians over the runs.
const table = new Map();
for (const [b, build] of builds.entries()) {
  for (const result of build.results) {
    for (const row of [...result.rows, ...result.live]) {
      const key = `${row.method} ${row.uuid}`;
      if (!table.has(key)) table.set(key, { method: row.method, uuid: row.uuid, native: [[], []], ratio: [[], []] });
      table.get(key).native[b].push(row.native);
      table.get(key).ratio[b].push(row.ratio);
    }
  }
}
const fmt = (x, w = 8) => x.toFixed(2).padStart(w);
console.log(`request path, ${calls} calls a round, ${runs} alternating runs of each build (medians)`);
builds.forEach((build, b) => console.log(`  ${'AB'[b]}: ${build.dir}`));
console.log(`${'request'.padEnd(30)} ${'window'.padEnd(15)} ${'A us'.padStart(8)} ${'B us'.padStart(8)} ${'A ratio'.padStart(8)} ${'B ratio'.padStart(8)}`);
const summary = [[], []];
for (const row of table.values()) {
  const native = row.native.map(median);
  const ratio = row.ratio.map(median);
  console.log(`${row.method.padEnd(30)} ${row.uuid.padEnd(15)} ${fmt(native[0])} ${fmt(native[1])} ${fmt(ratio[0])} ${fmt(ratio[1])}`);
  if (row.uuid === 'no-such-window') ratio.forEach((x, b) => summary[b].push(x));
}
summary.forEach((ratios, b) => {
  const sorted = [...ratios].sort((x, y) => x - y);
  console.log(`${'AB'[b]}: unknown window ratio median ${median(ratios).toFixed(2)}, range ${sorted[0].toFixed(2)}-${sorted.at(-1).toFixed(2)}`);
});
const geometry = table.get('SetWndGeometry live');
if (geometry) {
  console.log(`SetWndGeometry, live embedded window: A ${median(geometry.native[0]).toFixed(2)} us, B ${median(geometry.native[1]).toFixed(2)} us`);
}
