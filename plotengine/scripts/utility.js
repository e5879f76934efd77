// Small utilities of the plotting library: number checks, time and number texts, escaping.
(function ($) {
  'use strict';

  var markupEntities = {'&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;', "'": '&#39;'};

  etch.util = {
    is_finite: function (value) {
      return typeof value === 'number' && isFinite(value);
    },
    now: function () {
      return new Date().getTime();
    },
    // `value` with at most `digits` significant digits, without trailing zeros.
    number_text: function (value, digits) {
      if (value === 0) return '0';
      return Number(value.toPrecision(digits)).toString();
    },
    // Text made safe for XML and HTML content and attribute values; characters XML cannot hold
    // at all (controls other than tab and line ends, lone surrogates, U+FFFE, U+FFFF) are
    // dropped.
    escape_markup: function (text) {
      return String(text)
        .replace(/[\u0000-\u0008\u000b\u000c\u000e-\u001f\ufffe\uffff]/g, '')
        .replace(/[\ud800-\udbff](?![\udc00-\udfff])|(^|[^\ud800-\udbff])[\udc00-\udfff]/g, '$1')
        .replace(/[&<>"']/g, function (c) { return markupEntities[c]; });
    },
    // Calls fn after `ms`; returns a cancel function.
    after: function (ms, fn) {
      var timer = window.setTimeout(fn, ms);
      return function () { window.clearTimeout(timer); };
    }
  };
})(jQuery);
