// Plotter "ellipse": an ellipse in data units over a data plotter, centred on (x, y), with
// semi-axes a and b, turned by `rotate` degrees as the screen turns (negative turns the a axis
// up from the right), and with its two axes drawn when draw_axes asks. Made by the data plotter
// whose markup holds it.
(function ($) {
  'use strict';

  var is_finite = function (v) { return etch.util.is_finite(v); };

  function Ellipse(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
  }
  etch.inherit(Ellipse, etch.BasePlotter);
  Ellipse.prototype.z_order = etch.kAnnotations;
  Ellipse.prototype.property_table = function () {
    return [
      ['x', 'number', 0],
      ['y', 'number', 0],
      ['a', 'number', 0],
      ['b', 'number', 0],
      ['rotate', 'number', 0],
      ['colour', 'colour', new etch.Colour(255, 0, 0, 255)],
      ['draw_axes', 'boolean', false]
    ];
  };

  // The ellipse in pixels: its centre and the ends of its a and b semi-axes, which the scales
  // may stretch unequally.
  Ellipse.prototype.pixel_axes = function () {
    var v = this.values;
    var sx = this.plot.scales[etch.kXScale].scaling, sy = this.plot.scales[etch.kYScale].scaling;
    var turn = -v.rotate * Math.PI / 180, cos = Math.cos(turn), sin = Math.sin(turn);
    var at = function (dx, dy) { return [sx.to_pixel(v.x + dx), sy.to_pixel(v.y + dy)]; };
    var a = Math.abs(v.a), b = Math.abs(v.b);
    return {centre: at(0, 0), a: at(a * cos, a * sin), b: at(-b * sin, b * cos),
            a_back: at(-a * cos, -a * sin), b_back: at(b * sin, -b * cos)};
  };

  // The principal semi-axes and the turn (radians) of the ellipse whose conjugate semi-axes
  // are the vectors p and q: the image of a circle under [p q] is an ellipse again.
  function principalAxes(p, q) {
    var xx = p[0] * p[0] + q[0] * q[0], yy = p[1] * p[1] + q[1] * q[1];
    var xy = p[0] * p[1] + q[0] * q[1];
    var mean = (xx + yy) / 2, spread = Math.sqrt((xx - yy) * (xx - yy) / 4 + xy * xy);
    return {major: Math.sqrt(mean + spread), minor: Math.sqrt(Math.max(0, mean - spread)),
            turn: Math.atan2(2 * xy, xx - yy) / 2};
  }

  Ellipse.prototype.draw = function (layer) {
    var v = this.values, ctx = layer.context(), axes = this.pixel_axes(), c = axes.centre;
    var p = [axes.a[0] - c[0], axes.a[1] - c[1]], q = [axes.b[0] - c[0], axes.b[1] - c[1]];
    var shape = principalAxes(p, q);
    ctx.strokeStyle = etch.css_colour(v.colour);
    ctx.lineWidth = 1;
    ctx.beginPath();
    if ([c[0], c[1], shape.major, shape.minor, shape.turn].every(is_finite)) {
      ctx.ellipse(c[0], c[1], shape.major, shape.minor, shape.turn, 0, 2 * Math.PI, false);
    }
    ctx.stroke();
    if (v.draw_axes) {
      ctx.beginPath();
      ctx.moveTo(axes.a_back[0], axes.a_back[1]);
      ctx.lineTo(axes.a[0], axes.a[1]);
      ctx.moveTo(axes.b_back[0], axes.b_back[1]);
      ctx.lineTo(axes.b[0], axes.b[1]);
      ctx.stroke();
    }
    return $.Deferred().resolve().promise();
  };

  etch.register_plotter(['ellipse'], Ellipse);
})(jQuery);
