'use strict';
// The shell: the Qt application on the script thread, served from Node's own event loop,
// as the desktop shell that loads the add-on provides it.
const path = require('path');
const util = require('util');

const buildDir = process.env.WC_BUILD_DIR
  ? path.resolve(process.env.WC_BUILD_DIR)
  : path.join(__dirname, '..', 'build');

const shell = require(path.join(buildDir, 'shell.node'));

// Qt's debug lines, the add-on's among them, stay off the terminal unless NODE_DEBUG names
// windowcontrol (read as Node reads it for util.debuglog); shell.debugOutput(on) changes it.
if (shell.debugOutput) shell.debugOutput(util.debuglog('windowcontrol').enabled);

let exitHooked = false;

// Starts the Qt application once (options: { platform }); later calls return the same.
// At process exit (also by process.exit()) the shell ends Qt: the environment cleanup
// of shell.node covers a script that simply ends, this hook covers process.exit().
function start(options) {
  const info = shell.start(options);
  if (!exitHooked) {
    exitHooked = true;
    process.on('exit', () => shell.shutdown());
  }
  return info;
}

module.exports = { shell, buildDir, start };
