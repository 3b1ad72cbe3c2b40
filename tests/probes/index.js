'use strict';
// The test-only add-on probes.node from the build folder (see ProbesModule.cpp); it
// needs the shell's Qt application, or one of someone else's, to do anything.
const path = require('path');
const { buildDir } = require('../../lib/shell');

module.exports = require(path.join(buildDir, 'probes.node'));
