'use strict';
// Package entry: the add-on expects a Qt application on the script thread. A desktop shell
// that embeds the add-on runs its own, with its own loop: both are left alone. Otherwise
// the shell starts one, served from Node's loop. Then the add-on is loaded.
const path = require('path');
const { shell, buildDir, start } = require('./shell');

if (shell.qtApplication() !== 'other') start();

const { WindowControl } = require(path.join(buildDir, 'WindowControl.node'));
const { ErrorModule, ErrorCode, request, parseNotification, onNotification } = require('./requests');

module.exports = { WindowControl, shell, buildDir, ErrorModule, ErrorCode, request, parseNotification, onNotification };
