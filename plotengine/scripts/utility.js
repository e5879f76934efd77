// Small utilities of the plotting library: number checks, time and number texts.
(function ($) {
  'use strict';

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
    // Calls fn after `ms`; returns a cancel function.
    after: function (ms, fn) {
      var timer = window.setTimeout(fn, ms);
      return function () { window.clearTimeout(timer); };
    }
  };
})(jQuery);
