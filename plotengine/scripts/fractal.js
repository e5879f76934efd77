// Plotter "fractal" or "frac": a test plotter that draws a Koch snowflake in its colour,
// centred in the data area and as large as its smaller side allows, whatever the scales show.
(function ($) {
  'use strict';

  // Each level makes a side four sides a third as long.
  var kLevels = 4;

  function Fractal(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
  }
  etch.inherit(Fractal, etch.BasePlotter);
  Fractal.prototype.property_table = function () {
    return [['colour', 'colour', new etch.Colour(255, 0, 0, 255)]];
  };

  // Adds the side from a to b, folded `level` times, to the path (its start is already there).
  function side(ctx, a, b, level) {
    if (level === 0) {
      ctx.lineTo(b[0], b[1]);
      return;
    }
    var dx = (b[0] - a[0]) / 3, dy = (b[1] - a[1]) / 3;
    var p = [a[0] + dx, a[1] + dy], r = [a[0] + 2 * dx, a[1] + 2 * dy];
    // The peak stands outward of a side walked clockwise on the screen.
    var peak = [p[0] + dx / 2 + dy * Math.sqrt(3) / 2, p[1] + dy / 2 - dx * Math.sqrt(3) / 2];
    side(ctx, a, p, level - 1);
    side(ctx, p, peak, level - 1);
    side(ctx, peak, r, level - 1);
    side(ctx, r, b, level - 1);
  }

  Fractal.prototype.draw = function (layer) {
    var ctx = layer.context(), rect = layer.rect;
    var cx = rect.width / 2, cy = rect.height / 2, radius = 0.4 * Math.min(rect.width, rect.height);
    var corners = [];
    for (var i = 0; i < 3; ++i) {
      var angle = -Math.PI / 2 + i * 2 * Math.PI / 3;
      corners.push([cx + radius * Math.cos(angle), cy + radius * Math.sin(angle)]);
    }
    ctx.strokeStyle = etch.css_colour(this.values.colour);
    ctx.lineWidth = 1;
    ctx.beginPath();
    ctx.moveTo(corners[0][0], corners[0][1]);
    for (var k = 0; k < 3; ++k) side(ctx, corners[k], corners[(k + 1) % 3], kLevels);
    ctx.stroke();
    return $.Deferred().resolve().promise();
  };

  etch.register_plotter(['fractal', 'frac'], Fractal);
})(jQuery);
