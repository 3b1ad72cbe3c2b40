'use strict';
// The shell (shell.node): Qt on Node's own event loop, its exit, and the
// script controls of the simulated desktop and the stand-in component.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { spawnSync } = require('node:child_process');
const path = require('node:path');
const { shell, buildDir, start } = require('../../lib/shell');

start();
const { desktop, component } = shell;
const { qt, measure } = require('../probes');
const nextTurn = () => new Promise((resolve) => setImmediate(resolve));
// Qt's handles never keep the loop alive: a test waiting on Qt alone holds it open, for
// a while (what never comes fails the test instead of holding the file for ever).
async function keepingLoop(promise, ms = 20000) {
  let keep;
  const limit = new Promise((resolve, reject) => { keep = setTimeout(() => reject(new Error(`nothing after ${ms} ms`)), ms); });
  try { return await Promise.race([promise, limit]); } finally { clearTimeout(keep); }
}

function runNode(args) {
  return spawnSync(process.execPath, args, {
    env: { ...process.env, WC_BUILD_DIR: buildDir }, encoding: 'utf8', timeout: 20000,
  });
}

test('the shell starts once, refuses what it cannot run, and leaves an application it did not make alone', () => {
  const platform = shell.platform();
  assert.deepEqual([shell.state(), shell.qtApplication()], ['running', 'shell']);
  assert.equal(platform, ['win32sim', 'windows'].find((p) => shell.platforms().includes(p)) || 'offscreen');
  assert.deepEqual(start(), { platform });
  assert.deepEqual(shell.start({ platform }), { platform });
  assert.throws(() => shell.start({ platform: platform === 'minimal' ? 'offscreen' : 'minimal' }), /already runs/);
  assert.throws(() => shell.start({ platform: 7 }), TypeError);
  assert.throws(() => shell.start('offscreen'), TypeError);

  const lib = (name) => JSON.stringify(path.join(__dirname, '..', '..', name));
  const child = runNode(['-e', `
    const { shell } = require(${lib('lib/shell')});
    for (const platform of ['bogus', 'eglfs']) {
      try { shell.start({ platform }); } catch (e) { console.log('refused', platform); }
    }
    console.log(shell.qtApplication(), shell.state(), shell.start({ platform: 'minimal' }).platform, shell.qtApplication());`]);
  assert.equal(child.status, 0, child.stderr);
  assert.deepEqual(child.stdout.trim().split('\n'), ['refused bogus', 'refused eglfs', 'none not started minimal shell']);

  // A desktop shell that embeds the add-on runs its own application and loop.
  const embedded = runNode(['-e', `
    console.log(require(${lib('tests/probes')}).qt.makeApplication('offscreen'));
    const { WindowControl, shell } = require(${lib('lib')});
    console.log(shell.qtApplication(), shell.state(), new WindowControl().HideWnd('{"uuid":"none"}'));
    try { shell.start(); } catch (e) { console.log(e.message); }`]);
  assert.equal(embedded.status, 0, embedded.stderr);
  assert.deepEqual(embedded.stdout.trim().split('\n'), ['offscreen',
    'other not started {"errorCode":0,"errorModule":0,"sequence":"","uuid":"none"}',
    'shell: a Qt application the shell did not make runs already; the shell leaves it alone']);
});

test('Qt timers tick on the script thread, each tick in its own callback scope', async () => {
  const seen = [];
  const result = await keepingLoop(new Promise((resolve) => {
    const id = measure.startTimer(60, 'precise', () => {
      const tick = { at: measure.now() };
      seen.push(tick);
      process.nextTick(() => { tick.nextTick = measure.now(); });
      Promise.resolve().then(() => { tick.microtask = measure.now(); });
      if (seen.length === 3) resolve(measure.stopTimer(id));
    });
    const remaining = measure.remainingTime(id);
    assert.ok(remaining > 0 && remaining <= 60, `remaining ${remaining}`);
  }));
  await nextTurn();
  assert.equal(result.foreignThreadTicks, 0);
  assert.equal(result.ticks.length, 3);
  // nextTick and microtasks of a tick run as it returns, not with whatever comes next
  for (const tick of seen) {
    assert.ok(tick.nextTick - tick.at < result.interval / 2 && tick.microtask - tick.at < result.interval / 2,
      JSON.stringify(tick));
  }
  // a precise timer never fires before its schedule
  result.ticks.forEach((t, i) => assert.ok(t >= result.start + (i + 1) * result.interval, `tick ${i}`));
  // a short coarse one (on Windows it ticks as a multimedia timer) serves the script thread too
  const short = await keepingLoop(new Promise((resolve) => {
    let ticks = 0;
    const id = measure.startTimer(10, 'coarse', () => { if (++ticks === 5) resolve(measure.stopTimer(id)); });
  }));
  assert.deepEqual([short.ticks.length, short.foreignThreadTicks], [5, 0]);
  const veryCoarse = measure.startTimer(1300, 'veryCoarse'); // whole seconds
  assert.ok(measure.remainingTime(veryCoarse) > 900 && measure.remainingTime(veryCoarse) <= 1000);
  measure.stopTimer(veryCoarse);
  assert.equal(measure.remainingTime(veryCoarse), -1);
  assert.equal(measure.stopTimer(9999), undefined);
  assert.throws(() => measure.startTimer(-1), TypeError);
  assert.throws(() => measure.startTimer(5, 'sometimes'), TypeError);
});

test('posted events and deleteLater are served by the loop; processEvents flushes at once', async () => {
  const a = qt.createObject();
  const b = qt.createObject();
  qt.postEvent(a);
  qt.postEvent(a);
  qt.deleteLater(b);
  assert.deepEqual([qt.received(a), qt.exists(b)], [0, true]);
  await nextTurn();
  assert.deepEqual([qt.received(a), qt.exists(b)], [2, false]);

  const c = qt.createObject();
  qt.postEvent(c);
  qt.deleteLater(a);
  assert.equal(shell.processEvents(), true);
  assert.deepEqual([qt.received(c), qt.exists(a), qt.received(a)], [1, false, -1]);
});

test('socket notifiers are served by the loop, also woken by another thread', async () => {
  const pipe = qt.createPipe();
  qt.writePipe(pipe, 'a;');
  assert.equal(qt.pipeReceived(pipe), '');
  await nextTurn();
  assert.equal(qt.pipeReceived(pipe), 'a;');
  qt.writePipe(pipe, 'b;', 20);
  await keepingLoop(new Promise((resolve) => setTimeout(resolve, 300)));
  assert.equal(qt.pipeReceived(pipe), 'a;b;');
  qt.writePipe(pipe, 'c;');
  shell.processEvents();
  assert.equal(qt.pipeReceived(pipe), 'a;b;c;');
  qt.deleteLater(pipe);
});

test('a nested event loop returns at once instead of blocking the script', { timeout: 10000 }, () => {
  assert.equal(qt.runNestedLoop(), -1);
});

test('scripts that leave Qt busy exit by themselves, with their own exit code', () => {
  const fixture = path.join(__dirname, 'fixtures', 'exit-scenario.js');
  for (const mode of ['end', 'exit', 'exit-in-tick']) {
    for (const withProduct of ['', 'product']) { // the add-on's own cleanup comes between
      const child = runNode([fixture, mode, withProduct]);
      assert.equal(child.status, 0, `${mode} ${withProduct}: ${child.signal || ''} ${child.stderr}`);
      assert.equal(child.stdout.trim(), 'ready', mode);
    }
  }
  const child = runNode([fixture, 'throw-in-tick']);
  assert.equal(child.status, 1, child.stderr);
  assert.match(child.stderr, /boom from a Qt tick/);
});

test('a shown widget is a window of the desktop', { skip: !desktop && 'no desktop in this build' }, async () => {
  const rect = { x: 100, y: 120, width: 320, height: 200 };
  const widget = qt.showWidget('shell probe', rect);
  await nextTurn();
  assert.equal(desktop.title(widget.handle), 'shell probe');
  assert.equal(desktop.isVisible(widget.handle), true);
  assert.deepEqual(desktop.clientRect(widget.handle), rect);
  assert.ok(desktop.topLevelOrder().includes(widget.handle));
  // what the desktop does to the window reaches Qt as platform events, from the loop
  const moved = { x: 300, y: 240, width: 400, height: 260 };
  desktop.moveWindow(widget.handle, moved);
  await nextTurn();
  assert.deepEqual(qt.geometry(widget.id), desktop.clientRect(widget.handle));
  assert.notDeepEqual(qt.geometry(widget.id), rect);
  qt.deleteLater(widget.id);
  await nextTurn();
  assert.ok(!desktop.topLevelOrder().includes(widget.handle));
});

test('desktop and component controls refuse bad arguments and unknown windows without a crash', {
  skip: !(desktop && component) && 'no desktop in this build',
}, () => {
  desktop.reset();
  const chrome = desktop.createChrome('page k1 - Chrome', { x: 0, y: 0, width: 800, height: 600 });
  if (!desktop.can || desktop.can('setMonitors')) {   // a real desktop keeps its monitors
    desktop.setMonitors([{ rect: { x: 0, y: 0, width: 1920, height: 1080 }, primary: true },
      { rect: { x: 1920, y: 0, width: 1280, height: 1024 } }]);
    assert.notEqual(desktop.secondaryTrayWnd(), null);
  }
  if (!desktop.can || desktop.can('screenPixels')) {   // Wine's headless driver has no screen
    assert.deepEqual(desktop.picture().subarray(0, 4), Buffer.from([0x89, 0x50, 0x4e, 0x47]));
  }
  component.failNextConstruction(2);
  component.reset();
  desktop.reset();
  assert.deepEqual([desktop.monitors().length, desktop.secondaryTrayWnd(), component.pendingConstructionFailures()], [1, null, 0]);
  for (const bad of [() => desktop.title('abc'), () => desktop.title(-1), () => desktop.createWindow({}),
    () => desktop.setMonitors([{ rect: [0, 0, 10, 10] }]), () => desktop.moveWindow(chrome.frame, [1, 2]),
    () => component.emitSignal('k', component.signalNames()[0], [{}])]) {
    assert.throws(bad, TypeError);
  }
  assert.throws(() => component.emitSignal('no such key', 'SignalAllStop', []), /emitSignal: ./);
  assert.equal(typeof desktop.title('123456789'), 'string');
  assert.deepEqual([component.journalLines('no such key'), component.componentGuid('no such key')], [[], null]);
});

test('Qt\'s debug lines reach stderr only when NODE_DEBUG names windowcontrol or the script asks', {
  skip: !(desktop && component) && 'no desktop in this build',
}, () => {
  // A page session: two windows, the second after the script may have turned the lines off.
  const script = `
    const { WindowControl, shell } = require(${JSON.stringify(path.join(__dirname, '../../lib'))});
    const { qt } = require(${JSON.stringify(path.join(__dirname, '../probes'))});
    const [toggle, warn] = process.argv.slice(1);
    const wc = new WindowControl();
    wc.SetCallback(() => {});
    shell.desktop.createChrome('quiet page d1 d2', { x: 0, y: 0, width: 900, height: 600 });
    const rect = { left: 10, top: 10, width: 300, height: 200 };
    if (toggle === 'toggle') console.log(shell.debugOutput(true));
    wc.CreateWnd(JSON.stringify({ uuid: 'd1', className: 'Chrome', rect }));
    if (toggle === 'toggle') console.log(shell.debugOutput(false), shell.debugOutput());
    wc.CreateWnd(JSON.stringify({ uuid: 'd2', className: 'Chrome', rect }));
    shell.component.emitSignal('d1', 'SignalAllStop');
    wc.GrabOpen(JSON.stringify({ uuid: 'd2' }));
    if (warn === 'warn') qt.runNestedLoop();
    wc.DestroyWnd(JSON.stringify({ uuid: 'd1' }));`;
  const cases = [   // [NODE_DEBUG, args, debug lines of d1 and d2 shown, stdout]
    [undefined, [], [false, false], ''],
    ['windowcontrol', [], [true, true], ''],
    ['http,WINDOW*', [], [true, true], ''],
    ['windowcontrolx,net', [], [false, false], ''],
    [undefined, ['toggle'], [true, false], 'true\nfalse false'],
    [undefined, ['', 'warn'], [false, false], ''],
  ];
  for (const [nodeDebug, args, [first, second], stdout] of cases) {
    const env = { ...process.env, WC_BUILD_DIR: buildDir };
    delete env.NODE_DEBUG;
    if (nodeDebug) env.NODE_DEBUG = nodeDebug;
    const child = spawnSync(process.execPath, ['-e', script, ...args], { env, encoding: 'utf8', timeout: 20000 });
    const what = `${nodeDebug} ${args}: ${child.stderr}`;
    assert.equal(child.status, 0, what);
    assert.equal(child.stdout.trim(), stdout, what);
    const lines = child.stderr.split(/\r?\n/).filter(Boolean);
    assert.equal(lines.includes('createWnd: 1'), first, what);
    assert.equal(lines.includes('createWnd: 2'), second, what);
    // Warnings always; nothing else when the debug lines are off.
    if (args[1] === 'warn') assert.match(lines.join('\n'), /^shell: a nested event loop/, what);
    else if (!first && !second) assert.deepEqual(lines, [], what);
  }
});
