#!/usr/bin/env node
'use strict';
// The playground: the add-on and the simulated desktop in this process, and a local web
// page that shows the desktop live, sends requests, shows the notifications and passes
// the user's clicks, drags and wheel turns to the desktop.
//
//   npm run playground          (WC_PLAYGROUND_PORT: the port, default 8420; 0 picks one)
// Listens on 127.0.0.1 only. Prints the page's address when it listens.
const fs = require('fs');
const http = require('http');
const path = require('path');

const { WindowControl, shell, buildDir } = require('../lib');
const { isQtWindow } = require('../lib/qtWindows');
const { samplePlugin } = require('../examples/plugin/samplePlugin');
const { DesktopFeed } = require('./feed');
const { scenes } = require('./scenes');
const { examples } = require('./examples');

const HOST = '127.0.0.1';
const PORT = process.env.WC_PLAYGROUND_PORT === undefined ? 8420 : Number(process.env.WC_PLAYGROUND_PORT);
const MAX_BODY = 1 << 20;
const KEPT_NOTES = 100;

const { desktop } = shell;
const FILES = {
  '/': { file: 'index.html', type: 'text/html; charset=utf-8' },
  '/playground.js': { file: 'playground.js', type: 'text/javascript; charset=utf-8' },
};

const wc = new WindowControl();
const METHODS = Object.getOwnPropertyNames(WindowControl.prototype).filter((m) => m !== 'constructor');
const plugin = samplePlugin(buildDir);
const EXAMPLES = examples(METHODS, plugin.built ? { StartService: { options: { dllPath: plugin.dllPath } } } : {});

const clients = new Set();
const notes = [];
const keys = new Set();       // windows made from the console, closed before a new scene
let noteCount = 0;
let sceneName = 'chrome';
let drag = null;

function broadcast(event, data) {
  const text = `event: ${event}\ndata: ${JSON.stringify(data)}\n\n`;
  for (const res of clients) res.write(text);
}

const feed = new DesktopFeed(shell, (picture) => broadcast('picture', picture), () => clients.size > 0);

// Pictures in notifications are shown as pictures; the log shows their size instead.
function onNotification(text) {
  let note = null;
  try {
    note = JSON.parse(text);
  } catch {
    // shown as it came
  }
  const image = note && note.data && note.data.message && typeof note.data.message.image === 'string'
    ? note.data.message.image : null;
  if (image) note.data.message.image = `<JPEG, ${(image.length * 0.75 / 1024).toFixed(1)} kB>`;
  else feed.touch();
  const entry = { n: ++noteCount, time: new Date().toISOString().slice(11, 23), cmd: note ? String(note.cmd) : '',
    uuid: note ? String(note.uuid) : '', text: image ? JSON.stringify(note) : text, image };
  notes.push(entry);
  if (notes.length > KEPT_NOTES) notes.shift();
  broadcast('note', entry);
}
wc.SetCallback(onNotification);

function callMethod(method, text) {
  if (!METHODS.includes(method)) return null;
  feed.touch();
  if (method === 'SetCallback') {
    wc.SetCallback(onNotification);
    return { reply: null, note: 'the callback is the playground\'s notification log again' };
  }
  const reply = wc[method](text);
  if (method === 'CreateWnd' || method === 'DestroyWnd') {
    try {
      const { uuid, errorCode } = JSON.parse(reply);
      if (method === 'DestroyWnd') keys.delete(uuid);
      else if (errorCode === 0 || errorCode === 5001) keys.add(uuid);
    } catch {
      // every reply is JSON
    }
  }
  return { reply: reply === undefined ? null : reply };
}

function setScene(name) {
  const scene = scenes[name];
  if (!scene) return null;
  drag = null;
  for (const uuid of keys) wc.DestroyWnd(JSON.stringify({ uuid }));
  keys.clear();
  desktop.reset();
  scene.build(desktop);
  sceneName = name;
  feed.touch();
  return { scene: name, className: scene.className };
}

const inside = (r, x, y) => x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;

// The visible top-level window under the point, and whether the point is on its title bar.
function windowAt(x, y) {
  for (const h of desktop.topLevelOrder()) {
    const r = desktop.windowRect(h);
    if (!desktop.isVisible(h) || !inside(r, x, y) || !desktop.regionContains(h, x - r.x, y - r.y)) continue;
    return { h, onTitle: !isQtWindow(desktop, h) && y < desktop.clientRect(h).y };
  }
  return null;
}

// Mouse input in screen coordinates. A press on a title bar activates that window (as a
// click on it does on Windows) and starts a drag of it.
function onInput({ type, x, y, delta }) {
  if (![x, y].every(Number.isFinite)) return false;
  x = Math.round(x);
  y = Math.round(y);
  feed.touch();
  switch (type) {
    case 'click': desktop.click(x, y); return true;
    case 'dblclick': desktop.click(x, y, true); return true;
    case 'wheel': desktop.wheel(x, y, Number.isFinite(delta) ? Math.round(delta) : 0); return true;
    case 'press': {
      const hit = windowAt(x, y);
      drag = hit && hit.onTitle ? { h: hit.h, rect: desktop.windowRect(hit.h), x, y } : null;
      if (drag) desktop.activate(drag.h);
      return true;
    }
    case 'move':
      if (drag) desktop.moveWindow(drag.h, { ...drag.rect, x: drag.rect.x + x - drag.x, y: drag.rect.y + y - drag.y });
      return true;
    case 'release': drag = null; return true;
    default: return false;
  }
}

function plain(res, status, text) {
  res.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8' });
  res.end(`${text}\n`);
}

function json(res, value) {
  res.writeHead(200, { 'Content-Type': 'application/json; charset=utf-8', 'Cache-Control': 'no-store' });
  res.end(JSON.stringify(value));
}

function readBody(req) {
  return new Promise((resolve, reject) => {
    const chunks = [];
    let size = 0;
    req.on('data', (chunk) => {
      size += chunk.length;
      if (size > MAX_BODY) {
        reject(Object.assign(new Error('request body too large'), { status: 413 }));
        req.destroy();
      } else {
        chunks.push(chunk);
      }
    });
    req.on('end', () => {
      try {
        const body = JSON.parse(Buffer.concat(chunks).toString('utf8'));
        if (body === null || typeof body !== 'object') throw new Error('not an object');
        resolve(body);
      } catch {
        reject(Object.assign(new Error('the body must be a JSON object'), { status: 400 }));
      }
    });
    req.on('error', reject);
  });
}

function openEvents(req, res) {
  res.writeHead(200, { 'Content-Type': 'text/event-stream', 'Cache-Control': 'no-store', Connection: 'keep-alive' });
  res.write(': the desktop and its notifications\n\n');
  clients.add(res);
  for (const note of notes) res.write(`event: note\ndata: ${JSON.stringify(note)}\n\n`);
  if (feed.latest) res.write(`event: picture\ndata: ${JSON.stringify(feed.latest)}\n\n`);
  else feed.touch();
  req.on('close', () => clients.delete(res));
}

const POSTS = {
  '/api/request': (body) => callMethod(String(body.method), typeof body.text === 'string' ? body.text : ''),
  '/api/input': (body) => (onInput(body) ? { ok: true } : null),
  '/api/scene': (body) => setScene(String(body.name)),
};

async function handle(req, res) {
  const url = new URL(req.url, `http://${HOST}`);
  const served = FILES[url.pathname];
  if (req.method === 'GET' && served) {
    res.writeHead(200, { 'Content-Type': served.type, 'Cache-Control': 'no-store' });
    return res.end(fs.readFileSync(path.join(__dirname, served.file)));
  }
  if (req.method === 'GET' && url.pathname === '/events') return openEvents(req, res);
  if (req.method === 'GET' && url.pathname === '/api/setup') {
    return json(res, { methods: EXAMPLES, scene: sceneName,
      scenes: Object.entries(scenes).map(([name, s]) => ({ name, label: s.label, className: s.className })) });
  }
  const post = POSTS[url.pathname];
  if (req.method === 'POST' && post) {
    const result = post(await readBody(req));
    return result ? json(res, result) : plain(res, 400, `cannot do that: ${url.pathname}`);
  }
  return plain(res, 404, `not found: ${url.pathname}`);
}

function main() {
  setScene(sceneName);
  const server = http.createServer((req, res) => {
    handle(req, res).catch((e) => {
      if (!res.headersSent) plain(res, e.status || 500, e.message);
      else res.end();
    });
  });
  server.on('error', (e) => {
    console.error(`playground: ${e.message}`);
    process.exit(1);
  });
  server.listen(PORT, HOST, () => {
    console.log(`Playground: http://${HOST}:${server.address().port}/`);
  });
  const stop = () => {
    feed.stop();
    for (const res of clients) res.end();
    server.close(() => process.exit(0));
  };
  process.on('SIGINT', stop);
  process.on('SIGTERM', stop);
}

main();
