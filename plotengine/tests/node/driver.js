// Runs the plot engine's node driver over a list of requests and returns its answers.
'use strict';
const { spawnSync } = require('node:child_process');

const driverPath = process.argv[2];

function hex(text) {
  return Buffer.from(text, 'utf8').toString('hex');
}

// `requests` are lines for the driver in `mode`; returns one answer line per request.
function ask(mode, requests) {
  const run = spawnSync(driverPath, [mode], {
    input: requests.join('\n') + '\n',
    maxBuffer: 256 * 1024 * 1024,
    encoding: 'latin1',
  });
  if (run.status !== 0) throw new Error(`driver ${mode} failed: ${run.stderr}`);
  const answers = run.stdout.split('\n');
  answers.pop();
  if (answers.length !== requests.length) throw new Error(`driver ${mode}: answers lost`);
  return answers;
}

// The text of an "ok <hex>" answer as UTF-8, or null for "fail".
function text(answer) {
  return answer.startsWith('ok ') ? Buffer.from(answer.slice(3), 'hex').toString('utf8') : null;
}

function bytes(answer) {
  return answer.startsWith('ok ') ? Buffer.from(answer.slice(3), 'hex') : null;
}

module.exports = { ask, hex, text, bytes };
