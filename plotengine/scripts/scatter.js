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
    cross: function (ctx, x, y, size) {
      ctx.moveTo(x - size, y - size);
      ctx.lineTo(x + size, y + size);
      ctx.moveTo(x - size, y + size);
      ctx.lineTo(x + size, y - size);
    },
    plus: function (ctx, x, y, size) {
      ctx.moveTo(x - size, y);
      ctx.lineTo(x + size, y);
      ctx.moveTo(x, y - size);
      ctx.lineTo(x, y + size);
    },
    circle: function (ctx, x, y, size) {
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
  // The marks' short names.
  var shortNames = {x: 'cross', '+': 'plus', o: 'circle'};

  // Strokes a mark at each point: on a canvas as one path; on a layer that stamps marks (an SVG
  // layer) as one definition used at each point.
  function drawMarks(layer, ctx, name, size, count, px, py) {
    var mark = marks[name];
    var stamp = layer.mark_stamper &&
                layer.mark_stamper(ctx, name, size, function (c) { mark(c, size, size, size); });
    if (!stamp) ctx.beginPath();
    for (var i = 0; i < count; ++i) {
      var x = px(i), y = py(i);
      if (!etch.util.is_finite(x) || !etch.util.is_finite(y)) continue;
      if (stamp) {
        stamp(x, y);
      } else {
        mark(ctx, x, y, size);
      }
    }
    if (!stamp) ctx.stroke();
  }

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
    if (v.show_points) this.draw_points(layer, ctx, n, px, py);
    return $.Deferred().resolve().promise();
  };

  // The points' marks, in the series colour, or in the colours a box gives them by where they
  // lie (one path or one mark definition per colour).
  Scatter.prototype.draw_points = function (layer, ctx, n, px, py) {
    var v = this.values;
    var own = function (table, key) { return Object.prototype.hasOwnProperty.call(table, key); };
    var name = own(shortNames, v.style) ? shortNames[v.style] : v.style;
    if (!own(marks, name)) name = 'cross';
    var box = this.box_overlay && this.box_overlay.colours_points() ? this.box_overlay : null;
    if (!box) return drawMarks(layer, ctx, name, 2 + v.width, n, px, py);
    var colours = box.values.plotcolours;
    var groups = $.map(colours, function () { return [[]]; });
    for (var i = 0; i < n; ++i) {
      groups[box.point_class(v.xdata.value(i), v.ydata.value(i))].push(i);
    }
    $.each(groups, function (k, indices) {
      if (indices.length === 0) return;
      ctx.strokeStyle = etch.css_colour(colours[k]);
      drawMarks(layer, ctx, name, 2 + v.width, indices.length,
                function (j) { return px(indices[j]); }, function (j) { return py(indices[j]); });
    });
  };

  etch.register_plotter(['scatter', 'xy'], Scatter);
})(jQuery);
