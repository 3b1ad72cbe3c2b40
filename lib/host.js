'use strict';
// The host shell: the Qt application on the script thread, served from Node's own
// event loop, as the desktop shell that loads the add-on provides it.
const path = require('path');
const util = require('util');

const buildDir = process.env.WC_BUILD_DIR
  ? path.resolve(process.env.WC_BUILD_DIR)
  : path.join(__dirname, '..', 'build');

const host = require(path.join(buildDir, 'qthost.node'));

// Qt's debug lines, the add-on's among them, stay off the terminal unless NODE_DEBUG names
// windowcontrol (read as Node reads it for util.debuglog); host.debugOutput(on) changes it.
if (host.debugOutput) host.debugOutput(util.debuglog('windowcontrol').enabled);

let exitHooked = false;

// Starts the Qt application once (options: { platform }); later calls return the same.
// At process exit (also by process.exit()) the shell ends Qt: the environment cleanup
// of qthost covers a script that simply ends, this hook covers process.exit().
function start(options) {
  const info = host.start(options);
  if (!exitHooked) {
    exitHooked = true;
    process.on('exit', () => host.shutdown());
  }
  return info;
}

module.exports = { host, buildDir, start };
