// Plotter "graticule" or "grat": the grid behind the data, with lines at the scales' major
// ticks and lighter lines at their minor ticks.
(function ($) {
  'use strict';

  function Graticule(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
  }
  etch.inherit(Graticule, etch.BasePlotter);
  Graticule.prototype.z_order = etch.kGraticule;
  Graticule.prototype.property_table = function () {
    return [
      ['colour', 'colour', new etch.Colour(0, 255, 255, 255)],
      ['minor_colour', 'colour', function (v) {
        return v.colour instanceof etch.Colour ? v.colour.lighter(64) : v.colour;
      }],
      ['background', 'colour', 'transparent'],
      ['vertical_lines', 'boolean', true],
      ['minor_ticks', 'boolean', true],
      ['width', 'number', 1],
      ['style', 'string', 'solid'],
      ['dashlength', ['number_above', 0], 1]
    ];
  };

  Graticule.prototype.draw = function (layer, region) {
    var v = this.values, ctx = layer.context(), rect = layer.rect;
    var xs = this.plot.scales[etch.kXScale], ys = this.plot.scales[etch.kYScale];
    var xt = xs.ticks(), yt = ys.ticks();
    ctx.save();
    ctx.fillStyle = etch.css_colour(v.background);
    ctx.fillRect(region.left, region.top, region.width, region.height);
    ctx.lineWidth = v.width;
    layer.set_line_style(ctx, v.style, v.dashlength);
    function lines(colour, xValues, yValues) {
      ctx.strokeStyle = etch.css_colour(colour);
      ctx.beginPath();
      if (v.vertical_lines) {
        $.each(xValues, function (i, value) {
          var at = layer.crisp(xs.scaling.to_pixel(value), v.width);
          ctx.moveTo(at, 0);
          ctx.lineTo(at, rect.height);
        });
      }
      $.each(yValues, function (i, value) {
        var at = layer.crisp(ys.scaling.to_pixel(value), v.width);
        ctx.moveTo(0, at);
        ctx.lineTo(rect.width, at);
      });
      ctx.stroke();
    }
    if (v.minor_ticks) lines(v.minor_colour, xt.minor, yt.minor);
    lines(v.colour, xt.major, yt.major);
    ctx.restore();
    return $.Deferred().resolve().promise();
  };

  etch.register_plotter(['graticule', 'grat'], Graticule);
})(jQuery);
