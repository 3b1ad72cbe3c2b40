'use strict';
// Cost of one picture of a floating window as the page gets it every 200 ms (grab from
// the screen, JPEG at quality 20, Base64, the JSON text, delivery to the script's
// callback), at 640x360 and 1920x1080, beside the JPEG encoding of the same pixels
// alone, measured in the same run.
// Usage: node bench/picture-cost.js [repeats=40]       (WC_BUILD_DIR picks the build)
const { WindowControl, shell } = require('../lib');
const { isQtWindow } = require('../lib/qtWindows');

const repeats = Number(process.argv[2]) || 40;
const { desktop } = shell;
const { measure } = require('../tests/probes');
const sleep = (t) => new Promise((resolve) => setTimeout(resolve, t));
function median(values) {
  const v = Float64Array.from(values).sort();
  return v[Math.floor(v.length / 2)];
}
const ms = (x) => `${x.toFixed(2)} ms`;

const wc = new WindowControl();
let delivered = 0;
let bytes = 0;
wc.SetCallback((text) => { ++delivered; bytes = text.length; });

async function measureSize(width, height) {
  desktop.reset();
  const monitor = desktop.monitors()[0].rect;
  const uuid = `bench${width}`;
  desktop.createChrome(`page ${uuid}`, monitor, 0);
  const before = desktop.topLevelOrder();
  const reply = wc.CreateWnd(JSON.stringify({ uuid, className: 'Chrome', embed: false, rect: { left: 0, top: 0, width, height } }));
  const hHost = desktop.topLevelOrder().find((h) => !before.includes(h) && isQtWindow(desktop, h));
  if (!hHost || JSON.parse(reply).errorCode !== 0) throw new Error(`no floating window was made: ${reply}`);
  // Another application in front (away from the window): no periodic pictures meanwhile.
  desktop.createWindow({ title: 'other', rect: [monitor.width - 10, monitor.height - 10, 10, 10] });
  await sleep(300);

  const request = JSON.stringify({ uuid, sequence: '1' });
  const full = [];
  delivered = 0;
  for (let i = 0; i < repeats; ++i) {
    const start = measure.now();
    wc.GrabOpen(request);
    full.push(measure.now() - start);
    await sleep(5);
  }
  if (delivered !== repeats) throw new Error(`${delivered} pictures for ${repeats} requests`);
  const jpeg = measure.jpegCost(desktop.picture(), desktop.clientRect(hHost), 20, repeats);
  wc.DestroyWnd(JSON.stringify({ uuid }));
  return { full: median(full), jpeg: median(jpeg), kilobytes: bytes / 1024 };
}

(async () => {
  console.log(`picture-cost: median of ${repeats} pictures per size (platform ${shell.platform()})`);
  for (const [width, height] of [[640, 360], [1920, 1080]]) {
    const r = await measureSize(width, height);
    console.log(`  ${width}x${height}: picture ${ms(r.full)} (message ${r.kilobytes.toFixed(1)} KiB), `
      + `JPEG alone ${ms(r.jpeg)}, ratio ${(r.full / r.jpeg).toFixed(2)}; `
      + `every 200 ms: ${((r.full / 200) * 100).toFixed(1)} % of the script thread`);
  }
})();
