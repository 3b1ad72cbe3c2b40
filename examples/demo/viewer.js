'use strict';
// The desktop, live, on an X display. Qt itself stays on the simulated desktop's platform
// (on xcb its windows would not be desktop windows, and the product could not find or
// attach to the simulated browser), so the viewer is a plain X11 window of its own that
// shows the desktop's pictures at half size, speaking the X protocol over a socket. It
// shows the picture of each step; decoding one takes a few hundred milliseconds, too
// long to redraw it continuously without holding up the desktop's timers.
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');
const log = require('./log');
const { decodePng, halve } = require('./png');

// ":1", "unix:1.0", "host:1" -> where to connect.
function parseDisplay(text) {
  const m = /^([^:]*):(\d+)(?:\.\d+)?$/.exec(text || '');
  if (!m) return null;
  const number = m[2];
  if (m[1] === '' || m[1] === 'unix') return { number, path: `/tmp/.X11-unix/X${number}` };
  return { number, host: m[1], port: 6000 + Number(number) };
}

// The MIT-MAGIC-COOKIE-1 for the display from the Xauthority file, or none.
function cookie(number) {
  const file = process.env.XAUTHORITY || path.join(os.homedir(), '.Xauthority');
  let bytes;
  try {
    bytes = fs.readFileSync(file);
  } catch (e) {
    return null;
  }
  const fields = [];
  for (let pos = 0; pos + 2 <= bytes.length;) {
    const family = bytes.readUInt16BE(pos);
    pos += 2;
    const entry = [];
    for (let i = 0; i < 4 && pos + 2 <= bytes.length; ++i) {
      const length = bytes.readUInt16BE(pos);
      entry.push(bytes.subarray(pos + 2, pos + 2 + length));
      pos += 2 + length;
    }
    if (entry.length === 4) fields.push({ family, number: entry[1].toString(), name: entry[2].toString(), data: entry[3] });
  }
  const found = fields.find((f) => f.name === 'MIT-MAGIC-COOKIE-1' && (f.number === number || f.number === ''));
  return found ? { name: found.name, data: found.data } : null;
}

const pad4 = (n) => (4 - (n % 4)) % 4;
const shiftOf = (mask) => (mask ? 31 - Math.clz32(mask & -mask) : 0);

class Viewer {
  constructor(desktop, where) {
    this.desktop = desktop;
    this.ready = false;
    this.closed = false;
    this.pending = Buffer.alloc(0);
    this.image = null;
    this.socket = where.path ? net.createConnection(where.path) : net.createConnection(where.port, where.host);
    this.socket.on('error', (e) => this.stop(`the X connection failed: ${e.message}`));
    this.socket.on('close', () => this.stop(null));
    this.socket.on('data', (chunk) => this.onData(chunk));
    const auth = cookie(where.number) || { name: '', data: Buffer.alloc(0) };
    const name = Buffer.from(auth.name, 'latin1');
    const setup = Buffer.alloc(12 + name.length + pad4(name.length) + auth.data.length + pad4(auth.data.length));
    setup.write('l', 0, 'latin1');   // little-endian requests
    setup.writeUInt16LE(11, 2);
    setup.writeUInt16LE(0, 4);
    setup.writeUInt16LE(name.length, 6);
    setup.writeUInt16LE(auth.data.length, 8);
    name.copy(setup, 12);
    auth.data.copy(setup, 12 + name.length + pad4(name.length));
    this.socket.write(setup);
    this.socket.unref();   // the demo ends when its steps do
  }

  stop(reason) {
    if (this.closed) return;
    this.closed = true;
    if (reason) log.note(`viewer: ${reason}; the demo goes on without it`);
  }

  onData(chunk) {
    this.pending = Buffer.concat([this.pending, chunk]);
    if (!this.ready) {
      if (this.pending.length < 8) return;
      const total = 8 + 4 * this.pending.readUInt16LE(6);
      if (this.pending.length < total) return;
      const reply = this.pending.subarray(0, total);
      this.pending = this.pending.subarray(total);
      if (reply[0] !== 1) {
        const reason = reply.toString('latin1', 8, 8 + reply[1]).trim();
        this.socket.destroy();
        return this.stop(`the X server refused the connection (${reason || 'authentication'})`);
      }
      this.setUp(reply);
    }
    // Events and errors: 32 bytes each (this client asks for no replies).
    while (this.pending.length >= 32) {
      const event = this.pending.subarray(0, 32);
      this.pending = this.pending.subarray(32);
      if ((event[0] & 0x7f) === 12 && event.readUInt16LE(16) === 0) this.draw();   // Expose, last of a series
      if (event[0] === 0 && !this.reportedError) {
        this.reportedError = true;
        log.note(`viewer: X error ${event[1]} on request ${event[10]}`);
      }
    }
  }

  setUp(reply) {
    const idBase = reply.readUInt32LE(12);
    const vendorLength = reply.readUInt16LE(24);
    this.maxRequest = reply.readUInt16LE(26) * 4;
    const formats = reply[29];
    this.msbFirst = reply[30] === 1;
    let pos = 40 + vendorLength + pad4(vendorLength);
    const bitsPerPixel = {};
    for (let i = 0; i < formats; ++i, pos += 8) bitsPerPixel[reply[pos]] = reply[pos + 1];
    // The first screen: its root, root visual and depth, and that visual's masks.
    const root = reply.readUInt32LE(pos);
    const visual = reply.readUInt32LE(pos + 32);
    this.depth = reply[pos + 38];
    const depths = reply[pos + 39];
    pos += 40;
    for (let d = 0; d < depths; ++d) {
      const visuals = reply.readUInt16LE(pos + 2);
      pos += 8;
      for (let v = 0; v < visuals; ++v, pos += 24) {
        if (reply.readUInt32LE(pos) === visual) {
          this.masks = [reply.readUInt32LE(pos + 8), reply.readUInt32LE(pos + 12), reply.readUInt32LE(pos + 16)];
        }
      }
    }
    if (bitsPerPixel[this.depth] !== 32 || !this.masks || this.depth < 24) {
      this.socket.destroy();
      return this.stop(`the display's pixel format is not supported (depth ${this.depth})`);
    }
    this.window = idBase + 1;
    this.gc = idBase + 2;
    const { width, height } = this.desktop.monitors().find((m) => m.primary).rect;
    this.width = width >> 1;
    this.height = height >> 1;
    // CreateWindow: background black, Exposure events.
    const create = Buffer.alloc(40);
    create.writeUInt8(1, 0);
    create.writeUInt8(this.depth, 1);
    create.writeUInt16LE(10, 2);
    create.writeUInt32LE(this.window, 4);
    create.writeUInt32LE(root, 8);
    create.writeUInt16LE(this.width, 16);
    create.writeUInt16LE(this.height, 18);
    create.writeUInt16LE(1, 22);   // InputOutput
    create.writeUInt32LE(0x802, 28);   // background-pixel, event-mask
    create.writeUInt32LE(0, 32);
    create.writeUInt32LE(0x8000, 36);   // Exposure
    const title = Buffer.from('WindowControl demo: the simulated desktop (half size)', 'latin1');
    const property = Buffer.alloc(24 + title.length + pad4(title.length));
    property.writeUInt8(18, 0);   // ChangeProperty, replace
    property.writeUInt16LE(property.length / 4, 2);
    property.writeUInt32LE(this.window, 4);
    property.writeUInt32LE(39, 8);   // WM_NAME
    property.writeUInt32LE(31, 12);   // STRING
    property.writeUInt8(8, 16);
    property.writeUInt32LE(title.length, 20);
    title.copy(property, 24);
    const map = Buffer.alloc(8);
    map.writeUInt8(8, 0);
    map.writeUInt16LE(2, 2);
    map.writeUInt32LE(this.window, 4);
    const gc = Buffer.alloc(16);
    gc.writeUInt8(55, 0);
    gc.writeUInt16LE(4, 2);
    gc.writeUInt32LE(this.gc, 4);
    gc.writeUInt32LE(this.window, 8);
    this.socket.write(Buffer.concat([create, property, map, gc]));
    this.ready = true;
    log.note(`viewer: showing the desktop on display ${process.env.DISPLAY}, ${this.width}x${this.height}`);
    if (this.png) this.show(this.png);
  }

  // A picture of the desktop (PNG bytes), drawn now, or once the window exists.
  show(png) {
    if (this.closed) return;
    if (!this.ready) {
      this.png = png;
      return;
    }
    this.png = null;
    try {
      this.image = halve(decodePng(png));
    } catch (e) {
      return this.stop(`cannot read the desktop's picture (${e.message})`);
    }
    this.draw();
  }

  // PutImage in bands of rows that fit one request.
  draw() {
    if (!this.image || this.closed) return;
    const { width, height, rgb } = this.image;
    const [rs, gs, bs] = this.masks.map(shiftOf);
    const rows = Math.max(1, Math.min(height, Math.floor((this.maxRequest - 24) / (width * 4))));
    const requests = [];
    for (let y0 = 0; y0 < height; y0 += rows) {
      const n = Math.min(rows, height - y0);
      const request = Buffer.alloc(24 + width * n * 4);
      request.writeUInt8(72, 0);
      request.writeUInt8(2, 1);   // ZPixmap
      request.writeUInt16LE(request.length / 4, 2);
      request.writeUInt32LE(this.window, 4);
      request.writeUInt32LE(this.gc, 8);
      request.writeUInt16LE(width, 12);
      request.writeUInt16LE(n, 14);
      request.writeInt16LE(0, 16);
      request.writeInt16LE(y0, 18);
      request.writeUInt8(this.depth, 21);
      for (let i = 0, p = y0 * width * 3; i < width * n; ++i, p += 3) {
        const pixel = ((rgb[p] << rs) | (rgb[p + 1] << gs) | (rgb[p + 2] << bs)) >>> 0;
        if (this.msbFirst) request.writeUInt32BE(pixel, 24 + i * 4);
        else request.writeUInt32LE(pixel, 24 + i * 4);
      }
      requests.push(request);
    }
    this.socket.write(Buffer.concat(requests));
  }

  close() {
    if (this.closed) return;
    this.stop(null);
    this.socket.end();
  }
}

// A viewer on $DISPLAY, or null (with a note) when there is none.
function openViewer(desktop) {
  const where = parseDisplay(process.env.DISPLAY);
  if (!where) {
    log.note(`--display: no X display (DISPLAY is ${process.env.DISPLAY ? `"${process.env.DISPLAY}"` : 'not set'}); `
      + 'the desktop is only drawn into the pictures');
    return null;
  }
  return new Viewer(desktop, where);
}

module.exports = { openViewer, parseDisplay };
