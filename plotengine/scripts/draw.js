// The paint loop: fetches what changed, sizes and clears every layer, redraws both scales, then
// draws each layer's plotters in chunks 5000 pixels wide. The first pass runs until 250 ms have
// gone, the rest in 50 ms slices between which the page stays responsive. A new paint cancels
// the one in progress; when_painted() resolves once a paint has run to its end. copy() draws the
// same plot once more as printable SVG (svg_layer.js) for the native side's copy and print.
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
    this.draw_frame(ctx, whole, rect);
    this.scales[etch.kXScale].draw(ctx, rect);
    this.scales[etch.kYScale].draw(ctx, rect);
  };

  // The background of the whole plot and, when the plot has one, the data area's shadow.
  etch.fn.draw_frame = function (ctx, whole, rect) {
    var v = this.values;
    ctx.fillStyle = etch.css_colour(v.background);
    ctx.fillRect(0, 0, whole.width, whole.height);
    if (v.shadow) {
      ctx.fillStyle = 'rgba(0,0,0,0.25)';
      ctx.fillRect(rect.left + 3, rect.top + 3, rect.width, rect.height);
      ctx.fillStyle = etch.css_colour(v.background);
      ctx.fillRect(rect.left, rect.top, rect.width, rect.height);
    }
  };

  // ---- Printable SVG --------------------------------------------------------------------

  // The plotters in drawing order: by z order, those of one z order in insertion order.
  function drawingOrder(plotters) {
    return plotters.slice().sort(function (a, b) {
      return a.z_order - b.z_order || a.insertion - b.insertion;
    });
  }

  // Draws the plotters one after the other, each once its predecessor's deferred resolved; a
  // plotter that throws is passed over, its error raised apart, so that the copy still ends.
  function drawInTurn(plotters, layer, done) {
    var ctx = layer.context(), region = new etch.Rect(0, 0, layer.rect.width, layer.rect.height);
    function next(i) {
      if (i === plotters.length) return done();
      ctx.save();
      var drawn = null;
      try {
        drawn = plotters[i].draw(layer, region, {cancelled: false});
      } catch (e) {
        window.setTimeout(function () { throw e; }, 0);
      }
      $.when(drawn).always(function () {
        ctx.restore();
        next(i + 1);
      });
    }
    next(0);
  }

  // A promise of the whole plot as printable SVG, as last laid out: the background and shadow,
  // the plotters clipped to the data area, then the two scales.
  etch.fn.printable_svg = function () {
    var plot = this, rect = plot.data_rect(), result = $.Deferred();
    var doc = new etch.SvgDocument(plot.container.width(), plot.container.height());
    var whole = new etch.Rect(0, 0, doc.width, doc.height);
    plot.draw_frame(new etch.SvgContext(doc, doc.body), whole, rect);
    var layer = new etch.SvgLayer(plot, doc, rect), ctx = layer.context();
    ctx.beginPath();
    ctx.rect(0, 0, rect.width, rect.height);
    ctx.clip();
    drawInTurn(drawingOrder(plot.plotters), layer, function () {
      layer.finish();
      var scales = new etch.SvgContext(doc, doc.overlay);
      plot.scales[etch.kXScale].draw(scales, rect);
      plot.scales[etch.kYScale].draw(scales, rect);
      scales.finish();
      result.resolve(doc.text());
    });
    return result.promise();
  };

  // Hands the plot to the native side as printable SVG, SetSVG(plot id, user data, SVG text),
  // once the paint in progress has ended, so that the copy shows the data the screen shows. A
  // plot whose size changed since it was laid out, or whose paint was cancelled without a new
  // one (markup that did not compile), is painted first.
  etch.fn.copy = function (userData) {
    var plot = this;
    if (!plot.scales) return;
    var size = plot.container.width() + 'x' + plot.container.height();
    var stalled = plot.paint_pending && plot.paint_cancel && plot.paint_cancel.cancelled;
    if (size !== plot.laid_out_size || stalled) plot.paint();
    var data = userData === undefined || userData === null ? '' : String(userData);
    plot.when_painted().done(function () {
      plot.printable_svg().done(function (svg) {
        try {
          window.etch_proxy.SetSVG(plot.id, data, svg);
        } catch (e) {
          plot.show_error(etch.util.escape_markup(e && e.message ? e.message : e));
        }
      });
    });
  };
})(jQuery);
