'use strict';
// The package's TypeScript declarations (types/index.d.ts), compiled with tsc --noEmit: a
// page that uses every method and every notification, a file of typical mistakes that
// must each fail with their own error, and a file written here from the add-on's request
// table, the error constants and the example requests, so the declarations cannot drift.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const root = path.join(__dirname, '..', '..');
const typesDir = path.join(__dirname, 'types');
const tsc = path.join(root, 'node_modules', 'typescript', 'bin', 'tsc');
const skip = !fs.existsSync(tsc) && 'TypeScript is not installed (npm ci)';

// tsc over the given files with the settings of types/tsconfig.json: its errors.
function compile(files) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'wc-types-'));
  try {
    fs.writeFileSync(path.join(dir, 'tsconfig.json'),
      JSON.stringify({ extends: path.join(typesDir, 'tsconfig.json'), files }));
    const run = spawnSync(process.execPath, [tsc, '-p', dir, '--pretty', 'false'], { encoding: 'utf8' });
    const errors = [...run.stdout.matchAll(/^(.+?)\((\d+),\d+\): error (TS\d+): (.*)$/gm)]
      .map(([, file, line, code, text]) => ({ file: path.basename(file), line: Number(line), code, text }));
    if (run.status !== 0 && !errors.length) throw new Error(`tsc failed: ${run.stdout}${run.stderr}`);
    return errors;
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

test('a page using every method and every notification compiles', { skip }, () => {
  const { METHODS } = require('./fixtures/requests');
  const page = fs.readFileSync(path.join(typesDir, 'page.ts'), 'utf8');
  assert.deepEqual(METHODS.filter((m) => !page.includes(`'${m}'`) && !page.includes(`.${m}(`)), []);
  assert.deepEqual(compile([path.join(typesDir, 'page.ts')]), []);
});

test('each typical mistake fails to compile with its own error', { skip }, () => {
  const file = path.join(typesDir, 'mistakes.ts');
  const expected = fs.readFileSync(file, 'utf8').split('\n')
    .map((text, i) => ({ line: i + 1, code: (/\/\/ (TS\d+) /.exec(text) || [])[1] }))
    .filter((e) => e.code);
  assert.ok(expected.length >= 15);
  assert.deepEqual(compile([file]).map(({ line, code }) => ({ line, code })), expected);
});

// The request table as type assertions, and every example request assigned to its type.
function tableCheck() {
  const { TABLE, FIELDS } = require('./fixtures/requests');
  const playground = require('../../playground/examples').FIELDS;
  const { ErrorModule, ErrorCode } = require('../../lib/requests');
  const union = (names) => names.map((n) => `'${n}'`).join(' | ') || 'never';
  const object = (o) => `{ ${Object.entries(o).map(([k, v]) => `readonly ${k}: ${v}`).join('; ')} }`;
  const replies = TABLE.filter((m) => m.kind === 'reply');
  const lines = [
    "import { WindowControl, ErrorModule, ErrorCode, type RequestFields, type RequestModules, type ReplyExtras,",
    '  type Request } from \'windowcontrol\';',
    'type Equal<A, B> = (<T>() => T extends A ? 1 : 2) extends (<T>() => T extends B ? 1 : 2) ? true : false;',
    'declare function same<T extends true>(): void;',
    `same<Equal<keyof WindowControl, ${union(TABLE.map((m) => m.name))}>>();`,
    `same<Equal<keyof RequestFields, ${union(replies.map((m) => m.name))}>>();`,
    `same<Equal<RequestModules, { ${replies.map((m) => `${m.name}: ${m.module}`).join('; ')} }>>();`,
    `same<Equal<keyof ReplyExtras, ${union(replies.filter((m) => m.extraKey).map((m) => m.name))}>>();`,
    ...replies.filter((m) => m.extraKey).map((m) => `same<Equal<keyof ReplyExtras['${m.name}'], '${m.extraKey}'>>();`),
    ...TABLE.map((m) => `same<Equal<ReturnType<WindowControl['${m.name}']>, ${m.kind === 'reply' ? 'string' : 'void'}>>();`),
    `same<Equal<typeof ErrorModule, ${object(ErrorModule)}>>();`,
    `same<Equal<typeof ErrorCode, ${object(ErrorCode)}>>();`,
    `same<Equal<Exclude<${[...new Set(TABLE.map((m) => m.module))].join(' | ')}, ErrorModule>, never>>();`,
  ];
  // The examples' fields must have the declared types; keys the declarations do not name
  // are allowed (an example may carry one the add-on ignores).
  for (const [source, fields] of [['fixture', FIELDS], ['playground', playground]]) {
    for (const [name, value] of Object.entries(fields)) {
      lines.push(`export const ${source}${name}: Request<'${name}'> & Record<string, unknown> = `
        + `${JSON.stringify({ sequence: '1', uuid: 'w1', ...value })};`);
    }
  }
  return lines.join('\n');
}

test('the declarations agree with the request table, the error constants and the examples', { skip }, () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'wc-table-'));
  try {
    const file = path.join(dir, 'table.ts');
    fs.writeFileSync(file, tableCheck());
    assert.deepEqual(compile([file]), []);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
