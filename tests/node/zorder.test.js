'use strict';
// Hosts over a simulated browser with the manager's timers on Node's own event loop, as
// in the shell: full screen by double click, a click into the video of an inactive
// browser, the mouse message to the browser, the periodic pictures.
const test = require('node:test');
const assert = require('node:assert/strict');
const { WindowControl, shell } = require('../../lib');
const { isQtWindow } = require('../../lib/qtWindows');

const { desktop, component } = shell;
const skip = !(desktop && component) && 'no desktop in this build';
const wc = new WindowControl();
const notes = [];
wc.SetCallback((text) => notes.push({ ...JSON.parse(text), foreground: desktop.foreground() }));
const call = (method, uuid, fields = {}) => JSON.parse(wc[method](JSON.stringify({ sequence: 's', uuid, ...fields })));
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// Bounds of several ticks, never exact timings.
async function within(ms, condition) {
  for (const end = Date.now() + ms; !condition() && Date.now() < end;) await sleep(5);
  return condition();
}
// CreateWnd; the host's native window, new at the top level or in the browser window.
function createHost(uuid, fields, browser) {
  const windows = () => [...desktop.topLevelOrder(), ...desktop.childOrder(browser)];
  const before = windows();
  assert.equal(call('CreateWnd', uuid, { rect: { left: 10, top: 20, width: 320, height: 180 }, ...fields }).errorCode, 0);
  return windows().find((h) => !before.includes(h) && isQtWindow(desktop, h));
}
// A double click as Windows delivers one: down, up, double-click down, up.
const doubleClick = (x, y) => desktop.click(x, y, true);
const pictures = (uuid) => notes.filter((n) => n.cmd === 'window.messageCallBack' && n.uuid === uuid).length;

test('full screen by double click: show and hide wait; only a floating window tells', { skip }, async () => {
  desktop.reset();
  const chrome = desktop.createChrome('page fs1', { x: 0, y: 0, width: 900, height: 700 });
  const shellFrame = desktop.createWindow({ className: 'Shell', title: 'page fs2', rect: [950, 0, 900, 700], framed: true, topmost: true });
  const hosts = { fs1: createHost('fs1', { className: 'Chrome', embed: false }, chrome.frame),
    fs2: createHost('fs2', { className: 'Shell' }, shellFrame) };
  const told = [];
  for (const [uuid, browser] of [['fs1', chrome.frame], ['fs2', shellFrame]]) {
    desktop.activate(browser);
    await sleep(250);   // a 100 ms tick sees the browser active: the press changes nothing
    const r = desktop.windowRect(hosts[uuid]);
    doubleClick(r.x + 30, r.y + 30);
    assert.ok(await within(300, () => component.isFullScreen(uuid)), uuid);
    call('HideWnd', uuid);
    call('ShowWnd', uuid);
    assert.ok(desktop.isVisible(hosts[uuid]));
    notes.length = 0;
    doubleClick(r.x + 30, r.y + 30);
    assert.ok(await within(300, () => !component.isFullScreen(uuid)), uuid);
    told.push(...notes.filter((n) => n.cmd === 'window.quitedFullScreen'));
  }
  assert.ok(desktop.isTopmost(shellFrame));   // ShowWnd of the embedded window waited too
  assert.deepEqual(told, [{ cmd: 'window.quitedFullScreen', errorCode: 0, errorModule: 0, uuid: 'fs1', foreground: chrome.frame }]);
  call('ShowWnd', 'fs2');
  assert.ok(!desktop.isTopmost(shellFrame));
  call('HideWnd', 'fs1');
  assert.ok(!desktop.isVisible(hosts.fs1));
});

test('a press in the video of an inactive browser brings the browser forward', { skip }, async () => {
  desktop.reset();
  const chrome = desktop.createChrome('page mp', { x: 0, y: 0, width: 1000, height: 700 });
  const h = createHost('mp', { className: 'Chrome', embed: false }, chrome.frame);
  desktop.createWindow({ title: 'other', rect: [1200, 600, 400, 300], framed: true });
  await sleep(250);   // a 100 ms tick sees the browser inactive
  const r = desktop.windowRect(h);
  desktop.click(r.x + 30, r.y + 30);
  // The next pass comes due before the loop delivers the press: input goes first, as
  // on Windows, where timer messages come last.
  for (const end = Date.now() + 120; Date.now() < end;);
  assert.ok(await within(300, () => desktop.foreground() === chrome.frame), desktop.describe(desktop.foreground()));

  desktop.clearPostedMessages();
  call('TriggerMouseEvent', 'mp');
  call('SimMouseClickEvent', 'mp', { pointX: 5, pointY: 5 });
  const posted = desktop.postedMessages().map(({ hwnd, message, wParam, lParam }) => ({ hwnd, message, wParam, lParam }));
  assert.deepEqual(posted, [{ hwnd: chrome.frame, message: 0x200, wParam: 1, lParam: (150 << 16) | 10 }]);
});

test('pictures every 200 ms, only of a visible floating window over an active browser', { skip }, async () => {
  desktop.reset();
  const chrome = desktop.createChrome('page p1 p2', { x: 0, y: 0, width: 1000, height: 700 });
  createHost('p1', { className: 'Chrome', embed: false }, chrome.frame);
  createHost('p2', { className: 'Chrome' }, chrome.frame);
  desktop.activate(chrome.frame);
  notes.length = 0;
  await sleep(1000);
  assert.ok(pictures('p1') >= 2 && pictures('p1') <= 6, `${pictures('p1')} pictures in 1 s`);
  assert.equal(pictures('p2'), 0);

  call('HideWnd', 'p1');
  notes.length = 0;
  await sleep(450);
  call('ShowWnd', 'p1');
  desktop.createWindow({ title: 'other', rect: [1200, 600, 400, 300], framed: true });
  await sleep(450);
  assert.equal(pictures('p1'), 0);
});

test('the shell serves WinEvents: a floating window answers a move or a raise of its browser in the same loop turn', { skip }, async () => {
  desktop.reset();
  const frame = { x: 0, y: 0, width: 1000, height: 700 };
  const chrome = desktop.createChrome('page we', frame);
  const other = desktop.createWindow({ title: 'other', rect: [1200, 600, 400, 300], framed: true });
  desktop.activate(chrome.frame);
  const h = createHost('we', { className: 'Chrome', embed: false }, chrome.frame);
  const turn = () => new Promise((resolve) => setImmediate(resolve));
  const above = () => { const o = desktop.topLevelOrder(); return o.indexOf(h) + 1 === o.indexOf(chrome.frame); };
  await sleep(50);
  const dx = desktop.windowRect(h).x - frame.x;
  for (let i = 1; i <= 20; ++i) {
    await sleep(Math.random() * 30);   // any phase of the 15 ms pass
    desktop.moveWindow(chrome.frame, { ...frame, x: frame.x + 7 * i });
    await turn();
    assert.equal(desktop.windowRect(h).x, frame.x + 7 * i + dx, `move ${i}`);
  }
  for (let i = 1; i <= 10; ++i) {
    desktop.activate(other);
    await sleep(Math.random() * 200);   // any phase of the 100 ms pass
    const page = desktop.windowRect(chrome.render);
    desktop.click(page.x + page.width - 20, page.y + page.height - 20);
    assert.equal(desktop.foreground(), chrome.frame);
    await turn();
    assert.ok(above(), `click ${i}: ${desktop.dump()}`);
  }
  call('DestroyWnd', 'we');
});
