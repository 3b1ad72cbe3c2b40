'use strict';
// Pictures of the desktop for the page, only when it changed. A picture costs about a tenth
// of a second (the whole screen as PNG), the window tree a few microseconds: the tree is
// read every tick, and a picture is taken while something happened lately (a request, an
// input, a notification, a change of the tree), and seldom otherwise, for what only the
// pixels show. A picture whose bytes equal the last one sent is dropped.
const crypto = require('crypto');

const TICK_MS = 100;
const BUSY_MS = 700;       // pictures after anything happened, while Qt finishes painting
const IDLE_POLL_MS = 3000;

const immediate = () => new Promise((resolve) => setImmediate(resolve));

class DesktopFeed {
  // send(picture): to the pages; watched(): whether any page looks.
  constructor(shell, send, watched) {
    this.shell = shell;
    this.desktop = shell.desktop;
    this.send = send;
    this.watched = watched;
    this.count = 0;
    this.lastHash = '';
    this.lastTree = '';
    this.latest = null;
    this.busyUntil = 0;
    this.lastPicture = 0;
    this.taking = false;
    this.timer = setInterval(() => this.tick().catch((e) => this.failed(e)), TICK_MS);
    this.failure = '';
  }

  touch() {
    this.busyUntil = Date.now() + BUSY_MS;
  }

  // Told once per kind of failure; the page keeps the last picture meanwhile.
  failed(e) {
    if (e.message === this.failure) return;
    this.failure = e.message;
    console.error(`playground: no picture of the desktop: ${e.message}`);
  }

  stop() {
    clearInterval(this.timer);
  }

  async tick() {
    if (this.taking) return;
    const tree = this.desktop.dump();
    if (tree !== this.lastTree) {
      this.lastTree = tree;
      this.touch();
    }
    const now = Date.now();
    if (!this.watched()) return;
    if (now < this.busyUntil || now - this.lastPicture >= IDLE_POLL_MS) await this.take();
  }

  // Once Qt's queued work is done, so that the windows have painted.
  async take() {
    this.taking = true;
    try {
      for (let i = 0; i < 20 && this.shell.processEvents(); ++i) await immediate();
      this.lastPicture = Date.now();
      const png = this.desktop.picture();
      const hash = crypto.createHash('sha1').update(png).digest('hex');
      if (hash === this.lastHash) return;
      this.lastHash = hash;
      const monitors = this.desktop.monitors();
      this.latest = {
        n: ++this.count,
        origin: { x: Math.min(...monitors.map((m) => m.rect.x)), y: Math.min(...monitors.map((m) => m.rect.y)) },
        width: png.readUInt32BE(16),
        height: png.readUInt32BE(20),
        png: png.toString('base64'),
        tree: this.lastTree,
      };
      this.send(this.latest);
    } finally {
      this.taking = false;
    }
  }
}

module.exports = { DesktopFeed };
