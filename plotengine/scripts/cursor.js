// Plotter "cursor": made for a data plotter whose markup has a cursor entry. It follows the
// pointer with a cross on the owner's data point nearest to it, shows the readout text with
// that point's values, and turns a click on a data point into OnMouseClick. It draws on its own
// layer, which alone is redrawn as the pointer moves.
//
// The owner describes its points through cursor_points() (below for x and y series; histograms
// give their bins), and says with cursor_by_column whether the nearest point is the one nearest
// in x (series over a regular x) or nearest in the plane (scatter plots).
(function ($) {
  'use strict';

  var is_finite = function (v) { return etch.util.is_finite(v); };
  // How near, in pixels, a click must be to a point to be a click on it.
  var kClickRadius = 5;

  // The owner's points: count, x(i) and y(i) in data units, and readout(i), the values {0},
  // {1}, {2}... of the readout.
  etch.DataPlotter.prototype.cursor_points = function () {
    var v = this.values;
    return {
      count: etch.point_count(v.xdata, v.ydata),
      x: function (i) { return v.xdata.value(i); },
      y: function (i) { return v.ydata.value(i); },
      readout: function (i) { return [v.xdata.value(i), v.ydata.value(i)]; }
    };
  };
  etch.DataPlotter.prototype.cursor_by_column = false;

  // The index of the point nearest to (px, py), layer pixels, or -1 when there is none.
  etch.nearest_point = function (plot, points, byColumn, px, py) {
    var sx = plot.scales[etch.kXScale].scaling, sy = plot.scales[etch.kYScale].scaling;
    var best = -1, bestDx = Infinity, bestD = Infinity;
    for (var i = 0; i < points.count; ++i) {
      var x = sx.to_pixel(points.x(i)), y = sy.to_pixel(points.y(i));
      if (!is_finite(x) || !is_finite(y)) continue;
      var dx = Math.abs(x - px), dy = Math.abs(y - py);
      var d = dx * dx + dy * dy;
      if (byColumn ? dx < bestDx || (dx === bestDx && d < bestD) : d < bestD) {
        best = i;
        bestDx = dx;
        bestD = d;
      }
    }
    return best;
  };

  // A readout number: whole numbers as they are, others with 6 significant digits.
  function readoutNumber(value) {
    if (!is_finite(value)) return value === undefined || value === null ? '' : String(value);
    if (Math.floor(value) === value && Math.abs(value) < 1e21) return String(value);
    return etch.util.number_text(value, 6);
  }

  // The readout text: each {n} replaced by value n, or by nothing when there is no value n.
  etch.readout_text = function (format, values) {
    return String(format).replace(/\{(\d+)\}/g, function (whole, n) {
      return readoutNumber(values[Number(n)]);
    });
  };

  function Cursor(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
    this.owner = props.owner;
    this.index = -1;
    readoutElement(plot).hide();
  }
  etch.inherit(Cursor, etch.BasePlotter);
  Cursor.prototype.z_order = etch.kAboveAnnotation;
  Cursor.prototype.property_table = function () {
    return [['readout', 'string', ''], ['colour', 'colour', new etch.Colour(0, 0, 0, 160)]];
  };

  Cursor.prototype.points = function () {
    return this.owner ? this.owner.cursor_points() : {count: 0};
  };

  Cursor.prototype.nearest = function (pos) {
    if (!pos || !pos.inside) return -1;
    return etch.nearest_point(this.plot, this.points(), this.owner.cursor_by_column, pos.x, pos.y);
  };

  Cursor.prototype.hover = function (pos) {
    var index = this.nearest(pos);
    if (index === this.index) return;
    this.index = index;
    var layer = this.plot.layer_of(this);
    if (layer) layer.redraw();
    this.show_readout();
  };

  // The plot's one readout element; a new cursor (a new setup) starts with it hidden.
  function readoutElement(plot) {
    if (!plot.readout_div) {
      plot.readout_div = $('<div class="etch_readout"></div>').css({
        position: 'absolute', left: '0px', top: '0px', zIndex: etch.kButtons,
        pointerEvents: 'none', whiteSpace: 'nowrap', display: 'none'
      });
      plot.container.append(plot.readout_div);
    }
    return plot.readout_div;
  }

  // The readout above the data area's top left corner, or beside the point when the plot asks
  // for a moving readout.
  Cursor.prototype.show_readout = function () {
    var div = readoutElement(this.plot).css('font', this.plot.values.fontsize + 'pt ' + this.plot.values.fontfamily);
    if (this.index < 0 || !this.values.readout) {
      div.hide();
      return;
    }
    var points = this.points(), rect = this.plot.data_rect();
    div.text(etch.readout_text(this.values.readout, points.readout(this.index)));
    var left = rect.left + 4, top = Math.max(0, rect.top - 16);
    if (this.plot.values.dynamic_readout_pos) {
      left = rect.left + this.plot.scales[etch.kXScale].scaling.to_pixel(points.x(this.index)) + 8;
      top = rect.top + this.plot.scales[etch.kYScale].scaling.to_pixel(points.y(this.index)) - 20;
    }
    div.css({left: left + 'px', top: top + 'px'}).show();
  };

  Cursor.prototype.draw = function (layer) {
    if (this.index < 0 || !this.owner) return $.Deferred().resolve().promise();
    var points = this.points();
    if (this.index >= points.count) {
      this.index = -1;
      return $.Deferred().resolve().promise();
    }
    var x = layer.crisp(this.plot.scales[etch.kXScale].scaling.to_pixel(points.x(this.index)), 1);
    var y = layer.crisp(this.plot.scales[etch.kYScale].scaling.to_pixel(points.y(this.index)), 1);
    var ctx = layer.context();
    ctx.save();
    ctx.strokeStyle = etch.css_colour(this.values.colour);
    ctx.lineWidth = 1;
    ctx.beginPath();
    ctx.moveTo(x, 0);
    ctx.lineTo(x, layer.rect.height);
    ctx.moveTo(0, y);
    ctx.lineTo(layer.rect.width, y);
    ctx.stroke();
    ctx.strokeRect(x - 3, y - 3, 6, 6);
    ctx.restore();
    return $.Deferred().resolve().promise();
  };

  // A click on one of the owner's points tells the native side which; elsewhere nothing.
  Cursor.prototype.click = function (pos) {
    var index = this.nearest(pos);
    if (index < 0) return false;
    var points = this.points(), plot = this.plot;
    var hit = $.isFunction(this.owner.cursor_hit)
                  ? this.owner.cursor_hit(index, pos)
                  : Math.abs(plot.scales[etch.kXScale].scaling.to_pixel(points.x(index)) - pos.x) <= kClickRadius &&
                    Math.abs(plot.scales[etch.kYScale].scaling.to_pixel(points.y(index)) - pos.y) <= kClickRadius;
    if (!hit) return false;
    try {
      window.etch_proxy.OnMouseClick(index, this.owner.id, this.owner.values.selectable === true);
    } catch (e) {
      // The click changes nothing on the page when the native side cannot take it.
    }
    return true;
  };

  etch.register_plotter(['cursor'], Cursor);
})(jQuery);
