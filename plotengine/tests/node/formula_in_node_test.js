// Formulas evaluated over a grid of t, held against the same formulas written with node's Math.
// The formula language's pi and e have eight decimals; its % is a floored remainder and its
// round takes halves up.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { ask, hex } = require('./driver.js');

const PI = 3.14159265;
const E = 2.71828183;
const mod = (a, b) => a - Math.floor(a / b) * b;
const round = (x) => Math.floor(x + 0.5);

const formulas = [
  ['sin(2*pi*t) + 0.5*cos(t/3)^2', (t) => Math.sin(2 * PI * t) + 0.5 * Math.cos(t / 3) ** 2],
  ['t % 0.7 - floor(t) + ceil(t/2) - round(t*3)',
    (t) => mod(t, 0.7) - Math.floor(t) + Math.ceil(t / 2) - round(t * 3)],
  ['log(t*t + 1) + ln(t + 10)', (t) => Math.log10(t * t + 1) + Math.log(t + 10)],
  ['sqrt(t*t) / (1 + t^2)', (t) => Math.sqrt(t * t) / (1 + t ** 2)],
  ['tan(t / 4) * e ^ (t / 10)', (t) => Math.tan(t / 4) * E ** (t / 10)],
  ['-t^3 + 2*t^2 - 5*t + 7', (t) => (-t) ** 3 + 2 * t ** 2 - 5 * t + 7],
  ['1/t', (t) => 1 / t],
  ['ln(t)', (t) => Math.log(t)],
  ['log(t)', (t) => Math.log10(t)],
  ['sqrt(t)', (t) => Math.sqrt(t)],
  ['t ^ 0.5', (t) => t ** 0.5],
  ['(t - 1) * (t + 1) / (t - 2) % 3', (t) => mod((t - 1) * (t + 1) / (t - 2), 3)],
  ['round(t) + floor(-t) + ceil(t)', (t) => round(t) + Math.floor(-t) + Math.ceil(t)],
  ['2^3^2 + t', (t) => (2 ** 3) ** 2 + t],
  ['10 - 2 - t', (t) => 10 - 2 - t],
  ['t / 2 / 3 * pi', (t) => t / 2 / 3 * PI],
  ['-(t)^2 - -t', (t) => (-t) ** 2 - -t],
  ['sin(cos(tan(t))) + floor(t % -1.5)',
    (t) => Math.sin(Math.cos(Math.tan(t))) + Math.floor(mod(t, -1.5))],
  ['(t + 7) % t + 2 ^ t - t * 3 / t', (t) => mod(t + 7, t) + 2 ** t - t * 3 / t],
];

function close(actual, expected) {
  if (Object.is(actual, expected) || actual === expected) return true;
  if (!Number.isFinite(actual) || !Number.isFinite(expected)) return false;
  const difference = Math.abs(actual - expected);
  return difference <= 1e-12 * Math.abs(expected) || difference <= 1e-15;
}

test('formulas agree with Math over a grid of t', () => {
  const t0 = -5;
  const step = 0.03125;  // exact in binary, so the grid holds 0 and the integers
  const count = 321;  // more than one block of the evaluator
  const requests = formulas.map(([formula]) => `${hex(formula)} ${t0} ${step} ${count}`);
  const answers = ask('formula', requests);
  formulas.forEach(([formula, reference], i) => {
    const words = answers[i].split(' ');
    assert.strictEqual(words[0], 'ok', formula);
    const values = words.slice(1).map(Number);
    assert.strictEqual(values.length, count, formula);
    let t = t0;
    for (const value of values) {
      const expected = reference(t);
      assert.ok(close(value, expected), `${formula} at t = ${t}: ${value}, Math gives ${expected}`);
      t += step;
    }
  });
});

test('t advances by repeated addition', () => {
  const [answer] = ask('formula', [`${hex('t')} 0.1 0.1 600`]);
  let t = 0.1;
  for (const value of answer.split(' ').slice(1).map(Number)) {
    assert.strictEqual(value, t);
    t += 0.1;
  }
});
