// Plotter "timeplot" or "tplot": a curve of y against a regular x, from a data series or a
// formula. Non-finite values break the curve.
(function ($) {
  'use strict';

  var red = function () { return new etch.Colour(255, 0, 0, 255); };

  function TimePlot(plot, props, markupName) {
    etch.DataPlotter.call(this, plot, props, markupName);
  }
  etch.inherit(TimePlot, etch.DataPlotter);
  TimePlot.prototype.property_table = function () {
    return etch.DataPlotter.prototype.property_table.call(this).concat([
      ['ydata', 'data'],
      ['compression', 'boolean', false],
      ['colour', 'colour', red()],
      ['width', 'number', 1],
      ['xdata', 'interval', new etch.IntervalProvider(1, 1, null)],
      ['affects_autoscale', 'boolean', true],
      ['equation', 'string', '']
    ]);
  };

  // The number of points: as many as both series hold.
  etch.point_count = function (x, y) {
    if (!x || !y) return 0;
    var n = Math.min(x.count(), y.count());
    return isFinite(n) ? n : 0;
  };

  // [min, max] of the finite values of `provider`'s first `count` values.
  etch.value_range = function (provider, count) {
    var min, max;
    for (var i = 0; i < count; ++i) {
      var value = provider.value(i);
      if (!etch.util.is_finite(value)) continue;
      if (min === undefined || value < min) min = value;
      if (max === undefined || value > max) max = value;
    }
    return [min, max];
  };

  TimePlot.prototype.data_range = function (which) {
    var v = this.values;
    if (v.affects_autoscale === false) return null;
    var n = etch.point_count(v.xdata, v.ydata);
    return etch.value_range(which === etch.kXScale ? v.xdata : v.ydata, n);
  };

  // The cursor picks the point nearest in x.
  TimePlot.prototype.cursor_by_column = true;

  TimePlot.prototype.draw = function (layer) {
    var v = this.values, ctx = layer.context();
    var sx = this.plot.scales[etch.kXScale].scaling, sy = this.plot.scales[etch.kYScale].scaling;
    var x = v.xdata, y = v.ydata;
    ctx.strokeStyle = etch.css_colour(v.colour);
    ctx.lineWidth = v.width;
    ctx.lineJoin = 'round';
    ctx.lineCap = 'round';
    ctx.beginPath();
    etch.compress_path(etch.point_count(x, y),
                       function (i) { return sx.to_pixel(x.value(i)); },
                       function (i) { return sy.to_pixel(y.value(i)); },
                       function (px, py) { ctx.moveTo(px, py); },
                       function (px, py) { ctx.lineTo(px, py); });
    ctx.stroke();
    return $.Deferred().resolve().promise();
  };

  etch.register_plotter(['timeplot', 'tplot'], TimePlot);
})(jQuery);
