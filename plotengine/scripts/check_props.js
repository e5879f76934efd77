// Checks of plot and plotter properties against tables of [name, kind, default] rows. A value
// of the wrong kind is reported to the native side (BadPlotterProperty) and replaced by the
// default; a missing value takes the default without a report, except a required data
// property, which is reported without a default. Properties no table names are kept as given.
(function ($) {
  'use strict';

  var is_finite = function (v) { return etch.util.is_finite(v); };

  // Kinds: a name, or [name, minimum] for the bounded numbers.
  var kinds = {
    colour: {text: 'colour', test: function (v) { return etch.is_colour(v); }},
    string: {text: 'string', test: function (v) { return typeof v === 'string'; }},
    number: {text: 'number', test: is_finite},
    optional_number: {text: 'number', test: function (v) { return v === null || is_finite(v); }},
    scale_end: {text: 'number', test: function (v) { return v === null || typeof v === 'number'; }},
    boolean: {text: 'boolean', test: function (v) { return typeof v === 'boolean'; }},
    interval: {text: 'interval', test: function (v) { return v instanceof etch.IntervalProvider; }},
    array: {text: 'array', test: function (v) { return $.isArray(v) || v instanceof etch.ArrayProvider; }},
    generator: {text: 'generator', test: function (v) { return v instanceof etch.GeneratorProvider; }},
    // A {min, max} pair of numbers (a box's extent); required, as a box cannot draw without.
    range: {
      text: 'range',
      required: true,
      test: function (v) { return v !== null && typeof v === 'object' && is_finite(v.min) && is_finite(v.max); }
    },
    data: {
      text: 'interval, array, or generator',
      required: true,
      test: function (v) { return v instanceof etch.DataProvider; }
    },
    number_above: {
      text: 'number greater than ',
      test: function (v, min) { return is_finite(v) && v > min; }
    },
    integer_above: {
      text: 'integer greater than ',
      test: function (v, min) { return is_finite(v) && Math.floor(v) === v && v > min; }
    }
  };

  // The default as markup writes it: #rrggbbaa, true, 1, 'x', [1:1:end].
  function markupText(value) {
    if (value instanceof etch.Colour) return value.markup();
    if (value instanceof etch.IntervalProvider) return value.markup();
    if (typeof value === 'string') return "'" + value + "'";
    if (value === null || value === undefined) return '';
    return String(value);
  }

  function report(plot, plotterName, property, kindText, defaultValue, hasDefault) {
    var proxy = window.etch_proxy;
    if (!proxy || !proxy.BadPlotterProperty) return;
    try {
      if (hasDefault) {
        proxy.BadPlotterProperty(plot.id, plotterName, property, kindText, markupText(defaultValue));
      } else {
        proxy.BadPlotterProperty(plot.id, plotterName, property, kindText);
      }
    } catch (e) {
      // A report that cannot be delivered changes nothing of the plot.
    }
  }

  // The checked values of `props`; `table` rows are [name, kind or [kind, minimum], default],
  // a default function being called with the values checked so far.
  etch.check_properties = function (plot, plotterName, props, table) {
    var values = $.extend({}, props);
    for (var i = 0; i < table.length; ++i) {
      var row = table[i];
      var name = row[0];
      var kindName = $.isArray(row[1]) ? row[1][0] : row[1];
      var minimum = $.isArray(row[1]) ? row[1][1] : undefined;
      var kind = kinds[kindName];
      var fallback = $.isFunction(row[2]) ? row[2](values) : row[2];
      var given = props[name];
      if (given === undefined) {
        values[name] = kind.required ? null : fallback;
        if (kind.required) report(plot, plotterName, name, kind.text, null, false);
        continue;
      }
      if (kind.test(given, minimum)) continue;
      var kindText = minimum === undefined ? kind.text : kind.text + minimum;
      values[name] = kind.required ? null : fallback;
      report(plot, plotterName, name, kindText, fallback, !kind.required);
    }
    return values;
  };
})(jQuery);
