'use strict';
// Texts that stress the request parser, from the script: deep nesting, a text of 64 MiB,
// invalid UTF-8, lone surrogates, NULs, and every JSON type in every field of every
// request, for windows that do not exist and for live ones. Each text gets its reply,
// nothing crashes, and memory settles when the same texts come again.
const test = require('node:test');
const assert = require('node:assert/strict');
const v8 = require('v8');
const vm = require('vm');
const { WindowControl, shell } = require('../../lib');
const { FIELDS, EXTRA_KEYS, replyMethods, moduleOf } = require('./fixtures/requests');

v8.setFlagsFromString('--expose-gc');
const gc = vm.runInNewContext('gc');
const { desktop, component } = shell;
const wc = new WindowControl();
const METHODS = replyMethods(WindowControl);
const MiB = 1024 * 1024;

// The reply's frame, and what it says: its code and the texts it echoed.
function replyOf(method, text) {
  const raw = wc[method](text);
  assert.equal(typeof raw, 'string', method);
  const reply = JSON.parse(raw);
  const keys = ['errorCode', 'errorModule', 'sequence', 'uuid', ...(EXTRA_KEYS[method] ? [EXTRA_KEYS[method]] : [])];
  assert.deepEqual(Object.keys(reply), keys.sort(), method);
  assert.equal(reply.errorModule, reply.errorCode === 0 ? 0 : moduleOf(method), method);
  return reply;
}

// Requests whose own outcome may be a code: a library that is not there, a window that
// finds no browser or no component.
const OWN_CODES = { StartService: [4], CreateWnd: [5000, 5001] };
function expectAnswered(method, text, sequence, uuid) {
  const reply = replyOf(method, text);
  assert.ok(reply.errorCode === 0 || (OWN_CODES[method] || []).includes(reply.errorCode),
    `${method}: ${JSON.stringify(reply).slice(0, 200)}`);
  assert.equal(reply.sequence, sequence, method);
  assert.equal(reply.uuid, uuid, method);
}

function expectUnparsable(method, text) {
  const reply = replyOf(method, text);
  assert.deepEqual([reply.errorCode, reply.sequence, reply.uuid], [1, '', ''], method);
}

// Live windows: one over a Chrome page, one in a plain application window given by handle.
let pageHandle;
function makeLiveWindows() {
  for (const [uuid, fields] of [['live-c', { className: 'Chrome', rect: { width: 320, height: 240 } }],
    ['live-d', { parentWnd: String(pageHandle), rect: { width: 200, height: 100 } }]]) {
    const reply = JSON.parse(wc.CreateWnd(JSON.stringify({ sequence: 'make', uuid, ...fields })));
    assert.equal(reply.errorCode, 0, uuid);
  }
}
const LIVE = desktop && component ? ['live-c', 'live-d'] : [];
if (LIVE.length) {
  desktop.createChrome('stress page live-c', { x: 50, y: 40, width: 1000, height: 700 });
  pageHandle = desktop.createWindow({ rect: [100, 100, 800, 600], title: 'stress page' });
  makeLiveWindows();
}

test('deep nesting is answered, as a request or as a parse failure', () => {
  const deep = (depth, open, close, inner) => open.repeat(depth) + inner + close.repeat(depth);
  for (const method of METHODS) {
    for (const uuid of ['nobody', ...LIVE]) {
      const shallow = `{"sequence":"n","uuid":"${uuid}","rect":${deep(64, '{"a":', '}', '1')},"x":${deep(64, '[', ']', '')}}`;
      expectAnswered(method, shallow, 'n', uuid);
    }
    expectUnparsable(method, deep(100000, '[', ']', ''));
    expectUnparsable(method, `{"sequence":"n","uuid":"nobody","rect":${deep(100000, '{"a":', '}', '1')}}`);
    expectUnparsable(method, '['.repeat(200000));
  }
  if (LIVE.length) makeLiveWindows();   // DestroyWnd took them
});

test('a text of 64 MiB', () => {
  const big = 'x'.repeat(64 * MiB);
  // Echoed whole, both ways.
  const reply = replyOf('StopPlay', `{"sequence":"${big}","uuid":"nobody"}`);
  assert.equal(reply.sequence.length, big.length);
  assert.ok(reply.sequence === big);
  // Carried to a component and back.
  if (LIVE.length) {
    component.setHandleRequestAnswer(null);
    const answer = replyOf('HandleRequest', JSON.stringify({ sequence: 's', uuid: 'live-c', message: big }));
    assert.equal(JSON.parse(answer.message).request.length, big.length);
    component.clearJournal('live-c');
  }
  // Refused whole.
  expectUnparsable('ShowWnd', big);
  expectUnparsable('GetFishEyePTZPreset', `{"sequence":"${big}"`);
  expectUnparsable('SetWndGeometry', '['.repeat(64 * MiB));
  // Accepted after 64 MiB of white space.
  expectAnswered('SetWndGeometry', `${' '.repeat(64 * MiB)}{"sequence":"w","uuid":"nobody"}`, 'w', 'nobody');
});

test('invalid UTF-8 and lone surrogates arrive as the engine decodes them', () => {
  // Bytes handed over in a Buffer are decoded by its toString(): bad sequences become U+FFFD.
  const badBytes = [[0xff], [0xfe, 0xff], [0xc0, 0xaf], [0xe2, 0x82], [0xf4, 0x90, 0x80, 0x80], [0xed, 0xa0, 0x80],
    [0xf0, 0x9f, 0x98], [0x80, 0x41]];
  // Script strings with surrogates alone, in the wrong order, or paired.
  const surrogates = ['\uD800', '\uDC00x', 'a\uD83D', '\uDE00\uD83D', '\uD83D\uDE00', '\uD83D\uD83D\uDE00'];
  for (const method of METHODS) {
    for (const bytes of badBytes) {
      const buffer = Buffer.concat([Buffer.from('{"sequence":"<'), Buffer.from(bytes), Buffer.from('>","uuid":"nobody"}')]);
      expectAnswered(method, buffer, `<${Buffer.from(bytes).toString()}>`, 'nobody');
    }
    for (const s of surrogates) {
      // Raw in the text: each lone one is replaced, as the engine's UTF-8 does it.
      expectAnswered(method, `{"sequence":"${s}","uuid":"nobody"}`, Buffer.from(s).toString(), 'nobody');
      // Escaped in the JSON: the parser keeps them, and the reply escapes them again.
      const escaped = JSON.stringify({ sequence: s, uuid: 'nobody' }).replace(/[\uD800-\uDFFF]/g,
        (c) => `\\u${c.charCodeAt(0).toString(16)}`);
      expectAnswered(method, escaped, s, 'nobody');
    }
  }
});

test('a NUL ends the text; an escaped one is a character like any other', () => {
  for (const method of METHODS) {
    expectUnparsable(method, '{"sequence":"a\u0000b","uuid":"nobody"}');
    expectUnparsable(method, '\u0000{"sequence":"a","uuid":"nobody"}');
    expectAnswered(method, '{"sequence":"s","uuid":"nobody"}\u0000garbage', 's', 'nobody');
    expectAnswered(method, '{"sequence":"a\\u0000b","uuid":"nobody\\u0000"}', 'a\u0000b', 'nobody\u0000');
  }
});

// Every value a field may wrongly hold.
const VALUES = [null, true, false, 0, -1, 1.5, -0.5, 2147483648, -2147483649, 1e308, -1e308, 4294967295,
  '', 'text', '-1', '1e3', '\u0000', 'caf\u00e9 \u{1F600}', [], [1, 'a', null], {}, { a: { b: [] } }];

// Each field path of a request (nested ones too) set to each value.
function* variants(fields, prefix = []) {
  for (const [key, value] of Object.entries(fields)) {
    const path = [...prefix, key];
    for (const replacement of VALUES) yield { path, replacement };
    if (value && typeof value === 'object' && !Array.isArray(value)) yield* variants(value, path);
    if (Array.isArray(value) && value.length && typeof value[0] === 'object') yield* variants(value[0], [...path, 0]);
  }
}
function withValue(fields, path, replacement) {
  const copy = structuredClone(fields);
  let target = copy;
  for (const key of path.slice(0, -1)) target = target[key];
  target[path[path.length - 1]] = replacement;
  return copy;
}

function sweep(uuids) {
  let count = 0;
  for (const method of METHODS) {
    for (const uuid of uuids) {
      for (const { path, replacement } of variants({ sequence: 's', uuid, ...FIELDS[method] })) {
        const fields = withValue({ sequence: 's', uuid, ...FIELDS[method] }, path, replacement);
        const text = JSON.stringify(fields);
        const echo = (key) => (typeof fields[key] === 'string' ? fields[key] : '');
        expectAnswered(method, text, echo('sequence'), echo('uuid'));
        ++count;
        // What the request may have done to the live windows is undone for the next one.
        if (LIVE.includes(uuid) && ['CreateWnd', 'DestroyWnd'].includes(method)) makeLiveWindows();
      }
    }
    if (LIVE.length) for (const uuid of LIVE) component.clearJournal(uuid);
  }
  wc.SetLocalConfig(JSON.stringify(VALUES));
  for (const value of VALUES) wc.ConnectClose(value);
  return count;
}

test('every JSON type in every field of every request', () => {
  const count = sweep(['nobody', ...LIVE]);
  assert.ok(count > 39 * VALUES.length * 2, `${count} requests`);
});

test('memory settles when the same texts come again', () => {
  const big = `{"sequence":"${'y'.repeat(16 * MiB)}","uuid":"nobody"}`;
  const round = () => {
    sweep(['nobody', ...LIVE]);
    for (const method of ['StopPlay', 'SetWndGeometry', 'HandleRequest']) replyOf(method, big);
    expectUnparsable('StopPlay', '['.repeat(100000));
    if (LIVE.length) for (const uuid of LIVE) component.clearJournal(uuid);
    gc();
    return process.memoryUsage().rss;
  };
  const rss = [];
  for (let i = 0; i < 6; ++i) rss.push(round());
  // The allocator keeps and returns pages as it likes: judge the settled rounds against
  // the early ones, not two single samples. A 16 MiB text kept per request grows by
  // about 50 MiB a round and shows well above this bound.
  const growth = Math.min(rss[4], rss[5]) - Math.max(rss[1], rss[2]);
  assert.ok(growth < 64 * MiB, `resident memory by round (MiB): ${rss.map((r) => (r / MiB).toFixed(1)).join(', ')}`);
});
