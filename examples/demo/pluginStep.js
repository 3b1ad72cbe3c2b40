'use strict';
// The plug-in part of the demo: a window of the sample integration library for a third
// key, its answers and the messages it pushes, then ConnectClose.
const path = require('path');
const log = require('./log');
const { waitFor } = require('./page');

async function pluginStep({ page, scene, desktop, buildDir, browser, title, key, rect, shot }) {
  const { check, note } = log;
  let samplePlugin;
  try {
    ({ samplePlugin } = require('../plugin/samplePlugin'));
  } catch (e) {
    note(`skipped: the plug-in sample is not part of this tree (${e.code || e.message})`);
    return;
  }
  const plugin = samplePlugin(buildDir);
  if (!plugin.built) {
    note(`skipped: the plug-in sample is not built (no ${path.relative(process.cwd(), plugin.file)})`);
    return;
  }
  desktop.setTitle(browser.frame, `${title} [${key}]`);
  note(`the page adds ${key} to its title: "${desktop.title(browser.frame)}"`);
  let reply = page.send('StartService', { uuid: key, options: { dllPath: plugin.dllPath } });
  check(reply.errorCode === 0, `library loaded: errorCode ${reply.errorCode}`, 0);
  const before = scene.hosts();
  reply = page.send('CreateWnd', { uuid: key, className: 'Chrome', rect });
  check(reply.errorCode === 0, `CreateWnd ${key}: errorCode ${reply.errorCode}`, 0);
  const pluginHost = scene.newHost(before);
  if (pluginHost) scene.label(pluginHost, 'plug-in window');
  const child = pluginHost ? desktop.childOrder(pluginHost).find((h) => desktop.title(h) === 'Sample plug-in') : null;
  check(Boolean(child), `the library's own window inside it: ${child ? scene.describe(child) : 'none'}`, 'a child window');

  const messages = () => page.notesOf('window.integrationCallBack', key).length;
  reply = page.send('RequestInterface', { uuid: key, requestParams: { query: 'status', push: 'now' } });
  check(Boolean(reply.responseMsg && reply.responseMsg.title === 'Sample plug-in') && messages() === 1,
    'the library answered in "responseMsg" and pushed one message at once', 'an answer and one message');
  page.send('RequestInterface', { uuid: key, requestParams: { burst: 3, interval: 20 } });
  await waitFor(() => messages() >= 4, 2000);
  check(messages() === 4, `${messages() - 1} messages pushed from the library's own thread arrived`, 3);
  await shot('plug-in');

  page.sendText('ConnectClose', key);
  check(Boolean(pluginHost) && !scene.hosts().includes(pluginHost), 'the plug-in window is closed, its service stopped',
    'no plug-in window');
  desktop.setTitle(browser.frame, title);
}

module.exports = { pluginStep };
