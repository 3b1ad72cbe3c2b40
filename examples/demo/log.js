'use strict';
// The demo's log: one header a step, one line a request, reply, notification or
// observation, long JSON cut to the width of a terminal.

const WIDTH = 118;
let stepNumber = 0;
const surprises = [];

function cut(text, width = WIDTH) {
  return text.length <= width ? text : `${text.slice(0, width - 1)}…`;
}

function line(text) {
  console.log(cut(text));
}

function step(title) {
  stepNumber += 1;
  console.log(`\n[${stepNumber}] ${title}`);
  return stepNumber;
}

const request = (method, text) => line(`  → ${method} ${text}`);
const reply = (text) => line(`    ← ${text}`);
const notification = (text) => line(`  ⇠ ${text}`);
const info = (text) => line(`    ${text}`);

// An observation with what it should be; a mismatch is listed again at the end.
function check(ok, text, expected) {
  if (ok) {
    line(`    ✓ ${text}`);
  } else {
    line(`    ✗ ${text} (expected ${expected})`);
    surprises.push(`step ${stepNumber}: ${text} (expected ${expected})`);
  }
  return ok;
}

function note(text) {
  line(`    · ${text}`);
}

module.exports = { line, step, request, reply, notification, info, check, note, cut, surprises };
