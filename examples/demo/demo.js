#!/usr/bin/env node
'use strict';
// The demo: a page script driving native video windows over a Chrome-like browser on
// the simulated desktop, step by step, with a short log of every request, reply and
// notification, the pictures the page receives (JPEG) and a picture of the whole
// desktop after each major step (PNG), all written to out/demo/.
//
//   node examples/demo/demo.js [--verbose] [--display]
//     --verbose   also show the add-on's own debug lines (or WC_DEMO_VERBOSE=1)
//     --display   show the picture of each step in a window on the X display named by
//                 DISPLAY, pausing on each (or WC_DISPLAY=1)
// Exit code 0 when every observation was as expected, 1 otherwise.
const fs = require('fs');
const path = require('path');

const args = process.argv.slice(2);
const unknown = args.filter((a) => !['--verbose', '--display'].includes(a));
if (unknown.length) {
  console.error(`demo: unknown option ${unknown[0]} (known: --verbose, --display)`);
  process.exit(2);
}
const verbose = args.includes('--verbose') || process.env.WC_DEMO_VERBOSE === '1';
const display = args.includes('--display') || process.env.WC_DISPLAY === '1';

const log = require('./log');
const { Page, sleep, waitFor } = require('./page');
const { Scene, rectText } = require('./scene');
const { pluginStep } = require('./pluginStep');
const { openViewer } = require('./viewer');
let shell;
try {
  ({ shell } = require('../../lib/shell'));
  if (verbose) shell.debugOutput(true);   // the add-on's own debug lines too
} catch (e) {
  console.error(`demo: cannot load the shell (${e.message.split('\n')[0]}); build first: scripts/build`);
  process.exit(1);
}

const { desktop, component } = shell;
const outDir = path.resolve(process.env.WC_DEMO_OUT || path.join(__dirname, '..', '..', 'out', 'demo'));
const WATCHDOG_MS = 120000;
const DISPLAY_PAUSE_MS = 1500;

// Window keys: the page writes them into its title; the windows find the browser by them.
const WALL = 'cam-wall-7c1e';
const FLOAT = 'cam-float-3b9f';
const PLUGIN = 'plugin-5d20';
const base64 = (text) => Buffer.from(text, 'utf8').toString('base64');
const stamp = () => String(Date.now());   // 13 digits: compares correctly as text
const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);

const browserRect = { x: 200, y: 100, width: 1280, height: 800 };
const draggedRect = { x: 420, y: 160, width: 1280, height: 800 };
const layout = {   // page rectangles
  wall: { left: 16, top: 56, width: 640, height: 360 },
  float: { left: 672, top: 56, width: 584, height: 328 },
  plugin: { left: 16, top: 432, width: 400, height: 225 },
};
const permission = { liveView: 1, playback: 1, videoSearch: 1, manualRecording: 0, twoWayAudio: 0,
  ptzControl: 1, capturePrint: 1, volume: 1 };

async function main() {
  if (!desktop || !component) throw new Error('this build has no simulated desktop or stand-in component');
  fs.rmSync(outDir, { recursive: true, force: true });
  fs.mkdirSync(outDir, { recursive: true });
  const { check, info, note } = log;
  const scene = new Scene(shell, outDir);
  let viewer = null;
  // A picture of the desktop; on a display, shown long enough to be seen.
  const shot = async (name) => {
    const file = await scene.picture(name);
    if (viewer && file) {
      viewer.show(fs.readFileSync(file));
      await sleep(DISPLAY_PAUSE_MS);
    }
  };
  console.log('WindowControl demo: a page script and its video windows on a simulated Windows desktop');
  console.log(`Output: ${outDir}`);

  // ---------------------------------------------------------------------------------
  log.step('The desktop: another application, then the browser with the page');
  const mail = scene.label(desktop.createWindow({ title: 'Mail - another application', framed: true,
    rect: { x: 1000, y: 420, width: 760, height: 520 }, colour: '#6d4c41' }), 'mail');
  const title = `Operations center [${WALL}] [${FLOAT}] - Chrome`;
  const browser = scene.openBrowser(title, browserRect);
  scene.pageHeader(browser, 'Operations center: page header', '#2b5797');
  info(`browser "${title}": ${scene.describe(browser.frame)}`);

  // The desktop shell's Qt application, then the add-on in it.
  const { WindowControl, buildDir } = require('../../lib');
  info(`shell running, Qt platform "${shell.platform()}"; add-on ${path.join(buildDir, 'WindowControl.node')}`);
  const page = new Page(WindowControl, outDir);
  if (display) viewer = openViewer(desktop);
  await shot('browser');

  // ---------------------------------------------------------------------------------
  log.step('Two video windows over page rectangles: one embedded, one floating');
  let before = scene.hosts();
  let reply = page.send('CreateWnd', { uuid: WALL, className: 'Chrome', embed: true, rect: layout.wall,
    splitType: 2, wndNum: 4, languageType: 'en' });
  check(reply.errorCode === 0, `CreateWnd ${WALL}: errorCode ${reply.errorCode}`, 0);
  const wall = scene.label(scene.newHost(before), 'wall window');
  before = scene.hosts();
  reply = page.send('CreateWnd', { uuid: FLOAT, className: 'Chrome', embed: false, rect: layout.float,
    splitType: 2, wndNum: 4, languageType: 'en' });
  check(reply.errorCode === 0, `CreateWnd ${FLOAT}: errorCode ${reply.errorCode}`, 0);
  const float = scene.label(scene.newHost(before), 'floating window');
  if (!wall || !float) throw new Error(`the windows did not appear on the desktop:\n${desktop.dump()}`);
  desktop.activate(browser.frame);   // the user goes on in the browser
  const onPage = (r, page = desktop.windowRect(browser.render)) =>
    ({ x: page.x + r.left, y: page.y + r.top, width: r.width, height: r.height });
  const placed = (handle, r, page) => same(desktop.windowRect(handle), onPage(r, page));
  check(placed(wall, layout.wall), `wall window ${scene.describe(wall)}`, rectText(onPage(layout.wall)));
  check(placed(float, layout.float), `floating window ${scene.describe(float)}`, rectText(onPage(layout.float)));
  await waitFor(() => scene.directlyAbove(float, browser.frame), 1000);
  info(`order: ${scene.order()}`);
  await shot('windows');

  // ---------------------------------------------------------------------------------
  log.step('Log in, then live view in two panes and playback in a third');
  for (const uuid of [WALL, FLOAT]) {
    page.send('InitLoginInfo', { uuid, hubAddress: 'hub.example.net', hubPort: 8443, sessionID: 'S-41f0c2',
      loginModel: 1, userType: 'operator', networkType: 'lan' });
    page.send('SetHubToken', { uuid, token: 'tok-8d1e5b0a' });
  }
  const live = [
    { wndIndex: 0, url: 'rtsp://10.0.4.21/live/101', areaName: 'Lobby', cameraName: 'Entrance east' },
    { wndIndex: 1, url: 'rtsp://10.0.4.22/live/102', areaName: 'Parkhaus Süd', cameraName: 'Rampe 2' },
  ];
  for (const c of live) {
    page.send('StartPlay', { uuid: WALL, siteID: 'hq', url: c.url, username: 'viewer', password: 'pw-demo',
      areaName: base64(c.areaName), cameraName: base64(c.cameraName), wndIndex: c.wndIndex, permission,
      options: { secretKey: '', multiStreamProto: 1, dualStream: 1 } });
  }
  page.send('ChangePlayMode', { uuid: FLOAT, type: 1 });
  page.send('StartPlay', { uuid: FLOAT, siteID: 'hq', url: 'rtsp://10.0.4.30/playback?from=20240502T0800&camera=205',
    username: 'viewer', password: 'pw-demo', areaName: base64('Warehouse'), cameraName: base64('Dock 3'),
    wndIndex: 0, permission, options: { multiStreamProto: 1, fecPlaceType: 0, abilityType: [1, 4],
      timeZoneInfo: { id: 110, utcBias: -60, dst: true, daylightBias: -60, dstStartMonth: 3, dstEndMonth: 10,
        dstStartWeek: 5, dstEndWeek: 5, dstStartHour: 2, dstEndHour: 3, orbitTimeType: 1 } } });
  const onPlay = component.journal(WALL).filter((e) => e.operation === 'OnPlay');
  check(onPlay.length === 2 && onPlay[1].args[4] === 'Parkhaus Süd', `the component of ${WALL} got `
    + onPlay.map((e) => `OnPlay(pane ${e.args[11]}, "${e.args[4]} / ${e.args[5]}")`).join(', '),
  'two OnPlay calls, names decoded');
  const panes = [[WALL, 0], [WALL, 1], [FLOAT, 0]];
  const playing = panes.filter(([k, p]) => component.isPanePlaying(k, p)).length;
  check(playing === 3, `${playing} panes playing`, 3);
  await shot('playing');

  // ---------------------------------------------------------------------------------
  log.step('A banner covers the top of the floating window; a page menu opens over the wall');
  const banner = scene.pageElement(browser, 'Alarm banner: dock door open',
    { x: layout.float.left, y: layout.float.top, width: layout.float.width, height: 40 }, '#c0392b');
  page.send('SetWndCover', { uuid: FLOAT, position: 'top', size: 40 });
  const covered = { ...layout.float, top: layout.float.top + 40, height: layout.float.height - 40 };
  check(placed(float, covered), `floating window now ${rectText(desktop.windowRect(float))}: the banner shows, `
    + 'the video is cropped at its top, not squeezed', rectText(onPage(covered)));
  // The menu drops from the page header; the wall window gets a hole of its shape.
  const menu = { x: 360, y: 40, width: 220, height: 180 };
  const menuWindow = scene.pageElement(browser, 'Page menu', menu, '#f0a030');
  const hole = { left: menu.x - layout.wall.left, top: 0, width: menu.width,
    height: menu.y + menu.height - layout.wall.top };
  page.send('CuttingPartWindow', { uuid: WALL, rect: hole, round: 16 });
  const inHole = { x: hole.left + 100, y: 60 };
  check(!desktop.regionContains(wall, inHole.x, inHole.y) && desktop.regionContains(wall, 20, 20),
    `the wall window has a rounded hole at ${hole.left},${hole.top} ${hole.width}x${hole.height}: the menu shows`,
    'a hole');
  await shot('cover-and-cut');
  page.send('RepairPartWindow', { uuid: WALL, rect: hole, round: 16 });
  desktop.destroy(menuWindow);
  check(desktop.regionContains(wall, inHole.x, inHole.y), 'menu closed: the hole is repaired', 'no hole');
  page.send('SetWndCover', { uuid: FLOAT, position: 'top', size: 0 });
  desktop.destroy(banner);
  check(placed(float, layout.float), `banner gone: floating window back at ${rectText(desktop.windowRect(float))}`,
    rectText(onPage(layout.float)));
  await shot('repaired');

  // ---------------------------------------------------------------------------------
  log.step('The user drags the browser');
  await scene.drag(browser.frame, draggedRect, 10, 40);
  await waitFor(() => placed(float, layout.float), 1000);
  info(`browser ${scene.describe(browser.frame)}`);
  check(placed(wall, layout.wall), `wall window moved with it: ${scene.describe(wall)}`, rectText(onPage(layout.wall)));
  check(placed(float, layout.float), `floating window followed: ${scene.describe(float)}`,
    rectText(onPage(layout.float)));
  check(scene.directlyAbove(float, browser.frame), `order: ${scene.order()}`, 'floating window directly above the browser');
  await shot('dragged');

  // ---------------------------------------------------------------------------------
  log.step('The user switches to another application, and back');
  desktop.activate(mail);
  const behind = () => scene.directlyAbove(mail, float) && scene.directlyAbove(float, browser.frame);
  await waitFor(behind, 1000);
  check(behind(), `order: ${scene.order()}`, 'mail > floating window > browser');
  check(desktop.foreground() === mail, `foreground: ${scene.nameOf(desktop.foreground())}`, 'mail');
  await shot('other-application');
  desktop.activate(browser.frame);
  const back = () => scene.directlyAbove(float, browser.frame)
    && desktop.topLevelOrder().indexOf(browser.frame) < desktop.topLevelOrder().indexOf(mail);
  await waitFor(back, 1000);
  check(back(), `order: ${scene.order()}`, 'floating window > browser > mail');
  await shot('back-to-browser');

  // ---------------------------------------------------------------------------------
  log.step('The browser fills its monitor, then leaves full screen');
  const tray = desktop.trayWnd();
  const trayText = () => `taskbar ${desktop.isVisible(tray) ? 'visible' : 'hidden'}`;
  const monitor = scene.fillMonitor(browser);
  info(`browser ${scene.describe(browser.frame)}, its page from the monitor's top edge`);
  // The page lays itself out again and says where its windows are now.
  for (const [uuid, rect] of [[WALL, layout.wall], [FLOAT, layout.float]]) {
    page.send('SetWndGeometry', { uuid, timestamp: stamp(), rect });
  }
  await waitFor(() => desktop.isTopmost(float), 1000);
  check(desktop.isTopmost(float), `floating window: ${scene.describe(float)}`, 'topmost');
  check(!desktop.isVisible(tray), trayText(), 'hidden');
  check(placed(wall, layout.wall, monitor), `wall window: ${scene.describe(wall)}`, rectText(onPage(layout.wall, monitor)));
  info(`order: ${scene.order()}`);
  await shot('full-screen');
  scene.restoreWindow(browser, draggedRect);
  for (const [uuid, rect] of [[WALL, layout.wall], [FLOAT, layout.float]]) {
    page.send('SetWndGeometry', { uuid, timestamp: stamp(), rect });
  }
  const windowed = () => !desktop.isTopmost(float) && scene.directlyAbove(float, browser.frame);
  await waitFor(windowed, 1000);
  check(windowed(), `floating window: ${scene.describe(float)}`, 'not topmost, directly above the browser');
  check(desktop.isVisible(tray), trayText(), 'visible');
  info(`order: ${scene.order()}`);
  await shot('windowed-again');

  // ---------------------------------------------------------------------------------
  log.step('The user selects a pane and turns the wheel; the component reports');
  const paneCentre = (handle, uuid, pane) => {
    const h = desktop.windowRect(handle);
    const p = component.paneRect(uuid, pane);
    return { x: h.x + p.x + Math.floor(p.width / 2), y: h.y + p.y + Math.floor(p.height / 2) };
  };
  const events = () => page.notes.filter((n) => n.cmd !== 'window.messageCallBack').length;
  const count = events();
  // Mouse input reaches Qt's windows through the event loop: each reaction is awaited.
  const pane1 = paneCentre(wall, WALL, 1);
  note(`click at (${pane1.x},${pane1.y}), pane 2 of the wall window`);
  desktop.click(pane1.x, pane1.y);
  const selected = () => page.notesOf('window.selectWnd', WALL).some((n) => n.wndIndex === '1' && n.cameraID === '102');
  await waitFor(selected, 1000);
  check(selected(), 'pane 2 (wndIndex 1) selected, its camera 102 reported', 'window.selectWnd');
  note('the wheel turned one notch there');
  desktop.wheel(pane1.x, pane1.y, -120);
  const wheeled = () => page.notesOf('play.wheelEvent', WALL).some((n) => n.delta === '-120');
  await waitFor(wheeled, 1000);
  check(wheeled(), 'wheel reported', 'play.wheelEvent');
  // The click into the wall window activated the browser: the user sees the floating
  // window back over it before double-clicking there.
  await waitFor(() => scene.directlyAbove(float, browser.frame), 1000);
  const pane0 = paneCentre(float, FLOAT, 0);
  note('double click on the playback in the floating window: its own full screen');
  desktop.click(pane0.x, pane0.y, true);
  await waitFor(() => component.isFullScreen(FLOAT), 1000);
  check(component.isFullScreen(FLOAT), 'the playback fills the floating window', 'full screen');
  await shot('component-full-screen');
  note('double click again: back to four panes, and the page is told');
  const again = paneCentre(float, FLOAT, 0);
  desktop.click(again.x, again.y, true);
  const quitted = () => page.notesOf('window.quitedFullScreen', FLOAT).length === 1;
  await waitFor(quitted, 1000);
  check(quitted() && !component.isFullScreen(FLOAT), 'full screen left', 'window.quitedFullScreen');
  note('the component reports that the camera of pane 2 was closed by hand (emitted through its control)');
  component.emitSignal(WALL, 'SignalManuallyClose', [102, 'hq', 1]);
  check(page.notesOf('play.manuallyClose', WALL).length === 1,
    `${events() - count} notifications in this step, besides pictures`, 'play.manuallyClose among them');
  await shot('selected');

  // ---------------------------------------------------------------------------------
  log.step('Pictures of the windows, for the page to show under its menus');
  const pictures = page.notesOf('window.messageCallBack').length;
  for (const [uuid, handle] of [[WALL, wall], [FLOAT, float]]) {
    page.grab(uuid);
    const picture = page.notesOf('window.messageCallBack', uuid).pop();
    const want = desktop.windowRect(handle);
    const size = picture && picture.size ? `${picture.size.width}x${picture.size.height}` : 'missing';
    check(size === `${want.width}x${want.height}`, `picture of ${uuid}: ${size}`, `${want.width}x${want.height}`);
  }
  check(page.notesOf('window.messageCallBack').length === pictures + 2,
    'each GrabOpen answered by one picture, before its reply', 'two pictures');
  check(page.periodicCount(FLOAT) > 0 && page.periodicCount(WALL) === 0, 'pictures sent by themselves so far: '
    + `${page.periodicCount(FLOAT)} of the floating window (the latest kept), ${page.periodicCount(WALL)} of the `
    + 'embedded one', 'some of the floating window only');

  // ---------------------------------------------------------------------------------
  log.step('A plug-in window for a third key');
  await pluginStep({ page, scene, desktop, buildDir, browser, title, key: PLUGIN, rect: layout.plugin, shot });

  // ---------------------------------------------------------------------------------
  log.step('Stop and close everything');
  page.send('StopPlay', { uuid: WALL, wndIndex: 0 });
  for (const uuid of [WALL, FLOAT]) page.send('StopTotal', { uuid });
  const still = panes.filter(([k, p]) => component.isPanePlaying(k, p)).length;
  check(still === 0, `${still} panes playing`, 0);
  for (const uuid of [WALL, FLOAT]) page.send('DestroyWnd', { uuid });
  check(scene.hosts().length === 0 && component.liveKeys().length === 0,
    `${scene.hosts().length} windows of the add-on on the desktop, ${component.liveKeys().length} components`, 'none');
  desktop.destroy(browser.frame);
  desktop.destroy(mail);
  check(desktop.isVisible(tray), trayText(), 'visible');
  await shot('closed');
  if (viewer) viewer.close();
}

const watchdog = setTimeout(() => {
  console.error(`demo: still running after ${WATCHDOG_MS / 1000} s, giving up`);
  process.exit(3);
}, WATCHDOG_MS);
watchdog.unref();

main().then(() => {
  const files = fs.readdirSync(outDir).sort();
  console.log(`\nDone: ${files.length} files in ${outDir}`);
  for (let i = 0; i < files.length; i += 4) console.log(`  ${files.slice(i, i + 4).join('  ')}`);
  if (log.surprises.length) {
    console.log(`${log.surprises.length} observation(s) differed from what the page expects:`);
    for (const s of log.surprises) console.log(`  - ${s}`);
    process.exitCode = 1;
  } else {
    console.log('Every observation was as expected.');
  }
}, (error) => {
  console.error(`\ndemo failed: ${error && error.stack ? error.stack : error}`);
  process.exitCode = 1;
});
