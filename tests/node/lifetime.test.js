'use strict';
// Lifetimes across the script boundary, each in a child process of its own (run with
// --expose-gc): script objects made and collected by the thousand while notifications
// flow, and scripts that end or exit with windows open and notifications on their way.
// (Windows made and destroyed with their components playing: the session fuzzer's
// registry checks after every action.)
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('path');
const { spawnSync } = require('child_process');
const { shell, buildDir } = require('../../lib/shell');
const { samplePlugin } = require('../../examples/plugin/samplePlugin');

const skip = !(shell.desktop && shell.component) && 'no desktop in this build';
const skipLate = skip || (!samplePlugin(buildDir).built && 'no sample plug-in in this build');
const child = path.join(__dirname, 'fixtures', 'lifetime-child.js');

function run(...args) {
  const result = spawnSync(process.execPath, ['--expose-gc', child, ...args.map(String)], {
    env: { ...process.env, WC_BUILD_DIR: buildDir }, encoding: 'utf8', timeout: 240000, maxBuffer: 1 << 26,
  });
  const lines = result.stdout.trim().split('\n');
  let summary = null;
  try { summary = JSON.parse(lines[lines.length - 1]); } catch { /* reported below */ }
  return { status: result.status, signal: result.signal, summary, stderr: result.stderr.slice(-3000) };
}

test('thousands of script objects collected while notifications flow; the callback rules hold', { skip }, () => {
  const { status, signal, summary, stderr } = run('collect', 80);
  assert.equal(status, 0, `${signal || ''} ${stderr}`);
  assert.ok(summary.objects >= 2000, `${summary.objects} objects`);
  // Once per live object, while they live.
  for (const [delivered, live] of [...summary.liveDeliveries, ...summary.pictures]) assert.equal(delivered, live);
  // A collection drops notifications until SetCallback brings them back, once per live object.
  assert.ok(summary.afterCollection.length >= 60, `${summary.afterCollection.length} rounds collected something`);
  assert.deepEqual(new Set(summary.afterCollection), new Set([0]));
  for (const [delivered, live] of summary.afterSetCallback) assert.equal(delivered, live);
});

test('a script with a full-screen window that ends or exits gives the taskbars back, exit code 0', { skip }, () => {
  for (const mode of ['end', 'exit']) {
    const { status, signal, summary, stderr } = run(mode);
    assert.equal(status, 0, `${mode}: ${signal || ''} ${stderr}`);
    assert.deepEqual(summary, { created: 0, hiddenBefore: true, shownAtExit: true, code: 0 }, mode);
  }
  // From inside a notification the windows go after the exit listeners (the module's
  // frames are on the stack), where no script can look: the exit itself is what is seen.
  const { status, signal, summary, stderr } = run('exit-in-callback');
  assert.equal(status, 0, `${signal || ''} ${stderr}`);
  assert.deepEqual([summary.created, summary.hiddenBefore, summary.code], [0, true, 0]);
});

test('once exit began no notification reaches the script, however much is queued', { skip: skipLate }, () => {
  // A plug-in thread sending, a Qt click and timer on their way: the script ends, exits,
  // or exits from inside a notification. A late call would exit with 9 at once.
  for (const [mode, code] of [['late-end', 0], ['late-exit', 3], ['late-exit-in-callback', 3]]) {
    const { status, signal, summary, stderr } = run(mode);
    assert.equal(status, code, `${mode}: ${signal || ''} ${stderr}`);
    assert.ok(summary.before > 0, mode);
    assert.deepEqual([summary.after, summary.code, summary.listeners], [0, code, ['first', 'last']], mode);
  }
});
