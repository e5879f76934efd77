// Plotter "bar": one bar per value of ydata, centred on the values of the bins interval and
// bar_width_ratio of a step wide. Titles and x labels are kept for the bars' captions.
(function ($) {
  'use strict';

  function Bar(plot, props, markupName) {
    etch.DataPlotter.call(this, plot, props, markupName);
  }
  etch.inherit(Bar, etch.DataPlotter);
  Bar.prototype.data_roles = ['ydata'];
  Bar.prototype.property_table = function () {
    return etch.DataPlotter.prototype.property_table.call(this).concat([
      ['ydata', 'data'],
      ['compression', 'boolean', false],
      ['colour', 'colour', new etch.Colour(255, 0, 0, 255)],
      ['fillcolour', 'colour', function (v) { return v.colour; }],
      ['width', 'number', 1],
      ['bins', 'interval', new etch.IntervalProvider(1, 1, null)],
      ['style', 'string', 'clustered'],
      ['bar_width_ratio', 'number', 0.8],
      ['centered_xlabels', 'boolean', false],
      ['titles', 'array', []]
    ]);
  };

  Bar.prototype.bar_count = function () {
    return etch.point_count(this.values.bins, this.values.ydata);
  };

  Bar.prototype.data_range = function (which) {
    var v = this.values, n = this.bar_count();
    if (n === 0) return null;
    if (which === etch.kXScale) {
      var half = Math.abs(v.bins.step) / 2;
      return [v.bins.value(0) - half, v.bins.value(n - 1) + half];
    }
    var range = etch.value_range(v.ydata, n);
    return [Math.min(0, range[0] === undefined ? 0 : range[0]),
            Math.max(0, range[1] === undefined ? 0 : range[1])];
  };

  Bar.prototype.draw = function (layer) {
    var v = this.values, half = Math.abs(v.bins.step) * v.bar_width_ratio / 2;
    etch.draw_bars(layer.context(), this.plot, v, this.bar_count(), function (i) {
      return [v.bins.value(i) - half, v.bins.value(i) + half];
    });
    return $.Deferred().resolve().promise();
  };

  etch.register_plotter(['bar'], Bar);
})(jQuery);
