// The plot's two scales: each keeps its axis range (fixed from the markup or auto-scaled from
// the plotters' data), maps it to pixels, places the ticks and labels, draws itself with its
// axis title beside the data area, and carries out the range commands of the scale menu.
(function ($) {
  'use strict';

  var is_finite = function (v) { return etch.util.is_finite(v); };

  function firstFinite(values) {
    for (var i = 0; i < values.length; ++i) {
      if (is_finite(values[i])) return values[i];
    }
    return undefined;
  }

  function Scale(plot, which) {
    this.plot = plot;
    this.which = which;
    this.vertical = which === etch.kYScale;
    this.axis = this.vertical ? 'y' : 'x';
    this.min = 0;
    this.max = 1;
    this.auto = false;
    this.scaling = new etch.Scaling(0, 1, 1, this.vertical);
  }

  Scale.prototype.value = function (name) {
    return this.plot.values[name.replace('#', this.axis)];
  };

  // The full range's ends, each undefined when unset or not finite.
  Scale.prototype.full_range = function () {
    return [firstFinite([this.value('fullrange_#scalemin')]),
            firstFinite([this.value('fullrange_#scalemax')])];
  };

  // Takes the range from the plot's properties: auto-scaled when do_initial_autoscale asks,
  // else the markup's ends, falling back to the full range, then to 0 and 1.
  Scale.prototype.reset = function () {
    this.auto = this.value('do_initial_autoscale_#') === true;
    var full = this.full_range();
    this.min = firstFinite([this.value('#scalemin'), full[0], 0]);
    this.max = firstFinite([this.value('#scalemax'), full[1], 1]);
  };

  // The union of the plotters' data ranges on this scale; a missing end falls back to the full
  // range, then to 0 or 1.
  Scale.prototype.auto_range = function () {
    var min, max;
    $.each(this.plot.plotters, function (i, plotter) {
      var range = plotter.data_range(this.which);
      if (!range) return;
      if (is_finite(range[0]) && (min === undefined || range[0] < min)) min = range[0];
      if (is_finite(range[1]) && (max === undefined || range[1] > max)) max = range[1];
    }.bind(this));
    var full = this.full_range();
    return [firstFinite([min, full[0], 0]), firstFinite([max, full[1], 1])];
  };

  // Re-fits an auto-scaled range and makes the scaling for `length` pixels.
  Scale.prototype.fit = function (length) {
    if (this.auto) {
      var range = this.auto_range();
      this.min = range[0];
      this.max = range[1];
    }
    var ends = etch.widen_range(this.min, this.max);
    this.scaling = new etch.Scaling(ends[0], ends[1], length, this.vertical);
  };

  // The major step: the largest 1, 2 or 5 times a power of ten that still gives the plot's
  // minimum number of tick labels.
  Scale.prototype.step = function () {
    var span = Math.abs(this.scaling.max - this.scaling.min);
    var labels = Math.max(2, this.plot.values.minticklabels);
    var most = span / (labels - 1);
    var power = Math.pow(10, Math.floor(Math.log(most) / Math.LN10));
    var mantissas = [5, 2, 1];
    for (var i = 0; i < mantissas.length; ++i) {
      if (mantissas[i] * power <= most * (1 + 1e-9)) return {size: mantissas[i] * power, mantissa: mantissas[i]};
    }
    return {size: power, mantissa: 1};
  };

  // The tick values within the range at `size` steps.
  function ticksAt(lo, hi, size) {
    var ticks = [];
    var first = Math.ceil(lo / size - 1e-9);
    for (var k = first; k * size <= hi + size * 1e-9 && ticks.length < 10000; ++k) {
      ticks.push(Math.abs(k * size) < size * 1e-9 ? 0 : k * size);
    }
    return ticks;
  }

  // The major tick values, and the minor ones when the major ticks are far enough apart.
  Scale.prototype.ticks = function () {
    var lo = Math.min(this.scaling.min, this.scaling.max);
    var hi = Math.max(this.scaling.min, this.scaling.max);
    var step = this.step();
    var major = ticksAt(lo, hi, step.size);
    var spacing = Math.abs(step.size * this.scaling.pixels_per_unit());
    var minor = [];
    if (spacing > this.plot.values.minortickthreshold) {
      var parts = step.mantissa === 2 ? 4 : 5;
      minor = $.grep(ticksAt(lo, hi, step.size / parts), function (value) {
        return Math.abs(value / step.size - Math.round(value / step.size)) > 1e-6;
      });
    }
    return {major: major, minor: minor};
  };

  Scale.prototype.label = function (value) {
    return etch.util.number_text(value, this.plot.values.scalesigfigs);
  };

  // Draws the axis line, the ticks, their labels and the axis title beside `rect`.
  Scale.prototype.draw = function (ctx, rect) {
    var v = this.plot.values, ticks = this.ticks(), self = this;
    ctx.save();
    ctx.strokeStyle = 'black';
    ctx.fillStyle = 'black';
    ctx.lineWidth = 1;
    ctx.font = v.canvas_fontsize + 'pt ' + v.fontfamily;
    ctx.beginPath();
    if (this.vertical) {
      ctx.moveTo(rect.left - 0.5, rect.top);
      ctx.lineTo(rect.left - 0.5, rect.bottom());
    } else {
      ctx.moveTo(rect.left, rect.bottom() + 0.5);
      ctx.lineTo(rect.right(), rect.bottom() + 0.5);
    }
    function tick(value, size) {
      var at = Math.floor(self.scaling.to_pixel(value)) + 0.5;
      if (self.vertical) {
        ctx.moveTo(rect.left - 1, rect.top + at);
        ctx.lineTo(rect.left - 1 - size, rect.top + at);
      } else {
        ctx.moveTo(rect.left + at, rect.bottom() + 1);
        ctx.lineTo(rect.left + at, rect.bottom() + 1 + size);
      }
    }
    $.each(ticks.major, function (i, value) { tick(value, v.majorticksize); });
    $.each(ticks.minor, function (i, value) { tick(value, v.minorticksize); });
    ctx.stroke();
    var showLabels = this.vertical ? v.show_y_scale_labels : v.show_x_scale_labels && v.x_scale_labels;
    if (showLabels) {
      $.each(ticks.major, function (i, value) {
        var at = self.scaling.to_pixel(value);
        if (self.vertical) {
          ctx.textAlign = 'right';
          ctx.textBaseline = 'middle';
          ctx.fillText(self.label(value), rect.left - v.majorticksize - 3, rect.top + at);
        } else {
          ctx.textAlign = 'center';
          ctx.textBaseline = 'top';
          ctx.fillText(self.label(value), rect.left + at, rect.bottom() + v.majorticksize + 3);
        }
      });
    }
    this.draw_title(ctx, rect);
    ctx.restore();
  };

  Scale.prototype.draw_title = function (ctx, rect) {
    var v = this.plot.values;
    var title = this.vertical ? v.ylabel : v.xlabel;
    if (!title) return;
    ctx.font = v.labelsize + 'pt ' + v.fontfamily;
    ctx.textAlign = 'center';
    ctx.textBaseline = 'bottom';
    if (this.vertical) {
      ctx.translate(v.labelsize + 8, rect.top + rect.height / 2);
      ctx.rotate(-Math.PI / 2);
      ctx.fillText(title, 0, 0);
    } else {
      ctx.fillText(title, rect.left + rect.width / 2, rect.bottom() + v.xscaleheight - 6);
    }
  };

  // Tells the native side the range: [min, max, 1 when auto-scaled else 0].
  Scale.prototype.report = function () {
    var proxy = window.etch_proxy;
    var method = this.vertical ? 'YScalingChanged' : 'XScalingChanged';
    try {
      if (proxy && proxy[method]) proxy[method](this.plot.id, [this.min, this.max, this.auto ? 1.0 : 0.0]);
    } catch (e) {
      // The range stays as set even when the native side cannot take note of it.
    }
  };

  Scale.prototype.set_range = function (min, max, auto) {
    this.auto = auto;
    this.min = min;
    this.max = max;
    if (auto) {
      var range = this.auto_range();
      this.min = range[0];
      this.max = range[1];
    }
    this.report();
    this.plot.paint();
  };

  Scale.prototype.auto_scale = function () {
    this.set_range(this.min, this.max, true);
  };

  // From -m to m, m the larger magnitude of the full range's ends.
  Scale.prototype.set_bipolar = function () {
    var full = this.full_range();
    var m = Math.max(Math.abs(full[0] || 0), Math.abs(full[1] || 0));
    this.set_range(-m, m, false);
  };

  // From 0 to the full range's end of larger magnitude (or from it to 0 when negative).
  Scale.prototype.set_unipolar = function () {
    var full = this.full_range();
    var lo = full[0] || 0, hi = full[1] || 0;
    var v = Math.abs(lo) > Math.abs(hi) ? lo : hi;
    if (v > 0) {
      this.set_range(0, v, false);
    } else {
      this.set_range(v, 0, false);
    }
  };

  // The scale's menu closed; the pointer was at (x, y).
  Scale.prototype.menu_closed = function (x, y) {};

  etch.Scale = Scale;
})(jQuery);
