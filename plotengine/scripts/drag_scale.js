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
    this.place_buttons(rect);
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

  // The ends unipolar and bipolar work from: the full range's, else the auto-scaled range's.
  Scale.prototype.reference_range = function () {
    var full = this.full_range(), data = this.auto_range();
    return [firstFinite([full[0], data[0]]), firstFinite([full[1], data[1]])];
  };

  // From -m to m, m the larger magnitude of the reference ends.
  Scale.prototype.set_bipolar = function () {
    var ends = this.reference_range();
    var m = Math.max(Math.abs(ends[0]), Math.abs(ends[1]));
    this.set_range(-m, m, false);
  };

  // From 0 to the reference end of larger magnitude (or from it to 0 when negative).
  Scale.prototype.set_unipolar = function () {
    var ends = this.reference_range();
    var v = Math.abs(ends[0]) > Math.abs(ends[1]) ? ends[0] : ends[1];
    if (v > 0) {
      this.set_range(0, v, false);
    } else {
      this.set_range(v, 0, false);
    }
  };

  // ---- Gestures -------------------------------------------------------------------------

  // The scale's strip beside the data area, in container pixels.
  Scale.prototype.area = function () {
    var rect = this.plot.data_rect();
    if (this.vertical) return new etch.Rect(0, rect.top, rect.left, rect.height);
    return new etch.Rect(rect.left, rect.bottom(), rect.width,
                         Math.max(0, this.plot.container.height() - rect.bottom()));
  };

  Scale.prototype.holds = function (pos) {
    var area = this.area();
    return pos.page_x >= area.left && pos.page_x < area.right() &&
           pos.page_y >= area.top && pos.page_y < area.bottom();
  };

  // Data units per pixel along the scale, signed so that adding (pixels moved x this) to the
  // range makes the data follow the pointer.
  Scale.prototype.units_per_pixel = function () {
    var s = this.scaling;
    return (s.max - s.min) / s.length * (this.vertical ? 1 : -1);
  };

  // A press on the scale drags its range with the pointer; the native side hears of the range
  // once, at the release.
  Scale.prototype.grab = function (pos) {
    if (!this.holds(pos)) return null;
    var self = this;
    return etch.drag_gesture(pos, this.shifter(self.vertical ? 'page_y' : 'page_x', pos),
                             function () { self.report(); });
  };

  // What a move of a drag that started at `pos` does to the range: shifts it by the pointer's
  // move along `coordinate` (page_x or page_y) and repaints.
  Scale.prototype.shifter = function (coordinate, pos) {
    var self = this, min = this.min, max = this.max, perPixel = this.units_per_pixel();
    return function (at) {
      var shift = (at[coordinate] - pos[coordinate]) * perPixel;
      self.auto = false;
      self.min = min + shift;
      self.max = max + shift;
      self.plot.paint();
    };
  };

  Scale.prototype.double_click = function (pos) {
    if (!this.holds(pos)) return false;
    this.auto_scale();
    return true;
  };

  // Zooms by `factor` about the range's centre: 0.5 halves the range.
  Scale.prototype.zoom = function (factor) {
    var centre = (this.min + this.max) / 2, half = (this.max - this.min) / 2 * factor;
    this.set_range(centre - half, centre + half, false);
  };

  Scale.prototype.make_buttons = function () {
    var self = this;
    this.buttons = {
      zoom_in: new etch.Button(this.plot, 'in', function () { self.zoom(0.5); }),
      zoom_out: new etch.Button(this.plot, 'out', function () { self.zoom(2); }),
      menu: new etch.Button(this.plot, 'menu', function (button) { self.open_menu(button); })
    };
  };

  // The buttons sit in the scale's strip at its end next to the plot's corner: the vertical
  // scale's in a column at its bottom left, the horizontal scale's in a row at its bottom right.
  Scale.prototype.place_buttons = function (rect) {
    if (!this.buttons) this.make_buttons();
    var v = this.plot.values, size = etch.Button.size, gap = 2;
    var order = [['zoom_in', v.showzoombuttons], ['zoom_out', v.showzoombuttons],
                 ['menu', v.showmenubutton]];
    for (var i = 0; i < order.length; ++i) {
      var button = this.buttons[order[i][0]], slot = order.length - i;
      if (this.vertical) {
        button.place(gap, rect.bottom() - slot * (size + gap), order[i][1] === true);
      } else {
        button.place(rect.right() - slot * (size + gap), this.plot.container.height() - size - gap,
                     order[i][1] === true);
      }
    }
  };

  // Asks the native side for the scale's menu under the button, which stays pressed until
  // menu_closed. A press that closed the menu on the button itself does not open it again.
  Scale.prototype.open_menu = function (button) {
    if (this.menu_closed_on_button) {
      this.menu_closed_on_button = false;
      if (etch.util.now() - this.menu_closed_time <= this.plot.dblclick_time) return;
    }
    var box = button.box(), proxy = window.etch_proxy;
    button.set_down(true);
    try {
      proxy.MakeDropMenu(this.plot.id, this.which, box[0], box[1], box[2], box[3], this.vertical,
                         this.min, this.max);
    } catch (e) {
      button.set_down(false);
    }
  };

  // The scale's menu closed; the pointer was at (x, y) of the page.
  Scale.prototype.menu_closed = function (x, y) {
    if (!this.buttons) return;
    this.buttons.menu.set_down(false);
    this.menu_closed_on_button = this.buttons.menu.contains(x, y);
    this.menu_closed_time = etch.util.now();
  };

  etch.Scale = Scale;
})(jQuery);
