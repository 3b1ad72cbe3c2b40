'use strict';
// The desktop's side: what the user does to the simulated desktop (open, drag, switch,
// fill the monitor) and what the demo reads back (where the windows are, their order,
// pictures of the whole screen).
const path = require('path');
const log = require('./log');
const { sleep } = require('./page');

const immediate = () => new Promise((resolve) => setImmediate(resolve));

const { isQtWindow: isHost } = require('../../lib/qtWindows');
const rectText = (r) => `(${r.x},${r.y}) ${r.width}x${r.height}`;

class Scene {
  constructor(shell, outDir) {
    this.shell = shell;
    this.desktop = shell.desktop;
    this.outDir = outDir;
    this.labels = new Map();   // handle -> name used in the log
    this.pictures = [];
  }

  label(handle, name) {
    this.labels.set(handle, name);
    return handle;
  }

  nameOf(handle) {
    return this.labels.get(handle) || `${this.desktop.className(handle)} ${handle}`;
  }

  // Every window of the product: top-level ones and children of top-level windows.
  hosts() {
    const { desktop } = this;
    const found = [];
    for (const top of desktop.topLevelOrder()) {
      if (isHost(desktop, top)) found.push(top);
      for (const child of desktop.childOrder(top)) if (isHost(desktop, child)) found.push(child);
    }
    return found;
  }

  newHost(before) {
    return this.hosts().find((h) => !before.includes(h)) || null;
  }

  // A Chrome window: a frame, a page render area below its tool strip, and the
  // compositor over that area, where page content of the demo is drawn.
  openBrowser(title, rect) {
    const browser = this.desktop.createChrome(title, rect);
    this.label(browser.frame, 'browser');
    return browser;
  }

  // Something the page draws (a menu, a banner), in page coordinates.
  pageElement(browser, title, rect, colour) {
    return this.label(this.desktop.createWindow({ parent: browser.compositor, title, rect, colour }), title);
  }

  // The page's header spans the page, whatever its width.
  pageHeader(browser, title, colour) {
    const width = this.desktop.windowRect(browser.compositor).width;
    browser.header = this.pageElement(browser, title, { x: 0, y: 0, width, height: 40 }, colour);
    return browser.header;
  }

  // Page area and header for a page rectangle on the screen.
  layOutPage(browser, page) {
    this.desktop.moveWindow(browser.render, page);
    this.desktop.moveWindow(browser.compositor, page);
    if (browser.header) this.desktop.moveWindow(browser.header, { x: page.x, y: page.y, width: page.width, height: 40 });
    return page;
  }

  // Back in a window: the page fills the client area below the tool strip.
  restoreWindow(browser, rect, strip = 80) {
    this.desktop.moveWindow(browser.frame, rect);
    const client = this.desktop.clientRect(browser.frame);
    return this.layOutPage(browser, { x: client.x, y: client.y + strip, width: client.width, height: client.height - strip });
  }

  // Full screen as the browser does it: the frame takes the whole monitor and the page
  // starts at its top edge, with no tool strip.
  fillMonitor(browser) {
    const monitor = this.desktop.monitors().find((m) => m.primary).rect;
    this.desktop.moveWindow(browser.frame, monitor);
    return this.layOutPage(browser, monitor);
  }

  // A drag of the frame in even steps, the event loop running between them as it does
  // between the mouse moves of a real drag.
  async drag(frame, to, steps, pauseMs) {
    const from = this.desktop.windowRect(frame);
    for (let i = 1; i <= steps; ++i) {
      const x = Math.round(from.x + ((to.x - from.x) * i) / steps);
      const y = Math.round(from.y + ((to.y - from.y) * i) / steps);
      this.desktop.moveWindow(frame, { x, y, width: from.width, height: from.height });
      await sleep(pauseMs);
    }
  }

  // Until Qt's queued work is done: events, paints, deferred deletes.
  async settled() {
    for (let i = 0; i < 100 && this.shell.processEvents(); ++i) await immediate();
  }

  describe(handle) {
    const { desktop } = this;
    const parent = desktop.parentOf(handle);
    const where = parent ? `child of ${this.nameOf(parent)}` : 'top-level';
    const flags = [desktop.isVisible(handle) ? 'visible' : 'hidden'];
    if (desktop.isTopmost(handle)) flags.push('topmost');
    if (desktop.hasRegion(handle)) flags.push('with a region');
    return `${rectText(desktop.windowRect(handle))}, ${where}, ${flags.join(', ')}`;
  }

  // The stacking order of the named top-level windows, top first.
  order() {
    const named = this.desktop.topLevelOrder().filter((h) => this.labels.has(h));
    return named.map((h) => this.nameOf(h) + (this.desktop.isTopmost(h) ? ' (topmost)' : '')).join(' > ');
  }

  // Directly above, counting only visible top-level windows.
  directlyAbove(upper, lower) {
    const order = this.desktop.topLevelOrder().filter((h) => this.desktop.isVisible(h));
    const i = order.indexOf(upper);
    return i >= 0 && order[i + 1] === lower;
  }

  // Once Qt has nothing left to do (the windows have painted what just changed).
  async picture(name) {
    await this.settled();
    // A real desktop may have no screen to read (Wine's headless driver).
    if (this.desktop.can && !this.desktop.can('screenPixels')) {
      log.note(`no desktop picture (${name}): this desktop has no screen pixels`);
      return null;
    }
    const file = path.join(this.outDir, `${String(this.pictures.length + 1).padStart(2, '0')}-${name}.png`);
    if (this.desktop.savePicture(file)) {
      this.pictures.push(file);
      log.info(`desktop picture → ${path.relative(process.cwd(), file)}`);
      return file;
    }
    log.check(false, `desktop picture ${file}`, 'a PNG file');
    return null;
  }
}

module.exports = { Scene, rectText };
