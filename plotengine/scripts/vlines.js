// Plotter "vlines": made for a data plotter whose markup has a vlines entry. Vertical lines at
// the positions, given as [low, high] pairs: each pair is a band filled with its fill colour,
// each line drawn in the colour, with its value written at the top when showvalues is set.
// Edges at the same position are one line and move together. When draggable, a press near a
// line drags it, stopping at its neighbours; at the release the native side hears
// VLinesDragged(id, every position in ascending order).
(function ($) {
  'use strict';

  // How near, in pixels, a press must be to a line to take it.
  var kLineSlop = 4;

  function VLines(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
    this.owner = props.owner;
    this.bands = [];
  }
  etch.inherit(VLines, etch.BasePlotter);
  // Under the data, over the grid.
  VLines.prototype.z_order = etch.kBelowData;
  VLines.prototype.property_table = function () {
    return [
      ['id', 'string', ''],
      ['colour', 'colour', new etch.Colour(120, 120, 120, 255)],
      ['positions', 'array', []],
      ['fillcolours', 'array', []],
      ['showvalues', 'boolean', false],
      ['textcolour', 'colour', new etch.Colour(0, 0, 255, 255)],
      ['draggable', 'boolean', true]
    ];
  };

  // The bands [low, high] of the positions; entries that are not a pair of numbers are left out
  // (a lone number is a line of its own).
  VLines.prototype.check_props = function () {
    etch.BasePlotter.prototype.check_props.call(this);
    var positions = this.values.positions, bands = [];
    if (positions instanceof etch.ArrayProvider) positions = positions.values;
    for (var i = 0; $.isArray(positions) && i < positions.length; ++i) {
      var entry = positions[i];
      if (etch.util.is_finite(entry)) entry = [entry, entry];
      if (!$.isArray(entry) || entry.length < 2) continue;
      if (!etch.util.is_finite(entry[0]) || !etch.util.is_finite(entry[1])) continue;
      bands.push([entry[0], entry[1], i]);
    }
    this.bands = bands;
  };

  // Every edge position, ascending.
  VLines.prototype.positions = function () {
    var all = [];
    for (var i = 0; i < this.bands.length; ++i) all.push(this.bands[i][0], this.bands[i][1]);
    return all.sort(function (a, b) { return a - b; });
  };

  // The distinct line positions, ascending.
  VLines.prototype.lines = function () {
    var all = this.positions(), lines = [];
    for (var i = 0; i < all.length; ++i) if (i === 0 || all[i] !== all[i - 1]) lines.push(all[i]);
    return lines;
  };

  VLines.prototype.draw = function (layer) {
    var v = this.values, ctx = layer.context(), height = layer.rect.height;
    var sx = this.plot.scales[etch.kXScale].scaling, fills = v.fillcolours;
    ctx.save();
    for (var i = 0; i < this.bands.length; ++i) {
      var band = this.bands[i], fill = $.isArray(fills) ? fills[band[2]] : undefined;
      if (!etch.is_colour(fill)) continue;
      var a = sx.to_pixel(band[0]), b = sx.to_pixel(band[1]);
      ctx.fillStyle = etch.css_colour(fill);
      ctx.fillRect(Math.min(a, b), 0, Math.abs(b - a), height);
    }
    var lines = this.lines();
    ctx.strokeStyle = etch.css_colour(v.colour);
    ctx.lineWidth = 1;
    ctx.beginPath();
    for (var j = 0; j < lines.length; ++j) {
      var at = layer.crisp(sx.to_pixel(lines[j]), 1);
      ctx.moveTo(at, 0);
      ctx.lineTo(at, height);
    }
    ctx.stroke();
    if (v.showvalues) {
      ctx.fillStyle = etch.css_colour(v.textcolour);
      ctx.font = this.plot.values.canvas_fontsize + 'pt ' + this.plot.values.fontfamily;
      ctx.textAlign = 'left';
      ctx.textBaseline = 'top';
      for (var k = 0; k < lines.length; ++k) {
        ctx.fillText(etch.util.number_text(lines[k], this.plot.values.scalesigfigs),
                     sx.to_pixel(lines[k]) + 2, 2 + 12 * (k % 2));
      }
    }
    ctx.restore();
    return $.Deferred().resolve().promise();
  };

  // The line nearest to the pointer within reach, or undefined.
  VLines.prototype.line_at = function (pos) {
    if (this.values.draggable !== true || !pos.inside) return undefined;
    var sx = this.plot.scales[etch.kXScale].scaling, lines = this.lines(), best, bestD = kLineSlop;
    for (var i = 0; i < lines.length; ++i) {
      var d = Math.abs(sx.to_pixel(lines[i]) - pos.x);
      if (d <= bestD) {
        best = lines[i];
        bestD = d;
      }
    }
    return best;
  };

  VLines.prototype.grab = function (pos) {
    var line = this.line_at(pos);
    if (line === undefined) return null;
    var lines = this.lines(), index = $.inArray(line, lines);
    var low = index > 0 ? lines[index - 1] : -Infinity;
    var high = index < lines.length - 1 ? lines[index + 1] : Infinity;
    // The edges on the line, by band and end.
    var held = [];
    for (var i = 0; i < this.bands.length; ++i) {
      for (var end = 0; end < 2; ++end) if (this.bands[i][end] === line) held.push([i, end]);
    }
    var self = this, sx = this.plot.scales[etch.kXScale].scaling;
    return etch.drag_gesture(pos, function (at) {
      var value = Math.min(high, Math.max(low, line + sx.to_value(at.x) - sx.to_value(pos.x)));
      for (var k = 0; k < held.length; ++k) self.bands[held[k][0]][held[k][1]] = value;
      var layer = self.plot.layer_of(self);
      if (layer) layer.redraw();
    }, function () { self.report(); });
  };

  VLines.prototype.cursor_at = function (pos) {
    return this.line_at(pos) === undefined ? null : 'ew-resize';
  };

  VLines.prototype.report = function () {
    try {
      window.etch_proxy.VLinesDragged(this.values.id, this.positions());
    } catch (e) {
      // The lines stay where they were put even when the native side cannot take note of it.
    }
  };

  etch.register_plotter(['vlines'], VLines);
})(jQuery);
