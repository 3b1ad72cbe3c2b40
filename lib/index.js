'use strict';
// Package entry: the add-on expects a Qt application on the script thread, as a desktop
// shell provides one. Start the shell when none runs, then load the add-on.
const path = require('path');
const { shell, buildDir, start } = require('./shell');

start();

const { WindowControl } = require(path.join(buildDir, 'WindowControl.node'));

module.exports = { WindowControl, shell, buildDir };
