// Plotter "bar": one bar per value of ydata, centred on the values of the bins interval and
// bar_width_ratio of a step wide. Each bar may carry a title, written above it, and an x label,
// written slanted under the data area; the x labels are an array of texts or the labels of a
// data series, fetched with its values.
(function ($) {
  'use strict';

  function Bar(plot, props, markupName) {
    // Made once, so that the labels fetched survive the property checks of later paints.
    var labels = props.xlabels;
    if ($.isArray(labels) && labels[0] === 'text_generator') props.xlabels = etch.make_provider(labels);
    etch.DataPlotter.call(this, plot, props, markupName);
  }
  etch.inherit(Bar, etch.DataPlotter);
  Bar.prototype.data_roles = ['ydata', 'xlabels'];
  Bar.prototype.property_table = function () {
    return etch.DataPlotter.prototype.property_table.call(this).concat(etch.bin_plotter_rows(), [
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

  // The text of entry i of titles or xlabels; empty where there is none.
  function caption(texts, i) {
    var text = texts instanceof etch.DataProvider ? texts.value(i)
                                                 : ($.isArray(texts) ? texts[i] : undefined);
    return text === undefined || text === null ? '' : String(text);
  }

  // Each title centred over its bar, just beyond the bar's end.
  Bar.prototype.draw_titles = function (ctx, n) {
    var v = this.values, sx = this.plot.scales[etch.kXScale].scaling;
    var sy = this.plot.scales[etch.kYScale].scaling, base = sy.to_pixel(0);
    ctx.save();
    ctx.font = this.plot.values.canvas_fontsize + 'pt ' + this.plot.values.fontfamily;
    ctx.fillStyle = etch.css_colour(v.colour);
    ctx.textAlign = 'center';
    for (var i = 0; i < n; ++i) {
      var text = caption(v.titles, i), height = v.ydata.value(i);
      if (text === '' || !etch.util.is_finite(height)) continue;
      var top = sy.to_pixel(height), above = top <= base;
      ctx.textBaseline = above ? 'bottom' : 'top';
      ctx.fillText(text, sx.to_pixel(v.bins.value(i)), top + (above ? -2 : 2));
    }
    ctx.restore();
  };

  // The x labels, slanted down to the left from under each bar (or each bar's left edge), below
  // the data area: on the plot's base canvas, or outside the data area of a layer that draws
  // there itself (an SVG layer).
  Bar.prototype.draw_xlabels = function (layer, n, half) {
    var v = this.values, plot = this.plot, sx = plot.scales[etch.kXScale].scaling;
    var ctx = layer.outer_context ? layer.outer_context() : plot.base_layer.context();
    var rect = layer.rect;
    ctx.save();
    ctx.font = plot.values.canvas_fontsize + 'pt ' + plot.values.fontfamily;
    var colour = v.xlabels instanceof etch.TextProvider ? v.xlabels.colour : null;
    ctx.fillStyle = colour ? etch.css_colour(colour) : 'black';
    ctx.textAlign = 'right';
    ctx.textBaseline = 'middle';
    for (var i = 0; i < n; ++i) {
      var text = caption(v.xlabels, i);
      if (text === '') continue;
      var at = v.centered_xlabels ? v.bins.value(i) : v.bins.value(i) - half;
      ctx.save();
      ctx.translate(rect.left + sx.to_pixel(at), rect.bottom() + plot.values.majorticksize + 4);
      ctx.rotate(-Math.PI / 4);
      ctx.fillText(text, 0, 0);
      ctx.restore();
    }
    ctx.restore();
  };

  Bar.prototype.draw = function (layer, region) {
    var v = this.values, n = this.bar_count(), half = Math.abs(v.bins.step) * v.bar_width_ratio / 2;
    var ctx = layer.context();
    etch.draw_bars(ctx, this.plot, v, n, function (i) {
      return [v.bins.value(i) - half, v.bins.value(i) + half];
    });
    this.draw_titles(ctx, n);
    // The data layer is drawn in strips; the labels outside it are written once.
    if (!region || region.left === 0) this.draw_xlabels(layer, n, half);
    return $.Deferred().resolve().promise();
  };

  etch.register_plotter(['bar'], Bar);
})(jQuery);
