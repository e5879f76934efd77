// A drawing layer: one canvas element of the plot's container at a z order, one canvas pixel
// per CSS pixel, placed over a rectangle of the container. Owned by its plot; replaced when the
// plot's plotters change.
(function ($) {
  'use strict';

  function CanvasLayer(plot, z) {
    this.plot = plot;
    this.z = z;
    this.rect = new etch.Rect(0, 0, 0, 0);
    this.plotters = [];
    this.cancelled = false;
    this.canvas = document.createElement('canvas');
    $(this.canvas).css({position: 'absolute', left: '0px', top: '0px', zIndex: z});
    plot.container.append(this.canvas);
  }

  // Moves the layer over `rect` and clears it.
  CanvasLayer.prototype.place = function (rect) {
    this.rect = rect;
    $(this.canvas).css({left: rect.left + 'px', top: rect.top + 'px',
                        width: rect.width + 'px', height: rect.height + 'px'});
    // Setting the size clears the canvas, even when it does not change.
    this.canvas.width = rect.width;
    this.canvas.height = rect.height;
  };

  CanvasLayer.prototype.context = function () {
    return this.canvas.getContext('2d');
  };

  CanvasLayer.prototype.remove = function () {
    $(this.canvas).remove();
  };

  // A line pattern for a style name: 'solid', 'dashed' or 'dotted', scaled by `length`.
  CanvasLayer.prototype.set_line_style = function (ctx, style, length) {
    if (!ctx.setLineDash) return;
    if (style === 'dashed') {
      ctx.setLineDash([4 * length, 3 * length]);
    } else if (style === 'dotted') {
      ctx.setLineDash([length, 2 * length]);
    } else {
      ctx.setLineDash([]);
    }
  };

  // A line across the layer at a pixel position, on the pixel grid so that a width of 1 fills
  // exactly one pixel column or row.
  CanvasLayer.prototype.crisp = function (pixel, width) {
    return Math.round(width) % 2 === 1 ? Math.floor(pixel) + 0.5 : Math.round(pixel);
  };

  // Clears the layer and draws its plotters again, whole, without the rest of the plot: what a
  // gesture that changes only overlays (the cursor, a box, lines) needs on each move.
  CanvasLayer.prototype.redraw = function () {
    var ctx = this.context(), region = new etch.Rect(0, 0, this.rect.width, this.rect.height);
    ctx.clearRect(0, 0, this.rect.width, this.rect.height);
    for (var i = 0; i < this.plotters.length; ++i) this.plotters[i].draw(this, region, {cancelled: false});
  };

  // The layer that draws `plotter`, or null.
  etch.fn.layer_of = function (plotter) {
    for (var i = 0; i < this.layers.length; ++i) {
      if ($.inArray(plotter, this.layers[i].plotters) >= 0) return this.layers[i];
    }
    return null;
  };

  etch.CanvasLayer = CanvasLayer;
})(jQuery);
