// Plotter "box": made for a data plotter whose markup has a box entry. A rectangle over an x and
// a y range of the data, drawn in its colour with its edge values when showvalues is set. When
// draggable, a press near an edge (or a corner) drags that edge and a press inside moves the
// whole box; at the release the native side hears BoxResized(id, [x min, x max, y min, y max]),
// each min at most its max. Its plotcolours colour the owner's points by where they lie: inside
// the box, outside in y only, outside in both, outside in x only.
(function ($) {
  'use strict';

  // How near, in pixels, a press must be to an edge to take it.
  var kEdgeSlop = 4;

  function Box(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
    this.owner = props.owner;
    if (this.owner) this.owner.box_overlay = this;
    this.edges = null;
  }
  etch.inherit(Box, etch.BasePlotter);
  Box.prototype.z_order = etch.kAnnotations;
  Box.prototype.property_table = function () {
    return [
      ['id', 'string', ''],
      ['colour', 'colour', new etch.Colour(255, 0, 0, 255)],
      ['range_x', 'range'],
      ['range_y', 'range'],
      ['plotcolours', 'array', []],
      ['showvalues', 'boolean', false],
      ['draggable', 'boolean', true]
    ];
  };

  Box.prototype.check_props = function () {
    etch.BasePlotter.prototype.check_props.call(this);
    var v = this.values;
    this.edges = v.range_x && v.range_y
                     ? {x0: v.range_x.min, x1: v.range_x.max, y0: v.range_y.min, y1: v.range_y.max}
                     : null;
  };

  // [x min, x max, y min, y max], each pair in order.
  Box.prototype.extent = function () {
    var e = this.edges;
    return [Math.min(e.x0, e.x1), Math.max(e.x0, e.x1), Math.min(e.y0, e.y1), Math.max(e.y0, e.y1)];
  };

  // Whether the box colours its owner's points.
  Box.prototype.colours_points = function () {
    var colours = this.values.plotcolours;
    return !!this.edges && $.isArray(colours) && colours.length >= 4;
  };

  // The index in plotcolours of a point at (x, y): 0 inside, 1 outside in y only, 2 outside in
  // both, 3 outside in x only.
  Box.prototype.point_class = function (x, y) {
    var e = this.extent();
    var outX = !(x >= e[0] && x <= e[1]), outY = !(y >= e[2] && y <= e[3]);
    return outX ? (outY ? 2 : 3) : (outY ? 1 : 0);
  };

  // The box in layer pixels.
  Box.prototype.pixels = function () {
    var sx = this.plot.scales[etch.kXScale].scaling, sy = this.plot.scales[etch.kYScale].scaling;
    var e = this.extent();
    var xa = sx.to_pixel(e[0]), xb = sx.to_pixel(e[1]), ya = sy.to_pixel(e[2]), yb = sy.to_pixel(e[3]);
    return {left: Math.min(xa, xb), right: Math.max(xa, xb), top: Math.min(ya, yb), bottom: Math.max(ya, yb)};
  };

  Box.prototype.draw = function (layer) {
    if (!this.edges) return $.Deferred().resolve().promise();
    var v = this.values, p = this.pixels(), ctx = layer.context();
    ctx.save();
    ctx.strokeStyle = etch.css_colour(v.colour);
    ctx.lineWidth = 1;
    var left = layer.crisp(p.left, 1), right = layer.crisp(p.right, 1);
    var top = layer.crisp(p.top, 1), bottom = layer.crisp(p.bottom, 1);
    ctx.strokeRect(left, top, right - left, bottom - top);
    if (v.showvalues) this.draw_values(ctx, p);
    ctx.restore();
    return $.Deferred().resolve().promise();
  };

  // The edges' values beside them: x values under the bottom corners, y values left of the
  // left edge's ends.
  Box.prototype.draw_values = function (ctx, p) {
    var e = this.extent(), plot = this.plot, digits = plot.values.scalesigfigs;
    ctx.fillStyle = etch.css_colour(this.values.colour);
    ctx.font = plot.values.canvas_fontsize + 'pt ' + plot.values.fontfamily;
    ctx.textBaseline = 'top';
    ctx.textAlign = 'left';
    ctx.fillText(etch.util.number_text(e[0], digits), p.left + 2, p.bottom + 2);
    ctx.textAlign = 'right';
    ctx.fillText(etch.util.number_text(e[1], digits), p.right - 2, p.bottom + 2);
    ctx.textBaseline = 'bottom';
    ctx.textAlign = 'left';
    ctx.fillText(etch.util.number_text(e[3], digits), p.left + 2, p.top - 2);
    ctx.textBaseline = 'top';
    ctx.fillText(etch.util.number_text(e[2], digits), p.left + 2, p.bottom - 14);
  };

  // The edges a press at `pos` takes: their names, or 'all' inside, or null.
  Box.prototype.edges_at = function (pos) {
    var p = this.pixels(), e = this.edges, sx = this.plot.scales[etch.kXScale].scaling;
    var sy = this.plot.scales[etch.kYScale].scaling;
    if (pos.x < p.left - kEdgeSlop || pos.x > p.right + kEdgeSlop ||
        pos.y < p.top - kEdgeSlop || pos.y > p.bottom + kEdgeSlop) {
      return null;
    }
    var taken = [];
    // Of two edges equally near (a box of no width), the one that moves the way the box grows.
    var dx0 = Math.abs(sx.to_pixel(e.x0) - pos.x), dx1 = Math.abs(sx.to_pixel(e.x1) - pos.x);
    if (Math.min(dx0, dx1) <= kEdgeSlop) taken.push(dx1 <= dx0 ? 'x1' : 'x0');
    var dy0 = Math.abs(sy.to_pixel(e.y0) - pos.y), dy1 = Math.abs(sy.to_pixel(e.y1) - pos.y);
    if (Math.min(dy0, dy1) <= kEdgeSlop) taken.push(dy1 <= dy0 ? 'y1' : 'y0');
    return taken.length ? taken : 'all';
  };

  Box.prototype.grab = function (pos) {
    if (!this.edges || this.values.draggable !== true || !pos.inside) return null;
    var taken = this.edges_at(pos);
    if (!taken) return null;
    var self = this, start = $.extend({}, this.edges);
    var sx = this.plot.scales[etch.kXScale].scaling, sy = this.plot.scales[etch.kYScale].scaling;
    var names = taken === 'all' ? ['x0', 'x1', 'y0', 'y1'] : taken;
    return etch.drag_gesture(pos, function (at) {
      var dx = sx.to_value(at.x) - sx.to_value(pos.x), dy = sy.to_value(at.y) - sy.to_value(pos.y);
      for (var i = 0; i < names.length; ++i) {
        var name = names[i];
        self.edges[name] = start[name] + (name.charAt(0) === 'x' ? dx : dy);
      }
      // The owner's points change colour as the box moves over them.
      self.plot.paint();
    }, function () { self.report(); });
  };

  Box.prototype.cursor_at = function (pos) {
    if (!this.edges || this.values.draggable !== true || !pos.inside) return null;
    var taken = this.edges_at(pos);
    if (!taken) return null;
    if (taken === 'all') return 'move';
    if (taken.length === 2) return 'move';
    return taken[0].charAt(0) === 'x' ? 'ew-resize' : 'ns-resize';
  };

  Box.prototype.report = function () {
    var e = this.extent();
    this.edges = {x0: e[0], x1: e[1], y0: e[2], y1: e[3]};
    try {
      window.etch_proxy.BoxResized(this.values.id, e);
    } catch (e2) {
      // The box stays where it was put even when the native side cannot take note of it.
    }
  };

  etch.register_plotter(['box'], Box);
})(jQuery);
