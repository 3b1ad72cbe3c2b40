#!/usr/bin/env node
'use strict';
// npm's install hook: builds the add-ons of an installed package with CMake into its own
// build/ folder, where lib/shell.js finds them. Release, without the tests; through ccache
// when it is on the PATH. In the source tree (a git checkout) it builds nothing: there
// scripts/build does, with the tests (npm start and npm test run it first).
//   WC_SKIP_BUILD=1     build nothing
//   WC_FORCE_BUILD=1    build in the source tree too
//   WC_BUILD_JOBS=n     parallel jobs (default: the number of processors)
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const root = path.join(__dirname, '..');
const buildDir = path.join(root, 'build');
const say = (text) => console.log(`windowcontrol: ${text}`);

function fail(text) {
  console.error(`windowcontrol: ${text}`);
  process.exit(1);
}

function onPath(name) {
  if (name.includes('/')) return fs.existsSync(name) ? name : null;
  for (const dir of (process.env.PATH || '').split(path.delimiter)) {
    const file = path.join(dir || '.', name);
    try {
      fs.accessSync(file, fs.constants.X_OK);
      return file;
    } catch {
      // not in this folder
    }
  }
  return null;
}

const run = (command, args, options = {}) =>
  spawnSync(command, args, { cwd: root, encoding: 'utf8', ...options });

function checkTools() {
  if (!onPath('cmake')) fail('CMake is needed to build the add-on and was not found on the PATH (Debian: apt-get install cmake)');
  const compilers = process.env.CXX ? [process.env.CXX.split(' ')[0]] : ['c++', 'g++', 'clang++'];
  if (!compilers.some(onPath)) {
    fail(`a C++17 compiler is needed to build the add-on and none was found (${compilers.join(', ')}; `
      + 'Debian: apt-get install g++)');
  }
  // Qt through pkg-config when there is one; otherwise CMake's own search tells.
  if (onPath('pkg-config') && run('pkg-config', ['--exists', 'Qt5Widgets >= 5.15', 'Qt5Xml']).status !== 0) {
    fail('Qt 5.15 (Core, Gui, Widgets, Xml, with the private headers) is needed and was not found '
      + '(Debian: apt-get install qtbase5-dev qtbase5-private-dev)');
  }
}

function configureArgs() {
  const args = ['-S', root, '-B', buildDir, '-DCMAKE_BUILD_TYPE=Release', '-DWC_BUILD_TESTS=OFF'];
  if (onPath('ccache')) args.push('-DCMAKE_CXX_COMPILER_LAUNCHER=ccache', '-DCMAKE_C_COMPILER_LAUNCHER=ccache');
  return args;
}

function main() {
  if (process.env.WC_SKIP_BUILD === '1') return say('WC_SKIP_BUILD=1: nothing built');
  if (fs.existsSync(path.join(root, '.git')) && process.env.WC_FORCE_BUILD !== '1') {
    return say('source tree: nothing built here (scripts/build builds, npm start and npm test run it)');
  }
  checkTools();
  // ccache shares its results between copies of the package in different folders.
  const env = { ...process.env, CCACHE_BASEDIR: process.env.CCACHE_BASEDIR || root };
  say(`building the add-on into ${path.relative(process.cwd(), buildDir) || '.'}`);
  const configure = run('cmake', configureArgs(), { env });
  if (configure.status !== 0) {
    const out = `${configure.stdout}\n${configure.stderr}`;
    process.stderr.write(out);
    if (/Qt5/.test(out)) fail('CMake did not find Qt 5.15 (Debian: apt-get install qtbase5-dev qtbase5-private-dev)');
    if (/CMAKE_CXX_COMPILER/.test(out)) fail('CMake found no C++ compiler (Debian: apt-get install g++)');
    fail('configuring the build failed (the lines above say why)');
  }
  const jobs = Number(process.env.WC_BUILD_JOBS) || os.availableParallelism();
  const build = run('cmake', ['--build', buildDir, '-j', String(jobs)], { env, stdio: 'inherit' });
  if (build.status !== 0) fail('building the add-on failed (the lines above say why)');
  say('built');
}

main();
