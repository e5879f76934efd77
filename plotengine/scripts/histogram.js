// Plotter "histogram" or "hist": one bar per bin, bin i covering [b + i w, b + (i + 1) w) of
// the bins interval [b:w:end], as high as the i-th value of ydata (or "heights").
(function ($) {
  'use strict';

  // "heights" names the same data as "ydata"; of the two, the later in the markup wins.
  etch.heights_as_ydata = function (props) {
    var result = {};
    for (var key in props) {
      if (!Object.prototype.hasOwnProperty.call(props, key)) continue;
      result[key === 'heights' ? 'ydata' : key] = props[key];
    }
    return result;
  };

  function Histogram(plot, props, markupName) {
    etch.DataPlotter.call(this, plot, etch.heights_as_ydata(props), markupName);
  }
  etch.inherit(Histogram, etch.DataPlotter);
  Histogram.prototype.data_roles = ['ydata'];
  Histogram.prototype.property_table = function () {
    return etch.DataPlotter.prototype.property_table.call(this).concat(etch.bin_plotter_rows());
  };

  Histogram.prototype.bar_count = function () {
    return etch.point_count(this.values.bins, this.values.ydata);
  };

  Histogram.prototype.data_range = function (which) {
    var v = this.values, n = this.bar_count();
    if (n === 0) return null;
    if (which === etch.kXScale) return [v.bins.value(0), v.bins.value(n)];
    var range = etch.value_range(v.ydata, n);
    return [Math.min(0, range[0] === undefined ? 0 : range[0]), range[1]];
  };

  // Fills and outlines bar i from x0 to x1 (data units) up from 0 to its height.
  etch.draw_bars = function (ctx, plot, values, count, extent) {
    var sx = plot.scales[etch.kXScale].scaling, sy = plot.scales[etch.kYScale].scaling;
    var base = sy.to_pixel(0);
    ctx.fillStyle = etch.css_colour(values.fillcolour);
    ctx.strokeStyle = etch.css_colour(values.colour);
    ctx.lineWidth = values.width;
    for (var i = 0; i < count; ++i) {
      var height = values.ydata.value(i);
      if (!etch.util.is_finite(height)) continue;
      var ends = extent(i);
      var left = sx.to_pixel(ends[0]), right = sx.to_pixel(ends[1]), top = sy.to_pixel(height);
      ctx.fillRect(Math.min(left, right), Math.min(top, base), Math.abs(right - left),
                   Math.abs(base - top));
      if (values.width > 0) {
        ctx.strokeRect(Math.min(left, right), Math.min(top, base), Math.abs(right - left),
                       Math.abs(base - top));
      }
    }
  };

  Histogram.prototype.draw = function (layer) {
    var bins = this.values.bins;
    etch.draw_bars(layer.context(), this.plot, this.values, this.bar_count(), function (i) {
      return [bins.value(i), bins.value(i + 1)];
    });
    return $.Deferred().resolve().promise();
  };

  // The cursor shows bins: on the top of the bin under the pointer, its start, end and count;
  // a click counts on the bar itself.
  Histogram.prototype.cursor_by_column = true;
  Histogram.prototype.cursor_points = function () {
    var v = this.values, bins = v.bins;
    return {
      count: this.bar_count(),
      x: function (i) { return (bins.value(i) + bins.value(i + 1)) / 2; },
      y: function (i) { return v.ydata.value(i); },
      readout: function (i) { return [bins.value(i), bins.value(i + 1), v.ydata.value(i)]; }
    };
  };
  Histogram.prototype.cursor_hit = function (i, pos) {
    var sx = this.plot.scales[etch.kXScale].scaling, sy = this.plot.scales[etch.kYScale].scaling;
    var bins = this.values.bins;
    var x0 = sx.to_pixel(bins.value(i)), x1 = sx.to_pixel(bins.value(i + 1));
    var y0 = sy.to_pixel(0), y1 = sy.to_pixel(this.values.ydata.value(i));
    return pos.x >= Math.min(x0, x1) && pos.x <= Math.max(x0, x1) &&
           pos.y >= Math.min(y0, y1) - 2 && pos.y <= Math.max(y0, y1) + 2;
  };

  etch.register_plotter(['histogram', 'hist'], Histogram);
})(jQuery);
