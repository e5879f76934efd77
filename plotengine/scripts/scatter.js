// Plotter "scatter" or "xy": points (and optionally the path) of an x series against a y series.
(function ($) {
  'use strict';

  function Scatter(plot, props, markupName) {
    etch.DataPlotter.call(this, plot, props, markupName);
  }
  etch.inherit(Scatter, etch.DataPlotter);
  Scatter.prototype.property_table = function () {
    return etch.DataPlotter.prototype.property_table.call(this).concat([
      ['xdata', 'data'],
      ['ydata', 'data'],
      ['compression', 'boolean', false],
      ['colour', 'colour', new etch.Colour(255, 0, 0, 255)],
      ['width', 'number', 1],
      ['style', 'string', 'x'],
      ['show_points', 'boolean', true],
      ['show_lines', 'boolean', false]
    ]);
  };

  Scatter.prototype.data_range = function (which) {
    var v = this.values;
    var n = etch.point_count(v.xdata, v.ydata);
    return etch.value_range(which === etch.kXScale ? v.xdata : v.ydata, n);
  };

  // The mark of one point, centred on (x, y), `size` pixels from the centre to an end.
  var marks = {
    x: function (ctx, x, y, size) {
      ctx.moveTo(x - size, y - size);
      ctx.lineTo(x + size, y + size);
      ctx.moveTo(x - size, y + size);
      ctx.lineTo(x + size, y - size);
    },
    '+': function (ctx, x, y, size) {
      ctx.moveTo(x - size, y);
      ctx.lineTo(x + size, y);
      ctx.moveTo(x, y - size);
      ctx.lineTo(x, y + size);
    },
    o: function (ctx, x, y, size) {
      ctx.moveTo(x + size, y);
      ctx.arc(x, y, size, 0, 2 * Math.PI, false);
    },
    square: function (ctx, x, y, size) {
      ctx.rect(x - size, y - size, 2 * size, 2 * size);
    },
    // Point up, its centre of gravity on (x, y).
    triangle: function (ctx, x, y, size) {
      var h = size * 1.5;
      ctx.moveTo(x, y - h * 2 / 3);
      ctx.lineTo(x + size, y + h / 3);
      ctx.lineTo(x - size, y + h / 3);
      ctx.closePath();
    }
  };
  // The marks' long names.
  marks.cross = marks.x;
  marks.plus = marks['+'];
  marks.circle = marks.o;

  Scatter.prototype.draw = function (layer) {
    var v = this.values, ctx = layer.context();
    var sx = this.plot.scales[etch.kXScale].scaling, sy = this.plot.scales[etch.kYScale].scaling;
    var n = etch.point_count(v.xdata, v.ydata);
    var px = function (i) { return sx.to_pixel(v.xdata.value(i)); };
    var py = function (i) { return sy.to_pixel(v.ydata.value(i)); };
    ctx.strokeStyle = etch.css_colour(v.colour);
    ctx.lineWidth = v.width;
    ctx.lineCap = 'round';
    if (v.show_lines) {
      ctx.beginPath();
      etch.compress_path(n, px, py, function (x, y) { ctx.moveTo(x, y); },
                         function (x, y) { ctx.lineTo(x, y); });
      ctx.stroke();
    }
    if (v.show_points) this.draw_points(ctx, n, px, py);
    return $.Deferred().resolve().promise();
  };

  // The points' marks, in the series colour, or in the colours a box gives them by where they
  // lie (one path per colour).
  Scatter.prototype.draw_points = function (ctx, n, px, py) {
    var v = this.values, mark = marks[v.style] || marks.x, size = 2 + v.width;
    var box = this.box_overlay && this.box_overlay.colours_points() ? this.box_overlay : null;
    var colours = box ? box.values.plotcolours : [v.colour];
    var groups = $.map(colours, function () { return [[]]; });
    for (var i = 0; i < n; ++i) {
      var x = px(i), y = py(i);
      if (!etch.util.is_finite(x) || !etch.util.is_finite(y)) continue;
      groups[box ? box.point_class(v.xdata.value(i), v.ydata.value(i)) : 0].push(x, y);
    }
    for (var k = 0; k < groups.length; ++k) {
      var points = groups[k];
      if (points.length === 0) continue;
      ctx.strokeStyle = etch.css_colour(colours[k]);
      ctx.beginPath();
      for (var j = 0; j < points.length; j += 2) mark(ctx, points[j], points[j + 1], size);
      ctx.stroke();
    }
  };

  etch.register_plotter(['scatter', 'xy'], Scatter);
})(jQuery);
