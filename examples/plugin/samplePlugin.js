'use strict';
// Where a build's sample plug-in libraries are, as the "dllPath" texts of StartService.
//
// The add-on takes "dllPath" relative to the application folder, and the application
// under Node is the node binary: its real folder (/proc/self/exe, symbolic links
// resolved), such as /usr/bin. So a page run by Node names the sample by a path that
// climbs from there to the build folder: "../../work/main/build/examples/libsample_plugin.so".
const fs = require('fs');
const path = require('path');

// Builds of the sample, each missing one optional export (none for 'full').
const VARIANTS = {
  full: 'sample_plugin',
  noFreeMsgBuffer: 'sample_plugin_nofree',
  noCleanup: 'sample_plugin_nocleanup',
  noCallBack: 'sample_plugin_nocallback',
  noCreateWnd: 'sample_plugin_nocreate',
};

function libraryFile(buildDir, variant = 'full') {
  const name = VARIANTS[variant];
  if (!name) throw new RangeError(`no sample plug-in build '${variant}'`);
  const file = process.platform === 'win32' ? `lib${name}.dll` : `lib${name}.so`;   // MinGW's names
  return path.join(path.resolve(buildDir), 'examples', file);
}

// The folder the add-on's path rule starts from.
function applicationDir() {
  return path.dirname(fs.realpathSync(process.execPath));
}

// { file, dllPath, built } for one build of the sample.
function samplePlugin(buildDir, variant = 'full') {
  const file = libraryFile(buildDir, variant);
  const dllPath = path.relative(applicationDir(), file).split(path.sep).join('/');
  return { file, dllPath, built: fs.existsSync(file) };
}

module.exports = { samplePlugin, applicationDir, VARIANTS };
