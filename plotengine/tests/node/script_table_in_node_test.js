// The embedded scripts as the browser receives them: jQuery is the pinned build, the plot page's
// script set is valid script, and the page holds it in one script element that nothing in it
// can end early.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const crypto = require('node:crypto');
const vm = require('node:vm');
const { ask, hex, bytes } = require('./driver.js');

const pinnedJQuerySha256 = process.argv[3];

test('the embedded jQuery is the pinned build', () => {
  const [answer] = ask('script', [hex('jquery.js')]);
  const served = bytes(answer);
  assert.deepStrictEqual(served.subarray(-2), Buffer.from('\r\n'));
  const digest = crypto.createHash('sha256').update(served.subarray(0, -2)).digest('hex');
  assert.strictEqual(digest, pinnedJQuerySha256);
  assert.match(served.toString('latin1'), /^\/\*!\n \* jQuery JavaScript Library v1\.6\.2\n/);
});

test('every script set is valid script', () => {
  const names = ['etch_local.js', 'etch.js', 'etch_no_jquery.js', 'etch_not_local.js'];
  const answers = ask('script', names.map(hex));
  names.forEach((name, i) => {
    const set = bytes(answers[i]);
    assert.ok(set && set.length > 0, name);
    assert.doesNotThrow(() => new vm.Script(set.toString('latin1'), { filename: name }), name);
  });
});

test('the plot page inlines the local set in one script element', () => {
  const [pageAnswer] = ask('page', ['']);
  const [setAnswer] = ask('script', [hex('etch_local.js')]);
  const page = bytes(pageAnswer).toString('latin1');
  const set = bytes(setAnswer).toString('latin1');
  const open = "<!doctype html><html> <head>  <script type='text/javascript'>";
  assert.ok(page.startsWith(open + set + '  </script>'));
  assert.strictEqual(page.toLowerCase().split('</script').length, 2);
  assert.ok(!page.includes('<!--'));
  assert.ok(page.endsWith('<div id="local">  </div> </body></html>'));
});
