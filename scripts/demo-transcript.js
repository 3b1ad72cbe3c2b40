#!/usr/bin/env node
'use strict';
// Compares two transcripts of the demo (examples/demo/demo.js), the Linux one and the one
// of node.exe under Wine: requests, replies, notifications and checks line by line, with
// what legitimately varies masked (window handles, timestamps, paths, picture sizes).
// Lines that differ must be listed in tests/windows-differences.txt as
//   demo <regular expression> | <reason>
// matching the masked line on either side.
// Usage: node scripts/demo-transcript.js <linux log> <windows log> [differences file]
// Exit status: 0 when every difference is listed, 1 otherwise.
const fs = require('fs');

const [linuxLog, windowsLog, differencesFile] = process.argv.slice(2);
if (!linuxLog || !windowsLog) {
  console.error('usage: demo-transcript.js <linux log> <windows log> [differences file]');
  process.exit(2);
}

function mask(line) {
  return line
    .replace(/\r$/, '')
    .replace(/(?<![0-9])0x[0-9a-f]+/gi, '<hwnd>')
    .replace(/sent by themselves so far: \d+/, 'sent by themselves so far: <n>')   // every 200 ms
    .replace(/"\d{13}"/g, '"<time>"')
    .replace(/\b\d+(\.\d+)? kB\b/g, '<n> kB')
    .replace(/(JPEG \d+x\d+).*$/, '$1…')   // the line is cut where the size's digits end it
    .replace(/(Output:|Done: \d+ files in|add-on) \S.*$/, '$1 <path>')
    .replace(/[A-Z]:\\\S*|\/\S*\/(build|out)\S*/g, '<path>');
}
const read = (file) => fs.readFileSync(file, 'utf8').split('\n').map(mask).filter((l) => l.trim() !== '');

function listed(file) {
  if (!file || !fs.existsSync(file)) return [];
  return fs.readFileSync(file, 'utf8').split('\n')
    .map((l) => l.replace(/^\s*#.*/, '').trim())
    .filter((l) => l.startsWith('demo '))
    .map((l) => {
      const bar = l.lastIndexOf(' | ');
      return { re: new RegExp(l.slice(5, bar < 0 ? undefined : bar).trim()), reason: bar < 0 ? '' : l.slice(bar + 3) };
    });
}

// The longest common subsequence of lines; what is left over on either side differs.
function diff(a, b) {
  const n = a.length, m = b.length;
  const lcs = Array.from({ length: n + 1 }, () => new Uint16Array(m + 1));
  for (let i = n - 1; i >= 0; --i)
    for (let j = m - 1; j >= 0; --j)
      lcs[i][j] = a[i] === b[j] ? lcs[i + 1][j + 1] + 1 : Math.max(lcs[i + 1][j], lcs[i][j + 1]);
  const out = [];
  let i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] === b[j]) { ++i; ++j; }
    else if (j >= m || (i < n && lcs[i + 1][j] >= lcs[i][j + 1])) out.push(['linux', a[i++]]);
    else out.push(['windows', b[j++]]);
  }
  return { same: lcs[0][0], out };
}

const a = read(linuxLog), b = read(windowsLog);
const entries = listed(differencesFile);
const { same, out } = diff(a, b);
let unlisted = 0;
const reasons = new Map();
for (const [side, line] of out) {
  const entry = entries.find((e) => e.re.test(line));
  if (entry) {
    reasons.set(entry.reason, (reasons.get(entry.reason) || 0) + 1);
    continue;
  }
  ++unlisted;
  console.log(`demo: only on ${side.padEnd(7)} ${line}`);
}
for (const [reason, count] of reasons) console.log(`demo: ${count} line(s) listed: ${reason}`);
console.log(`demo transcripts: ${same} lines the same, ${out.length - unlisted} differing lines listed, ${unlisted} not listed`);
process.exit(unlisted ? 1 : 0);
