'use strict';
// The playground's desktops: browser windows whose titles carry the keys cam1 and cam2, as
// a page would put them there, beside another application to switch to.
const scenes = {
  chrome: {
    label: 'Chrome-like browser',
    className: 'Chrome',
    build(desktop) {
      mail(desktop, { x: 1060, y: 380, width: 760, height: 520 });
      const chrome = desktop.createChrome('Operations center [cam1] [cam2] - Chrome', { x: 120, y: 60, width: 1280, height: 800 });
      desktop.activate(chrome.frame);
    },
  },
  ie11: {
    label: 'Internet Explorer 11 with tabs',
    className: 'IEFrame',
    build(desktop) {
      mail(desktop, { x: 1060, y: 380, width: 760, height: 520 });
      const ie = desktop.createIe11('Operations center [cam1] - Internet Explorer', { x: 120, y: 60, width: 1280, height: 800 },
        ['Operations center [cam1]', 'Map [cam2]']);
      desktop.activate(ie.frame);
    },
  },
  monitors: {
    label: 'Second monitor',
    className: 'Chrome',
    build(desktop) {
      desktop.setMonitors([{ rect: { x: 0, y: 0, width: 1920, height: 1080 }, primary: true },
        { rect: { x: 1920, y: 0, width: 1280, height: 1024 } }]);
      mail(desktop, { x: 200, y: 150, width: 900, height: 600 });
      const chrome = desktop.createChrome('Operations center [cam1] [cam2] - Chrome', { x: 1960, y: 40, width: 1200, height: 900 });
      desktop.activate(chrome.frame);
    },
  },
};

function mail(desktop, rect) {
  return desktop.createWindow({ title: 'Mail - another application', framed: true, rect, colour: '#6d4c41' });
}

module.exports = { scenes };
