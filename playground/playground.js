'use strict';
// The playground page: the desktop's picture from the server's events, mouse input on it,
// the request console and the notification log.
const $ = (id) => document.getElementById(id);
const picture = $('desktop');
let screen = { origin: { x: 0, y: 0 }, width: 1, height: 1 };
let methods = [];
let sequence = 1;

// Requests to the server, one after the other, in the order the user made them.
let queue = Promise.resolve();
function post(url, body) {
  const sent = queue.then(() => fetch(url, { method: 'POST', headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body) }));
  queue = sent.catch(() => {});
  return sent;
}

// ---- the desktop
const events = new EventSource('/events');
events.addEventListener('open', () => { $('status').textContent = 'live'; });
events.addEventListener('error', () => { $('status').textContent = 'disconnected, retrying…'; });
events.addEventListener('picture', (e) => {
  const p = JSON.parse(e.data);
  screen = p;
  picture.src = `data:image/png;base64,${p.png}`;
  picture.dataset.n = String(p.n);
  $('tree').textContent = p.tree;
});

function toScreen(e) {
  const box = picture.getBoundingClientRect();
  return {
    x: screen.origin.x + Math.floor(((e.clientX - box.left) * screen.width) / box.width),
    y: screen.origin.y + Math.floor(((e.clientY - box.top) * screen.height) / box.height),
  };
}

let pressed = null;
let moveQueued = null;
picture.addEventListener('mousedown', (e) => {
  if (e.button !== 0) return;
  e.preventDefault();
  const at = toScreen(e);
  pressed = { ...at, moved: false };
  post('/api/input', { type: 'press', ...at });
});
window.addEventListener('mousemove', (e) => {
  const at = toScreen(e);
  if (e.target === picture) $('where').textContent = `screen (${at.x}, ${at.y})`;
  if (!pressed) return;
  if (Math.abs(at.x - pressed.x) + Math.abs(at.y - pressed.y) > 3) pressed.moved = true;
  if (!pressed.moved || moveQueued) return;
  moveQueued = requestAnimationFrame(() => {
    moveQueued = null;
    post('/api/input', { type: 'move', ...at });
  });
});
window.addEventListener('mouseup', (e) => {
  if (!pressed || e.button !== 0) return;
  const at = toScreen(e);
  if (pressed.moved) post('/api/input', { type: 'move', ...at });
  post('/api/input', { type: 'release', ...at });
  if (!pressed.moved) post('/api/input', { type: e.detail >= 2 ? 'dblclick' : 'click', ...pressed });
  pressed = null;
});
picture.addEventListener('wheel', (e) => {
  e.preventDefault();
  post('/api/input', { type: 'wheel', ...toScreen(e), delta: e.deltaY < 0 ? 120 : -120 });
}, { passive: false });

// ---- the console
function showExample() {
  const method = methods.find((m) => m.name === $('method').value);
  $('request').value = method.example.replace(/"sequence": "\d+"/, `"sequence": "${sequence}"`);
  $('request').disabled = method.kind === 'callback';
  if (method.kind === 'callback') $('request').value = '(the playground\'s notification log)';
}

async function send() {
  const method = $('method').value;
  const text = $('request').value;
  const reply = $('reply');
  reply.className = '';
  reply.textContent = '…';
  try {
    const res = await post('/api/request', { method, text });
    const body = res.ok ? await res.json() : { error: await res.text() };
    if (body.error) throw new Error(body.error);
    let failed = false;
    try {
      failed = body.reply !== null && JSON.parse(body.reply).errorCode !== 0;
    } catch {
      failed = true;
    }
    reply.className = failed ? 'failed' : '';
    reply.textContent = body.reply === null ? `${method} returns undefined${body.note ? `: ${body.note}` : ''}` : body.reply;
    sequence += 1;
    if (/"sequence": "\d+"/.test(text)) $('request').value = text.replace(/"sequence": "\d+"/, `"sequence": "${sequence}"`);
  } catch (e) {
    reply.className = 'failed';
    reply.textContent = String(e.message || e);
  }
}

// ---- the notification log: periodic pictures of one window fold into one line
function addNote(note) {
  const list = $('notes');
  const first = list.firstElementChild;
  if (note.image && first && first.dataset.cmd === note.cmd && first.dataset.uuid === note.uuid && first.dataset.image) {
    first.querySelector('img').src = `data:image/jpeg;base64,${note.image}`;
    const count = first.querySelector('.count');
    count.textContent = `×${Number(count.textContent.slice(1)) + 1}`;
    first.querySelector('.time').textContent = note.time;
    return;
  }
  const item = document.createElement('li');
  Object.assign(item.dataset, { n: String(note.n), cmd: note.cmd, uuid: note.uuid, image: note.image ? '1' : '' });
  const time = document.createElement('span');
  time.className = 'time';
  time.textContent = note.time;
  const body = document.createElement('div');
  const cmd = document.createElement('div');
  cmd.className = 'cmd';
  cmd.textContent = note.cmd || '(not JSON)';
  const text = document.createElement('pre');
  text.textContent = note.text;
  body.append(cmd, text);
  item.append(time, body);
  if (note.image) {
    const img = document.createElement('img');
    img.src = `data:image/jpeg;base64,${note.image}`;
    const count = document.createElement('span');
    count.className = 'count';
    count.textContent = '×1';
    cmd.append(' ', count);
    item.append(img);
  }
  list.prepend(item);
  while (list.children.length > 200) list.lastElementChild.remove();
}
events.addEventListener('note', (e) => addNote(JSON.parse(e.data)));

// ---- scenes
let scenes = [];
async function makeScene() {
  const res = await post('/api/scene', { name: $('scene').value });
  if (!res.ok) return;
  const { className } = await res.json();
  const create = methods.find((m) => m.name === 'CreateWnd');
  create.example = create.example.replace(/"className": "[^"]*"/, `"className": "${className}"`);
  if ($('method').value === 'CreateWnd') showExample();
}

async function setUp() {
  const setup = await (await fetch('/api/setup')).json();
  methods = setup.methods;
  scenes = setup.scenes;
  for (const m of methods) $('method').append(new Option(m.name, m.name));
  for (const s of scenes) $('scene').append(new Option(s.label, s.name, false, s.name === setup.scene));
  $('method').value = 'CreateWnd';
  showExample();
  $('method').addEventListener('change', showExample);
  $('send').addEventListener('click', send);
  $('make-scene').addEventListener('click', makeScene);
  document.body.dataset.ready = '1';
}
setUp();
