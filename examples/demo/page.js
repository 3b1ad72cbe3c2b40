'use strict';
// The page's side: one WindowControl object, requests with a running "sequence",
// and the one callback that every notification reaches. Pictures of windows that
// arrive as "window.messageCallBack" are written out as JPEG files.
const fs = require('fs');
const path = require('path');
const log = require('./log');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls until the condition holds or the time is up; Node's timer keeps the loop (and
// with it Qt's timers) running meanwhile.
async function waitFor(condition, timeoutMs, intervalMs = 10) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (Date.now() >= end) return false;
    await sleep(intervalMs);
  }
}

// Width and height from a JPEG's start-of-frame segment, or null.
function jpegSize(bytes) {
  if (bytes.length < 4 || bytes[0] !== 0xff || bytes[1] !== 0xd8) return null;
  for (let i = 2; i + 9 < bytes.length;) {
    if (bytes[i] !== 0xff) return null;
    const marker = bytes[i + 1];
    const length = bytes.readUInt16BE(i + 2);
    if (marker >= 0xc0 && marker <= 0xc3) return { width: bytes.readUInt16BE(i + 7), height: bytes.readUInt16BE(i + 5) };
    i += 2 + length;
  }
  return null;
}

const kB = (n) => `${(n / 1024).toFixed(1)} kB`;

class Page {
  constructor(WindowControl, outDir) {
    this.wc = new WindowControl();
    this.outDir = outDir;
    this.sequence = 0;
    this.notes = [];            // every notification, parsed, in arrival order
    this.periodic = new Map();  // key -> pictures that came by themselves
    this.grabbing = null;       // the key of a GrabOpen under way
    this.files = [];
    this.wc.SetCallback((text) => this.onNotification(text));
  }

  // One request: logged, sent, its reply logged and returned parsed.
  send(method, fields = {}) {
    this.sequence += 1;
    const text = JSON.stringify({ sequence: String(this.sequence), ...fields });
    log.request(method, text);
    const replyText = this.wc[method](text);
    if (typeof replyText !== 'string') {
      log.reply('(no reply)');
      return null;
    }
    log.reply(replyText);
    return JSON.parse(replyText);
  }

  // The methods that take a bare text and give no reply (ConnectClose, SetLocalConfig).
  sendText(method, text) {
    log.request(method, JSON.stringify(text));
    const result = this.wc[method](text);
    log.reply(result === undefined ? '(no reply)' : String(result));
  }

  grab(uuid) {
    this.grabbing = uuid;
    try {
      return this.send('GrabOpen', { uuid });
    } finally {
      this.grabbing = null;
    }
  }

  notesOf(cmd, uuid) {
    return this.notes.filter((n) => n.cmd === cmd && (uuid === undefined || n.uuid === uuid));
  }

  periodicCount(uuid) {
    return this.periodic.get(uuid) || 0;
  }

  onNotification(text) {
    let note;
    try {
      note = JSON.parse(text);
    } catch (e) {
      log.notification(`(not JSON) ${text}`);
      return;
    }
    this.notes.push(note);
    if (note.cmd === 'window.messageCallBack') return this.onPicture(note);
    const { cmd, errorCode, errorModule, ...payload } = note;
    const errors = errorCode || errorModule ? ` error ${errorModule}/${errorCode}` : '';
    log.notification(`${cmd}${errors} ${JSON.stringify(payload)}`);
  }

  // A picture for the page to show in the window's place: asked for with GrabOpen
  // (each one written and logged), or periodic (counted, the latest one kept).
  onPicture(note) {
    const image = note.data && note.data.message ? note.data.message.image : '';
    const bytes = Buffer.from(typeof image === 'string' ? image : '', 'base64');
    const requested = this.grabbing === note.uuid;
    if (!requested) this.periodic.set(note.uuid, this.periodicCount(note.uuid) + 1);
    const name = requested ? `picture-${note.uuid}-${this.sequence}.jpg` : `picture-${note.uuid}-periodic.jpg`;
    const file = path.join(this.outDir, name);
    fs.writeFileSync(file, bytes);
    if (!this.files.includes(file)) this.files.push(file);
    note.file = file;
    note.size = jpegSize(bytes);
    if (requested) {
      const size = note.size ? `${note.size.width}x${note.size.height}` : 'not a JPEG';
      log.notification(`window.messageCallBack {"uuid":"${note.uuid}","data":{"type":"${note.data.type}",`
        + `"message":{"image": ${kB(bytes.length)} JPEG ${size}}}} → ${path.relative(process.cwd(), file)}`);
    }
  }
}

module.exports = { Page, sleep, waitFor, jpegSize };
