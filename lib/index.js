'use strict';
// Package entry: the add-on expects a Qt application on the script thread, as a desktop
// shell provides one. Start the host shell when none runs, then load the add-on.
const path = require('path');
const { host, buildDir, start } = require('./host');

start();

const { WindowControl } = require(path.join(buildDir, 'WindowControl.node'));

module.exports = { WindowControl, host, buildDir };
