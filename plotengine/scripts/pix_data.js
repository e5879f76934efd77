// Data providers: where a plotter's values come from. An interval computes its values; a
// generator fetches them from the native side (RequestPixData) in bounded chunks and keeps
// what it holds, so that a data change refetches only from the first changed index; an array
// holds values given in the markup.
(function ($) {
  'use strict';

  // The most values one request asks for.
  var kChunk = 65536;
  // An open-ended generator stops at the first short answer; this many values at most, so that
  // a formula over an endless domain still ends.
  var kMaxOpenEnded = 32 * kChunk;

  function DataProvider() {
    this.values = [];
  }
  DataProvider.prototype.count = function () { return this.values.length; };
  DataProvider.prototype.value = function (i) { return this.values[i]; };
  // Refetches from index `first`; false when the native side refused.
  DataProvider.prototype.fetch = function (first) { return true; };
  etch.DataProvider = DataProvider;

  // begin, begin + step, ... up to end; an end of null or etch.kSeriesEnd has no end.
  function IntervalProvider(begin, step, end, type) {
    DataProvider.call(this);
    this.begin = etch.util.is_finite(begin) ? begin : 0;
    this.step = etch.util.is_finite(step) && step !== 0 ? step : 1;
    this.end = end === null || end === etch.kSeriesEnd || !etch.util.is_finite(end) ? null : end;
    this.open = type === etch.kOpenInterval;
  }
  etch.inherit(IntervalProvider, DataProvider);
  IntervalProvider.prototype.count = function () {
    if (this.end === null) return Infinity;
    var steps = (this.end - this.begin) / this.step;
    if (steps < 0) return 0;
    return this.open ? Math.ceil(steps - 1e-9) : Math.floor(steps + 1e-9) + 1;
  };
  IntervalProvider.prototype.value = function (i) { return this.begin + i * this.step; };
  IntervalProvider.prototype.markup = function () {
    return '[' + this.begin + ':' + this.step + ':' + (this.end === null ? 'end' : this.end) + ']';
  };
  etch.IntervalProvider = IntervalProvider;

  function ArrayProvider(values) {
    DataProvider.call(this);
    for (var i = 0; i < values.length; ++i) this.values.push(Number(values[i]));
  }
  etch.inherit(ArrayProvider, DataProvider);
  etch.ArrayProvider = ArrayProvider;

  // Values of a data series or a formula in t, over `domain` (an IntervalProvider).
  function GeneratorProvider(expression, domain) {
    DataProvider.call(this);
    this.expression = String(expression);
    this.domain = domain instanceof IntervalProvider ? domain : new IntervalProvider(0, 1, null);
    this.failed = false;
  }
  etch.inherit(GeneratorProvider, DataProvider);
  GeneratorProvider.prototype.fetch = function (first) {
    first = etch.util.is_finite(first) ? Math.max(0, Math.min(Math.floor(first), this.values.length)) : 0;
    this.values.length = first;
    var wanted = Math.min(this.domain.count(), kMaxOpenEnded);
    var proxy = window.etch_proxy;
    this.failed = false;
    while (this.values.length < wanted) {
      var ask = Math.min(kChunk, wanted - this.values.length);
      var answer;
      try {
        answer = proxy.RequestPixData(this.expression, this.domain.value(this.values.length),
                                      this.domain.step, ask);
      } catch (e) {
        // A series not known yet: nothing to draw until the next data change.
        this.failed = true;
        return false;
      }
      if (!$.isArray(answer)) break;
      // The native side may answer with more than was asked; only what was asked is kept.
      var kept = Math.min(answer.length, ask);
      for (var i = 0; i < kept; ++i) this.values.push(answer[i]);
      if (answer.length < ask) break;
    }
    return true;
  };
  etch.GeneratorProvider = GeneratorProvider;

  // Labels of a data series (RequestLabelsData), from index 0, and the colour to write them in
  // (null when the markup gave none).
  function TextProvider(expression, colour) {
    DataProvider.call(this);
    this.expression = String(expression);
    this.colour = colour instanceof etch.Colour ? colour : null;
    this.wanted = 0;
  }
  etch.inherit(TextProvider, DataProvider);
  TextProvider.prototype.fetch = function () {
    this.values = [];
    if (this.wanted < 1) return true;
    try {
      var answer = window.etch_proxy.RequestLabelsData(this.expression, 0, 1, this.wanted);
      if ($.isArray(answer)) this.values = answer.slice(0, this.wanted);
      return true;
    } catch (e) {
      return false;
    }
  };
  etch.TextProvider = TextProvider;

  // The provider a markup value stands for, or the value itself when it is none.
  etch.make_provider = function (value) {
    if (!$.isArray(value)) return value;
    if (value[0] === 'interval') return new IntervalProvider(value[1], value[2], value[3], value[4]);
    if (value[0] === 'generator') return new GeneratorProvider(value[1], etch.make_provider(value[2]));
    if (value[0] === 'text_generator') return new TextProvider(value[1], value[2]);
    for (var i = 0; i < value.length; ++i) {
      if (typeof value[i] !== 'number') return value;
    }
    return new ArrayProvider(value);
  };

  // Walks points (x, y) already in pixels and keeps, for each pixel column, the first, lowest,
  // highest and last point, so that a path of a long series costs a few points per column and
  // looks the same. Non-finite values are gaps: `move` starts each run of points.
  etch.compress_path = function (count, pixelX, pixelY, move, line) {
    var column = null, x0, first, low, high, last, started = false;
    function flush() {
      if (column === null) return;
      var points = [first, low, high, last];
      for (var k = 0; k < points.length; ++k) {
        if (started) {
          line(x0, points[k]);
        } else {
          // A run may be one point: a segment too short to see makes its caps show it.
          move(x0, points[k]);
          line(x0 + 0.01, points[k]);
          started = true;
        }
      }
      column = null;
    }
    for (var i = 0; i < count; ++i) {
      var x = pixelX(i), y = pixelY(i);
      if (!etch.util.is_finite(y) || !etch.util.is_finite(x)) {
        flush();
        started = false;
        continue;
      }
      var c = Math.round(x);
      if (c !== column) {
        flush();
        column = c;
        x0 = x;
        first = low = high = last = y;
        continue;
      }
      if (y < low) low = y;
      if (y > high) high = y;
      last = y;
    }
    flush();
  };
})(jQuery);
