// Compiled markup run by a real JavaScript engine: each text is compiled, wrapped in the plot's
// setup call as the plot window wraps it, and evaluated; the description that setup receives
// must hold exactly the markup's values.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const { ask, hex, text } = require('./driver.js');

// Runs one compiled description through etch.get_plot(id).setup(...) and returns what setup
// received, with colours as ['#colour', r, g, b, a].
function evaluate(script) {
  const context = { received: undefined };
  vm.createContext(context);
  vm.runInContext(
    `var etch = {
       kClosedInterval: 0, kOpenInterval: 1,
       Colour: function (r, g, b, a) { this.rgba = [r, g, b, a]; },
       get_plot: function (id) { return { setup: function (d) { received = d; } }; }
     };`,
    context);
  vm.runInContext(`etch.get_plot('plot').setup(${script});`, context);
  return plain(context.received, context.etch.Colour);
}

function plain(value, Colour) {
  if (value instanceof Colour) return ['#colour', ...value.rgba];
  // Built afresh in this context: assert compares prototypes too.
  if (Array.isArray(value)) return Array.from(value, (v) => plain(v, Colour));
  if (value !== null && typeof value === 'object') {
    const copy = {};
    for (const key of Object.keys(value)) copy[key] = plain(value[key], Colour);
    return copy;
  }
  return value;
}

const colour = (r, g, b, a) => ['#colour', r, g, b, a];
const interval = (begin, step, end, type) => ['interval', begin, step, end, type];
const one = (name, markup) => [{ property_name: name, markup }];

const cases = [
  ['a: 7', one('a', 7)],
  ['a: -0, b: 2147483647, c: 0.1234567, d: 1e-7, e: 1.7976931348623157e308',
    [{ property_name: 'a', markup: -0 }, { property_name: 'b', markup: 2147483647 },
      { property_name: 'c', markup: 0.1234567 }, { property_name: 'd', markup: 1e-7 },
      { property_name: 'e', markup: 1.7976931348623157e308 }]],
  ['a: [inf, -infinity, nan]', one('a', [Infinity, -Infinity, NaN])],
  ['a: true, b: false, c: null',
    [{ property_name: 'a', markup: true }, { property_name: 'b', markup: false },
      { property_name: 'c', markup: null }]],
  ['a: {}, b: []', [{ property_name: 'a', markup: {} }, { property_name: 'b', markup: [] }]],
  ['a: {b: {c: [1, [2, {d: [3]}]], e: {}}, f: [[], {}]}',
    one('a', { b: { c: [1, [2, { d: [3] }]], e: {} }, f: [[], {}] })],
  ['a: #ff000080, b: #FFAA0a00, c: [#00000000, #FfFfFfFf]',
    [{ property_name: 'a', markup: colour(255, 0, 0, 128) },
      { property_name: 'b', markup: colour(255, 170, 10, 0) },
      { property_name: 'c', markup: [colour(0, 0, 0, 0), colour(255, 255, 255, 255)] }]],
  ['a: [0:1:end), b: [begin:0.5:10], c: [-1e-3:0.25:2147483647)',
    [{ property_name: 'a', markup: interval(0, 1, null, 1) },
      { property_name: 'b', markup: interval(null, 0.5, 10, 0) },
      { property_name: 'c', markup: interval(-0.001, 0.25, 2147483647, 1) }]],
  ['a: \'series\' [0:1:end), b: "labels" #000000ff',
    [{ property_name: 'a', markup: ['generator', 'series', interval(0, 1, null, 1)] },
      { property_name: 'b', markup: ['text_generator', 'labels', colour(0, 0, 0, 255)] }]],
  // Names with a blank, a hyphen, a quote; a backslash pair adds nothing to a name.
  ['\'my name\': 1, b-c: 2, "it\'s": 3, \'a\\\\b\': 4, x: {\'my name\': 5, "q\'": 6, d-e: 7}',
    [{ property_name: 'my name', markup: 1 }, { property_name: 'b-c', markup: 2 },
      { property_name: "it's", markup: 3 }, { property_name: 'ab', markup: 4 },
      { property_name: 'x', markup: { 'my name': 5, "q'": 6, 'd-e': 7 } }]],
  // Ids with quotes.
  ['a: "it\'s" [0:1:end], b: "\'" #00000000',
    [{ property_name: 'a', markup: ['generator', "it's", interval(0, 1, null, 0)] },
      { property_name: 'b', markup: ['text_generator', "'", colour(0, 0, 0, 0)] }]],
  // Strings with CR, LF, quotes, U+2028, U+2029 and non-ASCII text.
  ['a: \'one\r\ntwo\rthree\nfour\', b: "it\'s \\"q\\"", c: \'\u2028|\u2029\', ' +
      'd: \'café ü 日本 \u{1F600}\', e: \'\'',
    [{ property_name: 'a', markup: 'one\r\ntwo\rthree\nfour' },
      { property_name: 'b', markup: "it's q" },
      { property_name: 'c', markup: '\u2028|\u2029' },
      { property_name: 'd', markup: 'café ü 日本 \u{1F600}' },
      { property_name: 'e', markup: '' }]],
  ['\'日本\': \'\u2028\', \'\u2029\': [\'\r\', "\n"]',
    [{ property_name: '日本', markup: '\u2028' },
      { property_name: '\u2029', markup: ['\r', '\n'] }]],
];

test('compiled markup evaluates to the markup\'s values', () => {
  const answers = ask('markup', cases.map(([markup]) => hex(markup)));
  cases.forEach(([markup, expected], i) => {
    const script = text(answers[i]);
    assert.notStrictEqual(script, null, `did not compile: ${markup}`);
    assert.deepStrictEqual(evaluate(script), expected, `markup: ${markup}\nscript: ${script}`);
  });
});

test('every plot option text compiles and evaluates', () => {
  const fixtures = path.join(__dirname, '..', 'fixtures');
  const names = fs.readdirSync(fixtures).filter((name) => name.endsWith('.txt')).sort();
  assert.ok(names.length >= 6);
  const answers = ask('markup', names.map((name) => fs.readFileSync(path.join(fixtures, name))
    .toString('hex')));
  names.forEach((name, i) => {
    const script = text(answers[i]);
    assert.notStrictEqual(script, null, `${name} did not compile`);
    const description = evaluate(script);
    const properties = description.map((d) => d.property_name);
    assert.deepStrictEqual(properties.slice(0, 2), ['topmargin', 'rightmargin'], name);
    assert.deepStrictEqual(properties.slice(-4), ['fullrange_yscalemin', 'fullrange_yscalemax',
      'fullrange_xscalemin', 'fullrange_xscalemax'], name);
    const plotter = description[2].markup;
    assert.strictEqual(typeof plotter.id, 'string', name);
    const data = plotter.ydata || plotter.heights;
    assert.strictEqual(data[0], 'generator', name);
  });
});

test('a plot with its stored ranges and regions written in still sets up', () => {
  const markup = "scatter: {id: 'p', ydata: 'y' [0:1:end]}, legend: {id: 'L1', font: {size: 3}}, " +
    "text_region: {id: 'T1', text: 'old'} // the plot's own note";
  const [answer] = ask('settings', [
    [hex(markup), '2', '12345678.9', '-0.5', '1e-300', hex('T1'), '33.3', '66.6',
      hex('it\'s "new" \\ text')].join(' ')]);
  const script = text(answer);
  assert.notStrictEqual(script, null, 'did not compile');
  const description = evaluate(script);
  const byName = Object.fromEntries(description.map((d) => [d.property_name, d.markup]));
  assert.strictEqual(byName.yscalemin, 2);
  assert.strictEqual(byName.yscalemax, 12345678.9);
  assert.strictEqual(byName.xscalemin, -0.5);
  assert.strictEqual(byName.xscalemax, 1e-300);
  assert.strictEqual(byName.do_initial_autoscale_y, false);
  assert.deepStrictEqual(byName.legend, { id: 'L1', font: { size: 3 } });
  // The last text declared wins: the stored one. The markup cannot hold both kinds of quote
  // nor a backslash; what it can hold is kept.
  assert.deepStrictEqual(byName.text_region,
    { id: 'T1', text: 'its "new"  text', x_percent: 33.3, y_percent: 66.6 });
});
