'use strict';
// The package by its name: npm pack, then npm install of the file in a new project, whose
// install hook builds the add-on (through ccache when there is one), then
// require('windowcontrol') and the declarations from there. Nothing in the package or its
// build names the source tree. The hook's errors when a tool is missing.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const root = path.join(__dirname, '..', '..');
const tsc = path.join(root, 'node_modules', 'typescript', 'bin', 'tsc');

// A new project knows nothing of this tree's build folder (npm test names it).
const appEnv = { ...process.env };
delete appEnv.WC_BUILD_DIR;

function run(command, args, cwd, env = appEnv) {
  const result = spawnSync(command, args, { cwd, env, encoding: 'utf8' });
  assert.equal(result.status, 0, `${command} ${args.join(' ')}:\n${result.stdout}\n${result.stderr}`);
  return result.stdout;
}

// Every file under dir whose bytes hold text.
function filesHolding(dir, text) {
  const found = [];
  for (const entry of fs.readdirSync(dir, { withFileTypes: true, recursive: true })) {
    const file = path.join(entry.parentPath || entry.path, entry.name);
    if (entry.isFile() && fs.readFileSync(file).includes(text)) found.push(path.relative(dir, file));
  }
  return found;
}

test('a new project installs the packed package and requires it by name', { timeout: 3600000 }, (t) => {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'wc-package-'));
  try {
    const tarball = path.join(work, run('npm', ['pack', '--silent', '--pack-destination', work], root).trim().split('\n').pop());
    const unpacked = path.join(work, 'unpacked');
    fs.mkdirSync(unpacked);
    run('tar', ['-xzf', tarball, '-C', unpacked], work);
    assert.deepEqual(filesHolding(unpacked, root), []);
    assert.deepEqual(['build', 'tests', 'node_modules', '.git'].filter((d) => fs.existsSync(path.join(unpacked, 'package', d))), []);

    const app = path.join(work, 'app');
    fs.mkdirSync(app);
    fs.writeFileSync(path.join(app, 'package.json'), '{ "name": "app", "version": "1.0.0", "private": true }\n');
    const started = Date.now();
    run('npm', ['install', '--no-audit', '--no-fund', `../${path.basename(tarball)}`], app);
    t.diagnostic(`npm install with the build: ${((Date.now() - started) / 1000).toFixed(1)} s`);

    const installed = path.join(app, 'node_modules', 'windowcontrol');
    const out = run(process.execPath, ['-e', `
      const { WindowControl, ErrorCode, buildDir } = require('windowcontrol');
      const reply = JSON.parse(new WindowControl().StopPlay('{"sequence":"1","uuid":"nowhere"}'));
      console.log(JSON.stringify({ reply, buildDir, code: ErrorCode.NoBrowserWindow }));`], app);
    assert.deepEqual(JSON.parse(out), { reply: { errorCode: 0, errorModule: 0, sequence: '1', uuid: 'nowhere' },
      buildDir: path.join(fs.realpathSync(installed), 'build'), code: 5001 });
    assert.deepEqual(filesHolding(path.join(installed, 'build'), root), []);

    // The declarations through the package's "types".
    if (fs.existsSync(tsc)) {
      fs.copyFileSync(path.join(__dirname, 'types', 'page.ts'), path.join(app, 'page.ts'));
      fs.writeFileSync(path.join(app, 'tsconfig.json'), JSON.stringify({ files: ['page.ts'], compilerOptions:
        { strict: true, noEmit: true, target: 'es2022', module: 'nodenext', moduleResolution: 'nodenext', types: [] } }));
      run(process.execPath, [tsc, '-p', app], app);
    }

    // The hook's errors, before anything is built.
    const bin = path.join(work, 'bin');
    fs.mkdirSync(bin);
    fs.symlinkSync(process.execPath, path.join(bin, 'node'));
    for (const [env, message] of [
      [{ PATH: bin }, /CMake is needed/],
      [{ CXX: path.join(work, 'no-compiler') }, /a C\+\+17 compiler is needed/],
      [{ PKG_CONFIG_LIBDIR: path.join(work, 'no-pkgconfig') }, /Qt 5\.15 .* is needed/],
    ]) {
      const hook = spawnSync(process.execPath, [path.join(installed, 'scripts', 'install.js')],
        { env: { ...appEnv, ...env }, encoding: 'utf8' });
      assert.equal(hook.status, 1, JSON.stringify(env));
      assert.match(hook.stderr, message);
    }
  } finally {
    fs.rmSync(work, { recursive: true, force: true });
  }
});
