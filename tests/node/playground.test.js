'use strict';
// The playground in a real browser (headless Chromium driven by puppeteer-core): requests
// from the console, a click, the wheel and a title-bar drag on the desktop's picture, the
// notification log, and what the server answers to what it cannot serve.
// WC_PLAYGROUND_SCREENSHOT=<file.png> also saves a picture of the page.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawn } = require('child_process');

const root = path.join(__dirname, '..', '..');
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
let puppeteer = null;
try {
  puppeteer = require('puppeteer-core');
} catch {
  // reported as the reason to skip
}
const skip = (!puppeteer && 'puppeteer-core is not installed (npm ci)')
  || (!fs.existsSync(chromium) && `no Chromium at ${chromium} (scripts/setup --checks installs it)`);

function startServer() {
  const server = spawn(process.execPath, [path.join(root, 'playground', 'server.js')],
    { env: { ...process.env, WC_PLAYGROUND_PORT: '0' }, stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    let out = '';
    server.stdout.on('data', (chunk) => {
      out += chunk;
      const m = /Playground: (http:\S+)/.exec(out);
      if (m) resolve({ server, url: m[1] });
    });
    server.on('exit', (code) => reject(new Error(`the playground exited with ${code}: ${out}`)));
  });
}

const VIDEO_WINDOW = /Qt\d+\w*QWindow\w* "WindowControl" window \((-?\d+),(-?\d+) (\d+)x(\d+)\)/;
const BROWSER = /Chrome_WidgetWin_1 "Operations center[^"]*" window \((-?\d+),(-?\d+) /;

test('the playground shows the desktop live and passes requests and input to it', { skip, timeout: 120000 }, async () => {
  const { server, url } = await startServer();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'wc-chromium-'));
  // Chromium gets none of what the sanitizer run preloads into Node.
  const env = Object.fromEntries(Object.entries(process.env).filter(([k]) => !/^(LD_PRELOAD|ASAN_|UBSAN_|LSAN_)/.test(k)));
  let browser = null;
  try {
    browser = await puppeteer.launch({ executablePath: chromium, headless: true, userDataDir: profile, env,
      args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync'] });
    // What it cannot serve, and a malformed request, which the add-on answers itself.
    const post = (p, body) => fetch(new URL(p, url), { method: 'POST', body });
    for (const [res, status, text] of [
      [await fetch(new URL('/no/such/page', url)), 404, 'not found: /no/such/page\n'],
      [await post('/api/request', 'not json'), 400, 'the body must be a JSON object\n'],
      [await post('/api/request', '{"method":"NoSuchMethod","text":"{}"}'), 400, 'cannot do that: /api/request\n'],
      [await post('/api/request', '{"method":"StopPlay","text":"{oops"}'), 200,
        '{"reply":"{\\"errorCode\\":1,\\"errorModule\\":3,\\"sequence\\":\\"\\",\\"uuid\\":\\"\\"}"}'],
    ]) {
      assert.deepEqual([res.status, await res.text()], [status, text]);
    }

    const page = await browser.newPage();
    await page.setViewport({ width: 1440, height: 760 });
    await page.goto(url);
    await page.waitForSelector('body[data-ready="1"]');
    assert.equal(await page.$$eval('#method option', (o) => o.length), 42);
    const pictureNumber = () => page.$eval('#desktop', (img) => Number(img.dataset.n));
    const nextPicture = async (after) => page.waitForFunction((n) => Number(document.querySelector('#desktop').dataset.n) > n,
      {}, after);
    await nextPicture(0);

    const send = async (method) => {
      await page.select('#method', method);
      await page.$eval('#reply', (e) => { e.textContent = ''; });
      await page.click('#send');
      await page.waitForFunction(() => document.querySelector('#reply').textContent.startsWith('{'));
      return JSON.parse(await page.$eval('#reply', (e) => e.textContent));
    };
    assert.deepEqual(await send('CreateWnd'), { errorCode: 0, errorModule: 0, sequence: '1', uuid: 'cam1' });
    assert.equal((await send('StartPlay')).errorCode, 0);

    // Screen points on the picture: the page scales it down.
    const tree = await page.$eval('#tree', (e) => e.textContent);
    const [, x, y, w, h] = VIDEO_WINDOW.exec(tree).map(Number);
    const onPicture = async (sx, sy) => page.$eval('#desktop', (img, p) => {
      const box = img.getBoundingClientRect();
      return { x: box.left + (p.sx * box.width) / img.naturalWidth, y: box.top + (p.sy * box.height) / img.naturalHeight };
    }, { sx, sy });
    const note = (cmd) => page.waitForFunction((c) => document.querySelector(`#notes li[data-cmd="${c}"]`), {}, cmd);

    // Pane 1 of the 2 x 2 panes: the top right one.
    const before = await pictureNumber();
    const pane = await onPicture(x + (3 * w) / 4, y + h / 4);
    await page.mouse.click(pane.x, pane.y);
    await note('window.selectWnd');
    assert.match(await page.$eval('#notes li[data-cmd="window.selectWnd"] pre', (e) => e.textContent), /"wndIndex":"1"/);
    await nextPicture(before);
    await page.mouse.move(pane.x, pane.y + 20);
    await page.mouse.wheel({ deltaY: -100 });
    await note('play.wheelEvent');
    assert.match(await page.$eval('#notes li[data-cmd="play.wheelEvent"] pre', (e) => e.textContent), /"delta":"120"/);
    const order = await page.$$eval('#notes li', (items) => items.map((i) => Number(i.dataset.n)));
    assert.deepEqual(order, [...order].sort((a, b) => b - a), 'newest first');

    // A drag of the browser by its title bar moves it, and the video window with it.
    const [, bx, by] = BROWSER.exec(tree).map(Number);
    const grip = await onPicture(bx + 300, by + 10);
    const to = await onPicture(bx + 380, by + 50);
    await page.mouse.move(grip.x, grip.y);
    await page.mouse.down();
    await page.mouse.move(to.x, to.y, { steps: 5 });
    await page.mouse.up();
    // (Within the rounding of the scaled picture.)
    await page.waitForFunction((re, p) => {
      const m = new RegExp(re).exec(document.querySelector('#tree').textContent);
      return m && Math.abs(Number(m[1]) - p.x) <= 2 && Math.abs(Number(m[2]) - p.y) <= 2;
    }, { timeout: 5000 }, VIDEO_WINDOW.source, { x: x + 80, y: y + 40 }).catch(async (e) => {
      throw new Error(`${e.message}\n${await page.$eval('#tree', (t) => t.textContent)}`);
    });

    if (process.env.WC_PLAYGROUND_SCREENSHOT) await page.screenshot({ path: process.env.WC_PLAYGROUND_SCREENSHOT });
  } finally {
    // The server goes whatever failed, or the test run would wait for it.
    server.kill('SIGTERM');
    await browser?.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
});
