// The paint loop: fetches what changed, sizes and clears every layer, redraws both scales, then
// draws each layer's plotters in chunks 5000 pixels wide. The first pass runs until 250 ms have
// gone, the rest in 50 ms slices between which the page stays responsive. A new paint cancels
// the one in progress; when_painted() resolves once a paint has run to its end.
(function ($) {
  'use strict';

  var kChunkWidth = 5000;
  var kFirstPassMs = 250;
  var kSliceMs = 50;

  etch.fn.cancel_paint = function () {
    if (this.paint_cancel) this.paint_cancel.cancelled = true;
    for (var i = 0; this.layers && i < this.layers.length; ++i) this.layers[i].cancelled = true;
  };

  // A promise that resolves when the plot has no paint left to do.
  etch.fn.when_painted = function () {
    return this.paint_pending ? this.paint_pending.promise() : $.Deferred().resolve().promise();
  };

  // The steps of one paint, in order; laying out adds the drawing steps, which depend on the
  // layers' new sizes.
  function paintSteps(plot, cancel) {
    var steps = [];
    $.each(plot.plotters, function (i, plotter) {
      if (plotter.has_changes()) steps.push(function () { plotter.fetch_changes(); });
    });
    steps.push(function () {
      plot.lay_out();
      $.each(plot.layers, function (i, layer) {
        var width = layer.rect.width;
        $.each(layer.plotters, function (j, plotter) {
          for (var left = 0; left < width; left += kChunkWidth) {
            steps.push(chunkStep(plotter, layer, left, Math.min(kChunkWidth, width - left), cancel));
          }
        });
      });
    });
    return steps;
  }

  function chunkStep(plotter, layer, left, width, cancel) {
    return function () {
      var region = new etch.Rect(left, 0, width, layer.rect.height);
      var ctx = layer.context();
      ctx.save();
      ctx.beginPath();
      ctx.rect(region.left, region.top, region.width, region.height);
      ctx.clip();
      var drawn;
      try {
        drawn = plotter.draw(layer, region, cancel);
      } finally {
        ctx.restore();
      }
      return drawn;
    };
  }

  etch.fn.paint = function () {
    var plot = this;
    plot.cancel_paint();
    if (!plot.scales) return plot.when_painted();
    var cancel = {cancelled: false};
    plot.paint_cancel = cancel;
    var pending = plot.paint_pending || $.Deferred();
    plot.paint_pending = pending;
    var throbber = etch.styles.throbber_after(plot, plot.values.throbberdelay);
    var steps = paintSteps(plot, cancel), next = 0;

    function finish() {
      throbber.hide();
      if (plot.paint_pending === pending) plot.paint_pending = null;
      pending.resolve();
    }
    function run(deadline) {
      while (next < steps.length) {
        if (cancel.cancelled) {
          throbber.hide();
          return;
        }
        if (next > 0 && etch.util.now() > deadline) {
          throbber.check();
          window.setTimeout(function () { run(etch.util.now() + kSliceMs); }, 0);
          return;
        }
        var result = steps[next++]();
        if (result && $.isFunction(result.isResolved) && !result.isResolved()) {
          result.done(function () { run(etch.util.now() + kSliceMs); });
          return;
        }
      }
      if (!cancel.cancelled) finish();
    }
    run(etch.util.now() + kFirstPassMs);
    return pending.promise();
  };

  // Sizes the layers to the data area, auto-scales and redraws the base layer: the background,
  // the shadow and both scales.
  etch.fn.lay_out = function () {
    var rect = this.data_rect();
    var whole = new etch.Rect(0, 0, this.container.width(), this.container.height());
    this.laid_out_size = whole.width + 'x' + whole.height;
    this.base_layer.place(whole);
    for (var i = 0; i < this.layers.length; ++i) {
      this.layers[i].place(rect);
      this.layers[i].cancelled = false;
    }
    this.scales[etch.kXScale].fit(rect.width);
    this.scales[etch.kYScale].fit(rect.height);
    var ctx = this.base_layer.context();
    var v = this.values;
    ctx.fillStyle = etch.css_colour(v.background);
    ctx.fillRect(0, 0, whole.width, whole.height);
    if (v.shadow) {
      ctx.fillStyle = 'rgba(0,0,0,0.25)';
      ctx.fillRect(rect.left + 3, rect.top + 3, rect.width, rect.height);
      ctx.fillStyle = etch.css_colour(v.background);
      ctx.fillRect(rect.left, rect.top, rect.width, rect.height);
    }
    this.scales[etch.kXScale].draw(ctx, rect);
    this.scales[etch.kYScale].draw(ctx, rect);
  };
})(jQuery);
